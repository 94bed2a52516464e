#include "documents/record_format.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordFormatTest, WalksParagraphAndIndexRecords) {
  // A title, an empty record (three bytes in all), a rule, the end.
  const uint8_t article[] = {0xDC, 0, 'a', 'b', 0, 0x82, 0, 0, 0xA7, 40, 0, 0, 0, 0};
  const uint8_t* p = NextParagraphRecord(article);
  EXPECT_EQ(p - article, 5);
  EXPECT_EQ(NextParagraphRecord(p) - p, 3);
  p = NextParagraphRecord(p);
  EXPECT_TRUE(IsRule(p[0]));
  EXPECT_EQ(NextParagraphRecord(p)[0], 0);

  const uint8_t index[] = {0xFE, 0xBF, 0x8C, 1, 'x', 0, 0x03, 0x40, 0x01, 2, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(IndexKey(index), 0xBFFE);
  p = NextIndexRecord(index);
  EXPECT_EQ(p - index, 6);
  EXPECT_EQ(IndexKey(p), KeyLeaf | 3);
  EXPECT_EQ(NextIndexRecord(p)[2], 0);
}

TEST(RecordFormatTest, RuleNeedsAllThreeLowBits) {
  EXPECT_TRUE(IsRule(0x07));
  EXPECT_TRUE(IsRule(0xE7));
  EXPECT_FALSE(IsRule(0x06));
  EXPECT_FALSE(IsRule(0xDC));
  EXPECT_FALSE(IsRule(0x05));
}

}  // namespace
