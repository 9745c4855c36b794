#include "RunningCopy.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <chrono>

namespace platform {
namespace {
constexpr std::chrono::milliseconds kConnectWait{500};
constexpr std::chrono::milliseconds kWriteWait{1000};
const QByteArray kActivate = "activate\n";

QString& nameStore()
{
    static QString name = QStringLiteral("tarvolen-") + qEnvironmentVariable("USER", "user");
    return name;
}

QLocalServer*& serverStore()
{
    static QLocalServer* server = nullptr;
    return server;
}

void raiseOwnWindow()
{
    QWidget* target = QApplication::activeWindow();
    if (!target) {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows) {
            if (window->isVisible())
                target = window;
        }
    }
    if (!target)
        return;
    // Restored from the taskbar, it comes back as it was: a maximised window stays maximised.
    target->setWindowState((target->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    target->show();
    target->raise();
    target->activateWindow();
}

bool anotherCopyAnswers()
{
    QLocalSocket probe;
    probe.connectToServer(nameStore());
    return probe.waitForConnected(int(kConnectWait.count()));
}
} // namespace

void setRunningCopyName(const QString& name)
{
    nameStore() = name;
}

bool listenAsRunningCopy()
{
    if (serverStore())
        return true;
    if (anotherCopyAnswers())
        return false;
    QLocalServer::removeServer(nameStore()); // a copy that crashed leaves its socket behind
    auto* server = new QLocalServer(qApp);
    if (!server->listen(nameStore())) {
        delete server;
        return false;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] {
                if (peer->readAll().contains("activate"))
                    raiseOwnWindow();
                peer->disconnectFromServer();
            });
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    serverStore() = server;
    return true;
}

bool activatePreviousCopy()
{
    if (serverStore()) // this copy is the one that listens
        return false;
    QLocalSocket socket;
    socket.connectToServer(nameStore());
    if (!socket.waitForConnected(int(kConnectWait.count())))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(int(kWriteWait.count()));
    socket.disconnectFromServer();
    return true;
}

} // namespace platform
