#include "settings/bookmarks.h"

#include <bit>
#include <cstring>

#include "documents/allocator.h"
#include "platform/memory.h"
#include "platform/message_box.h"
#include "settings/settings_store.h"
#include "shell/app_state.h"

// The list is kept in memory exactly as it is stored.
static_assert(std::endian::native == std::endian::little, "bookmarks are stored as little-endian units");

namespace {

// BookmarkCount is 16 bits: a loaded list keeps at most this many entries, so
// that one more can still be added and counted.
constexpr uint32_t MaxLoadedBookmarks = 0xFFFE;

}  // namespace

void FreeBookmarks() {
  MemFree(App.BookmarkList);
  App.BookmarkList = nullptr;
  App.BookmarkCount = 0;
}

void LoadBookmarks() {
  FreeBookmarks();
  uint32_t bytes = 0;
  uint8_t* stored = ReadBinarySetting(u"Bookmarks", &bytes);
  if (!stored) return;
  // A whole list ends with its one 0 unit. A value edited by hand may hold a
  // 0 early, no 0 at all, or an odd byte: keep the whole units before the
  // first 0 and terminate them.
  const uint32_t units = bytes / 2;
  uint16_t* list = reinterpret_cast<uint16_t*>(stored);
  uint32_t count = 0;
  while (count < units && count < MaxLoadedBookmarks && list[count] != 0) ++count;
  if (count == units) {
    // No room for the terminator: take a buffer one unit longer.
    uint16_t* longer = static_cast<uint16_t*>(AllocateOrAbort((count + std::size_t{1}) * 2));
    if (!longer) {
      MemFree(stored);
      return;
    }
    if (count) std::memcpy(longer, list, count * std::size_t{2});
    MemFree(stored);
    list = longer;
  }
  list[count] = 0;
  App.BookmarkList = list;
  App.BookmarkCount = static_cast<uint16_t>(count);
}

void SaveBookmarks() {
  if (App.BookmarkList) {
    WriteBinarySetting(u"Bookmarks", App.BookmarkList, (App.BookmarkCount + 1u) * 2u);
  } else {
    const uint16_t none = 0;
    WriteBinarySetting(u"Bookmarks", &none, sizeof none);
  }
}

bool IsBookmarked() {
  if (!App.BookmarkList || App.BookmarkCount == 0) return false;
  for (const uint16_t* entry = App.BookmarkList; *entry != 0; ++entry)
    if (*entry == App.Lesson) return true;
  return false;
}

void AddBookmark() {
  // 0 would end the list; a full count cannot grow.
  if (App.Lesson == 0 || App.BookmarkCount == 0xFFFF || IsBookmarked()) return;
  const std::size_t count = App.BookmarkCount;
  uint16_t* longer = static_cast<uint16_t*>(MemAlloc((count + 2) * 2));
  if (!longer) return;
  if (App.BookmarkList && count) std::memcpy(longer, App.BookmarkList, count * 2);
  MemFree(App.BookmarkList);
  longer[count] = App.Lesson;
  longer[count + 1] = 0;
  App.BookmarkList = longer;
  App.BookmarkCount = static_cast<uint16_t>(count + 1);
}

void RemoveBookmark() {
  if (!App.BookmarkList) return;
  uint16_t* kept = App.BookmarkList;
  for (const uint16_t* entry = App.BookmarkList; *entry != 0; ++entry) {
    if (*entry == App.Lesson) {
      if (App.BookmarkCount) --App.BookmarkCount;
    } else {
      *kept++ = *entry;
    }
  }
  *kept = 0;
}

void ToggleBookmark(bool isBookmarked) {
  if (!isBookmarked) {
    AddBookmark();
    return;
  }
  if (!App.DontAskRemove) {
    const int answer = ShowMessageBox(App.MainWindow, u"Remove Bookmark?\n\nCancel - Don't ask again", u"Bookmark",
                                      BoxButtonsYesNoCancel);
    if (answer == AnswerNo) return;
    if (answer == AnswerCancel) App.DontAskRemove = 1;
  }
  RemoveBookmark();
}
