#include "shell/program_main.h"

#include "dialogs/font_chooser.h"
#include "platform/drawing.h"
#include "platform/handheld.h"
#include "platform/windows.h"
#include "settings/bookmarks.h"
#include "settings/settings_store.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/pane_layout.h"
#include "textpane/text_pane.h"

namespace {

// The class and title by which a second start finds the running copy.
constexpr char16_t MainClassName[] = u"Darvo";
constexpr uint16_t IndexCommand = 119;
constexpr uint16_t ProgramIcon = 101;
constexpr uint16_t AcceleratorTable = 3;

// Full-screen mode puts a window at the top of the screen, sized by its
// rectangle's right and bottom edges.
void MoveToScreenTop(Window* window) {
  const Rect place = GetWindowRect(window);
  MoveWindow(window, place.Left, 0, place.Right, place.Bottom, MoveWithoutRedraw);
}

// A running copy takes over: its index opens when its main window is in
// front, it comes forward when another program is, and nothing happens while
// one of its own dialogs is in front.
bool HandOverToRunningCopy() {
  Window* running = FindTopWindow(MainClassName, MainClassName);
  if (!running) return false;
  Window* front = GetForegroundWindow();
  if (front == running) SendMessage(running, MsgCommand, IndexCommand, 0);
  Window* top = front;
  while (top && GetParentWindow(top)) top = GetParentWindow(top);
  if (top != running) BringToForeground(running);
  return true;
}

}  // namespace

int ProgramMain(Instance* instance, const char16_t*, int showMode) {
  ResetAppState();
  App.instance = instance;
  App.IgnoreActivate = ReadNumberSetting(GlobalKey, u"IgnoreActivate", 0);
  App.FullScreen = ReadNumberSetting(GlobalKey, u"FullScreen", 0);
  App.AllowSipInHebrewSearch = ReadNumberSetting(GlobalKey, u"AllowSipInHebrewSearch", 1);
  if (App.FullScreen) App.TaskBar = FindTopWindow(u"HHTaskBar", u"");
  App.TaskBarWasVisible = App.TaskBar && IsWindowVisible(App.TaskBar);
  App.MenuBarOnBottom = ReadNumberSetting(GlobalKey, u"MenuBarOnBottom", 0);
  App.SurroundingGutter = ReadNumberSetting(GlobalKey, u"SurroundingGutter", 0);
  App.Gutter = App.SurroundingGutter;
  // The command line is not interpreted.

  if (!StartInstance(showMode)) return 0;

  Accelerators* accelerators = LoadAccelerators(instance, AcceleratorTable);
  Message message{};
  int fetched;
  while ((fetched = GetMessage(&message)) > 0) {
    if (TranslateAccelerators(App.MainWindow, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  if (App.TaskBar && App.TaskBarWasVisible) ShowWindow(App.TaskBar, ShowNormal);
  return fetched == 0 ? static_cast<int>(message.Word) : 0;
}

Window* StartInstance(int showMode) {
  if (HandOverToRunningCopy()) return nullptr;
  InitCommonControls();
  if (App.TaskBar) ShowWindow(App.TaskBar, ShowHidden);
  LoadSettings();
  SetCurrentLesson(0);
  RegisterMainClass(App.instance, MainClassName);
  Window* window = CreateTopWindow(App.instance, MainClassName, MainClassName);
  if (!window) {
    // Nothing is saved; what the settings load took is given back.
    for (Bitmap*& bitmap : App.IndexBitmaps) {
      FreeBitmap(bitmap);
      bitmap = nullptr;
    }
    FreeBookmarks();
    return nullptr;
  }
  App.MainWindow = window;
  if (App.FullScreen) {
    // The rectangle is read before the full-screen call changes it.
    const Rect place = GetWindowRect(window);
    ShellFullScreen(window, ShellHideTaskBar | ShellHideInputButton | ShellHideStartIcon);
    MoveWindow(window, place.Left, 0, place.Right, place.Bottom, MoveWithoutRedraw);
  }
  ShowWindow(window, showMode);
  UpdateWindow(window);
  if (App.font.Face[0] == 0) {
    // The very first start: whatever is chosen, the panes take the font.
    RunFontChooser(window, &App.font);
    SetPaneFont(App.TopPane, &App.font);
    SetPaneFont(App.BottomPane, &App.font);
    // The bottom pane was painted on white: the commentary's section is drawn again.
    PaintPanes(window, PaintTop | PaintBottom | EraseTop);
  }
  return window;
}

bool RegisterMainClass(Instance* instance, const char16_t* className) {
  return RegisterWindowClass(instance, className, MainWindowHandler, ProgramIcon);
}

void SetCurrentLesson(uint16_t lesson) {
  if (lesson != 0) {
    if (lesson == App.Lesson) return;
    App.Lesson = lesson;
    App.LastPosition = 0;
    return;
  }
  if (App.Lesson != 0) return;
  App.Lesson = 1;
  App.LastPosition = 0;
}

void PrepareDialog(Window* dialog, unsigned shellFlags) {
  ShellInitDialog(dialog, App.FullScreen ? shellFlags : shellFlags | DialogDoneButton);
  if (App.FullScreen) MoveToScreenTop(dialog);
}
