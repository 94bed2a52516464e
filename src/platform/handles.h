// Opaque handles shared by the platform interface. Each platform (src/platform/qt,
// tests/fake) defines the structs; the program only passes pointers around.
#pragma once

#include <cstdint>

struct Instance;   // the program's module: where its resources live
struct Window;     // a top-level window, a dialog or a control
struct Surface;    // a drawing surface (a window's retained image)
struct Font;
struct Pen;
struct Brush;
struct Bitmap;
struct Menu;

// A rectangle in pixels: left and top inside, right and bottom just outside.
struct Rect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};
