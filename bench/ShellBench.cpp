// SPDX-License-Identifier: GPL-3.0-or-later
// How long the shell's panels take for one photo: the info panel filled for a newly
// selected file (properties, comment, thumbnail, widgets), the same file selected again,
// and the preview's decode at screen size. Medians of interleaved rounds.
// Usage: brelin-bench-shell [-n ROUNDS] FILE
#include "Timing.h"
#include "processing/Thumbnail.h"
#include "ui/BRInfoController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int rounds = 11;
    if (args.size() >= 2 && args[0] == QLatin1String("-n")) {
        rounds = args[1].toInt();
        args = args.mid(2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: brelin-bench-shell [-n ROUNDS] FILE\n");
        return 2;
    }
    const QUrl url = QUrl::fromLocalFile(args[0]);
    BRInfoController info;
    std::vector<double> fill, again, preview;
    for (int r = 0; r < rounds; ++r) {
        info.clearInfo();
        QElapsedTimer t;
        t.start();
        info.setURL(url);
        fill.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        info.setURL(url);
        again.push_back(double(t.nsecsElapsed()) / 1e6);

        // What the preview's decoding thread does for a 1536-pixel panel.
        t.restart();
        QFile file(args[0]);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const auto picture = brelin::thumbnailOf(
            {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())}, 1536, {},
            0.85);
        preview.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!picture)
            return 1;
    }
    std::printf("info panel, new file: %.1f ms\ninfo panel, same file: %.3f ms\n"
                "preview decode (1536 px): %.1f ms\n",
                median(fill), median(again), median(preview));
    return 0;
}
