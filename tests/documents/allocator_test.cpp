#include "documents/allocator.h"
#include "platform/memory.h"
#include "platform/message_box.h"
#include "test_support.h"

namespace {

using AllocatorTest = ProgramTest;

TEST_F(AllocatorTest, GivesABlockWhenMemoryIsThere) {
  void* block = AllocateOrAbort(100);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(FakeMessageBox.Calls.empty());
  EXPECT_TRUE(FakeProcess.EndCalls.empty());
  MemFree(block);
}

TEST_F(AllocatorTest, OutOfMemoryTellsTheUserThenEndsTheProgram) {
  FakeMemory.FailAfter = 0;
  static bool endedWhileBoxOpen;
  endedWhileBoxOpen = true;
  FakeMessageBox.OnShow = [] { endedWhileBoxOpen = !FakeProcess.EndCalls.empty(); };
  EXPECT_EQ(AllocateOrAbort(100), nullptr);
  ASSERT_EQ(FakeMessageBox.Calls.size(), 1u);
  const FakeMessageBoxCall& box = FakeMessageBox.Calls[0];
  EXPECT_EQ(box.Owner, nullptr);
  EXPECT_EQ(box.Text, u"There is not enough memory, aborting");
  EXPECT_EQ(box.Caption, u"Error");
  EXPECT_EQ(box.Flags, unsigned(BoxButtonsOk | BoxIconStop));
  EXPECT_FALSE(endedWhileBoxOpen) << "the program ends only after the box is closed";
  ASSERT_EQ(FakeProcess.EndCalls.size(), 1u);
  EXPECT_EQ(FakeProcess.EndCalls[0], OutOfMemoryExitCode);
}

}  // namespace
