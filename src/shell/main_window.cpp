#include "shell/main_window.h"

#include "platform/handheld.h"
#include "platform/menus.h"
#include "settings/bookmarks.h"
#include "settings/settings_store.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/pane_layout.h"
#include "textpane/text_pane.h"

namespace {

// The toolbar: images of bitmap 114 in order, and the commands they send.
const BarButton ToolbarButtons[] = {
    {0, 110}, {1, 119}, {2, 109}, {3, 40006}, {4, 116}, {5, 117},
};

// The bar's tooltip list: an unused first entry, then one per toolbar button.
const char16_t* const ToolbarTips[] = {
    u"", u"Previous Article", u"Choose Article", u"Next Article", u"Choose Font", u"Search", u"Search Again",
};

// Flags of the full-screen call made on every activation.
constexpr unsigned FullScreenActivation = ShellHideTaskBar | ShellHideInputButton | ShellHideStartIcon;

void HandleActivate(const Message* message) {
  if (message->Word == ActivateOff) return;
  ShellFullScreen(message->Target, App.FullScreen ? FullScreenActivation : ShellHideInputButton);
}

// Tears the window down: the panes' surface, the bar, then the settings
// (which also free the panes and end the message loop).
void HandleDestroy(Window* window) {
  if (App.TopPane) ReleaseWindowSurface(window, App.TopPane->Surface);
  DestroyWindow(App.MenuBarWindow);
  App.MenuBarWindow = nullptr;
  SaveSettings();
}

// A window-position notification closes the program only with a flag from
// 0x10000 upward together with the no-activate bit.
bool IsCloseByPosition(uint32_t flags) {
  return (flags & 0xFFFF0000u) != 0 && (flags & PositionNoActivate) != 0;
}

}  // namespace

Menu* MainMenu() {
  return App.MenuBarOnBottom ? BarButtonMenu(App.MenuBarWindow, GoButton) : CommandBarMenu(App.MenuBarWindow);
}

Menu* BottomSectionMenu() {
  return App.MenuBarOnBottom ? BarButtonMenu(App.MenuBarWindow, MarginelButton)
                             : CommandBarMenu(App.MenuBarWindow);
}

void BuildMenuBar() {
  int major = 0, minor = 0;
  GetPlatformVersion(&major, &minor);
  if ((major == 4 && minor >= 21) || major > 4) App.MenuBarOnBottom = 1;

  if (App.MenuBarOnBottom) {
    if (Window* bar = CreateMenuBar(App.MainWindow, App.instance, 102)) App.MenuBarWindow = bar;
    const Rect place = GetWindowRect(App.MenuBarWindow);
    App.MenuBarHeight = place.Bottom - place.Top;
  } else {
    App.MenuBarWindow = CreateCommandBar(App.MainWindow, App.instance, 1);
    App.MenuBarHeight = BarHeight(App.MenuBarWindow);
    InsertBarMenu(App.MenuBarWindow, App.instance, 102, 0);
  }
  SetBarTooltips(App.MenuBarWindow, ToolbarTips, 7);
  AddBarBitmap(App.MenuBarWindow, App.instance, 114, 6);
  AddBarButtons(App.MenuBarWindow, ToolbarButtons, 6);
  // With the task bar hidden the program must be closable from its own bar.
  if (App.FullScreen && !App.MenuBarOnBottom) AddBarCloseButton(App.MenuBarWindow);
  ShowBar(App.MenuBarWindow);
}

int SetMenuCheck(Menu* menu, uint16_t item, int mode, int wanted) {
  const int state = mode == MenuCheckToggle ? !IsMenuItemChecked(menu, item) : wanted != 0;
  SetMenuItemChecked(menu, item, state);
  return state;
}

void RefreshBookmarkCheck() {
  SetMenuCheck(MainMenu(), 123, MenuCheckSet, IsBookmarked());
}

void UpdateReverseItem(int mode) {
  if (mode == ReverseShow) {
    SetMenuCheck(MainMenu(), 122, MenuCheckSet, (App.Flags & FlagReverse) != 0);
    return;
  }
  if (SetMenuCheck(MainMenu(), 122, MenuCheckToggle, 0)) {
    App.Flags |= FlagReverse;
  } else {
    App.Flags &= ~static_cast<uint32_t>(FlagReverse);
  }
}

intptr_t MainWindowHandler(const Message* message) {
  Window* window = message->Target;
  switch (message->Kind) {
    case MsgCreate:
      App.MainWindow = window;
      BuildMenuBar();
      CreatePanes(window);
      UpdateReverseItem(ReverseShow);
      RefreshBookmarkCheck();
      return 0;  // creation succeeds also without panes
    case MsgDestroy:
      HandleDestroy(window);
      return 0;
    case MsgSize:
      ResizePanes(window, static_cast<uint32_t>(message->Long));
      return 0;
    case MsgActivate:
      if (App.IgnoreActivate) return DefaultHandling(message);
      HandleActivate(message);
      return 0;
    case MsgPaint:
      PaintWindow(nullptr, window, 511);
      return 0;
    case MsgSettingChange:
      ShellSettingChange(window, message);
      return 0;
    case MsgPositionChanged:
      if (IsCloseByPosition(message->Word)) DestroyWindow(window);
      return 0;
    case MsgHelp:
      RunCommand(window, 40004);  // the About box
      return 0;
    case MsgKeyDown:
      HandleKeyDown(window, message->Word);
      return 0;
    case MsgCommand:
      if (RunCommand(window, static_cast<uint16_t>(message->Word & 0xFFFF)) != 0) return DefaultHandling(message);
      return 0;
    case MsgVerticalScroll:
      HandleVerticalScroll(window, message);
      return 0;
    case MsgStylusDown: {
      const uint32_t at = static_cast<uint32_t>(message->Long);
      HandleTap(window, static_cast<int>(at & 0xFFFF), static_cast<int>(at >> 16));
      return 0;
    }
    case MsgCloseRequest:
      DestroyWindow(window);
      return 0;
    default:
      return DefaultHandling(message);
  }
}
