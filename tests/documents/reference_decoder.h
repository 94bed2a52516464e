// A plain byte-at-a-time decoder written straight from the compression
// scheme's table, to check the store's decoder against (tests and fuzzer).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Returns true and the document in *out, or false for a stream that does not
// fill length bytes exactly or reaches outside its input or the output written so far.
inline bool ReferenceDecode(const uint8_t* in, size_t size, size_t length, std::vector<uint8_t>* out) {
  out->clear();
  size_t i = 0;
  while (out->size() < length && i < size) {
    const uint8_t c = in[i++];
    if (c >= 1 && c <= 8) {
      for (unsigned k = 0; k < c && out->size() < length; ++k) {
        if (i == size) return false;
        out->push_back(in[i++]);
      }
    } else if (c < 0x80) {
      out->push_back(c);
    } else if (c >= 0xC0) {
      out->push_back(' ');
      if (out->size() < length) out->push_back(c ^ 0x80);
    } else {
      if (i == size) return false;
      const unsigned v = unsigned(c) << 8 | in[i++];
      const size_t distance = (v >> 3) & 0x7FF;
      if (distance == 0 || distance > out->size()) return false;
      for (unsigned k = 0; k < (v & 7) + 3 && out->size() < length; ++k) {
        out->push_back((*out)[out->size() - distance]);
      }
    }
  }
  return out->size() == length;
}
