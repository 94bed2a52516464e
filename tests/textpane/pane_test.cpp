#include <string>
#include <vector>

#include "pane_fixture.h"
#include "textpane/letter_drawing.h"

namespace {

using FontCacheTest = PaneTest;
using PaintTest = PaneTest;
using LetterDrawingTest = PaneTest;

int CacheLength(const TextPane* p) {
  int n = 0;
  for (const CachedFont* e = p->FontCache; e; e = e->next) ++n;
  return n;
}

TEST_F(FontCacheTest, SizeWeightAndColourPerStyle) {
  struct Case {
    int32_t size;
    uint8_t style;
    int32_t lineHeight;
    int32_t weight;
    Colour colour;
  } cases[] = {
      {0, 0x01, 16, 400, 0x000000},   // platform default height
      {0, 0x04, 20, 400, 0x000000},   {0, 0x02, 14, 400, 0x800000},
      {17, 0x02, 12, 400, 0x800000},  // 17 x 6 / 8 = 12.75, truncated
      {17, 0x04, 21, 400, 0x000000},  {17, 0x0A, 12, 700, 0x800000},  // smaller and bold: navy
      {17, 0xDC, 21, 700, 0xFF0000},  // larger and bold: blue
      {17, 0xB1, 17, 400, 0x000000},  {17, 0x06, 21, 400, 0x800000},  // larger decides the size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size * 1000 + c.style);
    MakePane(0, 0, 100, 100);
    pane->Font.Size = c.size;
    Font* before = SelectStyleFont(pane, c.style | ApplyColour);
    EXPECT_EQ(before, &surface->DefaultFont);
    EXPECT_EQ(ReadFontMetrics(surface).LineHeight, c.lineHeight);
    EXPECT_EQ(surface->SelectedFont->Weight, c.weight);
    EXPECT_EQ(ReadTextColour(surface), c.colour);
    UseObject(surface, before);
  }
  // Without ApplyColour the text colour stays.
  SetTextColour(surface, 0x123456);
  UseObject(surface, SelectStyleFont(pane, 0xDC));
  EXPECT_EQ(ReadTextColour(surface), 0x123456u);
  EXPECT_EQ(SelectStyleFont(nullptr, 1), nullptr);
}

TEST_F(FontCacheTest, SharingAndReleasing) {
  MakePane(0, 0, 100, 100);
  Font* before = SelectStyleFont(pane, 0xB2);
  Font* shared = surface->SelectedFont;
  SelectStyleFont(pane, 0x52);  // same low five bits
  EXPECT_EQ(surface->SelectedFont, shared);
  EXPECT_EQ(CacheLength(pane), 1);
  UseObject(surface, before);

  ReleaseFonts(pane);
  EXPECT_EQ(CacheLength(pane), 1);
  EXPECT_EQ(pane->FontCache->font, nullptr);
  SelectStyleFont(pane, 0x12);  // the emptied entry is not refilled: a new one goes in front
  EXPECT_EQ(CacheLength(pane), 2);
  EXPECT_NE(pane->FontCache->font, nullptr);
  EXPECT_EQ(pane->FontCache->next->font, nullptr);
  UseObject(surface, before);

  // A font that cannot be made leaves the selection and the cache alone.
  FakeDrawing.FailFontsAfter = 0;
  EXPECT_EQ(SelectStyleFont(pane, 0x08), nullptr);
  EXPECT_EQ(surface->SelectedFont, before);
  EXPECT_EQ(CacheLength(pane), 2);
}

TEST_F(FontCacheTest, CreateResizeSetFontDestroy) {
  EXPECT_EQ(CreateTextPane(nullptr, nullptr, nullptr, 100), nullptr);
  FontSpec font{u"David", 18, 1488};
  pane = CreateTextPane(surface, nullptr, &font, 100);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->Width, 0);
  EXPECT_EQ(pane->Capacity, 100);
  EXPECT_EQ(pane->Font.Size, 18);
  EXPECT_EQ(pane->Font.LetterBase, 1488);
  DestroyTextPane(pane);
  // Only the table failing still gives a pane.
  FakeMemory.FailAfter = 1;
  pane = CreateTextPane(surface, nullptr, &font, 100);
  FakeMemory.FailAfter = -1;
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->Lines, nullptr);
  EXPECT_EQ(pane->Capacity, 0);

  MakePane(0, 0, 60, 100);
  EXPECT_EQ(ResizeTextPane(nullptr, 10, 10), -1);
  EXPECT_EQ(SetPaneFont(nullptr, &font), -1);
  EXPECT_EQ(SetPaneFont(pane, &font), 1);  // no document to lay out
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0xB1, 0, "aa bbb cc dddd ee ff").Build(), FreePrevious), 0);
  pane->FirstVisible = 1;
  for (auto [w, h] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-3, 10}}) {
    EXPECT_EQ(ResizeTextPane(pane, w, h), -5);
    EXPECT_EQ(pane->Width, 60);
    EXPECT_EQ(pane->Height, 100);
    EXPECT_EQ(pane->LineCount, 2);
    EXPECT_EQ(pane->FirstVisible, 1);
  }
  EXPECT_EQ(ResizeTextPane(pane, 200, 50), 0);
  EXPECT_EQ(pane->LineCount, 1);
  EXPECT_EQ(pane->FirstVisible, 1);
  EXPECT_TRUE(FakeDrawing.Calls.empty());  // resizing does not paint

  // A new font remakes every cached font, lays out and paints with erasing.
  pane->FirstVisible = 0;
  const long freedBefore = FakeDrawing.FontsFreed;
  FontSpec larger{u"David", 40, 97};
  EXPECT_EQ(SetPaneFont(pane, &larger), 0);
  EXPECT_EQ(FakeDrawing.FontsFreed, freedBefore + CacheLength(pane));
  EXPECT_EQ(pane->Lines[0].Height, 40);
  auto fills = FakeCallsOf(FakeFillBox);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].BrushColour, 0xFFFFFFu);
  EXPECT_EQ(FakeCallsOf(FakeDrawLineInBox)[0].FontFace, u"David");
  EXPECT_EQ(FakeDrawing.MisusedObjects, 0);
}

// Ten one-line paragraphs "l0".."l9"; 2, 5 and 7 have a blank line after them.
uint8_t* TenLines() {
  DocBuilder b;
  for (int i = 0; i < 10; ++i) {
    b.Add((i == 2 || i == 5 || i == 7) ? 0x81 : 0x01, 0, "l" + std::to_string(i));
  }
  return b.Build();
}

TEST_F(PaintTest, FirstVisibleCases) {
  struct Case {
    const char* name;
    uint16_t firstVisible;
    int32_t height;
    uint16_t correctedFirst;
    std::vector<std::u16string> drawn;
    int32_t firstY;
    int32_t painted;
  } cases[] = {
      {"top", 0, 64, 0, {u"l0", u"l1", u"l2"}, 0, 4},  // the blank after l2 counts
      // FirstVisible 3 is the blank line after l2: the slot stays empty, not counted.
      {"blank top line", 3, 48, 3, {u"l3", u"l4"}, 16, 2},
      {"partial last line", 0, 60, 0, {u"l0", u"l1", u"l2"}, 0, 4},
      // 13 display lines; a FirstVisible past them becomes MaxFirstVisible.
      {"past the end", 40, 32, 11, {u"l8", u"l9"}, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDrawing.Calls.clear();
    MakePane(0, 0, 100, c.height);
    ASSERT_EQ(LayoutDocument(pane, TenLines(), FreePrevious), 0);
    ASSERT_EQ(pane->DisplayLines, 13);
    pane->FirstVisible = c.firstVisible;
    ASSERT_EQ(PaintTextPane(pane, KeepBackground), 0);
    EXPECT_EQ(pane->FirstVisible, c.correctedFirst);
    EXPECT_EQ(DrawnTexts(), c.drawn);
    EXPECT_EQ(FakeCallsOf(FakeDrawLineInBox)[0].Box.Top, c.firstY);
    EXPECT_EQ(pane->PaintedLines, c.painted);
  }
}

TEST_F(PaintTest, EraseColoursAndRestoredState) {
  MakePane(5, 7, 100, 100);
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0xDC, 0, "ab").Add(0x51, 0, "cd").Add(0xB1, 0, "ef").Build(),
                           FreePrevious),
            0);
  SetTextColour(surface, 0x00FF00);
  SetBackgroundMode(surface, BackgroundTransparent);
  ASSERT_EQ(PaintTextPane(pane, EraseFirst), 0);
  ASSERT_FALSE(FakeDrawing.Calls.empty());
  const FakeDrawCall& fill = FakeDrawing.Calls[0];
  EXPECT_EQ(fill.Kind, FakeFillBox);
  EXPECT_EQ(fill.Box.Left, 5);
  EXPECT_EQ(fill.Box.Top, 7);
  EXPECT_EQ(fill.Box.Right, 105);
  EXPECT_EQ(fill.Box.Bottom, 107);
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].TextColour, 0xFF0000u);  // title blue
  EXPECT_EQ(drawn[0].FontHeight, 20);
  EXPECT_EQ(drawn[1].TextColour, 0x000000u);
  EXPECT_EQ(drawn[2].TextColour, 0x000000u);
  EXPECT_EQ(drawn[0].Mode, BackgroundTransparent);  // the caller's mode is kept
  EXPECT_EQ(ReadTextColour(surface), 0x00FF00u);
  EXPECT_EQ(surface->SelectedFont, &surface->DefaultFont);
  EXPECT_EQ(ReadBackgroundMode(surface), BackgroundTransparent);
}

TEST_F(PaintTest, HighlightRanges) {
  // Two lines of one left-to-right paragraph: "aaa bbb" and "ccc ddd".
  MakePane(0, 0, 45, 100);
  DocBuilder b;
  b.Add(0x01, 0, "aaa bbb ccc ddd");
  ASSERT_EQ(LayoutDocument(pane, b.Build(), FreePrevious), 0);
  ASSERT_EQ(pane->LineCount, 2);
  const uint16_t t = b.TextOffset(0);
  struct Case {
    const char* name;
    uint16_t start, end;
    std::vector<std::u16string> texts;
    std::vector<int32_t> lefts;
  } cases[] = {
      // From the middle of one line to the middle of the next.
      {"two lines", static_cast<uint16_t>(t + 4), static_cast<uint16_t>(t + 11), {u"bbb", u"ccc"}, {21, 0}},
      // Only both offsets 0 mean no highlight.
      {"from 0", 0, 4, {u"aa"}, {0}},
      {"one line", static_cast<uint16_t>(t + 8), static_cast<uint16_t>(t + 9), {u"c"}, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane->HighlightStart = c.start;
    pane->HighlightEnd = c.end;
    FakeDrawing.Calls.clear();
    ASSERT_EQ(PaintHighlight(pane), 0);
    auto drawn = FakeCallsOf(FakeDrawLineInBox);
    ASSERT_EQ(drawn.size(), c.texts.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_EQ(drawn[i].Text, c.texts[i]);
      EXPECT_EQ(drawn[i].Box.Left, c.lefts[i]);
      EXPECT_EQ(drawn[i].Box.Right - drawn[i].Box.Left, 6 * static_cast<int32_t>(c.texts[i].size()));
      EXPECT_EQ(drawn[i].TextColour, 0xFF0000u);
      EXPECT_EQ(drawn[i].BackColour, 0x00FFFFu);
      EXPECT_EQ(drawn[i].Mode, BackgroundOpaque);
    }
  }
  // The paint draws the highlight after the text.
  pane->HighlightStart = t + 4;
  pane->HighlightEnd = t + 11;
  FakeDrawing.Calls.clear();
  ASSERT_EQ(PaintTextPane(pane, KeepBackground), 0);
  EXPECT_EQ(DrawnTexts(), (std::vector<std::u16string>{u"aaa bbb", u"ccc ddd", u"bbb", u"ccc"}));
  pane->Document[t] = 0;  // keep the compiler honest about the document being used
}

TEST_F(PaintTest, HighlightInReversedParagraphShiftsByStoredWidth) {
  MakePane(10, 0, 60, 100);
  ASSERT_EQ(LayoutDocument(pane, DocBuilder().Add(0xB1, 0, "aa bbb cc dddd ee ff").Build(), FreePrevious), 0);
  // Stored offsets 12..21 are the top line "dddd ee ff" at x 16; highlight "ee".
  pane->HighlightStart = 17;
  pane->HighlightEnd = 19;
  ASSERT_EQ(PaintHighlight(pane), 0);
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].Text, u"ee");
  EXPECT_EQ(drawn[0].Box.Left, 16 + 27);
  EXPECT_EQ(drawn[0].Box.Bottom - drawn[0].Box.Top, 16);
}

TEST_F(PaintTest, Scrolling) {
  // 13 display lines, 4 fit: MaxFirstVisible 10 (l8, l9 and the blank before them).
  struct Case {
    const char* name;
    uint16_t from;
    int32_t delta;
    int repaint;
    int result;
    uint16_t to;
  } cases[] = {
      {"up past the top", 3, -5, ScrollOnly, 3, 0},
      {"down at the last page", 9, 1, ScrollOnly, 1, 9},
      {"down from near the end", 7, 10, ScrollOnly, 3, 9},
      {"step beyond the end", 0, 1000, ScrollOnly, 3, 9},
      {"nothing", 4, 0, ScrollOnly, 1, 4},
      {"nothing with repaint", 4, 0, ScrollAndPaint, 1, 4},
      {"up from past the last page", 12, -2, ScrollOnly, 3, 10},
      {"down from past the last page", 12, 1, ScrollOnly, 1, 12},
      {"with repaint", 2, 1, ScrollAndPaint, 0, 3},
  };
  MakePane(0, 0, 100, 64);
  ASSERT_EQ(LayoutDocument(pane, TenLines(), FreePrevious), 0);
  ASSERT_EQ(pane->MaxFirstVisible, 9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane->FirstVisible = c.from;
    FakeDrawing.Calls.clear();
    EXPECT_EQ(ScrollTextPane(pane, c.delta, c.repaint), c.result);
    EXPECT_EQ(pane->FirstVisible, c.to);
    EXPECT_EQ(FakeDrawing.Calls.empty(), c.result != 0);
  }
  EXPECT_EQ(ScrollTextPane(nullptr, 1, ScrollOnly), -1);
}

TEST_F(PaintTest, ScrollFarDownLandsWithinDisplayLines) {
  // From two above the last page a big step may land anywhere up to DisplayLines.
  MakePane(0, 0, 100, 16);
  DocBuilder b;
  for (int i = 0; i < 20; ++i) b.Add(0x01, 0, "ab");
  ASSERT_EQ(LayoutDocument(pane, b.Build(), FreePrevious), 0);
  ASSERT_EQ(pane->MaxFirstVisible, 19);
  pane->FirstVisible = 9;
  pane->MaxFirstVisible = 11;  // as if the pane were taller
  EXPECT_EQ(ScrollTextPane(pane, 10, ScrollOnly), 3);
  EXPECT_EQ(pane->FirstVisible, 19);  // MaxFirstVisible + 8
}

TEST_F(LetterDrawingTest, MeasuringIgnoresMirroringDrawingApplies) {
  App.font.LetterBase = 1488;
  App.Flags = FlagReverse;
  FakeDrawing.Widths[u'('] = 2;
  FakeDrawing.Widths[u')'] = 2;
  const uint8_t text[] = {'a', 'b', '(', 0};
  int32_t width = 8, count = 3;
  MeasureLetters(surface, text, &width, &count);
  EXPECT_EQ(count, 1);  // in stored order 'a' fits, 'b' does not; mirrored ')' 'b' would
  EXPECT_EQ(width, 6);
  EXPECT_EQ(App.Flags, FlagReverse);

  DrawLetters(surface, text, 3, 1, 2, 30, 16);
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].Text, (std::u16string{u')', 0x05D1, 0x05D0}));
  EXPECT_EQ(drawn[0].Box.Left, 1);
  EXPECT_EQ(drawn[0].Box.Top, 2);
  EXPECT_EQ(drawn[0].Box.Right, 31);
  EXPECT_EQ(drawn[0].Box.Bottom, 18);

  // A fit far into a long text is counted over the whole of it.
  std::vector<uint8_t> longText(700, 'a');
  longText.push_back(0);
  width = 6 * 600 + 5;
  count = 700;
  MeasureLetters(surface, longText.data(), &width, &count);
  EXPECT_EQ(count, 600);
  EXPECT_EQ(width, 3600);

  // A zero byte inside the count ends the text.
  width = 100;
  count = 3;
  const uint8_t shortText[] = {'a', 0, 'b', 0};
  MeasureLetters(surface, shortText, &width, &count);
  EXPECT_EQ(count, 1);
}

TEST_F(LetterDrawingTest, ColouredDrawingRestoresTheSurface) {
  SetBackgroundMode(surface, BackgroundTransparent);
  SetBackColour(surface, 0x111111);
  SetTextColour(surface, 0x222222);
  const uint8_t text[] = {'a', 'b', 0};
  DrawLettersColoured(surface, text, 2, 0, 0, 12, 16, 0xFF0000, 0x00FFFF);
  auto drawn = FakeCallsOf(FakeDrawLineInBox);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].Mode, BackgroundOpaque);
  EXPECT_EQ(drawn[0].TextColour, 0xFF0000u);
  EXPECT_EQ(drawn[0].BackColour, 0x00FFFFu);
  EXPECT_EQ(ReadBackgroundMode(surface), BackgroundTransparent);
  EXPECT_EQ(ReadBackColour(surface), 0x111111u);
  EXPECT_EQ(ReadTextColour(surface), 0x222222u);

  FillWhite(surface, 1, 2, 3, 4);
  auto fills = FakeCallsOf(FakeFillBox);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].BrushColour, 0xFFFFFFu);
  EXPECT_EQ(fills[0].Box.Right, 4);
  EXPECT_EQ(fills[0].Box.Bottom, 6);
}

}  // namespace
