// The languages on screen: which translations the program installs, and whether the texts
// shown are the English ones (the few places whose designed width holds only the Chinese
// texts widen for English).
#pragma once

#include <QString>

#include "core/Language.h"

namespace huebird {

// Installs the translations for the user's language (`getenv` reads the environment): for a
// reader of English the program's English translation, built into the program; for a reader
// of Chinese the toolkit's own Chinese translations from the system's translations folder (the
// colour dialog, the edit boxes' menus, the standard buttons), so no English is left on screen.
// Returns what could not be installed, for standard error; empty when everything was.
QString InstallTranslations(const EnvironmentReader& getenv);

bool EnglishTexts();

// The message for a text that should have been a whole number and is not.
QString NotAnIntegerText(const QString& text);

}  // namespace huebird
