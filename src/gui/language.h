// Qt's own texts (the Yes/No and Ok/Cancel buttons, the editing menus of fields, the standard
// dialogs) in the interface language, from the translations Qt ships
// (Debian: qt6-translations-l10n).
#pragma once
#include <QString>
#include <string_view>

namespace tolvi {

// Loads Qt's translations for a language code ("es", "ca", "en", ...) in place of the ones
// loaded before. False when they could not be found (Qt then speaks English); English itself
// needs none.
bool InstallQtTranslations(std::string_view code);

// The folder Qt's translations are looked for in.
QString QtTranslationsFolder();

}  // namespace tolvi
