// Where a join that copies cuts a trimmed input, planned from its picture packets in reading
// order: it must start at a key picture at or before the trim's start, and keep every picture
// shown before the end together with what those are decoded from, with no gap in what is shown.
#include "encoder/joining/TrimCut.h"

#include <QtTest>

#include <optional>

using velmora::encoder::PacketTime;
using velmora::encoder::PlanTrimCut;
using velmora::encoder::TrimCut;

namespace {

constexpr qint64 None = AV_NOPTS_VALUE;

// Pictures in reading order as "I0 P3 B1 B2": I a key picture, the number its display time
// ("-" for none).
std::vector<PacketTime> pictures(const QString &text)
{
    std::vector<PacketTime> read;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString time = word.mid(1);
        read.push_back({time == QLatin1String("-") ? None : time.toLongLong(), word.at(0) == QLatin1Char('I')});
    }
    return read;
}

// The display times of the pictures the cut keeps, in reading order.
QList<qint64> kept(const std::vector<PacketTime> &read, const TrimCut &cut)
{
    QList<qint64> times;
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (cut.keeps(i, read[i].pts))
            times << read[i].pts;
    }
    return times;
}

} // namespace

class tst_TrimCut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plan_data()
    {
        QTest::addColumn<QString>("read");
        QTest::addColumn<qint64>("start"); // -1: none
        QTest::addColumn<qint64>("end");   // -1: none
        QTest::addColumn<qint64>("from");  // the key picture's time it starts at
        QTest::addColumn<QList<qint64>>("shown");

        const QString gops = QStringLiteral("I0 P1 P2 P3 I4 P5 P6 P7 I8 P9");
        QTest::newRow("whole") << gops << qint64(-1) << qint64(-1) << None << QList<qint64>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("start on a key picture") << gops << qint64(4) << qint64(-1) << qint64(4) << QList<qint64>{4, 5, 6, 7, 8, 9};
        QTest::newRow("start between key pictures: the one before") << gops << qint64(6) << qint64(-1) << qint64(4)
                                                                     << QList<qint64>{4, 5, 6, 7, 8, 9};
        QTest::newRow("end alone") << gops << qint64(-1) << qint64(3) << None << QList<qint64>{0, 1, 2};
        QTest::newRow("start and end") << gops << qint64(5) << qint64(7) << qint64(4) << QList<qint64>{4, 5, 6};
        QTest::newRow("end past the last picture") << gops << qint64(7) << qint64(40) << qint64(4) << QList<qint64>{4, 5, 6, 7, 8, 9};
        QTest::newRow("start before the first key picture") << QStringLiteral("P0 P1 I2 P3 P4") << qint64(1) << qint64(-1) << qint64(2)
                                                            << QList<qint64>{2, 3, 4};

        // B-frames: read I0 P3 B1 B2 P6 B4 B5 I9 B7 B8, shown 0 to 9.
        const QString bframes = QStringLiteral("I0 P3 B1 B2 P6 B4 B5 I9 B7 B8");
        QTest::newRow("B-frames, end after a reference picture") << bframes << qint64(-1) << qint64(4) << None
                                                                 << QList<qint64>{0, 3, 1, 2};
        // B4 needs P6, read before it; B5 is shown between and fills what would be a gap.
        QTest::newRow("B-frames, end after a B-frame") << bframes << qint64(-1) << qint64(5) << None
                                                       << QList<qint64>{0, 3, 1, 2, 6, 4, 5};
        // Open GOP: B7 and B8, read after I9 but shown before it, are not the part's own.
        QTest::newRow("B-frames, start at a later key picture") << bframes << qint64(9) << qint64(-1) << qint64(9) << QList<qint64>{9};

        QTest::newRow("no key picture: from the first picture")
            << QStringLiteral("P0 P1 P2") << qint64(1) << qint64(-1) << qint64(0) << QList<qint64>{0, 1, 2};
        QTest::newRow("pictures without a time are kept inside the span")
            << QStringLiteral("I0 P- P2 P3 I4") << qint64(0) << qint64(3) << qint64(0) << QList<qint64>{0, None, 2};
        QTest::newRow("no pictures") << QString() << qint64(2) << qint64(5) << None << QList<qint64>{};
    }
    void plan()
    {
        QFETCH(QString, read);
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        QFETCH(qint64, from);
        QFETCH(QList<qint64>, shown);
        const std::vector<PacketTime> packets = pictures(read);
        const TrimCut cut = PlanTrimCut(packets, start < 0 ? std::nullopt : std::optional<std::int64_t>(start),
                                        end < 0 ? std::nullopt : std::optional<std::int64_t>(end));
        QCOMPARE(qint64(cut.from), from);
        QCOMPARE(kept(packets, cut), shown);
    }
};

QTEST_GUILESS_MAIN(tst_TrimCut)
#include "tst_trimcut.moc"
