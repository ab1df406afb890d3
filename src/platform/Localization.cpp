// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Localization.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace brelin {
namespace {

std::unique_ptr<QTranslator>& ownTranslator()
{
    static std::unique_ptr<QTranslator> t;
    return t;
}

std::unique_ptr<QTranslator>& qtTranslator()
{
    static std::unique_ptr<QTranslator> t;
    return t;
}

void drop(QCoreApplication& app, std::unique_ptr<QTranslator>& t)
{
    if (t) {
        app.removeTranslator(t.get());
        t.reset();
    }
}

} // namespace

bool installTranslations(QCoreApplication& app, const QLocale& locale)
{
    drop(app, ownTranslator());
    drop(app, qtTranslator());
    if (locale.language() != QLocale::French)
        return false;

    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(qt.get());
        qtTranslator() = std::move(qt);
    }
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral(":/translations/brelin_fr.qm")))
        return false;
    app.installTranslator(own.get());
    ownTranslator() = std::move(own);
    return true;
}

} // namespace brelin
