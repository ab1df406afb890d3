// SPDX-License-Identifier: GPL-3.0-or-later
// The processing settings record: the twenty-two named values that describe one run.
// Flags and codes are int, ScalingFactor is double, Suffix and Path are QString.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace brelin {

namespace key {
inline const QString HasSuffix = QStringLiteral("HasSuffix");
inline const QString Recompress = QStringLiteral("Recompress");
inline const QString Quality = QStringLiteral("Quality");
inline const QString MaxSize = QStringLiteral("MaxSize"); // bytes; 0 or missing: no target
// Missing: 0, a photo is encoded at no higher quality than its own.
inline const QString AllowHigherQuality = QStringLiteral("AllowHigherQuality");
inline const QString Baseline = QStringLiteral("Baseline"); // missing: 0, progressive allowed
// Missing: 0, copied image data are rewritten losslessly where that makes them smaller.
inline const QString KeepImageData = QStringLiteral("KeepImageData");
inline const QString RemoveEXIF = QStringLiteral("RemoveEXIF");
inline const QString RemoveICC = QStringLiteral("RemoveICC");
inline const QString RemoveITPC = QStringLiteral("RemoveITPC"); // spelled so in stored presets
inline const QString RemoveComment = QStringLiteral("RemoveComment");
inline const QString RemoveOthers = QStringLiteral("RemoveOthers");
inline const QString RemoveGainMap = QStringLiteral("RemoveGainMap"); // missing: 0, kept
inline const QString ScalingFactor = QStringLiteral("ScalingFactor");
inline const QString ScalingFixedType = QStringLiteral("ScalingFixedType");
inline const QString ScalingType = QStringLiteral("ScalingType");
inline const QString ScalingFixedValue = QStringLiteral("ScalingFixedValue");
inline const QString KeepIcon = QStringLiteral("KeepIcon");
inline const QString Suffix = QStringLiteral("Suffix");
inline const QString Path = QStringLiteral("Path");
inline const QString CustomPath = QStringLiteral("CustomPath");
inline const QString KeepFolders = QStringLiteral("KeepFolders"); // missing: 0, flat
} // namespace key

// The twenty-two keys in the order the panel reads its controls. A QVariantMap keeps its
// keys sorted; writers that want the panel's order iterate over this list.
const QStringList& settingsKeys();

// ScalingType codes.
enum ScalingTypeCode { KeepSize = 0, ScaleByFactor = 1, ScaleToLength = 2 };

// ScalingFixedType codes: which side ScalingFixedValue sets.
enum ScalingFixedCode {
    FixedWidth = 0,
    FixedHeight = 1,
    FixedShorterSide = 2,
    FixedLongerSide = 3,
    FixedWidthIfWider = 4,
    FixedHeightIfHigher = 5,
    // Fitted inside a square: only an image whose longer side exceeds the value shrinks.
    // Older builds read it as FixedHeightIfHigher, as any unknown code.
    FixedLongerSideIfLonger = 6,
};

// KeepIcon codes.
enum IconCode { IconFromSource = 0, IconRemove = 1, IconFromImage = 2 };

// The settings panel's initial values: shrink the longer side to 1920 pixels (never
// enlarge) at quality 80, keep every marker and the icon, write "-small" beside the
// original.
QVariantMap initialRecord();

// Readers with the record's conventions: a missing key reads as 0, 0.0 or "";
// a number of any kind is read by value, a real truncated toward zero where an
// integer is wanted (saturated at the int range, NaN as 0).
int recordInt(const QVariantMap& record, const QString& key);
double recordDouble(const QVariantMap& record, const QString& key);
QString recordString(const QVariantMap& record, const QString& key);
// Exactly 1 is on; anything else, a missing key included, is off.
bool recordFlag(const QVariantMap& record, const QString& key);

} // namespace brelin
