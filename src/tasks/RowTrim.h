#pragma once

#include "tasks/TaskItem.h"
#include "tasks/TaskListView.h"
#include "tasks/Trim.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmora::tasks {

// The part of a clip a row keeps (a Trim, see Trim.h).
//
// The row holds it in its hidden sub-items: 5 the start, 6 the end, 7 the clip's whole length,
// each a time text to the millisecond ("00:00:01.500"), empty when not set. The Length column
// (sub-item 0) then shows the kept length, to the tenth as lengths are shown, which is what the
// job and its progress count.
inline constexpr int TrimStartItem = 5;
inline constexpr int TrimEndItem = 6;
inline constexpr int WholeLengthItem = 7;

// "HH:MM:SS.mmm", which TimeTextToSeconds reads back.
QString TrimTimeText(double seconds);

Trim TrimOf(const ltvItemData &row);
// The clip's whole play time: sub-item 7 where the row is trimmed, else its Length.
double WholeLength(const ltvItemData &row);
// Sets the row's trim sub-items and its Length to the kept length (the whole length again
// when the trim is cleared).
void ApplyTrim(ltvItemData &row, const Trim &trim);
// What a trimmed row's Length tells in its tooltip; empty for a row that is not trimmed.
QString TrimToolTip(const ltvItemData &row);
// Trims a row of any task list.
void SetRowTrim(TaskListView &tasks, int row, const Trim &trim);

// List files (.tmp): one path a line, as Velmora has always read them. A trimmed row's path
// comes after a line of its own, "#velmora-trim start=1.500 end=-": a reader that knows
// nothing of trims takes it for a file that is not there, and passes it over.
struct ListEntry
{
    QString path;
    Trim trim;
};
QString TrimLine(const Trim &trim);
std::optional<Trim> ReadTrimLine(const QString &line);
// A list file's lines as entries: each trim line goes with the path on the line after it.
QList<ListEntry> ListEntries(const QStringList &lines);
// What a command line names: the entries of the list file it names first (a ".tmp" file),
// else its arguments as they are.
QList<ListEntry> CommandLineEntries(const QStringList &arguments);
QByteArray ListFileText(const QList<ListEntry> &entries);
// The rows of a task list as a list file's entries.
QList<ListEntry> ListEntriesOf(const TaskListView &tasks);

} // namespace velmora::tasks
