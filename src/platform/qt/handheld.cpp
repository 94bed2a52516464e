// The Qt platform's handheld-shell services, mapped onto the desktop.
//   [X] platform version 4.20: the bar's place follows the MenuBarOnBottom option
//   [X] full-screen call: hiding the task bar makes the window cover the
//       screen, showing it again makes it an ordinary window
//   [X] dialog set-up: in dialogs.cpp (full screen covers the owner's area)
//   [ ] input panel, start icon, Done button (no desktop counterpart: nothing shown)
//   [ ] setting-change handler (nothing to adjust on a desktop)
#include <QWidget>

#include "platform/handheld.h"
#include "platform/qt/window_widget.h"

void GetPlatformVersion(int* major, int* minor) {
  *major = 4;
  *minor = 20;
}

void InitCommonControls() {}

void ShellFullScreen(Window* window, unsigned flags) {
  QWidget* widget = OwnerWidget(window);
  if (!widget || !widget->isWindow()) return;
  if ((flags & ShellHideTaskBar) && !widget->isFullScreen()) {
    widget->showFullScreen();
  } else if ((flags & ShellShowTaskBar) && widget->isFullScreen()) {
    widget->showNormal();
  }
}

void ShellSettingChange(Window*, const Message*) {}

void ShowInputPanelButton(int) {}

void SetInputPanelUp(int) {}
