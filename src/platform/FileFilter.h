#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::platform {

// A file dialog filter in the program's own notation: "Description|patterns|...", patterns
// separated by ";". The dialogs here take Qt name filters, "Description (pattern pattern)".
struct FilterEntry
{
    QString description;
    QStringList patterns;
    bool operator==(const FilterEntry &) const = default;
};

// "AVI Files (*.avi)|*.avi|" for each extension (".avi") in order.
QString extensionFilterEntries(const QStringList &extensions);

// The closing entry of every filter text: "All Files (*.*)|*.*".
QString allFilesFilterEntry();

QList<FilterEntry> parseDialogFilter(const QString &filter);

// One Qt name filter per entry, in order. A description that already ends in a
// parenthesised pattern list has it replaced by the blank-separated patterns, and "*.*"
// (every file, in the notation of the filter texts) becomes "*".
QStringList toQtNameFilters(const QString &filter);

} // namespace velmora::platform
