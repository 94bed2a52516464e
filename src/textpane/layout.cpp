#include "textpane/layout.h"

#include <cstring>

#include "platform/drawing.h"
#include "platform/memory.h"
#include "textpane/letter_drawing.h"
#include "documents/record_format.h"

namespace {

constexpr uint16_t TableBlock = 128;

// The working state of one layout.
struct LayoutRun {
  TextPane* pane;
  uint16_t lines;   // lines written so far
  uint16_t blanks;  // blank lines after paragraphs
  int32_t lineHeight;
  int32_t maxCharWidth;
  uint8_t selectedStyle;  // the style whose font is selected
  Font* kept;             // the font the layout found selected
};

void SelectFont(LayoutRun* run, uint8_t style) {
  Font* replaced = SelectStyleFont(run->pane, style);
  if (!run->kept) run->kept = replaced;
  const FontMetrics metrics = ReadFontMetrics(run->pane->Surface);
  run->lineHeight = metrics.LineHeight;
  run->maxCharWidth = metrics.MaxCharWidth;
}

// Makes sure the table has room for one more line. False when it cannot grow.
bool RoomForLine(LayoutRun* run) {
  if (run->lines < run->pane->Capacity) return true;
  return GrowLineTable(run->pane, run->lines) == 0;
}

uint16_t ClampX(int32_t x) { return static_cast<uint16_t>(x < 0 ? 0 : x); }

bool LayoutRule(LayoutRun* run, const uint8_t* record, uint16_t textOffset) {
  TextPane* pane = run->pane;
  const uint8_t style = record[0];
  const int32_t param = record[1];
  if (param == 0) return true;  // a rule of width 0 is no line at all
  const int32_t w = pane->Width;
  int32_t length = param <= 160 ? param : (param - 160) * 2 * w / 100;
  if (length > w) length = w;
  if (length < 0) length = 0;
  if (!RoomForLine(run)) return false;
  int32_t x = pane->Left;
  if ((style & StyleAlign) == AlignRight) {
    x = pane->Left + w - length;
  } else if ((style & StyleAlign) == AlignCentre) {
    x = pane->Left + (w - length) / 2;
  }
  LineRecord& line = pane->Lines[run->lines++];
  line = LineRecord{textOffset, 0, ClampX(x), 0, static_cast<uint16_t>(length),
                    static_cast<uint16_t>(run->lineHeight), style};
  if (style & StyleBlankAfter) ++run->blanks;
  return true;
}

bool LayoutText(LayoutRun* run, const uint8_t* record, uint16_t textOffset,
                uint16_t* indent, bool hanging) {
  TextPane* pane = run->pane;
  const uint8_t style = record[0];
  const uint8_t* text = record + 2;
  const int32_t length = static_cast<int32_t>(std::strlen(reinterpret_cast<const char*>(text)));

  if ((style ^ run->selectedStyle) & FontKey) SelectFont(run, style);
  run->selectedStyle = style;

  int32_t column = hanging ? ((record[1] >> 6) + 1) * run->maxCharWidth / 2 : 0;
  // Even an empty paragraph resets a running indent that the pane cannot hold,
  // which a continuation after it starts from.
  if (*indent >= pane->Width) *indent = 0;
  if (length == 0) return true;

  // A right-to-left paragraph is broken in reading order, on a reversed copy.
  const bool reversed = (style & StyleReversed) != 0;
  uint8_t* copy = nullptr;
  const uint8_t* walked = text;
  if (reversed) {
    copy = static_cast<uint8_t*>(MemAlloc(static_cast<size_t>(length) + 1));
    if (!copy) return false;
    for (int32_t i = 0; i < length; ++i) copy[i] = text[length - 1 - i];
    copy[length] = 0;
    walked = copy;
  }

  const int32_t w = pane->Width;
  int32_t pos = 0;
  int32_t remaining = length;
  bool ok = true;
  while (true) {
    while (remaining > 0 && walked[pos] == ' ') {
      ++pos;
      --remaining;
    }
    if (remaining == 0) break;
    if (!RoomForLine(run)) {
      ok = false;
      break;
    }
    int32_t count = remaining;
    int32_t available = w - *indent;
    int32_t start = pos;  // where the line's own text begins
    int32_t hangLength = 0;
    if (column > 0) {
      int32_t end = pos;
      while (end < length && walked[end] != ' ') ++end;
      while (end < length && walked[end] == ' ') ++end;
      hangLength = end - pos;
      count -= hangLength;
      available -= column;
      if (available < 0) available = 0;
      start = end;
    }
    int32_t width = available;
    int32_t fit = count;
    MeasureLetters(pane->Surface, walked + start, &width, &fit);
    if (fit < count && walked[start + fit] != ' ') {
      // The break falls inside a word: back up to a space or after a hyphen.
      int32_t m = fit - 1;
      while (m >= 1 && walked[start + m] != ' ' && walked[start + m] != '-') --m;
      if (m >= 1) {
        fit = walked[start + m] == ' ' ? m : m + 1;
        MeasureLetters(pane->Surface, walked + start, &width, &fit);
      }
    }
    if (fit == 0 && count > 0) {
      // Not even one character fits: take one anyway so the layout moves on.
      fit = 1;
      width = 0x7FFF;
      MeasureLetters(pane->Surface, walked + start, &width, &fit);
      if (fit == 0) fit = 1;
    }

    const int32_t s = *indent + column;
    int32_t x = pane->Left + s;
    if ((style & StyleAlign) == AlignRight) {
      x = pane->Left + w - s - width;
    } else if ((style & StyleAlign) == AlignCentre) {
      x = pane->Left + *indent + (w - s - width) / 2;
    }
    const int32_t offset = reversed ? textOffset + length - start - fit : textOffset + pos;
    LineRecord& line = pane->Lines[run->lines];
    line = LineRecord{static_cast<uint16_t>(offset), static_cast<uint16_t>(fit), ClampX(x),
                      static_cast<uint16_t>(column), static_cast<uint16_t>(width),
                      static_cast<uint16_t>(run->lineHeight), 0};
    *indent = static_cast<uint16_t>(*indent + column);
    int32_t taken = fit + hangLength;
    column = 0;
    // Spaces alone after the line do not make another line: this one ends the paragraph.
    int32_t rest = start + fit;
    while (rest < length && walked[rest] == ' ') ++rest;
    if (rest >= length) {
      line.Style = style;
      if (style & StyleBlankAfter) ++run->blanks;
    } else {
      line.Style = style & 0x7F;
    }
    ++run->lines;
    pos += taken;
    remaining -= taken;
  }
  MemFree(copy);
  return ok;
}

}  // namespace

int LayoutDocument(TextPane* pane, uint8_t* document, int mode) {
  if (!pane) return -1;
  pane->HighlightStart = 0;
  pane->HighlightEnd = 0;
  pane->DisplayLines = 0;
  pane->MaxFirstVisible = 0;

  if (!document) {
    if (mode == FreePrevious) {
      MemFree(pane->Document);
      pane->Document = nullptr;
    }
    return LayoutNoDocument;
  }
  if (document[0] == 0 || (document[2] == 0 && !IsRule(document[0]))) return LayoutRefused;

  // Handing a pane its own document again must not free it.
  if (mode == FreePrevious && document != pane->Document) {
    MemFree(pane->Document);
    pane->Document = nullptr;
  }
  if (!pane->Lines || pane->Capacity == 0) {
    MemFree(pane->Lines);
    pane->Capacity = 0;
    pane->Lines = static_cast<LineRecord*>(MemAlloc((TableBlock + 1u) * sizeof(LineRecord)));
    if (!pane->Lines) {
      pane->LineCount = 0;
      return LayoutNoMemory;
    }
    std::memset(pane->Lines, 0, sizeof(LineRecord));
    pane->Capacity = TableBlock;
  }

  LayoutRun run{};
  run.pane = pane;
  SelectFont(&run, 1);
  run.selectedStyle = 1;

  uint16_t indent = 0;
  uint8_t previousParam = 0;
  bool ok = true;
  const uint8_t* record = document;
  while (record[0] != 0) {
    const uint8_t style = record[0];
    const uint8_t param = record[1];
    const uint8_t* text = record + 2;
    const uint16_t textOffset = static_cast<uint16_t>(text - document);
    const uint8_t hangingCode = param >> 6;
    bool hanging = false;
    if (IsRule(style)) {
      indent = param;
    } else if (hangingCode != 0 && text[0] == ' ' && run.lines > 0) {
      // A continuation keeps the running indent, shifted by the change of indent.
      const uint8_t own = param & ParamIndent;
      const uint8_t before = previousParam & ParamIndent;
      if (own != before) indent = static_cast<uint16_t>(indent + own - before);
    } else {
      indent = param & ParamIndent;
      hanging = hangingCode != 0;
    }
    previousParam = param;

    ok = IsRule(style) ? LayoutRule(&run, record, textOffset)
                       : LayoutText(&run, record, textOffset, &indent, hanging);
    if (!ok) break;
    record = text + std::strlen(reinterpret_cast<const char*>(text)) + 1;
  }

  if (!ok) {
    // Out of memory part-way. The lines so far belong to the new document,
    // which stays the caller's; a pane showing another document keeps none of
    // them, so that nothing is ever drawn from the wrong buffer.
    const uint16_t kept = document == pane->Document ? run.lines : 0;
    std::memset(&pane->Lines[kept], 0, sizeof(LineRecord));
    pane->LineCount = kept;
    UseObject(pane->Surface, run.kept);
    return LayoutNoMemory;
  }

  std::memset(&pane->Lines[run.lines], 0, sizeof(LineRecord));
  pane->LineCount = run.lines;
  pane->DisplayLines = static_cast<uint16_t>(run.lines + run.blanks);
  if (run.lines > 0 && (pane->Lines[run.lines - 1].Style & StyleBlankAfter)) {
    // The document never ends with a blank line.
    pane->Lines[run.lines - 1].Style &= static_cast<uint8_t>(~StyleBlankAfter);
    --pane->DisplayLines;
  }
  pane->Document = document;
  ComputeMaxFirstVisible(pane);
  UseObject(pane->Surface, run.kept);
  return 0;
}

int GrowLineTable(TextPane* pane, uint16_t index) {
  LineRecord* grown = nullptr;
  if (pane->Capacity <= 0xFFFF - TableBlock) {
    grown = static_cast<LineRecord*>(MemAlloc((pane->Capacity + TableBlock + 1u) * sizeof(LineRecord)));
  }
  if (!grown) {
    if (pane->Lines) std::memset(&pane->Lines[index], 0, sizeof(LineRecord));
    return -2;
  }
  if (pane->Lines) std::memcpy(grown, pane->Lines, pane->Capacity * sizeof(LineRecord));
  MemFree(pane->Lines);
  pane->Lines = grown;
  pane->Capacity = static_cast<uint16_t>(pane->Capacity + TableBlock);
  return 0;
}

int ComputeMaxFirstVisible(TextPane* pane) {
  if (!pane->Lines || !pane->Document || pane->DisplayLines == 0 || pane->LineCount == 0) return -1;
  int32_t room = static_cast<int16_t>(pane->Height);
  int32_t count = 0;
  for (int32_t i = pane->LineCount - 1; i >= 0; --i) {
    const LineRecord& line = pane->Lines[i];
    if (line.Height > room) break;
    room -= line.Height;
    ++count;
    if (line.Style & StyleBlankAfter) {
      room -= line.Height;
      ++count;
    }
  }
  if (room < 0) --count;  // a blank line that did not fit whole
  pane->MaxFirstVisible = static_cast<uint16_t>(pane->DisplayLines - count);
  return pane->MaxFirstVisible;
}

int ShowOffset(TextPane* pane, uint16_t offset) {
  if (!pane || !pane->Lines) return 0;
  uint16_t d = 0;
  for (const LineRecord* line = pane->Lines; line->Style; ++line) {
    if (line->TextOffset <= offset && offset <= line->TextOffset + line->Length) {
      pane->FirstVisible = d > pane->MaxFirstVisible ? pane->MaxFirstVisible : d;
      return 1;
    }
    d = static_cast<uint16_t>(d + ((line->Style & StyleBlankAfter) ? 2 : 1));
  }
  return 0;
}
