// Brelin, the application: the main window and its controller.
#include "platform/Allocator.h"
#include "platform/Localization.h"
#include "ui/BRController.h"
#include "ui/InstanceHandOver.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QMainWindow>
#include <QTimer>

#include <csignal>

int main(int argc, char** argv)
{
    brelin::keepLargeBuffersForTheNextFile();
    // A file size limit makes a write fail, which the run reports, instead of ending Brelin.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelin"));
    QApplication::setApplicationVersion(QStringLiteral(BRELIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("brelin"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("brelin")));
    brelin::installTranslations(app, QLocale());

    // Files named on the command line come in as the desktop hands them over; a Brelin
    // already running takes them instead.
    QStringList paths;
    for (const QString& arg : app.arguments().mid(1))
        paths << QFileInfo(arg).absoluteFilePath();
    InstanceHandOver handOver;
    if (handOver.handOverOrListen(paths))
        return 0;

    BRController controller;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &controller,
                     &BRController::applicationWillTerminate);
    QObject::connect(&handOver, &InstanceHandOver::pathsReceived, &controller,
                     [&controller](const QStringList& more) {
                         controller.window()->raise();
                         controller.window()->activateWindow();
                         // Not inside the bus call: a run would keep the caller waiting.
                         QTimer::singleShot(0, &controller,
                                            [&controller, more] { controller.openFiles(more); });
                     });
    controller.window()->show();
    QTimer::singleShot(0, &controller, [&controller, paths] { controller.openFiles(paths); });
    return app.exec();
}
