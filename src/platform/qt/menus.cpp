// The Qt platform's bar: one strip of tool buttons, two with drop-down menus
// and six with images, at the top (command bar) or the bottom (menu bar) of
// its window, always as wide as the window.
//   [X] drop-down menus from menu resources, key hints right-aligned
//   [X] check marks and the radio group (kept by the program, not by Qt)
//   [X] toolbar images from a bitmap strip, tooltips
//   [X] close button on a command bar
//   [ ] input-panel button (no desktop counterpart)
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <vector>

#include "platform/menus.h"
#include "platform/qt/qt_util.h"
#include "platform/qt/window_widget.h"
#include "resources/resources.h"

struct Menu {
  std::vector<QMenu*> Menus;  // a command bar's menu holds all its drop-downs
};

namespace {

const void* FindTyped(uint16_t type, uint16_t id) {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type == type && entry->Id == id) return entry->Data;
  }
  return nullptr;
}

// The strip itself: follows its window's width and keeps to its edge.
class BarWidget : public QWidget {
 public:
  BarWidget(QWidget* owner, bool atBottom) : QWidget(owner), atBottom_(atBottom) {
    setAutoFillBackground(true);
    layout_ = new QHBoxLayout(this);
    layout_->setContentsMargins(1, 1, 1, 1);
    layout_->setSpacing(0);
    layout_->addStretch(1);
    // One height for the life of the bar: the program keeps the panes clear of it.
    QToolButton probe;
    probe.setAutoRaise(true);
    probe.setText(QStringLiteral("Go"));
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    probe.setIcon(QIcon(blank));
    probe.setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setFixedHeight(probe.sizeHint().height() + 2);
    owner->installEventFilter(this);
  }
  ~BarWidget() override {
    for (Menu* menu : menus_) delete menu;
    delete all_;
  }

  void Place() {
    QWidget* owner = parentWidget();
    setGeometry(0, atBottom_ ? owner->height() - height() : 0, owner->width(), height());
  }

  // Adds a button before the stretch (or after it, for the close button).
  void AddButton(QToolButton* button, bool atEnd = false) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    if (atEnd) {
      layout_->addWidget(button);
    } else {
      layout_->insertWidget(layout_->count() - 1, button);
    }
    Place();
  }

  QMenu* MakeMenu(const SubmenuResource& submenu) {
    auto* menu = new QMenu(this);
    for (int i = 0; i < submenu.Count; ++i) {
      const MenuItemResource& item = submenu.Items[i];
      if (!item.Id) {
        menu->addSeparator();
        continue;
      }
      QString text = FromU16(item.Text);
      text.replace(QChar(0x08), QChar('\t'));  // the key hint, right-aligned
      QAction* action = menu->addAction(text);
      action->setData(item.Id);
      QObject::connect(action, &QAction::triggered, action, [this, action](bool checked) {
        // Check marks follow the program only: undo Qt's own toggle.
        if (action->isCheckable()) action->setChecked(!checked);
        if (Window* owner = WindowOfWidget(parentWidget())) {
          PostMessage(owner, MsgCommand, action->data().toUInt(), 0);
        }
      });
    }
    return menu;
  }

  void AddDropDown(const QString& label, QMenu* menu, uint16_t buttonId) {
    auto* button = new QToolButton(this);
    button->setText(label);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QString shown = label;
    shown.remove(QLatin1Char('&'));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(shown) + 12);
    // The menu opens below the button, or above it at the bottom of the window
    // (no drop-down arrow: the labels are all the bar has room for).
    QObject::connect(button, &QToolButton::clicked, menu, [this, button, menu]() {
      const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
      const QPoint above = button->mapToGlobal(QPoint(0, -menu->sizeHint().height()));
      button->setDown(true);
      menu->exec(atBottom_ ? above : below);
      button->setDown(false);
    });
    AddButton(button);
    buttonMenus_.push_back({buttonId, menu});
    menus_.push_back(new Menu{{menu}});
  }

  Menu* ButtonMenu(uint16_t buttonId) {
    for (size_t i = 0; i < buttonMenus_.size(); ++i) {
      if (buttonMenus_[i].first == buttonId) return menus_[i];
    }
    return nullptr;
  }

  Menu* AllMenus() {
    if (buttonMenus_.empty()) return nullptr;
    if (!all_) {
      all_ = new Menu{};
      for (auto& entry : buttonMenus_) all_->Menus.push_back(entry.second);
    }
    return all_;
  }

  std::vector<QIcon> Images;
  std::vector<QString> Tooltips;
  bool HasBarMenu = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parentWidget() && event->type() == QEvent::Resize) Place();
    return false;
  }

 private:
  bool atBottom_;
  QHBoxLayout* layout_;
  std::vector<std::pair<uint16_t, QMenu*>> buttonMenus_;
  std::vector<Menu*> menus_;  // one per drop-down button
  Menu* all_ = nullptr;
};

BarWidget* BarOf(Window* bar) {
  return bar && bar->Kind == WindowKind::Bar ? static_cast<BarWidget*>(OwnerWidget(bar)) : nullptr;
}

QAction* FindItem(Menu* menu, uint16_t id) {
  if (!menu) return nullptr;
  for (QMenu* qmenu : menu->Menus) {
    for (QAction* action : qmenu->actions()) {
      if (!action->isSeparator() && action->data().toUInt() == id) return action;
    }
  }
  return nullptr;
}

QString StringResource(uint16_t id) {
  const auto* text = static_cast<const char16_t*>(FindTyped(ResourceString, id));
  return FromU16(text);
}

}  // namespace

Window* CreateMenuBar(Window* owner, Instance*, uint16_t barId) {
  QWidget* ownerWidget = OwnerWidget(owner);
  const auto* bar = static_cast<const BarResource*>(FindTyped(ResourceBar, barId));
  const auto* menu = bar ? static_cast<const MenuResource*>(FindTyped(ResourceMenu, bar->MenuId)) : nullptr;
  if (!ownerWidget || !menu) return nullptr;
  auto* widget = new BarWidget(ownerWidget, true);
  for (int i = 0; i < bar->Count; ++i) {
    const BarButtonResource& button = bar->Buttons[i];
    if (button.Submenu < 0 || button.Submenu >= menu->Count) continue;
    widget->AddDropDown(StringResource(button.StringId), widget->MakeMenu(menu->Submenus[button.Submenu]),
                        button.Id);
  }
  widget->Place();
  return AdoptWidget(widget, WindowKind::Bar, nullptr);
}

Window* CreateCommandBar(Window* owner, Instance*, int) {
  QWidget* ownerWidget = OwnerWidget(owner);
  if (!ownerWidget) return nullptr;
  auto* widget = new BarWidget(ownerWidget, false);
  widget->Place();
  return AdoptWidget(widget, WindowKind::Bar, nullptr);
}

int BarHeight(Window* bar) {
  BarWidget* widget = BarOf(bar);
  return widget ? widget->height() : 0;
}

bool InsertBarMenu(Window* bar, Instance*, uint16_t menuId, int) {
  BarWidget* widget = BarOf(bar);
  const auto* menu = static_cast<const MenuResource*>(FindTyped(ResourceMenu, menuId));
  if (!widget || !menu) return false;
  for (int i = 0; i < menu->Count; ++i) {
    QString title = FromU16(menu->Submenus[i].Title);
    widget->AddDropDown(title, widget->MakeMenu(menu->Submenus[i]), 0);
  }
  widget->HasBarMenu = true;
  return true;
}

void SetBarTooltips(Window* bar, const char16_t* const* texts, int count) {
  BarWidget* widget = BarOf(bar);
  if (!widget) return;
  widget->Tooltips.clear();
  for (int i = 1; i < count; ++i) widget->Tooltips.push_back(FromU16(texts[i]));
}

void AddBarBitmap(Window* bar, Instance*, uint16_t bitmapId, int count) {
  BarWidget* widget = BarOf(bar);
  const auto* picture = static_cast<const BitmapResource*>(FindTyped(ResourceBitmap, bitmapId));
  if (!widget || !picture || !picture->Xpm) return;
  const QImage strip(picture->Xpm);
  for (int i = 0; i < count; ++i) {
    widget->Images.push_back(QIcon(QPixmap::fromImage(strip.copy(i * 16, 0, 16, 16))));
  }
}

void AddBarButtons(Window* bar, const BarButton* buttons, int count) {
  BarWidget* widget = BarOf(bar);
  if (!widget) return;
  for (int i = 0; i < count; ++i) {
    auto* button = new QToolButton(widget);
    const size_t image = static_cast<size_t>(buttons[i].Image);
    if (image < widget->Images.size()) button->setIcon(widget->Images[image]);
    button->setIconSize(QSize(16, 16));
    // Tight image buttons: the two menus and six buttons fit a 240-pixel window.
    button->setFixedWidth(16 + 4);
    if (static_cast<size_t>(i) < widget->Tooltips.size()) button->setToolTip(widget->Tooltips[i]);
    const uint16_t command = buttons[i].Command;
    QObject::connect(button, &QToolButton::clicked, widget, [widget, command]() {
      if (Window* owner = WindowOfWidget(widget->parentWidget())) PostMessage(owner, MsgCommand, command, 0);
    });
    widget->AddButton(button);
  }
}

void AddBarCloseButton(Window* bar) {
  BarWidget* widget = BarOf(bar);
  if (!widget) return;
  auto* button = new QToolButton(widget);
  button->setIcon(widget->style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  button->setToolTip(QStringLiteral("Close"));
  QObject::connect(button, &QToolButton::clicked, widget, [widget]() {
    if (Window* owner = WindowOfWidget(widget->parentWidget())) PostMessage(owner, MsgClose, 0, 0);
  });
  widget->AddButton(button, true);
}

void ShowBar(Window* bar) {
  if (BarWidget* widget = BarOf(bar)) {
    widget->Place();
    widget->show();
  }
}

Menu* BarButtonMenu(Window* bar, uint16_t buttonId) {
  BarWidget* widget = BarOf(bar);
  return widget ? widget->ButtonMenu(buttonId) : nullptr;
}

Menu* CommandBarMenu(Window* bar) {
  BarWidget* widget = BarOf(bar);
  return widget && widget->HasBarMenu ? widget->AllMenus() : nullptr;
}

bool IsMenuItemChecked(Menu* menu, uint16_t id) {
  QAction* action = FindItem(menu, id);
  return action && action->isChecked();
}

// Only a checked item is checkable, so unchecked items show no empty box.
static void ShowCheck(QAction* action, bool checked) {
  action->setCheckable(checked);
  action->setChecked(checked);
}

void SetMenuItemChecked(Menu* menu, uint16_t id, int checked) {
  if (QAction* action = FindItem(menu, id)) ShowCheck(action, checked != 0);
}

void SetMenuRadio(Menu* menu, uint16_t first, uint16_t last, uint16_t id) {
  if (!FindItem(menu, id)) return;
  for (QMenu* qmenu : menu->Menus) {
    for (QAction* action : qmenu->actions()) {
      const uint32_t item = action->data().toUInt();
      if (!action->isSeparator() && item >= first && item <= last) ShowCheck(action, item == id);
    }
  }
}
