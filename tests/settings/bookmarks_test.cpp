// Bookmarks against the fake registry: the stored format, loading values that
// are not whole lists, adding, removing and the Bookmark command's question.
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "settings/bookmarks.h"
#include "settings/settings_store.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<uint16_t> List() {
  std::vector<uint16_t> entries;
  if (!App.BookmarkList) return entries;
  for (const uint16_t* entry = App.BookmarkList; *entry; ++entry) entries.push_back(*entry);
  return entries;
}

Bytes StoredBookmarks() {
  const FakeRegistryValue* value = FakeRegistryFind(SettingsKey, u"Bookmarks");
  EXPECT_NE(value, nullptr);
  EXPECT_EQ(value ? value->Type : RegistryText, RegistryBinary);
  return value ? value->Data : Bytes{};
}

class BookmarksTest : public ProgramTest {
 protected:
  void TearDown() override {
    FreeBookmarks();
    ProgramTest::TearDown();
  }
  void Bookmark(uint16_t lesson) {
    App.Lesson = lesson;
    AddBookmark();
  }
  // Restarts the program: saves as at exit, then loads as at start.
  void Restart() {
    SaveSettings();
    ResetAppState();
    LoadSettings();
  }
};

TEST_F(BookmarksTest, StoredAsLittleEndianUnitsAndLoadedInOrder) {
  LoadSettings();
  Bookmark(33);
  Bookmark(5);
  Bookmark(101);
  Bookmark(5);  // already there
  Restart();
  EXPECT_EQ(StoredBookmarks(), (Bytes{0x21, 0x00, 0x05, 0x00, 0x65, 0x00, 0x00, 0x00}));
  EXPECT_EQ(App.BookmarkCount, 3);
  EXPECT_EQ(List(), (std::vector<uint16_t>{33, 5, 101}));
  App.Lesson = 5;
  EXPECT_TRUE(IsBookmarked());
  App.Lesson = 6;
  EXPECT_FALSE(IsBookmarked());
  SaveSettings();
}

TEST_F(BookmarksTest, NoListAndEmptyListBothStoreTwoZeroBytes) {
  LoadSettings();
  EXPECT_EQ(App.BookmarkList, nullptr);
  EXPECT_FALSE(IsBookmarked());
  SaveSettings();
  EXPECT_EQ(StoredBookmarks(), (Bytes{0, 0}));

  ResetAppState();
  LoadSettings();  // two zero bytes: an empty list
  ASSERT_NE(App.BookmarkList, nullptr);
  EXPECT_EQ(App.BookmarkCount, 0);
  Bookmark(7);
  RemoveBookmark();  // the only one
  ASSERT_NE(App.BookmarkList, nullptr);
  EXPECT_EQ(App.BookmarkList[0], 0);
  EXPECT_EQ(App.BookmarkCount, 0);
  FakeRegistry.Writes.clear();
  SaveSettings();
  EXPECT_EQ(StoredBookmarks(), (Bytes{0, 0}));
}

TEST_F(BookmarksTest, StoredValuesThatAreNotWholeListsLoadTerminated) {
  const struct {
    const char* what;
    RegistryValueType type;
    Bytes stored;
    std::vector<uint16_t> loaded;
  } cases[] = {
      {"whole list", RegistryBinary, {9, 0, 1, 1, 0, 0}, {9, 257}},
      {"no terminator", RegistryBinary, {9, 0, 1, 1}, {9, 257}},
      {"odd length", RegistryBinary, {9, 0, 1, 1, 0}, {9, 257}},
      {"odd length without terminator", RegistryBinary, {9, 0, 4}, {9}},
      {"a 0 early", RegistryBinary, {9, 0, 0, 0, 3, 0, 0, 0}, {9}},
      {"empty value", RegistryBinary, {}, {}},
      {"one byte", RegistryBinary, {3}, {}},
      {"stored as text", RegistryText, {9, 0, 8, 0, 0, 0}, {9, 8}},
      {"stored as a number", RegistryNumber, {44, 0, 0, 0}, {44}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeReset();
    FakeRegistrySeed(SettingsKey, u"Bookmarks", c.type, c.stored);
    LoadBookmarks();
    ASSERT_NE(App.BookmarkList, nullptr);
    EXPECT_EQ(App.BookmarkCount, c.loaded.size());
    // The terminator is read at BookmarkCount: AddressSanitizer checks it is inside the list.
    EXPECT_EQ(App.BookmarkList[App.BookmarkCount], 0);
    EXPECT_EQ(List(), c.loaded);
    App.Lesson = 300;
    AddBookmark();
    EXPECT_EQ(App.BookmarkCount, c.loaded.size() + 1);
    EXPECT_EQ(App.BookmarkList[App.BookmarkCount], 0);
    FreeBookmarks();
  }
}

TEST_F(BookmarksTest, AHugeStoredListKeepsRoomForOneMore) {
  Bytes stored;
  for (uint32_t i = 0; i < 70000; ++i) stored.insert(stored.end(), {static_cast<uint8_t>(i % 255 + 1), 0});
  FakeRegistrySeed(SettingsKey, u"Bookmarks", RegistryBinary, stored);
  LoadBookmarks();
  EXPECT_EQ(App.BookmarkCount, 0xFFFE);
  EXPECT_EQ(App.BookmarkList[0xFFFE], 0);
  App.Lesson = 346;
  AddBookmark();
  EXPECT_EQ(App.BookmarkCount, 0xFFFF);
  App.Lesson = 345;
  AddBookmark();  // the count cannot grow any further
  EXPECT_EQ(App.BookmarkCount, 0xFFFF);
  EXPECT_EQ(App.BookmarkList[0xFFFF], 0);
}

TEST_F(BookmarksTest, AddKeepsTheListWhenMemoryRunsOut) {
  Bookmark(3);
  FakeMemory.FailAfter = 0;
  Bookmark(4);
  FakeMemory.FailAfter = -1;
  EXPECT_EQ(List(), (std::vector<uint16_t>{3}));
  EXPECT_EQ(App.BookmarkCount, 1);
  EXPECT_TRUE(FakeMessageBox.Calls.empty());
}

TEST_F(BookmarksTest, RemoveTakesEveryEqualEntry) {
  FakeRegistrySeed(SettingsKey, u"Bookmarks", RegistryBinary, {5, 0, 7, 0, 5, 0, 9, 0, 0, 0});
  LoadBookmarks();
  App.Lesson = 5;
  RemoveBookmark();
  EXPECT_EQ(List(), (std::vector<uint16_t>{7, 9}));
  EXPECT_EQ(App.BookmarkCount, 2);
  FreeBookmarks();
  RemoveBookmark();  // without a list
  EXPECT_EQ(App.BookmarkList, nullptr);
}

TEST_F(BookmarksTest, ToggleAsksBeforeRemoving) {
  App.MainWindow = reinterpret_cast<Window*>(0x1234);
  App.Lesson = 12;
  ToggleBookmark(IsBookmarked());
  EXPECT_EQ(List(), (std::vector<uint16_t>{12}));
  EXPECT_TRUE(FakeMessageBox.Calls.empty()) << "adding asks nothing";

  const struct {
    int answer;
    bool kept;
    bool asksAgain;
  } cases[] = {
      {AnswerNo, true, true},
      {AnswerYes, false, true},
      {AnswerOk, false, true},  // any other answer removes as Yes does
      {AnswerCancel, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    App.DontAskRemove = 0;
    FakeMessageBox.Calls.clear();
    FakeMessageBox.Answers = {c.answer};
    AddBookmark();
    ToggleBookmark(IsBookmarked());
    ASSERT_EQ(FakeMessageBox.Calls.size(), 1u);
    const FakeMessageBoxCall& box = FakeMessageBox.Calls[0];
    EXPECT_EQ(box.Owner, App.MainWindow);
    EXPECT_EQ(box.Text, u"Remove Bookmark?\n\nCancel - Don't ask again");
    EXPECT_EQ(box.Caption, u"Bookmark");
    EXPECT_TRUE(box.HasCaption);
    EXPECT_EQ(box.Flags, unsigned{BoxButtonsYesNoCancel});
    EXPECT_EQ(IsBookmarked(), c.kept);

    AddBookmark();
    FakeMessageBox.Answers = {AnswerNo};
    ToggleBookmark(IsBookmarked());
    EXPECT_EQ(FakeMessageBox.Calls.size(), c.asksAgain ? 2u : 1u);
    EXPECT_EQ(IsBookmarked(), c.asksAgain) << "No keeps it; without the question it goes";
  }
}

}  // namespace
