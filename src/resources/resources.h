// The program's own resources, found by type and id through the platform's
// resource lookup (platform/resources.h). Typed resources (menus, dialog
// templates, strings, bitmaps) are C++ records in this folder; the lesson
// documents are raw bytes from the compiled content bundle.
#pragma once

#include <cstdint>

enum ResourceType : uint16_t {
  ResourceBitmap = 2,
  ResourceMenu = 4,
  ResourceDialog = 5,
  ResourceString = 6,
  ResourceRawData = 10,  // lesson documents and the index
  ResourceIcon = 14,
  ResourceBar = 0x100,   // the menu-bar description
};

// One typed resource: Data points at the record of the resource's type
// (a zero-terminated char16_t text for a string).
struct ResourceEntry {
  uint16_t Type;
  uint16_t Id;
  const void* Data;
  uint32_t Size;  // bytes of Data where it is raw bytes; 0 for records
};

// Every typed resource of the program, ended by an entry of type 0.
extern const ResourceEntry ProgramResources[];

// A menu item: its command id and text; a separator has id 0 and no text. The
// byte 0x08 separates the label from a key hint shown right-aligned.
struct MenuItemResource {
  uint16_t Id;
  const char16_t* Text;
};

// A drop-down menu: its title and items.
struct SubmenuResource {
  const char16_t* Title;
  const MenuItemResource* Items;
  int Count;
};

// A menu resource (ResourceMenu): drop-down menus side by side.
struct MenuResource {
  const SubmenuResource* Submenus;
  int Count;
};

// A drop-down button of a menu-bar description: its id, the string resource
// of its label and the submenu of the bar's menu it opens.
struct BarButtonResource {
  uint16_t Id;
  uint16_t StringId;
  int Submenu;
};

// A menu-bar description (ResourceBar): the menu and its drop-down buttons.
struct BarResource {
  uint16_t MenuId;
  const BarButtonResource* Buttons;
  int Count;
};

// A bitmap or icon (ResourceBitmap, ResourceIcon): a monochrome XBM picture
// (Bits, rows of (Width + 7) / 8 bytes, lowest bit leftmost, 1 = black) or a
// coloured XPM picture (Xpm, the lines of the XPM array).
struct BitmapResource {
  int Width;
  int Height;
  const unsigned char* Bits;
  const char* const* Xpm;
};
