// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/ReplaceAlert.h"

#include <QCoreApplication>

namespace brelin {

QString ReplaceAlert::questionFor(const QString& fileName)
{
    // Each text keeps its own space beside the name, and the format adds one more.
    return QStringLiteral("%1 %2 %3")
        .arg(QCoreApplication::translate("ReplaceAlert", "Are you sure you want to replace "),
             fileName,
             QCoreApplication::translate("ReplaceAlert", " with the new processed file ?"));
}

bool ReplaceAlert::ask(const QString& fileName)
{
    if (applyToAll_)
        return replace_;
    const ReplaceAnswer answer = windows_.askReplace(questionFor(fileName));
    replace_ = answer.replace;
    applyToAll_ = answer.applyToAll;
    return replace_;
}

} // namespace brelin
