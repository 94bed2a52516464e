// The Qt platform's scroll bars: real vertical QScrollBars, children of their
// window. Their requests become MsgVerticalScroll for the parent; the thumb
// moves only when the program sets it.
//   [X] line, page, top, bottom, thumb dragged and released
//   [X] "Scroll here" of the bar's context menu: the thumb released there
//   [X] range and position
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include "platform/drawing.h"
#include "platform/qt/window_widget.h"
#include "platform/scroll_bar.h"

namespace {

void Notify(QScrollBar* bar, uint32_t code, int position) {
  Window* self = WindowOfWidget(bar);
  Window* parent = self ? WindowOfWidget(bar->parentWidget()) : nullptr;
  if (!parent) return;
  const uint32_t word = code | (static_cast<uint32_t>(static_cast<uint16_t>(position)) << 16);
  DeliverMessage(parent, MsgVerticalScroll, word, 0, self);
}

}  // namespace

Window* CreateScrollBar(Window* parent, int x, int y) {
  QWidget* parentWidget = OwnerWidget(parent);
  if (!parentWidget) return nullptr;
  auto* bar = new QScrollBar(Qt::Vertical, parentWidget);
  bar->setFocusPolicy(Qt::NoFocus);
  bar->setRange(0, 0);
  bar->setPageStep(10);
  bar->setGeometry(x, y, PlatformMetric(MetricScrollBarWidth), bar->sizeHint().height());
  Window* window = AdoptWidget(bar, WindowKind::Control, nullptr);
  QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub: Notify(bar, 0, 0); break;
      case QAbstractSlider::SliderSingleStepAdd: Notify(bar, 1, 0); break;
      case QAbstractSlider::SliderPageStepSub: Notify(bar, 2, 0); break;
      case QAbstractSlider::SliderPageStepAdd: Notify(bar, 3, 0); break;
      case QAbstractSlider::SliderToMinimum: Notify(bar, 6, 0); break;
      case QAbstractSlider::SliderToMaximum: Notify(bar, 7, 0); break;
      case QAbstractSlider::SliderMove: Notify(bar, 5, bar->sliderPosition()); break;
      default: break;
    }
    // Whatever the program made of it, the thumb shows the program's position.
    const int kept = bar->property("darvoPosition").toInt();
    bar->setSliderPosition(kept);
  });
  QObject::connect(bar, &QAbstractSlider::sliderReleased, bar,
                   [bar]() { Notify(bar, 4, bar->sliderPosition()); });
  // The context menu's "Scroll here" sets the value without an action: it is
  // the thumb released at that place, and the thumb again waits for the program.
  QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [bar](int value) {
    const auto kept = [bar]() { return qBound(bar->minimum(), bar->property("darvoPosition").toInt(), bar->maximum()); };
    if (value == kept()) return;
    Notify(bar, 4, value);
    bar->setValue(kept());
  });
  bar->lower();  // under the bar, which it may touch
  bar->show();
  return window;
}

void SetScrollBar(Window* window, int minimum, int maximum, int position) {
  auto* bar = qobject_cast<QScrollBar*>(OwnerWidget(window));
  if (!bar) return;
  bar->setProperty("darvoPosition", position);
  // A range that clamps the old value is no request of the user's.
  const QSignalBlocker quiet(bar);
  bar->setRange(minimum, maximum);
  bar->setValue(position);
  bar->update();
}
