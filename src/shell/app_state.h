// AppState: the one program-wide record. All zero when the program starts.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "textpane/font_spec.h"

struct TextPane;

// Option bits of AppState::Flags (kept and written back whole; unnamed bits
// have no effect).
enum : uint32_t {
  FlagScrollBars = 0x000000C0,
  FlagReverse = 0x00000800,
  FlagKeyPaging = 0x00700000,
  FlagTapPaging = 0x07000000,
  FlagTapVertical = 0x10000000,
  FlagTapPages = 0x80000000,
};

struct AppState {
  // Start-up and global options.
  Instance* instance;
  int FullScreen;
  Window* TaskBar;
  int TaskBarWasVisible;
  int IgnoreActivate;
  int AllowSipInHebrewSearch;
  int MenuBarOnBottom;
  int SurroundingGutter;

  // Settings held while the program runs.
  FontSpec font;
  uint16_t LastPosition;
  uint32_t Flags;
  uint16_t Lesson;
  uint8_t SearchString[34];  // the search pattern, zero-terminated
  int SettingsLoaded;        // set by LoadSettings, cleared by SaveSettings: only loaded settings are saved

  // Main window and its bar.
  Window* MainWindow;
  Window* MenuBarWindow;
  int MenuBarHeight;

  // The index tree's icons: plus box, minus box, page (resources 201-203).
  Bitmap* IndexBitmaps[3];

  // Bookmarks: lesson numbers in the order added, ended by 0; may be absent.
  uint16_t* BookmarkList;
  uint16_t BookmarkCount;
  int DontAskRemove;

  // Pane layout.
  TextPane* TopPane;
  TextPane* BottomPane;
  TextPane* ActivePane;  // none means TopPane
  Window* TopScrollBar;
  Window* BottomScrollBar;
  Window* ActiveScrollBar;
  Rect BottomRect;
  int32_t LastClientWidth;
  int32_t LastClientHeight;
  int BottomSection;  // tens digit over units digit: the commentary's share of the height
  uint16_t BottomSectionLastPosition;
  int Gutter;
};

extern AppState App;

// Clears AppState to all zero, as at program start (tests start from here).
void ResetAppState();
