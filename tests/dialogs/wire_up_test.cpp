// The dialogs in the running program: the first start's font chooser, the
// Font command, About and the help request, Check For Updates.
#include <algorithm>
#include <string>

#include "dialogs/font_chooser.h"
#include "shell/shell_fixture.h"

namespace {

class DialogsInProgramTest : public ShellTest {
 protected:
  // Position of the first log line beginning with prefix (-1: none).
  static long LogIndex(const std::string& prefix) {
    for (size_t i = 0; i < FakeWindows.Log.size(); ++i) {
      if (FakeWindows.Log[i].compare(0, prefix.size(), prefix) == 0) return static_cast<long>(i);
    }
    return -1;
  }
};

TEST_F(DialogsInProgramTest, TheFirstStartRunsTheChooserAfterTheWindowIsShownAndKeepsTheFontOnCancel) {
  FakeResetRegistry();  // nothing stored: the very first start
  FakeDrawing.Faces = {{u"Face One", 0}, {u"David CLM", 177}};
  FakeDialogs.Script.push_back([](Window* dialog) { FakeUserCommand(dialog, 2); });
  Run();
  ASSERT_EQ(FakeDialogs.Runs.size(), 1u);
  EXPECT_EQ(FakeDialogs.Runs[0].TemplateId, 105);
  EXPECT_EQ(FakeDialogs.Runs[0].Result, 2);
  EXPECT_EQ(FakeDialogs.Runs[0].Owner, App.MainWindow);
  EXPECT_LT(LogIndex("UpdateWindow Darvo"), LogIndex("RunDialog 105"));
  EXPECT_GE(LogIndex("UpdateWindow Darvo"), 0);
}

TEST_F(DialogsInProgramTest, OkOnTheFirstStartGivesBothPanesTheChosenFont) {
  FakeResetRegistry();
  FakeDrawing.Faces = {{u"Face One", 0}, {u"David CLM", 177}};
  FontSpec top{}, bottom{};
  FakeDialogs.Script.push_back([](Window* dialog) {
    FakeChooseListItem(dialog, FaceList, 0);   // David CLM (sorted first)
    FakeChooseListItem(dialog, SizeList, 6);  // 20
    FakeUserCommand(dialog, 1);
  });
  FakeQueueAction([&]() {
    top = App.TopPane->Font;
    bottom = App.BottomPane->Font;
  });
  Run();
  EXPECT_EQ(std::u16string(top.Face), u"David CLM");
  EXPECT_EQ(top.Size, 20);
  EXPECT_EQ(top.LetterBase, 1488);
  EXPECT_EQ(std::u16string(bottom.Face), u"David CLM");
  EXPECT_EQ(bottom.Size, 20);
}

TEST_F(DialogsInProgramTest, TheFontCommandChangesThePanesOnlyOnOk) {
  FakeDrawing.Faces = {{u"Test Face", 0}, {u"Zeta", 0}};
  FontSpec before{}, afterCancel{}, afterOk{};
  FakeQueueAction([&]() { before = App.TopPane->Font; });
  FakeQueue(MsgCommand, 40006);
  FakeQueueAction([&]() { afterCancel = App.TopPane->Font; });
  FakeQueue(MsgCommand, 40006);
  FakeQueueAction([&]() { afterOk = App.BottomPane->Font; });
  FakeDialogs.Script.push_back([](Window* dialog) {
    FakeChooseListItem(dialog, FaceList, 1);
    FakeUserCommand(dialog, 2);
  });
  FakeDialogs.Script.push_back([](Window* dialog) {
    FakeChooseListItem(dialog, FaceList, 1);
    FakeUserCommand(dialog, 1);
  });
  Run();
  EXPECT_EQ(FakeDialogs.Runs.size(), 2u);
  EXPECT_EQ(std::u16string(afterCancel.Face), std::u16string(before.Face));
  EXPECT_EQ(std::u16string(afterOk.Face), u"Zeta");
  // The chooser is stored with the settings at exit.
  const FakeRegistryValue* stored = FakeRegistryFind(SettingsKey, u"FontName");
  ASSERT_NE(stored, nullptr);
}

TEST_F(DialogsInProgramTest, AboutHelpAndUpdateCheck) {
  FakeQueue(MsgCommand, 40004);
  FakeQueue(MsgHelp);
  FakeQueue(MsgCommand, 129);
  Run();
  ASSERT_EQ(FakeDialogs.Runs.size(), 2u);
  EXPECT_EQ(FakeDialogs.Runs[0].TemplateId, 103);
  EXPECT_EQ(FakeDialogs.Runs[1].TemplateId, 103);
  ASSERT_EQ(FakeDialogs.ShellOpens.size(), 1u);
  EXPECT_EQ(FakeDialogs.ShellOpens[0].Target,
            u"https://www.orvanta.example/cgi-bin/upgrade?p=arm/Orvanta/Darvo&v=1.84a");
  ASSERT_NE(FakeDialogs.ShellOpens[0].Owner, nullptr);
  EXPECT_EQ(FakeDialogs.ShellOpens[0].Owner->ClassName, u"Darvo");
}

}  // namespace
