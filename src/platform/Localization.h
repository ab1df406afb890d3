// SPDX-License-Identifier: GPL-3.0-or-later
// Localisation: the English texts are the sources and the fallback; a French locale
// loads Brelin's French table and Qt's own (standard buttons, file dialogs).
#pragma once

class QCoreApplication;
class QLocale;

namespace brelin {

// Installs the translations for `locale`, replacing those of an earlier call.
// Returns true when Brelin's own table for that language was loaded.
bool installTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace brelin
