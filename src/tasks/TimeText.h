#pragma once

#include <QString>

namespace velmora::tasks {

// A duration as hours, minutes and whole seconds, each at least two digits and separated
// by ":", followed by "." and tenths when there are any: "00:01:15", "01:02:05.4".
QString SecondsToTimeText(double seconds);

// A position on a clip to the millisecond, as the preview shows it: hours, then minutes and
// seconds of two digits, then "." and three digits: "0:01:23.456", "12:00:05.000". Rounded to
// the nearest millisecond; below 0 is 0.
QString ClockText(double seconds);

// Reads a time text back; -1 when the text is not one. Parts may have fewer or more
// digits ("1:2:3" is 3723 s); the seconds may carry a decimal fraction after ".".
double TimeTextToSeconds(const QString &text);

// Rounds to the nearest whole number, halves to the even neighbour.
qint64 RoundHalfEven(double value);

} // namespace velmora::tasks
