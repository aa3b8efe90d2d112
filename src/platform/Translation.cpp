#include "platform/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmora::platform {

QString translated(QLatin1String text)
{
    // A constant made from a string literal ends in a null, as translate() expects.
    return QCoreApplication::translate(TextContext, text.data());
}

QString translated(const char *text)
{
    return QCoreApplication::translate(TextContext, text);
}

QStringList TranslatedLanguages()
{
    return {QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("es")};
}

QString ChooseLanguage(const QStringList &uiLanguages)
{
    const QStringList had = TranslatedLanguages();
    for (const QString &wanted : uiLanguages) {
        // "de-AT", "de_DE.UTF-8", "de": the language is what comes before the region.
        const QString language = wanted.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("en"))
            return language;
        if (had.contains(language))
            return language;
    }
    return {};
}

QString TranslationsDir(const QString &appDir)
{
    return appDir + QStringLiteral("/translations");
}

QString InstallTranslators(const QString &translationsDir)
{
    return InstallTranslators(translationsDir, QLocale::system().uiLanguages());
}

QString InstallTranslators(const QString &translationsDir, const QStringList &uiLanguages)
{
    const QString language = ChooseLanguage(uiLanguages);
    if (language.isEmpty() || language == QLatin1String("en"))
        return {};
    auto *application = QCoreApplication::instance();
    auto *own = new QTranslator(application);
    if (!own->load(QStringLiteral("velmora_") + language, translationsDir)) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts: the standard buttons of the message boxes, the file dialogs' labels.
    auto *qt = new QTranslator(application);
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

} // namespace velmora::platform
