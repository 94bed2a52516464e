// The Qt platform's process set-up.
//   [X] QApplication with the program's settings (no right-to-left layout: the
//       program orders Hebrew itself)
//   [X] hands control to the program's entry
#include <QApplication>

#include "platform/app.h"
#include "platform/qt/qt_util.h"

int RunPlatform(int argc, char** argv, ProgramEntry entry) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Darvo"));
  QApplication::setLayoutDirection(Qt::LeftToRight);
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const std::u16string commandLine = ToU16(args.join(QLatin1Char(' ')));
  return entry(nullptr, commandLine.c_str(), 1);
}
