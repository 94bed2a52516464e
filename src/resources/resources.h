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
