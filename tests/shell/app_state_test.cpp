#include "shell/app_state.h"
#include "test_support.h"

using AppStateTest = ProgramTest;

TEST_F(AppStateTest, ResetClearsEveryField) {
  App.Lesson = 5;
  App.Flags = FlagReverse;
  App.font.Face[0] = u'D';
  ResetAppState();
  EXPECT_EQ(App.Lesson, 0);
  EXPECT_EQ(App.Flags, 0u);
  EXPECT_EQ(App.font.Face[0], 0);
}
