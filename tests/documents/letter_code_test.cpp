#include <string>
#include <vector>

#include "documents/letter_code.h"
#include "platform/memory.h"
#include "test_support.h"

namespace {

class LetterCodeTest : public ProgramTest {
 protected:
  void TearDown() override {
    FreeDisplayBuffer(&SharedDisplayBuffer);
    ProgramTest::TearDown();
  }
};

std::u16string Convert(const std::vector<uint8_t>& bytes, size_t n) {
  char16_t* units = MakeDisplayText(bytes.data(), n, nullptr);
  EXPECT_NE(units, nullptr);
  if (!units) return {};
  std::u16string s(units);
  MemFree(units);
  return s;
}

TEST_F(LetterCodeTest, ConversionTable) {
  struct Case {
    const char* name;
    int32_t base;
    bool reverse;
    std::vector<uint8_t> bytes;
    size_t n;
    std::u16string expected;
  };
  const Case cases[] = {
      {"Unicode base", 1488, false, {0x61, 0x7B, 0x7E}, 3, u"\u05D0\u05EA{"},
      {"base 97 keeps the Latin slots", 97, false, {0x61, 0x7B, 0x7E}, 3, u"a{{"},
      {"code page base", 224, false, {0x61, 0x7B}, 2, u"\u00E0\u00FA"},
      {"other bytes are themselves", 1488, false, {' ', '(', '"', 0x7C, 0x7D, 0x80, 0xFF}, 7,
       u" (\"|}\u0080\u00FF"},
      {"reverse mirrors brackets", 224, true, {0x28, 0x61, 0x62, 0x29}, 4, u"(\u00E1\u00E0)"},
      {"reverse swaps every bracket kind", 1488, true, {'[', 0x7E, '}', ']', '('}, 5, u")[{}]"},
      {"reverse has no effect with base 97", 97, true, {0x28, 0x61, 0x62, 0x29}, 4, u"(ab)"},
      {"base kept to 16 bits", 0x10000 + 1488, false, {0x61}, 1, u"\u05D0"},
      {"stops at a zero byte", 1488, false, {0x61, 0x62, 0, 0x63}, 4, u"\u05D0\u05D1"},
      {"stops at n", 1488, false, {0x61, 0x62, 0x63}, 2, u"\u05D0\u05D1"},
      // Only the units before the zero byte are mirrored, so the text stays whole.
      {"reverse of a text cut by a zero byte", 1488, true, {0x61, '(', 0, 0x63}, 4, u")\u05D0"},
      {"empty", 1488, true, {}, 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    App.font.LetterBase = c.base;
    App.Flags = c.reverse ? uint32_t(FlagReverse) : 0u;
    EXPECT_EQ(Convert(c.bytes, c.n), c.expected);
    // The shared buffer gives the same text.
    const char16_t* shared = MakeDisplayText(c.bytes.data(), c.n, &SharedDisplayBuffer);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(std::u16string(shared), c.expected);
  }
}

TEST_F(LetterCodeTest, SharedBufferOnlyGrows) {
  App.font.LetterBase = 1488;
  const std::vector<uint8_t> text(10, 0x61);
  DisplayBuffer buffer = {};
  char16_t* first = MakeDisplayText(text.data(), 10, &buffer);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(buffer.Units, first);
  EXPECT_EQ(buffer.Capacity, 10u);

  // Smaller and equal requests reuse the storage without allocating.
  const long allocations = FakeMemory.Allocations;
  EXPECT_EQ(MakeDisplayText(text.data(), 4, &buffer), first);
  EXPECT_EQ(std::u16string(first), u"\u05D0\u05D0\u05D0\u05D0");
  EXPECT_EQ(MakeDisplayText(text.data(), 10, &buffer), first);
  EXPECT_EQ(FakeMemory.Allocations, allocations);
  EXPECT_EQ(buffer.Capacity, 10u);

  // A larger one replaces it.
  const std::vector<uint8_t> longer(25, 0x62);
  char16_t* grown = MakeDisplayText(longer.data(), 25, &buffer);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(buffer.Units, grown);
  EXPECT_EQ(buffer.Capacity, 25u);
  EXPECT_EQ(grown[25], 0);
  FreeDisplayBuffer(&buffer);
  EXPECT_EQ(buffer.Units, nullptr);
  EXPECT_EQ(buffer.Capacity, 0u);
}

TEST_F(LetterCodeTest, NoMemory) {
  App.font.LetterBase = 1488;
  const uint8_t text[] = {0x61, 0x62};
  DisplayBuffer buffer = {};
  FakeMemory.FailAfter = 0;
  EXPECT_EQ(MakeDisplayText(text, 2, nullptr), nullptr);
  EXPECT_EQ(MakeDisplayText(text, 2, &buffer), nullptr);
  EXPECT_EQ(buffer.Units, nullptr) << "a failed growth leaves the buffer as it was";

  // Without a work copy, MirrorReverse leaves the units alone and says so.
  char16_t units[] = u"(\u05D0";
  EXPECT_EQ(MirrorReverse(units, 2), 1);
  EXPECT_EQ(std::u16string(units), u"(\u05D0");

  // Conversion still succeeds when only the mirroring's work copy is missing.
  FakeMemory.FailAfter = 1;
  App.Flags = FlagReverse;
  char16_t* converted = MakeDisplayText(text, 2, nullptr);
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(std::u16string(converted), u"\u05D0\u05D1");
  MemFree(converted);
}

TEST_F(LetterCodeTest, MirrorReverseIsItsOwnInverse) {
  char16_t units[] = u"a(b[c{d}e]f)g";
  const std::u16string original = units;
  ASSERT_EQ(MirrorReverse(units, original.size()), 0);
  EXPECT_EQ(std::u16string(units), u"g(f[e{d}c]b)a");
  ASSERT_EQ(MirrorReverse(units, original.size()), 0);
  EXPECT_EQ(std::u16string(units), original);
}

}  // namespace
