#include "textpane/letter_drawing.h"

#include "documents/letter_code.h"
#include "shell/app_state.h"

void MeasureLetters(Surface* surface, const uint8_t* text, int32_t* maxWidth, int32_t* count) {
  // Widths belong to the text in stored order: mirroring applies only to drawing.
  const uint32_t saved = App.Flags;
  App.Flags &= ~FlagReverse;
  const int32_t wanted = *count > 0 ? *count : 0;
  // Without mirroring each byte converts on its own, so a prefix measures the
  // same as the whole; converting a growing prefix keeps a long paragraph from
  // being converted again for every line.
  int32_t prefix = wanted < 256 ? wanted : 256;
  int32_t fit = 0;
  int32_t length = 0;
  const char16_t* units = nullptr;
  while (true) {
    units = MakeDisplayText(text, static_cast<size_t>(prefix), &SharedDisplayBuffer);
    if (!units) break;
    // A zero byte inside the count ends the text early.
    length = 0;
    while (length < prefix && units[length]) ++length;
    fit = MeasureFit(surface, units, length, *maxWidth);
    if (fit < length || length < prefix || prefix == wanted) break;
    prefix = prefix > wanted / 2 ? wanted : prefix * 2;
  }
  App.Flags = saved;
  if (!units) {
    *count = 0;
    *maxWidth = 0;
    return;
  }
  *count = fit;
  *maxWidth = fit > 0 ? MeasureRun(surface, units, fit).Width : 0;
}

void DrawLetters(Surface* surface, const uint8_t* text, int32_t count, int32_t x, int32_t y, int32_t w,
                 int32_t h) {
  if (count <= 0) return;
  const char16_t* units = MakeDisplayText(text, static_cast<size_t>(count), &SharedDisplayBuffer);
  if (!units) return;
  // A zero byte inside the count ends the text early.
  int32_t n = 0;
  while (n < count && units[n]) ++n;
  const Rect box{x, y, x + w, y + h};
  DrawLineInBox(surface, units, n, &box);
}

void DrawLettersColoured(Surface* surface, const uint8_t* text, int32_t count, int32_t x, int32_t y,
                         int32_t w, int32_t h, Colour textColour, Colour backColour) {
  const BackgroundMode mode = SetBackgroundMode(surface, BackgroundOpaque);
  const Colour back = SetBackColour(surface, backColour);
  const Colour fore = SetTextColour(surface, textColour);
  DrawLetters(surface, text, count, x, y, w, h);
  SetBackColour(surface, back);
  SetTextColour(surface, fore);
  SetBackgroundMode(surface, mode);
}

void FillWhite(Surface* surface, int32_t left, int32_t top, int32_t width, int32_t height) {
  const Rect box{left, top, left + width, top + height};
  FillBox(surface, &box, StockBrush(StockWhite));
}
