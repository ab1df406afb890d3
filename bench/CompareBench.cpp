// SPDX-License-Identifier: GPL-3.0-or-later
// The compare window on one photo with the default settings: how long after a change of
// the settings it shows the new result, drawn (a quality, a fitted size, another photo, a
// photo passed by on the way to another), and how late a timer on the interface thread
// fires while the quality slider is dragged over the whole range and back.
// Usage: brelin-bench-compare PHOTO [OTHER_PHOTO [THIRD_PHOTO]]
#include "Timing.h"
#include "filelist/BRFileListModel.h"
#include "settings/SettingsRecord.h"
#include "ui/BRController.h"
#include "ui/CompareWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace {

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on every window title, and the engine's log: not
    // what is measured.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelin"));
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: brelin-bench-compare PHOTO [OTHER_PHOTO [THIRD_PHOTO]]\n");
        return 2;
    }
    BRController controller;
    for (const QString& photo : args)
        controller.addFile(photo);
    auto* list = controller.window()->findChild<QTreeView*>(QStringLiteral("filesOutline"));
    const auto select = [&](int row) {
        list->selectionModel()->select(controller.fileList()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect |
                                           QItemSelectionModel::Rows);
    };
    select(0);
    controller.openCompare();
    CompareWindow* window = controller.compareWindow();
    // Until the newest settings' result is shown and drawn.
    const auto shown = [&] {
        while (window->isUpdating() || !window->shown() ||
               window->shown()->prefs != controller.buildPrefs())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        window->view()->repaint();
    };
    shown();
    auto* quality = controller.window()->findChild<QSpinBox*>(QStringLiteral("qualityValue"));
    auto* fitTo = controller.window()->findChild<QSpinBox*>(QStringLiteral("scalingFixedValue"));
    const auto timed = [&](const char* what, int times, const std::function<void(int)>& change) {
        std::vector<double> ms;
        for (int i = 0; i < times; ++i)
            ms.push_back(millis([&] {
                change(i);
                shown();
            }));
        std::printf("%-28s median %6.1f ms  max %6.1f ms  (%d changes)\n", what, median(ms),
                    *std::max_element(ms.begin(), ms.end()), times);
    };
    timed("quality changed", 12, [&](int i) { quality->setValue(i % 2 ? 75 : 60); });
    timed("fitted size changed", 8, [&](int i) { fitTo->setValue(i % 2 ? 1920 : 1600); });
    fitTo->setValue(1920);
    shown();
    // A size target the search must lower the quality for.
    auto* targetOn = controller.window()->findChild<QCheckBox*>(QStringLiteral("maxSizeOn"));
    auto* target = controller.window()->findChild<QSpinBox*>(QStringLiteral("maxSizeValue"));
    targetOn->setChecked(true);
    target->setValue(int(window->shown()->outcome.bytesAfter / 1024 * 2 / 3));
    shown();
    timed("quality, with a size target", 8, [&](int i) { quality->setValue(i % 2 ? 80 : 70); });
    targetOn->setChecked(false);
    shown();
    if (args.size() > 1) {
        timed("another photo selected", 6, [&](int i) { select(i % 2 ? 0 : 1); });
    }
    if (args.size() > 2) {
        // Moving on before the result comes: the work for the photo passed by is abandoned.
        // From the second photo to the third or the first, neither of them the one shown.
        timed("passed by for 100 ms", 6, [&](int i) {
            select(1);
            QElapsedTimer wait;
            wait.start();
            while (wait.elapsed() < 100)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            select(i % 2 ? 0 : 2);
        });
    }
    select(0);
    shown();

    // The drag: a value every 16 ms, as a mouse moves, while a timer that should fire
    // every 5 ms notes how late it is.
    auto* slider = controller.window()->findChild<QSlider*>(QStringLiteral("recompressSlider"));
    std::vector<double> late;
    QElapsedTimer clock;
    clock.start();
    qint64 last = -1;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            late.push_back(std::max(0.0, double(now - last) / 1e6 - 5.0));
        last = now;
    });
    std::vector<int> values;
    for (int v = 90; v >= 20; --v)
        values.push_back(v);
    for (int v = 20; v <= 90; ++v)
        values.push_back(v);
    size_t next = 0;
    QTimer mouse;
    mouse.setTimerType(Qt::PreciseTimer);
    mouse.setInterval(16);
    QEventLoop drag;
    QObject::connect(&mouse, &QTimer::timeout, [&] {
        if (next == values.size())
            return drag.quit();
        slider->setValue(values[next++]);
    });
    probe.start();
    mouse.start();
    drag.exec();
    const double dragged = double(clock.nsecsElapsed()) / 1e6;
    shown();
    const double after = double(clock.nsecsElapsed()) / 1e6 - dragged;
    probe.stop();
    std::printf("slider dragged %zu steps in %.0f ms: timer lateness p50 %.1f ms  p99 %.1f ms  "
                "max %.1f ms; the last result shown %.0f ms after the last step\n",
                values.size(), dragged, percentile(late, 0.5), percentile(late, 0.99),
                percentile(late, 1.0), after);
    return 0;
}
