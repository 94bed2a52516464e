#include "fake/fake_message_box.h"

#include "platform/message_box.h"

FakeMessageBoxState FakeMessageBox;

void FakeResetMessageBox() {
  FakeMessageBox = {};
}

int ShowMessageBox(Window* owner, const char16_t* text, const char16_t* caption, unsigned flags) {
  FakeMessageBox.Calls.push_back(
      {owner, text ? text : u"", caption ? caption : u"", caption != nullptr, flags});
  if (FakeMessageBox.OnShow) FakeMessageBox.OnShow();
  if (!FakeMessageBox.Answers.empty()) {
    const int answer = FakeMessageBox.Answers.front();
    FakeMessageBox.Answers.pop_front();
    return answer;
  }
  return (flags & 0xF) == BoxButtonsYesNoCancel ? AnswerYes : AnswerOk;
}
