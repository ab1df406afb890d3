// SPDX-License-Identifier: GPL-3.0-or-later
// One Brelin per desktop session: a second start hands its files to the one running and
// ends, so that files opened from the file manager join the same window. The hand-over
// goes over the session bus, or a local socket where there is no bus.
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

class InstanceHandOver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.brelin.Brelin")
public:
    explicit InstanceHandOver(QObject* parent = nullptr);

    // True when a running Brelin took the paths: this one is to end. Otherwise this
    // instance now receives the paths of later starts through pathsReceived.
    bool handOverOrListen(const QStringList& paths);

public slots:
    // The method the next instances call, with absolute paths.
    void Open(const QStringList& paths);

signals:
    void pathsReceived(const QStringList& paths);

private:
    bool overLocalSocket(const QStringList& paths);
    QLocalServer* server = nullptr;
};
