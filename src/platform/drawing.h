// Drawing surface: the 2D operations the program draws with. A surface is a
// window's retained image into which one font, one pen and one brush are
// selected at a time, with a text colour, a background colour and a background
// mode. Text is always measured and drawn in exactly the order given, left to
// right: the platform never reorders right-to-left text or mirrors brackets.
// Colours are 0x00BBGGRR values. Widths are whole pixels, rounded up, so that a
// box of a measured width never clips the text measured.
//
// Window surfaces are handed out by the window platform; the fake platform
// makes free-standing ones (tests/fake/fake_drawing.h).
#pragma once

#include <cstdint>

#include "platform/handles.h"

using Colour = uint32_t;  // 0x00BBGGRR: 0xFF0000 is blue, 0x0000FF red

enum FontWeight : int32_t {
  WeightNormal = 400,
  WeightBold = 700,
  WeightHeavy = 800,
};

enum FontLook : uint32_t {
  FontPlain = 0,
  FontUnderlined = 1,
};

enum BackgroundMode : int {
  BackgroundTransparent = 1,  // text is drawn over what is there
  BackgroundOpaque = 2,       // the box behind text is filled with the background colour
};

enum StockBrushKind : int {
  StockWhite = 0,
  StockBlack = 4,
};

// Character set a face reports in ListFontFaces.
enum FontCharset : int {
  CharsetDefault = 0,
  CharsetHebrew = 177,
};

enum PlatformMetricKind : int {
  MetricScrollBarWidth = 1,  // width of a vertical scroll bar
  MetricEdgeWidth = 2,       // width of a three-dimensional edge
  MetricEdgeHeight = 3,      // height of a three-dimensional edge
  MetricPixelsPerInchY = 4,  // the screen's vertical pixels per inch
};

struct FontMetrics {
  int32_t LineHeight;    // cell height: ascent + descent, whole pixels
  int32_t MaxCharWidth;  // widest character of the font
};

struct TextSize {
  int32_t Width;
  int32_t Height;
};

// Makes a font. face: zero-terminated, at most 32 units, empty or nullptr for the
// platform's default face. height > 0: the cell height (whole line height) in
// pixels; height < 0: the character height -height pixels; 0: the platform's
// default. Returns a new font the caller frees with FreeObject, or nullptr.
Font* MakeFont(const char16_t* face, int32_t height, int32_t weight, uint32_t look);

// Solid one-pixel pen of a colour; the caller frees it with FreeObject. nullptr on failure.
Pen* MakePen(Colour colour);
// Solid brush of a colour; the caller frees it with FreeObject. nullptr on failure.
Brush* MakeBrush(Colour colour);
// The platform's ready-made white or black brush; never freed (FreeObject ignores it).
Brush* StockBrush(StockBrushKind kind);

// Release an object the program made; nullptr and stock brushes are ignored.
// An object must not be freed while a surface has it selected.
void FreeObject(Font* font);
void FreeObject(Pen* pen);
void FreeObject(Brush* brush);

// Select an object into the surface and return the one it replaced, which the
// caller puts back when done. A surface starts with its default font (the
// platform's default face and height), a black pen and the white stock brush;
// those defaults are what the first replacement returns (FreeObject ignores
// them). Selecting nullptr changes nothing and returns nullptr.
Font* UseObject(Surface* surface, Font* font);
Pen* UseObject(Surface* surface, Pen* pen);
Brush* UseObject(Surface* surface, Brush* brush);

// Line height and maximum character width of the selected font.
FontMetrics ReadFontMetrics(Surface* surface);
// How many of the count leading units of text fit in maxWidth pixels with the
// selected font (0 when maxWidth < the first unit's width). Counted from text[0].
int32_t MeasureFit(Surface* surface, const char16_t* text, int32_t count, int32_t maxWidth);
// Width (rounded up) and line height of the first count units of text in the selected font.
TextSize MeasureRun(Surface* surface, const char16_t* text, int32_t count);

// Draws count units as one line, centred both ways in box and clipped to it, in
// the text colour; in opaque mode the text's own cell is first filled with the
// background colour. '&' is an ordinary character.
void DrawLineInBox(Surface* surface, const char16_t* text, int32_t count, const Rect* box);
// Fills box (nullptr: none) with the background colour, then draws count units
// with the top-left of the first character's cell at (x, y).
void DrawTextAt(Surface* surface, int32_t x, int32_t y, const Rect* box, const char16_t* text,
                int32_t count);
// Fills box with brush; the selected objects are not changed.
void FillBox(Surface* surface, const Rect* box, Brush* brush);
// Outlines box with the selected pen and fills its inside with the selected
// brush; a box one pixel high (or wide) is a one-pixel line in the pen's colour.
void DrawBox(Surface* surface, const Rect* box);

// Text colour: read, or set returning the previous one.
Colour ReadTextColour(Surface* surface);
Colour SetTextColour(Surface* surface, Colour colour);
// Background colour: read, or set returning the previous one.
Colour ReadBackColour(Surface* surface);
Colour SetBackColour(Surface* surface, Colour colour);
// Background mode: read, or set returning the previous one.
BackgroundMode ReadBackgroundMode(Surface* surface);
BackgroundMode SetBackgroundMode(Surface* surface, BackgroundMode mode);

// Loads bitmap resource id (113, 114, 119, 201-203); nullptr when there is none.
// The caller frees it with FreeBitmap.
Bitmap* LoadBitmapResource(int id);
// Releases a bitmap; nullptr is ignored.
void FreeBitmap(Bitmap* bitmap);
// Width and height of a bitmap in pixels ({0, 0} for nullptr).
TextSize BitmapSize(Bitmap* bitmap);
// Copies the whole bitmap (the index icons are 9 by 9) with its top-left at (x, y).
// A monochrome bitmap is drawn black on white.
void CopyBitmap(Surface* surface, Bitmap* bitmap, int32_t x, int32_t y);
// Copies the part source of a bitmap (a cell of a strip) with its top-left at (x, y).
void CopyBitmapPart(Surface* surface, Bitmap* bitmap, const Rect* source, int32_t x, int32_t y);

// Calls visit once per installed font family with its zero-terminated face name
// and character set (CharsetHebrew when it can show Hebrew), until visit returns
// 0. Returns the number of calls made.
using FontFaceVisitor = int (*)(const char16_t* face, int charset, void* context);
int ListFontFaces(Surface* surface, FontFaceVisitor visit, void* context);

// A platform metric in pixels (pixels per inch for MetricPixelsPerInchY).
int32_t PlatformMetric(PlatformMetricKind kind);
