// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InstanceHandOver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

const QString kService = QStringLiteral("org.brelin.Brelin");
const QString kPath = QStringLiteral("/org/brelin/Brelin");
constexpr int kTimeoutMs = 5000;

QString socketName()
{
    return QStringLiteral("brelin-%1").arg(getuid());
}

// Paths travel one per line; a line break inside a file name is not worth supporting
// against the risk of splitting a name wrongly, so such a name is left out.
QByteArray encode(const QStringList& paths)
{
    QByteArray out;
    for (const QString& p : paths)
        if (!p.contains(QLatin1Char('\n')))
            out += p.toUtf8() + '\n';
    return out;
}

} // namespace

InstanceHandOver::InstanceHandOver(QObject* parent) : QObject(parent) {}

bool InstanceHandOver::handOverOrListen(const QStringList& paths)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return overLocalSocket(paths);
    // Two starts at once: the bus gives the name to one of them, the other hands over.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (bus.registerService(kService)) {
            bus.registerObject(kPath, this, QDBusConnection::ExportAllSlots);
            return false;
        }
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Open"));
        call << paths;
        const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return true;
    }
    // The name is held by something that does not answer: work alone.
    return false;
}

bool InstanceHandOver::overLocalSocket(const QStringList& paths)
{
    QLocalSocket socket;
    socket.connectToServer(socketName());
    if (socket.waitForConnected(kTimeoutMs)) {
        socket.write(encode(paths) + '\n'); // an empty line ends the list
        // The answer says the paths arrived; without it they may be lost.
        if (socket.waitForBytesWritten(kTimeoutMs) && socket.waitForReadyRead(kTimeoutMs))
            return true;
    }
    // No one listens, or a dead instance left its socket: this one takes it over.
    QLocalServer::removeServer(socketName());
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketName()))
        return false;
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->peek(peer->bytesAvailable()).contains("\n\n") &&
                    !peer->peek(1).startsWith('\n'))
                    return; // not all of the list yet
                const QByteArray all = peer->readAll();
                QStringList paths;
                for (const QByteArray& line : all.split('\n'))
                    if (!line.isEmpty())
                        paths << QString::fromUtf8(line);
                peer->write("ok\n");
                peer->flush();
                Open(paths);
            });
        }
    });
    return false;
}

void InstanceHandOver::Open(const QStringList& paths)
{
    emit pathsReceived(paths);
}
