// Which decoded picture fills which output frame, where each input ends, how much sound
// belongs to it, how an input's clock is made continuous, and the status line as the job's
// reader takes it.
#include "encoder/Owners.h"
#include "encoder/Status.h"
#include "encoder/fitting/Sound.h"
#include "encoder/fitting/Timing.h"
#include "encoder/reading/Timeline.h"
#include "job/PositionReader.h"

#include <QtTest>

extern "C" {
#include <libavutil/mathematics.h>
}

using namespace velmora;

namespace {

// How a container keeps its pictures' times.
enum class Clock {
    Exact,        // a time base of the frame rate itself
    Milliseconds, // Matroska, WebM, FLV: each time rounded to the millisecond
    Jittered,     // a phone: 90 kHz, each time off by up to a millisecond either way
};

} // namespace

Q_DECLARE_METATYPE(Clock)

namespace {

// The input frame (by number) shown in each output slot, for pictures at the given rate
// whose times are kept by the given clock.
QList<int> pick(AVRational inputRate, int frames, Clock clock, AVRational outputRate, double seconds)
{
    AVRational timeBase = av_inv_q(inputRate);
    if (clock == Clock::Milliseconds)
        timeBase = AVRational{1, 1000};
    else if (clock == Clock::Jittered)
        timeBase = AVRational{1, 90000};
    std::uint32_t seed = 12345;
    encoder::SlotPicker picker(0);
    QList<int> shown;
    for (int n = 0; n < frames; ++n) {
        std::int64_t offset = av_rescale_q(n, av_inv_q(inputRate), timeBase);
        if (clock == Clock::Jittered) {
            seed = seed * 1103515245u + 12345u;
            offset += std::int64_t(seed >> 16) % 181 - 90; // up to 1 ms at 90 kHz
        }
        const std::int64_t count = picker.take(encoder::picturePosition(std::max<std::int64_t>(0, offset), timeBase, inputRate, outputRate));
        for (std::int64_t i = 0; i < count; ++i)
            shown << n - 1;
    }
    const std::int64_t count = picker.finish(encoder::slotAtSeconds(seconds, outputRate));
    for (std::int64_t i = 0; i < count; ++i)
        shown << frames - 1;
    return shown;
}

// What the timeline makes of one sound stream's packets (26 ms each, times in milliseconds) in
// a format of the given name that states the given play time: each packet's time as handed on
// (-1: left without one), then how many jumps and stray times it counted.
QList<qint64> placed(const char *formatName, const QList<qint64> &times, double statedSeconds)
{
    struct Free
    {
        void operator()(AVFormatContext *context) const { avformat_free_context(context); }
    };
    std::unique_ptr<AVFormatContext, Free> format(avformat_alloc_context());
    format->iformat = av_find_input_format(formatName);
    AVStream *stream = avformat_new_stream(format.get(), nullptr);
    if (!format->iformat || !stream)
        qFatal("no %s reader", formatName);
    stream->time_base = AVRational{1, 1000};
    stream->codecpar->codec_type = AVMEDIA_TYPE_AUDIO;

    encoder::Timeline timeline(format.get(), 0, statedSeconds, 40000);
    std::vector<encoder::PacketPtr> packets;
    for (const qint64 time : times) {
        packets.emplace_back(av_packet_alloc());
        packets.back()->dts = packets.back()->pts = time;
        packets.back()->duration = 26;
    }
    QList<qint64> result;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        AVPacket *packet = packets[i].get();
        if (!timeline.place(packet, stream, i + 1 < packets.size() ? packets[i + 1].get() : nullptr))
            break;
        result << (packet->dts == AV_NOPTS_VALUE ? -1 : packet->dts);
    }
    return result << timeline.jumps() << timeline.strayTimes();
}

// Packets every 26 ms from the first time, count of them.
QList<qint64> steady(qint64 first, int count)
{
    QList<qint64> times;
    for (int i = 0; i < count; ++i)
        times << first + 26 * i;
    return times;
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
        QTest::addColumn<Clock>("clock");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QList<int>>("expected"); // first output slots
        const QList<std::pair<const char *, Clock>> clocks = {
            {"exact", Clock::Exact}, {"ms", Clock::Milliseconds}, {"jitter", Clock::Jittered}};
        for (const auto &[name, clock] : clocks) {
            const auto row = [&](const char *rate) -> QTestData & { return QTest::addRow("%s, %s", rate, name); };
            row("30 to 30") << 30 << 1 << clock << 300 << QList<int>{0, 1, 2, 3, 4, 5};
            row("25 to 30 repeats every fifth") << 25 << 1 << clock << 250 << QList<int>{0, 1, 2, 2, 3, 4, 5, 6, 7, 7};
            row("15 to 30 shows each twice") << 15 << 1 << clock << 150 << QList<int>{0, 0, 1, 1, 2, 2};
            row("24 to 30") << 24 << 1 << clock << 240 << QList<int>{0, 1, 1, 2, 3, 4, 5, 5, 6, 7};
            row("29.97 to 30") << 30000 << 1001 << clock << 3000 << QList<int>{0, 1, 2, 3, 4};
            row("23.976 to 30") << 24000 << 1001 << clock << 2400 << QList<int>{0, 1, 1, 2, 3};
            row("60 to 30 keeps every other") << 60 << 1 << clock << 600 << QList<int>{0, 2, 4, 6, 8, 10};
            row("59.94 to 30 keeps every other") << 60000 << 1001 << clock << 6000 << QList<int>{0, 2, 4, 6, 8, 10};
        }
    }
    void framesToSlots()
    {
        QFETCH(int, inputNum);
        QFETCH(int, inputDen);
        QFETCH(Clock, clock);
        QFETCH(int, frames);
        QFETCH(QList<int>, expected);
        const AVRational rate{inputNum, inputDen};
        const double seconds = frames * av_q2d(av_inv_q(rate));
        const QList<int> shown = pick(rate, frames, clock, AVRational{30, 1}, seconds);
        QCOMPARE(shown.size(), qsizetype(std::llround(seconds * 30)));
        QCOMPARE(shown.mid(0, expected.size()), expected);
        const bool faster = av_q2d(rate) > 30.5;
        for (int k = 1; k < shown.size(); ++k) {
            const int step = shown.at(k) - shown.at(k - 1);
            // In order; every picture shown, or (faster than the output) every other one, evenly.
            const bool even = faster ? step == 2 || (step == 1 && rate.den > 1) : step == 0 || step == 1;
            QVERIFY2(even, qPrintable(QStringLiteral("slot %1 shows %2 after %3").arg(k).arg(shown.at(k)).arg(shown.at(k - 1))));
            // Each picture first shows in the slot nearest its time, or at most 3/4 of a slot late.
            if (step != 0) {
                const double slotsLate = k - shown.at(k) * av_q2d(av_inv_q(rate)) * 30;
                QVERIFY2(slotsLate > -0.51 && slotsLate < 0.76, qPrintable(QStringLiteral("slot %1: %2 slots late").arg(k).arg(slotsLate)));
            }
        }
        // To the end: a faster input's last picture may give way to the one before it.
        QVERIFY(shown.constLast() >= frames - (faster ? 2 : 1));
    }

    void framesOnTheirGrid_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("timeBaseDen");
        QTest::addColumn<int>("nominalNum");
        QTest::addColumn<int>("nominalDen");
        QTest::addColumn<qint64>("position");
        QTest::newRow("29.97 frame 1 stored as 33 ms") << 33 << 1000 << 30000 << 1001 << qint64(1001);
        QTest::newRow("29.97 frame 2 stored as 67 ms") << 67 << 1000 << 30000 << 1001 << qint64(2002);
        QTest::newRow("30 frame 2 stored as 67 ms") << 67 << 1000 << 30 << 1 << qint64(2000);
        QTest::newRow("30 frame 1 at 90 kHz, 0.9 ms early") << 2919 << 90000 << 30 << 1 << qint64(1000);
        QTest::newRow("off the grid by a third of a frame") << 44 << 1000 << 30 << 1 << qint64(1320);
        QTest::newRow("no rate stated") << 67 << 1000 << 0 << 1 << qint64(2010);
        QTest::newRow("a rate no stream has") << 67 << 1000 << 1 << 100000 << qint64(2010);
    }
    void framesOnTheirGrid()
    {
        QFETCH(int, offset);
        QFETCH(int, timeBaseDen);
        QFETCH(int, nominalNum);
        QFETCH(int, nominalDen);
        QFETCH(qint64, position);
        QCOMPARE(encoder::picturePosition(offset, AVRational{1, timeBaseDen}, AVRational{nominalNum, nominalDen}, AVRational{30, 1}),
                 std::int64_t(position));
    }

    void damagedTimesDoNotOverflow()
    {
        // A tick of 5.4 million seconds, as a flipped bit in an AVI header gives.
        const AVRational timeBase{134217729, 25};
        const std::int64_t far = encoder::picturePosition(std::int64_t(1) << 40, timeBase, AVRational{0, 1}, AVRational{30, 1});
        QVERIFY(far > 0);
        QVERIFY(encoder::picturePosition(-(std::int64_t(1) << 40), timeBase, AVRational{0, 1}, AVRational{30, 1}) < 0);
        encoder::SlotPicker picker(0);
        QCOMPARE(picker.take(0), std::int64_t(0));
        QVERIFY(picker.take(far) > 0); // saturates, never wraps round to an earlier slot
        QVERIFY(!encoder::plausibleFrameRate(av_inv_q(timeBase)));
        QVERIFY(!encoder::plausibleFrameRate(AVRational{1001, 1}));
        QVERIFY(encoder::plausibleFrameRate(AVRational{1, 10}));
        QVERIFY(!encoder::plausibleSampleRate(800000));
    }

    void timelineAcrossDamageAndJumps_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<double>("stated");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QList<qint64>>("placed"); // then jumps, then stray times

        // One flipped bit in an FLV tag's time: that packet alone loses its time, and the sound
        // after it keeps its place instead of a second later.
        QTest::newRow("flv: one time a second back") << QByteArray("flv") << 2.0 << (QList<qint64>{0, 26, 52, 78 - 1000, 104, 130})
                                                     << (QList<qint64>{0, 26, 52, -1, 104, 130, 0, 1});
        QTest::newRow("flv: one time a second ahead") << QByteArray("flv") << 2.0 << (QList<qint64>{0, 26, 1052, 78, 104})
                                                      << (QList<qint64>{0, 26, -1, 78, 104, 0, 1});
        // Past the stated end and back: damage again, not the end of the input.
        QTest::newRow("flv: one time past the end") << QByteArray("flv") << 2.0 << (QList<qint64>{0, 26, 1048628, 78, 104})
                                                    << (QList<qint64>{0, 26, -1, 78, 104, 0, 1});
        // A file whose times start again (two put together): the second part goes on after the
        // first.
        QTest::newRow("flv: times start again") << QByteArray("flv") << -1.0 << (steady(0, 50) + steady(0, 3))
                                                << (steady(0, 53) << 1 << 0);
        // A transport stream's jump forward is taken out; one packet out of line is only damage.
        QTest::newRow("ts: jump ten minutes forward") << QByteArray("mpegts") << -1.0 << (steady(0, 3) + steady(600000, 3))
                                                      << (QList<qint64>{0, 26, 52, 78, 104, 130, 1, 0});
        QTest::newRow("ts: one time ten minutes ahead") << QByteArray("mpegts") << -1.0 << (QList<qint64>{0, 26, 600052, 78, 104})
                                                        << (QList<qint64>{0, 26, -1, 78, 104, 0, 1});
        // Sound that resumes after a real gap keeps the gap: the packet after the gap goes on
        // from there.
        QTest::newRow("flv: a gap in the sound") << QByteArray("flv") << 5.0 << (steady(0, 2) + steady(2000, 2))
                                                 << (QList<qint64>{0, 26, 2000, 2026, 0, 0});
        // Past the stated end and a second for good: the input ends there.
        QTest::newRow("flv: more than stated") << QByteArray("flv") << 0.05 << steady(0, 60) << (steady(0, 41) << 1 << 0);
    }
    void timelineAcrossDamageAndJumps()
    {
        QFETCH(QByteArray, format);
        QFETCH(double, stated);
        QFETCH(QList<qint64>, times);
        QFETCH(QList<qint64>, placed);
        QCOMPARE(::placed(format.constData(), times, stated), placed);
    }

    void soundPlacedByItsTime_data()
    {
        QTest::addColumn<double>("start"); // the frame's time after the first picture, in seconds
        QTest::addColumn<int>("placed");   // samples of it placed
        QTest::newRow("on time") << 0.0 << 44100;
        QTest::newRow("half a second early: the early half is cut") << -0.5 << 22050;
        // Sound from hours before the first picture is a damaged time, not hours to cut (which
        // took the resampler seconds and left no sound).
        QTest::newRow("nine hours early") << -9.3 * 3600 << 44100;
    }
    void soundPlacedByItsTime()
    {
        QFETCH(double, start);
        QFETCH(int, placed);
        encoder::SoundTarget target;
        target.sampleRate = 44100;
        target.format = AV_SAMPLE_FMT_S16;
        av_channel_layout_default(&target.layout, 1);
        encoder::SoundAligner aligner(target, "test");
        const encoder::FramePtr frame(av_frame_alloc());
        frame->nb_samples = 44100;
        frame->sample_rate = 44100;
        frame->format = AV_SAMPLE_FMT_S16;
        av_channel_layout_default(&frame->ch_layout, 1);
        QCOMPARE(av_frame_get_buffer(frame.get(), 0), 0);
        av_samples_set_silence(frame->extended_data, 0, frame->nb_samples, 1, AV_SAMPLE_FMT_S16);
        QCOMPARE(aligner.push(frame.get(), std::llround(start * 44100)), std::int64_t(0));
        aligner.finish();
        QVERIFY2(std::abs(aligner.placed() - placed) <= 64, qPrintable(QStringLiteral("%1 samples placed").arg(aligner.placed())));
    }

    void variableRate()
    {
        // A phone clip: pictures at uneven times keep their place on the clock.
        const AVRational timeBase{1, 90000};
        const QList<std::int64_t> starts = {0, 3000, 8000, 9000, 21000, 30000};
        encoder::SlotPicker picker(10);
        QList<std::int64_t> counts;
        for (const std::int64_t start : starts)
            counts << picker.take(encoder::picturePosition(start, timeBase, AVRational{0, 1}, AVRational{30, 1}));
        counts << picker.finish(10 + 12);
        // 0 s, 1/30, 0.089, 0.1 (the same slot as 0.089, and too far from the next: replaces it),
        // 0.233, 1/3; ends at 12 slots.
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
