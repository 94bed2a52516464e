// Start-up: global options, the second start, the task bar in full-screen
// mode, the bar's place, and the small services SetCurrentLesson and PrepareDialog.
#include "fake/fake.h"
#include "shell/main_window.h"
#include "shell_fixture.h"

using StartUpTest = ShellTest;

TEST_F(StartUpTest, SecondStartSignalsTheRunningCopyAndEnds) {
  enum Front { RunningMain, OtherProgram, RunningDialog, Nothing };
  const struct {
    Front InFront;
    bool Command;
    bool Raised;
  } cases[] = {{RunningMain, true, false}, {OtherProgram, false, true}, {RunningDialog, false, false},
               {Nothing, false, true}};
  for (const auto& c : cases) {
    FakeReset();
    Window* running = FakeAddForeignWindow(u"Darvo", u"Darvo", nullptr);
    Window* other = FakeAddForeignWindow(u"Editor", u"notes", nullptr);
    Window* dialog = FakeAddForeignWindow(u"Dialog", u"Choose Section", running);
    FakeWindows.Foreground = c.InFront == RunningMain    ? running
                             : c.InFront == OtherProgram ? other
                             : c.InFront == RunningDialog ? dialog
                                                          : nullptr;
    EXPECT_EQ(ProgramMain(nullptr, u"", ShowNormal), 0);
    ASSERT_EQ(running->Received.size(), c.Command ? 1u : 0u) << "case " << c.InFront;
    if (c.Command) {
      EXPECT_EQ(running->Received[0].Kind, MsgCommand);
      EXPECT_EQ(running->Received[0].Word, 119u);
    }
    EXPECT_EQ(FakeLogLines("BringToForeground").size(), c.Raised ? 1u : 0u) << "case " << c.InFront;
    EXPECT_TRUE(FakeRegistry.Writes.empty()) << "no setting read or written";
    EXPECT_TRUE(FakeLogLines("CreateTopWindow").empty());
  }
}

TEST_F(StartUpTest, FullScreenHidesTheTaskBarAndShowsItAgainOnlyIfItWasVisible) {
  for (bool visible : {true, false}) {
    FakeReset();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
    SetGlobal(u"FullScreen", 1);
    Window* taskBar = FakeAddForeignWindow(u"HHTaskBar", u"", nullptr);
    taskBar->Visible = visible;
    FakeQueueAction([] {
      EXPECT_FALSE(IsWindowVisible(App.TaskBar));
      EXPECT_EQ(FakeLogLines("ShellFullScreen Darvo 0x2A").size(), 1u);
      EXPECT_EQ(FakeLogLines("MoveWindow Darvo 0,0,240,294 noredraw").size(), 1u);
      Window* bar = App.MenuBarWindow;
      EXPECT_TRUE(bar->CloseButton) << "the command bar closes the program while the task bar is hidden";
    });
    FakeQueue(MsgActivate, ActivateOn);
    FakeQueue(MsgActivate, ActivateOff);
    FakeQueueAction([] { EXPECT_EQ(FakeLogLines("ShellFullScreen Darvo 0x2A").size(), 2u); });
    Run();
    EXPECT_EQ(taskBar->Visible, visible);
  }
}

TEST_F(StartUpTest, WithoutFullScreenTheTaskBarIsNeverTouched) {
  FakeAddForeignWindow(u"HHTaskBar", u"", nullptr)->Visible = true;
  FakeQueue(MsgActivate, ActivateByClick);
  FakeQueueAction([] {
    EXPECT_EQ(App.TaskBar, nullptr);
    EXPECT_TRUE(FakeLogLines("FindTopWindow HHTaskBar").empty());
    EXPECT_EQ(FakeLogLines("ShellFullScreen Darvo 0x8").size(), 1u);
    EXPECT_FALSE(App.MenuBarWindow->CloseButton);
  });
  Run();
}

TEST_F(StartUpTest, IgnoreActivateLeavesActivationAlone) {
  SetGlobal(u"IgnoreActivate", 1);
  FakeQueue(MsgActivate, ActivateOn);
  FakeQueueAction([] { EXPECT_TRUE(FakeLogLines("ShellFullScreen").empty()); });
  Run();
}

TEST_F(StartUpTest, TheBarsPlaceFollowsVersionAndOption) {
  const struct {
    int Major, Minor;
    uint32_t Option;
    bool Bottom;
  } cases[] = {{4, 20, 0, false}, {4, 20, 1, true}, {4, 21, 0, true}, {5, 0, 0, true}, {3, 0, 0, false}};
  for (const auto& c : cases) {
    FakeReset();
    ASSERT_TRUE(FakeLoadBundle(DARVO_BINARY_DIR "/content/darvo-content.bin"));
    FakeRegistrySeedText(SettingsKey, u"FontName", u"Test Face");
    FakeWindows.VersionMajor = c.Major;
    FakeWindows.VersionMinor = c.Minor;
    SetGlobal(u"MenuBarOnBottom", c.Option);
    const bool bottom = c.Bottom;
    FakeQueueAction([bottom] {
      EXPECT_EQ(App.MenuBarOnBottom != 0, bottom);
      Window* bar = App.MenuBarWindow;
      ASSERT_NE(bar, nullptr);
      EXPECT_EQ(bar->AtBottom, bottom);
      EXPECT_EQ(App.TopPane->Top, bottom ? 0 : 26);
      EXPECT_EQ(bar->Tooltips, (std::vector<std::u16string>{u"", u"Previous Article", u"Choose Article",
                                                             u"Next Article", u"Choose Font", u"Search",
                                                             u"Search Again"}));
      EXPECT_EQ(bar->BitmapId, 114);
      EXPECT_EQ(bar->BitmapCount, 6);
      ASSERT_EQ(bar->Buttons.size(), 6u);
      const uint16_t commands[] = {110, 119, 109, 40006, 116, 117};
      for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bar->Buttons[i].Image, i);
        EXPECT_EQ(bar->Buttons[i].Command, commands[i]);
      }
      EXPECT_TRUE(bar->Shown);
      EXPECT_NE(MainMenu(), nullptr);
      EXPECT_NE(BottomSectionMenu(), nullptr);
    });
    Run();
  }
}

TEST_F(StartUpTest, AFailedMenuBarLeavesTheProgramWithoutMenus) {
  SetGlobal(u"MenuBarOnBottom", 1);
  FakeWindows.FailMenuBar = true;
  FakeQueueAction([] {
    EXPECT_EQ(App.MenuBarWindow, nullptr);
    EXPECT_EQ(App.MenuBarHeight, 0);
    EXPECT_EQ(App.TopPane->Top, 0);
  });
  FakeQueue(MsgCommand, 122);
  FakeQueue(MsgCommand, 123);
  FakeQueue(MsgCommand, 434);
  Run();
  EXPECT_EQ(Stored(u"BottomSection"), 34);
}

TEST_F(StartUpTest, AMainWindowThatCannotBeMadeEndsQuietly) {
  FakeWindows.FailTopWindow = true;
  EXPECT_EQ(ProgramMain(nullptr, u"", ShowNormal), 0);
  EXPECT_TRUE(FakeMessageBox.Calls.empty());
  EXPECT_EQ(Stored(u"Lesson"), -1);
}

TEST_F(StartUpTest, CreationChecksShowReverseAndBookmark) {
  SetSetting(u"Lesson", 5);
  SetSetting(u"Flags", 0xD1140040u | FlagReverse);
  FakeRegistrySeed(SettingsKey, u"Bookmarks", RegistryBinary, {5, 0, 0, 0});
  FakeQueueAction([] {
    EXPECT_TRUE(IsMenuItemChecked(MainMenu(), 122));
    EXPECT_TRUE(IsMenuItemChecked(MainMenu(), 123));
  });
  Run();
}

TEST_F(StartUpTest, SetCurrentLesson) {
  App.Lesson = 0;
  App.LastPosition = 9;
  SetCurrentLesson(0);
  EXPECT_EQ(App.Lesson, 1);
  EXPECT_EQ(App.LastPosition, 0);
  App.LastPosition = 9;
  SetCurrentLesson(0);
  EXPECT_EQ(App.LastPosition, 9) << "0 keeps a current lesson";
  SetCurrentLesson(1);
  EXPECT_EQ(App.LastPosition, 9) << "the same lesson changes nothing";
  SetCurrentLesson(400);
  EXPECT_EQ(App.Lesson, 400) << "not checked here";
  EXPECT_EQ(App.LastPosition, 0);
}

TEST_F(StartUpTest, PrepareDialogAddsTheDoneButtonOutsideFullScreen) {
  Window* dialog = FakeAddForeignWindow(u"Dialog", u"d", nullptr);
  dialog->Place = {10, 20, 200, 300};
  PrepareDialog(dialog, 0x1E);
  EXPECT_EQ(FakeLogLines("ShellInitDialog Dialog 0x1F").size(), 1u);
  EXPECT_TRUE(FakeLogLines("MoveWindow").empty());
  App.FullScreen = 1;
  PrepareDialog(dialog, 0x1E);
  EXPECT_EQ(FakeLogLines("ShellInitDialog Dialog 0x1E").size(), 1u);
  EXPECT_EQ(FakeLogLines("MoveWindow Dialog 10,0,200,300 noredraw").size(), 1u);
}
