// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BrelinApp.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QTimer>

bool BrelinApp::start(const QStringList& paths)
{
    if (handOver_.handOverOrListen(paths))
        return false;
    controller_ = std::make_unique<BRController>();
    BRController* controller = controller_.get();
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, controller,
                     &BRController::applicationWillTerminate);
    QObject::connect(&handOver_, &InstanceHandOver::pathsReceived, controller,
                     [controller](const QStringList& more) {
                         controller->window()->raise();
                         controller->window()->activateWindow();
                         // Not inside the bus call: a run would keep the caller waiting.
                         QTimer::singleShot(0, controller,
                                            [controller, more] { controller->openFiles(more); });
                     });
    controller->window()->show();
    QTimer::singleShot(0, controller, [controller, paths] { controller->openFiles(paths); });
    return true;
}
