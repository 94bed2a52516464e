// The Qt platform's dialogs and their controls, built from the program's templates.
//   [X] modal dialogs from templates: dialog units -> pixels from the dialog
//       font's base units; caption, controls in tab order
//   [X] the caption OK button as an OK / Cancel row under the client area;
//       Escape and the close button are Cancel (2)
//   [X] MsgInitDialog, MsgCommand with notifications, MsgSize (client area),
//       MsgActivate, MsgDrawItem, MsgDestroy
//   [X] the shell's dialog set-up: full screen covers the owner's area
//   [X] list boxes: sorted (ignoring case) or not, prefix selection,
//       selection and focus notifications
//   [X] edit boxes (one line and multi-line, right-aligned), labels,
//       automatic radio buttons, pictures, owner-drawn buttons
//   [X] texts shown in the order given (left-to-right override, no reordering)
//   [ ] the Done button of the handheld shell (no desktop counterpart)
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/handheld.h"
#include "platform/qt/dialog_widgets.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/qt_util.h"
#include "platform/qt/window_widget.h"
#include "resources/dialog_templates.h"
#include "resources/resources.h"

namespace {

constexpr QChar LeftToRightOverride(0x202D);
constexpr QChar PopDirectional(0x202C);

// Text shown by a control: wrapped so that Qt never reorders Hebrew.
QString Shown(const QString& text) {
  return text.isEmpty() ? text : QString(LeftToRightOverride) + text + PopDirectional;
}

QString Unshown(QString text) {
  text.remove(LeftToRightOverride);
  text.remove(PopDirectional);
  return text;
}

struct DialogRecord;

struct ControlRecord {
  uint8_t Kind;
  uint16_t Id;
  uint32_t Style;
  DialogRecord* Dialog;
  Window* Handle;
  Font* UsedFont;  // from SetControlFont, not owned
  QString Text;    // owner-drawn buttons and radio buttons: their text
};

struct DialogRecord {
  Window* Handle;
  QDialog* Widget;
  QWidget* Client;
  QFont DialogFont;
  Font* DialogFontHandle;  // the dialog font for surfaces (owned)
  int32_t BaseX;
  int32_t BaseY;
  bool Started;
  bool Ended;
  intptr_t Result;
  QList<ControlRecord*> Controls;
};

QHash<Window*, DialogRecord*>& Dialogs() {
  static QHash<Window*, DialogRecord*> dialogs;
  return dialogs;
}

QHash<Window*, ControlRecord*>& Controls() {
  static QHash<Window*, ControlRecord*> controls;
  return controls;
}

QHash<Surface*, QImage*>& ControlSurfaces() {
  static QHash<Surface*, QImage*> surfaces;
  return surfaces;
}

DialogRecord* DialogOf(Window* dialog) {
  return dialog ? Dialogs().value(dialog, nullptr) : nullptr;
}

ControlRecord* ControlOf(Window* control) {
  if (!control || control->Destroyed) return nullptr;
  return Controls().value(control, nullptr);
}

bool Live(DialogRecord* record) {
  return record && record->Started && !record->Ended;
}

// A control tells its dialog (once the dialog has started and until it ends).
void Notify(ControlRecord* control, uint32_t code) {
  if (!control || !Live(control->Dialog)) return;
  DeliverMessage(control->Dialog->Handle, MsgCommand, control->Id | (code << 16), 0, control->Handle);
}

const DialogResource* FindTemplate(uint16_t id) {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type == ResourceDialog && entry->Id == id) return static_cast<const DialogResource*>(entry->Data);
  }
  return nullptr;
}

// The dialog font: the desktop's general face stands for "System", at the
// template's point size on this screen.
QFont DialogFontFor(const DialogResource* resource) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  const QString face = FromU16(resource->FontFace);
  if (!face.isEmpty() && face != QLatin1String("System")) font.setFamily(face);
  const int points = resource->FontPoints > 0 ? resource->FontPoints : 8;
  font.setPixelSize(std::max(1, (points * PlatformMetric(MetricPixelsPerInchY) + 36) / 72));
  font.setKerning(false);
  return font;
}

class DarvoDialog : public QDialog {
 public:
  DarvoDialog(QWidget* owner, DialogRecord* record) : QDialog(owner), record_(record) {}

  void accept() override {
    if (Live(record_)) DeliverMessage(record_->Handle, MsgCommand, 1, 0, nullptr);
  }
  void reject() override {
    if (Live(record_)) DeliverMessage(record_->Handle, MsgCommand, 2, 0, nullptr);
  }
  void Finish() { QDialog::done(0); }

 protected:
  bool event(QEvent* event) override {
    if (Live(record_)) {
      if (event->type() == QEvent::WindowActivate) {
        DeliverMessage(record_->Handle, MsgActivate, ActivateOn, 0, nullptr);
      } else if (event->type() == QEvent::WindowDeactivate) {
        DeliverMessage(record_->Handle, MsgActivate, ActivateOff, 0, nullptr);
      }
    }
    return QDialog::event(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F1 && Live(record_)) {
      DeliverMessage(record_->Handle, MsgHelp, 0, 0, nullptr);
      return;
    }
    QDialog::keyPressEvent(event);
  }

 private:
  DialogRecord* record_;
};

// The client area: its size changes are the dialog's MsgSize.
class ClientArea : public QWidget {
 public:
  ClientArea(QWidget* parent, DialogRecord* record) : QWidget(parent), record_(record) {}

 protected:
  void resizeEvent(QResizeEvent*) override {
    if (!Live(record_)) return;
    const intptr_t size = static_cast<intptr_t>((static_cast<uint32_t>(width()) & 0xFFFF) |
                                                ((static_cast<uint32_t>(height()) & 0xFFFF) << 16));
    DeliverMessage(record_->Handle, MsgSize, 0, size, nullptr);
  }

 private:
  DialogRecord* record_;
};

// A push button the program draws: each paint asks the dialog for MsgDrawItem
// on a surface over the button's image.
class DrawnButton : public QWidget {
 public:
  DrawnButton(QWidget* parent, ControlRecord* control) : QWidget(parent), control_(control) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    if (Live(control_->Dialog)) {
      Surface* surface = CreateImageSurface(&image, nullptr);
      Font* font = control_->UsedFont ? control_->UsedFont : control_->Dialog->DialogFontHandle;
      Font* previous = UseObject(surface, font);
      DrawItemRequest request{control_->Handle, control_->Id, surface, Rect{0, 0, width(), height()}};
      DeliverMessage(control_->Dialog->Handle, MsgDrawItem, control_->Id, reinterpret_cast<intptr_t>(&request),
                     control_->Handle);
      UseObject(surface, previous);
      FreeImageSurface(surface);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    if (hasFocus()) {
      painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
      painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_ = true;
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) Notify(control_, NotifyClicked);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space) {
      Notify(control_, NotifyClicked);
      return;
    }
    QWidget::keyPressEvent(event);
  }

 private:
  ControlRecord* control_;
  bool pressed_ = false;
};

// List boxes report focus changes when they notify.
class ListFocusWatch : public QObject {
 public:
  ListFocusWatch(QObject* parent, ControlRecord* control) : QObject(parent), control_(control) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) Notify(control_, NotifyFocusGained);
    if (event->type() == QEvent::FocusOut) Notify(control_, NotifyFocusLost);
    return false;
  }

 private:
  ControlRecord* control_;
};

QImage PictureOf(uint16_t bitmapId) {
  Bitmap* bitmap = LoadBitmapResource(bitmapId);
  const TextSize size = BitmapSize(bitmap);
  QImage image(std::max(size.Width, 1), std::max(size.Height, 1), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  if (bitmap) {
    Surface* surface = CreateImageSurface(&image, nullptr);
    CopyBitmap(surface, bitmap, 0, 0);
    FreeImageSurface(surface);
    FreeBitmap(bitmap);
  }
  return image;
}

QWidget* MakeControlWidget(const DialogControlResource& item, ControlRecord* control, QWidget* parent) {
  const QString text = FromU16(item.Text);
  switch (item.Kind) {
    case ControlKindLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setText(Shown(text));
      label->setAlignment((item.Style & ControlCentred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      return label;
    }
    case ControlKindPicture: {
      auto* label = new QLabel(parent);
      label->setPixmap(QPixmap::fromImage(PictureOf(item.BitmapId)));
      return label;
    }
    case ControlKindListBox: {
      auto* list = new QListWidget(parent);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setVerticalScrollBarPolicy(item.Style & ControlVerticalScroll ? Qt::ScrollBarAsNeeded
                                                                         : Qt::ScrollBarAlwaysOff);
      if (!(item.Style & ControlBorder)) list->setFrameShape(QFrame::NoFrame);
      if (item.Style & ControlNotify) {
        // A click makes the row current before it selects it: the program
        // hears of the change once the new row is selected.
        QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                         [control]() { Notify(control, NotifySelectionChanged); });
        list->installEventFilter(new ListFocusWatch(list, control));
      }
      return list;
    }
    case ControlKindEditBox: {
      if (item.Style & ControlMultiLine) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        if (!(item.Style & ControlBorder)) edit->setFrameShape(QFrame::NoFrame);
        edit->setPlainText(Shown(text));
        return edit;
      }
      auto* edit = new QLineEdit(parent);
      edit->setFrame((item.Style & ControlBorder) != 0);
      edit->setText(Shown(text));
      if (item.Style & ControlRightAligned) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      return edit;
    }
    case ControlKindRadioButton: {
      auto* radio = new QRadioButton(Shown(text), parent);
      radio->setAutoExclusive(true);
      QObject::connect(radio, &QRadioButton::clicked, radio, [control]() { Notify(control, NotifyClicked); });
      return radio;
    }
    case ControlKindOwnerDrawn:
      return new DrawnButton(parent, control);
    default:
      return nullptr;
  }
}

void AlignEdit(QPlainTextEdit* edit, uint32_t style) {
  QTextOption option = edit->document()->defaultTextOption();
  option.setAlignment(style & ControlRightAligned ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft | Qt::AlignAbsolute);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  edit->document()->setDefaultTextOption(option);
  QTextCursor cursor(edit->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat format;
  format.setAlignment(option.alignment());
  cursor.mergeBlockFormat(format);
}

void FreeRecord(DialogRecord* record) {
  for (ControlRecord* control : record->Controls) {
    Controls().remove(control->Handle);
    delete control;
  }
  Dialogs().remove(record->Handle);
  FreeObject(record->DialogFontHandle);
  delete record;
}

}  // namespace

intptr_t RunDialog(uint16_t templateId, Window* owner, WindowHandler handler, intptr_t value) {
  const DialogResource* resource = FindTemplate(templateId);
  if (!resource || !handler || !qApp) return -1;
  auto* record = new DialogRecord{};
  record->DialogFont = DialogFontFor(resource);
  const QFontMetrics metrics(record->DialogFont);
  record->BaseX = (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
  record->BaseY = metrics.height();
  const std::u16string family = ToU16(record->DialogFont.family());
  record->DialogFontHandle = MakeFont(family.c_str(), -record->DialogFont.pixelSize(), WeightNormal, FontPlain);

  auto* dialog = new DarvoDialog(OwnerWidget(owner), record);
  dialog->setWindowTitle(FromU16(resource->Caption));
  dialog->setFont(record->DialogFont);
  dialog->setModal(true);
  record->Widget = dialog;
  record->Handle = AdoptWidget(dialog, WindowKind::Dialog, handler);
  Dialogs().insert(record->Handle, record);

  auto* layout = new QVBoxLayout(dialog);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* client = new ClientArea(dialog, record);
  record->Client = client;
  record->Handle->Client = client;
  layout->addWidget(client, 1);
  int rowHeight = 0;
  if (resource->Flags & TemplateCaptionOk) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setContentsMargins(6, 4, 6, 6);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons, 0);
    rowHeight = buttons->sizeHint().height();
  }

  const int32_t bx = record->BaseX;
  const int32_t by = record->BaseY;
  for (int i = 0; i < resource->Count; ++i) {
    const DialogControlResource& item = resource->Controls[i];
    auto* control = new ControlRecord{};
    control->Kind = item.Kind;
    control->Id = item.Id;
    control->Style = item.Style;
    control->Dialog = record;
    control->Text = FromU16(item.Text);
    QWidget* widget = MakeControlWidget(item, control, client);
    if (!widget) {
      delete control;
      continue;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) AlignEdit(edit, item.Style);
    if (!(item.Style & ControlTabStop) && item.Kind != ControlKindListBox && item.Kind != ControlKindEditBox) {
      widget->setFocusPolicy(item.Kind == ControlKindRadioButton ? Qt::ClickFocus : Qt::NoFocus);
    }
    const int x = item.X * bx / 4;
    const int y = item.Y * by / 8;
    if (item.Kind == ControlKindPicture) {
      widget->move(x, y);
      widget->adjustSize();
    } else {
      widget->setGeometry(x, y, item.Width * bx / 4, item.Height * by / 8);
    }
    control->Handle = AdoptWidget(widget, WindowKind::Control, nullptr);
    Controls().insert(control->Handle, control);
    record->Controls.append(control);
  }
  const QSize clientSize(resource->Width * bx / 4, resource->Height * by / 8);
  client->setMinimumSize(0, 0);
  dialog->resize(clientSize.width(), clientSize.height() + rowHeight);
  // The client area has its size before the handler first asks for it.
  layout->activate();

  record->Started = true;
  DeliverMessage(record->Handle, MsgInitDialog, 0, value, nullptr);
  if (!record->Ended) dialog->exec();
  const intptr_t result = record->Result;
  record->Ended = true;
  // The handler hears of the end while the controls still exist.
  dialog->hide();
  DeliverMessage(record->Handle, MsgDestroy, 0, 0, nullptr);
  record->Handle->Handler = nullptr;
  DestroyWindow(record->Handle);
  // Gone now, while the records its widgets point at still exist (ended, so
  // nothing reaches the program any more).
  delete dialog;
  FreeRecord(record);
  return result;
}

void EndDialog(Window* dialog, intptr_t result) {
  DialogRecord* record = DialogOf(dialog);
  if (!record || record->Ended) return;
  record->Ended = true;
  record->Result = result;
  static_cast<DarvoDialog*>(record->Widget)->Finish();
}

Window* GetDialogControl(Window* dialog, uint16_t id) {
  DialogRecord* record = DialogOf(dialog);
  if (!record || id == NoControlId) return nullptr;
  for (ControlRecord* control : record->Controls) {
    if (control->Id == id && !control->Handle->Destroyed) return control->Handle;
  }
  return nullptr;
}

uint16_t GetControlId(Window* control) {
  ControlRecord* record = ControlOf(control);
  return record ? record->Id : NoControlId;
}

void GetDialogBaseUnits(Window* dialog, int32_t* x, int32_t* y) {
  DialogRecord* record = DialogOf(dialog);
  *x = record ? record->BaseX : 0;
  *y = record ? record->BaseY : 0;
}

void ShellInitDialog(Window* dialog, unsigned flags) {
  DialogRecord* record = DialogOf(dialog);
  if (!record || !(flags & DialogFullScreen)) return;
  // On a desktop "the full screen" is the owner's area: the dialog covers it.
  QWidget* owner = record->Widget->parentWidget();
  if (owner) {
    record->Widget->setGeometry(owner->window()->geometry());
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    record->Widget->setGeometry(screen->availableGeometry());
  }
}

// --- controls ---

namespace {

QListWidget* ListOf(Window* window) {
  ControlRecord* control = ControlOf(window);
  return control && control->Kind == ControlKindListBox ? qobject_cast<QListWidget*>(OwnerWidget(window)) : nullptr;
}

QString ItemText(QListWidgetItem* item) {
  return item ? item->data(Qt::UserRole).toString() : QString();
}

int32_t CopyOut(const QString& text, char16_t* buffer, int32_t capacity) {
  if (!buffer || capacity <= 0) return 0;
  const int32_t n = std::min<int32_t>(static_cast<int32_t>(text.size()), capacity - 1);
  for (int32_t i = 0; i < n; ++i) buffer[i] = text.at(i).unicode();
  buffer[n] = 0;
  return n;
}

}  // namespace

int32_t ListAddItem(Window* window, const char16_t* text) {
  QListWidget* list = ListOf(window);
  if (!list || !text) return -1;
  const QString value = FromU16(text);
  int at = list->count();
  if (ControlOf(window)->Style & ControlSorted) {
    at = 0;
    while (at < list->count() && ItemText(list->item(at)).compare(value, Qt::CaseInsensitive) <= 0) ++at;
  }
  auto* item = new QListWidgetItem(Shown(value));
  item->setData(Qt::UserRole, value);
  const QSignalBlocker quiet(list);
  list->insertItem(at, item);
  return at;
}

void ListReset(Window* window) {
  if (QListWidget* list = ListOf(window)) {
    const QSignalBlocker quiet(list);
    list->clear();
    list->setCurrentRow(-1);
  }
}

int32_t ListSelectPrefix(Window* window, const char16_t* prefix) {
  QListWidget* list = ListOf(window);
  if (!list) return -1;
  const QString key = FromU16(prefix);
  for (int i = 0; i < list->count(); ++i) {
    if (ItemText(list->item(i)).startsWith(key, Qt::CaseInsensitive)) {
      const QSignalBlocker quiet(list);
      list->setCurrentRow(i);
      list->scrollToItem(list->item(i), QAbstractItemView::PositionAtCenter);
      return i;
    }
  }
  return -1;
}

int32_t ListSelection(Window* window) {
  QListWidget* list = ListOf(window);
  if (!list) return -1;
  const int row = list->currentRow();
  return row >= 0 && list->item(row)->isSelected() ? row : -1;
}

int32_t ListItemCount(Window* window) {
  QListWidget* list = ListOf(window);
  return list ? list->count() : 0;
}

int32_t ListItemText(Window* window, int32_t index, char16_t* buffer, int32_t capacity) {
  QListWidget* list = ListOf(window);
  if (!list || index < 0 || index >= list->count()) {
    if (buffer && capacity > 0) buffer[0] = 0;
    return -1;
  }
  return CopyOut(ItemText(list->item(index)), buffer, capacity);
}

bool IsButtonChecked(Window* window) {
  auto* radio = ControlOf(window) ? qobject_cast<QRadioButton*>(OwnerWidget(window)) : nullptr;
  return radio && radio->isChecked();
}

void SetButtonChecked(Window* window, bool checked) {
  auto* radio = ControlOf(window) ? qobject_cast<QRadioButton*>(OwnerWidget(window)) : nullptr;
  if (!radio) return;
  // Only this button changes: an exclusive group would refuse an uncheck or
  // uncheck the others itself.
  radio->setAutoExclusive(false);
  radio->setChecked(checked);
  radio->setAutoExclusive(true);
}

void SetControlText(Window* window, const char16_t* text) {
  ControlRecord* control = ControlOf(window);
  QWidget* widget = OwnerWidget(window);
  if (!control || !widget) return;
  const QString value = FromU16(text);
  control->Text = value;
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
    edit->setPlainText(Shown(value));
    AlignEdit(edit, control->Style);
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setText(Shown(value));
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(Shown(value));
  } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
    radio->setText(Shown(value));
  } else {
    widget->update();
  }
}

int32_t ReadControlText(Window* window, char16_t* buffer, int32_t capacity) {
  ControlRecord* control = ControlOf(window);
  QWidget* widget = OwnerWidget(window);
  QString value;
  if (control && widget) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
      value = Unshown(edit->toPlainText());
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      value = Unshown(line->text());
    } else {
      value = control->Text;
    }
  }
  return CopyOut(value, buffer, capacity);
}

void SetControlFont(Window* window, Font* font, int redraw) {
  ControlRecord* control = ControlOf(window);
  QWidget* widget = OwnerWidget(window);
  if (!control || !widget) return;
  control->UsedFont = font;
  widget->setFont(font ? QtFontOf(font) : control->Dialog->DialogFont);
  if (redraw) widget->update();
}

bool ReadControlFont(Window* window, FontDescription* description) {
  ControlRecord* control = ControlOf(window);
  if (!control || !description) return false;
  const QFont font = control->UsedFont ? QtFontOf(control->UsedFont) : control->Dialog->DialogFont;
  *description = FontDescription{};
  const QString family = font.family();
  for (int i = 0; i < family.size() && i < 31; ++i) description->Face[i] = family.at(i).unicode();
  description->Height = font.pixelSize() > 0 ? -font.pixelSize() : 0;
  description->Weight = static_cast<int32_t>(font.weight());
  description->Look = font.underline() ? FontUnderlined : FontPlain;
  return true;
}

void FocusControl(Window* window) {
  if (!ControlOf(window)) return;
  if (QWidget* widget = OwnerWidget(window)) widget->setFocus(Qt::OtherFocusReason);
}

Surface* GetControlSurface(Window* window) {
  ControlRecord* control = ControlOf(window);
  if (!control) return nullptr;
  auto* image = new QImage(1, 1, QImage::Format_RGB32);
  Surface* surface = CreateImageSurface(image, nullptr);
  UseObject(surface, control->UsedFont ? control->UsedFont : control->Dialog->DialogFontHandle);
  ControlSurfaces().insert(surface, image);
  return surface;
}

void ReleaseControlSurface(Window*, Surface* surface) {
  if (!surface || !ControlSurfaces().contains(surface)) return;
  QImage* image = ControlSurfaces().take(surface);
  FreeImageSurface(surface);
  delete image;
}
