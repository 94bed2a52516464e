// The Qt platform's message boxes: a real QMessageBox.
//   [X] OK, Yes/No/Cancel buttons
//   [X] stop and exclamation icons
//   [X] owner window (nullptr: no owner)
//   [X] a question cut short by the session's end answers No (changes nothing)
#include <QMessageBox>

#include "platform/message_box.h"
#include "platform/qt/qt_util.h"
#include "platform/qt/window_widget.h"

int ShowMessageBox(Window* owner, const char16_t* text, const char16_t* caption, unsigned flags) {
  QMessageBox box(OwnerWidget(owner));
  box.setText(FromU16(text));
  box.setWindowTitle(FromU16(caption));
  if ((flags & 0xF0) == BoxIconExclamation) {
    box.setIcon(QMessageBox::Warning);
  } else if (flags & BoxIconStop) {
    box.setIcon(QMessageBox::Critical);
  }
  if ((flags & 0xF) == BoxButtonsYesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  const int pressed = box.exec();
  if (SessionClosing() && (flags & 0xF) == BoxButtonsYesNoCancel) return AnswerNo;
  switch (pressed) {
    case QMessageBox::Yes: return AnswerYes;
    case QMessageBox::No: return AnswerNo;
    case QMessageBox::Cancel: return AnswerCancel;
    default: return AnswerOk;
  }
}
