// Windows and messages: window classes with their handlers, top-level windows and
// controls, the message queue and loop, window surfaces, single instance.
// Events reach the program as Message records passed to the handler of the
// window they are for; the platform calls handlers on the one UI thread.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// What a message is about. CloseRequest (1023) is a fixed number that another
// program may send to the main window; the other numbers are the platform's own.
enum MessageKind : uint32_t {
  MsgCreate = 1,            // the window is being made; return -1 to refuse it
  MsgDestroy = 2,           // the window is going away (children still exist)
  MsgSize = 3,              // client size changed: Long = width | height << 16
  MsgActivate = 4,          // Word: ActivateOff, ActivateOn or ActivateByClick
  MsgPaint = 5,             // the window must be drawn afresh (use BeginRepaint)
  MsgClose = 6,             // the user or the desktop asks to close the window
  MsgSettingChange = 7,     // a system setting changed: Word, Long as sent
  MsgPositionChanged = 8,   // position/stacking changed: Word = PositionFlag bits
  MsgHelp = 9,              // the user asked for help
  MsgKeyDown = 10,          // Word = key code (KeyCode)
  MsgChar = 11,             // Word = UTF-16 unit typed (from TranslateMessage)
  MsgCommand = 12,          // Word = command id | notification << 16; Control = sender or none
  MsgVerticalScroll = 13,   // Word = ScrollCode | signed thumb position << 16; Control = the bar
  MsgStylusDown = 14,       // Long = x | y << 16, client pixels
  MsgInitDialog = 15,       // dialogs: set up controls; Long = the value passed on creation
  MsgEraseBackground = 16,  // dialogs: Control unused, Long = (intptr) surface
  MsgDrawItem = 17,         // dialogs: an owner-drawn control must be drawn; Word = control id
  MsgNotify = 18,           // dialogs: a list or button notification; Word = id | code << 16
  MsgCloseRequest = 1023,   // close the program (sent by other programs)
};

// Values of MsgActivate's Word.
enum ActivateState : uint32_t { ActivateOff = 0, ActivateOn = 1, ActivateByClick = 2 };

// Bits of MsgPositionChanged's Word.
enum PositionFlag : uint32_t { PositionNoActivate = 0x10 };

// Key codes of MsgKeyDown.
enum KeyCode : uint32_t {
  KeyEnter = 0x0D,
  KeyEscape = 0x1B,
  KeyPageUp = 0x21,
  KeyPageDown = 0x22,
  KeyEnd = 0x23,
  KeyHome = 0x24,
  KeyLeft = 0x25,
  KeyUp = 0x26,
  KeyRight = 0x27,
  KeyDown = 0x28,
};

// Codes in the low 16 bits of MsgVerticalScroll's Word.
enum ScrollCode : uint32_t {
  ScrollLineUp = 0,
  ScrollLineDown = 1,
  ScrollPageUp = 2,
  ScrollPageDown = 3,
  ScrollThumbReleased = 4,
  ScrollThumbDragged = 5,
  ScrollToTop = 6,
  ScrollToBottom = 7,
};

// One message. Target is the window it is for; the meaning of Word, Long and
// Control depends on Kind (see MessageKind).
struct Message {
  Window* Target;
  uint32_t Kind;
  uint32_t Word;
  intptr_t Long;
  Window* Control;
};

// A window's message handling. Returns a kind-specific result (0 normally).
using WindowHandler = intptr_t (*)(const Message* message);

// How ShowWindow shows a window.
enum ShowMode : int { ShowHidden = 0, ShowNormal = 1 };

// Whether MoveWindow redraws the window.
enum MoveRedraw : int { MoveWithoutRedraw = 0, MoveAndRedraw = 1 };

// Registers a window class: its handler and the icon resource shown for its
// windows (0: none); the background is white. Returns false when it fails.
bool RegisterWindowClass(Instance* instance, const char16_t* className, WindowHandler handler, uint16_t iconId);

// Makes a top-level window of a registered class at the platform's default
// place and size, with no parent, visible once ShowWindow is called. MsgCreate
// reaches its handler before this returns; returns nullptr when the class is
// unknown or the handler refused creation (the window is then gone).
Window* CreateTopWindow(Instance* instance, const char16_t* className, const char16_t* title);

// Destroys a window: MsgDestroy reaches its handler, then its children go and
// the handle becomes invalid. Nothing happens for nullptr.
void DestroyWindow(Window* window);

// Shows (ShowNormal) or hides (ShowHidden) a window.
void ShowWindow(Window* window, int showMode);

// True when the window is shown.
bool IsWindowVisible(Window* window);

// Paints now: when the window needs drawing afresh, MsgPaint reaches its handler before this returns.
void UpdateWindow(Window* window);

// The window's outer rectangle in screen pixels (controls: in their parent's client pixels).
Rect GetWindowRect(Window* window);

// The client area: left and top 0, right and bottom its width and height.
Rect GetClientRect(Window* window);

// Moves and sizes a window (controls: in their parent's client pixels).
void MoveWindow(Window* window, int x, int y, int width, int height, int redraw);

// The window's parent, or nullptr for a top-level window (or nullptr).
Window* GetParentWindow(Window* window);

// Sends a message to a window's handler and returns its result at once
// (across processes for a window of another copy of the program). 0 for nullptr.
intptr_t SendMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra);

// Queues a message for the window; GetMessage returns it later.
void PostMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra);

// Asks the message loop to end: GetMessage returns 0 and the message's Word is exitCode.
void PostQuit(int exitCode);

// Waits for the next queued message: > 0 with *message filled, 0 on the quit
// signal (Word = the exit code), < 0 when no message can come any more.
int GetMessage(Message* message);

// Adds character messages for key strokes (MsgChar after MsgKeyDown) where the platform needs it.
void TranslateMessage(const Message* message);

// Calls the handler of message->Target and returns its result (0 without a target).
intptr_t DispatchMessage(const Message* message);

// What the platform does with a message the program does not handle itself:
// MsgClose destroys the window, everything else does nothing. Returns 0.
intptr_t DefaultHandling(const Message* message);

// Accelerator tables: loads table id from the program's resources, or nullptr when absent.
struct Accelerators;
Accelerators* LoadAccelerators(Instance* instance, uint16_t id);

// Offers a message to an accelerator table; true when it was consumed (never with nullptr).
bool TranslateAccelerators(Window* window, Accelerators* table, const Message* message);

// The shared drawing surface of a window (its retained image). Stays valid
// until released; release it with ReleaseWindowSurface. nullptr when there is none.
Surface* GetWindowSurface(Window* window);
void ReleaseWindowSurface(Window* window, Surface* surface);

// Begins a repaint in answer to MsgPaint: a surface onto the window's image,
// ended with EndRepaint, which also brings the image to the screen.
Surface* BeginRepaint(Window* window);
void EndRepaint(Window* window, Surface* surface);

// Single instance. The top-level window with this class and title, also one
// belonging to another running copy of the program; nullptr when there is none.
Window* FindTopWindow(const char16_t* className, const char16_t* title);

// The window the user works in now, or nullptr when it is none the platform can name.
Window* GetForegroundWindow();

// Brings a window (also another copy's) to the front and gives it the focus.
void BringToForeground(Window* window);
