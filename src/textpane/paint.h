// Painting and scrolling a text pane. Both count display lines: a line whose
// style has the blank-after bit is followed by a blank line of its height.
#pragma once

#include <cstdint>

#include "textpane/text_pane.h"

// Whether PaintTextPane fills the pane white first.
enum PaintErase : int { KeepBackground = 0, EraseFirst = 1 };

// Whether ScrollTextPane paints after moving.
enum ScrollRepaint : int { ScrollOnly = 0, ScrollAndPaint = 1 };

// Highlight colours (0x00BBGGRR): blue text on yellow.
constexpr uint32_t HighlightText = 0xFF0000;
constexpr uint32_t HighlightBack = 0x00FFFF;

// Draws the lines that fit whole from FirstVisible on, then the highlighted
// range. Returns -1 when the pane, its document or its table is missing, else
// 0 (or PaintHighlight's result). Sets PaintedLines; leaves the surface's font
// and text colour as it found them.
int PaintTextPane(TextPane* pane, int erase);

// Draws the highlighted part of the visible lines over what is there.
// Returns -1 as PaintTextPane, else 0.
int PaintHighlight(TextPane* pane);

// Draws the highlighted part of one run of stored text (length characters at
// run, a pointer into the pane's document) whose line starts at (x, y).
void PaintHighlightRun(TextPane* pane, const uint8_t* run, int32_t length, int32_t x, int32_t y);

// Moves FirstVisible by delta display lines. Returns -1 for no pane, 1 when
// nothing changed, 3 when it moved and nothing was painted; with
// ScrollAndPaint the result of PaintTextPane(pane, EraseFirst).
int ScrollTextPane(TextPane* pane, int32_t delta, int repaint);
