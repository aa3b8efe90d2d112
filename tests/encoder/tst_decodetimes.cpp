// Decoding times worked out for pictures whose container keeps only when each is shown: what
// comes out must decode in order (strictly rising times), never after it is shown, and keep
// every picture and every time the container did give.
#include "encoder/reading/DecodeTimes.h"

#include <QtTest>

#include <optional>

using velmora::encoder::DecodeTimes;
using velmora::encoder::PacketPtr;

namespace {

constexpr qint64 None = AV_NOPTS_VALUE;

struct Out
{
    QList<qint64> pts;
    QList<qint64> dts;
    int late = 0;
};

Out decode(const QList<qint64> &shown, const QList<qint64> &given, int delay, qint64 frame)
{
    DecodeTimes times(delay, frame);
    std::vector<PacketPtr> ready;
    Out out;
    const auto take = [&] {
        for (const PacketPtr &packet : ready) {
            out.pts << packet->pts;
            out.dts << packet->dts;
        }
        ready.clear();
    };
    for (qsizetype i = 0; i < shown.size(); ++i) {
        PacketPtr packet(av_packet_alloc());
        packet->pts = shown.at(i);
        packet->dts = given.value(i, None);
        times.push(std::move(packet), ready);
        take();
    }
    times.finish(ready);
    take();
    out.late = times.late();
    return out;
}

// x264's order with two B-frames and a pyramid, 40 ms a picture: I P B B P B B ...
const QList<qint64> Pyramid{0, 120, 40, 80, 240, 160, 200, 360, 280, 320, 400};

} // namespace

class tst_DecodeTimes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesInOrder_data()
    {
        QTest::addColumn<QList<qint64>>("shown");
        QTest::addColumn<QList<qint64>>("given");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("late");

        // Matroska: the reader gives none for the first `delay` packets, then its own, each the
        // display time `delay` places earlier in display order.
        QList<qint64> sorted = Pyramid;
        std::sort(sorted.begin(), sorted.end());
        const QList<qint64> matroska = QList<qint64>{None, None} + sorted.mid(0, sorted.size() - 2);
        QTest::newRow("Matroska: the first two missing") << Pyramid << matroska << 2 << 0;
        QTest::newRow("a raw stream: none at all") << Pyramid << QList<qint64>{} << 2 << 0;
        QTest::newRow("a delay larger than needed") << Pyramid << QList<qint64>{} << 4 << 0;
        QTest::newRow("no B-frames") << QList<qint64>{0, 40, 80, 120} << QList<qint64>{} << 0 << 0;
        QTest::newRow("fewer pictures than the delay") << QList<qint64>{0, 80, 40} << QList<qint64>{} << 4 << 0;
        QTest::newRow("one picture") << QList<qint64>{500} << QList<qint64>{} << 2 << 0;
        // A stream that says it holds nothing back, but does (or damage): shown when decoded.
        QTest::newRow("reordered deeper than declared") << Pyramid << QList<qint64>{} << 0 << 6;
        QTest::newRow("two pictures at one time") << QList<qint64>{0, 40, 40, 80} << QList<qint64>{} << 0 << 1;
    }
    void decodesInOrder()
    {
        QFETCH(QList<qint64>, shown);
        QFETCH(QList<qint64>, given);
        QFETCH(int, delay);
        QFETCH(int, late);
        const Out out = decode(shown, given, delay, 40);
        QCOMPARE(out.pts.size(), shown.size());
        QCOMPARE(out.late, late);
        for (qsizetype i = 0; i < out.dts.size(); ++i) {
            QVERIFY2(out.dts.at(i) <= out.pts.at(i), qPrintable(QString::number(i)));
            if (i > 0)
                QVERIFY2(out.dts.at(i) > out.dts.at(i - 1), qPrintable(QString::number(i)));
            // Every display time is kept but where it had to come later, and every time given.
            if (late == 0)
                QCOMPARE(out.pts.at(i), shown.at(i));
            if (given.value(i, None) != None && late == 0)
                QCOMPARE(out.dts.at(i), given.at(i));
        }
    }

    void firstPicturesAFrameApart()
    {
        // As the container would have them: decoding starts two frames before the first picture shows.
        const Out out = decode(Pyramid, {}, 2, 40);
        QCOMPARE(out.dts.mid(0, 5), (QList<qint64>{-80, -40, 0, 40, 80}));
    }
};

QTEST_APPLESS_MAIN(tst_DecodeTimes)
#include "tst_decodetimes.moc"
