#include "platform/qt/window_widget.h"

// Until the window platform defines Window, a handle is the widget itself.
QWidget* OwnerWidget(Window* window) {
  return reinterpret_cast<QWidget*>(window);
}
