// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/BRUtils.h"

#include <QCoreApplication>
#include <QFileInfo>

QString BRUtils::getHumanSize(uint64_t bytes)
{
    const QString word = QCoreApplication::translate("BRUtils", "Bytes");
    // The thresholds compare a single-precision value, as the list always has.
    const float s = static_cast<float>(bytes);
    if (s < 1024.0f)
        return QString::asprintf("%u ", static_cast<unsigned>(bytes)) + word;
    if (s < 1048576.0f)
        return QString::asprintf("%1.1f k", double(s) / 1024.0) + word;
    if (s < 1073741824.0f)
        return QString::asprintf("%1.2f M", double(s) / 1048576.0) + word;
    return QString::asprintf("%1.2f G", double(s) / 1073741824.0) + word;
}

QStringList BRUtils::allowedExtensions()
{
    return {QStringLiteral("jpg"), QStringLiteral("jpeg")};
}

bool BRUtils::hasAcceptedExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QStringView ext = QStringView(name).mid(dot + 1);
    return ext.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0 ||
           ext.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0;
}

bool BRUtils::filterAcceptFile(const QString& path)
{
    if (QFileInfo(path).isDir())
        return true;
    return hasAcceptedExtension(QFileInfo(path).fileName());
}
