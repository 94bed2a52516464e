// Every lesson of the sample volume and of the format fixture volume lays out
// and paints on the fake surface, page after page, with every line inside its
// record and inside the pane.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "documents/lesson_store.h"
#include "pane_fixture.h"

namespace {

class VolumeTest : public PaneTest {
 protected:
  // Lays out every lesson in a pane of the main window's shape and pages
  // through it; returns the number of lessons done.
  int LayOutAndPaintAll(int32_t width) {
    int done = 0;
    for (int lesson = 1; lesson <= 346; ++lesson) {
      SCOPED_TRACE("lesson " + std::to_string(lesson));
      int status = 0;
      uint8_t* doc = LoadLesson(lesson, &status);
      if (!doc) continue;
      size_t size = 0;
      const uint8_t* p = doc;
      while (p[0]) p += 2 + std::strlen(reinterpret_cast<const char*>(p + 2)) + 1;
      size = static_cast<size_t>(p - doc);

      MakePane(4, 4, width, 128);
      EXPECT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
      EXPECT_GT(pane->LineCount, 0);
      EXPECT_LE(pane->MaxFirstVisible, pane->DisplayLines);
      for (const LineRecord* line = pane->Lines; line->Style; ++line) {
        EXPECT_LE(line->TextOffset + line->Length, size);
        if ((line->Style & 7) != 7 && line->Length > 1) {
          // The hanging column stands right of a reversed line's text, left of another's.
          const bool reversed = (line->Style & 0x10) != 0;
          EXPECT_GE(line->X - (reversed ? 0 : line->HangWidth), pane->Left) << int(line->Style);
          EXPECT_LE(line->X + line->Width + (reversed ? line->HangWidth : 0), pane->Left + pane->Width)
              << int(line->Style);
        }
      }
      // Page down to the end, painting each page as the reader would.
      int pages = 0;
      FakeDrawing.Calls.clear();
      EXPECT_EQ(PaintTextPane(pane, EraseFirst), 0);
      while (ScrollTextPane(pane, pane->PaintedLines > 1 ? pane->PaintedLines - 1 : 1, ScrollAndPaint) == 0) {
        ++pages;
        EXPECT_LT(pages, 1000);
        if (pages >= 1000) break;
      }
      EXPECT_GT(FakeCallsOf(FakeDrawLineInBox).size(), 0u);
      EXPECT_EQ(FakeDrawing.MisusedObjects, 0);
      ++done;
    }
    return done;
  }
};

TEST_F(VolumeTest, SampleVolume) {
  ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
  App.font.LetterBase = 1488;
  EXPECT_EQ(LayOutAndPaintAll(219), 346);
}

TEST_F(VolumeTest, FormatFixtureVolume) {
  const std::string dir = DARVO_BINARY_DIR "/test-tmp/textpane-fixture";
  std::filesystem::create_directories(dir);
  const std::string command = std::string("'") + DARVO_BINARY_DIR + "/tools/darvo-pack/darvo-pack' pack '" +
                              DARVO_FIXTURES "/volume' '" + dir + "/fixture.bin'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(FakeLoadBundle(dir + "/fixture.bin"));
  App.font.LetterBase = 1488;
  App.Flags = FlagReverse;
  EXPECT_GT(LayOutAndPaintAll(219), 0);
  // A narrow pane where hanging columns and indents leave no room still ends.
  EXPECT_GT(LayOutAndPaintAll(9), 0);
}

}  // namespace
