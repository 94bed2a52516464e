// A text pane: one laid-out, scrollable view of an article document inside a
// rectangle of a window, with its line table and a small cache of fonts, one
// per style. The layout, painting and scrolling operations live in layout.h
// and paint.h.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "textpane/font_spec.h"

// One screen line of a laid-out document.
struct LineRecord {
  uint16_t TextOffset;  // document offset of the line's first stored character
  uint16_t Length;      // characters of the line's text (hanging word not counted)
  uint16_t X;           // window x of the left edge of the line's text
  uint16_t HangWidth;   // hanging-word column on a paragraph's first line, else 0
  uint16_t Width;       // measured width of the text; a rule's length
  uint16_t Height;      // line height
  uint8_t Style;        // the record's StyleByte; the blank-after bit only on a paragraph's last line
};

// One font of a pane's (or the index view's) cache, keyed by StyleByte & 0x1F.
struct CachedFont {
  CachedFont* next;
  Font* font;  // nullptr once released
  uint8_t FontKey;
};

struct TextPane {
  LineRecord* Lines;   // owned: Capacity lines plus a terminator
  struct Surface* Surface;  // not owned; shared by both panes
  uint8_t* Document;   // owned; nullptr before the first layout
  int32_t PaintedLines;
  FontSpec Font;
  CachedFont* FontCache;  // owned
  int32_t Left;
  int32_t Top;
  int32_t Width;
  int32_t Height;
  uint16_t FirstVisible;
  uint16_t DisplayLines;
  uint16_t LineCount;
  uint16_t Capacity;
  uint16_t MaxFirstVisible;
  uint16_t HighlightStart;
  uint16_t HighlightEnd;
};

// Added to a StyleByte passed to SelectStyleFont: also set the style's text colour.
constexpr uint32_t ApplyColour = 0x100;

// Text colours of the styles (0x00BBGGRR).
constexpr uint32_t ColourPlain = 0x000000;
constexpr uint32_t ColourSmaller = 0x800000;  // navy
constexpr uint32_t ColourTitle = 0xFF0000;    // blue: larger and bold

// Makes an empty pane on surface. rect (may be nullptr) gives Left, Top and the
// size; initialCapacity > 0 allocates a line table of that many lines (a pane
// without one is still returned when that fails). Returns nullptr when surface
// is nullptr or the pane cannot be allocated; DestroyTextPane frees it.
TextPane* CreateTextPane(Surface* surface, const Rect* rect, const FontSpec* fontSpec,
                         uint16_t initialCapacity);

// Stores a new size and lays the document out again (FirstVisible kept, nothing
// painted). Returns -1 for no pane, -5 (nothing changed) for a width or height
// of 0 or less, else the layout's status.
int ResizeTextPane(TextPane* pane, int32_t width, int32_t height);

// Takes a copy of fontSpec, remakes every cached font, lays out again and
// paints with erasing. Returns -1 for no pane, 1 when the layout did not
// succeed (a pane without a document included), else the paint's result.
int SetPaneFont(TextPane* pane, const FontSpec* fontSpec);

// Selects the font of StyleByte (style & 0x1F picks it; bits above it don't
// matter), making and caching it on first use; with ApplyColour added also sets
// the style's text colour. Returns the font it replaced (nullptr for no pane).
Font* SelectStyleFont(TextPane* pane, uint32_t style);

// Releases every cached font; the entries stay, without fonts.
void ReleaseFonts(TextPane* pane);

// Frees the pane's document, line table, fonts and the pane; nullptr is ignored.
void DestroyTextPane(TextPane* pane);

// The font of a FontKey made from font, by the size and weight rules of the
// styles (also used by the index view). nullptr when it cannot be made.
Font* MakeStyleFont(const FontSpec* font, uint8_t fontKey);
