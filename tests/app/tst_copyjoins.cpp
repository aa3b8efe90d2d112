// Joins without re-encoding through the real main window and encoder, and the chapters that
// every join into MKV, WebM and MP4 gets: the copy must hold exactly the inputs' pictures,
// keep sound and picture together at every join, and refuse clips that do not match before
// anything runs.
#include "app/CopyFolder.h"
#include "app/JobRun.h"
#include "prefs/IniFile.h"
#include "support/ClipCache.h"
#include "support/EncoderJobs.h"
#include "support/FakeSeams.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"

#include <QProcess>

#include <cmath>

using namespace velmora;
using velmora::test::FakeSeams;
using velmora::test::JobFolder;
using velmora::test::JobRun;
using velmora::test::ShownMessage;
using namespace velmora::test;

namespace {

// Checks the chapters against the inputs' names and where each begins; empty when right.
QString wrongChapters(const QString &file, const QStringList &titles, const QList<double> &starts, double frame)
{
    const QList<Chapter> got = chapters(file);
    if (got.size() != titles.size())
        return QStringLiteral("%1 chapters, not %2").arg(got.size()).arg(titles.size());
    for (qsizetype i = 0; i < got.size(); ++i) {
        // Each ends where the next begins; the last one later than it begins.
        const double end = i + 1 < got.size() ? got.at(i + 1).start : got.at(i).start + 0.5;
        if (got.at(i).title != titles.at(i) || std::abs(got.at(i).start - starts.at(i)) > frame + 1e-3
            || (i + 1 < got.size() ? std::abs(got.at(i).end - end) > 1e-3 : got.at(i).end < end))
            return QStringLiteral("chapter %1 is \"%2\" from %3 s to %4 s, not \"%5\" at %6 s")
                .arg(i + 1).arg(got.at(i).title).arg(got.at(i).start).arg(got.at(i).end).arg(titles.at(i)).arg(starts.at(i));
    }
    return {};
}

// H.264 (Main) and AAC in MP4, 1280x720 at 30 frames a second, with settings changed by extra.
QString phoneClip(const QString &name, const QStringList &extra = {})
{
    QStringList arguments{"-f", "lavfi", "-i", "testsrc2=s=1280x720:r=30", "-f", "lavfi", "-i", "sine=f=440:r=48000", "-t", "1",
                          "-pix_fmt", "yuv420p", "-c:a", "aac", "-ac", "2"};
    // Another picture codec takes none of H.264's settings.
    if (!extra.contains("-c:v"))
        arguments << "-c:v" << "libx264" << "-preset" << "veryfast" << "-profile:v" << "main";
    // What comes later wins: extra settings replace the ones above.
    return test::ffmpegClip("copyjoin-" + name, arguments + extra);
}

} // namespace

class tst_CopyJoins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyHoldsTheInputsExactly()
    {
        // Three parts of one source, encoded alike.
        QStringList clips;
        for (int i = 0; i < 3; ++i) {
            clips << test::ffmpegClip(QStringLiteral("copy-part-%1.mp4").arg(i),
                                      {"-ss", QString::number(5 * i), "-f", "lavfi", "-i", "testsrc2=s=320x240:r=30", "-ss",
                                       QString::number(5 * i), "-f", "lavfi", "-i", "sine=f=300:r=48000:beep_factor=4", "-t", "5",
                                       "-c:v", "libx264", "-profile:v", "high", "-g", "60", "-bf", "2", "-c:a", "aac", "-b:a", "96k"});
        }
        FakeSeams seams;
        CopyFolder job(CopyProfile, clips, {"part 1.mp4", "part 2.mp4", "part 3.mp4"});
        JobRun app(job);
        QCOMPARE(app.outputField()->text(), job.output);
        app.start();

        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Complete"));
        QCOMPARE(app.statuses(), (QStringList{"Complete", "Complete", "Complete"}));
        QCOMPARE(app.child<QLabel>("labProcessTitle")->text(), QString("Joining (copying):"));
        QCOMPARE(app.child<QProgressBar>("pgbTotal")->value(), 100);
        QVERIFY(app.idleAgain());
        QCOMPARE(app.leftInTemp(), QStringList{});
        QCOMPARE(app.leftInOutput(), QStringList{"joined.mkv"});

        // Every picture, in order, none lost or added; the pictures' packets are the inputs'.
        QStringList pictures, packets;
        QList<QStringList> sounds;
        for (const QString &input : std::as_const(job.inputs)) {
            pictures << md5s(input, "v");
            packets << md5s(input, "v", true);
            sounds << md5s(input, "a", true);
        }
        QVERIFY2(pictures.size() >= 447, qPrintable(QString::number(pictures.size())));
        QCOMPARE(md5s(job.output, "v"), pictures);
        QCOMPARE(md5s(job.output, "v", true), packets);
        // The sound's packets are the inputs' too, each input's in one piece: but for the AAC
        // encoder's priming before each first picture, and a last packet that would play
        // mostly past the picture's end.
        const QStringList sound = md5s(job.output, "a", true);
        qsizetype at = 0;
        for (const QStringList &input : std::as_const(sounds)) {
            bool found = false;
            for (const auto &[from, to] : {std::pair{1, 0}, std::pair{1, 1}, std::pair{0, 0}, std::pair{0, 1}}) {
                const QStringList piece = input.mid(from, input.size() - from - to);
                if (sound.mid(at, piece.size()) == piece) {
                    at += piece.size();
                    found = true;
                    break;
                }
            }
            QVERIFY2(found, qPrintable(QStringLiteral("input %1's sound is not there in one piece").arg(sounds.indexOf(input) + 1)));
        }
        QCOMPARE(at, sound.size());
        QCOMPARE(wrongChapters(job.output, {"part 1", "part 2", "part 3"}, {0, 5, 10}, 1.0 / 30), QString());
    }

    void syncAtEveryJoin_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("profile");
        // A phone's clip: 90 kHz times with jitter; H.264 with AAC, its priming cut by an edit list.
        test::MarkedClip phone = test::markedSpec(test::MarkedClip::Picture::Flash, "320x240", "30", 3.0, 48000, "mp4", 2.0);
        phone.timescale = 90000;
        phone.jitter = 0.002;
        // A browser's: VP9 with Opus in Matroska, times in milliseconds, Opus's delay declared.
        const QString webm = test::markedClip(test::markedSpec(test::MarkedClip::Picture::Flash, "320x240", "30", 3.0, 48000, "webm", 2.0));
        const QString mkv = test::cachedClip("copy-vp9-opus.mkv", [&](const QString &partial) {
            test::runFfmpeg({"-i", webm, "-c", "copy", "-f", "matroska", partial}, partial, "VP9 and Opus in Matroska");
        });
        QTest::newRow("MP4 into MKV") << test::markedClip(phone) << CopyProfile;
        QTest::newRow("MP4 into MP4") << test::markedClip(phone) << Mp4CopyProfile;
        QTest::newRow("MKV (VP9+Opus) into WebM") << mkv << WebmCopyProfile;
    }
    void syncAtEveryJoin()
    {
        QFETCH(QString, clip);
        QFETCH(QString, profile);
        const QStringList names{"a.x", "b.x", "c.x", "d.x", "e.x", "f.x"};
        FakeSeams seams;
        CopyFolder job(profile, QStringList(6, clip), QStringList(names).replaceInStrings(".x", "." + QFileInfo(clip).suffix()));
        JobRun app(job);
        app.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QVERIFY2(seams.messages.shown.at(0).title == "Complete", qPrintable(seams.messages.shown.at(0).text + seams.messages.shown.at(0).details));

        const double length = 3.0; // each clip's 90 pictures
        const QList<double> flashes = test::flashTimes(job.output);
        const QList<double> beeps = test::beepOnsets(job.output);
        QCOMPARE(flashes.size(), 6);
        QCOMPARE(beeps.size(), 6);
        QStringList offsets;
        double first = 0;
        for (int i = 0; i < 6; ++i) {
            const double offset = beeps.at(i) - flashes.at(i);
            offsets << QString::number(offset * 1000, 'f', 1);
            if (i == 0)
                first = offset;
            // Each input right after the one before: a phone's last picture may last a little
            // longer or shorter than a frame.
            QVERIFY2(std::abs(flashes.at(i) - flashes.at(0) - i * length) < 0.002 * (i + 1), qPrintable(QString::number(flashes.at(i))));
            QVERIFY2(std::abs(offset) <= 0.025, qPrintable(offsets.join(" ms, ")));
            // No growth from join to join: each join may be off by up to half a sound packet
            // (AAC's is 21 ms, Opus's 20 ms), never more.
            QVERIFY2(std::abs(offset - first) <= 0.0115, qPrintable(offsets.join(" ms, ")));
        }
        qInfo("beep after flash at each join: %s ms", qPrintable(offsets.join(", ")));
        QList<double> starts;
        for (int i = 0; i < 6; ++i)
            starts << flashes.at(i) - flashes.at(0);
        QCOMPARE(wrongChapters(job.output, {"a", "b", "c", "d", "e", "f"}, starts, 1.0 / 30), QString());
    }

    void refusedBeforeAnythingRuns_data()
    {
        QTest::addColumn<QStringList>("clips");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("message");
        const QString main = phoneClip("main.mp4");
        QTest::newRow("another picture size")
            << QStringList{main, main, phoneClip("1080p-high.mp4", {"-vf", "scale=1920:1080", "-profile:v", "high"})} << CopyProfile
            << "clip 3.mp4 cannot be joined without re-encoding: its picture is 1920x1080 H.264 (High), the first file's is "
               "1280x720 H.264 (Main). Choose a profile that re-encodes.";
        QTest::newRow("another codec") << QStringList{main, main, phoneClip("mpeg4.mp4", {"-c:v", "mpeg4"})} << CopyProfile
                                       << "clip 3.mp4 cannot be joined without re-encoding: its picture is 1280x720 MPEG-4 (Simple "
                                          "Profile), the first file's is 1280x720 H.264 (Main). Choose a profile that re-encodes.";
        QTest::newRow("another sample rate")
            << QStringList{main, phoneClip("44k.mp4", {"-ar", "44100"}), main} << CopyProfile
            << "clip 2.mp4 cannot be joined without re-encoding: its sound is AAC (LC) 44100 Hz stereo, the first file's is AAC "
               "(LC) 48000 Hz stereo. Choose a profile that re-encodes.";
        QTest::newRow("another H.264 profile")
            << QStringList{main, phoneClip("high.mp4", {"-profile:v", "high"})} << CopyProfile
            << "clip 2.mp4 cannot be joined without re-encoding: its picture is 1280x720 H.264 (High), the first file's is "
               "1280x720 H.264 (Main). Choose a profile that re-encodes.";
        QTest::newRow("other parameter sets") << QStringList{main, phoneClip("refs.mp4", {"-refs", "4"})} << CopyProfile
                                              << "clip 2.mp4 cannot be joined without re-encoding: its picture is 1280x720 H.264 "
                                                 "(Main) as the first file's, but made with other encoder settings (its parameter "
                                                 "sets differ). Choose a profile that re-encodes.";
        const QString opus = phoneClip("opus.mkv", {"-c:a", "libopus"});
        QTest::newRow("Opus into MP4") << QStringList{opus, opus} << Mp4CopyProfile
                                       << "clip 1.mkv cannot be joined without re-encoding into an MP4 file: MP4 files cannot hold "
                                          "its Opus sound. Choose a profile that re-encodes.";
    }
    void refusedBeforeAnythingRuns()
    {
        QFETCH(QStringList, clips);
        QFETCH(QString, profile);
        QFETCH(QString, message);
        QStringList names;
        for (qsizetype i = 0; i < clips.size(); ++i)
            names << QStringLiteral("clip %1.%2").arg(i + 1).arg(QFileInfo(clips.at(i)).suffix());
        FakeSeams seams;
        CopyFolder job(profile, clips, names);
        JobRun app(job);
        const QStringList before = app.statuses();
        app.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Cannot Join Without Re-encoding"));
        QCOMPARE(seams.messages.shown.at(0).text, message);
        QCOMPARE(app.statuses(), before);
        QVERIFY(app.idleAgain());
        QCOMPARE(app.leftInTemp(), QStringList{});
        QCOMPARE(app.leftInOutput(), QStringList{});

        // Called directly, the encoder refuses alike, and writes nothing.
        const QString output = job.outputDir + "/direct." + QFileInfo(job.output).suffix();
        const test::EncoderProcess direct = test::encoderProcess(QStringList(job.inputs) << "-o" << output << "-ovc" << "copy" << "-oac" << "copy", 60000);
        QCOMPARE(direct.status, 1);
        QVERIFY2(direct.errors.contains(("Error: " + message).toUtf8()), direct.errors.constData());
        QVERIFY(!QFile::exists(output));
    }

    void reEncodedJoinHasChapters_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("chapters");
        const QStringList h264{"-ovc", "lavc", "-lavcopts", "vcodec=libx264:vbitrate=800", "-oac", "lavc", "-lavcopts", "acodec=aac:abitrate=128"};
        QTest::newRow("MKV") << "joined.mkv" << h264 << true;
        QTest::newRow("MP4") << "joined.mp4" << h264 << true;
        QTest::newRow("WebM") << "joined.webm"
                              << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=libvpx-vp9:vbitrate=300", "-oac", "lavc", "-lavcopts",
                                             "acodec=libopus:abitrate=64"}
                              << true;
        QTest::newRow("AVI has none") << "joined.avi" << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4"} << false;
    }
    void reEncodedJoinHasChapters()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, options);
        QFETCH(bool, chapters);
        // Names as users give them, a colon included: the intermediates carry them to the join.
        const QStringList names{"Take 1: beach.mov", "zweite Aufnahme.mp4", "3.avi"};
        const QList<double> lengths{1.0, 1.5, 1.0};
        test::TestFolder folder;
        QStringList inputs;
        for (qsizetype i = 0; i < names.size(); ++i) {
            inputs << folder.file(names.at(i));
            QFile::copy(test::markedClip(test::markedSpec(test::MarkedClip::Picture::Numbered, "160x120", "25", lengths.at(i), 44100,
                                                          QFileInfo(names.at(i)).suffix())),
                        inputs.constLast());
        }
        profiles::EncoderArgs args;
        args.words(options);
        QCOMPARE(test::wholeJob(folder, inputs, folder.file(output), args), QString());
        // Each input begins where its pictures' numbers start again from 0.
        QList<double> starts;
        const QList<int> numbers = test::frameNumbers(folder.file(output));
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            if (numbers.at(i) == 0 && (i == 0 || numbers.at(i - 1) != 0))
                starts << i / 30.0;
        }
        QCOMPARE(starts.size(), 3);
        QCOMPARE(wrongChapters(folder.file(output), chapters ? QStringList{"Take 1: beach", "zweite Aufnahme", "3"} : QStringList{},
                               starts, 1.0 / 30),
                 QString());

        // One input: no chapters.
        if (chapters) {
            QCOMPARE(test::wholeJob(folder, inputs.mid(0, 1), folder.file("single-" + output), args), QString());
            QCOMPARE(wrongChapters(folder.file("single-" + output), {}, {}, 0), QString());
        }
    }
};

QTEST_MAIN(tst_CopyJoins)
#include "tst_copyjoins.moc"
