#include "tasks/TimeText.h"

#include <QRegularExpression>

#include <cmath>

namespace velmora::tasks {

qint64 RoundHalfEven(double value)
{
    const double whole = std::floor(value);
    const double fraction = value - whole;
    qint64 result = static_cast<qint64>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

QString SecondsToTimeText(double seconds)
{
    const qint64 total = static_cast<qint64>(std::trunc(seconds));
    qint64 h = total / 3600;
    qint64 m = (total - 3600 * h) / 60;
    qint64 s = total - 3600 * h - 60 * m;
    qint64 tenths = RoundHalfEven((seconds - 3600.0 * h - 60.0 * m - s) * 10);
    // A fraction that rounds to ten tenths is one more whole second.
    if (tenths >= 10) {
        tenths -= 10;
        if (++s == 60) {
            s = 0;
            if (++m == 60) {
                m = 0;
                ++h;
            }
        }
    }
    QString text = QStringLiteral("%1:%2:%3")
                       .arg(h, 2, 10, QLatin1Char('0'))
                       .arg(m, 2, 10, QLatin1Char('0'))
                       .arg(s, 2, 10, QLatin1Char('0'));
    if (tenths != 0)
        text += QLatin1Char('.') + QString::number(tenths);
    return text;
}

QString ClockText(double seconds)
{
    const qint64 total = seconds > 0 ? std::llround(seconds * 1000) : 0;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(total / 3600000)
        .arg(total / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(total / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 1000, 3, 10, QLatin1Char('0'));
}

double TimeTextToSeconds(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]*)?([eE][+-]?[0-9]+)?$"));

    const qsizetype first = text.indexOf(QLatin1Char(':'));
    if (first < 0)
        return -1;
    const QString hours = text.left(first);
    const QString rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char(':'));
    if (second < 0)
        return -1;
    const QString minutes = rest.left(second);
    const QString secs = rest.mid(second + 1);
    if (!integer.match(hours).hasMatch() || !integer.match(minutes).hasMatch() || !decimal.match(secs).hasMatch())
        return -1;
    bool okHours = false;
    bool okMinutes = false;
    const qint64 h = hours.toLongLong(&okHours);
    const qint64 m = minutes.toLongLong(&okMinutes);
    if (!okHours || !okMinutes)
        return -1;
    return static_cast<double>(h * 3600 + m * 60) + secs.toDouble();
}

} // namespace velmora::tasks
