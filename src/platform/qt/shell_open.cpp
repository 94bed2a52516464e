// The Qt platform's shell open: the desktop's URL opener.
//   [X] "Open" on a web address: xdg-open, started detached; where it cannot
//       be started, Qt's own opener
//   [X] no error message of our own (the shell's are the opener's business)
//   [ ] other verbs (the program uses none)
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/qt/qt_util.h"
#include "platform/shell_open.h"

bool OpenThroughShell(Window*, const char16_t* verb, const char16_t* target, int, unsigned) {
  const QString address = FromU16(target);
  if (address.isEmpty() || FromU16(verb).compare(QLatin1String("Open"), Qt::CaseInsensitive) != 0) return false;
  if (QProcess::startDetached(QStringLiteral("xdg-open"), {address})) return true;
  return QDesktopServices::openUrl(QUrl(address));
}
