// The one QApplication of the Qt integration tests, made on first use.
#pragma once

#include <QApplication>

inline QApplication* EnsureQtApplication() {
  static int argc = 1;
  static char name[] = "test_qt";
  static char* argv[] = {name, nullptr};
  static QApplication* app = qApp ? nullptr : new QApplication(argc, argv);
  (void)app;
  return static_cast<QApplication*>(QCoreApplication::instance());
}
