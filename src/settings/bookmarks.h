// Bookmarks: the list of bookmarked lessons (AppState's BookmarkList and
// BookmarkCount), stored as the binary value "Bookmarks" under SettingsKey:
// the lesson numbers as 16-bit little-endian units in the order added, then a
// 0 unit. The list in memory, when there is one, always ends with a 0 entry.
#pragma once

// Replaces the list with the stored one (no list when the value is missing).
// A stored value that is not a whole terminated list keeps the entries before
// its first 0 unit, whole units only, and is terminated in memory.
void LoadBookmarks();

// Writes the list, BookmarkCount + 1 units; two zero bytes when there is none.
void SaveBookmarks();

// Releases the list and marks it absent.
void FreeBookmarks();

// True when the list holds the current lesson.
bool IsBookmarked();

// Appends the current lesson unless the list holds it; when memory for the
// longer list cannot be had nothing changes.
void AddBookmark();

// Removes every entry equal to the current lesson.
void RemoveBookmark();

// The Bookmark command (isBookmarked from IsBookmarked): adds the current
// lesson, or removes it after asking "Remove Bookmark?" unless DontAskRemove;
// No keeps it, Cancel removes it and stops the question until the next start.
void ToggleBookmark(bool isBookmarked);
