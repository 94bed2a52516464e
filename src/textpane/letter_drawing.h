// Measuring and drawing letter-code text on a drawing surface. The text is
// converted into the shared display buffer with the current letter base first.
#pragma once

#include <cstdint>

#include "platform/drawing.h"

// Measures in reading order (reversed display switched off for the call): how
// many of the count letter-code bytes fit in maxWidth. On return count holds
// the fitting characters and maxWidth their width (both 0 when the text cannot
// be converted).
void MeasureLetters(Surface* surface, const uint8_t* text, int32_t* maxWidth, int32_t* count);

// Draws count letter-code bytes as one line centred in the box (x, y, w, h),
// with the current reversed-display setting.
void DrawLetters(Surface* surface, const uint8_t* text, int32_t count, int32_t x, int32_t y, int32_t w,
                 int32_t h);

// DrawLetters in the given colours on an opaque background; the surface's
// colours and background mode are put back afterwards.
void DrawLettersColoured(Surface* surface, const uint8_t* text, int32_t count, int32_t x, int32_t y,
                         int32_t w, int32_t h, Colour textColour, Colour backColour);

// Fills the box (left, top, width, height) with the white stock brush.
void FillWhite(Surface* surface, int32_t left, int32_t top, int32_t width, int32_t height);
