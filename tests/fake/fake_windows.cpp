#include "fake/fake_windows.h"

#include <cstdarg>
#include <cstdio>

#include "fake/fake_drawing.h"
#include "platform/drawing.h"
#include "resources/resources.h"

FakeWindowsState FakeWindows;

namespace {

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::string Name(Window* window) {
  if (!window) return "none";
  switch (window->Kind) {
    case FakeScrollBarWindow: return "scrollbar";
    case FakeBarWindow: return "bar";
    default: return Narrow(window->ClassName.empty() ? u"window" : window->ClassName);
  }
}

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  FakeWindows.Log.push_back(line);
}

bool Live(Window* window) {
  return window && !window->Destroyed;
}

Window* NewWindow(FakeWindowKind kind) {
  Window* window = new Window{};
  window->Kind = kind;
  FakeWindows.Windows.push_back(window);
  return window;
}

const void* FindTyped(uint16_t type, uint16_t id) {
  for (const ResourceEntry* entry = ProgramResources; entry->Type; ++entry) {
    if (entry->Type == type && entry->Id == id) return entry->Data;
  }
  return nullptr;
}

Menu* NewMenu(const SubmenuResource* submenus, int count) {
  Menu* menu = new Menu{};
  for (int s = 0; s < count; ++s) {
    for (int i = 0; i < submenus[s].Count; ++i) {
      if (submenus[s].Items[i].Id) menu->Ids.push_back(submenus[s].Items[i].Id);
    }
  }
  FakeWindows.Menus.push_back(menu);
  return menu;
}

bool HasItem(Menu* menu, uint16_t id) {
  if (!menu) return false;
  for (uint16_t item : menu->Ids) {
    if (item == id) return true;
  }
  return false;
}

intptr_t Deliver(Window* window, uint32_t kind, uint32_t word, intptr_t extra, Window* control) {
  if (!Live(window)) return 0;
  const Message message{window, kind, word, extra, control};
  if (!window->Handler) {
    window->Received.push_back(message);
    return 0;
  }
  return window->Handler(&message);
}

}  // namespace

void FakeQueue(uint32_t kind, uint32_t word, intptr_t extra, Window* control, Window* target) {
  FakeWindows.Script.push_back({Message{target, kind, word, extra, control}, nullptr});
}

void FakeQueueAction(std::function<void()> action) {
  FakeWindows.Script.push_back({Message{}, std::move(action)});
}

Window* FakeAddForeignWindow(const std::u16string& className, const std::u16string& title,
                             Window* parent) {
  Window* window = NewWindow(FakeForeignWindow);
  window->ClassName = className;
  window->Title = title;
  window->Parent = parent;
  window->Visible = true;
  return window;
}

Window* FakeMainWindow() {
  for (Window* window : FakeWindows.Windows) {
    if (window->Kind == FakeTopWindow && !window->Destroyed && window->ClassName == u"Darvo") {
      return window;
    }
  }
  return nullptr;
}

std::vector<Window*> FakeWindowsOf(FakeWindowKind kind) {
  std::vector<Window*> out;
  for (Window* window : FakeWindows.Windows) {
    if (window->Kind == kind && !window->Destroyed) out.push_back(window);
  }
  return out;
}

std::vector<std::string> FakeLogLines(const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& line : FakeWindows.Log) {
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  }
  return out;
}

void FakeResizeClient(Window* window, int width, int height) {
  if (!Live(window)) return;
  window->Place.Right = window->Place.Left + width;
  window->Place.Bottom = window->Place.Top + height;
  window->ClientWidth = width;
  window->ClientHeight = height;
  window->NeedsPaint = true;
  Deliver(window, MsgSize, 0, static_cast<intptr_t>((width & 0xFFFF) | ((height & 0xFFFF) << 16)),
          nullptr);
}

void FakeResetWindows() {
  for (Window* window : FakeWindows.Windows) {
    if (window->SharedSurface) FakeFreeSurface(window->SharedSurface);
    delete window;
  }
  for (Menu* menu : FakeWindows.Menus) delete menu;
  FakeWindows = {};
  FakeWindows.ClientWidth = 240;
  FakeWindows.ClientHeight = 294;
  FakeWindows.ScreenWidth = 240;
  FakeWindows.ScreenHeight = 320;
  FakeWindows.ScrollBarHeight = 100;
  FakeWindows.VersionMajor = 4;
  FakeWindows.VersionMinor = 20;
  FakeWindows.MenuBarHeight = 26;
  FakeWindows.CommandBarHeight = 26;
}

// Windows and messages.

bool RegisterWindowClass(Instance*, const char16_t* className, WindowHandler handler, uint16_t iconId) {
  Log("RegisterWindowClass %s icon %u", Narrow(className).c_str(), iconId);
  FakeWindows.Classes[className] = handler;
  FakeWindows.ClassIcons[className] = iconId;
  return handler != nullptr;
}

Window* CreateTopWindow(Instance*, const char16_t* className, const char16_t* title) {
  Log("CreateTopWindow %s \"%s\"", Narrow(className).c_str(), Narrow(title).c_str());
  auto found = FakeWindows.Classes.find(className);
  if (found == FakeWindows.Classes.end() || FakeWindows.FailTopWindow) return nullptr;
  Window* window = NewWindow(FakeTopWindow);
  window->ClassName = className;
  window->Title = title;
  window->Handler = found->second;
  window->ClientWidth = FakeWindows.ClientWidth;
  window->ClientHeight = FakeWindows.ClientHeight;
  window->Place = {0, 0, FakeWindows.ClientWidth, FakeWindows.ClientHeight};
  window->NeedsPaint = true;
  if (Deliver(window, MsgCreate, 0, 0, nullptr) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  Deliver(window, MsgSize, 0,
          static_cast<intptr_t>((window->ClientWidth & 0xFFFF) | ((window->ClientHeight & 0xFFFF) << 16)),
          nullptr);
  return window;
}

void DestroyWindow(Window* window) {
  if (!Live(window)) return;
  Log("DestroyWindow %s", Name(window).c_str());
  Deliver(window, MsgDestroy, 0, 0, nullptr);
  for (Window* child : FakeWindows.Windows) {
    if (child->Parent == window && !child->Destroyed) DestroyWindow(child);
  }
  window->Destroyed = true;
  if (FakeWindows.Foreground == window) FakeWindows.Foreground = nullptr;
}

void ShowWindow(Window* window, int showMode) {
  Log("ShowWindow %s %d", Name(window).c_str(), showMode);
  if (!Live(window)) return;
  window->Visible = showMode != ShowHidden;
}

bool IsWindowVisible(Window* window) {
  return Live(window) && window->Visible;
}

void UpdateWindow(Window* window) {
  Log("UpdateWindow %s", Name(window).c_str());
  if (!Live(window) || !window->Visible || !window->NeedsPaint) return;
  window->NeedsPaint = false;
  ++FakeWindows.PaintsSent;
  Deliver(window, MsgPaint, 0, 0, nullptr);
}

Rect GetWindowRect(Window* window) {
  return Live(window) ? window->Place : Rect{0, 0, 0, 0};
}

Rect GetClientRect(Window* window) {
  if (!Live(window)) return {0, 0, 0, 0};
  if (window->Kind == FakeTopWindow) return {0, 0, window->ClientWidth, window->ClientHeight};
  return {0, 0, window->Place.Right - window->Place.Left, window->Place.Bottom - window->Place.Top};
}

void MoveWindow(Window* window, int x, int y, int width, int height, int redraw) {
  Log("MoveWindow %s %d,%d,%d,%d %s", Name(window).c_str(), x, y, width, height,
      redraw ? "redraw" : "noredraw");
  if (!Live(window)) return;
  window->Place = {x, y, x + width, y + height};
  if (window->Kind == FakeTopWindow &&
      (width != window->ClientWidth || height != window->ClientHeight)) {
    FakeResizeClient(window, width, height);
  }
}

Window* GetParentWindow(Window* window) {
  return Live(window) ? window->Parent : nullptr;
}

intptr_t SendMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra) {
  Log("SendMessage %s %u %u", Name(window).c_str(), kind, word);
  return Deliver(window, kind, word, extra, nullptr);
}

void PostMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra) {
  Log("PostMessage %s %u %u", Name(window).c_str(), kind, word);
  FakeWindows.Posted.push_back(Message{window, kind, word, extra, nullptr});
}

void PostQuit(int exitCode) {
  Log("PostQuit %d", exitCode);
  FakeWindows.QuitPosted = true;
  FakeWindows.ExitCode = exitCode;
}

int GetMessage(Message* message) {
  for (;;) {
    if (!FakeWindows.Posted.empty()) {
      *message = FakeWindows.Posted.front();
      FakeWindows.Posted.pop_front();
      return 1;
    }
    if (FakeWindows.QuitPosted) {
      FakeWindows.QuitPosted = false;
      *message = Message{nullptr, 0, static_cast<uint32_t>(FakeWindows.ExitCode), 0, nullptr};
      return 0;
    }
    if (FakeWindows.Script.empty()) {
      *message = Message{};
      return -1;
    }
    FakeStep step = std::move(FakeWindows.Script.front());
    FakeWindows.Script.pop_front();
    if (step.Action) {
      step.Action();
      continue;
    }
    *message = step.Msg;
    if (!message->Target) message->Target = FakeMainWindow();
    return 1;
  }
}

void TranslateMessage(const Message*) {}

intptr_t DispatchMessage(const Message* message) {
  if (!Live(message->Target)) return 0;
  return Deliver(message->Target, message->Kind, message->Word, message->Long, message->Control);
}

intptr_t DefaultHandling(const Message* message) {
  Log("DefaultHandling %u %u", message->Kind, message->Word);
  if (message->Kind == MsgClose) DestroyWindow(message->Target);
  return 0;
}

Accelerators* LoadAccelerators(Instance*, uint16_t id) {
  Log("LoadAccelerators %u", id);
  return nullptr;
}

bool TranslateAccelerators(Window*, Accelerators* table, const Message*) {
  (void)table;
  return false;  // the program has no accelerator table
}

Surface* GetWindowSurface(Window* window) {
  Log("GetWindowSurface %s", Name(window).c_str());
  if (!Live(window)) return nullptr;
  if (!window->SharedSurface) window->SharedSurface = FakeCreateSurface();
  return window->SharedSurface;
}

void ReleaseWindowSurface(Window* window, Surface*) {
  Log("ReleaseWindowSurface %s", Name(window).c_str());
}

Surface* BeginRepaint(Window* window) {
  Log("BeginRepaint %s", Name(window).c_str());
  if (!Live(window)) return nullptr;
  window->NeedsPaint = false;
  return FakeCreateSurface();
}

void EndRepaint(Window* window, Surface* surface) {
  Log("EndRepaint %s", Name(window).c_str());
  FakeFreeSurface(surface);
}

Window* FindTopWindow(const char16_t* className, const char16_t* title) {
  Log("FindTopWindow %s \"%s\"", Narrow(className).c_str(), Narrow(title).c_str());
  for (Window* window : FakeWindows.Windows) {
    if (!Live(window) || window->Parent ||
        (window->Kind != FakeTopWindow && window->Kind != FakeForeignWindow)) {
      continue;
    }
    if (window->ClassName == className && window->Title == title) return window;
  }
  return nullptr;
}

Window* GetForegroundWindow() {
  return Live(FakeWindows.Foreground) ? FakeWindows.Foreground : nullptr;
}

void BringToForeground(Window* window) {
  Log("BringToForeground %s", Name(window).c_str());
  if (Live(window)) FakeWindows.Foreground = window;
}

// Menus and the bar.

Window* CreateMenuBar(Window* owner, Instance*, uint16_t barId) {
  Log("CreateMenuBar %u", barId);
  const auto* bar = static_cast<const BarResource*>(FindTyped(ResourceBar, barId));
  const auto* menu = bar ? static_cast<const MenuResource*>(FindTyped(ResourceMenu, bar->MenuId)) : nullptr;
  if (FakeWindows.FailMenuBar || !Live(owner) || !menu) return nullptr;
  Window* window = NewWindow(FakeBarWindow);
  window->Parent = owner;
  window->AtBottom = true;
  window->Height = FakeWindows.MenuBarHeight;
  window->Place = {0, owner->ClientHeight - window->Height, owner->ClientWidth, owner->ClientHeight};
  for (int i = 0; i < bar->Count; ++i) {
    const int sub = bar->Buttons[i].Submenu;
    window->Menus.push_back(sub < menu->Count ? NewMenu(&menu->Submenus[sub], 1) : nullptr);
    window->MenuButtonIds.push_back(bar->Buttons[i].Id);
  }
  return window;
}

Window* CreateCommandBar(Window* owner, Instance*, int barId) {
  Log("CreateCommandBar %d", barId);
  if (FakeWindows.FailCommandBar || !Live(owner)) return nullptr;
  Window* window = NewWindow(FakeBarWindow);
  window->Parent = owner;
  window->Height = FakeWindows.CommandBarHeight;
  window->Place = {0, 0, owner->ClientWidth, window->Height};
  return window;
}

int BarHeight(Window* bar) {
  return Live(bar) ? bar->Height : 0;
}

bool InsertBarMenu(Window* bar, Instance*, uint16_t menuId, int position) {
  Log("InsertBarMenu %u at %d", menuId, position);
  const auto* menu = static_cast<const MenuResource*>(FindTyped(ResourceMenu, menuId));
  if (!Live(bar) || !menu) return false;
  bar->Menus.push_back(NewMenu(menu->Submenus, menu->Count));
  return true;
}

void SetBarTooltips(Window* bar, const char16_t* const* texts, int count) {
  Log("SetBarTooltips %d", count);
  if (!Live(bar)) return;
  bar->Tooltips.clear();
  for (int i = 0; i < count; ++i) bar->Tooltips.push_back(texts[i] ? texts[i] : u"");
}

void AddBarBitmap(Window* bar, Instance*, uint16_t bitmapId, int count) {
  Log("AddBarBitmap %u x %d", bitmapId, count);
  if (!Live(bar)) return;
  bar->BitmapId = bitmapId;
  bar->BitmapCount = count;
}

void AddBarButtons(Window* bar, const BarButton* buttons, int count) {
  Log("AddBarButtons %d", count);
  if (!Live(bar)) return;
  bar->Buttons.assign(buttons, buttons + count);
}

void AddBarCloseButton(Window* bar) {
  Log("AddBarCloseButton");
  if (Live(bar)) bar->CloseButton = true;
}

void ShowBar(Window* bar) {
  Log("ShowBar");
  if (Live(bar)) bar->Shown = true;
}

Menu* BarButtonMenu(Window* bar, uint16_t buttonId) {
  if (!Live(bar)) return nullptr;
  for (size_t i = 0; i < bar->MenuButtonIds.size(); ++i) {
    if (bar->MenuButtonIds[i] == buttonId) return bar->Menus[i];
  }
  return nullptr;
}

Menu* CommandBarMenu(Window* bar) {
  return Live(bar) && bar->MenuButtonIds.empty() && !bar->Menus.empty() ? bar->Menus[0] : nullptr;
}

bool IsMenuItemChecked(Menu* menu, uint16_t id) {
  return HasItem(menu, id) && menu->Checked[id];
}

void SetMenuItemChecked(Menu* menu, uint16_t id, int checked) {
  Log("SetMenuItemChecked %u %d", id, checked ? 1 : 0);
  if (HasItem(menu, id)) menu->Checked[id] = checked != 0;
}

void SetMenuRadio(Menu* menu, uint16_t first, uint16_t last, uint16_t id) {
  Log("SetMenuRadio %u..%u %u", first, last, id);
  if (!menu || !HasItem(menu, id)) return;
  for (uint16_t item : menu->Ids) {
    if (item >= first && item <= last) menu->Checked[item] = item == id;
  }
}

// Scroll bars.

Window* CreateScrollBar(Window* parent, int x, int y) {
  Log("CreateScrollBar %d,%d", x, y);
  if (!Live(parent)) return nullptr;
  Window* window = NewWindow(FakeScrollBarWindow);
  window->Parent = parent;
  window->Visible = true;
  window->Place = {x, y, x + PlatformMetric(MetricScrollBarWidth), y + FakeWindows.ScrollBarHeight};
  return window;
}

void SetScrollBar(Window* bar, int minimum, int maximum, int position) {
  Log("SetScrollBar %d..%d %d", minimum, maximum, position);
  if (!Live(bar)) return;
  bar->ScrollMin = minimum;
  bar->ScrollMax = maximum;
  bar->ScrollPos = position;
  ++bar->ScrollSets;
}

// Handheld shell.

void GetPlatformVersion(int* major, int* minor) {
  *major = FakeWindows.VersionMajor;
  *minor = FakeWindows.VersionMinor;
}

void InitCommonControls() {
  Log("InitCommonControls");
}

void ShellFullScreen(Window* window, unsigned flags) {
  Log("ShellFullScreen %s 0x%X", Name(window).c_str(), flags);
}

void ShellInitDialog(Window* dialog, unsigned flags) {
  Log("ShellInitDialog %s 0x%X", Name(dialog).c_str(), flags);
}

void ShellSettingChange(Window* window, const Message* message) {
  Log("ShellSettingChange %s %u", Name(window).c_str(), message ? message->Word : 0);
}

void ShowInputPanelButton(int shown) {
  Log("ShowInputPanelButton %d", shown);
}

void SetInputPanelUp(int up) {
  Log("SetInputPanelUp %d", up);
}
