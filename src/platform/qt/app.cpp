// The Qt platform's process set-up.
//   [X] QApplication with the program's settings (no right-to-left layout: the
//       program orders Hebrew itself)
//   [X] hands control to the program's entry
//   [X] SIGTERM and SIGINT (a desktop session ending, Ctrl+C) close the main
//       window as its close button does, so the settings are saved
//   [X] the program's icon (resource 101) as the desktop icon
#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/app.h"
#include "platform/qt/qt_util.h"
#include "platform/qt/window_widget.h"
#include "resources/resources.h"

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  const ssize_t written = write(SignalPipe[1], &byte, 1);
  (void)written;
}

void CatchEndSignals() {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, []() {
    char byte;
    const ssize_t got = read(SignalPipe[0], &byte, 1);
    (void)got;
    RequestSessionClose();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

QIcon ProgramIcon() {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type == ResourceIcon && entry->Id == 101) {
      const auto* picture = static_cast<const BitmapResource*>(entry->Data);
      if (picture->Xpm) return QIcon(QPixmap::fromImage(QImage(picture->Xpm)));
    }
  }
  return QIcon();
}

}  // namespace

int RunPlatform(int argc, char** argv, ProgramEntry entry) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Darvo"));
  QApplication::setDesktopFileName(QStringLiteral("darvo"));
  QApplication::setLayoutDirection(Qt::LeftToRight);
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(ProgramIcon());
  CatchEndSignals();
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const std::u16string commandLine = ToU16(args.join(QLatin1Char(' ')));
  const int code = entry(nullptr, commandLine.c_str(), 1);
  FreeWindowHandles();
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  return code;
}
