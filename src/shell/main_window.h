// The main window: its message handling, the bar with the menus and toolbar,
// the check marks.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "platform/windows.h"

// Ids of the menu-bar buttons that open the two drop-down menus.
constexpr uint16_t GoButton = 40001;
constexpr uint16_t MarginelButton = 40003;

// How SetMenuCheck changes a check mark.
enum MenuCheckMode : int {
  MenuCheckSet = 0,     // the check becomes wanted
  MenuCheckToggle = 1,  // the check is inverted; wanted is ignored
};

// How UpdateReverseItem treats the Reverse item.
enum ReverseItemMode : int {
  ReverseShow = 0,    // the check shows FlagReverse
  ReverseToggle = 1,  // the check is inverted and FlagReverse follows it
};

// The main window's message handling.
intptr_t MainWindowHandler(const Message* message);

// Makes the bar: menu bar at the bottom or command bar at the top, the menus,
// the toolbar buttons. Sets MenuBarOnBottom (possibly), MenuBarWindow and MenuBarHeight.
void BuildMenuBar();

// The menu holding the Go items, and the one holding the bottom-section items
// (nullptr when the bar could not be made).
Menu* MainMenu();
Menu* BottomSectionMenu();

// Sets or toggles the check mark of item; returns the new state (1 checked, 0 not).
int SetMenuCheck(Menu* menu, uint16_t item, int mode, int wanted);

// The Bookmark check shows whether the current lesson is bookmarked.
void RefreshBookmarkCheck();

// The Reverse check (and, when toggled, FlagReverse).
void UpdateReverseItem(int mode);
