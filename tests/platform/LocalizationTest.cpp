// SPDX-License-Identifier: GPL-3.0-or-later
// The French table is loaded for a French locale and English is the fallback.
#include "platform/Localization.h"

#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

using namespace brelin;

namespace {

QString translated(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

} // namespace

TEST(Localization, FrenchLocaleLoadsTheFrenchTable)
{
    auto* app = QCoreApplication::instance();
    ASSERT_TRUE(installTranslations(*app, QLocale(QLocale::French, QLocale::France)));
    EXPECT_EQ(translated("BRController", "Same as original"),
              QString::fromUtf8("Identique à l’original"));
    EXPECT_EQ(translated("BRController", "Readme"), QStringLiteral("LisezMoi"));
    // Qt's own texts come along, so the standard buttons speak French too.
    EXPECT_EQ(translated("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));

    // Canadian French is French as well.
    EXPECT_TRUE(installTranslations(*app, QLocale(QLocale::French, QLocale::Canada)));

    EXPECT_FALSE(installTranslations(*app, QLocale(QLocale::English, QLocale::UnitedKingdom)));
    EXPECT_EQ(translated("BRController", "Same as original"), QStringLiteral("Same as original"));
    EXPECT_FALSE(installTranslations(*app, QLocale(QLocale::German)));
    EXPECT_EQ(translated("BRController", "Readme"), QStringLiteral("Readme"));
}
