// The PalmDOC stream decoder behind the lesson store.
//
// Each step reads one code byte c:
//   0x01..0x08       a literal run of the next c bytes
//   0x00, 0x09..0x7F c itself
//   0x80..0xBF       with the next byte d, v = c << 8 | d: copy (v & 7) + 3 bytes
//                    from ((v >> 3) & 0x7FF) bytes back, one at a time (may overlap)
//   0xC0..0xFF       a space, then c ^ 0x80
#pragma once

#include <cstdint>

// What the header reader hands to the decoder.
struct StreamDescriptor {
  const uint8_t* Input;   // first stream byte
  uint32_t InputLength;   // stream bytes (the compressed length)
  uint32_t Reserved;      // cleared by the decoder
  uint32_t OutputLength;  // document bytes the stream must yield exactly
};

// Extra zero bytes allocated after a document's terminator, so that a walk over
// a damaged document that steps one record past its end still reads zeros
// (a zero StyleByte) inside the buffer instead of beyond it.
constexpr uint32_t DocumentTailZeros = 6;

// Decodes the stream into a new buffer of OutputLength bytes followed by zeros
// (at least the one at index OutputLength), or returns nullptr with *status set
// (when status is not nullptr): 4 for no descriptor, input or output length; 2
// when the buffer cannot be allocated; 5, after the "UnCompress() buffer error!"
// box, when the stream does not fill the output exactly or would read outside
// its input or the output written so far.
uint8_t* DecodeStream(StreamDescriptor* stream, int* status);
