// Which decoded picture fills which output frame, where each input ends, how much sound
// belongs to it, and the status line as the job's reader takes it.
#include "encoder/Status.h"
#include "encoder/Timing.h"
#include "job/PositionReader.h"

#include <QtTest>

using namespace velmora;

namespace {

// The input frame (by number) shown in each output slot, for pictures at the given rate.
QList<int> pick(AVRational inputRate, int frames, AVRational outputRate, double seconds)
{
    const AVRational timeBase = av_inv_q(inputRate);
    encoder::SlotPicker picker(0);
    QList<int> shown;
    for (int n = 0; n < frames; ++n) {
        const std::int64_t count = picker.take(encoder::firstSlotOf(n, timeBase, outputRate));
        for (std::int64_t i = 0; i < count; ++i)
            shown << n - 1;
    }
    const std::int64_t count = picker.finish(encoder::slotAtSeconds(seconds, outputRate));
    for (std::int64_t i = 0; i < count; ++i)
        shown << frames - 1;
    return shown;
}

} // namespace

class tst_Timing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void framesToSlots_data()
    {
        QTest::addColumn<int>("inputNum");
        QTest::addColumn<int>("inputDen");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QList<int>>("expected"); // first output slots
        QTest::addColumn<int>("slots");
        QTest::newRow("same rate") << 30 << 1 << 60 << QList<int>{0, 1, 2, 3, 4, 5} << 60;
        QTest::newRow("25 to 30 repeats every fifth") << 25 << 1 << 50 << QList<int>{0, 0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9} << 60;
        QTest::newRow("15 to 30 shows each twice") << 15 << 1 << 30 << QList<int>{0, 0, 1, 1, 2, 2} << 60;
        QTest::newRow("60 to 30 drops every other") << 60 << 1 << 120 << QList<int>{0, 2, 4, 6, 8, 10} << 60;
        QTest::newRow("24 to 30") << 24 << 1 << 48 << QList<int>{0, 0, 1, 2, 3, 4, 4, 5, 6, 7} << 60;
        QTest::newRow("29.97 to 30") << 30000 << 1001 << 300 << QList<int>{0, 0, 1, 2, 3} << 300;
    }
    void framesToSlots()
    {
        QFETCH(int, inputNum);
        QFETCH(int, inputDen);
        QFETCH(int, frames);
        QFETCH(QList<int>, expected);
        QFETCH(int, slots);
        const AVRational rate{inputNum, inputDen};
        const double seconds = frames * av_q2d(av_inv_q(rate));
        const QList<int> shown = pick(rate, frames, AVRational{30, 1}, seconds);
        QCOMPARE(shown.size(), slots);
        QCOMPARE(shown.mid(0, expected.size()), expected);
        // Each slot k shows the picture whose display time holds k/30.
        for (int k = 0; k < shown.size(); ++k) {
            const double time = k / 30.0;
            const int holding = std::min(frames - 1, int(std::floor(time * av_q2d(rate) + 1e-9)));
            QCOMPARE(shown.at(k), holding);
        }
    }

    void variableRate()
    {
        // A phone clip: pictures at uneven times keep their place on the clock.
        const AVRational timeBase{1, 90000};
        const QList<std::int64_t> starts = {0, 3000, 8000, 9000, 21000, 30000};
        encoder::SlotPicker picker(10);
        QList<std::int64_t> counts;
        for (const std::int64_t start : starts)
            counts << picker.take(encoder::firstSlotOf(start, timeBase, AVRational{30, 1}));
        counts << picker.finish(10 + 12);
        // 0 s, 1/30, 0.089, 0.1 (the same slot as 0.089: replaces it), 0.233, 1/3; ends at 12 slots.
        QCOMPARE(counts, (QList<std::int64_t>{0, 1, 2, 0, 4, 3, 2}));
        QCOMPARE(picker.next(), std::int64_t(22));
    }

    void inputEndsRoundToSlots_data()
    {
        QTest::addColumn<QList<double>>("lengths");
        QTest::addColumn<QList<std::int64_t>>("ends");
        QTest::newRow("whole frames") << QList<double>{2.0, 3.0, 2.0} << QList<std::int64_t>{60, 150, 210};
        QTest::newRow("no drift over many inputs")
            << QList<double>{1.02, 1.02, 1.02, 1.02, 1.02} << QList<std::int64_t>{31, 61, 92, 122, 153};
        QTest::newRow("29.97 clip of 600 frames") << QList<double>{600 * 1001 / 30000.0, 20.0} << QList<std::int64_t>{601, 1201};
    }
    void inputEndsRoundToSlots()
    {
        QFETCH(QList<double>, lengths);
        QFETCH(QList<std::int64_t>, ends);
        double total = 0;
        QList<std::int64_t> got;
        for (const double length : lengths) {
            total += length;
            got << encoder::slotAtSeconds(total, AVRational{30, 1});
        }
        QCOMPARE(got, ends);
    }

    void soundPerSlot_data()
    {
        QTest::addColumn<int>("rateNum");
        QTest::addColumn<int>("rateDen");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<std::int64_t>("slot");
        QTest::addColumn<std::int64_t>("samples");
        QTest::newRow("30 at 44.1k") << 30 << 1 << 44100 << std::int64_t(30) << std::int64_t(44100);
        QTest::newRow("one frame at 48k") << 30 << 1 << 48000 << std::int64_t(1) << std::int64_t(1600);
        QTest::newRow("NTSC at 48k") << 30000 << 1001 << 48000 << std::int64_t(5) << std::int64_t(8008);
        QTest::newRow("NTSC at 44.1k, rounded") << 30000 << 1001 << 44100 << std::int64_t(1) << std::int64_t(1471);
    }
    void soundPerSlot()
    {
        QFETCH(int, rateNum);
        QFETCH(int, rateDen);
        QFETCH(int, sampleRate);
        QFETCH(std::int64_t, slot);
        QFETCH(std::int64_t, samples);
        QCOMPARE(encoder::samplesAtSlot(slot, AVRational{rateNum, rateDen}, sampleRate), samples);
    }

    void statusLinesReadByTheJob_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("read");
        QTest::newRow("start") << 0.0 << 0.0;
        QTest::newRow("tenths") << 12.34 << 12.3;
        QTest::newRow("hours") << 3725.06 << 3725.1;
    }
    void statusLinesReadByTheJob()
    {
        QFETCH(double, seconds);
        QFETCH(double, read);
        job::PositionReader reader(job::PositionReader::Pass::Conversion, QLocale::c());
        std::optional<double> position;
        // The job passes over the first twenty chunks of every run.
        for (int i = 0; i <= job::PositionReader::SkippedChunks; ++i)
            position = reader.takeChunk(QByteArray::fromStdString(encoder::statusText(seconds, 42, 50, 100.0)));
        QVERIFY(position);
        QCOMPARE(*position, read);
    }
};

QTEST_GUILESS_MAIN(tst_Timing)
#include "tst_timing.moc"
