// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsRecord.h"

#include <cmath>
#include <limits>

namespace brelin {
namespace {

int saturate(double d)
{
    if (std::isnan(d))
        return 0;
    d = std::trunc(d);
    if (d <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (d >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(d);
}

} // namespace

const QStringList& settingsKeys()
{
    static const QStringList keys{
        key::HasSuffix,          key::Recompress,    key::Quality,          key::MaxSize,
        key::AllowHigherQuality, key::Baseline,      key::KeepImageData,    key::RemoveEXIF,
        key::RemoveICC,          key::RemoveITPC,    key::RemoveComment,    key::RemoveOthers,
        key::RemoveGainMap,      key::ScalingFactor, key::ScalingFixedType, key::ScalingType,
        key::ScalingFixedValue,  key::KeepIcon,      key::Suffix,           key::Path,
        key::CustomPath,         key::KeepFolders};
    return keys;
}

QVariantMap initialRecord()
{
    return {{key::HasSuffix, 1},
            {key::Recompress, 1},
            {key::Quality, 80},
            {key::MaxSize, 0},
            {key::AllowHigherQuality, 0},
            {key::Baseline, 0},
            {key::KeepImageData, 0},
            {key::RemoveEXIF, 0},
            {key::RemoveICC, 0},
            {key::RemoveITPC, 0},
            {key::RemoveComment, 0},
            {key::RemoveOthers, 0},
            {key::RemoveGainMap, 0},
            {key::ScalingFactor, 0.5},
            {key::ScalingFixedType, int(FixedLongerSideIfLonger)},
            {key::ScalingType, int(ScaleToLength)},
            {key::ScalingFixedValue, 1920},
            {key::KeepIcon, int(IconFromSource)},
            {key::Suffix, QStringLiteral("-small")},
            {key::Path, QString()},
            {key::CustomPath, 0},
            {key::KeepFolders, 0}};
}

int recordInt(const QVariantMap& record, const QString& key)
{
    const QVariant v = record.value(key);
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // QVariant would round; the record truncates toward zero.
        return saturate(v.toDouble());
    case QMetaType::QString: {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok ? saturate(d) : 0;
    }
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return saturate(static_cast<double>(v.toULongLong()));
    default: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        return ok ? saturate(static_cast<double>(n)) : 0;
    }
    }
}

double recordDouble(const QVariantMap& record, const QString& key)
{
    const QVariant v = record.value(key);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok ? d : 0.0;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0.0;
}

QString recordString(const QVariantMap& record, const QString& key)
{
    const QVariant v = record.value(key);
    return v.canConvert<QString>() ? v.toString() : QString();
}

bool recordFlag(const QVariantMap& record, const QString& key)
{
    return recordInt(record, key) == 1;
}

} // namespace brelin
