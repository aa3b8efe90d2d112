#include "tasks/TaskSort.h"

#include <QCollator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <numeric>

namespace velmora::tasks {

namespace {

std::vector<int> rowsInOrder(size_t rows)
{
    std::vector<int> order(rows);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// A run of digits, or a run of anything else, from position on.
QStringView runAt(QStringView text, qsizetype position)
{
    const bool digits = text.at(position).isDigit();
    qsizetype end = position;
    while (end < text.size() && text.at(end).isDigit() == digits)
        ++end;
    return text.mid(position, end - position);
}

// Runs of digits compare by their value, the rest by the collator. The collator's own numeric
// mode is not used: in the C locale, where programs started from scripts often run, Qt's
// collator compares code points and ignores it.
int compareNaturally(const QCollator &collator, QStringView first, QStringView second)
{
    qsizetype a = 0;
    qsizetype b = 0;
    while (a < first.size() && b < second.size()) {
        const QStringView left = runAt(first, a);
        const QStringView right = runAt(second, b);
        a += left.size();
        b += right.size();
        int order = 0;
        if (left.at(0).isDigit() && right.at(0).isDigit()) {
            // By value: without leading zeros, the longer is larger; then digit by digit.
            const auto significant = [](QStringView digits) {
                qsizetype zeros = 0;
                while (zeros + 1 < digits.size() && digits.at(zeros) == QLatin1Char('0'))
                    ++zeros;
                return digits.mid(zeros);
            };
            const QStringView x = significant(left);
            const QStringView y = significant(right);
            order = x.size() != y.size() ? (x.size() < y.size() ? -1 : 1) : x.compare(y);
        } else {
            order = collator.compare(left, right);
        }
        if (order != 0)
            return order;
    }
    return int(a < first.size()) - int(b < second.size());
}

} // namespace

std::vector<int> NaturalOrder(const QStringList &paths)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The name before its extension first, so that "a.mp4" goes before "a2.mp4" as "a" goes
    // before "a2"; then the extension.
    QStringList stems;
    QStringList extensions;
    stems.reserve(paths.size());
    extensions.reserve(paths.size());
    for (const QString &path : paths) {
        const QFileInfo file(path);
        stems << file.completeBaseName();
        extensions << file.suffix();
    }
    std::vector<int> order = rowsInOrder(static_cast<size_t>(paths.size()));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int byStem = compareNaturally(collator, stems.at(a), stems.at(b));
        return byStem != 0 ? byStem < 0 : compareNaturally(collator, extensions.at(a), extensions.at(b)) < 0;
    });
    return order;
}

std::vector<int> TimeOrder(const std::vector<QDateTime> &times)
{
    std::vector<int> order = rowsInOrder(times.size());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QDateTime &first = times[static_cast<size_t>(a)];
        const QDateTime &second = times[static_cast<size_t>(b)];
        if (first.isValid() != second.isValid())
            return first.isValid();
        return first.isValid() && first < second;
    });
    return order;
}

std::vector<int> ReversedOrder(int rows)
{
    std::vector<int> order = rowsInOrder(static_cast<size_t>(std::max(rows, 0)));
    std::reverse(order.begin(), order.end());
    return order;
}

QDateTime ParseTagTime(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*(UTC\\s+)?(\\d{4})[-:](\\d{2})[-:](\\d{2})"
        "(?:[T ](\\d{2}):(\\d{2})(?::(\\d{2})(?:[.,](\\d+))?)?)?"
        "\\s*(Z|UTC|[+-]\\d{2}:?\\d{2})?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const QDate date(match.captured(2).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
    if (!date.isValid() || date.year() <= 1970)
        return {};
    int milliseconds = 0;
    if (const QString fraction = match.captured(8); !fraction.isEmpty())
        milliseconds = (fraction + QStringLiteral("00")).left(3).toInt();
    const QTime time = match.captured(5).isEmpty()
                           ? QTime(0, 0)
                           : QTime(match.captured(5).toInt(), match.captured(6).toInt(), match.captured(7).toInt(), milliseconds);
    if (!time.isValid())
        return {};
    const QString zone = match.captured(9);
    if (!match.captured(1).isEmpty() || zone == QLatin1String("Z") || zone == QLatin1String("UTC"))
        return QDateTime(date, time, QTimeZone::utc());
    if (zone.isEmpty())
        return QDateTime(date, time);
    const QString digits = QString(zone).remove(QLatin1Char(':'));
    const int offset = (digits.mid(1, 2).toInt() * 60 + digits.mid(3, 2).toInt()) * 60;
    return QDateTime(date, time, QTimeZone(digits.startsWith(QLatin1Char('-')) ? -offset : offset));
}

} // namespace velmora::tasks
