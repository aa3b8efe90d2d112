#include "tasks/RowTrim.h"

#include "platform/Paths.h"
#include "tasks/InputPaths.h"
#include "tasks/TaskTexts.h"
#include "tasks/TimeText.h"
#include "platform/Translation.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace velmora::tasks {

namespace {

std::optional<double> secondsIn(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const double seconds = TimeTextToSeconds(text);
    return seconds >= 0 ? std::optional<double>(seconds) : std::nullopt;
}

QString sideText(const std::optional<double> &side)
{
    return side ? QString::number(*side, 'f', 3) : QStringLiteral("-");
}

} // namespace

QString TrimTimeText(double seconds)
{
    const qint64 millis = std::llround(std::max(0.0, seconds) * 1000);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(millis / 3600000, 2, 10, QLatin1Char('0'))
        .arg(millis / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(millis / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(millis % 1000, 3, 10, QLatin1Char('0'));
}

Trim TrimOf(const ltvItemData &row)
{
    return Trim{secondsIn(row.subItem(TrimStartItem)), secondsIn(row.subItem(TrimEndItem))};
}

double WholeLength(const ltvItemData &row)
{
    if (const std::optional<double> whole = secondsIn(row.subItem(WholeLengthItem)))
        return *whole;
    return TimeTextToSeconds(row.Length);
}

void ApplyTrim(ltvItemData &row, const Trim &trim)
{
    const bool wasTrimmed = !row.subItem(WholeLengthItem).isEmpty();
    const QString wholeText = wasTrimmed ? row.subItem(WholeLengthItem) : row.Length;
    const double whole = WholeLength(row);
    if (trim.keepsWhole()) {
        row.Length = wholeText;
        row.subItem(TrimStartItem).clear();
        row.subItem(TrimEndItem).clear();
        row.subItem(WholeLengthItem).clear();
    } else {
        row.subItem(WholeLengthItem) = wholeText;
        row.subItem(TrimStartItem) = trim.start ? TrimTimeText(*trim.start) : QString();
        row.subItem(TrimEndItem) = trim.end ? TrimTimeText(*trim.end) : QString();
        // A clip whose length does not read keeps its Length as it was.
        if (whole >= 0)
            row.Length = SecondsToTimeText(trim.keptSeconds(whole));
    }
    row.LengthSeconds = TimeTextToSeconds(row.Length);
    for (const int item : {TrimStartItem, TrimEndItem, WholeLengthItem})
        *row.seconds(item) = TimeTextToSeconds(row.subItem(item));
}

QString TrimToolTip(const ltvItemData &row)
{
    const Trim trim = TrimOf(row);
    if (trim.keepsWhole())
        return QString();
    const double whole = WholeLength(row);
    return platform::translated(texts::TrimmedToolTip)
        .arg(TrimTimeText(trim.start.value_or(0.0)), trim.end ? TrimTimeText(*trim.end) : TrimTimeText(std::max(0.0, whole)),
             row.subItem(WholeLengthItem));
}

void SetRowTrim(TaskListView &tasks, int row, const Trim &trim)
{
    if (row < 0 || row >= tasks.count())
        return;
    ltvItemData data;
    tasks.GetTaskItem(row, field::All, data);
    ApplyTrim(data, trim);
    tasks.SetTaskItem(row, field::All, data);
}

QString TrimLine(const Trim &trim)
{
    return QStringLiteral("#velmora-trim start=%1 end=%2").arg(sideText(trim.start), sideText(trim.end));
}

std::optional<Trim> ReadTrimLine(const QString &line)
{
    static const QRegularExpression form(QStringLiteral("^#velmora-trim start=([0-9]+(?:\\.[0-9]+)?|-) end=([0-9]+(?:\\.[0-9]+)?|-)$"));
    const QRegularExpressionMatch match = form.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    const auto side = [](const QString &text) {
        return text == QLatin1String("-") ? std::nullopt : std::optional<double>(text.toDouble());
    };
    return Trim{side(match.captured(1)), side(match.captured(2))};
}

QList<ListEntry> ListEntries(const QStringList &lines)
{
    QList<ListEntry> entries;
    Trim pending;
    for (const QString &line : lines) {
        if (const std::optional<Trim> trim = ReadTrimLine(line)) {
            pending = *trim;
            continue;
        }
        entries.append(ListEntry{line, pending});
        pending = Trim();
    }
    return entries;
}

QList<ListEntry> CommandLineEntries(const QStringList &arguments)
{
    if (!arguments.isEmpty() && platform::ExtractFileExt(arguments.constFirst()).toLower() == QLatin1String(".tmp"))
        return ListEntries(ReadListFile(arguments.constFirst()));
    QList<ListEntry> entries;
    for (const QString &argument : arguments)
        entries.append(ListEntry{argument, Trim()});
    return entries;
}

QList<ListEntry> ListEntriesOf(const TaskListView &tasks)
{
    QList<ListEntry> entries;
    for (int row = 0; row < tasks.count(); ++row) {
        ltvItemData data;
        tasks.GetTaskItem(row, field::All, data);
        entries.append(ListEntry{data.InputFile, TrimOf(data)});
    }
    return entries;
}

QByteArray ListFileText(const QList<ListEntry> &entries)
{
    QByteArray text;
    for (const ListEntry &entry : entries) {
        if (!entry.trim.keepsWhole())
            text += TrimLine(entry.trim).toUtf8() + '\n';
        text += entry.path.toUtf8() + '\n';
    }
    return text;
}

} // namespace velmora::tasks
