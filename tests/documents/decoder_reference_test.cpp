// The decoder's fast path against a plain byte-at-a-time decoder written from
// the scheme's table, over many pseudo-random streams: same document, same
// status, for every mix of codes, ends and broken references.
#include <string>
#include <vector>

#include "documents/decoder.h"
#include "documents/lesson_store.h"
#include "documents/reference_decoder.h"
#include "platform/memory.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

using DecoderReferenceTest = ProgramTest;

TEST_F(DecoderReferenceTest, AgreesOnPseudoRandomStreams) {
  uint32_t x = 2463534242u;
  auto next = [&x] {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  };
  int decoded = 0;
  for (int round = 0; round < 4000; ++round) {
    // Streams mostly of literals and space pairs, with references that are
    // usually in range and runs of every length.
    Bytes stream;
    const bool wild = round % 4 == 0;  // references anywhere, ends cut at random
    const size_t codes = next() % 300;
    size_t produced = 0;
    for (size_t k = 0; k < codes; ++k) {
      const unsigned kind = next() % 16;
      if (kind < 7) {
        stream.push_back(uint8_t(0x20 + next() % 0x5F));
        ++produced;
      } else if (kind < 10) {
        stream.push_back(uint8_t(0xC0 + next() % 0x40));
        produced += 2;
      } else if (kind < 11) {
        const unsigned n = 1 + next() % 8;
        stream.push_back(uint8_t(n));
        for (unsigned j = 0; j < n; ++j) stream.push_back(uint8_t(next()));
        produced += n;
      } else {
        const unsigned distance = (wild && next() % 8 == 0) ? next() % 2048 : 1 + next() % (produced + 1);
        const unsigned n = 3 + next() % 8;
        const unsigned v = 0x8000 | (distance & 0x7FF) << 3 | (n - 3);
        stream.push_back(uint8_t(v >> 8));
        stream.push_back(uint8_t(v));
        produced += n;
      }
    }
    if (stream.empty()) continue;
    if (wild && next() % 2 == 0) stream.pop_back();  // cut inside a code
    // Output lengths around what the stream yields: short, exact and long.
    const int slack = next() % 2 ? 0 : int(next() % 21) - 10;
    const long wanted = long(produced) + slack;
    if (wanted <= 0 || wanted > 0xFFFF) continue;
    const size_t length = size_t(wanted);

    SCOPED_TRACE("round " + std::to_string(round));
    Bytes expected;
    const int expectedStatus = ReferenceDecode(stream.data(), stream.size(), length, &expected) ? 0 : 5;
    StreamDescriptor d = {stream.data(), uint32_t(stream.size()), 0, uint32_t(length)};
    int status = 0;
    FakeMessageBox.Calls.clear();
    uint8_t* doc = DecodeStream(&d, &status);
    if (expectedStatus == 0) {
      ASSERT_NE(doc, nullptr);
      ASSERT_EQ(Bytes(doc, doc + length), expected);
      ASSERT_EQ(doc[length], 0);
      ++decoded;
    } else {
      ASSERT_EQ(doc, nullptr);
      ASSERT_EQ(status, StatusBufferError);
      ASSERT_EQ(FakeMessageBox.Calls.size(), 1u);
    }
    MemFree(doc);
  }
  EXPECT_GT(decoded, 500) << "enough streams decode to exercise the copies";
}

}  // namespace
