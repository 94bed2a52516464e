#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/handles.h"

struct FakeMessageBoxCall {
  Window* Owner;
  std::u16string Text;
  std::u16string Caption;
  bool HasCaption;
  unsigned Flags;
};

// Every box shown is recorded; answers are taken from Answers in order, and
// when it is empty a box answers AnswerOk (OK box) or AnswerYes (Yes/No/Cancel).
struct FakeMessageBoxState {
  std::vector<FakeMessageBoxCall> Calls;
  std::deque<int> Answers;
  void (*OnShow)();  // called while the box is "open", e.g. to check state; may be nullptr
};
extern FakeMessageBoxState FakeMessageBox;

void FakeResetMessageBox();
