#include "platform/Translation.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QMutex>
#include <QRegularExpression>
#include <QTranslator>

#include <optional>

namespace velmora::platform {

namespace {

struct Remembered
{
    QMutex lock;
    bool on = false;
    QHash<QString, QString> sources; // translation -> English
};

Remembered &remembered()
{
    static Remembered texts;
    return texts;
}

QString remember(const char *source, QString translation)
{
    Remembered &texts = remembered();
    const QMutexLocker locker(&texts.lock);
    if (texts.on && translation != QLatin1String(source))
        texts.sources.insert(translation, QString::fromUtf8(source));
    return translation;
}

// What the placeholders %1 to %99 of a text are, in the order they stand.
QList<int> placeholders(const QString &text, QStringList *literals)
{
    static const QRegularExpression placeholder(QStringLiteral("%([1-9][0-9]?)"));
    QList<int> numbers;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        *literals << text.mid(from, match.capturedStart() - from);
        numbers << match.captured(1).toInt();
        from = match.capturedEnd();
    }
    *literals << text.mid(from);
    return numbers;
}

// The English of one translated text, its placeholders' values as shown, if shown is it.
std::optional<QString> asSource(const QString &shown, const QString &translation, const QString &source)
{
    QStringList literals;
    const QList<int> numbers = placeholders(translation, &literals);
    QString pattern = QRegularExpression::escape(literals.constFirst());
    for (qsizetype i = 0; i < numbers.size(); ++i)
        pattern += QStringLiteral("(.*)") + QRegularExpression::escape(literals.at(i + 1));
    const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern), QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = whole.match(shown);
    if (!match.hasMatch())
        return std::nullopt;
    QStringList sourceLiterals;
    const QList<int> sourceNumbers = placeholders(source, &sourceLiterals);
    QString english = sourceLiterals.constFirst();
    for (qsizetype i = 0; i < sourceNumbers.size(); ++i) {
        const qsizetype at = numbers.indexOf(sourceNumbers.at(i));
        english += (at >= 0 ? match.captured(int(at) + 1) : QLatin1Char('%') + QString::number(sourceNumbers.at(i)))
                   + sourceLiterals.at(i + 1);
    }
    return english;
}

} // namespace

QString translated(QLatin1String text)
{
    // A constant made from a string literal ends in a null, as translate() expects.
    return remember(text.data(), QCoreApplication::translate(TextContext, text.data()));
}

QString translated(const char *text)
{
    return remember(text, QCoreApplication::translate(TextContext, text));
}

void rememberTranslations()
{
    Remembered &texts = remembered();
    const QMutexLocker locker(&texts.lock);
    texts.on = true;
}

QString inEnglish(const QString &shown)
{
    Remembered &texts = remembered();
    const QMutexLocker locker(&texts.lock);
    // The most particular text that is shown whole: the one with the most fixed letters.
    std::optional<QString> best;
    qsizetype fixed = -1;
    for (auto it = texts.sources.cbegin(); it != texts.sources.cend(); ++it) {
        QStringList literals;
        placeholders(it.key(), &literals);
        const qsizetype letters = literals.join(QString()).size();
        if (letters <= fixed)
            continue;
        if (std::optional<QString> english = asSource(shown, it.key(), it.value())) {
            best = std::move(english);
            fixed = letters;
        }
    }
    return best.value_or(shown);
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
