// The bytes of registry values as the program stores them, for tests that
// seed a store or compare what was written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A text value: UTF-16 little-endian units, with or without the zero unit.
inline Bytes U16Bytes(const std::u16string& text, bool terminator) {
  Bytes bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  if (terminator) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

// A number value: 32 bits, little-endian.
inline Bytes NumberBytes(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}
