// Brelin, the application: the main window and its controller.
#include "platform/Allocator.h"
#include "platform/Localization.h"
#include "ui/BRController.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QMainWindow>

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

    BRController controller;
    controller.window()->show();
    // Files and folders named on the command line come in as the desktop hands them over.
    const QStringList args = app.arguments().mid(1);
    for (const QString& path : args)
        controller.addFile(QFileInfo(path).absoluteFilePath());
    return app.exec();
}
