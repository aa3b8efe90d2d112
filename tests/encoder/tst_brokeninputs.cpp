// Inputs broken as real files are, through the conversion line: transport streams whose times
// jump back or forward, a transport stream of two programmes, files cut off in the middle, a
// file with damaged bytes. Every run ends, and soon; what survived of an input comes out whole
// and no longer than the input says it is; and a signal ends any run at once, leaving nothing.
#include "job/CommandLines.h"
#include "support/BrokenClips.h"
#include "support/EncoderJobs.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/OutputChecks.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <cmath>
#include <csignal>

using namespace velmora;
using test::MarkedClip;

namespace {

constexpr double Frame = 1.0 / test::JobRate;

// A numbered MPEG-2 transport stream of 2 s at 30 fps, its first frame showing firstNumber.
MarkedClip tsPart(int firstNumber = 0, double timeOffset = 0)
{
    MarkedClip clip;
    clip.rate = "30";
    clip.seconds = 2;
    clip.sampleRate = 48000;
    clip.container = "ts";
    clip.firstNumber = firstNumber;
    clip.timeOffset = timeOffset;
    return clip;
}

// The damaged copy of the test pattern that, read frame by frame, never seems to end.
QString damagedAvi()
{
    return test::zzufClip("testsrc2_320x240_25fps_2s_mpeg4_mp3_zzuf-s5-r0.001.avi", test::testPatternAvi(), 5, 0.001);
}

// A folder's content, to see that a run left nothing of its own in it.
QStringList contentOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QJsonObject probe(const QString &file, const QString &entries)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral(VELMORA_FFPROBE), {"-v", "error", "-show_entries", entries, "-of", "json", file});
    ffprobe.waitForFinished(60000);
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

// What an output holds in a few words, for messages.
QString described(const QString &file)
{
    if (!QFileInfo::exists(file))
        return QStringLiteral("no output");
    if (QFileInfo(file).size() == 0)
        return QStringLiteral("an empty output");
    return QStringLiteral("%1 bytes, %2 s of picture, %3 s of sound")
        .arg(QFileInfo(file).size())
        .arg(test::videoSeconds(file), 0, 'f', 3)
        .arg(test::audioSeconds(file), 0, 'f', 3);
}

} // namespace

class tst_BrokenInputs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timesThatJump_data()
    {
        QTest::addColumn<double>("offset"); // where the second part's times begin, after the first's
        QTest::newRow("two files put together (times jump back)") << 0.0;
        QTest::newRow("times jump 10 minutes forward") << 600.0;
    }
    void timesThatJump()
    {
        QFETCH(double, offset);
        const QString first = test::markedClip(tsPart());
        const QString second = test::markedClip(tsPart(60, offset));
        const QString input = test::catClip(QStringLiteral("numbered_ts_then_from60_offset%1s.ts").arg(offset), {first, second});
        const double length = test::playSeconds(first) + test::playSeconds(second);
        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const test::EncoderProcess run = test::encoderProcess(test::conversionCommand(input, intermediate, "320:240").arguments(), 60000);
        QVERIFY2(run.status == 0, qPrintable(QStringLiteral("status %1 after %2 s (%3): %4")
                                                 .arg(run.status).arg(run.seconds).arg(described(intermediate), QString::fromUtf8(run.errors))));

        const QList<int> shown = test::frameNumbers(intermediate);
        QStringList wrong;
        if (const QString numbers = test::everyNumberInOrder(shown, test::frameNumbers(first) + test::frameNumbers(second)); !numbers.isEmpty())
            wrong << numbers;
        // Each part whole, and no more: a frame either way for each join of the parts.
        if (std::abs(shown.size() - length * test::JobRate) > 2)
            wrong << QStringLiteral("%1 frames for %2 s").arg(shown.size()).arg(length, 0, 'f', 3);
        if (const QString sound = test::soundAsLongAsPicture(intermediate); !sound.isEmpty())
            wrong << sound;
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ") + "\nshown: " + test::someNumbers(shown, 70)));
    }

    void soundOfThePicturesProgramme()
    {
        const QString input = test::twoProgrammeTs(test::markedClip(tsPart()), 2.0);
        // As made: the first stream is sound, in the first programme, which has no picture.
        const QJsonObject made = probe(input, "stream=index,codec_type:program=program_id:program_stream_tags=:program_tags=");
        const QJsonArray streams = made["streams"].toArray();
        const QJsonArray programmes = made["programs"].toArray();
        QVERIFY2(!streams.isEmpty() && streams.at(0).toObject()["codec_type"] == "audio" && programmes.size() == 2,
                 "the input is not as made");
        const test::MonoSound first = test::monoSound(input);
        QVERIFY2(std::abs(test::toneHz(first, first.start + 0.2, first.start + 1.8) - 1000) < 10, "the input's first sound is not the 1 kHz tone");

        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const QString failed = test::runEncoder(test::conversionCommand(input, intermediate, "320:240").arguments());
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        const test::MonoSound sound = test::monoSound(intermediate);
        const double hz = test::toneHz(sound, sound.start + 0.2, sound.start + 1.8);
        QVERIFY2(std::abs(hz - 440) < 10, qPrintable(QStringLiteral("the sound is a %1 Hz tone, not the picture's 440 Hz").arg(hz, 0, 'f', 0)));
        const QString length = test::soundAsLongAsPicture(intermediate);
        QVERIFY2(length.isEmpty(), qPrintable(length));
    }

    void cutOffInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("MP4 index at the front, cut to half") << test::halfNumberedClip("mp4");
        QTest::newRow("TS cut to half") << test::halfNumberedClip("ts");
    }
    void cutOffInput()
    {
        QFETCH(QString, input);
        // What survived, as ffmpeg decodes it: the pictures from the first on, each the one after
        // the one before, up to where it broke. (Past that it may give a damaged one or two.)
        const QList<int> decoded = test::frameNumbers(input);
        qsizetype clean = 0;
        while (clean < decoded.size() && decoded.at(clean) == clean)
            ++clean;
        const QList<double> times = test::frameTimes(input);
        QVERIFY2(clean > 10 && clean < 110 && times.size() >= clean, "the cut-off input is not as made");
        const double survived = times.at(clean - 1) - times.constFirst() + Frame;
        // Every one of them comes out, but for the last few at the break, which a decoder may or
        // may not give; after them no more than a few frames.
        const QList<int> required = decoded.first(clean - 3);

        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const test::EncoderProcess run = test::encoderProcess(test::conversionCommand(input, intermediate, "320:240").arguments(), 60000);
        const QString errors = QString::fromUtf8(run.errors);
        QVERIFY2(run.status == 0, qPrintable(QStringLiteral("status %1 after %2 s: %3").arg(run.status).arg(run.seconds).arg(errors)));
        const QList<int> shown = test::frameNumbers(intermediate);
        QStringList wrong;
        // A note on standard error names the file and where it broke.
        const QString name = QFileInfo(input).fileName();
        const QRegularExpression note(QRegularExpression::escape(name) + QStringLiteral(".*\\d"));
        if (!note.match(errors).hasMatch())
            wrong << "no note naming " + name + " and a time on standard error";
        const qsizetype end = shown.lastIndexOf(required.constLast()) + 1;
        if (const QString numbers = test::everyNumberInOrder(shown.first(end), required); !numbers.isEmpty())
            wrong << numbers;
        else if (shown.size() - end > 10)
            wrong << QStringLiteral("%1 frames after picture %2").arg(shown.size() - end).arg(required.constLast());
        const double picture = test::videoSeconds(intermediate);
        if (!(std::abs(picture - survived) <= 0.25))
            wrong << QStringLiteral("%1 s of picture for the %2 s that survived").arg(picture, 0, 'f', 3).arg(survived, 0, 'f', 3);
        if (const QString sound = test::soundAsLongAsPicture(intermediate); !sound.isEmpty())
            wrong << sound;
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ") + "\nshown: " + test::someNumbers(shown, 16, true) + "\nstandard error:\n" + errors));
    }

    void oneDamagedTimeKeepsSync_data()
    {
        QTest::addColumn<double>("at");
        QTest::addColumn<QList<int>>("shifts");
        QTest::addColumn<double>("claimed");
        QTest::newRow("a sound tag at 1.8 s 1.5 s early") << 1.8 << QList<int>{-1500} << 0.0;
        QTest::newRow("a sound tag at 1 s 1.5 s late") << 1.0 << QList<int>{1500} << 0.0;
        // A play time in the header that the file's size cannot hold, and two tags in a row
        // days and hours late: no days of silence.
        QTest::newRow("header claims 26 days, tags 6 days and 4 hours late")
            << 1.0 << QList<int>{6 * 86400 * 1000, 4 * 3600 * 1000} << 26.0 * 86400;
    }
    void oneDamagedTimeKeepsSync()
    {
        QFETCH(double, at);
        QFETCH(QList<int>, shifts);
        QFETCH(double, claimed);
        // An FLV with a flash and a beep at 2 s, sound tags before them with damaged times: the
        // sound after them stays with its picture.
        MarkedClip clip;
        clip.picture = MarkedClip::Picture::Flash;
        clip.container = "flv";
        clip.seconds = 3;
        clip.flashAt = 2;
        const QString source = test::markedClip(clip);
        QStringList name;
        for (const int shift : shifts)
            name << QString::number(shift);
        const QString input = test::strayTimeFlv(QStringLiteral("flash_flv_stray%1ms_at%2s_claims%3s.flv").arg(name.join('_')).arg(at).arg(claimed),
                                                 source, at, shifts, claimed);
        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const test::EncoderProcess run = test::encoderProcess(test::conversionCommand(input, intermediate, "320:240").arguments(), 60000);
        QVERIFY2(!run.timedOut, qPrintable("still running after 60 s, and killed then, with " + described(intermediate)));
        QVERIFY2(run.status == 0, qPrintable(QString::fromUtf8(run.errors)));

        const QList<double> flashes = test::flashTimes(intermediate);
        const QList<double> beeps = test::beepOnsets(intermediate);
        QVERIFY2(flashes.size() == 1 && beeps.size() == 1,
                 qPrintable(QStringLiteral("%1 flashes and %2 beeps").arg(flashes.size()).arg(beeps.size())));
        const double offset = beeps.constFirst() - flashes.constFirst();
        QVERIFY2(std::abs(offset) <= 0.020, qPrintable(QStringLiteral("the beep is %1 ms from its flash").arg(offset * 1000, 0, 'f', 1)));
        const double length = test::playSeconds(source);
        QVERIFY2(std::abs(test::videoSeconds(intermediate) - length) <= Frame + 0.001 && test::soundAsLongAsPicture(intermediate).isEmpty(),
                 qPrintable(described(intermediate) + QStringLiteral(" for %1 s").arg(length, 0, 'f', 3)));
    }

    void damagedFileEnds()
    {
        if (!test::haveZzuf())
            QSKIP("zzuf is not installed (apt-get install zzuf): the damaged file cannot be made");
        const QString input = damagedAvi();
        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const test::EncoderProcess run = test::encoderProcess(test::conversionCommand(input, intermediate, "320:240").arguments(), 10000);
        QVERIFY2(!run.timedOut, qPrintable("still running after 10 s, and killed then, with " + described(intermediate)));
        if (run.status != 0) {
            QVERIFY2(!QFileInfo::exists(intermediate),
                     qPrintable(QStringLiteral("status %1, and yet it left %2").arg(run.status).arg(described(intermediate))));
            return;
        }
        // The input plays 2 s: no more than a second beyond that.
        QVERIFY2(test::videoSeconds(intermediate) <= 3.0 && test::audioSeconds(intermediate) <= 3.0, qPrintable(described(intermediate)));
    }

    void signalEndsTheRun_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("mayEndFirst"); // the input may be done within the second before the signal
        // A long clip, converted to a larger size than it has, to keep the encoder busy.
        MarkedClip longClip = test::markedSpec(MarkedClip::Picture::Flash, "160x120", "30000/1001", 60.0, 48000, "avi", 59.0);
        // One picture held under two minutes of sound: the encoder repeats it frame after frame.
        const MarkedClip held = test::coverClip("160x120", 120);
        const struct
        {
            const char *name;
            int number;
        } stops[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
        for (const auto &signal : stops) {
            QTest::addRow("60 s clip, %s", signal.name) << test::markedClip(longClip) << signal.number << false;
            QTest::addRow("held picture, %s", signal.name) << test::markedClip(held) << signal.number << false;
        }
        if (test::haveZzuf())
            QTest::addRow("damaged file, SIGTERM") << damagedAvi() << int(SIGTERM) << true;
    }
    void signalEndsTheRun()
    {
        QFETCH(QString, input);
        QFETCH(int, signal);
        QFETCH(bool, mayEndFirst);
        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        QProcess process;
        process.start(QStringLiteral(VELMORA_ENCODER), test::conversionCommand(input, intermediate, "640:480").arguments());
        QVERIFY(process.waitForStarted());
        const auto killed = qScopeGuard([&process] {
            if (process.state() != QProcess::NotRunning) {
                process.kill();
                process.waitForFinished(10000);
            }
        });
        if (process.waitForFinished(1000)) {
            if (mayEndFirst)
                QSKIP("the run ended by itself within a second: nothing to end");
            QFAIL(qPrintable(QStringLiteral("the run ended by itself within a second (status %1), before the signal").arg(process.exitCode())));
        }
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(::kill(pid_t(process.processId()), signal), 0);
        const bool ended = process.waitForFinished(10000);
        const qint64 took = clock.elapsed();
        QVERIFY2(ended, qPrintable(QStringLiteral("still running 10 s after the signal, with %1").arg(described(intermediate))));
        QVERIFY2(process.exitStatus() == QProcess::NormalExit,
                 qPrintable(QStringLiteral("ended by the signal itself after %1 ms, not by the encoder").arg(took)));
        QCOMPARE(process.exitCode(), 128 + signal);
        QVERIFY2(took <= 1000, qPrintable(QStringLiteral("it took %1 ms to end").arg(took)));
        QVERIFY2(contentOf(folder.path()).isEmpty(), qPrintable(contentOf(folder.path()).join(", ")));
    }
};

QTEST_GUILESS_MAIN(tst_BrokenInputs)
#include "tst_brokeninputs.moc"
