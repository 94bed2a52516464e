#include "textpane/paint.h"

#include <cstring>

#include "documents/letter_code.h"
#include "platform/drawing.h"
#include "shell/app_state.h"
#include "textpane/letter_drawing.h"
#include "documents/record_format.h"

namespace {

struct VisibleStart {
  const LineRecord* line;
  int32_t y;
  int32_t room;
};

// The first line to draw, where it goes and the room below it. A FirstVisible
// past the document is brought back to MaxFirstVisible first.
VisibleStart FindFirstVisible(TextPane* pane) {
  if (pane->FirstVisible > pane->DisplayLines) pane->FirstVisible = pane->MaxFirstVisible;
  const LineRecord* line = pane->Lines;
  int32_t d = 0;
  while (line->Style && d < pane->FirstVisible) {
    d += (line->Style & StyleBlankAfter) ? 2 : 1;
    ++line;
  }
  if (d > pane->FirstVisible) {
    // The top slot is the blank line after the previous line.
    const int32_t blank = line[-1].Height;
    return {line, pane->Top + blank, pane->Height - blank};
  }
  return {line, pane->Top, pane->Height};
}

// The style whose font a paint starts with: a rule or the end has none of its own.
uint8_t StartStyle(const LineRecord* line) {
  return (line->Style == 0 || IsRule(line->Style)) ? 1 : line->Style;
}

size_t TextLength(const uint8_t* text) { return std::strlen(reinterpret_cast<const char*>(text)); }

// The hanging word of a reversed paragraph's first line: in stored order it
// follows the line's run, after the spaces between them. (The run always ends
// at such a space, except when the word is the whole paragraph and the run is
// empty: then the word starts right there and must not be skipped.)
const uint8_t* ReversedHangingWord(const uint8_t* document, const LineRecord& line) {
  const uint8_t* p = document + line.TextOffset + line.Length;
  while (*p == ' ') ++p;
  return p;
}

// Width of the first count letters of text as measured in stored order.
TextSize MeasureStored(Surface* surface, const uint8_t* text, int32_t count) {
  const uint32_t saved = App.Flags;
  App.Flags &= ~FlagReverse;
  const char16_t* units = MakeDisplayText(text, static_cast<size_t>(count), &SharedDisplayBuffer);
  App.Flags = saved;
  if (!units) return {0, 0};
  int32_t n = 0;
  while (n < count && units[n]) ++n;
  return MeasureRun(surface, units, n);
}

}  // namespace

int PaintTextPane(TextPane* pane, int erase) {
  if (!pane || !pane->Document || !pane->Lines) return -1;
  Surface* surface = pane->Surface;
  pane->PaintedLines = 0;
  VisibleStart at = FindFirstVisible(pane);

  const Colour textColour = ReadTextColour(surface);
  uint8_t selected = StartStyle(at.line);
  Font* kept = SelectStyleFont(pane, selected | ApplyColour);
  if (erase) FillWhite(surface, pane->Left, pane->Top, pane->Width, pane->Height);

  const uint8_t* document = pane->Document;
  for (const LineRecord* line = at.line; line->Style; ++line) {
    const int32_t h = line->Height;
    if (at.room < h) break;  // only whole lines are drawn
    if (IsRule(line->Style)) {
      Brush* previous = UseObject(surface, StockBrush(StockBlack));
      const Rect bar{line->X, at.y + h / 2, line->X + line->Width, at.y + h / 2 + 1};
      DrawBox(surface, &bar);
      UseObject(surface, previous);
    } else {
      if ((line->Style ^ selected) & FontKey) {
        Font* replaced = SelectStyleFont(pane, line->Style | ApplyColour);
        if (!kept) kept = replaced;
      }
      selected = line->Style;
      const uint8_t* text = document + line->TextOffset;
      if (line->HangWidth == 0) {
        DrawLetters(surface, text, line->Length, line->X, at.y, line->Width, h);
      } else if (line->Style & StyleReversed) {
        const uint8_t* word = ReversedHangingWord(document, *line);
        int32_t w = line->HangWidth;
        int32_t n = static_cast<int32_t>(TextLength(word));
        MeasureLetters(surface, word, &w, &n);
        DrawLetters(surface, word, n, line->X + line->Width + line->HangWidth - w, at.y, w, h);
        DrawLetters(surface, text, line->Length, line->X, at.y, line->Width, h);
      } else {
        int32_t wordLength = 0;
        while (text[wordLength] && text[wordLength] != ' ') ++wordLength;
        int32_t w = line->HangWidth;
        int32_t n = wordLength;
        MeasureLetters(surface, text, &w, &n);
        DrawLetters(surface, text, n, line->X - line->HangWidth, at.y, w, h);
        int32_t after = wordLength;
        while (text[after] == ' ') ++after;
        DrawLetters(surface, text + after, line->Length, line->X, at.y, line->Width, h);
      }
    }
    at.y += h;
    at.room -= h;
    ++pane->PaintedLines;
    if (line->Style & StyleBlankAfter) {
      // The blank line counts even when it does not fit whole.
      at.y += h;
      at.room -= h;
      ++pane->PaintedLines;
    }
  }

  UseObject(surface, kept);
  SetTextColour(surface, textColour);
  if (pane->HighlightStart || pane->HighlightEnd) return PaintHighlight(pane);
  return 0;
}

int PaintHighlight(TextPane* pane) {
  if (!pane || !pane->Document || !pane->Lines) return -1;
  Surface* surface = pane->Surface;
  VisibleStart at = FindFirstVisible(pane);
  uint8_t selected = StartStyle(at.line);
  Font* kept = SelectStyleFont(pane, selected);

  const uint8_t* document = pane->Document;
  for (const LineRecord* line = at.line; line->Style; ++line) {
    const int32_t h = line->Height;
    if (at.room < h) break;
    const bool touched = !IsRule(line->Style) && pane->HighlightEnd >= line->TextOffset &&
                         pane->HighlightStart <= line->TextOffset + line->Length;
    if (touched) {
      if ((line->Style ^ selected) & FontKey) {
        Font* replaced = SelectStyleFont(pane, line->Style);
        if (!kept) kept = replaced;
      }
      selected = line->Style;
      const uint8_t* text = document + line->TextOffset;
      if (line->HangWidth == 0) {
        PaintHighlightRun(pane, text, line->Length, line->X, at.y);
      } else if (line->Style & StyleReversed) {
        const uint8_t* word = ReversedHangingWord(document, *line);
        int32_t w = line->HangWidth;
        int32_t n = static_cast<int32_t>(TextLength(word));
        MeasureLetters(surface, word, &w, &n);
        DrawLettersColoured(surface, word, n, line->X + line->Width + line->HangWidth - w, at.y, w, h,
                            HighlightText, HighlightBack);
        PaintHighlightRun(pane, text, line->Length, line->X, at.y);
      } else {
        int32_t wordLength = 0;
        while (text[wordLength] && text[wordLength] != ' ') ++wordLength;
        PaintHighlightRun(pane, text, wordLength, line->X - line->HangWidth, at.y);
        int32_t after = wordLength;
        while (text[after] == ' ') ++after;
        PaintHighlightRun(pane, text + after, line->Length, line->X, at.y);
      }
    }
    at.y += h;
    at.room -= h;
    if (line->Style & StyleBlankAfter) {
      at.y += h;
      at.room -= h;
    }
  }
  UseObject(surface, kept);
  return 0;
}

void PaintHighlightRun(TextPane* pane, const uint8_t* run, int32_t length, int32_t x, int32_t y) {
  const int32_t offset = static_cast<int32_t>(run - pane->Document);
  const int32_t pre = pane->HighlightStart - offset;
  int32_t n = length;
  int32_t shift = 0;
  if (pre >= 0) {
    n = length - pre;
    if (n < 0) return;
    if (pre > 0) shift = MeasureStored(pane->Surface, run, pre).Width;
    run += pre;
  }
  const int32_t toEnd = pane->HighlightEnd - static_cast<int32_t>(run - pane->Document);
  if (toEnd < n) n = toEnd;
  if (n <= 0) return;
  const TextSize size = MeasureStored(pane->Surface, run, n);
  DrawLettersColoured(pane->Surface, run, n, x + shift, y, size.Width, size.Height, HighlightText,
                      HighlightBack);
}

int ScrollTextPane(TextPane* pane, int32_t delta, int repaint) {
  if (!pane) return -1;
  int64_t wanted = static_cast<int64_t>(pane->FirstVisible) + delta;
  if (wanted < 0) {
    wanted = 0;
  } else {
    // At or past the last page, only upward moves are taken.
    if (wanted >= pane->FirstVisible && pane->FirstVisible >= pane->MaxFirstVisible) return 1;
    if (wanted > pane->DisplayLines) wanted = pane->MaxFirstVisible;
  }
  if (repaint == ScrollAndPaint && wanted == pane->FirstVisible) return 1;
  const bool changed = wanted != pane->FirstVisible;
  if (changed) pane->FirstVisible = static_cast<uint16_t>(wanted);
  if (repaint) return PaintTextPane(pane, EraseFirst);
  return changed ? 3 : 1;
}
