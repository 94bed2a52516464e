#pragma once

// The fake drawing surface: deterministic metrics and a record of every drawing call.
//
// Metrics: every unit is FakeDrawing.LetterWidth pixels wide (6), a space
// FakeDrawing.SpaceWidth (3), unless Widths names the unit. A font's line
// height is the height it was made with (positive), -height * 5 / 4 for a
// character height, DefaultHeight (16) for 0; its maximum character width is
// half its line height, so that size rules show in the metrics.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/drawing.h"
#include "platform/handles.h"

struct Font {
  std::u16string Face;
  int32_t Height;  // as asked for
  int32_t Weight;
  uint32_t Look;
  int32_t LineHeight;
  int32_t MaxCharWidth;
  bool Default;  // a surface's default font: never freed by the program
};

struct Pen {
  Colour Value;
  bool Default;
};

struct Brush {
  Colour Value;
  bool Stock;
};

struct Bitmap {
  int Id;
  int32_t Width;
  int32_t Height;
};

struct Surface {
  Font* SelectedFont;
  Pen* SelectedPen;
  Brush* SelectedBrush;
  Colour Text;
  Colour Back;
  BackgroundMode Mode;
  Font DefaultFont;
  Pen DefaultPen;
};

enum FakeDrawKind {
  FakeDrawLineInBox,
  FakeDrawTextAt,
  FakeFillBox,
  FakeDrawBox,
  FakeCopyBitmap,
};

// One drawing call with the surface state it was made in.
struct FakeDrawCall {
  FakeDrawKind Kind;
  Surface* Target;
  std::u16string Text;  // text calls
  Rect Box;             // the box (DrawTextAt: the fill box, or all zero)
  int32_t X, Y;         // DrawTextAt's point, CopyBitmap's place
  Colour TextColour;
  Colour BackColour;
  BackgroundMode Mode;
  std::u16string FontFace;
  int32_t FontHeight;  // line height of the selected font
  int32_t FontWeight;
  Colour BrushColour;  // FillBox: its brush; DrawBox: the selected brush
  Colour PenColour;    // DrawBox: the selected pen
  int BitmapId;
};

struct FakeFace {
  std::u16string Face;
  int Charset;
};

struct FakeDrawingState {
  int32_t LetterWidth;
  int32_t SpaceWidth;
  int32_t DefaultHeight;
  std::map<char16_t, int32_t> Widths;  // per-unit widths that override the two above
  std::vector<FakeDrawCall> Calls;
  long MeasureFitCalls;
  long MeasureRunCalls;
  long FontsMade;     // successful MakeFont calls
  long FontsFreed;
  long FailFontsAfter;  // -1: never; n: n more fonts are made, then MakeFont fails
  long MisusedObjects;  // an object freed while selected, or freed twice
  std::vector<FakeFace> Faces;   // what ListFontFaces reports
  std::vector<int> MissingBitmaps;  // ids LoadBitmapResource answers nullptr for
  int32_t ScrollBarWidth;
  int32_t EdgeWidth;
  int32_t EdgeHeight;
  int32_t PixelsPerInchY;
};
extern FakeDrawingState FakeDrawing;

// A free-standing surface, as a window's would be (white background colour,
// black text, opaque mode, default font, black pen, white brush).
Surface* FakeCreateSurface();
// Releases a surface from FakeCreateSurface; unknown pointers are ignored.
void FakeFreeSurface(Surface* surface);
// Width of a unit on the fake.
int32_t FakeUnitWidth(char16_t unit);
// The drawing calls of one kind, in order.
std::vector<FakeDrawCall> FakeCallsOf(FakeDrawKind kind);

// Clears the record, restores the default metrics and frees leftover surfaces.
void FakeResetDrawing();
