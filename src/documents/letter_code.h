// The letter code in which all Hebrew text is stored, and its conversion into
// the UTF-16 display text that is measured and drawn.
//
// Letter code: bytes 0x61..0x7B are the 27 Hebrew letters (final forms
// included) in Unicode order, 0x7E is a literal '{', every other byte is itself.
#pragma once

#include <cstddef>
#include <cstdint>

// A reusable output area for MakeDisplayText; it only ever grows.
struct DisplayBuffer {
  char16_t* Units;
  uint32_t Capacity;  // units, terminator not counted
};

// The program-wide buffer used by the measuring and drawing wrappers.
extern DisplayBuffer SharedDisplayBuffer;

// Converts up to n letter-code bytes (stopping at a zero byte) into
// zero-terminated UTF-16, with the first letter on the current font's
// LetterBase; with FlagReverse set and a base other than 97 the result is
// mirrored (MirrorReverse). With a buffer the result lives there until the
// next call; without one it is a new block the caller frees with MemFree.
// Returns nullptr when memory cannot be had.
char16_t* MakeDisplayText(const uint8_t* bytes, size_t n, DisplayBuffer* buffer);

// Reverses n units in place, swapping each bracket with its partner so that
// brackets still open and close the right way. Returns 0, or 1 when its work
// copy cannot be had (the units are then left as they were).
int MirrorReverse(char16_t* units, size_t n);

// Releases the storage of a buffer and empties it.
void FreeDisplayBuffer(DisplayBuffer* buffer);
