#include "support/OutputChecks.h"

#include "support/MediaCheck.h"

#include <QSet>
#include <QStringList>

#include <cmath>

namespace velmora::test {

namespace {

// Up to ten of the values, then how many there are in all.
QString listed(const QList<int> &values, qsizetype total)
{
    QStringList words;
    for (qsizetype i = 0; i < values.size() && i < 10; ++i)
        words << QString::number(values.at(i));
    if (values.size() > 10)
        words << QStringLiteral("...");
    return QStringLiteral("%1 (%2 of %3)").arg(words.join(QLatin1String(", "))).arg(values.size()).arg(total);
}

// What makes numbers not worth comparing: none at all, or a frame that shows no number or a
// number that is none of the input's (the first such).
QString unusable(const QList<int> &shown, const QList<int> &input)
{
    if (shown.isEmpty())
        return QStringLiteral("no frames");
    if (input.isEmpty())
        return QStringLiteral("no input numbers");
    const QSet<int> known(input.begin(), input.end());
    for (qsizetype k = 0; k < shown.size(); ++k) {
        if (shown.at(k) < 0)
            return QStringLiteral("frame %1 shows no clean number").arg(k);
        if (!known.contains(shown.at(k)))
            return QStringLiteral("frame %1 shows %2, which is none of the input's").arg(k).arg(shown.at(k));
    }
    return {};
}

} // namespace

QString someNumbers(const QList<int> &numbers, qsizetype count, bool last)
{
    const qsizetype from = last ? qMax<qsizetype>(0, numbers.size() - count) : 0;
    const qsizetype to = last ? numbers.size() : qMin(count, numbers.size());
    QStringList words;
    if (last && from > 0)
        words << QStringLiteral("...");
    for (qsizetype i = from; i < to; ++i)
        words << QString::number(numbers.at(i));
    if (!last && to < numbers.size())
        words << QStringLiteral("...");
    return words.join(QLatin1Char(' '));
}

QString everyNumberInOrder(const QList<int> &shown, const QList<int> &input)
{
    if (const QString wrong = unusable(shown, input); !wrong.isEmpty())
        return wrong;
    QStringList wrong;
    QList<int> backwards;
    for (qsizetype k = 1; k < shown.size(); ++k) {
        if (shown.at(k) < shown.at(k - 1))
            backwards << int(k);
    }
    if (!backwards.isEmpty())
        wrong << QStringLiteral("steps back at frames %1").arg(listed(backwards, shown.size()));
    const QSet<int> seen(shown.begin(), shown.end());
    QList<int> missing;
    for (int number : input) {
        if (!seen.contains(number))
            missing << number;
    }
    if (!missing.isEmpty())
        wrong << QStringLiteral("missing %1").arg(listed(missing, input.size()));
    return wrong.join(QLatin1String("; "));
}

QString everyOtherNumber(const QList<int> &shown, const QList<int> &input)
{
    if (const QString wrong = unusable(shown, input); !wrong.isEmpty())
        return wrong;
    if (shown.constFirst() != input.constFirst())
        return QStringLiteral("begins with %1, not %2").arg(shown.constFirst()).arg(input.constFirst());
    QList<int> uneven;
    for (qsizetype k = 1; k < shown.size(); ++k) {
        const int step = shown.at(k) - shown.at(k - 1);
        const bool last = k + 1 == shown.size();
        if (step != 2 && !(last && step >= 0 && step < 2))
            uneven << int(k);
    }
    if (uneven.isEmpty())
        return {};
    return QStringLiteral("steps other than 2 at frames %1").arg(listed(uneven, shown.size()));
}

QString soundAsLongAsPicture(const QString &file)
{
    const double picture = videoSeconds(file);
    const double sound = audioSeconds(file);
    if (std::abs(sound - picture) <= 1.0 / 30 + 0.05)
        return {};
    return QStringLiteral("%1 s of sound to %2 s of picture").arg(sound, 0, 'f', 3).arg(picture, 0, 'f', 3);
}

} // namespace velmora::test
