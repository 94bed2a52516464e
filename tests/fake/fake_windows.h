#pragma once

// The fake window system: windows, the message queue, menus and the bar,
// scroll bars and the handheld shell. Every call is written to Log in order
// (one line each, e.g. "ShellFullScreen 0x8"); the message loop takes its
// messages from Script, a scripted queue that may also run test code.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/handheld.h"
#include "platform/handles.h"
#include "platform/menus.h"
#include "platform/scroll_bar.h"
#include "platform/windows.h"

enum FakeWindowKind {
  FakeTopWindow,
  FakeScrollBarWindow,
  FakeBarWindow,
  FakeForeignWindow,
  FakeDialogWindow,   // a dialog run by RunDialog (tests/fake/fake_dialogs.h)
  FakeControlWindow,  // one of its controls
};

struct Menu {
  std::vector<uint16_t> Ids;          // items in order, separators left out
  std::map<uint16_t, bool> Checked;
  std::map<uint16_t, bool> RadioChecked;
};

struct Window {
  FakeWindowKind Kind;
  std::u16string ClassName;
  std::u16string Title;
  Window* Parent;
  WindowHandler Handler;
  Rect Place;  // outer rectangle (controls: in the parent's client pixels)
  int ClientWidth;
  int ClientHeight;
  bool Visible;
  bool Destroyed;
  bool NeedsPaint;
  Surface* SharedSurface;
  // Scroll bars.
  int ScrollMin, ScrollMax, ScrollPos;
  int ScrollSets;  // SetScrollBar calls
  // Bars.
  bool AtBottom;
  bool Shown;
  bool CloseButton;
  int Height;
  std::vector<std::u16string> Tooltips;
  int BitmapId;
  int BitmapCount;
  std::vector<BarButton> Buttons;
  std::vector<Menu*> Menus;        // the bar's drop-down menus in order
  std::vector<uint16_t> MenuButtonIds;  // menu bar: the drop-down button ids
  // Messages sent to a foreign window (it has no handler).
  std::vector<Message> Received;
};

// One step of the scripted queue: a message (Target nullptr = the main
// window) or, when Action is set, test code run when the loop gets there.
struct FakeStep {
  Message Msg;
  std::function<void()> Action;
};

struct FakeWindowsState {
  std::vector<std::string> Log;
  std::deque<FakeStep> Script;
  std::deque<Message> Posted;
  std::vector<Window*> Windows;  // every window made, in order (kept until reset)
  std::vector<Menu*> Menus;
  std::map<std::u16string, WindowHandler> Classes;
  std::map<std::u16string, uint16_t> ClassIcons;
  Window* Foreground;
  bool QuitPosted;
  int ExitCode;
  int ClientWidth;   // client size of the next top window (240 x 294)
  int ClientHeight;
  int ScreenWidth;   // 240 x 320
  int ScreenHeight;
  int ScrollBarHeight;  // default height of a new scroll bar
  int VersionMajor;  // 4.20
  int VersionMinor;
  bool FailMenuBar;
  bool FailCommandBar;
  bool FailTopWindow;
  int MenuBarHeight;    // 26
  int CommandBarHeight; // 26
  int PaintsSent;
};
extern FakeWindowsState FakeWindows;

// Queues a message for the main window (or target) at the end of the script.
void FakeQueue(uint32_t kind, uint32_t word = 0, intptr_t extra = 0, Window* control = nullptr,
               Window* target = nullptr);
// Queues test code to run when the loop reaches it.
void FakeQueueAction(std::function<void()> action);
// Adds a window of another program (or of a running copy, with class and title "Darvo").
Window* FakeAddForeignWindow(const std::u16string& className, const std::u16string& title,
                             Window* parent);
// The live top-level window of class "Darvo" made by this program, or nullptr.
Window* FakeMainWindow();
// Live windows of a kind, in order of creation.
std::vector<Window*> FakeWindowsOf(FakeWindowKind kind);
// Log lines that begin with prefix.
std::vector<std::string> FakeLogLines(const std::string& prefix);
// Resizes a top window's client area as the user would: MsgSize reaches its handler.
void FakeResizeClient(Window* window, int width, int height);

void FakeResetWindows();
