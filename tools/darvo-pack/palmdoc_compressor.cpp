#include "palmdoc_compressor.h"

#include <cstring>
#include <limits>

namespace {

constexpr size_t kWindow = 2047;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 10;
constexpr int kHashBits = 12;

bool IsPlainLiteral(uint8_t b) {
  return b == 0 || (b >= 0x09 && b <= 0x7F);
}

unsigned Hash3(const uint8_t* p) {
  const unsigned v = unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
  return (v * 2654435761u) >> (32 - kHashBits);
}

enum Step : uint8_t { Literal, SpacePair, Run, Match };

}  // namespace

std::vector<uint8_t> CompressPalmDoc(const uint8_t* data, size_t size) {
  // For every position, the longest match in the window and its nearest distance.
  std::vector<uint8_t> matchLength(size, 0);
  std::vector<uint16_t> matchDistance(size, 0);
  std::vector<int32_t> head(size_t(1) << kHashBits, -1);
  std::vector<int32_t> previous(size, -1);
  for (size_t i = 0; i + kMinMatch <= size; ++i) {
    const unsigned h = Hash3(data + i);
    const size_t limit = size - i < kMaxMatch ? size - i : kMaxMatch;
    for (int32_t j = head[h]; j >= 0 && i - size_t(j) <= kWindow; j = previous[size_t(j)]) {
      size_t n = 0;
      while (n < limit && data[size_t(j) + n] == data[i + n]) ++n;
      if (n >= kMinMatch && n > matchLength[i]) {
        matchLength[i] = uint8_t(n);
        matchDistance[i] = uint16_t(i - size_t(j));
        if (n == limit) break;
      }
    }
    previous[i] = head[h];
    head[h] = int32_t(i);
  }

  // Cheapest encoding of the rest of the data from each position.
  constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();
  std::vector<uint32_t> cost(size + 1, kNone);
  std::vector<uint8_t> step(size, Literal);
  std::vector<uint8_t> stepLength(size, 1);
  cost[size] = 0;
  for (size_t i = size; i-- > 0;) {
    uint32_t best = kNone;
    auto consider = [&](uint32_t c, Step s, size_t n) {
      if (c < best) {
        best = c;
        step[i] = s;
        stepLength[i] = uint8_t(n);
      }
    };
    for (size_t n = matchLength[i]; n >= kMinMatch; --n) consider(2 + cost[i + n], Match, n);
    if (data[i] == ' ' && i + 1 < size && data[i + 1] >= 0x40 && data[i + 1] <= 0x7F) {
      consider(1 + cost[i + 2], SpacePair, 2);
    }
    if (IsPlainLiteral(data[i])) consider(1 + cost[i + 1], Literal, 1);
    for (size_t n = 1; n <= 8 && i + n <= size; ++n) consider(uint32_t(1 + n) + cost[i + n], Run, n);
    cost[i] = best;
  }

  std::vector<uint8_t> out;
  out.reserve(size_t(cost[0]));
  for (size_t i = 0; i < size;) {
    const size_t n = stepLength[i];
    switch (step[i]) {
      case Literal:
        out.push_back(data[i]);
        break;
      case SpacePair:
        out.push_back(uint8_t(data[i + 1] ^ 0x80));
        break;
      case Run:
        out.push_back(uint8_t(n));
        out.insert(out.end(), data + i, data + i + n);
        break;
      case Match: {
        const unsigned v = 0x8000u | unsigned(matchDistance[i]) << 3 | unsigned(n - kMinMatch);
        out.push_back(uint8_t(v >> 8));
        out.push_back(uint8_t(v));
        break;
      }
    }
    i += n;
  }
  return out;
}
