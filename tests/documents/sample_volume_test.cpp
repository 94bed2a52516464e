// The embedded sample volume: every document decodes and has the shape of the
// real volume, so later features are tried on realistic content.
#include <string>

#include "documents/lesson_store.h"
#include "documents/record_format.h"
#include "platform/memory.h"
#include "test_support.h"

namespace {

class SampleVolumeTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
  }
};

TEST_F(SampleVolumeTest, EveryLessonDecodesWithTheShippedShape) {
  int notes = 0, emptyNotes = 0, longestText = 0, fewestRecords = 1000, mostRecords = 0;
  for (int lesson = 1; lesson <= 346; ++lesson) {
    SCOPED_TRACE("lesson " + std::to_string(lesson));
    int status = 0;
    uint8_t* doc = LoadLesson(lesson, &status);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(doc[0], TitleStyle);
    int records = 0;
    const uint8_t* p = doc;
    for (; p[0] != 0; p = NextParagraphRecord(p)) {
      ++records;
      const uint8_t style = p[0];
      EXPECT_EQ(p[1], 0) << "every param is 0";
      const int length = int(std::string(reinterpret_cast<const char*>(p + 2)).size());
      if (longestText < length) longestText = length;
      if (records == 1) {
        EXPECT_GT(length, 0);
        continue;
      }
      if (lesson % 2) {
        EXPECT_EQ(style, 0xB1);
      } else {
        EXPECT_TRUE(style == 0x51 || style == 0xB2 || style == 0x82) << int(style);
        if (style == 0x82) {
          ++notes;
          if (length == 0) ++emptyNotes;
        }
      }
      for (int i = 0; i < length; ++i) {
        const uint8_t b = p[2 + i];
        EXPECT_TRUE((b >= 0x61 && b <= 0x7B) || std::string(" \"'().:[]").find(char(b)) != std::string::npos)
            << int(b);
      }
    }
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[2], 0);
    const long size = p + 3 - doc;
    EXPECT_GE(size, 75);
    EXPECT_LE(size, 3800);
    if (records < fewestRecords) fewestRecords = records;
    if (records > mostRecords) mostRecords = records;
    MemFree(doc);
  }
  EXPECT_EQ(notes, 3);
  EXPECT_EQ(emptyNotes, 1);
  EXPECT_EQ(fewestRecords, 2);
  EXPECT_EQ(mostRecords, 73);
  EXPECT_GT(longestText, 3300);
  EXPECT_LE(longestText, 3455);
  EXPECT_TRUE(FakeMessageBox.Calls.empty());
}

TEST_F(SampleVolumeTest, IndexHasNineGroupsOfTheOddLessons) {
  uint8_t* doc = LoadLesson(IndexLesson, nullptr);
  ASSERT_NE(doc, nullptr);
  int groups = 0, leaves = 0, inGroup = 0, records = 0;
  const uint8_t* p = doc;
  for (; p[2] != 0; p = NextIndexRecord(p)) {
    ++records;
    const uint16_t key = IndexKey(p);
    const int length = int(std::string(reinterpret_cast<const char*>(p + 4)).size());
    if (key & KeyGroup) {
      if (groups) {
        EXPECT_TRUE(inGroup >= 16 && inGroup <= 20) << inGroup;
      }
      EXPECT_EQ(key, 0xBFFE - groups);
      EXPECT_EQ(p[2], 0x8C);
      EXPECT_EQ(p[3], 1);
      ++groups;
      inGroup = 0;
    } else {
      ASSERT_TRUE(key & KeyLeaf);
      EXPECT_EQ(key & KeyLesson, 2 * leaves + 1);
      EXPECT_EQ(p[2], 0x01);
      EXPECT_EQ(p[3], 2);
      ++leaves;
      ++inGroup;
    }
    EXPECT_TRUE(length == 5 || length == 6) << length;
  }
  EXPECT_TRUE(inGroup >= 16 && inGroup <= 20);
  EXPECT_EQ(groups, 9);
  EXPECT_EQ(leaves, 173);
  EXPECT_EQ(records, 182);
  // The record list ends with five zero bytes, the last of the document.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p[i], 0);
  EXPECT_EQ(p[5], 0) << "the zero the store appends";
  MemFree(doc);
}

}  // namespace

namespace {

TEST(FixtureVolumeTest, EveryDocumentDecodesAndUsesTheRestOfTheFormat) {
  FakeReset();
  ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/fixture-volume.bin"));
  int rules = 0, hanging = 0, continuations = 0, empty = 0, subtitles = 0;
  for (int lesson = 1; lesson <= 346; ++lesson) {
    uint8_t* doc = LoadLesson(lesson, nullptr);
    ASSERT_NE(doc, nullptr) << lesson;
    for (const uint8_t* p = doc; p[0]; p = NextParagraphRecord(p)) {
      if (IsRule(p[0])) {
        ++rules;
      } else if (p[1] & ParamHanging) {
        p[2] == ' ' ? ++continuations : ++hanging;
      }
      if (p[2] == 0 && !IsRule(p[0])) ++empty;
      if (p[0] == SubtitleStyle) ++subtitles;
    }
    MemFree(doc);
  }
  EXPECT_GE(rules, 7);
  EXPECT_GE(hanging, 4);
  EXPECT_GE(continuations, 3);
  EXPECT_GE(empty, 3);
  EXPECT_EQ(subtitles, 2);
  uint8_t* index = LoadLesson(IndexLesson, nullptr);
  ASSERT_NE(index, nullptr);
  MemFree(index);
  FakeReset();
}

}  // namespace
