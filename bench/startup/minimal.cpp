// The yardstick for the reader's start-up: the smallest Qt Widgets program that
// opens a 480 x 640 window and paints it, reporting its first paint as the
// reader does under DARVO_STARTUP_TRACE.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

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

class Minimal : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::white);
    if (painted_) return;
    painted_ = true;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "first-paint-ns %lld peak-kb %ld\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, PeakMemoryKb());
    QTimer::singleShot(0, qApp, &QApplication::quit);
  }

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Minimal window;
  window.resize(480, 640);
  window.show();
  return app.exec();
}
