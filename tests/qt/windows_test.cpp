// The Qt window platform: messages from Qt's events, the loop, the retained
// image, scroll bars, the bar and its menus.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractSlider>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>
#include <vector>

#include "platform/drawing.h"
#include "platform/handheld.h"
#include "platform/menus.h"
#include "platform/qt/window_widget.h"
#include "platform/scroll_bar.h"
#include "platform/windows.h"
#include "qt_app.h"

namespace {

std::vector<Message> Received;

intptr_t Record(const Message* message) {
  Received.push_back(*message);
  if (message->Kind == MsgClose) return DefaultHandling(message);
  return 0;
}

std::vector<uint32_t> Kinds() {
  std::vector<uint32_t> kinds;
  for (const Message& m : Received) kinds.push_back(m.Kind);
  return kinds;
}

class QtWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    Received.clear();
    ASSERT_TRUE(RegisterWindowClass(nullptr, u"Probe", Record, 101));
    window_ = CreateTopWindow(nullptr, u"Probe", u"Probe");
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FreeWindowHandles();
    // Drain what the test left queued.
    Message m;
    PostQuit(0);
    while (GetMessage(&m) > 0) {
    }
  }
  QWidget* Widget() { return OwnerWidget(window_); }
  Window* window_ = nullptr;
};

TEST_F(QtWindowsTest, CreationAnnouncesTheDefaultSizeAndPaintsOnceWhenShown) {
  ASSERT_GE(Received.size(), 2u);
  EXPECT_EQ(Received[0].Kind, MsgCreate);
  EXPECT_EQ(Received[1].Kind, MsgSize);
  EXPECT_EQ(Received[1].Long, 480 | (640 << 16));
  const Rect client = GetClientRect(window_);
  EXPECT_EQ(client.Right, 480);
  EXPECT_EQ(client.Bottom, 640);
  EXPECT_EQ(Widget()->windowTitle(), QStringLiteral("Darvo").replace("Darvo", "Probe"));

  Received.clear();
  ShowWindow(window_, ShowNormal);
  UpdateWindow(window_);
  UpdateWindow(window_);
  QCoreApplication::processEvents();
  const std::vector<uint32_t> shown = Kinds();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), MsgPaint), 1) << "the image serves later exposures";

  Received.clear();
  Widget()->resize(240, 320);
  QCoreApplication::processEvents();
  UpdateWindow(window_);
  const std::vector<uint32_t> kinds = Kinds();
  ASSERT_FALSE(kinds.empty());
  EXPECT_EQ(kinds[0], MsgSize);
  EXPECT_EQ(Received[0].Long, 240 | (320 << 16));
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), MsgPaint), 1) << "a new size is drawn afresh";
}

TEST_F(QtWindowsTest, WhatTheProgramDrawsReachesTheScreen) {
  ShowWindow(window_, ShowNormal);
  UpdateWindow(window_);  // the first paint is behind us: nothing erases the drawing
  Surface* surface = GetWindowSurface(window_);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(GetWindowSurface(window_), surface) << "one shared surface";
  Pen* pen = MakePen(0x0000FF);
  Brush* brush = MakeBrush(0x0000FF);
  Pen* oldPen = UseObject(surface, pen);
  Brush* oldBrush = UseObject(surface, brush);
  const Rect box{10, 10, 30, 30};
  DrawBox(surface, &box);
  UseObject(surface, oldPen);
  UseObject(surface, oldBrush);
  FreeObject(pen);
  FreeObject(brush);
  ReleaseWindowSurface(window_, surface);
  ReleaseWindowSurface(window_, surface);
  const QImage shown = Widget()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(20, 20), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(40, 40), QColor(255, 255, 255));
}

TEST_F(QtWindowsTest, MovingAControlDrawsItsParentAfreshSoNothingStaleStays) {
  ShowWindow(window_, ShowNormal);
  UpdateWindow(window_);
  Window* bar = CreateScrollBar(window_, 100, 20);
  ASSERT_NE(bar, nullptr);
  MoveWindow(bar, 100, 0, 13, 200, MoveAndRedraw);
  QCoreApplication::processEvents();
  // Something the program drew beside the control, as a separator in the gutter.
  Surface* surface = GetWindowSurface(window_);
  Brush* brush = MakeBrush(0x0000FF);
  const Rect line{0, 150, 100, 151};
  FillBox(surface, &line, brush);
  FreeObject(brush);
  ReleaseWindowSurface(window_, surface);

  Received.clear();
  MoveWindow(bar, 100, 0, 13, 200, MoveAndRedraw);
  UpdateWindow(window_);
  EXPECT_TRUE(std::find(Kinds().begin(), Kinds().end(), MsgPaint) == Kinds().end()) << "same place: no repaint";

  MoveWindow(bar, 100, 0, 13, 100, MoveAndRedraw);
  UpdateWindow(window_);
  const std::vector<uint32_t> kinds = Kinds();
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), MsgPaint), 1);
  EXPECT_EQ(Widget()->grab().toImage().pixelColor(50, 150), QColor(255, 255, 255)) << "erased before the paint";
}

TEST_F(QtWindowsTest, KeysMouseAndCloseBecomeMessages) {
  Received.clear();
  const struct {
    int Key;
    uint32_t Code;
  } keys[] = {{Qt::Key_Return, KeyEnter}, {Qt::Key_PageUp, KeyPageUp}, {Qt::Key_PageDown, KeyPageDown},
              {Qt::Key_Home, KeyHome},    {Qt::Key_End, KeyEnd},       {Qt::Key_Left, KeyLeft},
              {Qt::Key_Right, KeyRight},  {Qt::Key_Up, KeyUp},         {Qt::Key_Down, KeyDown}};
  for (const auto& k : keys) {
    QKeyEvent press(QEvent::KeyPress, k.Key, Qt::NoModifier);
    QCoreApplication::sendEvent(Widget(), &press);
    ASSERT_FALSE(Received.empty());
    EXPECT_EQ(Received.back().Kind, MsgKeyDown);
    EXPECT_EQ(Received.back().Word, k.Code);
  }
  QMouseEvent click(QEvent::MouseButtonPress, QPointF(33, 77), QPointF(33, 77), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(Widget(), &click);
  EXPECT_EQ(Received.back().Kind, MsgStylusDown);
  EXPECT_EQ(Received.back().Long, 33 | (77 << 16));

  QCloseEvent close;
  QCoreApplication::sendEvent(Widget(), &close);
  EXPECT_EQ(Received[Received.size() - 2].Kind, MsgClose);
  EXPECT_EQ(Received.back().Kind, MsgDestroy) << "the default handling of a close destroys the window";
  EXPECT_EQ(OwnerWidget(window_), nullptr);
}

TEST_F(QtWindowsTest, PostedMessagesAndTheQuitSignal) {
  Received.clear();
  PostMessage(window_, MsgCommand, 109, 0);
  PostQuit(7);
  Message m{};
  ASSERT_EQ(GetMessage(&m), 1);
  EXPECT_EQ(m.Target, window_);
  DispatchMessage(&m);
  ASSERT_EQ(Received.size(), 1u);
  EXPECT_EQ(Received[0].Word, 109u);
  EXPECT_EQ(GetMessage(&m), 0);
  EXPECT_EQ(m.Word, 7u);
}

TEST_F(QtWindowsTest, ScrollBarRequestsAreMappedAndTheThumbWaitsForTheProgram) {
  Window* bar = CreateScrollBar(window_, 100, 20);
  ASSERT_NE(bar, nullptr);
  auto* scroll = qobject_cast<QScrollBar*>(OwnerWidget(bar));
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(scroll->orientation(), Qt::Vertical);
  EXPECT_EQ(scroll->width(), PlatformMetric(MetricScrollBarWidth));
  SetScrollBar(bar, 0, 40, 5);
  EXPECT_EQ(scroll->maximum(), 40);
  const struct {
    QAbstractSlider::SliderAction Action;
    uint32_t Code;
  } actions[] = {{QAbstractSlider::SliderSingleStepSub, 0}, {QAbstractSlider::SliderSingleStepAdd, 1},
                 {QAbstractSlider::SliderPageStepSub, 2},   {QAbstractSlider::SliderPageStepAdd, 3},
                 {QAbstractSlider::SliderToMinimum, 6},     {QAbstractSlider::SliderToMaximum, 7}};
  for (const auto& a : actions) {
    Received.clear();
    scroll->triggerAction(a.Action);
    ASSERT_EQ(Received.size(), 1u);
    EXPECT_EQ(Received[0].Kind, MsgVerticalScroll);
    EXPECT_EQ(Received[0].Word & 0xFFFF, a.Code);
    EXPECT_EQ(Received[0].Control, bar);
    EXPECT_EQ(scroll->value(), 5) << "only the program moves the thumb";
  }
  Received.clear();
  scroll->setSliderPosition(12);
  ASSERT_FALSE(Received.empty());
  EXPECT_EQ(Received.back().Word, 5u | (12u << 16)) << "dragged, with the thumb position";
  EXPECT_EQ(scroll->value(), 5);
  // The context menu's "Scroll here" sets the value directly.
  Received.clear();
  scroll->setValue(17);
  ASSERT_EQ(Received.size(), 1u);
  EXPECT_EQ(Received[0].Word, 4u | (17u << 16)) << "the thumb released at that place";
  EXPECT_EQ(scroll->value(), 5) << "only the program moves the thumb";
  Received.clear();
  SetScrollBar(bar, 0, 3, 2);
  EXPECT_TRUE(Received.empty()) << "a smaller range is no request";
  EXPECT_EQ(scroll->value(), 2);
  MoveWindow(bar, 200, -2, 13, 134, MoveAndRedraw);
  const Rect place = GetWindowRect(bar);
  EXPECT_EQ(place.Left, 200);
  EXPECT_EQ(place.Top, -2);
  EXPECT_EQ(place.Bottom, 132);
}

TEST_F(QtWindowsTest, CommandBarAtTheTopCarriesTheMenusAndTheToolbar) {
  Window* bar = CreateCommandBar(window_, nullptr, 1);
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(InsertBarMenu(bar, nullptr, 102, 0));
  const char16_t* tips[] = {u"", u"Previous Article", u"Choose Article", u"Next Article",
                            u"Choose Font", u"Search", u"Search Again"};
  SetBarTooltips(bar, tips, 7);
  AddBarBitmap(bar, nullptr, 114, 6);
  const BarButton buttons[] = {{0, 110}, {1, 119}, {2, 109}, {3, 40006}, {4, 116}, {5, 117}};
  AddBarButtons(bar, buttons, 6);
  ShowBar(bar);
  ShowWindow(window_, ShowNormal);
  QWidget* strip = OwnerWidget(bar);
  EXPECT_EQ(strip->geometry().top(), 0);
  EXPECT_EQ(strip->width(), 480);
  EXPECT_EQ(BarHeight(bar), strip->height());
  EXPECT_GT(BarHeight(bar), 16);
  EXPECT_LE(strip->sizeHint().width(), 240) << "fits the handheld's width";

  QList<QToolButton*> all = strip->findChildren<QToolButton*>();
  ASSERT_EQ(all.size(), 8);
  EXPECT_EQ(all[0]->text(), QStringLiteral("&Go"));
  EXPECT_EQ(all[1]->text(), QStringLiteral("&Marginel"));
  for (int i = 0; i < 6; ++i) {
    EXPECT_FALSE(all[2 + i]->icon().isNull());
    EXPECT_EQ(all[2 + i]->toolTip(), QString::fromUtf16(tips[i + 1]));
  }

  Menu* menu = CommandBarMenu(bar);
  ASSERT_NE(menu, nullptr);
  SetMenuItemChecked(menu, 122, 1);
  EXPECT_TRUE(IsMenuItemChecked(menu, 122));
  SetMenuRadio(menu, 401, 434, 412);
  SetMenuRadio(menu, 401, 434, 434);
  EXPECT_TRUE(IsMenuItemChecked(menu, 434));
  EXPECT_FALSE(IsMenuItemChecked(menu, 412));
  EXPECT_FALSE(IsMenuItemChecked(menu, 9999));

  // A chosen item posts its command; its check mark stays the program's.
  QAction* font = nullptr;
  QMenu* goMenu = all[0]->findChild<QMenu*>() ? nullptr : strip->findChildren<QMenu*>().value(0);
  ASSERT_NE(goMenu, nullptr);
  for (QAction* action : goMenu->actions()) {
    if (action->data().toUInt() == 40006) font = action;
  }
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->text(), QStringLiteral("F&ont\tCtrl+F")) << "the key hint is shown right-aligned";
  font->trigger();
  all[4]->click();  // the Next Article button
  Message m{};
  ASSERT_EQ(GetMessage(&m), 1);
  EXPECT_EQ(m.Kind, MsgCommand);
  EXPECT_EQ(m.Word, 40006u);
  ASSERT_EQ(GetMessage(&m), 1);
  EXPECT_EQ(m.Word, 109u);
  EXPECT_FALSE(IsMenuItemChecked(menu, 40006));
}

TEST_F(QtWindowsTest, MenuBarAtTheBottomOpensTheSubmenusOfItsButtons) {
  Window* bar = CreateMenuBar(window_, nullptr, 102);
  ASSERT_NE(bar, nullptr);
  ShowBar(bar);
  ShowWindow(window_, ShowNormal);
  QWidget* strip = OwnerWidget(bar);
  EXPECT_EQ(strip->geometry().bottom() + 1, 640);
  const Rect place = GetWindowRect(bar);
  EXPECT_EQ(place.Bottom - place.Top, strip->height());
  QList<QToolButton*> all = strip->findChildren<QToolButton*>();
  ASSERT_EQ(all.size(), 2);
  EXPECT_EQ(all[0]->text(), QStringLiteral("Go"));
  EXPECT_EQ(all[1]->text(), QStringLiteral("Marginel"));
  Menu* go = BarButtonMenu(bar, 40001);
  Menu* marginel = BarButtonMenu(bar, 40003);
  ASSERT_NE(go, nullptr);
  ASSERT_NE(marginel, nullptr);
  SetMenuRadio(marginel, 401, 434, 414);
  EXPECT_TRUE(IsMenuItemChecked(marginel, 414));
  SetMenuItemChecked(go, 414, 1);
  EXPECT_FALSE(IsMenuItemChecked(go, 123)) << "each button has its own menu";
  Widget()->resize(300, 400);
  EXPECT_EQ(strip->geometry().bottom() + 1, 400) << "the bar keeps to the bottom edge";
  EXPECT_EQ(strip->width(), 300);
}

}  // namespace

namespace {

TEST_F(QtWindowsTest, HidingTheTaskBarCoversTheScreen) {
  ShowWindow(window_, ShowNormal);
  ShellFullScreen(window_, ShellHideInputButton);
  EXPECT_FALSE(Widget()->isFullScreen()) << "the input panel has no desktop counterpart";
  ShellFullScreen(window_, ShellHideTaskBar | ShellHideInputButton | ShellHideStartIcon);
  EXPECT_TRUE(Widget()->isFullScreen());
  MoveWindow(window_, 0, 0, 100, 100, MoveWithoutRedraw);
  EXPECT_TRUE(Widget()->isFullScreen()) << "it keeps covering the screen";
  ShellFullScreen(window_, ShellShowTaskBar);
  EXPECT_FALSE(Widget()->isFullScreen());
  int major = 0, minor = 0;
  GetPlatformVersion(&major, &minor);
  EXPECT_EQ(major * 100 + minor, 420) << "the bar's place follows the global option";
}

}  // namespace
