// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalWindows.h"

#include <QFileInfo>

#include <cstdio>
#include <iostream>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace brelin {
namespace {

int terminalWidth()
{
    winsize size{};
    return ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20 ? size.ws_col : 80;
}

void say(const QString& line)
{
    std::fprintf(stderr, "brelin-batch: %s\n", line.toLocal8Bit().constData());
}

} // namespace

TerminalWindows::TerminalWindows(BatchOptions::Answer answer)
    : answer_(answer), bar_(::isatty(STDERR_FILENO))
{
}

ReplaceAnswer TerminalWindows::askReplace(const QString& question)
{
    if (answer_ == BatchOptions::Answer::Yes)
        return {true, true};
    if (answer_ == BatchOptions::Answer::No)
        return {false, true};
    // A dry run asks nothing: its lines say what would be replaced.
    if (outcomes_)
        return {true, true};
    if (!::isatty(STDIN_FILENO)) {
        say(QStringLiteral("existing files are not replaced: no terminal to ask on (see --yes)"));
        return {false, true};
    }
    for (;;) {
        std::fprintf(stderr, "%s [y]es, [n]o, [a]ll, n[o]ne: ", question.toLocal8Bit().constData());
        std::fflush(stderr);
        std::string line;
        if (!std::getline(std::cin, line))
            return {false, true}; // the terminal went away: nothing more is replaced
        if (line == "y" || line == "yes")
            return {true, false};
        if (line == "n" || line == "no")
            return {false, false};
        if (line == "a" || line == "all")
            return {true, true};
        if (line == "o" || line == "none")
            return {false, true};
    }
}

void TerminalWindows::showProgress(int maximum, std::function<void()>)
{
    // Interrupting the program is the terminal's cancel.
    maximum_ = maximum;
}

void TerminalWindows::setProgress(int value, int inProgress, const QString& fileName)
{
    if (!bar_ || maximum_ <= 0)
        return;
    const int width = terminalWidth();
    const int barWidth = std::min(30, width / 3);
    const int filled = barWidth * value / maximum_;
    QString count = QStringLiteral(" %1/%2 ").arg(value).arg(maximum_);
    if (inProgress > 1)
        count += QStringLiteral("(%1 in progress) ").arg(inProgress);
    QString name = fileName;
    const int room = width - barWidth - 3 - int(count.size());
    if (name.size() > room)
        name = name.left(std::max(0, room - 1)) + QChar(0x2026);
    const QString line = QLatin1Char('[') + QString(filled, QLatin1Char('#')) +
                         QString(barWidth - filled, QLatin1Char(' ')) + QLatin1Char(']') + count +
                         name;
    std::fprintf(stderr, "\r\033[K%s", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

void TerminalWindows::closeProgress()
{
    if (bar_ && maximum_ > 0)
        std::fprintf(stderr, "\r\033[K");
    maximum_ = 0;
}

void TerminalWindows::showUnprocessed(const QList<UnprocessedFile>& rows)
{
    if (outcomes_)
        return;
    for (const UnprocessedFile& row : rows)
        say(QStringLiteral("%1: %2").arg(row.path, row.reason));
}

void TerminalWindows::runDidEnd(const RunSummary& summary)
{
    if (outcomes_) {
        for (const FileOutcome& file : *outcomes_) {
            QString line = QFileInfo(file.source).fileName() + QStringLiteral(": ") +
                           (file.processed() ? sizeChangeText(file.bytesBefore, file.bytesAfter)
                                             : file.reason);
            if (file.processed() && file.replaces)
                line += QStringLiteral(", would replace ") + file.dest;
            std::printf("%s\n", line.toLocal8Bit().constData());
        }
    }
    std::printf("%s\n", summaryText(summary).toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace brelin
