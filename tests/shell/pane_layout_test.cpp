#include "fake/fake.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/pane_layout.h"
#include "shell_fixture.h"

namespace {

struct Box {
  Rect R;
  Colour Pen;
  Colour Brush;
};

std::vector<Box> BoxesDrawn() {
  std::vector<Box> out;
  for (const FakeDrawCall& call : FakeCallsOf(FakeDrawBox)) out.push_back({call.Box, call.PenColour, call.BrushColour});
  return out;
}

void ExpectRect(const Rect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.Left, left);
  EXPECT_EQ(r.Top, top);
  EXPECT_EQ(r.Right, right);
  EXPECT_EQ(r.Bottom, bottom);
}

}  // namespace

using PaneLayoutTest = ShellTest;

// Client area 240 x 294, bar 26 high at the bottom, gutter 4, scroll bars 13
// wide, half the height for the commentary.
TEST_F(PaneLayoutTest, WorkedExampleGivesTheStatedPlaces) {
  SetGlobal(u"MenuBarOnBottom", 1);
  SetGlobal(u"SurroundingGutter", 4);
  FakeQueueAction([] {
    const TextPane* top = App.TopPane;
    const TextPane* bottom = App.BottomPane;
    EXPECT_EQ(App.MenuBarHeight, 26);
    EXPECT_EQ(top->Left, 4);
    EXPECT_EQ(top->Top, 4);
    EXPECT_EQ(top->Width, 219);
    EXPECT_EQ(top->Height, 128);
    ExpectRect(App.BottomRect, 4, 135, 223, 260);
    EXPECT_EQ(bottom->Left, 4);
    EXPECT_EQ(bottom->Top, 137);
    EXPECT_EQ(bottom->Width, 219);
    EXPECT_EQ(bottom->Height, 129);
    ExpectRect(GetWindowRect(App.TopScrollBar), 227, -2, 240, 132);
    ExpectRect(GetWindowRect(App.BottomScrollBar), 227, 133, 240, 268);

    // The repaint of the first show drew the pale section and the red separator.
    const std::vector<Box> boxes = BoxesDrawn();
    ASSERT_GE(boxes.size(), 2u);
    ExpectRect(boxes[0].R, 0, 133, 227, 268);
    EXPECT_EQ(boxes[0].Pen, 0xFFFFEEu);
    EXPECT_EQ(boxes[0].Brush, 0xFFFFEEu);
    ExpectRect(boxes[1].R, 0, 132, 240, 133);
    EXPECT_EQ(boxes[1].Pen, 0x0000FFu);
    EXPECT_EQ(FakeDrawing.MisusedObjects, 0);
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(PaneLayoutTest, BottomSectionHeightFollowsTheCode) {
  const struct {
    int Code, H, Bottom;
  } cases[] = {{12, 300, 150}, {34, 300, 225}, {13, 300, 100}, {14, 300, 75}, {23, 300, 200}, {1, 300, 0},
               {20, 300, 150}, {0, 300, 150}, {-7, 300, 150}};
  for (const auto& c : cases) {
    App.BottomSection = c.Code;
    EXPECT_EQ(BottomSectionHeight(c.H), c.Bottom) << "code " << c.Code;
  }
}

TEST_F(PaneLayoutTest, CodesSplitTheHeightAndAnInvalidCodeIsAHalf) {
  // Command bar at the top (26), no gutter: H = 294 - 26 = 268.
  const struct {
    uint32_t Stored;
    int TopHeight;
    int Saved;
  } cases[] = {{12, 268 - 134 - 2, 12}, {34, 268 - 201 - 2, 34}, {1, 268 - 2, 1}, {50, 268 - 134 - 2, 12}};
  for (const auto& c : cases) {
    FakeReset();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
    SetSetting(u"BottomSection", c.Stored);
    const int expected = c.TopHeight;
    FakeQueueAction([expected] {
      EXPECT_EQ(App.TopPane->Top, 26);
      EXPECT_EQ(App.TopPane->Height, expected);
      EXPECT_TRUE(IsMenuItemChecked(BottomSectionMenu(), static_cast<uint16_t>(400 + App.BottomSection)));
    });
    Run();
    EXPECT_EQ(Stored(u"BottomSection"), c.Saved) << "stored " << c.Stored;
  }
}

TEST_F(PaneLayoutTest, NoBottomSectionLeavesThePaneOutOfSight) {
  SetSetting(u"BottomSection", 1);
  SetGlobal(u"MenuBarOnBottom", 1);
  SetGlobal(u"SurroundingGutter", 4);
  FakeQueueAction([] {
    // H = 260, b = 0: the top pane takes H - 2, the pale strip is gutter + 1 high.
    EXPECT_EQ(App.TopPane->Height, 258);
    EXPECT_EQ(App.BottomRect.Top, 4 + 260 + 1);
    EXPECT_EQ(App.BottomPane->Height, 0) << "the refused height keeps the size it had";
    EXPECT_EQ(GetWindowRect(App.BottomScrollBar).Top, App.BottomRect.Top - 2);
    const std::vector<FakeDrawCall> boxes = FakeCallsOf(FakeDrawBox);
    ASSERT_GE(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Box.Bottom - boxes[0].Box.Top, 4 + 1);
  });
  Run();
}

TEST_F(PaneLayoutTest, GutterZeroAndASmallClient) {
  FakeQueueAction([] {
    EXPECT_EQ(App.TopPane->Left, 0);
    EXPECT_EQ(App.TopPane->Top, 26);
    EXPECT_EQ(App.BottomRect.Top - 3, App.TopPane->Top + App.TopPane->Height) << "separator right under the top pane";
  });
  Run();

  // A client not larger than twice the gutter in a direction takes no margin there.
  FakeReset();
  ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
  FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
  SetGlobal(u"SurroundingGutter", 30);
  FakeWindows.ClientWidth = 60;
  FakeWindows.ClientHeight = 400;
  FakeQueueAction([] {
    EXPECT_EQ(App.TopPane->Left, 0) << "60 is not above 2 x 30";
    EXPECT_EQ(App.TopPane->Top, 26 + 30);
  });
  Run();
}

TEST_F(PaneLayoutTest, SameSizeTwiceKeepsAHighlight) {
  FakeQueueAction([] {
    App.TopPane->HighlightStart = 10;
    App.TopPane->HighlightEnd = 14;
    const size_t moves = FakeLogLines("MoveWindow").size();
    FakeResizeClient(App.MainWindow, 240, 294);
    EXPECT_EQ(App.TopPane->HighlightEnd, 14);
    EXPECT_EQ(FakeLogLines("MoveWindow").size(), moves);
    FakeResizeClient(App.MainWindow, 480, 640);
    EXPECT_EQ(App.TopPane->HighlightEnd, 0) << "a real change lays out again";
    EXPECT_EQ(App.TopPane->Width, 480 - 13);
  });
  Run();
}

TEST_F(PaneLayoutTest, ScrollBarsFollowThePanesOnlyWithTheFlag) {
  FakeQueueAction([] {
    EXPECT_EQ(App.TopScrollBar->ScrollMax, App.TopPane->MaxFirstVisible);
    EXPECT_EQ(App.BottomScrollBar->ScrollMax, App.BottomPane->MaxFirstVisible);
  });
  FakeQueue(MsgKeyDown, KeyPageDown);
  FakeQueueAction([] { EXPECT_EQ(App.TopScrollBar->ScrollPos, App.TopPane->FirstVisible); });
  Run();

  FakeReset();
  ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
  FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
  SetSetting(u"Flags", 0xD1140040u & ~0xC0u);
  FakeQueue(MsgKeyDown, KeyPageDown);
  FakeQueue(MsgVerticalScroll, ScrollLineDown);
  FakeQueueAction([] {
    EXPECT_GT(App.TopPane->FirstVisible, 0);
    EXPECT_EQ(App.TopScrollBar->ScrollSets, 0);
    EXPECT_EQ(App.BottomScrollBar->ScrollSets, 0);
  });
  Run();
}
