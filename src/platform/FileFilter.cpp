#include "platform/FileFilter.h"

#include <QRegularExpression>
#include <QCoreApplication>

namespace velmora::platform {

QString extensionFilterEntries(const QStringList &extensions)
{
    QString entries;
    for (const QString &ext : extensions)
        entries += ext.mid(1).toUpper() + QCoreApplication::translate("Velmora", " Files (*") + ext + QStringLiteral(")|*") + ext + QLatin1Char('|');
    return entries;
}

QString allFilesFilterEntry()
{
    return QCoreApplication::translate("Velmora", "All Files (*.*)|*.*");
}

QList<FilterEntry> parseDialogFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<FilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FilterEntry entry;
        entry.description = parts.at(i);
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                entry.patterns << trimmed;
        }
        entries << entry;
    }
    return entries;
}

QStringList toQtNameFilters(const QString &filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList result;
    for (const FilterEntry &entry : parseDialogFilter(filter)) {
        QString description = entry.description;
        description.remove(trailingPatterns);
        QStringList patterns;
        for (const QString &pattern : entry.patterns)
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        result << QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return result;
}

} // namespace velmora::platform
