// The settings store against the fake registry: typed reads and writes, the
// load at start and the save at exit.
#include <cstring>
#include <string>
#include <vector>

#include "platform/memory.h"
#include "settings/settings_store.h"
#include "stored_bytes.h"
#include "test_support.h"
#include "textpane/text_pane.h"

namespace {

Bytes Stored(const std::u16string& name) {
  const FakeRegistryValue* value = FakeRegistryFind(SettingsKey, name);
  return value ? value->Data : Bytes{};
}

std::vector<std::u16string> WrittenNames() {
  std::vector<std::u16string> names;
  for (const auto& write : FakeRegistry.Writes) names.push_back(write.Name);
  return names;
}

class SettingsTest : public ProgramTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(FakeRegistry.OpenKeys, 0) << "every key opened is closed";
    // Whatever a test loaded is released the way the program releases it.
    SaveSettings();
    ProgramTest::TearDown();
  }
  TextPane* Pane(uint16_t firstVisible) {
    surface_ = surface_ ? surface_ : FakeCreateSurface();
    TextPane* pane = CreateTextPane(surface_, nullptr, &App.font, 0);
    pane->FirstVisible = firstVisible;
    return pane;
  }
  Surface* surface_ = nullptr;
};

TEST_F(SettingsTest, FreshStoreGivesTheDefaults) {
  for (bool unavailable : {false, true}) {
    SCOPED_TRACE(unavailable ? "store cannot be opened" : "store is empty");
    ResetAppState();
    FakeReset();
    FakeRegistry.Unavailable = unavailable;
    LoadSettings();
    EXPECT_EQ(App.font.Face[0], 0);
    EXPECT_EQ(App.font.Size, 0);
    EXPECT_EQ(App.font.LetterBase, 1488);
    EXPECT_EQ(App.LastPosition, 0);
    EXPECT_EQ(App.Flags, 0xD1140040u);
    EXPECT_EQ(App.Lesson, 0);
    EXPECT_EQ(App.BottomSection, 12);
    EXPECT_EQ(App.BottomSectionLastPosition, 0);
    EXPECT_EQ(App.SearchString[0], 0);
    EXPECT_EQ(App.BookmarkList, nullptr);
    EXPECT_EQ(App.BookmarkCount, 0);
    for (Bitmap* bitmap : App.IndexBitmaps) ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(App.IndexBitmaps[0]->Id, 201);
    EXPECT_EQ(App.IndexBitmaps[2]->Id, 203);
    SaveSettings();  // a failed write is ignored
    EXPECT_TRUE(FakeWindows.QuitPosted);
  }
}

TEST_F(SettingsTest, ProgramPathIsWrittenAtStartWhenKnown) {
  FakeRegistry.ModulePath = u"/opt/darvo/bin/darvo";
  LoadSettings();
  EXPECT_EQ(Stored(u"Program Path"), U16Bytes(u"/opt/darvo/bin/darvo", true));
  EXPECT_EQ(FakeRegistry.Writes.at(0).Type, RegistryText);

  SaveSettings();
  ResetAppState();
  FakeReset();
  LoadSettings();
  EXPECT_TRUE(FakeRegistry.Writes.empty());
}

struct NumberCase {
  const char* what;
  RegistryValueType type;
  Bytes data;
  int expected;
};

TEST_F(SettingsTest, NumbersOfAnyStoredType) {
  // Wraps at 32 bits the way the digits are accumulated.
  uint32_t wrapped = 0;
  for (char c : std::string("99999999999")) wrapped = wrapped * 10 + static_cast<uint32_t>(c - '0');
  const NumberCase cases[] = {
      {"number", RegistryNumber, NumberBytes(12), 12},
      {"number with the top bit", RegistryNumber, NumberBytes(0xD1140040), static_cast<int>(0xD1140040u)},
      {"short number", RegistryNumber, {0x34, 0x12}, 0x1234},
      {"long number", RegistryNumber, {1, 2, 3, 4, 5}, -7},
      {"text 12", RegistryText, U16Bytes(u"12", true), 12},
      {"text 1a", RegistryText, U16Bytes(u"1a", true), 59},
      {"text without terminator", RegistryText, U16Bytes(u"12", false), 12},
      {"empty text", RegistryText, {}, 0},
      {"text -5: no sign, no digit check", RegistryText, U16Bytes(u"-5", true), -25},
      {"overflowing text", RegistryText, U16Bytes(u"99999999999", true), static_cast<int>(wrapped)},
      {"binary digits", RegistryBinary, {'7', 0, '5', 0, 0, 0}, 75},
      {"odd binary", RegistryBinary, {'4'}, 4},
      {"binary stops at its zero unit", RegistryBinary, {'3', 0, 0, 0, '9', 0}, 3},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.what);
    FakeReset();
    FakeRegistrySeed(SettingsKey, u"FontSize", c.type, c.data);
    EXPECT_EQ(ReadNumberSetting(SettingsKey, u"FontSize", -7), c.expected);
  }
}

TEST_F(SettingsTest, NumberDefaults) {
  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"FullScreen", 0), 0) << "no key";
  FakeRegistrySeedNumber(GlobalKey, u"Other", 5);
  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"AllowSipInHebrewSearch", 1), 1) << "no value";
  FakeRegistrySeedText(GlobalKey, u"FullScreen", u"3");
  FakeRegistry.FailReads = true;
  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"FullScreen", 9), 9) << "failed read";
  FakeRegistry.FailReads = false;
  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"FullScreen", 9), 3);
}

TEST_F(SettingsTest, KeysCompareWithoutCaseAndStayApart) {
  FakeRegistrySeedNumber(u"SOFTWARE\\orvanta", u"fullscreen", 1);
  FakeRegistrySeedNumber(u"software\\orvanta\\darvo", u"FONTSIZE", 14);
  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"FullScreen", 0), 1);
  EXPECT_EQ(ReadNumberSetting(GlobalKey, u"FontSize", 0), 0);
  EXPECT_EQ(ReadNumberSetting(SettingsKey, u"FullScreen", 0), 0);
  EXPECT_EQ(ReadNumberSetting(SettingsKey, u"FontSize", 0), 14);
}

TEST_F(SettingsTest, TextAndBinaryReadsKeepTheBytes) {
  FakeRegistrySeed(SettingsKey, u"T", RegistryText, U16Bytes(u"abc", false));
  char16_t* text = ReadTextSetting(u"T");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text), u"abc") << "a text without terminator ends inside the buffer";
  MemFree(text);

  const Bytes odd = {1, 0, 255, 7, 9};
  FakeRegistrySeed(SettingsKey, u"B", RegistryNumber, odd);
  uint32_t count = 99;
  uint8_t* bytes = ReadBinarySetting(u"B", &count);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(Bytes(bytes, bytes + count), odd);
  MemFree(bytes);

  EXPECT_EQ(ReadTextSetting(u"missing"), nullptr);
  EXPECT_EQ(ReadBinarySetting(u"missing", &count), nullptr);
  EXPECT_EQ(count, 0u);
  FakeRegistry.FailReads = true;
  EXPECT_EQ(ReadBinarySetting(u"B"), nullptr);
}

TEST_F(SettingsTest, WritesStoreTypeAndExactBytes) {
  EXPECT_TRUE(WriteNumberSetting(u"N", 0xFFFFFFFF));
  EXPECT_TRUE(WriteTextSetting(u"T", u"\u05D0b"));
  EXPECT_TRUE(WriteBinarySetting(u"B", reinterpret_cast<const uint8_t*>("xy")));
  const uint8_t raw[3] = {0, 1, 0};
  EXPECT_TRUE(WriteBinarySetting(u"R", raw, 3));
  EXPECT_EQ(FakeRegistryFind(SettingsKey, u"n")->Type, RegistryNumber);
  EXPECT_EQ(Stored(u"N"), NumberBytes(0xFFFFFFFF));
  EXPECT_EQ(FakeRegistryFind(SettingsKey, u"T")->Type, RegistryText);
  EXPECT_EQ(Stored(u"T"), (Bytes{0xD0, 0x05, 'b', 0, 0, 0}));
  EXPECT_EQ(FakeRegistryFind(SettingsKey, u"B")->Type, RegistryBinary);
  EXPECT_EQ(Stored(u"B"), (Bytes{'x', 'y', 0}));
  EXPECT_EQ(Stored(u"R"), (Bytes{0, 1, 0}));

  FakeRegistry.FailWrites = true;
  EXPECT_FALSE(WriteNumberSetting(u"N", 1));
  FakeRegistry.FailWrites = false;
  FakeRegistry.Unavailable = true;
  EXPECT_FALSE(WriteTextSetting(u"T", u"z"));
  FakeRegistry.Unavailable = false;
  EXPECT_EQ(Stored(u"N"), NumberBytes(0xFFFFFFFF));
}

TEST_F(SettingsTest, LoadTakesStoredValues) {
  FakeRegistrySeedText(SettingsKey, u"FontName", u"Frank Ruehl");
  FakeRegistrySeed(SettingsKey, u"SearchString", RegistryBinary, {'a', 'b', 0, 'c'});
  FakeRegistrySeedNumber(SettingsKey, u"FontSize", 18);
  FakeRegistrySeedNumber(SettingsKey, u"FontAsciiBase", 224);
  FakeRegistrySeedNumber(SettingsKey, u"LastPosition", 0x10005);
  FakeRegistrySeedNumber(SettingsKey, u"Flags", 0x800);
  FakeRegistrySeedNumber(SettingsKey, u"Lesson", 0x2000F);
  FakeRegistrySeedNumber(SettingsKey, u"BottomSection", 23);
  FakeRegistrySeedNumber(SettingsKey, u"BottomSectionLastPosition", 9);
  LoadSettings();
  EXPECT_EQ(std::u16string(App.font.Face), u"Frank Ruehl");
  EXPECT_STREQ(reinterpret_cast<const char*>(App.SearchString), "ab");
  EXPECT_EQ(App.font.Size, 18);
  EXPECT_EQ(App.font.LetterBase, 224);
  EXPECT_EQ(App.LastPosition, 5) << "low 16 bits";
  EXPECT_EQ(App.Flags, 0x800u);
  EXPECT_EQ(App.Lesson, 15) << "low 16 bits";
  EXPECT_EQ(App.BottomSection, 23);
  EXPECT_EQ(App.BottomSectionLastPosition, 9);
}

TEST_F(SettingsTest, LongFontNameAndSearchStringAreCut) {
  const std::u16string longName(40, u'F');
  FakeRegistrySeedText(SettingsKey, u"FontName", longName);
  FakeRegistrySeed(SettingsKey, u"SearchString", RegistryBinary, Bytes(40, 'q'));
  LoadSettings();
  EXPECT_EQ(std::u16string(App.font.Face), longName.substr(0, 31));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(App.SearchString)), std::string(33, 'q'));
}

TEST_F(SettingsTest, EmptyFontNameAndSearchStringLeaveTheFields) {
  const struct {
    const char* what;
    RegistryValueType type;
    Bytes name;
    Bytes search;
  } cases[] = {
      {"empty values", RegistryBinary, {}, {}},
      {"zero first", RegistryText, {0, 0, 'x', 0}, {0, 'x'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SaveSettings();
    ResetAppState();
    FakeReset();
    App.font.Face[0] = u'K';
    App.SearchString[0] = 'k';
    FakeRegistrySeed(SettingsKey, u"FontName", c.type, c.name);
    FakeRegistrySeed(SettingsKey, u"SearchString", c.type, c.search);
    LoadSettings();
    EXPECT_EQ(std::u16string(App.font.Face), u"K");
    EXPECT_STREQ(reinterpret_cast<const char*>(App.SearchString), "k");
  }
}

TEST_F(SettingsTest, SaveWritesInOrderAndPostsQuit) {
  LoadSettings();
  std::memcpy(App.SearchString, "pat", 4);
  std::memcpy(App.font.Face, u"Serif", 12);
  App.font.Size = 20;
  App.font.LetterBase = 97;
  App.Flags = 0x12345678;
  App.Lesson = 41;
  App.BottomSection = 34;
  App.TopPane = Pane(11);
  App.BottomPane = Pane(22);
  App.ActivePane = App.BottomPane;
  App.Lesson = 41;
  SaveSettings();
  EXPECT_EQ(WrittenNames(),
            (std::vector<std::u16string>{u"SearchString", u"FontName", u"FontSize", u"FontAsciiBase",
                                         u"LastPosition", u"Flags", u"Lesson", u"BottomSection",
                                         u"BottomSectionLastPosition", u"Bookmarks"}));
  EXPECT_EQ(Stored(u"SearchString"), (Bytes{'p', 'a', 't', 0}));
  EXPECT_EQ(Stored(u"FontName"), U16Bytes(u"Serif", true));
  EXPECT_EQ(Stored(u"FontSize"), NumberBytes(20));
  EXPECT_EQ(Stored(u"FontAsciiBase"), NumberBytes(97));
  EXPECT_EQ(Stored(u"LastPosition"), NumberBytes(11));
  EXPECT_EQ(Stored(u"Flags"), NumberBytes(0x12345678));
  EXPECT_EQ(Stored(u"Lesson"), NumberBytes(41));
  EXPECT_EQ(Stored(u"BottomSection"), NumberBytes(34));
  EXPECT_EQ(Stored(u"BottomSectionLastPosition"), NumberBytes(22));
  for (const auto& write : FakeRegistry.Writes)
    EXPECT_EQ(write.Type, write.Name == u"FontName"                                      ? RegistryText
                          : write.Name == u"SearchString" || write.Name == u"Bookmarks" ? RegistryBinary
                                                                                         : RegistryNumber);
  EXPECT_EQ(App.TopPane, nullptr);
  EXPECT_EQ(App.BottomPane, nullptr);
  EXPECT_EQ(App.ActivePane, nullptr);
  for (Bitmap* bitmap : App.IndexBitmaps) EXPECT_EQ(bitmap, nullptr);
  EXPECT_TRUE(FakeWindows.QuitPosted);
  EXPECT_EQ(FakeWindows.ExitCode, 0);
  FakeFreeSurface(surface_);
}

TEST_F(SettingsTest, ZeroValuesAndMissingPanesAreNotWritten) {
  FakeRegistrySeedNumber(SettingsKey, u"FontAsciiBase", 224);
  FakeRegistrySeedNumber(SettingsKey, u"BottomSectionLastPosition", 77);
  FakeRegistrySeedNumber(SettingsKey, u"LastPosition", 66);
  LoadSettings();
  App.font.Size = 0;
  App.font.LetterBase = 0;
  App.Lesson = 0;
  SaveSettings();
  EXPECT_EQ(WrittenNames(), (std::vector<std::u16string>{u"Flags", u"BottomSection", u"Bookmarks"}));
  EXPECT_EQ(Stored(u"Flags"), NumberBytes(0xD1140040));
  EXPECT_EQ(Stored(u"BottomSection"), NumberBytes(12));

  ResetAppState();
  FakeRegistry.Writes.clear();
  LoadSettings();
  EXPECT_EQ(App.font.LetterBase, 224) << "the stored value was kept";
  EXPECT_EQ(App.BottomSectionLastPosition, 77) << "kept without a bottom pane";
  EXPECT_EQ(App.LastPosition, 66) << "kept without a top pane";
  SaveSettings();
  FakeRegistry.Keys.clear();
  ResetAppState();
  LoadSettings();
  EXPECT_EQ(App.font.LetterBase, 1488);
}

TEST_F(SettingsTest, OnlyLoadedSettingsAreSaved) {
  // Saving before the load finished (out of memory at start) or a second save
  // would write half-loaded or emptied state over the store.
  FakeRegistrySeedNumber(SettingsKey, u"Flags", 0x800);
  FakeRegistrySeed(SettingsKey, u"Bookmarks", RegistryBinary, {5, 0, 0, 0});
  SaveSettings();
  EXPECT_TRUE(FakeRegistry.Writes.empty());
  EXPECT_TRUE(FakeWindows.QuitPosted);
  LoadSettings();
  SaveSettings();
  const std::size_t writes = FakeRegistry.Writes.size();
  SaveSettings();
  EXPECT_EQ(FakeRegistry.Writes.size(), writes);
  EXPECT_EQ(Stored(u"Flags"), NumberBytes(0x800));
  EXPECT_EQ(Stored(u"Bookmarks"), (Bytes{5, 0, 0, 0}));
}

}  // namespace
