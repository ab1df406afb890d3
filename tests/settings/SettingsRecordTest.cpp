// SPDX-License-Identifier: GPL-3.0-or-later
// How the engine and the panel read a settings record: missing keys, odd number kinds,
// the exactly-one rule for flags.
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace brelin;

TEST(SettingsRecord, KeysAreTheTwentyTwoInPanelOrder)
{
    QStringList expected;
    for (const char* k : {"HasSuffix",          "Recompress",    "Quality",          "MaxSize",
                          "AllowHigherQuality", "Baseline",      "KeepImageData",    "RemoveEXIF",
                          "RemoveICC",          "RemoveITPC",    "RemoveComment",    "RemoveOthers",
                          "RemoveGainMap",      "ScalingFactor", "ScalingFixedType", "ScalingType",
                          "ScalingFixedValue",  "KeepIcon",      "Suffix",           "Path",
                          "CustomPath",         "KeepFolders"})
        expected << QString::fromLatin1(k);
    EXPECT_EQ(settingsKeys(), expected);
}

TEST(SettingsRecord, IntegersAreReadByValueWhateverTheirKind)
{
    struct Case
    {
        const char* what;
        QVariant value;
        int expected;
    };
    const Case cases[] = {
        {"missing", QVariant(), 0},
        {"int", QVariant(42), 42},
        {"negative int", QVariant(-7), -7},
        {"real truncated", QVariant(79.9), 79},
        {"negative real truncated toward zero", QVariant(-2.9), -2},
        {"NaN", QVariant(std::numeric_limits<double>::quiet_NaN()), 0},
        {"huge real saturates", QVariant(1e30), std::numeric_limits<int>::max()},
        {"64-bit integer saturates", QVariant(qlonglong(1) << 40), std::numeric_limits<int>::max()},
        {"unsigned 64-bit saturates", QVariant(~qulonglong(0)), std::numeric_limits<int>::max()},
        {"bool", QVariant(true), 1},
        {"numeric text", QVariant(QStringLiteral(" 12 ")), 12},
        {"other text", QVariant(QStringLiteral("twelve")), 0},
        {"list", QVariant(QStringList{QStringLiteral("1")}), 0},
    };
    for (const Case& c : cases) {
        QVariantMap record;
        if (c.value.isValid())
            record.insert(key::Quality, c.value);
        EXPECT_EQ(recordInt(record, key::Quality), c.expected) << c.what;
    }
}

TEST(SettingsRecord, OnlyExactlyOneIsOn)
{
    struct Case
    {
        QVariant value;
        bool on;
    };
    const Case cases[] = {{QVariant(), false},
                          {QVariant(0), false},
                          {QVariant(1), true},
                          {QVariant(2), false},
                          {QVariant(-1), false},
                          {QVariant(1.0), true},
                          {QVariant(true), true},
                          {QVariant(QStringLiteral("yes")), false},
                          {QVariant(qlonglong(1) + (qlonglong(1) << 32)), false}};
    for (const Case& c : cases) {
        QVariantMap record;
        if (c.value.isValid())
            record.insert(key::RemoveEXIF, c.value);
        EXPECT_EQ(recordFlag(record, key::RemoveEXIF), c.on) << c.value.toString().toStdString();
    }
}

TEST(SettingsRecord, RealsAndTexts)
{
    QVariantMap record{
        {key::ScalingFactor, 3}, {key::Suffix, 5}, {key::Path, QStringLiteral("/tmp/out")}};
    EXPECT_DOUBLE_EQ(recordDouble(record, key::ScalingFactor), 3.0);
    EXPECT_EQ(recordString(record, key::Suffix), QStringLiteral("5"));
    EXPECT_EQ(recordString(record, key::Path), QStringLiteral("/tmp/out"));

    const QVariantMap empty;
    EXPECT_DOUBLE_EQ(recordDouble(empty, key::ScalingFactor), 0.0);
    EXPECT_TRUE(recordString(empty, key::Suffix).isEmpty());

    record.insert(key::ScalingFactor, QStringLiteral("not a number"));
    EXPECT_DOUBLE_EQ(recordDouble(record, key::ScalingFactor), 0.0);
    record.insert(key::ScalingFactor, std::nan(""));
    EXPECT_TRUE(std::isnan(recordDouble(record, key::ScalingFactor)));
}
