// Menus and the bar: the strip that holds the program's drop-down menus and
// toolbar buttons, at the top of the window (command bar) or at its bottom
// (menu bar), and the check marks of menu items.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// One toolbar button: the image's index in the bar's bitmap strip and the
// command id it sends to the owner window (MsgCommand).
struct BarButton {
  int Image;
  uint16_t Command;
};

// Makes the menu bar at the bottom of owner from bar description barId
// (resources.h: ResourceBar), whose drop-down buttons open the submenus of its
// menu. Returns the bar, or nullptr when it cannot be made.
Window* CreateMenuBar(Window* owner, Instance* instance, uint16_t barId);

// Makes an empty command bar at the top of owner. Returns it, or nullptr.
Window* CreateCommandBar(Window* owner, Instance* instance, int barId);

// The height in pixels a bar takes from its owner's client area (0 for nullptr).
int BarHeight(Window* bar);

// Puts menu resource menuId on a command bar as drop-down buttons, one per
// submenu, starting at button position. False when it fails.
bool InsertBarMenu(Window* bar, Instance* instance, uint16_t menuId, int position);

// Sets the tooltip texts of the bar's buttons: texts[0] is unused, texts[i] is
// the tooltip of the i-th toolbar button. The texts are copied.
void SetBarTooltips(Window* bar, const char16_t* const* texts, int count);

// Adds bitmap resource bitmapId as count images of 16 x 16 pixels, side by side.
void AddBarBitmap(Window* bar, Instance* instance, uint16_t bitmapId, int count);

// Adds toolbar buttons (enabled push buttons showing their image, no text).
void AddBarButtons(Window* bar, const BarButton* buttons, int count);

// Adds a close button to a command bar; it closes the owner window (MsgClose).
void AddBarCloseButton(Window* bar);

// Shows the bar.
void ShowBar(Window* bar);

// The submenu that a menu bar's drop-down button opens, or nullptr.
Menu* BarButtonMenu(Window* bar, uint16_t buttonId);

// The menu of a command bar (the one InsertBarMenu put there), or nullptr.
Menu* CommandBarMenu(Window* bar);

// Check marks by command id, searched in the menu and its submenus. Nothing
// happens (false) for nullptr or an id not in the menu.
bool IsMenuItemChecked(Menu* menu, uint16_t id);
void SetMenuItemChecked(Menu* menu, uint16_t id, int checked);

// Puts a radio check on item id and takes it off every other item first..last.
void SetMenuRadio(Menu* menu, uint16_t first, uint16_t last, uint16_t id);
