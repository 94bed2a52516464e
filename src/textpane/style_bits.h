// Bits of a paragraph's StyleByte and parameter byte, as the text pane reads them.
#pragma once

#include <cstdint>

namespace pane_style {
constexpr uint8_t FontKeyMask = 0x1F;
constexpr uint8_t Smaller = 0x02;
constexpr uint8_t Larger = 0x04;
constexpr uint8_t Bold = 0x08;
constexpr uint8_t Reversed = 0x10;
constexpr uint8_t AlignMask = 0x60;
constexpr uint8_t AlignRight = 0x20;
constexpr uint8_t AlignCentre = 0x40;
constexpr uint8_t BlankAfter = 0x80;
constexpr uint8_t RuleBits = 0x07;  // all three set: a horizontal rule
constexpr uint8_t IndentMask = 0x3F;
constexpr uint8_t HangingShift = 6;

inline bool IsRule(uint8_t style) { return (style & RuleBits) == RuleBits; }
}  // namespace pane_style
