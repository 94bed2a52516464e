// One copy of the program per user: a local socket in Linux's abstract
// namespace stands for "the top-level window of class and title Darvo".
//   [X] the running copy listens once its main window exists; a crash leaves
//       no stale socket, and a second listener is refused
//   [X] a second copy asks which of the first copy's windows is in front
//       (its main window, one of its dialogs, none), sends it a command or
//       asks it to come forward
//   [X] coming forward takes the X focus (not only a request to the window manager)
//   [X] DARVO_INSTANCE names the socket (tests, separate reading profiles);
//       DARVO_INSTANCE_LOG names a file where the running copy notes each
//       request it answered
#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

#include "platform/qt/window_widget.h"
#include "platform/windows.h"

namespace {

QLocalServer* Server = nullptr;
QPointer<QWidget> ServedWidget;
Window* ServedWindow = nullptr;

QString InstanceName() {
  const QByteArray name = qgetenv("DARVO_INSTANCE");
  if (!name.isEmpty()) return QString::fromLocal8Bit(name);
  return QStringLiteral("darvo-instance-%1").arg(getuid());
}

void NoteRequest(const QByteArray& request, const QByteArray& answer) {
  const QByteArray path = qgetenv("DARVO_INSTANCE_LOG");
  if (path.isEmpty()) return;
  QFile file(QString::fromLocal8Bit(path));
  if (file.open(QIODevice::Append)) file.write(request + " -> " + answer + "\n");
}

// The user started the program again, so it may take the focus now: X
// refuses a focus request stamped with this copy's last event time, which is
// older than the focus change that put the other program in front.
void TakeFocus(QWidget* widget) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* connection = x11->connection();
  xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(widget->winId()),
                      XCB_CURRENT_TIME);
  xcb_flush(connection);
}

// Answers one request line of another copy.
QByteArray Answer(const QByteArray& line) {
  const QList<QByteArray> words = line.trimmed().split(' ');
  const QByteArray& verb = words.value(0);
  if (verb == "foreground") {
    QWidget* active = QApplication::activeWindow();
    if (!active) return "none";
    return active == ServedWidget.data() ? "main" : "dialog";
  }
  if (verb == "message" && words.size() >= 4 && ServedWindow && !ServedWindow->Destroyed) {
    // Taken up by the message loop, so a dialog the message opens does not
    // keep the other copy waiting.
    PostMessage(ServedWindow, words[1].toUInt(), words[2].toUInt(), words[3].toLongLong());
    return "ok";
  }
  if (verb == "raise" && ServedWidget) {
    QWidget* widget = ServedWidget.data();
    if (widget->isMinimized()) widget->showNormal();
    widget->raise();
    widget->activateWindow();
    TakeFocus(widget);
    return "ok";
  }
  return "error";
}

QByteArray Ask(Window* remote, const QByteArray& request) {
  QLocalSocket* socket = remote->Connection;
  if (!socket || socket->state() != QLocalSocket::ConnectedState) return QByteArray();
  socket->write(request + "\n");
  if (!socket->waitForBytesWritten(2000)) return QByteArray();
  while (!socket->canReadLine()) {
    if (!socket->waitForReadyRead(3000)) return QByteArray();
  }
  return socket->readLine().trimmed();
}

}  // namespace

void ServeInstance(Window* mainWindow) {
  ServedWindow = mainWindow;
  ServedWidget = OwnerWidget(mainWindow);
  if (Server) return;
  Server = new QLocalServer(qApp);
  Server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
  if (!Server->listen(InstanceName())) return;  // another copy got there first
  QObject::connect(Server, &QLocalServer::newConnection, []() {
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket]() {
        while (socket->canReadLine()) {
          const QByteArray line = socket->readLine().trimmed();
          const QByteArray answer = Answer(line);
          NoteRequest(line, answer);
          socket->write(answer + "\n");
          socket->flush();
        }
      });
    }
  });
}

Window* ConnectToRunningCopy() {
  auto* socket = new QLocalSocket();
  socket->setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket->connectToServer(InstanceName());
  if (!socket->waitForConnected(1000)) {
    delete socket;
    return nullptr;
  }
  Window* remote = AdoptWidget(nullptr, WindowKind::Remote, nullptr);
  remote->ClassName = QStringLiteral("Darvo");
  remote->Title = QStringLiteral("Darvo");
  remote->Connection = socket;
  return remote;
}

Window* RemoteForegroundWindow(Window* remoteMain) {
  const QByteArray answer = Ask(remoteMain, "foreground");
  if (answer == "main") return remoteMain;
  if (answer != "dialog") return nullptr;
  Window* dialog = AdoptWidget(nullptr, WindowKind::Remote, nullptr);
  dialog->RemoteDialog = true;
  dialog->RemoteParent = remoteMain;
  return dialog;
}

intptr_t SendRemoteMessage(Window* remote, uint32_t kind, uint32_t word, intptr_t extra) {
  while (remote && remote->RemoteDialog) remote = remote->RemoteParent;
  if (!remote) return 0;
  Ask(remote, "message " + QByteArray::number(kind) + ' ' + QByteArray::number(word) + ' ' +
                  QByteArray::number(static_cast<qlonglong>(extra)));
  return 0;
}

void RaiseRemote(Window* remote) {
  while (remote && remote->RemoteDialog) remote = remote->RemoteParent;
  if (remote) Ask(remote, "raise");
}

void FreeRemote(Window* remote) {
  delete remote->Connection;
  remote->Connection = nullptr;
}
