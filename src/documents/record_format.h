// The two document formats as LoadLesson delivers them, and a one-step walk.
//
// ArticleDocument: ParagraphRecords {StyleByte, param, text..., 0} up to a
// record whose StyleByte is 0 (shipped documents end with three zero bytes).
// IndexDocument: IndexRecords {key low, key high, StyleByte, level, text..., 0}
// up to a record whose StyleByte is 0; index texts are always stored reversed.
#pragma once

#include <cstdint>

// StyleByte bits of a paragraph record.
enum : uint8_t {
  FontKey = 0x1F,          // records with the same key share a cached font
  StyleSmaller = 0x02,     // size x 6/8, dark blue
  StyleLarger = 0x04,      // size x 5/4 (wins over StyleSmaller)
  StyleBold = 0x08,        // weight 700
  StyleReversed = 0x10,    // the text is stored in display order (reversed)
  StyleAlign = 0x60,       // line placement:
  AlignLeft = 0x00,        //   left edge after indent and hanging column
  AlignRight = 0x20,       //   flush right, indent measured from the right
  AlignCentre = 0x40,      //   centred in what indent and hanging column leave
  AlignLeftToo = 0x60,     //   as AlignLeft
  StyleBlankAfter = 0x80,  // an empty display line after the paragraph
  StyleRule = 0x07,        // all three low bits: a horizontal rule, param = width
};

// Parameter byte of a text record.
enum : uint8_t {
  ParamIndent = 0x3F,   // indent in pixels
  ParamHanging = 0xC0,  // n = param >> 6: the first word hangs in its own column
};

// Records with a meaning of their own at the start of an article.
enum : uint8_t {
  TitleStyle = 0xDC,     // the first record: the document's title
  SubtitleStyle = 0xD1,  // right after the title (or first): the subtitle
};

// IndexRecord key bits and index StyleByte bits.
enum : uint16_t {
  KeyGroup = 0x8000,    // a group header
  KeyLeaf = 0x4000,     // an entry that opens lesson key & KeyLesson
  KeyLesson = 0x3FFF,   // the record's id
};
enum : uint8_t {
  LineVisible = 0x80,   // shown when the index opens
  LineExpanded = 0x40,  // a group header that starts expanded
};

// Whether a StyleByte makes the record a rule.
inline bool IsRule(uint8_t style) {
  return (style & StyleRule) == StyleRule;
}

// The record after a paragraph record: past its StyleByte, param and zero-ended text.
inline const uint8_t* NextParagraphRecord(const uint8_t* record) {
  const uint8_t* p = record + 2;
  while (*p) ++p;
  return p + 1;
}

// The record after an index record: past its key, StyleByte, level and zero-ended text.
inline const uint8_t* NextIndexRecord(const uint8_t* record) {
  const uint8_t* p = record + 4;
  while (*p) ++p;
  return p + 1;
}

inline uint16_t IndexKey(const uint8_t* record) {
  return uint16_t(record[0] | record[1] << 8);
}
