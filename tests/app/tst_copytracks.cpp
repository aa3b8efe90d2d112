// Joins without re-encoding of files as recorders, phones and cameras write them, through the
// real main window and encoder: B-frames in Matroska, several sound tracks with subtitles and
// fonts, what the camera wrote, chapters of their own, clips trimmed on a phone, and many
// files under a small limit of open files. What goes in must come out, track by track, or
// the user must have been told before Start.
#include "app/CopyFolder.h"
#include "encoder/joining/CopyCheck.h"
#include "support/ClipCache.h"
#include "support/EncoderJobs.h"
#include "support/FakeSeams.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/TestFolder.h"

#include <QJsonArray>
#include <QTimer>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include <sys/resource.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// A numbered clip (frame n shows firstNumber + n) encoded as a recorder would, with B-frames.
QString recording(const QString &name, int firstNumber, const QStringList &codecs, double seconds = 2.0)
{
    MarkedClip source = markedSpec(MarkedClip::Picture::Numbered, "320x240", "30", seconds, 48000, "mkv");
    source.firstNumber = firstNumber;
    return ffmpegClip(name, QStringList{"-i", markedClip(source), "-map", "0:v", "-map", "0:a", "-g", "30"} + codecs);
}

QJsonArray probed(const QString &file, const QString &what)
{
    return QJsonDocument::fromJson(run(VELMORA_FFPROBE, {"-v", "error", "-show_entries", what, "-of", "json", file}))
        .object()
        .value(what.section('=', 0, 0) == "format" ? "format" : what.section('=', 0, 0) + "s")
        .toArray();
}

QJsonObject formatTags(const QString &file)
{
    return QJsonDocument::fromJson(run(VELMORA_FFPROBE, {"-v", "error", "-show_entries", "format_tags", "-of", "json", file}))
        .object()
        .value("format")
        .toObject()
        .value("tags")
        .toObject();
}

// The decoding times ffprobe reads of the picture's packets, in file order; where a container
// keeps none (Matroska), those its reader works out.
QList<qint64> decodingTimes(const QString &file)
{
    QList<qint64> times;
    for (const QByteArray &line : run(VELMORA_FFPROBE, {"-v", "error", "-select_streams", "v:0", "-show_entries", "packet=dts", "-of",
                                                         "csv=p=0", file})
                                      .split('\n')) {
        if (!line.trimmed().isEmpty() && line.trimmed() != "N/A")
            times << line.trimmed().toLongLong();
    }
    return times;
}

// The first place where the times do not rise strictly, or -1.
qsizetype notRising(const QList<qint64> &times)
{
    for (qsizetype i = 1; i < times.size(); ++i) {
        if (times.at(i) <= times.at(i - 1))
            return i;
    }
    return -1;
}

QString showText(const FakeSeams &seams)
{
    QStringList all;
    for (const ShownMessage &shown : seams.messages.shown)
        all << shown.title + ": " + shown.text + " " + shown.details;
    return all.join('\n');
}

// The picture's first display time, the moment a player calls zero.
double pictureStart(const QString &file)
{
    const QJsonArray streams = probed(file, "stream=codec_type,start_time");
    for (const QJsonValue &stream : streams) {
        if (stream.toObject().value("codec_type").toString() == "video")
            return stream.toObject().value("start_time").toString().toDouble();
    }
    return 0;
}

// An SRT file with two cues, at 0.5 s and 2.5 s, a second each.
QString subtitleFile()
{
    return cachedClip("two-cues.srt", [](const QString &partial) {
        QFile file(partial);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(partial));
        file.write("1\n00:00:00,500 --> 00:00:01,500\nFirst cue\n\n2\n00:00:02,500 --> 00:00:03,500\nSecond cue\n");
    });
}

const QString Font = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

// A recorder's Matroska file: H.264 with B-frames, English and German sound, SubRip subtitles
// (forced), a font for them, 4 seconds long; soundCodec for both tracks.
QString multiTrack(const QString &name, const QString &soundCodec, const QStringList &extra = {})
{
    const QString picture = recording("multi-source-" + soundCodec + ".mkv", 0, {"-c:v", "libx264", "-bf", "2", "-c:a", soundCodec}, 4.0);
    return ffmpegClip(name, QStringList{"-i", picture, "-i", subtitleFile(), "-map", "0:v", "-map", "0:a", "-map", "0:a", "-map", "1",
                                        "-c", "copy", "-c:s", "srt", "-metadata:s:a:0", "language=eng", "-metadata:s:a:1",
                                        "language=deu", "-metadata:s:a:1", "title=Deutsch", "-metadata:s:s:0", "language=eng",
                                        "-disposition:a:0", "default", "-disposition:a:1", "0", "-disposition:s:0", "forced",
                                        "-attach", Font, "-metadata:s:t", "mimetype=font/ttf"}
                                + extra);
}

// A numbered clip with a key picture a second, and the same trimmed as a phone does: an edit
// list from 1.5 s, which plays from picture 45 on.
std::pair<QString, QString> trimmedOnAPhone()
{
    MarkedClip source = markedSpec(MarkedClip::Picture::Numbered, "320x240", "30", 3.0, 48000, "mp4");
    const QString clip = ffmpegClip("trim-source-g30.mp4", {"-i", markedClip(source), "-c:v", "libx264", "-g", "30", "-sc_threshold", "0", "-c:a", "aac"});
    return {clip, ffmpegClip("trimmed-g30.mp4", {"-ss", "1.5", "-i", clip, "-c", "copy"})};
}

// What a job that never began left: the rows as they were, the window idle, no files. Empty
// when so.
QString nothingBegun(JobRun &app, const QStringList &statuses)
{
    if (app.statuses() != statuses)
        return "the rows show " + app.statuses().join(", ");
    if (!app.idleAgain())
        return "the window is not idle";
    if (!app.leftInTemp().isEmpty() || !app.leftInOutput().isEmpty())
        return "files were left: " + (app.leftInTemp() + app.leftInOutput()).join(", ");
    return QString();
}

} // namespace

class tst_CopyTracks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bFramesFromMatroska_data()
    {
        QTest::addColumn<QStringList>("clips");
        QTest::addColumn<QString>("profile");
        const QStringList h264{"-c:v", "libx264", "-bf", "2", "-c:a", "libopus"};
        QTest::newRow("H.264 and Opus into MKV") << QStringList{recording("bf-h264-a.mkv", 0, h264), recording("bf-h264-b.mkv", 100, h264)}
                                                 << CopyProfile;
        const QStringList hevc{"-c:v", "libx265", "-x265-params", "log-level=error:bframes=2", "-c:a", "libopus"};
        QTest::newRow("HEVC and Opus into MKV") << QStringList{recording("bf-hevc-a.mkv", 0, hevc), recording("bf-hevc-b.mkv", 100, hevc)}
                                                << CopyProfile;
        // MP4 keeps every decoding time as written: none is the reader's guess.
        const QStringList aac{"-c:v", "libx264", "-bf", "2", "-c:a", "aac"};
        QTest::newRow("H.264 and AAC into MP4") << QStringList{recording("bf-aac-a.mkv", 0, aac), recording("bf-aac-b.mkv", 100, aac)}
                                                << Mp4CopyProfile;
    }
    void bFramesFromMatroska()
    {
        QFETCH(QStringList, clips);
        QFETCH(QString, profile);
        FakeSeams seams;
        CopyFolder job(profile, clips, {"rec 1.mkv", "rec 2.mkv"});
        JobRun app(job);
        app.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QVERIFY2(seams.messages.shown.at(0).title == "Complete", qPrintable(showText(seams)));

        QStringList pictures;
        for (const QString &input : std::as_const(job.inputs))
            pictures << md5s(input, "v");
        QCOMPARE(pictures.size(), 120);
        QCOMPARE(md5s(job.output, "v"), pictures);
        const QList<int> numbers = frameNumbers(job.output);
        QCOMPARE(numbers.mid(58, 4), (QList<int>{58, 59, 100, 101}));
        const QList<qint64> times = decodingTimes(job.output);
        QVERIFY2(times.size() >= 116, qPrintable(QString::number(times.size())));
        QCOMPARE(notRising(times), qsizetype(-1));
    }

    void everyTrackKept_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("subtitles");
        QTest::addColumn<bool>("fontKept");
        QTest::newRow("MKV") << multiTrack("multi-opus.mkv", "libopus") << CopyProfile << "subrip" << true;
        // MP4 holds only its own text subtitles, and no fonts: the subtitles are converted, the
        // font is named before Start.
        QTest::newRow("MP4") << multiTrack("multi-aac.mkv", "aac") << Mp4CopyProfile << "mov_text" << false;
    }
    void everyTrackKept()
    {
        QFETCH(QString, clip);
        QFETCH(QString, profile);
        QFETCH(QString, subtitles);
        QFETCH(bool, fontKept);
        FakeSeams seams;
        seams.messages.answers << true;
        CopyFolder job(profile, {clip, clip}, {"take 1.mkv", "take 2.mkv"});
        JobRun app(job);
        app.start();
        QVERIFY2(seams.messages.shown.constLast().title == "Complete", qPrintable(showText(seams)));
        if (!fontKept) {
            QCOMPARE(seams.messages.shown.size(), 2);
            QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Question);
            QCOMPARE(seams.messages.shown.at(0).title, QString("Not Everything Can Be Kept"));
            QVERIFY2(seams.messages.shown.at(0).text.contains(
                         "- take 1.mkv and 1 other file: the attachment DejaVuSans.ttf is left out: MP4 files cannot hold attachments."),
                     qPrintable(seams.messages.shown.at(0).text));
        } else {
            QCOMPARE(seams.messages.shown.size(), 1);
        }

        QStringList found;
        for (const QJsonValue &value : probed(job.output, "stream=codec_type,codec_name:stream_tags=language,title,handler_name,filename:stream_disposition=default,forced")) {
            const QJsonObject stream = value.toObject();
            const QJsonObject tags = stream.value("tags").toObject();
            const QJsonObject flags = stream.value("disposition").toObject();
            const QString type = stream.value("codec_type").toString();
            // MP4 names a track by its handler.
            const QString title = tags.value(tags.contains("title") ? "title" : "handler_name").toString();
            QString text = type;
            if (type == "audio" || type == "subtitle")
                text += " " + tags.value("language").toString() + (title.isEmpty() || title.endsWith("Handler") ? "" : " \"" + title + "\"")
                        + (flags.value("default").toInt() ? " default" : "") + (flags.value("forced").toInt() ? " forced" : "");
            if (type == "subtitle")
                text += " " + stream.value("codec_name").toString();
            if (type == "attachment")
                text += " " + tags.value("filename").toString();
            if (stream.value("codec_name").toString() != "bin_data") // MP4's chapters are a track of their own
                found << text.replace(QStringLiteral(" ") + subtitles, QStringLiteral(" (subtitles)"));
        }
        // MP4 enables the first track of each kind, which reads back as the default one.
        QStringList expected{"video", "audio eng default", "audio deu \"Deutsch\"",
                             fontKept ? "subtitle eng forced (subtitles)" : "subtitle eng default forced (subtitles)"};
        if (fontKept)
            expected << "attachment DejaVuSans.ttf";
        QCOMPARE(found, expected);
        if (fontKept) {
            const QString font = QDir(job.outputDir).filePath("DejaVuSans.ttf");
            run(VELMORA_FFMPEG, {"-v", "error", "-dump_attachment:t", font, "-i", job.output, "-t", "0", "-f", "null", "-"});
            QCOMPARE(QFileInfo(font).size(), QFileInfo(Font).size());
            QFile::remove(font);
        }

        // Every cue where it is against the picture in the file; the second file's four seconds later.
        const double zero = pictureStart(job.output) - pictureStart(clip);
        QList<double> cues;
        for (const QByteArray &line : run(VELMORA_FFPROBE, {"-v", "error", "-select_streams", "s", "-show_entries", "packet=pts_time,size",
                                                             "-of", "csv=p=0", job.output})
                                          .split('\n')) {
            // MP4's text track fills the gaps between cues with empty ones (two bytes).
            const QList<QByteArray> fields = line.trimmed().split(',');
            if (fields.size() == 2 && fields.at(1).toInt() > 2)
                cues << std::round((fields.at(0).toDouble() - zero) * 100) / 100;
        }
        QCOMPARE(cues, (QList<double>{0.5, 2.5, 4.5, 6.5}));
        // Both sound tracks play all along, alike: but for the few packets of each input that lie
        // before its picture's start or past its end.
        const qsizetype packets = md5s(clip, "a:0").size();
        const qsizetype first = md5s(job.output, "a:0").size();
        QVERIFY2(first <= 2 * packets && first >= 2 * packets - 8, qPrintable(QStringLiteral("%1 of %2").arg(first).arg(2 * packets)));
        QCOMPARE(md5s(job.output, "a:1").size(), first);
    }

    void differentTracksRefused_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");
        const QString first = multiTrack("multi-opus.mkv", "libopus");
        QTest::newRow("a sound track fewer")
            << ffmpegClip("multi-one-sound.mkv", {"-i", first, "-map", "0", "-map", "-0:a:1", "-c", "copy"})
            << "clip 2.mkv cannot be joined without re-encoding: it has 1 sound track, the first file has 2 sound tracks. Choose a profile that re-encodes.";
        QTest::newRow("no subtitles")
            << ffmpegClip("multi-no-subtitles.mkv", {"-i", first, "-map", "0", "-map", "-0:s", "-c", "copy"})
            << "clip 2.mkv cannot be joined without re-encoding: it has no subtitles, the first file has 1 subtitle track. Choose a profile "
               "that re-encodes.";
        QTest::newRow("other subtitles")
            << ffmpegClip("multi-ass.mkv", {"-i", first, "-map", "0", "-c", "copy", "-c:s", "ass"})
            << "clip 2.mkv cannot be joined without re-encoding: its subtitle track 1 is ASS, the first file's is SubRip. Choose a profile "
               "that re-encodes.";
        QTest::newRow("the German sound in mono")
            << ffmpegClip("multi-mono.mkv", {"-i", first, "-map", "0", "-c", "copy", "-c:a:1", "libopus", "-ac:a:1", "1"})
            << "clip 2.mkv cannot be joined without re-encoding: its sound track 2 is Opus 48000 Hz mono, the first file's is Opus 48000 Hz "
               "stereo. Choose a profile that re-encodes.";
    }
    void differentTracksRefused()
    {
        QFETCH(QString, second);
        QFETCH(QString, message);
        FakeSeams seams;
        CopyFolder job(CopyProfile, {multiTrack("multi-opus.mkv", "libopus"), second}, {"clip 1.mkv", "clip 2.mkv"});
        JobRun app(job);
        app.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Cannot Join Without Re-encoding"));
        QCOMPARE(seams.messages.shown.at(0).text, message);
        QVERIFY(app.idleAgain());
        QCOMPARE(app.leftInOutput(), QStringList{});
    }

    void cameraTagsKept_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("copies");
        QTest::newRow("copy into MP4") << Mp4CopyProfile << true;
        QTest::newRow("copy into MKV") << CopyProfile << true;
        QTest::newRow("re-encoded into MP4") << QStringLiteral("MP4 - H.264 and AAC (plays everywhere).bpf") << false;
    }
    void cameraTagsKept()
    {
        QFETCH(QString, profile);
        QFETCH(bool, copies);
        // A phone's clip: when and where it was filmed, and with what (Apple's own keys).
        const QString phone = ffmpegClip(
            "camera-tags.mp4",
            {"-f", "lavfi", "-i", "testsrc2=s=320x240:r=30", "-f", "lavfi", "-i", "sine=r=48000", "-t", "1", "-c:v", "libx264", "-pix_fmt",
             "yuv420p", "-c:a", "aac", "-movflags", "use_metadata_tags", "-metadata", "creation_time=2024-06-01T10:20:30.000000Z",
             "-metadata", "location=+52.5200+013.4050/", "-metadata", "com.apple.quicktime.make=Apple", "-metadata",
             "com.apple.quicktime.model=iPhone 12"});
        const QString later = ffmpegClip("camera-tags-later.mp4", {"-i", phone, "-c", "copy", "-metadata",
                                                                   "creation_time=2024-06-01T11:00:00.000000Z"});
        FakeSeams seams;
        CopyFolder job(profile, {phone, later}, {"IMG_0001.mp4", "IMG_0002.mp4"});
        JobRun app(job);
        app.start();
        QVERIFY2(seams.messages.shown.size() == 1 && seams.messages.shown.at(0).title == "Complete", qPrintable(showText(seams)));
        const QJsonObject tags = formatTags(job.output);
        QCOMPARE(tags.value("creation_time").toString(), QString("2024-06-01T10:20:30.000000Z"));
        QCOMPARE(tags.value(tags.contains("location") ? "location" : "LOCATION").toString(), QString("+52.5200+013.4050/"));
        const QString make = tags.contains("com.apple.quicktime.make") ? "com.apple.quicktime.make" : "COM.APPLE.QUICKTIME.MAKE";
        QCOMPARE(tags.value(make).toString(), QString("Apple"));
        Q_UNUSED(copies);
    }

    void inputsBringTheirChapters()
    {
        // The first clip has chapters of its own from 0.5 s on; the second has none.
        const QString plain = recording("chapters-plain.mkv", 0, {"-c:v", "libx264", "-c:a", "libopus"});
        const QString marks = cachedClip("chapters.ffmeta", [](const QString &partial) {
            QFile file(partial);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(partial));
            file.write(";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=500\nEND=1200\ntitle=Arrival\n"
                       "[CHAPTER]\nTIMEBASE=1/1000\nSTART=1200\nEND=2000\ntitle=Speech\n");
        });
        const QString chaptered = ffmpegClip("chapters-own.mkv", {"-i", plain, "-i", marks, "-map", "0", "-map_chapters", "1", "-c", "copy"});
        FakeSeams seams;
        CopyFolder job(CopyProfile, {chaptered, plain}, {"party.mkv", "walk.mkv"});
        JobRun app(job);
        app.start();
        QVERIFY2(seams.messages.shown.size() == 1 && seams.messages.shown.at(0).title == "Complete", qPrintable(showText(seams)));
        QStringList got;
        for (const Chapter &chapter : chapters(job.output))
            got << QStringLiteral("%1 %2-%3").arg(chapter.title).arg(chapter.start, 0, 'f', 1).arg(chapter.end, 0, 'f', 1);
        QCOMPARE(got, (QStringList{"party 0.0-0.5", "Arrival 0.5-1.2", "Speech 1.2-2.0", "walk 2.0-4.0"}));
    }

    void phoneTrimmedClip_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("exact");
        QTest::newRow("first, into MP4: an edit list") << true << Mp4CopyProfile << true;
        QTest::newRow("first, into MKV: told") << true << CopyProfile << false;
        QTest::newRow("second, into MP4: told") << false << Mp4CopyProfile << false;
        QTest::newRow("second, into MKV: told") << false << CopyProfile << false;
    }
    void phoneTrimmedClip()
    {
        QFETCH(bool, first);
        QFETCH(QString, profile);
        QFETCH(bool, exact);
        const auto [clip, trimmed] = trimmedOnAPhone();
        QCOMPARE(frameNumbers(trimmed).value(0), 45);

        FakeSeams seams;
        seams.messages.answers << true;
        const QStringList clips = first ? QStringList{trimmed, clip} : QStringList{clip, trimmed};
        const QStringList names = first ? QStringList{"trimmed.mp4", "whole.mp4"} : QStringList{"whole.mp4", "trimmed.mp4"};
        CopyFolder job(profile, clips, names);
        JobRun app(job);
        app.start();
        QVERIFY2(seams.messages.shown.constLast().title == "Complete", qPrintable(showText(seams)));
        const QList<int> numbers = frameNumbers(job.output);
        const qsizetype at = first ? 0 : 90; // where the trimmed clip begins
        if (exact) {
            QCOMPARE(seams.messages.shown.size(), 1);
            QCOMPARE(numbers.value(at), 45);
            QCOMPARE(numbers.size(), 45 + 90);
        } else {
            // Told before Start which picture it starts at, how much earlier, and what to do.
            QCOMPARE(seams.messages.shown.size(), 2);
            QCOMPARE(seams.messages.shown.at(0).title, QString("Not Everything Can Be Kept"));
            QVERIFY2(seams.messages.shown.at(0).text.contains(
                         "- trimmed.mp4: it starts 0.500 s (15 pictures) before where it was cut, since a join without re-encoding can "
                         "only start it at the key picture before the cut; choose a profile that re-encodes to start exactly at the cut."),
                     qPrintable(seams.messages.shown.at(0).text));
            QCOMPARE(numbers.value(at), 30);
            QCOMPARE(numbers.size(), 60 + 90);
        }
        // The trimmed clip's pictures, in order, to its end.
        for (qsizetype i = at + 1; i < at + (exact ? 45 : 60); ++i)
            QCOMPARE(numbers.at(i), numbers.at(i - 1) + 1);
    }

    void trimmedClipDeclined()
    {
        const auto [clip, trimmed] = trimmedOnAPhone();
        FakeSeams seams;
        seams.messages.answers << false;
        CopyFolder job(CopyProfile, {clip, trimmed}, {"whole.mp4", "trimmed.mp4"});
        JobRun app(job);
        const QStringList before = app.statuses();
        app.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Question);
        QCOMPARE(nothingBegun(app, before), QString());
    }

    void stopDuringTheCheck()
    {
        // The check of a day of clips takes a while: Stop gives it up, and nothing has begun.
        const QString clip = recording("many-part.mkv", 0, {"-c:v", "libx264", "-c:a", "libopus", "-t", "0.5"});
        QStringList names;
        for (int i = 0; i < 400; ++i)
            names << QStringLiteral("c%1.mkv").arg(i, 4, 10, QLatin1Char('0'));
        FakeSeams seams;
        CopyFolder job(CopyProfile, QStringList(names.size(), clip), names);
        JobRun app(job);
        const QStringList before = app.statuses();
        bool lockedWhileChecking = false;
        QTimer::singleShot(30, [&] {
            lockedWhileChecking = !app.action("tbtnStart")->isEnabled() && app.action("tbtnStop")->isEnabled();
            app.stop();
        });
        app.start();
        QVERIFY(lockedWhileChecking);
        QCOMPARE(app.main().job()->report().outcome, job::JobOutcome::Stopped);
        QVERIFY2(seams.messages.shown.isEmpty(), qPrintable(showText(seams)));
        QCOMPARE(nothingBegun(app, before), QString());
    }

    void manyFilesUnderASmallLimit()
    {
        // Sixty inputs under a limit of 24 open files: each input is opened only while it is read.
        const QString clip = recording("many-part.mkv", 0, {"-c:v", "libx264", "-c:a", "libopus", "-t", "0.5"});
        TestFolder folder;
        QStringList arguments{"--nofile=24", "--", VELMORA_ENCODER};
        for (int i = 0; i < 60; ++i) {
            const QString input = folder.file(QStringLiteral("c%1.mkv").arg(i, 4, 10, QLatin1Char('0')));
            QFile::copy(clip, input);
            arguments << input;
        }
        const QString output = folder.file("day.mkv");
        arguments << "-o" << output << "-ovc" << "copy" << "-oac" << "copy";
        QProcess encoder;
        encoder.start("prlimit", arguments);
        QVERIFY(encoder.waitForFinished(120000));
        QVERIFY2(encoder.exitCode() == 0, encoder.readAllStandardError().constData());
        QCOMPARE(md5s(output, "v").size(), 60 * md5s(clip, "v").size());

        // A limit reached is named as the system's, not as a file's fault: here, with every file
        // this process may have already open, as the check before Start opens the first input.
        rlimit before{};
        QVERIFY(getrlimit(RLIMIT_NOFILE, &before) == 0);
        // A new file takes the lowest number free: a limit at that number leaves no room.
        const int lowestFree = ::dup(0);
        QVERIFY(lowestFree >= 0);
        ::close(lowestFree);
        rlimit tight = before;
        tight.rlim_cur = static_cast<rlim_t>(lowestFree);
        QVERIFY(setrlimit(RLIMIT_NOFILE, &tight) == 0);
        const encoder::CopyCheck check = encoder::checkCopy({QFile::encodeName(clip).toStdString(), QFile::encodeName(clip).toStdString()},
                                                            QFile::encodeName(folder.file("day 2.mkv")).toStdString());
        QVERIFY(setrlimit(RLIMIT_NOFILE, &before) == 0);
        QCOMPARE(QString::fromStdString(check.refusal),
                 QStringLiteral("many-part.mkv: the system's limit on open files was reached as it was opened (Too many open files); raise "
                                "the limit (ulimit -n) or join fewer files at once."));
    }
};

QTEST_MAIN(tst_CopyTracks)
#include "tst_copytracks.moc"
