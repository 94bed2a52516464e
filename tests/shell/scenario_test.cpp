// The whole program on the fake platform, driven by a scripted message queue.
#include <algorithm>

#include "fake/fake.h"
#include "platform/message_box.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/pane_layout.h"
#include "shell_fixture.h"
#include "textpane/paint.h"

namespace {

intptr_t Point(int x, int y) {
  return static_cast<intptr_t>(static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16));
}

}  // namespace

using ScenarioTest = ShellTest;

TEST_F(ScenarioTest, FreshStartShowsLessonsOneAndTwoAndWritesTheSettings) {
  FakeQueueAction([] {
    EXPECT_EQ(App.Lesson, 1);
    const std::vector<int> loaded = LessonsLoaded();
    EXPECT_EQ(loaded, (std::vector<int>{1, 2}));
    EXPECT_NE(App.TopPane->Document, nullptr);
    EXPECT_NE(App.BottomPane->Document, nullptr);
    EXPECT_GT(App.TopPane->LineCount, 0);
    EXPECT_EQ(FakeWindows.PaintsSent, 1) << "shown and painted once";
    EXPECT_EQ(FakeMessageBox.Calls.size(), 0u);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Stored(u"Flags"), 0xD1140040);
  EXPECT_EQ(Stored(u"Lesson"), 1);
  EXPECT_EQ(Stored(u"LastPosition"), 0);
  EXPECT_EQ(Stored(u"BottomSection"), 12);
  EXPECT_EQ(Stored(u"BottomSectionLastPosition"), 0);
  EXPECT_EQ(Stored(u"FontSize"), -1) << "0 is not written";
  EXPECT_EQ(Stored(u"FontAsciiBase"), 1488);
  const FakeRegistryValue* bookmarks = FakeRegistryFind(SettingsKey, u"Bookmarks");
  ASSERT_NE(bookmarks, nullptr);
  EXPECT_EQ(bookmarks->Data, (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(App.TopPane, nullptr) << "the panes went with the window";
  EXPECT_EQ(FakeLogLines("PostQuit").size(), 1u);
  EXPECT_EQ(FakeLogLines("LoadAccelerators 3").size(), 1u);
}

TEST_F(ScenarioTest, VeryFirstStartHandsTheFontToBothPanes) {
  FakeReset();
  ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
  FakeQueueAction([] {
    EXPECT_EQ(App.TopPane->Font.LetterBase, 1488);
    EXPECT_EQ(App.BottomPane->Font.LetterBase, 1488);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(FakeRegistryFind(SettingsKey, u"FontName"), nullptr) << "an empty face is not written";
}

TEST_F(ScenarioTest, RestartComesBackToTheSameLessonAndPositions) {
  // First run: lesson 5, scrolled in both panes.
  SetSetting(u"Lesson", 5);
  FakeQueue(MsgKeyDown, KeyDown);
  FakeQueue(MsgKeyDown, KeyDown);
  FakeQueue(MsgVerticalScroll, ScrollLineDown, 0, nullptr);
  FakeQueueAction([] { FakeWindows.Script.front().Msg.Control = App.BottomScrollBar; });
  FakeQueue(MsgVerticalScroll, ScrollLineDown);
  Run();
  EXPECT_EQ(Stored(u"Lesson"), 5);
  EXPECT_EQ(Stored(u"LastPosition"), 3);
  EXPECT_EQ(Stored(u"BottomSectionLastPosition"), 1);

  // Second run on the same registry.
  FakeResetWindows();
  FakeResources.Lookups.clear();
  FakeQueueAction([] {
    EXPECT_EQ(App.Lesson, 5);
    EXPECT_EQ(App.TopPane->FirstVisible, 3);
    EXPECT_EQ(App.BottomPane->FirstVisible, 1);
    EXPECT_EQ(LessonsLoaded(), (std::vector<int>{5, 6}));
  });
  Run();
  EXPECT_EQ(Stored(u"LastPosition"), 3);
}

TEST_F(ScenarioTest, NextAndPreviousWrapAround) {
  const struct {
    uint32_t Stored;
    uint32_t Command;
    int Top;
  } cases[] = {{345, 109, 1}, {1, 110, 345}, {346, 109, 1}, {346, 110, 344}, {5, 109, 7}, {5, 110, 3}};
  for (const auto& c : cases) {
    FakeReset();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
    SetSetting(u"Lesson", c.Stored);
    FakeQueueAction([] { LessonsLoaded(); });
    FakeQueue(MsgCommand, c.Command);
    const int top = c.Top;
    FakeQueueAction([top] {
      EXPECT_EQ(App.Lesson, top);
      EXPECT_EQ(LessonsLoaded(), (std::vector<int>{top, top + 1}));
      EXPECT_EQ(App.TopPane->FirstVisible, 0);
    });
    Run();
    EXPECT_EQ(Stored(u"Lesson"), c.Top) << "from " << c.Stored;
  }
}

TEST_F(ScenarioTest, ArrowKeysStepArticles) {
  SetSetting(u"Lesson", 9);
  FakeQueue(MsgKeyDown, KeyRight);
  FakeQueueAction([] { EXPECT_EQ(App.Lesson, 11); });
  FakeQueue(MsgKeyDown, KeyLeft);
  FakeQueue(MsgKeyDown, KeyLeft);
  FakeQueueAction([] { EXPECT_EQ(App.Lesson, 7); });
  FakeQueue(MsgKeyDown, 0x41);  // any other key: nothing
  Run();
  EXPECT_EQ(Stored(u"Lesson"), 7);
}

TEST_F(ScenarioTest, PageDownMovesByThePagingField) {
  for (uint32_t field = 0; field < 8; ++field) {
    FakeReset();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
    SetSetting(u"Flags", (0xD1140040u & ~0x700000u) | (field << 20));
    FakeWindows.ClientWidth = 120;  // narrow: long enough to page
    static int before, page;
    FakeQueueAction([] {
      before = App.TopPane->FirstVisible;
      const int painted = App.TopPane->PaintedLines;
      ASSERT_GT(painted, 2);
      const uint32_t f = (App.Flags >> 20) & 7;
      page = (f == 2 || f == 4) ? painted / 2 : painted - 1;
      ASSERT_GE(App.TopPane->MaxFirstVisible, page) << "the lesson must be longer than a page";
    });
    FakeQueue(MsgKeyDown, KeyPageDown);
    FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, before + page); });
    FakeQueue(MsgKeyDown, KeyPageUp);
    FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, before); });
    Run();
  }
}

TEST_F(ScenarioTest, HomeEndUpDownOnTheActivePane) {
  FakeWindows.ClientWidth = 120;
  FakeQueue(MsgKeyDown, KeyEnd);
  FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, App.TopPane->MaxFirstVisible); });
  FakeQueue(MsgKeyDown, KeyUp);
  FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, App.TopPane->MaxFirstVisible - 1); });
  FakeQueue(MsgKeyDown, KeyHome);
  FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, 0); });
  FakeQueue(MsgKeyDown, KeyDown);
  FakeQueueAction([] {
    EXPECT_EQ(App.TopPane->FirstVisible, 1);
    EXPECT_EQ(App.BottomPane->FirstVisible, 0);
    EXPECT_EQ(App.TopScrollBar->ScrollPos, 1);
  });
  Run();
}

TEST_F(ScenarioTest, HomeAndEndOnAShortPaneChangeAndPaintNothing) {
  FakeWindows.ClientWidth = 2000;
  FakeWindows.ClientHeight = 3000;
  static size_t drawn;
  FakeQueueAction([] {
    ASSERT_EQ(App.TopPane->MaxFirstVisible, 0) << "the whole text fits";
    drawn = FakeDrawing.Calls.size();
  });
  FakeQueue(MsgKeyDown, KeyEnd);
  FakeQueue(MsgKeyDown, KeyHome);
  FakeQueueAction([] {
    EXPECT_EQ(App.TopPane->FirstVisible, 0);
    EXPECT_EQ(FakeDrawing.Calls.size(), drawn);
  });
  Run();
}

TEST_F(ScenarioTest, EnterWithoutAPatternDoesNothing) {
  static size_t logged;
  FakeQueueAction([] { logged = FakeWindows.Log.size(); });
  FakeQueue(MsgKeyDown, KeyEnter);
  FakeQueueAction([] {
    EXPECT_EQ(FakeWindows.Log.size(), logged);
    EXPECT_EQ(App.TopPane->FirstVisible, 0);
  });
  Run();
}

TEST_F(ScenarioTest, TapsPageTheTappedPaneAndMakeItActive) {
  SetGlobal(u"SurroundingGutter", 4);
  FakeWindows.ClientWidth = 120;
  static int page;
  FakeQueueAction([] {
    const TextPane* top = App.TopPane;
    page = top->PaintedLines - 1;
    FakeQueue(MsgStylusDown, 0, Point(top->Left + 5, top->Top + top->Height - 2));  // lower half: forward
    FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, page); });
    FakeQueue(MsgStylusDown, 0, Point(top->Left + 5, top->Top - 3));  // in the gutter above: back
    FakeQueueAction([] {
      EXPECT_EQ(App.TopPane->FirstVisible, 0);
      EXPECT_EQ(App.ActivePane, App.TopPane);
    });
    const TextPane* bottom = App.BottomPane;
    FakeQueue(MsgStylusDown, 0, Point(bottom->Left + 5, bottom->Top + bottom->Height - 1));
    FakeQueueAction([] {
      EXPECT_EQ(App.ActivePane, App.BottomPane);
      EXPECT_EQ(App.ActiveScrollBar, App.BottomScrollBar);
      EXPECT_EQ(App.BottomPane->FirstVisible, App.BottomPane->PaintedLines - 1);
      EXPECT_EQ(App.BottomScrollBar->ScrollPos, App.BottomPane->FirstVisible);
    });
    // Just below the bottom pane: outside both.
    FakeQueue(MsgStylusDown, 0, Point(bottom->Left + 5, bottom->Top + bottom->Height + 1));
    FakeQueueAction([] { EXPECT_EQ(App.BottomPane->FirstVisible, App.BottomPane->PaintedLines - 1); });
    // Keys now act on the commentary.
    FakeQueue(MsgKeyDown, KeyHome);
    FakeQueueAction([] {
      EXPECT_EQ(App.BottomPane->FirstVisible, 0);
      EXPECT_EQ(App.TopPane->FirstVisible, 0);
    });
  });
  Run();
}

TEST_F(ScenarioTest, HorizontalTapsAndTapPagingOff) {
  SetSetting(u"Flags", 0xD1140040u & ~0x10000000u);  // compare x, not y
  FakeWindows.ClientWidth = 120;
  FakeQueueAction([] {
    const TextPane* top = App.TopPane;
    FakeQueue(MsgStylusDown, 0, Point(top->Left + top->Width - 1, top->Top + 1));  // right half: forward
    FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, App.TopPane->PaintedLines - 1); });
    FakeQueue(MsgStylusDown, 0, Point(top->Left + 1, top->Top + top->Height - 1));  // left half: back
    FakeQueueAction([] { EXPECT_EQ(App.TopPane->FirstVisible, 0); });
    FakeQueueAction([] { App.Flags &= ~FlagTapPages; });
    const TextPane* bottom = App.BottomPane;
    FakeQueue(MsgStylusDown, 0, Point(bottom->Left + 1, bottom->Top + bottom->Height - 1));
    FakeQueueAction([] {
      EXPECT_EQ(App.ActivePane, App.BottomPane) << "a tap still moves the focus";
      EXPECT_EQ(App.BottomPane->FirstVisible, 0);
    });
    FakeQueue(MsgKeyDown, KeyPageDown);
    FakeQueueAction([] {
      EXPECT_GT(App.BottomPane->FirstVisible, 0);
      EXPECT_EQ(App.TopPane->FirstVisible, 0);
    });
  });
  Run();
}

TEST_F(ScenarioTest, ScrollBarCodes) {
  FakeWindows.ClientWidth = 120;
  const struct {
    uint32_t Code;
    int From;
    int16_t Thumb;
    int To;  // -1: PaintedLines - 1 further; -2: back by PaintedLines - 1
  } cases[] = {{0, 5, 0, 4}, {1, 5, 0, 6}, {2, 20, 0, -2}, {3, 5, 0, -1}, {4, 5, 9, 9},
               {5, 5, 2, 2},  {6, 5, 0, 0}, {7, 5, 0, 6},  {8, 5, 0, 5}};
  for (const auto& c : cases) {
    FakeQueueAction([c] {
      App.TopPane->FirstVisible = static_cast<uint16_t>(c.From);
      const Window* bar = App.TopScrollBar;
      (void)bar;
    });
    FakeQueue(MsgVerticalScroll, c.Code | (static_cast<uint32_t>(static_cast<uint16_t>(c.Thumb)) << 16), 0,
              nullptr);
    FakeQueueAction([c] {
      const int painted = App.TopPane->PaintedLines;
      const int expected = c.To == -1 ? c.From + painted - 1 : c.To == -2 ? c.From - painted + 1 : c.To;
      EXPECT_EQ(App.TopPane->FirstVisible, expected) << "code " << c.Code;
      EXPECT_EQ(App.ActivePane, App.TopPane);
    });
  }
  // The bottom pane's bar acts on the bottom pane.
  FakeQueueAction([] {
    FakeQueue(MsgVerticalScroll, ScrollLineDown, 0, App.BottomScrollBar);
    FakeQueueAction([] {
      EXPECT_EQ(App.BottomPane->FirstVisible, 1);
      EXPECT_EQ(App.ActivePane, App.BottomPane);
      EXPECT_EQ(App.BottomScrollBar->ScrollPos, 1);
    });
  });
  Run();
}

TEST_F(ScenarioTest, BottomSectionChangesReLayOutAndMoveTheRadioCheck) {
  FakeQueueAction([] { EXPECT_TRUE(IsMenuItemChecked(BottomSectionMenu(), 412)); });
  FakeQueue(MsgCommand, 434);
  FakeQueueAction([] {
    EXPECT_EQ(App.BottomSection, 34);
    EXPECT_EQ(App.TopPane->Height, 268 - 201 - 2);
    EXPECT_TRUE(IsMenuItemChecked(BottomSectionMenu(), 434));
    EXPECT_FALSE(IsMenuItemChecked(BottomSectionMenu(), 412));
  });
  static size_t drawn;
  FakeQueueAction([] { drawn = FakeDrawing.Calls.size(); });
  FakeQueue(MsgCommand, 434);
  FakeQueueAction([] { EXPECT_EQ(FakeDrawing.Calls.size(), drawn) << "the same size does nothing"; });
  FakeQueue(MsgCommand, 401);
  FakeQueueAction([] { EXPECT_EQ(App.TopPane->Height, 268 - 2); });
  Run();
  EXPECT_EQ(Stored(u"BottomSection"), 1);
}

TEST_F(ScenarioTest, ReverseTogglesTheFlagAndTheCheck) {
  SetSetting(u"Flags", 0xD1140040u | FlagReverse);
  FakeQueueAction([] { EXPECT_TRUE(IsMenuItemChecked(MainMenu(), 122)); });
  FakeQueue(MsgCommand, 122);
  FakeQueueAction([] {
    EXPECT_EQ(App.Flags & FlagReverse, 0u);
    EXPECT_FALSE(IsMenuItemChecked(MainMenu(), 122));
  });
  FakeQueue(MsgCommand, 122);
  FakeQueue(MsgCommand, 122);
  Run();
  EXPECT_EQ(Stored(u"Flags"), 0xD1140040);
}

TEST_F(ScenarioTest, BookmarkWithTheThreeAnswers) {
  SetSetting(u"Lesson", 33);
  FakeQueue(MsgCommand, 123);  // added, no question
  FakeQueueAction([] {
    EXPECT_TRUE(IsMenuItemChecked(MainMenu(), 123));
    EXPECT_EQ(FakeMessageBox.Calls.size(), 0u);
    FakeMessageBox.Answers = {AnswerNo, AnswerYes, AnswerCancel};
  });
  FakeQueue(MsgCommand, 123);  // No: kept
  FakeQueueAction([] {
    EXPECT_TRUE(IsMenuItemChecked(MainMenu(), 123));
    ASSERT_EQ(FakeMessageBox.Calls.size(), 1u);
    EXPECT_EQ(FakeMessageBox.Calls[0].Text, u"Remove Bookmark?\n\nCancel - Don't ask again");
  });
  FakeQueue(MsgCommand, 123);  // Yes: removed
  FakeQueueAction([] { EXPECT_FALSE(IsMenuItemChecked(MainMenu(), 123)); });
  FakeQueue(MsgCommand, 123);  // added again
  FakeQueue(MsgCommand, 123);  // Cancel: removed, no more questions
  FakeQueue(MsgCommand, 123);
  FakeQueue(MsgCommand, 123);  // removed without asking
  FakeQueueAction([] {
    EXPECT_EQ(FakeMessageBox.Calls.size(), 3u);
    EXPECT_FALSE(IsMenuItemChecked(MainMenu(), 123));
  });
  FakeQueue(MsgCommand, 123);
  FakeQueue(MsgKeyDown, KeyRight);
  FakeQueueAction([] { EXPECT_FALSE(IsMenuItemChecked(MainMenu(), 123)) << "lesson 35 is not bookmarked"; });
  FakeQueue(MsgKeyDown, KeyLeft);
  FakeQueueAction([] { EXPECT_TRUE(IsMenuItemChecked(MainMenu(), 123)); });
  Run();
  const FakeRegistryValue* bookmarks = FakeRegistryFind(SettingsKey, u"Bookmarks");
  ASSERT_NE(bookmarks, nullptr);
  EXPECT_EQ(bookmarks->Data, (std::vector<uint8_t>{33, 0, 0, 0}));
}

TEST_F(ScenarioTest, EveryCloseRequestSavesLikeExit) {
  const struct {
    uint32_t Kind;
    uint32_t Word;
    bool Closes;
  } cases[] = {{MsgCommand, 40005, true},         {MsgCloseRequest, 0, true},
               {MsgPositionChanged, 0x10010, true}, {MsgClose, 0, true},
               {MsgPositionChanged, 0x10, false},   {MsgPositionChanged, 0x10000, false}};
  for (const auto& c : cases) {
    FakeReset();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
    SetSetting(u"Lesson", 7);
    FakeQueue(MsgKeyDown, KeyRight);
    FakeQueue(c.Kind, c.Word);
    EXPECT_EQ(Run(false), 0);
    EXPECT_EQ(Stored(u"Lesson"), c.Closes ? 9 : 7) << "message " << c.Kind << " " << c.Word;
    EXPECT_EQ(FakeLogLines("PostQuit 0").size(), c.Closes ? 1u : 0u);
    if (c.Closes) {
      EXPECT_EQ(FakeMainWindow(), nullptr);
    }
    CloseLeftovers();
  }
}

TEST_F(ScenarioTest, UnknownCommandsGoToDefaultHandling) {
  FakeQueue(MsgCommand, 4242);
  FakeQueue(MsgCommand, 119);  // handled
  FakeQueueAction([] {
    EXPECT_EQ(FakeLogLines("DefaultHandling 12 4242").size(), 1u);
    EXPECT_EQ(FakeLogLines("DefaultHandling 12 119").size(), 0u);
  });
  Run();
}

TEST_F(ScenarioTest, MissingLessonIsReportedAndNavigationKeepsThePanes) {
  SetSetting(u"Lesson", 345);
  FakeResources.Entries.erase(
      std::remove_if(FakeResources.Entries.begin(), FakeResources.Entries.end(),
                     [](const FakeResourceEntry& e) { return e.Id == 1001 || e.Id == 1346; }),
      FakeResources.Entries.end());
  static const uint8_t* document;
  FakeQueueAction([] {
    ASSERT_EQ(FakeMessageBox.Calls.size(), 1u) << "the commentary 346 is missing";
    EXPECT_EQ(FakeMessageBox.Calls[0].Text, u"Resource not found");
    EXPECT_EQ(FakeMessageBox.Calls[0].Caption, u"Error");
    EXPECT_EQ(FakeMessageBox.Calls[0].Flags, static_cast<unsigned>(BoxIconExclamation));
    EXPECT_NE(App.TopPane->Document, nullptr) << "the article is shown all the same";
    document = App.TopPane->Document;
  });
  FakeQueue(MsgCommand, 109);  // lesson 1 is missing too: nothing changes
  FakeQueueAction([] {
    EXPECT_EQ(App.Lesson, 345);
    EXPECT_EQ(App.TopPane->Document, document);
    EXPECT_EQ(FakeMessageBox.Calls.size(), 1u);
  });
  Run();
  EXPECT_EQ(Stored(u"Lesson"), 345);
}
