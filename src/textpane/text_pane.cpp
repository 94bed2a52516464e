#include "textpane/text_pane.h"

#include <cstring>

#include "platform/drawing.h"
#include "platform/memory.h"
#include "textpane/layout.h"
#include "textpane/paint.h"
#include "documents/record_format.h"

TextPane* CreateTextPane(Surface* surface, const Rect* rect, const FontSpec* fontSpec,
                         uint16_t initialCapacity) {
  if (!surface) return nullptr;
  TextPane* pane = static_cast<TextPane*>(MemAlloc(sizeof(TextPane)));
  if (!pane) return nullptr;
  std::memset(pane, 0, sizeof(TextPane));
  pane->Surface = surface;
  if (fontSpec) pane->Font = *fontSpec;
  if (rect) {
    pane->Left = rect->Left;
    pane->Top = rect->Top;
    pane->Width = rect->Right - rect->Left;
    pane->Height = rect->Bottom - rect->Top;
  }
  if (initialCapacity > 0) {
    // Without a table the pane still works: the first layout makes one.
    pane->Lines = static_cast<LineRecord*>(MemAlloc((initialCapacity + 1u) * sizeof(LineRecord)));
    if (pane->Lines) {
      std::memset(&pane->Lines[0], 0, sizeof(LineRecord));
      pane->Capacity = initialCapacity;
    }
  }
  return pane;
}

int ResizeTextPane(TextPane* pane, int32_t width, int32_t height) {
  if (!pane) return -1;
  if (width <= 0 || height <= 0) return -5;
  pane->Width = width;
  pane->Height = height;
  return LayoutDocument(pane, pane->Document, KeepDocument);
}

Font* MakeStyleFont(const FontSpec* font, uint8_t fontKey) {
  int32_t height = font->Size;
  if (fontKey & StyleLarger) {
    height = font->Size ? font->Size * 5 / 4 : 20;
  } else if (fontKey & StyleSmaller) {
    height = font->Size ? font->Size * 6 / 8 : 14;
  }
  const int32_t weight = (fontKey & StyleBold) ? WeightBold : WeightNormal;
  return MakeFont(font->Face, height, weight, FontPlain);
}

int SetPaneFont(TextPane* pane, const FontSpec* fontSpec) {
  if (!pane) return -1;
  pane->Font = *fontSpec;
  for (CachedFont* entry = pane->FontCache; entry; entry = entry->next) {
    FreeObject(entry->font);
    entry->font = MakeStyleFont(&pane->Font, entry->FontKey);
  }
  if (LayoutDocument(pane, pane->Document, KeepDocument) != 0) return 1;
  return PaintTextPane(pane, EraseFirst);
}

Font* SelectStyleFont(TextPane* pane, uint32_t style) {
  if (!pane) return nullptr;
  const uint8_t key = static_cast<uint8_t>(style & FontKey);
  CachedFont* entry = pane->FontCache;
  while (entry && entry->FontKey != key) entry = entry->next;
  if (!entry || !entry->font) {
    // A released entry is not refilled: a fresh one goes in front of it.
    Font* font = MakeStyleFont(&pane->Font, key);
    CachedFont* added = font ? static_cast<CachedFont*>(MemAlloc(sizeof(CachedFont))) : nullptr;
    if (added) {
      added->next = pane->FontCache;
      added->font = font;
      added->FontKey = key;
      pane->FontCache = added;
    } else {
      // No font or no entry for it: keep whatever font is selected.
      FreeObject(font);
    }
    entry = added;
  }
  if (style & ApplyColour) {
    Colour colour = ColourPlain;
    if (key & StyleSmaller) {
      colour = ColourSmaller;
    } else if ((key & StyleLarger) && (key & StyleBold)) {
      colour = ColourTitle;
    }
    SetTextColour(pane->Surface, colour);
  }
  if (!entry) return nullptr;
  return UseObject(pane->Surface, entry->font);
}

void ReleaseFonts(TextPane* pane) {
  if (!pane) return;
  for (CachedFont* entry = pane->FontCache; entry; entry = entry->next) {
    FreeObject(entry->font);
    entry->font = nullptr;
  }
}

void DestroyTextPane(TextPane* pane) {
  if (!pane) return;
  MemFree(pane->Document);
  MemFree(pane->Lines);
  CachedFont* entry = pane->FontCache;
  while (entry) {
    CachedFont* next = entry->next;
    FreeObject(entry->font);
    MemFree(entry);
    entry = next;
  }
  MemFree(pane);
}
