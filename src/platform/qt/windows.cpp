// The Qt platform's windows and messages.
//   [X] window classes with handler and icon (icon resources as XPM)
//   [X] top windows: 480 x 640 by default, freely resizable, retained image
//       the program draws into at any time; MsgPaint only when the image must
//       be drawn afresh (first show, size change)
//   [X] MsgSize, MsgActivate, MsgKeyDown (+ MsgChar), MsgStylusDown (left
//       button), MsgHelp (F1), MsgClose (close button), MsgDestroy
//   [X] post/send, quit signal, the message loop over Qt's event loop
//   [X] window surfaces over the retained image
//   [X] SIGTERM / SIGINT close the main window as the close button does
//   [X] DARVO_STARTUP_TRACE: the first paint reports its time and the peak
//       memory on stderr (the value "exit" then closes the window), for the
//       start-up measurement in bench/
//   [ ] accelerator tables (the program has none)
//   [ ] MsgSettingChange, MsgPositionChanged (no desktop counterpart)
#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>

#include "platform/qt/image_surface.h"
#include "platform/qt/qt_util.h"
#include "platform/qt/window_widget.h"
#include "platform/windows.h"
#include "resources/resources.h"

namespace {

struct WindowClass {
  WindowHandler Handler;
  uint16_t IconId;
};

QHash<QString, WindowClass>& Classes() {
  static QHash<QString, WindowClass> classes;
  return classes;
}

QHash<QWidget*, Window*>& Handles() {
  static QHash<QWidget*, Window*> handles;
  return handles;
}

// Every handle ever made: freed at the end of the program, since the program
// may still hold a destroyed window's handle.
QList<Window*>& AllHandles() {
  static QList<Window*> all;
  return all;
}

std::deque<Message> Posted;
bool SessionClose = false;
bool QuitPosted = false;
int QuitCode = 0;

const QSize DefaultClientSize(480, 640);

uint32_t KeyCodeOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyEnter;
    case Qt::Key_Escape: return KeyEscape;
    case Qt::Key_PageUp: return KeyPageUp;
    case Qt::Key_PageDown: return KeyPageDown;
    case Qt::Key_End: return KeyEnd;
    case Qt::Key_Home: return KeyHome;
    case Qt::Key_Left: return KeyLeft;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Right: return KeyRight;
    case Qt::Key_Down: return KeyDown;
    default: return 0;
  }
}

intptr_t PackSize(int width, int height) {
  return static_cast<intptr_t>((static_cast<uint32_t>(width) & 0xFFFF) |
                               ((static_cast<uint32_t>(height) & 0xFFFF) << 16));
}

QIcon IconResource(uint16_t id) {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type == ResourceIcon && entry->Id == id) {
      const auto* picture = static_cast<const BitmapResource*>(entry->Data);
      if (picture->Xpm) return QIcon(QPixmap::fromImage(QImage(picture->Xpm)));
    }
  }
  return QIcon();
}

// Draws the window afresh: the background is erased with the class's white,
// then the program paints.
void PaintAfresh(Window* window) {
  window->NeedsPaint = false;
  window->Image.fill(Qt::white);
  DeliverMessage(window, MsgPaint, 0, 0, nullptr);
}

// Peak resident memory of the process in kB (VmHWM), or -1.
long PeakMemoryKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
  }
  std::fclose(status);
  return kb;
}

void TraceFirstPaint(Window* window) {
  static bool traced = false;
  const QByteArray trace = qgetenv("DARVO_STARTUP_TRACE");
  if (traced || trace.isEmpty()) return;
  traced = true;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::fprintf(stderr, "first-paint-ns %lld peak-kb %ld\n",
               static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, PeakMemoryKb());
  if (trace == "exit") PostMessage(window, MsgClose, 0, 0);
}

void WakeLoop() {
  QCoreApplication::postEvent(qApp, new QEvent(QEvent::User));
}

// A top-level window: shows its retained image and turns Qt's events into messages.
class TopWidget : public QWidget {
 public:
  explicit TopWidget(Window* window) : window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (window_->NeedsPaint && !window_->Destroyed) PaintAfresh(window_);
    QPainter painter(this);
    painter.drawImage(event->rect(), window_->Image, event->rect());
    painter.end();
    TraceFirstPaint(window_);
  }

  void resizeEvent(QResizeEvent*) override {
    if (window_->Destroyed || size() == window_->LastSize) return;
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.drawImage(0, 0, window_->Image);
    }
    window_->Image = image;
    window_->LastSize = size();
    DeliverMessage(window_, MsgSize, 0, PackSize(width(), height()), nullptr);
    // The class redraws the whole window when its size changes.
    window_->NeedsPaint = true;
    update();
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F1) {
      DeliverMessage(window_, MsgHelp, 0, 0, nullptr);
      return;
    }
    DeliverMessage(window_, MsgKeyDown, KeyCodeOf(event->key()), event->key(), nullptr);
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !window_->Destroyed) {
      DeliverMessage(window_, MsgChar, text[0].unicode(), 0, nullptr);
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    DeliverMessage(window_, MsgStylusDown, 0, PackSize(at.x(), at.y()), nullptr);
  }

  void closeEvent(QCloseEvent* event) override {
    // The program decides: its default handling destroys the window.
    event->ignore();
    if (!window_->Destroyed) DeliverMessage(window_, MsgClose, 0, 0, nullptr);
  }

  bool event(QEvent* event) override {
    if (event->type() == QEvent::WindowActivate) {
      DeliverMessage(window_, MsgActivate, ActivateOn, 0, nullptr);
    } else if (event->type() == QEvent::WindowDeactivate) {
      DeliverMessage(window_, MsgActivate, ActivateOff, 0, nullptr);
    }
    return QWidget::event(event);
  }

 private:
  Window* window_;
};

}  // namespace

QWidget* OwnerWidget(Window* window) {
  return window && !window->Destroyed ? window->Widget.data() : nullptr;
}

Window* WindowOfWidget(QWidget* widget) {
  return Handles().value(widget, nullptr);
}

Window* AdoptWidget(QWidget* widget, WindowKind kind, WindowHandler handler) {
  Window* window = new Window{};
  window->Kind = kind;
  window->Widget = widget;
  window->Handler = handler;
  AllHandles().append(window);
  if (widget) {
    Handles().insert(widget, window);
    // Looked up, not captured: the handle may be freed before the widget goes.
    QObject::connect(widget, &QObject::destroyed, [widget]() {
      if (Window* gone = Handles().take(widget)) gone->Destroyed = true;
    });
  }
  return window;
}

intptr_t DeliverMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra, Window* control) {
  if (!window || window->Destroyed || !window->Handler) return 0;
  const Message message{window, kind, word, extra, control};
  return window->Handler(&message);
}

QList<Window*> TopWindows() {
  QList<Window*> out;
  for (Window* window : AllHandles()) {
    if (window->Kind == WindowKind::Top && !window->Destroyed) out.append(window);
  }
  return out;
}

bool SessionClosing() {
  return SessionClose;
}

void RequestSessionClose() {
  SessionClose = true;
  // Modal loops end first, so the close is handled by the main loop: an open
  // drop-down menu, then dialogs and message boxes.
  for (int guard = 0; guard < 16; ++guard) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) break;
    popup->close();
  }
  for (int guard = 0; guard < 16; ++guard) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) break;
    modal->close();
    modal->hide();
  }
  const QList<Window*> tops = TopWindows();
  if (tops.isEmpty()) {
    PostQuit(0);
    return;
  }
  for (Window* window : tops) PostMessage(window, MsgClose, 0, 0);
}

void FreeWindowHandles() {
  for (Window* window : AllHandles()) {
    if (window->ImageSurface) FreeImageSurface(window->ImageSurface);
    if (window->Kind == WindowKind::Remote) FreeRemote(window);
    if (window->Widget && !window->Widget->parent()) delete window->Widget.data();
  }
  qDeleteAll(AllHandles());
  AllHandles().clear();
  Handles().clear();
}

bool RegisterWindowClass(Instance*, const char16_t* className, WindowHandler handler, uint16_t iconId) {
  if (!handler || !className) return false;
  Classes().insert(FromU16(className), WindowClass{handler, iconId});
  return true;
}

Window* CreateTopWindow(Instance*, const char16_t* className, const char16_t* title) {
  const QString name = FromU16(className);
  if (!Classes().contains(name)) return nullptr;
  const WindowClass& windowClass = Classes()[name];
  Window* window = new Window{};
  window->Kind = WindowKind::Top;
  window->Handler = windowClass.Handler;
  window->ClassName = name;
  window->Title = FromU16(title);
  AllHandles().append(window);
  auto* widget = new TopWidget(window);
  window->Widget = widget;
  Handles().insert(widget, window);
  widget->setWindowTitle(window->Title);
  const QIcon icon = IconResource(windowClass.IconId);
  if (!icon.isNull()) widget->setWindowIcon(icon);
  widget->resize(DefaultClientSize);
  window->Image = QImage(DefaultClientSize, QImage::Format_RGB32);
  window->Image.fill(Qt::white);
  window->NeedsPaint = true;
  if (DeliverMessage(window, MsgCreate, 0, 0, nullptr) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  window->LastSize = widget->size();
  DeliverMessage(window, MsgSize, 0, PackSize(widget->width(), widget->height()), nullptr);
  if (window->ClassName == QLatin1String("Darvo") && window->Title == QLatin1String("Darvo")) {
    ServeInstance(window);
  }
  return window;
}

void DestroyWindow(Window* window) {
  if (!window || window->Destroyed) return;
  if (window->Kind == WindowKind::Remote) return;
  DeliverMessage(window, MsgDestroy, 0, 0, nullptr);
  window->Destroyed = true;
  QWidget* widget = window->Widget.data();
  if (!widget) return;
  // Children (controls, the bar) go with their parent.
  for (Window* other : AllHandles()) {
    QWidget* child = other->Widget.data();
    if (other != window && child && !other->Destroyed && widget->isAncestorOf(child)) {
      other->Destroyed = true;
    }
  }
  Handles().remove(widget);
  widget->hide();
  widget->deleteLater();
  window->Widget = nullptr;
}

void ShowWindow(Window* window, int showMode) {
  QWidget* widget = OwnerWidget(window);
  if (!widget) return;
  if (showMode == ShowHidden) {
    widget->hide();
    return;
  }
  if (widget->isWindow() && widget->isFullScreen()) {
    widget->showFullScreen();
  } else {
    widget->show();
  }
  if (widget->isWindow()) {
    widget->raise();
    widget->activateWindow();
  }
}

bool IsWindowVisible(Window* window) {
  QWidget* widget = OwnerWidget(window);
  return widget && widget->isVisible();
}

void UpdateWindow(Window* window) {
  if (!window || window->Destroyed || window->Kind != WindowKind::Top) return;
  if (window->NeedsPaint && OwnerWidget(window)->isVisible()) PaintAfresh(window);
}

Rect GetWindowRect(Window* window) {
  QWidget* widget = OwnerWidget(window);
  if (!widget) return {0, 0, 0, 0};
  const QRect r = widget->isWindow() ? widget->frameGeometry() : widget->geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect GetClientRect(Window* window) {
  QWidget* widget = OwnerWidget(window);
  if (!widget) return {0, 0, 0, 0};
  if (window->Client) widget = window->Client;
  return {0, 0, widget->width(), widget->height()};
}

void MoveWindow(Window* window, int x, int y, int width, int height, int redraw) {
  QWidget* widget = OwnerWidget(window);
  if (!widget) return;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (widget->isWindow()) {
    if (widget->isFullScreen()) return;  // it keeps covering the screen
    widget->move(x, y);
    widget->resize(width, height);
  } else {
    const QRect before = widget->geometry();
    widget->setGeometry(x, y, width, height);
    // A control moved with redrawing uncovers part of its parent: like any
    // exposure the retained image cannot serve, the parent is drawn afresh
    // (erased white, then painted by the program), so no stale pixels stay.
    Window* parent = WindowOfWidget(widget->parentWidget());
    if (redraw && parent && !parent->Image.isNull() && before != widget->geometry()) {
      parent->NeedsPaint = true;
      parent->Widget->update();
    }
  }
  if (redraw) widget->update();
}

Window* GetParentWindow(Window* window) {
  if (!window || window->Destroyed) return nullptr;
  if (window->Kind == WindowKind::Remote) return window->RemoteParent;
  QWidget* widget = OwnerWidget(window);
  if (!widget || widget->isWindow()) {
    // A dialog's owner is its parent window.
    QWidget* owner = widget ? widget->parentWidget() : nullptr;
    return owner ? WindowOfWidget(owner->window()) : nullptr;
  }
  return WindowOfWidget(widget->parentWidget());
}

intptr_t SendMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra) {
  if (window && window->Kind == WindowKind::Remote) return SendRemoteMessage(window, kind, word, extra);
  return DeliverMessage(window, kind, word, extra, nullptr);
}

void PostMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra) {
  Posted.push_back(Message{window, kind, word, extra, nullptr});
  WakeLoop();
}

void PostQuit(int exitCode) {
  QuitPosted = true;
  QuitCode = exitCode;
  WakeLoop();
}

int GetMessage(Message* message) {
  for (;;) {
    if (!Posted.empty()) {
      *message = Posted.front();
      Posted.pop_front();
      return 1;
    }
    if (QuitPosted) {
      QuitPosted = false;
      *message = Message{nullptr, 0, static_cast<uint32_t>(QuitCode), 0, nullptr};
      return 0;
    }
    // Qt's events are turned into messages and handled as they come.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void TranslateMessage(const Message*) {}

intptr_t DispatchMessage(const Message* message) {
  Window* window = message->Target;
  if (!window || window->Destroyed) return 0;
  return DeliverMessage(window, message->Kind, message->Word, message->Long, message->Control);
}

intptr_t DefaultHandling(const Message* message) {
  if (message->Kind == MsgClose) DestroyWindow(message->Target);
  return 0;
}

Accelerators* LoadAccelerators(Instance*, uint16_t) {
  return nullptr;
}

bool TranslateAccelerators(Window*, Accelerators*, const Message*) {
  return false;
}

Surface* GetWindowSurface(Window* window) {
  if (!window || window->Destroyed || window->Kind != WindowKind::Top) return nullptr;
  if (!window->ImageSurface) window->ImageSurface = CreateImageSurface(&window->Image, window->Widget.data());
  ++window->SurfaceUsers;
  return window->ImageSurface;
}

void ReleaseWindowSurface(Window* window, Surface* surface) {
  // The surface stays with the window until it goes; only the count drops.
  if (window && surface == window->ImageSurface && window->SurfaceUsers > 0) --window->SurfaceUsers;
}

Surface* BeginRepaint(Window* window) {
  if (window) window->NeedsPaint = false;
  return GetWindowSurface(window);
}

void EndRepaint(Window* window, Surface* surface) {
  ReleaseWindowSurface(window, surface);
  if (QWidget* widget = OwnerWidget(window)) widget->update();
}

Window* FindTopWindow(const char16_t* className, const char16_t* title) {
  const QString name = FromU16(className);
  const QString caption = FromU16(title);
  for (Window* window : TopWindows()) {
    if (window->ClassName == name && window->Title == caption) return window;
  }
  if (name == QLatin1String("Darvo") && caption == QLatin1String("Darvo")) return ConnectToRunningCopy();
  return nullptr;
}

Window* GetForegroundWindow() {
  for (Window* window : AllHandles()) {
    if (window->Kind == WindowKind::Remote && !window->RemoteDialog && !window->Destroyed) {
      if (Window* remote = RemoteForegroundWindow(window)) return remote;
    }
  }
  QWidget* active = QApplication::activeWindow();
  if (!active) return nullptr;
  if (Window* window = WindowOfWidget(active)) return window;
  return AdoptWidget(active, WindowKind::Dialog, nullptr);
}

void BringToForeground(Window* window) {
  if (!window || window->Destroyed) return;
  if (window->Kind == WindowKind::Remote) {
    RaiseRemote(window);
    return;
  }
  if (QWidget* widget = OwnerWidget(window)) {
    if (widget->isMinimized()) widget->showNormal();
    widget->raise();
    widget->activateWindow();
  }
}
