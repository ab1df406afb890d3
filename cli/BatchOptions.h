// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch's command line: the settings record it asks for, the files and
// folders, and how replace questions are answered.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace brelin {

struct BatchOptions
{
    enum class Answer { Ask, Yes, No };
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    QString error; // for Action::Error: the message, without the program's name
    QVariantMap prefs;
    QStringList paths;
    Answer answer = Answer::Ask;
    bool overwrite = false;
    bool verbose = false;     // the log lines on standard error too
    bool allowLarger = false; // a re-encoded result is written even when it has more bytes
    bool keepDates = false;   // results get their sources' times
    bool dryRun = false;      // results made and thrown away, one line per file
    int jobs = 0;             // files in flight; 0: one per processor the process may use
};

// Reads the arguments (argv[1...]). `presetsFile` is where --preset looks; it is only
// read.
BatchOptions parseBatchOptions(int argc, char** argv, const QString& presetsFile);

// The text of --help.
QString batchUsage();

} // namespace brelin
