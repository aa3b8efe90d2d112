#include "support/BrokenClips.h"
#include "support/ClipCache.h"
#include "tasks/KeyPictures.h"
#include "tasks/Trim.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace velmora::tasks;

namespace {

// -1 in a table is "none".
std::optional<double> given(double seconds)
{
    return seconds == -1.0 ? std::nullopt : std::optional<double>(seconds);
}

using Times = QList<double>;

constexpr int NotOpened = 0, Opened = 1, Either = 2;

std::vector<double> vectorOf(const Times &times)
{
    return {times.begin(), times.end()};
}

// 3 s of 30 fps pictures with a key picture every 30 (none at scene cuts), and a tone.
QString keyedClip(const QString &container, const QStringList &codec)
{
    return velmora::test::ffmpegClip(QStringLiteral("keyed-g30.") + container,
                                     QStringList{"-f", "lavfi", "-i", "testsrc2=s=160x120:r=30:d=3", "-f", "lavfi", "-i", "sine=d=3"}
                                         << codec << QStringList{"-g", "30", "-keyint_min", "30"});
}

QString h264Clip(const QString &container)
{
    return keyedClip(container, {"-c:v", "libx264", "-sc_threshold", "0", "-pix_fmt", "yuv420p", "-bf", "2", "-c:a", "aac"});
}

} // namespace

class tst_Trim : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptLength_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("kept");
        QTest::newRow("whole") << -1.0 << -1.0 << 10.0;
        QTest::newRow("start only") << 2.5 << -1.0 << 7.5;
        QTest::newRow("end only") << -1.0 << 4.0 << 4.0;
        QTest::newRow("both") << 1.0 << 3.5 << 2.5;
        QTest::newRow("end past the clip counts to its end") << 8.0 << 12.0 << 2.0;
        QTest::newRow("end before start keeps nothing") << 5.0 << 4.0 << 0.0;
    }
    void keptLength()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, kept);
        QCOMPARE(Trim({given(start), given(end)}).keptSeconds(10.0), kept);
    }

    void validation_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<int>("fault");
        QTest::newRow("whole") << -1.0 << -1.0 << int(TrimFault::None);
        QTest::newRow("inside") << 0.0 << 10.0 << int(TrimFault::None);
        QTest::newRow("start before the clip") << -0.5 << -1.0 << int(TrimFault::StartOutsideClip);
        QTest::newRow("start at the clip's end") << 10.0 << -1.0 << int(TrimFault::StartOutsideClip);
        QTest::newRow("end at the clip's beginning") << -1.0 << 0.0 << int(TrimFault::EndOutsideClip);
        QTest::newRow("end past the clip") << -1.0 << 10.5 << int(TrimFault::EndOutsideClip);
        QTest::newRow("end at the start") << 3.0 << 3.0 << int(TrimFault::EndNotAfterStart);
        QTest::newRow("end before the start") << 3.0 << 2.0 << int(TrimFault::EndNotAfterStart);
    }
    void validation()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(int, fault);
        QCOMPARE(int(CheckTrim({given(start), given(end)}, 10.0)), fault);
    }

    void settingStartAndEnd_data()
    {
        QTest::addColumn<bool>("isStart");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        // From a trim of 2 to 8 in a 10 s clip.
        QTest::newRow("start") << true << 1.0 << 1.0 << 8.0;
        QTest::newRow("start at the beginning is none") << true << 0.0 << -1.0 << 8.0;
        QTest::newRow("end") << false << 9.0 << 2.0 << 9.0;
        QTest::newRow("end at the clip's end is none") << false << 10.0 << 2.0 << -1.0;
    }
    void settingStartAndEnd()
    {
        QFETCH(bool, isStart);
        QFETCH(double, seconds);
        QFETCH(double, start);
        QFETCH(double, end);
        const Trim from{2.0, 8.0};
        const Trim expected{given(start), given(end)};
        QCOMPARE(isStart ? WithStart(from, seconds) : WithEnd(from, seconds, 10.0), expected);
    }

    void startInCopyMode_data()
    {
        QTest::addColumn<double>("moment");
        QTest::addColumn<bool>("copying");
        QTest::addColumn<Times>("keys");
        QTest::addColumn<double>("start");
        QTest::addColumn<bool>("moved");
        const Times keys{0.0, 1.0, 2.0, 3.5};
        QTest::newRow("re-encoding cuts anywhere") << 1.5 << false << keys << 1.5 << false;
        QTest::newRow("between two keys: the earlier") << 1.5 << true << keys << 1.0 << true;
        QTest::newRow("on a key") << 2.0 << true << keys << 2.0 << false;
        QTest::newRow("a millisecond's rounding off a key") << 1.9996 << true << keys << 2.0 << false;
        QTest::newRow("past the last key") << 9.0 << true << keys << 3.5 << true;
        QTest::newRow("before the first key: the beginning") << 0.4 << true << Times{0.5, 1.5} << 0.0 << true;
        QTest::newRow("keys unknown") << 1.5 << true << Times{} << 1.5 << false;
    }
    void startInCopyMode()
    {
        QFETCH(double, moment);
        QFETCH(bool, copying);
        QFETCH(Times, keys);
        QFETCH(double, start);
        QFETCH(bool, moved);
        const StartChoice choice = ChooseStart(moment, copying, vectorOf(keys));
        QCOMPARE(choice.seconds, start);
        QCOMPARE(choice.movedToKey, moved);
    }

    void pictureSteps_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("step");
        QTest::addColumn<double>("expected");
        QTest::newRow("forward at 25") << 1.0 << 25.0 << 1 << 1.04;
        QTest::newRow("back at 25") << 1.0 << 25.0 << -1 << 0.96;
        QTest::newRow("from a rounded millisecond at 30") << 0.033 << 30.0 << 1 << 2 / 30.0;
        QTest::newRow("from between two pictures") << 0.05 << 25.0 << 1 << 0.08;
        QTest::newRow("NTSC rate") << 1001 / 30000.0 << 30000 / 1001.0 << 1 << 2002 / 30000.0;
        QTest::newRow("not before the beginning") << 0.0 << 25.0 << -1 << 0.0;
        QTest::newRow("not past the end") << 9.99 << 25.0 << 1 << 10.0;
        QTest::newRow("no rate: stays") << 3.0 << 0.0 << 1 << 3.0;
    }
    void pictureSteps()
    {
        QFETCH(double, position);
        QFETCH(double, rate);
        QFETCH(int, step);
        QFETCH(double, expected);
        QVERIFY(qAbs(StepPicture(position, rate, step, 10.0) - expected) < 1e-9);
    }

    void keyPicturesOfRealClips_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<Times>("keys");
        const Times everySecond{0.0, 1.0, 2.0};
        QTest::newRow("mp4, H.264 with B-frames") << h264Clip("mp4") << everySecond;
        QTest::newRow("mkv, millisecond clock") << h264Clip("mkv") << everySecond;
        QTest::newRow("flv, millisecond clock") << h264Clip("flv") << everySecond;
        QTest::newRow("ts, starting at 1.4 s")
            << keyedClip("ts", {"-c:v", "mpeg2video", "-c:a", "mp2"}) << everySecond;
        QTest::newRow("webm, VP9") << keyedClip("webm", {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-c:a", "libopus"})
                                   << everySecond;
    }
    void keyPicturesOfRealClips()
    {
        QFETCH(QString, clip);
        QFETCH(Times, keys);
        const KeyPictures found = ListKeyPictures(clip);
        QVERIFY(found.opened);
        QVERIFY(found.complete);
        QCOMPARE(qRound(found.framesPerSecond * 1000), 30000);
        QCOMPARE(int(found.times.size()), int(keys.size()));
        for (size_t i = 0; i < found.times.size(); ++i)
            QVERIFY2(qAbs(found.times[i] - keys[qsizetype(i)]) < 0.002, qPrintable(QString::number(found.times[i])));
    }

    void damagedFilesEnd_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("opened"); // Opened, NotOpened or Either
        QTest::newRow("mp4 cut off before its index") << velmora::test::cutClip("keyed-g30-cut.mp4", h264Clip("mp4"), 0.5) << NotOpened;
        QTest::newRow("mkv cut off") << velmora::test::cutClip("keyed-g30-cut.mkv", h264Clip("mkv"), 0.5) << Opened;
        QTest::newRow("not a clip") << velmora::test::cachedClip("not-a-clip.mp4", [](const QString &partial) {
            QFile file(partial);
            QVERIFY(file.open(QIODevice::WriteOnly));
            for (int i = 0; i < 4096; ++i)
                file.write(QByteArray(1, char((i * 7919) % 251)));
        }) << NotOpened;
        QTest::newRow("missing") << QString(QDir::tempPath() + "/velmora-no-such-clip.mp4") << NotOpened;
        if (!velmora::test::haveZzuf())
            return;
        // Damaged bytes all through the file, the same damage on every run.
        const std::pair<QString, QString> clips[] = {
            {"mp4", h264Clip("mp4")}, {"mkv", h264Clip("mkv")}, {"flv", h264Clip("flv")},
            {"ts", keyedClip("ts", {"-c:v", "mpeg2video", "-c:a", "mp2"})},
            {"webm", keyedClip("webm", {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-c:a", "libopus"})},
        };
        for (const auto &[container, clip] : clips) {
            for (const int seed : {1, 2, 3, 4}) {
                const QString name = QStringLiteral("keyed-g30-zzuf%1.%2").arg(seed).arg(container);
                QTest::addRow("%s damaged, seed %d", qPrintable(container), seed)
                    << velmora::test::zzufClip(name, clip, seed, 0.004 * seed) << (container == "ts" ? Opened : Either);
            }
        }
    }
    void damagedFilesEnd()
    {
        QFETCH(QString, clip);
        QFETCH(int, opened);
        const KeyPictures found = ListKeyPictures(clip);
        // A damaged header may or may not be read; a transport stream, with no header, always is.
        if (opened != Either)
            QCOMPARE(found.opened, opened == Opened);
        if (!found.opened)
            QVERIFY(found.times.empty());
        // Whatever was found is in order and within the clip.
        QVERIFY(std::is_sorted(found.times.begin(), found.times.end()));
        QVERIFY(found.times.empty() || (found.times.front() >= 0 && found.times.back() < 3.5));
    }

    void searchEndsWhenAsked()
    {
        const QString clip = h264Clip("mkv");
        const KeyPictures fewPackets = ListKeyPictures(clip, nullptr, 3);
        QVERIFY(fewPackets.opened);
        QVERIFY(!fewPackets.complete);
        QCOMPARE(fewPackets.times, std::vector<double>{0.0});

        const std::atomic_bool stop{true};
        const KeyPictures stopped = ListKeyPictures(clip, &stop);
        QVERIFY(!stopped.complete);
        QVERIFY(stopped.times.empty());
    }
};

QTEST_GUILESS_MAIN(tst_Trim)
#include "tst_trim.moc"
