#include <string>
#include <vector>

#include "pane_fixture.h"
#include "textpane/letter_drawing.h"

namespace {

using LayoutTest = PaneTest;

struct Expected {
  uint16_t TextOffset, Length, X, Width;
};

void ExpectLines(const std::vector<LineRecord>& lines, const std::vector<Expected>& expected) {
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i].TextOffset, expected[i].TextOffset);
    EXPECT_EQ(lines[i].Length, expected[i].Length);
    EXPECT_EQ(lines[i].X, expected[i].X);
    EXPECT_EQ(lines[i].Width, expected[i].Width);
  }
}

TEST_F(LayoutTest, WorkedExampleReversedFlushRight) {
  MakePane(10, 0, 60, 100);
  uint8_t* doc = DocBuilder().Add(0xB1, 0, "aa bbb cc dddd ee ff").Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  ExpectLines(Lines(), {{12, 10, 16, 54}, {2, 9, 22, 48}});
  EXPECT_EQ(pane->Lines[0].Style, 0x31);  // blank-after only on the paragraph's last line
  EXPECT_EQ(pane->Lines[1].Style, 0x31);  // ...which the document's end takes away
  EXPECT_EQ(pane->Lines[0].Height, 16);
  EXPECT_EQ(pane->LineCount, 2);
  EXPECT_EQ(pane->DisplayLines, 2);
  EXPECT_EQ(pane->Document, doc);

  ASSERT_EQ(PaintTextPane(pane, EraseFirst), 0);
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].Text, u"dddd ee ff");
  EXPECT_EQ(drawn[0].Box.Left, 16);
  EXPECT_EQ(drawn[0].Box.Right, 70);
  EXPECT_EQ(drawn[0].Box.Top, 0);
  EXPECT_EQ(drawn[1].Text, u"aa bbb cc");
  EXPECT_EQ(drawn[1].Box.Left, 22);
  EXPECT_EQ(drawn[1].Box.Top, 16);
  EXPECT_EQ(pane->PaintedLines, 2);
}

TEST_F(LayoutTest, BreaksInLeftToRightText) {
  struct Case {
    const char* name;
    int32_t width;
    std::string text;
    std::vector<Expected> lines;  // offsets from the text's start (+2 added below)
  } cases[] = {
      // The width ends exactly at a space: no backing up, the next line starts after it.
      {"on a space", 24, "aaaa bbbb", {{0, 4, 0, 24}, {5, 4, 0, 24}}},
      // Backing up to a space drops it and measures again.
      {"back to a space", 27, "aaaa bbbb", {{0, 4, 0, 24}, {5, 4, 0, 24}}},
      // A hyphen ends the line and stays on it; a word too long is cut with no hyphen.
      {"hyphen", 30, "aa-bbbbbbb", {{0, 3, 0, 18}, {3, 5, 0, 30}, {8, 2, 0, 12}}},
      {"long word", 30, "aaaaaaaaaaaa", {{0, 5, 0, 30}, {5, 5, 0, 30}, {10, 2, 0, 12}}},
      // A hyphen or space at the line's first position is no break point.
      {"hyphen first", 30, "-aaaaaa", {{0, 5, 0, 30}, {5, 2, 0, 12}}},
      // Several spaces at a break are all skipped.
      {"spaces", 24, "aaaa   bb", {{0, 4, 0, 24}, {7, 2, 0, 12}}},
      // Narrower than one letter: one letter a line, never a loop.
      {"nothing fits", 4, "abc", {{0, 1, 0, 6}, {1, 1, 0, 6}, {2, 1, 0, 6}}},
      {"zero width", 0, "ab", {{0, 1, 0, 6}, {1, 1, 0, 6}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakePane(0, 0, c.width, 200);
    uint8_t* doc = DocBuilder().Add(0x01, 0, c.text).Build();
    ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
    std::vector<Expected> want = c.lines;
    for (Expected& e : want) e.TextOffset += 2;
    ExpectLines(Lines(), want);
  }
}

TEST_F(LayoutTest, ReversedParagraphOfThreeLinesIsThreeRunsFromTheEnd) {
  MakePane(0, 0, 30, 200);
  // Reading order: "aaaa bbbb cccc" (stored reversed).
  uint8_t* doc = DocBuilder().Add(0x30, 0, "cccc bbbb aaaa").Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  // Runs 12..15, 7..10, 2..5: the first ends where the stored text ends.
  ExpectLines(Lines(), {{12, 4, 6, 24}, {7, 4, 6, 24}, {2, 4, 6, 24}});
}

TEST_F(LayoutTest, AlignmentIndentAndBlankLines) {
  struct Case {
    uint8_t style, param;
    int32_t width;
    uint16_t x;
  } cases[] = {
      {0x01, 5, 60, 15},    // left, indented
      {0x61, 5, 60, 15},    // 0x60 is the same as left
      {0x21, 5, 60, 47},    // flush right, indent from the right: 10 + 60 - 5 - 18
      {0x41, 6, 60, 34},    // centred: 10 + 6 + (60 - 6 - 18) / 2
      {0x01, 63, 50, 10},   // an indent not smaller than the pane counts as 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style * 1000 + c.param);
    MakePane(10, 0, c.width, 200);
    uint8_t* doc = DocBuilder().Add(c.style, c.param, "abc").Build();
    ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
    ASSERT_EQ(pane->LineCount, 1);
    EXPECT_EQ(pane->Lines[0].X, c.x);
  }
}

TEST_F(LayoutTest, FlushRightParagraphsKeepBlankLineOnlyOnTheirLastLine) {
  MakePane(10, 0, 60, 300);
  DocBuilder b;
  b.Add(0xB1, 0, "aa bbb cc dddd ee ff").Add(0xB1, 0, "gg hhh").Add(0xB1, 0, "ii jjj kk llll mm nn");
  uint8_t* doc = b.Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 5u);
  const uint8_t styles[] = {0x31, 0xB1, 0xB1, 0x31, 0x31};
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i].X + lines[i].Width, 70);
    EXPECT_EQ(lines[i].Style, styles[i]);
  }
  EXPECT_EQ(pane->DisplayLines, 7);
}

TEST_F(LayoutTest, HangingWordAndContinuation) {
  MakePane(0, 0, 100, 200);  // font height 16: maximum character width 8
  DocBuilder b;
  b.Add(0x01, 0xC0, "aa bbb cc").Add(0x01, 0xC5, " dd");
  uint8_t* doc = b.Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  // Column of n = 3: two maximum character widths. The line holds the word's offset.
  EXPECT_EQ(lines[0].HangWidth, 16);
  EXPECT_EQ(lines[0].TextOffset, b.TextOffset(0));
  EXPECT_EQ(lines[0].Length, 6);  // "bbb cc"
  EXPECT_EQ(lines[0].X, 16);
  // The continuation keeps the running indent (the column) plus its change of indent.
  EXPECT_EQ(lines[1].HangWidth, 0);
  EXPECT_EQ(lines[1].X, 16 + 5);
  EXPECT_EQ(lines[1].Length, 2);

  ASSERT_EQ(PaintTextPane(pane, KeepBackground), 0);
  EXPECT_EQ(DrawnTexts(), (std::vector<std::u16string>{u"aa", u"bbb cc", u"dd"}));
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  EXPECT_EQ(drawn[0].Box.Left, 0);
  EXPECT_EQ(drawn[0].Box.Right, 12);

  // An empty paragraph whose indent the pane cannot hold still resets the
  // running indent to 0; the continuation after it shifts from there by
  // 10 - 63, below 0, which again counts as 0.
  MakePane(0, 0, 50, 200);
  DocBuilder e;
  e.Add(0x01, 0, "ab").Add(0x01, 63, "").Add(0x01, 0xC0 | 10, " cd");
  ASSERT_EQ(LayoutDocument(pane, e.Build(), FreePrevious), 0);
  ASSERT_EQ(pane->LineCount, 2);
  EXPECT_EQ(pane->Lines[1].TextOffset, e.TextOffset(2) + 1);
  EXPECT_EQ(pane->Lines[1].X, 0);
}

TEST_F(LayoutTest, ReversedHangingWordStandsRightOfTheText) {
  MakePane(0, 0, 100, 200);
  // Reading order "aa bbb cc", stored reversed; the hanging word "aa" is read first.
  DocBuilder b;
  b.Add(0x31, 0xC0, "cc bbb aa");
  uint8_t* doc = b.Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  ASSERT_EQ(pane->LineCount, 1);
  const LineRecord line = pane->Lines[0];
  EXPECT_EQ(line.TextOffset, b.TextOffset(0));
  EXPECT_EQ(line.Length, 6);
  EXPECT_EQ(line.X + line.Width + line.HangWidth, 100);
  ASSERT_EQ(PaintTextPane(pane, KeepBackground), 0);
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].Text, u"aa");
  EXPECT_EQ(drawn[0].Box.Right, 100);
  EXPECT_EQ(drawn[1].Text, u"cc bbb");

  // A paragraph of one hanging word still shows the word.
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0x31, 0xC0, "ab").Build(), FreePrevious), 0);
  ASSERT_EQ(pane->LineCount, 1);
  EXPECT_EQ(pane->Lines[0].Length, 0);
  FakeDrawing.Calls.clear();
  ASSERT_EQ(PaintTextPane(pane, KeepBackground), 0);
  ASSERT_FALSE(DrawnTexts().empty());
  EXPECT_EQ(DrawnTexts()[0], u"ab");
}

TEST_F(LayoutTest, RuleLengthsAndPlaces) {
  struct Case {
    uint8_t style, param;
    uint16_t width, x;
  } cases[] = {
      {0x07, 160, 160, 10}, {0x07, 161, 4, 10},   {0x07, 210, 200, 10},
      {0x07, 255, 200, 10}, {0x27, 100, 100, 110}, {0x47, 100, 100, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.param);
    MakePane(10, 0, 200, 100);
    uint8_t* doc = DocBuilder().Add(c.style, c.param, "").Add(0x01, 0, "ab").Build();
    ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
    ASSERT_EQ(pane->LineCount, 2);
    EXPECT_EQ(pane->Lines[0].Width, c.width);
    EXPECT_EQ(pane->Lines[0].X, c.x);
    EXPECT_EQ(pane->Lines[0].Length, 0);
  }
  // Width 0 gives no line at all, not even a blank one.
  uint8_t* doc = DocBuilder().Add(0x87, 0, "").Add(0x01, 0, "ab").Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  EXPECT_EQ(pane->LineCount, 1);
  EXPECT_EQ(pane->DisplayLines, 1);
  // A rule with a blank line after it counts it.
  doc = DocBuilder().Add(0x87, 10, "").Add(0x01, 0, "ab").Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  EXPECT_EQ(pane->DisplayLines, 3);
  ASSERT_EQ(PaintTextPane(pane, KeepBackground), 0);
  auto boxes = FakeCallsOf(FakeDrawBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Box.Top, 8);
  EXPECT_EQ(boxes[0].Box.Bottom, 9);
  EXPECT_EQ(boxes[0].Box.Right - boxes[0].Box.Left, 10);
  EXPECT_EQ(boxes[0].BrushColour, 0x000000u);
}

TEST_F(LayoutTest, StatusesAndRefusals) {
  EXPECT_EQ(LayoutDocument(nullptr, nullptr, FreePrevious), -1);
  MakePane(0, 0, 100, 100);
  DocBuilder good;
  good.Add(0x01, 0, "aa").Add(0x01, 0, "").Add(0x01, 0, "bb");
  uint8_t* first = good.Build();
  ASSERT_EQ(LayoutDocument(pane, first, FreePrevious), 0);
  EXPECT_EQ(pane->LineCount, 2);  // the empty text gives no line
  pane->HighlightStart = 1;
  pane->HighlightEnd = 3;
  pane->FirstVisible = 1;

  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  } refused[] = {
      {"empty document", {0, 0, 0}},
      {"empty first text", {0x01, 0, 0, 0x01, 0, 'a', 0, 0, 0, 0}},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = c.bytes;
    EXPECT_EQ(LayoutDocument(pane, bytes.data(), FreePrevious), LayoutRefused);
    EXPECT_EQ(pane->Document, first);
    EXPECT_EQ(pane->LineCount, 2);
    EXPECT_EQ(pane->HighlightStart, 0);
    EXPECT_EQ(pane->DisplayLines, 0);
    EXPECT_EQ(pane->FirstVisible, 1);
  }
  // No document: 2; with FreePrevious the pane lets go of its own.
  EXPECT_EQ(LayoutDocument(pane, nullptr, KeepDocument), LayoutNoDocument);
  EXPECT_EQ(pane->Document, first);
  EXPECT_EQ(LayoutDocument(pane, nullptr, FreePrevious), LayoutNoDocument);
  EXPECT_EQ(pane->Document, nullptr);
  EXPECT_EQ(PaintTextPane(pane, EraseFirst), -1);
  EXPECT_TRUE(FakeDrawing.Calls.empty());
}

TEST_F(LayoutTest, TableGrowsInBlocksAndIsReused) {
  std::string many;
  for (int i = 0; i < 300; ++i) many += "ab ";
  MakePane(0, 0, 12, 100, 100);
  uint8_t* doc = DocBuilder().Add(0x01, 0, many).Build();
  ASSERT_EQ(LayoutDocument(pane, doc, FreePrevious), 0);
  EXPECT_EQ(pane->LineCount, 300);
  EXPECT_EQ(pane->Capacity, 356);  // 100 + 2 x 128
  LineRecord* table = pane->Lines;
  ASSERT_EQ(ResizeTextPane(pane, 200, 100), 0);
  EXPECT_EQ(pane->Lines, table);  // never shrinks, reused
  EXPECT_EQ(pane->Capacity, 356);

  // A pane without a table gets 128 on its first layout.
  MakePane(0, 0, 100, 100, 0);
  EXPECT_EQ(pane->Lines, nullptr);
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0x01, 0, "ab").Build(), FreePrevious), 0);
  EXPECT_EQ(pane->Capacity, 128);
}

TEST_F(LayoutTest, OutOfMemory) {
  std::string many;
  for (int i = 0; i < 200; ++i) many += "ab ";
  // Prime the font cache and the display buffer so that the table is the only allocation.
  MakePane(0, 0, 12, 100, 100);
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0x01, 0, "ab").Build(), FreePrevious), 0);
  uint8_t* big = DocBuilder().Add(0x01, 0, many).Build();
  int32_t width = 10000, count = 600;
  MeasureLetters(surface, big + 2, &width, &count);

  // A new document that needs a bigger table: the old one is gone, the new one not taken.
  FakeMemory.FailAfter = 0;
  EXPECT_EQ(LayoutDocument(pane, big, FreePrevious), LayoutNoMemory);
  FakeMemory.FailAfter = -1;
  EXPECT_EQ(pane->Document, nullptr);
  EXPECT_EQ(pane->Lines[0].Style, 0);  // nothing of a document the pane does not hold
  EXPECT_EQ(PaintTextPane(pane, EraseFirst), -1);

  // The same document laid out again keeps the lines made before the failure.
  ASSERT_EQ(LayoutDocument(pane, big, FreePrevious), 0);
  ASSERT_EQ(pane->Capacity, 228);
  FakeMemory.FailAfter = 0;
  EXPECT_EQ(ResizeTextPane(pane, 6, 100), LayoutNoMemory);  // one letter a line: 400 lines
  FakeMemory.FailAfter = -1;
  EXPECT_EQ(pane->Document, big);
  EXPECT_EQ(pane->LineCount, 228);
  EXPECT_EQ(pane->Lines[228].Style, 0);
  EXPECT_EQ(surface->SelectedFont, &surface->DefaultFont);

  // The scratch copy of a reversed paragraph.
  MakePane(0, 0, 100, 100);
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0x01, 0, "ab").Add(0x31, 0, "cd").Build(), FreePrevious),
            0);
  uint8_t* reversed = DocBuilder().Add(0x01, 0, "ab").Add(0x31, 0, "cd").Build();
  FakeMemory.FailAfter = 0;
  EXPECT_EQ(LayoutDocument(pane, reversed, FreePrevious), LayoutNoMemory);
  FakeMemory.FailAfter = -1;
  EXPECT_EQ(pane->Document, nullptr);
  EXPECT_EQ(pane->Lines[0].Style, 0);
  MemFree(reversed);

  // The first table.
  MakePane(0, 0, 100, 100, 0);
  uint8_t* doc = DocBuilder().Add(0x01, 0, "ab").Build();
  FakeMemory.FailAfter = 0;
  EXPECT_EQ(LayoutDocument(pane, doc, FreePrevious), LayoutNoMemory);
  FakeMemory.FailAfter = -1;
  EXPECT_EQ(pane->Lines, nullptr);
  MemFree(doc);
}

TEST_F(LayoutTest, MaxFirstVisible) {
  // Five one-line paragraphs with blank lines: 9 display lines of 16 pixels.
  DocBuilder b;
  for (int i = 0; i < 5; ++i) b.Add(0x81, 0, "ab");
  struct Case {
    int32_t height;
    uint16_t max;
  } cases[] = {
      {200, 0},  // all fits
      {48, 6},   // the last line and the blank and line before it
      {40, 7},   // a blank line that does not fit whole is not counted
      {16, 8},   // one line
      {10, 9},   // lower than the last line: DisplayLines
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    MakePane(0, 0, 100, c.height);
    ASSERT_EQ(LayoutDocument(pane, b.Build(), FreePrevious), 0);
    EXPECT_EQ(pane->DisplayLines, 9);
    EXPECT_EQ(pane->MaxFirstVisible, c.max);
  }
  pane->DisplayLines = 0;
  EXPECT_EQ(ComputeMaxFirstVisible(pane), -1);
}

TEST_F(LayoutTest, ShowOffset) {
  MakePane(0, 0, 30, 32);
  DocBuilder b;
  b.Add(0x81, 0, "aa-bbbb").Add(0x81, 0, "cc").Add(0x01, 0, "dd").Add(0x01, 0, "ee");
  ASSERT_EQ(LayoutDocument(pane, b.Build(), FreePrevious), 0);
  // Lines: "aa-" (2..5), "bbbb" (5..9, blank after), "cc" (blank after), "dd", "ee".
  ASSERT_EQ(pane->LineCount, 5);
  ASSERT_EQ(pane->DisplayLines, 7);
  ASSERT_EQ(pane->MaxFirstVisible, 5);
  struct Case {
    uint16_t offset;
    int found;
    uint16_t first;
  } cases[] = {
      {5, 1, 0},                          // end of one line and start of the next: the earlier
      {6, 1, 1},
      {b.TextOffset(1), 1, 3},
      {b.TextOffset(2), 1, 5},
      {b.TextOffset(3), 1, 5},            // display line 6, but no further than MaxFirstVisible
      {500, 0, 5},                        // no line: FirstVisible unchanged
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(ShowOffset(pane, c.offset), c.found);
    EXPECT_EQ(pane->FirstVisible, c.first);
  }
}

TEST_F(LayoutTest, LayoutLeavesTheSurfaceFontAsFound) {
  MakePane(0, 0, 100, 100);
  Font* before = surface->SelectedFont;
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0xDC, 0, "ab").Add(0x51, 0, "cd").Build(), FreePrevious),
            0);
  EXPECT_EQ(surface->SelectedFont, before);
  EXPECT_EQ(pane->Lines[0].Height, 20);  // larger: 20 with size 0
  EXPECT_EQ(pane->Lines[1].Height, 16);
}

}  // namespace
