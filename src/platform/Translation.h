#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>

namespace velmora::platform {

// The fixed texts are English named constants (the *Texts.h headers). Each is marked for
// lupdate with QT_TRANSLATE_NOOP in this one context, and translated where it is shown:
//
//     inline constexpr QLatin1String Title{QT_TRANSLATE_NOOP("Velmora", "Add More Videos")};
//     ...
//     messageBoxes().notice(owner, platform::translated(texts::Title), ...);
//
// Without a translator (English, the tests) a text comes back exactly as written.
#define VELMORA_TEXT_CONTEXT "Velmora"
inline constexpr char TextContext[] = VELMORA_TEXT_CONTEXT;

QString translated(QLatin1String text);
QString translated(const char *text);

// A message made of fixed texts translated here, told again in English, for what scripts read
// (the terminal join's JSON line). The texts translated since rememberTranslations() are
// recognised, the values put into their placeholders kept; a message that is none of them
// whole comes back as it is.
void rememberTranslations();
QString inEnglish(const QString &shown);

// The languages the program speaks besides English, its source.
QStringList TranslatedLanguages();

// The translation's language for the user's languages in order of preference (as
// QLocale::uiLanguages() gives them, which honours LANGUAGE): the first one the program has,
// "en" when English comes first, or an empty text when none of them is had.
QString ChooseLanguage(const QStringList &uiLanguages);

// The folder of the .qm files in the program folder (in a build and when installed alike).
QString TranslationsDir(const QString &appDir);

// Installs the program's translation for the user's languages from the folder of .qm files,
// and Qt's own for its standard buttons. Returns the language installed, or an empty text for
// English. Needs a QCoreApplication; the translators live as long as it does.
QString InstallTranslators(const QString &translationsDir);
QString InstallTranslators(const QString &translationsDir, const QStringList &uiLanguages);

} // namespace velmora::platform
