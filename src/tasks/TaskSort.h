#pragma once

#include <QDateTime>
#include <QStringList>

#include <vector>

namespace velmora::tasks {

// How the Sort menu orders the task list.
enum class SortKey { FileName, RecordingTime, Reverse };

// The orders below give, for each place in the list, the row that goes there (as Arranged
// takes it). Each sort is stable: rows that compare equal keep their order.

// By the files' names without their folders, as people read them: numbers by their value
// (clip2 before clip10) and letters without regard to case.
std::vector<int> NaturalOrder(const QStringList &paths);

// By the moments given, the earliest first; rows without one (invalid) go last.
std::vector<int> TimeOrder(const std::vector<QDateTime> &times);

// The last row first.
std::vector<int> ReversedOrder(int rows);

// A moment as the files' tags write it: "UTC 2024-05-01 10:00:00", "2024-05-01 10:00:00 UTC",
// "2024-05-01T10:00:00.000000Z", "2024-05-01T12:00:00+0200", "2024-05-01T12:00:00+02:00",
// "2024:05:01 10:00:00" (a camera's), or a date alone. Without a zone the time is local.
// Invalid for anything else, and for the zero moments that stand for "never set" (1904 and
// 1970, the first days of QuickTime's and Unix's clocks).
QDateTime ParseTagTime(const QString &text);

} // namespace velmora::tasks
