// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin, the application: the main window and its controller.
#include "platform/Allocator.h"
#include "platform/Localization.h"
#include "ui/BrelinApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>

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
    BrelinApp brelin;
    if (!brelin.start(paths))
        return 0;
    return app.exec();
}
