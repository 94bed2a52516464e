// The Qt side of a Window handle, shared by the Qt platform files (windows,
// controls, menus, dialogs, message boxes).
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/handles.h"
#include "platform/windows.h"

class QLocalSocket;

enum class WindowKind {
  Top,      // a top-level window of a registered class, with a retained image
  Control,  // a child control (scroll bar, dialog control)
  Bar,      // the menu bar or command bar
  Dialog,   // a dialog
  Remote,   // a window of another running copy of the program
};

struct Window {
  WindowKind Kind;
  QPointer<QWidget> Widget;
  WindowHandler Handler;
  QString ClassName;
  QString Title;
  bool Destroyed;
  // Top windows: the retained image the program draws into, its surface
  // (shared by every GetWindowSurface and BeginRepaint), and whether the image
  // must be drawn afresh.
  QImage Image;
  Surface* ImageSurface;
  int SurfaceUsers;
  bool NeedsPaint;
  QSize LastSize;  // the client size last announced with MsgSize
  // Dialogs: the area that holds the controls (the client area), above the
  // row of OK and Cancel buttons.
  QPointer<QWidget> Client;
  // Remote windows: which of the other copy's windows this stands for and the
  // connection to it.
  bool RemoteDialog;
  Window* RemoteParent;
  QLocalSocket* Connection;
};

// The QWidget that stands for a window handle, or nullptr for none.
QWidget* OwnerWidget(Window* window);

// The handle of a widget made through the platform, or nullptr.
Window* WindowOfWidget(QWidget* widget);

// Makes a handle for a widget (the handle lives until DestroyWindow or the
// widget's end); handler may be nullptr.
Window* AdoptWidget(QWidget* widget, WindowKind kind, WindowHandler handler);

// Calls a window's handler with a message at once (0 when it has none or is gone).
intptr_t DeliverMessage(Window* window, uint32_t kind, uint32_t word, intptr_t extra, Window* control);

// The live top windows of this process, in order of creation.
QList<Window*> TopWindows();

// Closes the program as a desktop session end asks: modal dialogs are closed
// and every top window is asked to close (MsgClose) from the message loop.
void RequestSessionClose();

// True once the desktop session asked the program to close.
bool SessionClosing();

// Frees every handle left at the end of the program.
void FreeWindowHandles();

// Single instance (single_instance.cpp): starts answering other copies for
// the main window; a window of the other copy, or nullptr when none runs.
void ServeInstance(Window* mainWindow);
Window* ConnectToRunningCopy();
Window* RemoteForegroundWindow(Window* remoteMain);
intptr_t SendRemoteMessage(Window* remote, uint32_t kind, uint32_t word, intptr_t extra);
void RaiseRemote(Window* remote);
void FreeRemote(Window* remote);
