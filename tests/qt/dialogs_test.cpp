// The Qt dialogs: widgets built from templates in dialog units, the controls'
// behaviour, owner-drawn drawing, the font chooser covering its owner and the
// About box's link reaching the desktop's URL opener.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/font_chooser.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/qt/window_widget.h"
#include "platform/windows.h"
#include "qt_app.h"
#include "resources/dialog_templates.h"

namespace {

std::function<intptr_t(const Message*)> Handling;
std::vector<Message> Heard;

intptr_t Probe(const Message* message) {
  Heard.push_back(*message);
  return Handling ? Handling(message) : 0;
}

intptr_t Ignore(const Message*) { return 0; }

// Runs code once the modal loop of the dialog now opening is running.
void WhenOpen(std::function<void(QDialog*, Window*)> code) {
  QTimer::singleShot(0, [code]() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    code(dialog, WindowOfWidget(dialog));
  });
}

Rect Expected(int x, int y, int w, int h, int bx, int by) {
  return Rect{x * bx / 4, y * by / 8, x * bx / 4 + w * bx / 4, y * by / 8 + h * by / 8};
}

void ExpectRect(const Rect& r, const Rect& e) {
  EXPECT_EQ(r.Left, e.Left);
  EXPECT_EQ(r.Top, e.Top);
  EXPECT_EQ(r.Right, e.Right);
  EXPECT_EQ(r.Bottom, e.Bottom);
}

std::u16string Text(Window* control) {
  char16_t buffer[128];
  const int32_t n = ReadControlText(control, buffer, 128);
  return std::u16string(buffer, n);
}

// Height of the ink in the three outermost inked columns of an image, from
// the left or from the right.
int InkHeightAtEdge(const QImage& image, bool fromRight) {
  auto inked = [&](int x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) < 128) return true;
    }
    return false;
  };
  int edge = -1;
  for (int i = 0; i < image.width() && edge < 0; ++i) {
    const int x = fromRight ? image.width() - 1 - i : i;
    if (inked(x)) edge = x;
  }
  if (edge < 0) return -1;
  int top = image.height(), bottom = -1;
  for (int i = 0; i < 3; ++i) {
    const int x = fromRight ? edge - i : edge + i;
    if (x < 0 || x >= image.width()) continue;
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) < 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  return bottom - top;
}

// A left-button click on a list row, as the mouse gives it.
void ClickRow(QListWidget* list, int row) {
  list->scrollToItem(list->item(row));
  const QPointF at = list->visualItemRect(list->item(row)).center();
  const QPointF global = list->viewport()->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &press);
  QApplication::sendEvent(list->viewport(), &release);
}

void AlignLeftForProbe(QPlainTextEdit* edit) {
  QTextCursor cursor(edit->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat format;
  format.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
  cursor.mergeBlockFormat(format);
}

class QtDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    Heard.clear();
    Handling = nullptr;
    ASSERT_TRUE(RegisterWindowClass(nullptr, u"Owner", Ignore, 0));
    owner_ = CreateTopWindow(nullptr, u"Owner", u"Owner");
    ShowWindow(owner_, ShowNormal);
  }
  void TearDown() override {
    Handling = nullptr;
    DestroyWindow(owner_);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FreeWindowHandles();
  }
  Window* owner_ = nullptr;
};

TEST_F(QtDialogsTest, ControlsArePlacedInDialogUnitsOfTheDialogFont) {
  int32_t bx = 0, by = 0;
  Handling = [&](const Message* m) -> intptr_t {
    if (m->Kind != MsgInitDialog) return 0;
    Window* d = m->Target;
    GetDialogBaseUnits(d, &bx, &by);
    // The base units follow from the dialog font's letters.
    const QFont font = OwnerWidget(d)->font();
    const QFontMetrics metrics(font);
    EXPECT_EQ(bx, (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2);
    EXPECT_EQ(by, metrics.height());
    EXPECT_GT(bx, 2);
    const Rect client = GetClientRect(d);
    EXPECT_EQ(client.Right, 152 * bx / 4);
    EXPECT_EQ(client.Bottom, 167 * by / 8);
    ExpectRect(GetWindowRect(GetDialogControl(d, 1001)), Expected(7, 7, 107, 94, bx, by));
    ExpectRect(GetWindowRect(GetDialogControl(d, 1006)), Expected(120, 44, 25, 56, bx, by));
    ExpectRect(GetWindowRect(GetDialogControl(d, 1002)), Expected(7, 106, 138, 50, bx, by));
    ExpectRect(GetWindowRect(GetDialogControl(d, 1004)), Expected(116, 19, 29, 10, bx, by));
    ExpectRect(GetWindowRect(GetDialogControl(d, 1005)), Expected(116, 31, 29, 10, bx, by));
    EXPECT_EQ(GetDialogControl(d, 1003), nullptr);
    EXPECT_EQ(GetControlId(GetDialogControl(d, 1006)), 1006);
    EXPECT_EQ(GetParentWindow(d), owner_);
    EndDialog(d, 7);
    return 1;
  };
  EXPECT_EQ(RunDialog(105, owner_, Probe, 0), 7);
  ASSERT_GE(Heard.size(), 2u);
  EXPECT_EQ(Heard.front().Kind, MsgInitDialog);
  EXPECT_EQ(Heard.back().Kind, MsgDestroy);
  EXPECT_EQ(RunDialog(999, owner_, Probe, 0), -1);
}

TEST_F(QtDialogsTest, ListsEditBoxesAndRadioButtonsBehaveAsTheProgramExpects) {
  Handling = [&](const Message* m) -> intptr_t {
    if (m->Kind != MsgInitDialog) return 0;
    Window* d = m->Target;
    Window* sorted = GetDialogControl(d, 1001);
    Window* plain = GetDialogControl(d, 1006);
    for (const char16_t* face : {u"zeta", u"Alpha", u"beta", u"\u05D3\u05D5\u05D3"}) ListAddItem(sorted, face);
    for (const char16_t* size : {u"5", u"10", u"11"}) ListAddItem(plain, size);
    char16_t text[32];
    std::vector<std::u16string> order;
    for (int i = 0; i < ListItemCount(sorted); ++i) {
      ListItemText(sorted, i, text, 32);
      order.push_back(text);
    }
    EXPECT_EQ(order, (std::vector<std::u16string>{u"Alpha", u"beta", u"zeta", u"\u05D3\u05D5\u05D3"}));
    ListItemText(plain, 0, text, 32);
    EXPECT_EQ(std::u16string(text), u"5");
    EXPECT_EQ(ListSelection(sorted), -1);
    EXPECT_EQ(ListSelectPrefix(sorted, u"BE"), 1);
    EXPECT_EQ(ListSelection(sorted), 1);
    EXPECT_EQ(ListSelectPrefix(sorted, u"q"), -1);
    EXPECT_EQ(ListSelection(sorted), 1);
    EXPECT_EQ(ListSelectPrefix(plain, u"1"), 1);
    EXPECT_EQ(ListItemText(plain, 9, text, 32), -1);
    ListReset(plain);
    EXPECT_EQ(ListItemCount(plain), 0);
    EXPECT_EQ(ListSelection(plain), -1);

    // Radio buttons change one at a time when the program sets them.
    Window* r224 = GetDialogControl(d, 1004);
    Window* r5d0 = GetDialogControl(d, 1005);
    SetButtonChecked(r224, true);
    SetButtonChecked(r5d0, true);
    EXPECT_TRUE(IsButtonChecked(r224));
    SetButtonChecked(r224, false);
    EXPECT_FALSE(IsButtonChecked(r224));
    EXPECT_TRUE(IsButtonChecked(r5d0));

    // The sample box keeps the text as given and shows it right-aligned.
    Window* sample = GetDialogControl(d, 1002);
    SetControlText(sample, u"\u05EA\u05E9\u05E8 (x)");
    EXPECT_EQ(Text(sample), u"\u05EA\u05E9\u05E8 (x)");
    auto* edit = qobject_cast<QPlainTextEdit*>(OwnerWidget(sample));
    if (!edit) {
      ADD_FAILURE() << "the sample box is no multi-line edit box";
      EndDialog(d, 1);
      return 1;
    }
    EXPECT_TRUE(edit->document()->firstBlock().blockFormat().alignment() & Qt::AlignRight);
    Font* font = MakeFont(u"DejaVu Sans", 30, 0, FontPlain);
    SetControlFont(sample, font, 1);
    // Shown in the order given: yod (short) then alef (tall), left to right,
    // whatever a bidi algorithm would make of them.
    SetControlText(sample, u"\u05D9\u05D0");
    AlignLeftForProbe(edit);
    const QImage shown = edit->viewport()->grab().toImage();
    EXPECT_LT(InkHeightAtEdge(shown, false) * 3 / 2, InkHeightAtEdge(shown, true));
    FontDescription description{};
    EXPECT_TRUE(ReadControlFont(sample, &description));
    EXPECT_EQ(edit->font().pixelSize(), -description.Height);
    SetControlFont(sample, nullptr, 1);
    FreeObject(font);
    EndDialog(d, 1);
    return 1;
  };
  EXPECT_EQ(RunDialog(105, owner_, Probe, 0), 1);
}

TEST_F(QtDialogsTest, UserActionsBecomeCommandsWithNotifications) {
  Handling = [&](const Message* m) -> intptr_t {
    if (m->Kind == MsgInitDialog) {
      ListAddItem(GetDialogControl(m->Target, 1006), u"10");
      ListAddItem(GetDialogControl(m->Target, 1006), u"11");
    }
    if (m->Kind == MsgCommand && (m->Word & 0xFFFF) == 2) EndDialog(m->Target, 2);
    return 0;
  };
  WhenOpen([](QDialog* dialog, Window* d) {
    Heard.clear();
    auto* list = qobject_cast<QListWidget*>(OwnerWidget(GetDialogControl(d, 1006)));
    list->setCurrentRow(1);  // as a click does
    auto* radio = qobject_cast<QRadioButton*>(OwnerWidget(GetDialogControl(d, 1004)));
    radio->click();
    dialog->reject();  // Escape or the close button
  });
  EXPECT_EQ(RunDialog(105, owner_, Probe, 0), 2);
  std::vector<uint32_t> words;
  for (const Message& m : Heard) {
    if (m.Kind == MsgCommand) words.push_back(m.Word);
  }
  ASSERT_GE(words.size(), 3u);
  EXPECT_EQ(words[0], 1006u | (NotifySelectionChanged << 16));
  EXPECT_EQ(words[1], 1004u | (NotifyClicked << 16));
  EXPECT_EQ(words.back(), 2u);
}

TEST_F(QtDialogsTest, TheFontChooserCoversItsOwnerAndLaysOutOnTheSizeChange) {
  FontSpec font{};
  font.LetterBase = 224;
  const char16_t mono[] = u"DejaVu Sans Mono";  // no Hebrew: 224 stays at first
  for (int i = 0; mono[i]; ++i) font.Face[i] = mono[i];
  WhenOpen([this](QDialog* dialog, Window* d) {
    EXPECT_EQ(dialog->geometry(), OwnerWidget(owner_)->geometry());
    const Rect client = GetClientRect(d);
    const int w = client.Right - 14, h = client.Bottom - 14, dd = 2 * w / 3, f = 2 * h / 3;
    ExpectRect(GetWindowRect(GetDialogControl(d, FaceList)), Rect{7, 7, dd, f});
    ExpectRect(GetWindowRect(GetDialogControl(d, SampleBox)), Rect{7, f, 7 + w, h});
    ExpectRect(GetWindowRect(GetDialogControl(d, Base1488Button)), Rect{dd + 7, 41, w + 7, 51});
    // Every installed family is offered; a Culmus face is flagged Hebrew.
    auto* faces = qobject_cast<QListWidget*>(OwnerWidget(GetDialogControl(d, FaceList)));
    int hebrew = 0;
    const int families = ListFontFaces(
        nullptr, [](const char16_t* face, int charset, void* count) {
          if (charset == CharsetHebrew && std::u16string(face).find(u" CLM") != std::u16string::npos) {
            ++*static_cast<int*>(count);
          }
          return 1;
        },
        &hebrew);
    EXPECT_EQ(faces->count(), families);
    int flagged = 0;
    for (FontFamilyEntry* e = FontChooser.Head; e; e = e->Next) {
      flagged += e->Charset == CharsetHebrew && std::u16string(e->Face).find(u" CLM") != std::u16string::npos;
    }
    EXPECT_EQ(flagged, hebrew);
    EXPECT_EQ(ListItemCount(GetDialogControl(d, SizeList)), 14);
    EXPECT_TRUE(IsButtonChecked(GetDialogControl(d, Base224Button)));
    int david = -1;
    for (int i = 0; i < faces->count(); ++i) {
      char16_t face[32];
      ListItemText(GetDialogControl(d, FaceList), i, face, 32);
      if (std::u16string(face) == u"David CLM") david = i;
    }
    // A click notifies once the row is selected: the chooser already sees
    // the face and size clicked.
    if (david >= 0) {
      ClickRow(faces, david);
      EXPECT_EQ(std::u16string(FontChooser.SampleFace), u"David CLM");
      EXPECT_TRUE(IsButtonChecked(GetDialogControl(d, Base1488Button)));
    }
    auto* sizes = qobject_cast<QListWidget*>(OwnerWidget(GetDialogControl(d, SizeList)));
    ClickRow(sizes, 6);
    EXPECT_EQ(FontChooser.SampleHeight, 20);
    dialog->accept();
  });
  EXPECT_EQ(RunFontChooser(owner_, &font), 1);
  EXPECT_EQ(font.Size, 20);
  EXPECT_EQ(FontChooser.Head, nullptr);
  EXPECT_EQ(FontChooser.SampleFont, nullptr);
}

TEST_F(QtDialogsTest, TheAboutLinkIsDrawnBlueAndAClickReachesTheUrlOpener) {
  // A stand-in for the desktop's opener that writes down what it was given.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString log = dir.filePath(QStringLiteral("opened"));
  QFile script(dir.filePath(QStringLiteral("xdg-open")));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1.part' && mv '%1.part' '%1'\n").arg(log).toUtf8());
  script.close();
  script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", dir.path().toUtf8() + ":" + path);

  bool checked = false;
  WhenOpen([&](QDialog* dialog, Window* d) {
    Window* link = GetDialogControl(d, LinkButton);
    QWidget* button = OwnerWidget(link);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(AboutBox.LinkFont, nullptr);
    // Sized to its text in the link font plus the edges.
    QFont font = button->font();
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(font.weight(), QFont::ExtraBold);
    const QImage shot = button->grab().toImage();
    int blue = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.blue() > 200 && c.red() < 100 && c.green() < 100) ++blue;
      }
    }
    EXPECT_GT(blue, 20);
    EXPECT_EQ(shot.pixelColor(shot.width() - 1, 0), QColor(Qt::white));
    // The logo stands at (88, 7) in dialog units, 63 x 40.
    int32_t bx, by;
    GetDialogBaseUnits(d, &bx, &by);
    bool logo = false;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      if (!label->pixmap().isNull()) {
        logo = true;
        EXPECT_EQ(label->pos(), QPoint(88 * bx / 4, 7 * by / 8));
        EXPECT_EQ(label->pixmap().size(), QSize(63, 40));
      }
    }
    EXPECT_TRUE(logo);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), button->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3), button->mapToGlobal(QPointF(3, 3)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
    EXPECT_TRUE(dialog->isVisible());  // the box stays open
    checked = true;
    dialog->accept();
  });
  RunAboutBox(owner_);
  EXPECT_TRUE(checked);
  EXPECT_EQ(AboutBox.LinkFont, nullptr);
  for (int i = 0; i < 500 && !QFile::exists(log); ++i) QThread::msleep(10);
  QFile opened(log);
  ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(opened.readAll()), QString::fromUtf16(HomePageAddress));
  qputenv("PATH", path);
}

}  // namespace
