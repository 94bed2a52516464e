// The settings against the real registry database (SQLite) and darvo-reg:
// round trips through new processes, hostile stored values, a missing, locked
// or damaged database, and writers killed at random moments.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "fake/fake_drawing.h"
#include "fake/fake_windows.h"
#include "platform/memory.h"
#include "platform/registry.h"
#include "platform/sqlite/registry_store.h"
#include "settings/bookmarks.h"
#include "settings/settings_store.h"
#include "shell/app_state.h"
#include "stored_bytes.h"
#include "textpane/text_pane.h"

namespace {

namespace fs = std::filesystem;

std::string Hex(const Bytes& data) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : data) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// Every value in the store: "key|name" -> "type:hex".
std::map<std::string, std::string> Contents() {
  std::map<std::string, std::string> contents;
  sqlite3* db = OpenRegistryStore(false);
  if (!db) return contents;
  std::vector<StoreListEntry> entries;
  EXPECT_EQ(ListStore(db, &entries), 0);
  CloseRegistryStore(db);
  for (const StoreListEntry& e : entries)
    if (e.HasValue) contents[e.Key + "|" + e.Name] = std::to_string(e.Type) + ":" + Hex(e.Data);
  return contents;
}

std::string IntegrityCheck(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
      result = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return result;
}

void Sql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

void Seed(const std::u16string& key, const std::u16string& name, RegistryValueType type, const Bytes& data) {
  sqlite3* db = OpenRegistryStore(true);
  ASSERT_NE(db, nullptr);
  const int64_t id = MakeStoreKey(db, Utf16ToUtf8(key.c_str(), key.size()));
  ASSERT_GE(id, 0);
  EXPECT_EQ(WriteStoreValue(db, id, Utf16ToUtf8(name.c_str(), name.size()), type, data.data(),
                            static_cast<uint32_t>(data.size())),
            0);
  CloseRegistryStore(db);
}

// Runs body in a new process and returns what it printed (its exit code must be 0).
std::string InChild(const std::function<std::string()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const std::string out = body();
    const ssize_t written = write(fds[1], out.data(), out.size());
    _exit(written == static_cast<ssize_t>(out.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string out;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return out;
}

// AppState's settings as text, for comparing across processes.
std::string StateReport() {
  std::string out = "face=" + Utf16ToUtf8(App.font.Face, 32);
  out += " size=" + std::to_string(App.font.Size) + " base=" + std::to_string(App.font.LetterBase);
  out += " search=" + std::string(reinterpret_cast<const char*>(App.SearchString));
  out += " flags=" + std::to_string(App.Flags) + " lesson=" + std::to_string(App.Lesson);
  out += " last=" + std::to_string(App.LastPosition) + " section=" + std::to_string(App.BottomSection);
  out += " bottomlast=" + std::to_string(App.BottomSectionLastPosition) + " bookmarks=";
  if (App.BookmarkList)
    for (uint16_t i = 0; i <= App.BookmarkCount; ++i) out += std::to_string(App.BookmarkList[i]) + ",";
  return out;
}

// Keeps the settings invariants that other parts rely on, whatever was stored.
void ExpectSaneState() {
  EXPECT_NE(std::find(App.font.Face, App.font.Face + 32, u'\0'), App.font.Face + 32);
  EXPECT_NE(std::find(App.SearchString, App.SearchString + 34, 0), App.SearchString + 34);
  if (App.BookmarkList) {
    EXPECT_EQ(App.BookmarkList[App.BookmarkCount], 0);
    for (uint16_t i = 0; i < App.BookmarkCount; ++i) EXPECT_NE(App.BookmarkList[i], 0);
  } else {
    EXPECT_EQ(App.BookmarkCount, 0);
  }
}

const char16_t* const NumberNames[] = {u"FontSize", u"FontAsciiBase", u"LastPosition", u"Flags", u"Lesson",
                                       u"BottomSection", u"BottomSectionLastPosition"};
const char16_t* const AllNames[] = {u"FontName", u"SearchString", u"FontSize", u"FontAsciiBase", u"LastPosition",
                                    u"Flags", u"Lesson", u"BottomSection", u"BottomSectionLastPosition",
                                    u"Bookmarks", u"Program Path"};
const char16_t* const GlobalNames[] = {u"IgnoreActivate", u"FullScreen", u"AllowSipInHebrewSearch",
                                       u"MenuBarOnBottom", u"SurroundingGutter"};

struct ReadingState {
  const char16_t* face;
  int32_t size;
  int32_t base;
  const char* search;
  uint32_t flags;
  uint16_t lesson;
  int section;
  uint16_t top;
  uint16_t bottom;
  std::vector<uint16_t> bookmarks;
};

const ReadingState StateA = {u"Alpha", 10, 97, "aaa", 0x11, 3, 12, 1, 2, {3}};
const ReadingState StateB = {u"\u05D3\u05D5\u05D3 Bet Bet", 30, 1488, "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", 0xFFFFFFFF,
                             345, 34, 300, 400, {5, 7, 9, 101}};

class SqliteStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/darvo-registry-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    path_ = dir_ + "/registry.sqlite3";
    setenv("DARVO_REGISTRY", path_.c_str(), 1);
    ResetAppState();
    surface_ = FakeCreateSurface();
  }
  void TearDown() override {
    SaveSettings();  // releases whatever a test loaded
    FakeFreeSurface(surface_);
    ResetAppState();
    unsetenv("DARVO_REGISTRY");
    fs::remove_all(dir_);
  }

  TextPane* Pane(uint16_t firstVisible) {
    TextPane* pane = CreateTextPane(surface_, nullptr, &App.font, 0);
    pane->FirstVisible = firstVisible;
    return pane;
  }

  // Puts a reading state into AppState as if the program had loaded and run.
  void Enter(const ReadingState& s) {
    SaveSettings();  // nothing loaded: only releases
    ResetAppState();
    std::u16string face(s.face);
    std::copy(face.begin(), face.end(), App.font.Face);
    App.font.Size = s.size;
    App.font.LetterBase = s.base;
    std::strcpy(reinterpret_cast<char*>(App.SearchString), s.search);
    App.Flags = s.flags;
    App.BottomSection = s.section;
    for (uint16_t lesson : s.bookmarks) {
      App.Lesson = lesson;
      AddBookmark();
    }
    App.Lesson = s.lesson;
    App.LastPosition = s.top;
    App.BottomSectionLastPosition = s.bottom;
    App.TopPane = Pane(s.top);
    App.BottomPane = Pane(s.bottom);
    App.SettingsLoaded = 1;
  }

  // The store's contents after saving state s into an empty store.
  std::map<std::string, std::string> SavedContents(const ReadingState& s) {
    const std::string other = dir_ + "/other.sqlite3";
    setenv("DARVO_REGISTRY", other.c_str(), 1);
    Enter(s);
    SaveSettings();
    auto contents = Contents();
    setenv("DARVO_REGISTRY", path_.c_str(), 1);
    return contents;
  }

  std::string dir_;
  std::string path_;
  Surface* surface_ = nullptr;
};

TEST_F(SqliteStoreTest, KeysAndNamesCompareWithoutCaseAndValuesKeepTypeAndBytes) {
  RegistryKey* key = CreateRegistryKey(u"software\\Orvanta");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(SetRegistryNumber(key, u"FullScreen", 0x80000001u), 0);
  const char16_t text[] = u"\u05D0\u05D1";
  EXPECT_EQ(SetRegistryText(key, u"Name", text, sizeof text), 0);
  const uint8_t raw[] = {0, 255, 0, 7, 0};
  EXPECT_EQ(SetRegistryBinary(key, u"Raw", raw, sizeof raw), 0);
  EXPECT_EQ(SetRegistryBinary(key, u"Empty", nullptr, 0), 0);
  CloseRegistryKey(key);
  key = CreateRegistryKey(u"Software\\Orvanta\\Darvo");
  EXPECT_EQ(SetRegistryNumber(key, u"fullscreen", 2), 0);
  CloseRegistryKey(key);

  EXPECT_EQ(ReadNumberSetting(u"SOFTWARE\\orvanta", u"FULLSCREEN", 0), static_cast<int>(0x80000001u));
  EXPECT_EQ(ReadNumberSetting(u"software\\orvanta\\DARVO", u"FullScreen", 0), 2);
  EXPECT_EQ(ReadNumberSetting(u"software", u"FullScreen", 9), 9);

  key = OpenRegistryKey(u"Software\\ORVANTA");
  ASSERT_NE(key, nullptr);
  const struct {
    const char16_t* name;
    RegistryValueType type;
    Bytes data;
  } expected[] = {
      {u"fullscreen", RegistryNumber, {1, 0, 0, 0x80}},
      {u"NAME", RegistryText, {0xD0, 0x05, 0xD1, 0x05, 0, 0}},
      {u"raw", RegistryBinary, {0, 255, 0, 7, 0}},
      {u"empty", RegistryBinary, {}},
  };
  for (const auto& e : expected) {
    RegistryValueType type;
    uint32_t size = 0;
    ASSERT_EQ(QueryRegistryValue(key, e.name, &type, &size), 0);
    EXPECT_EQ(type, e.type);
    EXPECT_EQ(size, e.data.size());
    Bytes data(size + 3, 0xEE);
    uint32_t read = static_cast<uint32_t>(data.size());
    ASSERT_EQ(ReadRegistryValue(key, e.name, data.data(), &read), 0);
    data.resize(read);
    EXPECT_EQ(data, e.data);
  }
  uint8_t small[2];
  uint32_t capacity = sizeof small;
  EXPECT_EQ(ReadRegistryValue(key, u"Raw", small, &capacity), -1) << "does not fit";
  RegistryValueType type;
  uint32_t size;
  EXPECT_EQ(QueryRegistryValue(key, u"missing", &type, &size), -1);
  EXPECT_EQ(SetRegistryNumber(key, u"x", 1), -1) << "opened for reading";
  CloseRegistryKey(key);
  // An existing value keeps the spelling of its name.
  EXPECT_EQ(Contents().count("software\\Orvanta|FullScreen"), 1u);

  // Rewriting the same bytes under another type changes the type.
  key = CreateRegistryKey(u"software\\Orvanta");
  EXPECT_EQ(SetRegistryBinary(key, u"FullScreen", "\x01\x00\x00\x80", 4), 0);
  CloseRegistryKey(key);
  EXPECT_EQ(Contents().at("software\\Orvanta|FullScreen"), "3:01000080");
}

// The database's change counter (bytes 24-27 of its header).
std::string ChangeCounter(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string header(28, '\0');
  in.read(header.data(), 28);
  return header.substr(24, 4);
}

TEST_F(SqliteStoreTest, UnchangedValuesAreNotRewritten) {
  LoadSettings();
  Enter(StateA);
  auto timed = [](const std::function<void()>& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
  };
  const long firstSave = timed([] { SaveSettings(); });
  const std::string counter = ChangeCounter(path_);
  ResetAppState();
  const long load = timed([] { LoadSettings(); });  // writes the same program path again
  Enter(StateA);
  const long sameSave = timed([] { SaveSettings(); });
  EXPECT_EQ(ChangeCounter(path_), counter) << "the file was not written";
  Enter(StateB);
  SaveSettings();
  EXPECT_NE(ChangeCounter(path_), counter);
  std::printf("[          ] LoadSettings %ld us; SaveSettings %ld us, unchanged %ld us\n", load, firstSave, sameSave);
}

TEST_F(SqliteStoreTest, EverySavedValueComesBackInANewProcess) {
  LoadSettings();  // writes "Program Path"
  Enter(StateB);
  const std::string saved = StateReport();
  SaveSettings();
  const auto written = Contents();
  const std::string darvo = "Software\\Orvanta\\Darvo|";
  EXPECT_EQ(written.at(darvo + "Bookmarks"), "3:05000700090065000000");
  EXPECT_EQ(written.at(darvo + "Flags"), "1:ffffffff");
  EXPECT_EQ(written.at(darvo + "FontName"), "2:" + Hex(U16Bytes(StateB.face, true)));
  EXPECT_EQ(written.at(darvo + "SearchString"), "3:" + Hex(Bytes(33, 'b')) + "00");
  EXPECT_EQ(written.size(), 11u) << "every value SaveSettings writes, and the program path";

  ResetAppState();
  const std::string loaded = InChild([] {
    LoadSettings();
    std::string out = StateReport() + "\n";
    // The raw values as the program's registry functions read them.
    RegistryKey* key = OpenRegistryKey(SettingsKey);
    for (const char16_t* name : AllNames) {
      RegistryValueType type;
      uint32_t size = 0;
      if (QueryRegistryValue(key, name, &type, &size) != 0) continue;
      Bytes data(size);
      if (ReadRegistryValue(key, name, data.data(), &size) != 0) continue;
      out += Utf16ToUtf8(name, 64) + "=" + std::to_string(type) + ":" + Hex(data) + "\n";
    }
    CloseRegistryKey(key);
    SaveSettings();
    return out;
  });
  std::string expected = saved + "\n";
  for (const char16_t* name : AllNames) {
    const std::string utf8 = Utf16ToUtf8(name, 64);
    expected += utf8 + "=" + written.at(darvo + utf8) + "\n";
  }
  EXPECT_EQ(loaded, expected) << "same settings in memory, same type and bytes through the program's reads";
}

TEST_F(SqliteStoreTest, HostileStoredValuesGiveSaneState) {
  const std::size_t huge = 2u << 20;
  Bytes hugeDigits;
  for (std::size_t i = 0; i < huge; ++i) hugeDigits.push_back(i % 2 ? 0 : static_cast<uint8_t>('0' + i % 10));
  const struct {
    const char* what;
    RegistryValueType type;
    Bytes data;
  } cases[] = {
      {"empty binary", RegistryBinary, {}},
      {"empty text", RegistryText, {}},
      {"empty number", RegistryNumber, {}},
      {"one byte", RegistryNumber, {0x7F}},
      {"odd-length binary", RegistryBinary, {0x31, 0, 0x32}},
      {"text without terminator", RegistryText, U16Bytes(u"12345678901234567890123456789012345678", false)},
      {"a long number", RegistryNumber, Bytes(9, 0xFF)},
      {"huge binary", RegistryBinary, Bytes(huge, 0xFF)},
      {"huge digits", RegistryText, hugeDigits},
      {"over the size limit", RegistryBinary, {}},  // made below: the store refuses to write one
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(path_);
    // Seeded in one transaction: a synced write per value would only slow the test.
    sqlite3* db = OpenRegistryStore(true);
    ASSERT_NE(db, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const char16_t* key : {SettingsKey, GlobalKey}) {
      const int64_t id = MakeStoreKey(db, Utf16ToUtf8(key, 64));
      for (const char16_t* name : key == SettingsKey ? std::vector(std::begin(AllNames), std::end(AllNames))
                                                     : std::vector(std::begin(GlobalNames), std::end(GlobalNames)))
        EXPECT_EQ(WriteStoreValue(db, id, Utf16ToUtf8(name, 64), c.type, c.data.data(),
                                  static_cast<uint32_t>(c.data.size())),
                  0);
    }
    EXPECT_EQ(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    CloseRegistryStore(db);
    if (std::string(c.what) == "over the size limit")
      Sql(path_, "UPDATE entries SET data = zeroblob(" + std::to_string(RegistryMaxValueSize + 1) + ")");
    ResetAppState();
    for (const char16_t* name : GlobalNames) ReadNumberSetting(GlobalKey, name, 0);
    LoadSettings();
    ExpectSaneState();
    SaveSettings();
    EXPECT_EQ(IntegrityCheck(path_), "ok");
  }

  // Every value of a type the store does not know, or with data that is no blob.
  const char* rows[] = {"'dword', X'0C000000'", "'number', NULL", "'number', 12", "'text', 'text data'",
                        "'binary', 2.5", "NULL, NULL"};
  for (const char* row : rows) {
    SCOPED_TRACE(row);
    fs::remove(path_);
    Seed(SettingsKey, u"Lesson", RegistryNumber, {1, 0, 0, 0});
    // A table without the NOT NULL checks, as a hand-made file might have.
    std::string sql = "CREATE TABLE e2(key INTEGER, name TEXT COLLATE NOCASE, type TEXT, data BLOB, PRIMARY KEY(key, name));"
          "DROP TABLE entries; ALTER TABLE e2 RENAME TO entries;";
    for (const char16_t* name : AllNames)
      sql += "INSERT INTO entries VALUES(1, '" + Utf16ToUtf8(name, 64) + "', " + row + ");";
    Sql(path_, sql);
    ResetAppState();
    LoadSettings();
    ExpectSaneState();
    SaveSettings();
  }
}

TEST_F(SqliteStoreTest, MissingLockedOrDamagedStoreGivesDefaultsAndIgnoresWrites) {
  // Missing: reading creates nothing.
  LoadSettings();
  EXPECT_EQ(App.Flags, DefaultFlags);
  EXPECT_EQ(App.BottomSection, 12);
  SaveSettings();
  ResetAppState();

  // Locked by another writer for longer than a reader waits.
  Enter(StateA);
  SaveSettings();
  const auto before = Contents();
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(path_.c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  ResetAppState();
  LoadSettings();
  EXPECT_EQ(App.Flags, DefaultFlags);
  EXPECT_EQ(App.font.LetterBase, 1488);
  EXPECT_EQ(App.BookmarkList, nullptr);
  App.Flags = 0x1234;
  SaveSettings();  // every write fails
  sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  EXPECT_EQ(Contents(), before);

  // Damaged: not a database at all, or a database cut short.
  const std::string garbage(5000, 'G');
  const std::string good = [&] {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  ASSERT_GT(good.size(), 4096u);
  const std::string damagedFiles[] = {garbage, good.substr(0, 100), good.substr(0, good.size() - 100)};
  for (const std::string& damaged : damagedFiles) {
    {
      std::ofstream out(path_, std::ios::binary | std::ios::trunc);
      out << damaged;
    }
    ResetAppState();
    LoadSettings();
    ExpectSaneState();
    SaveSettings();
    if (&damaged == &damagedFiles[0]) {
      std::ifstream in(path_, std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage) << "a file that is no database is left alone";
    }
  }

  // A folder that does not exist: nothing can be written.
  setenv("DARVO_REGISTRY", (dir_ + "/no/such/folder/registry").c_str(), 1);
  EXPECT_FALSE(WriteNumberSetting(u"Flags", 1));
  setenv("DARVO_REGISTRY", path_.c_str(), 1);
}

TEST_F(SqliteStoreTest, DefaultLocationIsUnderTheUsersConfigFolder) {
  const char* oldHome = std::getenv("HOME");
  const std::string home = oldHome ? oldHome : "";
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string config = oldConfig ? oldConfig : "";
  unsetenv("DARVO_REGISTRY");

  setenv("XDG_CONFIG_HOME", (dir_ + "/cfg").c_str(), 1);
  EXPECT_EQ(ReadNumberSetting(SettingsKey, u"Flags", 5), 5);
  EXPECT_FALSE(fs::exists(dir_ + "/cfg")) << "reading creates nothing";
  EXPECT_TRUE(WriteNumberSetting(u"Flags", 6));
  EXPECT_TRUE(fs::exists(dir_ + "/cfg/darvo/registry.sqlite3"));
  EXPECT_EQ(ReadNumberSetting(SettingsKey, u"Flags", 5), 6);

  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", (dir_ + "/home").c_str(), 1);
  EXPECT_TRUE(WriteNumberSetting(u"Flags", 7));
  EXPECT_TRUE(fs::exists(dir_ + "/home/.config/darvo/registry.sqlite3"));

  if (oldHome) setenv("HOME", home.c_str(), 1);
  if (oldConfig) setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("DARVO_REGISTRY", path_.c_str(), 1);
}

TEST_F(SqliteStoreTest, KilledWritersLeaveEveryValueOldOrNew) {
  const auto contentsA = SavedContents(StateA);
  const auto contentsB = SavedContents(StateB);
  ASSERT_EQ(contentsA.size(), contentsB.size());

  Enter(StateA);
  const auto start = std::chrono::steady_clock::now();
  SaveSettings();
  const auto saveTime = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(Contents(), contentsA);

  // A kill somewhere inside one to three saves: before, during and after single writes.
  const long spanUs = std::max<long>(
      2000, 3 * std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());
  std::mt19937 random(20261211);
  std::uniform_int_distribution<long> delay(0, spanUs);
  constexpr int Kills = 25;
  int valuesFromB = 0;
  for (int round = 0; round < Kills; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(ready[0]);
      const char go = 1;
      if (write(ready[1], &go, 1) != 1) _exit(1);
      for (unsigned i = 0;; ++i) {
        Enter(i % 2 ? StateA : StateB);
        SaveSettings();
      }
    }
    close(ready[1]);
    char go = 0;
    ASSERT_EQ(read(ready[0], &go, 1), 1);
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    // The store opens, and each value is whole: the old or the new one.
    RegistryKey* key = OpenRegistryKey(SettingsKey);
    ASSERT_NE(key, nullptr) << "round " << round;
    CloseRegistryKey(key);
    const auto now = Contents();
    ASSERT_EQ(now.size(), contentsA.size()) << "round " << round;
    for (const auto& [name, value] : now) {
      ASSERT_TRUE(value == contentsA.at(name) || value == contentsB.at(name)) << "round " << round << " " << name;
      if (value != contentsA.at(name)) ++valuesFromB;
    }
    EXPECT_EQ(IntegrityCheck(path_), "ok");
  }
  // The program itself loads whatever mix was left.
  LoadSettings();
  ExpectSaneState();
  std::printf("[          ] %d kills; %d values held the other state; one save took %ld us\n", Kills,
              valuesFromB, static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count()));
}

// darvo-reg against values the program wrote, and the program against values darvo-reg set.
std::string RunTool(const std::string& arguments, int* status) {
  const std::string command = std::string(DARVO_BINARY_DIR) + "/tools/darvo-reg/darvo-reg " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int result = pclose(pipe);
  *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return out;
}

TEST_F(SqliteStoreTest, DarvoRegReadsAndSetsWhatTheProgramUses) {
  Enter(StateB);
  SaveSettings();
  int status = -1;
  const struct {
    const char* arguments;
    const char* out;
    int status;
  } cases[] = {
      {"get 'Software\\Orvanta\\Darvo' Bookmarks", "05000700090065000000\n", 0},
      {"get 'SOFTWARE\\orvanta\\darvo' flags", "4294967295\n", 0},
      {"get 'Software\\Orvanta\\Darvo' FontName", "\xD7\x93\xD7\x95\xD7\x93 Bet Bet\n", 0},
      {"get 'Software\\Orvanta\\Darvo' Missing", "", 1},
      {"get 'software\\Orvanta' Flags", "", 1},
      {"set 'software\\Orvanta' FullScreen number 0x10", "", 0},
      {"set 'Software\\Orvanta\\Darvo' FontSize text 1a", "", 0},
      {"set 'Software\\Orvanta\\Darvo' SearchString binary 414200", "", 0},
      {"set 'Software\\Orvanta\\Darvo' Lesson number 12x", "", 2},
      {"set 'Software\\Orvanta\\Darvo' Lesson binary 123", "", 2},
      {"delete 'Software\\Orvanta\\Darvo' LastPosition", "", 0},
      {"delete 'Software\\Orvanta\\Darvo' LastPosition", "", 1},
      {"frobnicate", "", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(RunTool(std::string(c.arguments) + " 2>/dev/null", &status), c.out);
    EXPECT_EQ(status, c.status);
  }
  const std::string list = RunTool("list", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(list.find("Software\\Orvanta\\Darvo\tFlags\tnumber\t4294967295\n"), std::string::npos) << list;
  EXPECT_NE(list.find("software\\Orvanta\tFullScreen\tnumber\t16\n"), std::string::npos) << list;
  EXPECT_NE(list.find("Software\\Orvanta\\Darvo\tFontSize\ttext\t1a\n"), std::string::npos) << list;

  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"FullScreen", 0), 16);
  ResetAppState();
  LoadSettings();
  EXPECT_EQ(App.font.Size, 59);
  EXPECT_STREQ(reinterpret_cast<const char*>(App.SearchString), "AB");
  EXPECT_EQ(App.LastPosition, 0);
}

}  // namespace
