#include "fake/fake_drawing.h"

#include <algorithm>

FakeDrawingState FakeDrawing;

namespace {

std::vector<Surface*> LiveSurfaces;
Brush WhiteBrush{0xFFFFFF, true};
Brush BlackBrush{0x000000, true};

void SetFontMetrics(Font* font) {
  int32_t line = font->Height > 0   ? font->Height
                 : font->Height < 0 ? -font->Height * 5 / 4
                                    : FakeDrawing.DefaultHeight;
  font->LineHeight = line;
  font->MaxCharWidth = line / 2;
}

bool IsSelectedAnywhere(const void* object) {
  for (Surface* s : LiveSurfaces) {
    if (s->SelectedFont == object || s->SelectedPen == object || s->SelectedBrush == object) return true;
  }
  return false;
}

void Record(Surface* surface, FakeDrawKind kind, const char16_t* text, int32_t count, const Rect* box,
            int32_t x, int32_t y) {
  FakeDrawCall call{};
  call.Kind = kind;
  call.Target = surface;
  if (text && count > 0) call.Text.assign(text, static_cast<size_t>(count));
  if (box) call.Box = *box;
  call.X = x;
  call.Y = y;
  call.TextColour = surface->Text;
  call.BackColour = surface->Back;
  call.Mode = surface->Mode;
  call.FontFace = surface->SelectedFont->Face;
  call.FontHeight = surface->SelectedFont->LineHeight;
  call.FontWeight = surface->SelectedFont->Weight;
  call.BrushColour = surface->SelectedBrush->Value;
  call.PenColour = surface->SelectedPen->Value;
  FakeDrawing.Calls.push_back(call);
}

}  // namespace

Surface* FakeCreateSurface() {
  Surface* s = new Surface{};
  s->DefaultFont = Font{u"", 0, WeightNormal, FontPlain, 0, 0, true};
  SetFontMetrics(&s->DefaultFont);
  s->DefaultPen = Pen{0x000000, true};
  s->SelectedFont = &s->DefaultFont;
  s->SelectedPen = &s->DefaultPen;
  s->SelectedBrush = &WhiteBrush;
  s->Text = 0x000000;
  s->Back = 0xFFFFFF;
  s->Mode = BackgroundOpaque;
  LiveSurfaces.push_back(s);
  return s;
}

void FakeFreeSurface(Surface* surface) {
  auto it = std::find(LiveSurfaces.begin(), LiveSurfaces.end(), surface);
  if (it == LiveSurfaces.end()) return;
  LiveSurfaces.erase(it);
  delete surface;
}

int32_t FakeUnitWidth(char16_t unit) {
  auto it = FakeDrawing.Widths.find(unit);
  if (it != FakeDrawing.Widths.end()) return it->second;
  return unit == u' ' ? FakeDrawing.SpaceWidth : FakeDrawing.LetterWidth;
}

std::vector<FakeDrawCall> FakeCallsOf(FakeDrawKind kind) {
  std::vector<FakeDrawCall> out;
  for (const FakeDrawCall& c : FakeDrawing.Calls) {
    if (c.Kind == kind) out.push_back(c);
  }
  return out;
}

void FakeResetDrawing() {
  while (!LiveSurfaces.empty()) FakeFreeSurface(LiveSurfaces.back());
  FakeDrawing = {};
  FakeDrawing.LetterWidth = 6;
  FakeDrawing.SpaceWidth = 3;
  FakeDrawing.DefaultHeight = 16;
  FakeDrawing.FailFontsAfter = -1;
  FakeDrawing.Faces = {{u"David", CharsetHebrew}, {u"DejaVu Sans", CharsetDefault},
                       {u"Frank Ruehl", CharsetHebrew}};
  FakeDrawing.ScrollBarWidth = 13;
  FakeDrawing.EdgeWidth = 2;
  FakeDrawing.EdgeHeight = 2;
  FakeDrawing.PixelsPerInchY = 96;
}

// --- objects ---

Font* MakeFont(const char16_t* face, int32_t height, int32_t weight, uint32_t look) {
  if (FakeDrawing.FailFontsAfter == 0) return nullptr;
  if (FakeDrawing.FailFontsAfter > 0) --FakeDrawing.FailFontsAfter;
  Font* f = new Font{};
  if (face) {
    for (int i = 0; i < 32 && face[i]; ++i) f->Face.push_back(face[i]);
  }
  f->Height = height;
  f->Weight = weight;
  f->Look = look;
  SetFontMetrics(f);
  ++FakeDrawing.FontsMade;
  return f;
}

void FreeObject(Font* font) {
  if (!font || font->Default) return;
  if (IsSelectedAnywhere(font)) ++FakeDrawing.MisusedObjects;
  ++FakeDrawing.FontsFreed;
  delete font;
}

Pen* MakePen(Colour colour) { return new Pen{colour, false}; }

void FreeObject(Pen* pen) {
  if (!pen || pen->Default) return;
  if (IsSelectedAnywhere(pen)) ++FakeDrawing.MisusedObjects;
  delete pen;
}

Brush* MakeBrush(Colour colour) { return new Brush{colour, false}; }

Brush* StockBrush(StockBrushKind kind) { return kind == StockBlack ? &BlackBrush : &WhiteBrush; }

void FreeObject(Brush* brush) {
  if (!brush || brush->Stock) return;
  if (IsSelectedAnywhere(brush)) ++FakeDrawing.MisusedObjects;
  delete brush;
}

Font* UseObject(Surface* surface, Font* font) {
  if (!font) return nullptr;
  Font* old = surface->SelectedFont;
  surface->SelectedFont = font;
  return old;
}

Pen* UseObject(Surface* surface, Pen* pen) {
  if (!pen) return nullptr;
  Pen* old = surface->SelectedPen;
  surface->SelectedPen = pen;
  return old;
}

Brush* UseObject(Surface* surface, Brush* brush) {
  if (!brush) return nullptr;
  Brush* old = surface->SelectedBrush;
  surface->SelectedBrush = brush;
  return old;
}

// --- metrics and measuring ---

FontMetrics ReadFontMetrics(Surface* surface) {
  return {surface->SelectedFont->LineHeight, surface->SelectedFont->MaxCharWidth};
}

int32_t MeasureFit(Surface*, const char16_t* text, int32_t count, int32_t maxWidth) {
  ++FakeDrawing.MeasureFitCalls;
  int32_t width = 0;
  int32_t n = 0;
  for (; n < count; ++n) {
    width += FakeUnitWidth(text[n]);
    if (width > maxWidth) break;
  }
  return n;
}

TextSize MeasureRun(Surface* surface, const char16_t* text, int32_t count) {
  ++FakeDrawing.MeasureRunCalls;
  int32_t width = 0;
  for (int32_t i = 0; i < count; ++i) width += FakeUnitWidth(text[i]);
  return {width, surface->SelectedFont->LineHeight};
}

// --- drawing ---

void DrawLineInBox(Surface* surface, const char16_t* text, int32_t count, const Rect* box) {
  Record(surface, FakeDrawLineInBox, text, count, box, 0, 0);
}

void DrawTextAt(Surface* surface, int32_t x, int32_t y, const Rect* box, const char16_t* text,
                int32_t count) {
  Record(surface, FakeDrawTextAt, text, count, box, x, y);
}

void FillBox(Surface* surface, const Rect* box, Brush* brush) {
  Record(surface, FakeFillBox, nullptr, 0, box, 0, 0);
  FakeDrawing.Calls.back().BrushColour = brush ? brush->Value : 0;
}

void DrawBox(Surface* surface, const Rect* box) { Record(surface, FakeDrawBox, nullptr, 0, box, 0, 0); }

Colour ReadTextColour(Surface* surface) { return surface->Text; }

Colour SetTextColour(Surface* surface, Colour colour) {
  Colour old = surface->Text;
  surface->Text = colour;
  return old;
}

Colour ReadBackColour(Surface* surface) { return surface->Back; }

Colour SetBackColour(Surface* surface, Colour colour) {
  Colour old = surface->Back;
  surface->Back = colour;
  return old;
}

BackgroundMode ReadBackgroundMode(Surface* surface) { return surface->Mode; }

BackgroundMode SetBackgroundMode(Surface* surface, BackgroundMode mode) {
  BackgroundMode old = surface->Mode;
  surface->Mode = mode;
  return old;
}

// --- bitmaps ---

Bitmap* LoadBitmapResource(int id) {
  static const int Known[] = {113, 114, 119, 201, 202, 203};
  if (std::find(std::begin(Known), std::end(Known), id) == std::end(Known)) return nullptr;
  if (std::find(FakeDrawing.MissingBitmaps.begin(), FakeDrawing.MissingBitmaps.end(), id) !=
      FakeDrawing.MissingBitmaps.end())
    return nullptr;
  const int32_t side = id >= 201 ? 9 : 16;
  return new Bitmap{id, side, side};
}

void FreeBitmap(Bitmap* bitmap) { delete bitmap; }

TextSize BitmapSize(Bitmap* bitmap) {
  if (!bitmap) return {0, 0};
  return {bitmap->Width, bitmap->Height};
}

void CopyBitmap(Surface* surface, Bitmap* bitmap, int32_t x, int32_t y) {
  if (!bitmap) return;
  Rect box{x, y, x + bitmap->Width, y + bitmap->Height};
  Record(surface, FakeCopyBitmap, nullptr, 0, &box, x, y);
  FakeDrawing.Calls.back().BitmapId = bitmap->Id;
}

void CopyBitmapPart(Surface* surface, Bitmap* bitmap, const Rect* source, int32_t x, int32_t y) {
  if (!bitmap || !source) return;
  Rect box{x, y, x + source->Right - source->Left, y + source->Bottom - source->Top};
  Record(surface, FakeCopyBitmap, nullptr, 0, &box, x, y);
  FakeDrawing.Calls.back().BitmapId = bitmap->Id;
}

// --- fonts and metrics of the platform ---

int ListFontFaces(Surface*, FontFaceVisitor visit, void* context) {
  int calls = 0;
  for (const FakeFace& f : FakeDrawing.Faces) {
    ++calls;
    if (!visit(f.Face.c_str(), f.Charset, context)) break;
  }
  return calls;
}

int32_t PlatformMetric(PlatformMetricKind kind) {
  switch (kind) {
    case MetricScrollBarWidth: return FakeDrawing.ScrollBarWidth;
    case MetricEdgeWidth: return FakeDrawing.EdgeWidth;
    case MetricEdgeHeight: return FakeDrawing.EdgeHeight;
    case MetricPixelsPerInchY: return FakeDrawing.PixelsPerInchY;
  }
  return 0;
}
