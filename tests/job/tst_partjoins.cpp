// Every shipped profile that re-encodes, as loaded, through the job's own two lines: each of six
// kinds of clip converted into its part, then the parts joined. The join must copy the parts
// (every picture encoded once; WMV's sound excepted, below), show every picture of every clip
// once and in order, keep each beep within 20 ms of its flash at every join without growing,
// and decode without an error.
// And a part made with other settings makes the join encode again, with a note that names it.
#include "job/CommandLines.h"
#include "job/CopyMatch.h"
#include "job/EncoderRunner.h"
#include "prefs/IniFile.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "support/EncoderJobs.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QtTest>

#include <cmath>

using namespace velmora;
using test::MarkedClip;

namespace {

const QString ShippedFolder = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");
constexpr double Frame = 1.0 / test::JobRate;
constexpr double ClipSeconds = 1.2;
// On the frame grids of 25, 30 and 29.97 frames a second alike, so that the flash shows on
// the output frame where its beep begins.
constexpr double FlashAt = 0.6;

// The kinds of file people bring: a phone's MP4 with 90 kHz times and a millisecond of jitter,
// a 30 fps MKV, a browser's WebM, an old FLV, a camera's transport stream, a 29.97 fps MOV.
QList<MarkedClip> sixKinds(MarkedClip::Picture picture)
{
    const auto kind = [&](const QString &container, const QString &rate, int sampleRate) {
        MarkedClip clip = test::markedSpec(picture, QStringLiteral("320x240"), rate, ClipSeconds, sampleRate, container, FlashAt);
        return clip;
    };
    MarkedClip phone = kind("mp4", "30", 48000);
    phone.timescale = 90000;
    phone.jitter = 0.001;
    return {phone, kind("mkv", "30", 44100), kind("webm", "25", 48000), kind("flv", "25", 44100), kind("ts", "25", 48000),
            kind("mov", "30000/1001", 44100)};
}

QStringList made(const QList<MarkedClip> &clips)
{
    QStringList files;
    for (const MarkedClip &clip : clips)
        files << test::markedClip(clip);
    return files;
}

// What ffmpeg says while it decodes the whole file: empty for a clean decode.
QString decodeErrors(const QString &file)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), {"-v", "error", "-i", file, "-f", "null", "-"});
    if (!ffmpeg.waitForFinished(120000))
        return QStringLiteral("ffmpeg did not end");
    return QString::fromUtf8(ffmpeg.readAllStandardError() + ffmpeg.readAllStandardOutput()).trimmed();
}

struct Joined
{
    QString output;
    QString failed;     // empty when both passes went well
    QByteArray said;    // what the join wrote
};

// The two passes of a job, as the job writes their lines; otherFor: the row whose part is made
// with these options instead.
Joined joinParts(const test::TestFolder &folder, const QString &name, const QStringList &inputs, const profiles::EncoderArgs &options,
                 const QString &type, int otherRow = -1, const profiles::EncoderArgs &other = {})
{
    Joined joined;
    joined.output = folder.file(name + QLatin1Char('.') + type);
    job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
    const QString shape = job::PictureShape(inputs.constFirst());
    // Where the job shares the bitrate among the parts, each part has a rate factor of its own,
    // and the join must copy them all the same.
    const bool shared = job::SharedPictureRate(options.arguments(), QLatin1Char('.') + type).has_value();
    QStringList parts;
    for (qsizetype row = 0; row < inputs.size(); ++row) {
        const QString part = folder.file(QStringLiteral("%1-%2.mkv").arg(name).arg(row));
        const std::optional<double> factor = shared ? std::optional<double>(18 + 3.5 * double(row)) : std::nullopt;
        job::PositionReader reader;
        const job::RunResult result = runner.RunEncoder(
            job::ConversionCommand(inputs.at(row), part, row == otherRow ? other : options, shape, factor).arguments(), reader, {}, nullptr);
        if (!result.succeeded()) {
            joined.failed = inputs.at(row) + ": " + result.lastLines();
            return joined;
        }
        parts << part;
    }
    job::PositionReader reader(job::PositionReader::Pass::Join);
    const job::RunResult result = runner.RunEncoder(job::JoinCommand(parts, joined.output, options).arguments(), reader, {}, nullptr);
    joined.said = result.output;
    if (!result.succeeded())
        joined.failed = "the join: " + result.lastLines();
    return joined;
}

// Every clip's pictures, once each and in order: empty when so. A clip's numbers start from 0
// where the one before it ends; a clip slower than the output shows some of its pictures twice.
QString wrongPictures(const QString &output, const QStringList &inputs)
{
    const QList<int> numbers = test::frameNumbers(output);
    QList<QList<int>> clips;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const int number = numbers.at(i);
        if (number < 0)
            return QStringLiteral("picture %1 shows no number").arg(i);
        if (clips.isEmpty() || number < clips.constLast().constLast())
            clips.append(QList<int>());
        clips.last() << number;
    }
    if (clips.size() != inputs.size())
        return QStringLiteral("%1 clips in the output, not %2").arg(clips.size()).arg(inputs.size());
    for (qsizetype clip = 0; clip < clips.size(); ++clip) {
        const qsizetype pictures = test::frameNumbers(inputs.at(clip)).size();
        const QList<int> &shown = clips.at(clip);
        for (int number = 0; number < pictures; ++number) {
            if (!shown.contains(number))
                return QStringLiteral("clip %1 (%2) lacks its picture %3").arg(clip).arg(QFileInfo(inputs.at(clip)).suffix()).arg(number);
        }
        if (shown.constLast() >= pictures)
            return QStringLiteral("clip %1 shows a picture numbered %2 of its %3").arg(clip).arg(shown.constLast()).arg(pictures);
    }
    return {};
}

// Each flash within a frame of its place, and its beep within 20 ms of it: empty when so.
QString wrongSync(const QString &output, const QStringList &inputs)
{
    const QList<double> flashes = test::flashTimes(output);
    const QList<double> beeps = test::beepOnsets(output);
    if (flashes.size() != inputs.size() || beeps.size() != inputs.size())
        return QStringLiteral("%1 flashes and %2 beeps for %3 clips").arg(flashes.size()).arg(beeps.size()).arg(inputs.size());
    // Times from the first picture's: an MPEG program stream starts later than zero.
    const double origin = test::frameTimes(output).value(0);
    QStringList offsets;
    QString wrong;
    for (qsizetype clip = 0; clip < flashes.size(); ++clip) {
        const double place = origin + clip * ClipSeconds + FlashAt;
        const double off = beeps.at(clip) - flashes.at(clip);
        offsets << QString::number(off * 1000, 'f', 1);
        if (wrong.isEmpty() && (std::abs(flashes.at(clip) - place) > Frame + 0.002 || std::abs(off) > 0.020))
            wrong = QStringLiteral("clip %1: flash at %2 s (not %3 s), beep %4 ms after it").arg(clip).arg(flashes.at(clip)).arg(place).arg(off * 1000, 0, 'f', 1);
    }
    return wrong.isEmpty() ? QString() : wrong + " (beep after flash, ms: " + offsets.join(' ') + ")";
}

} // namespace

class tst_PartJoins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void soundThatCopiesInSync_data()
    {
        QTest::addColumn<QStringList>("sound");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("copies");
        const auto lavc = [](const QString &codec, const QString &rate) {
            return QStringList{"-oac", "lavc", "-lavcopts", "acodec=" + codec + ":abitrate=128", "-srate", rate};
        };
        // Half a packet is at most 20 ms: up to 40 ms a packet.
        QTest::newRow("AAC, 21 ms") << lavc("aac", "48000") << ".mp4" << true;
        QTest::newRow("MP3, 26 ms") << QStringList{"-oac", "mp3lame", "-lameopts", "vbr=2:q=4", "-srate", "44100"} << ".avi" << true;
        QTest::newRow("MP2 at 32 kHz, 36 ms") << lavc("mp2", "32000") << ".mpg" << true;
        QTest::newRow("AC-3, 32 ms") << lavc("ac3", "48000") << ".avi" << true;
        QTest::newRow("AC-3 at 32 kHz, 48 ms") << lavc("ac3", "32000") << ".avi" << false;
        QTest::newRow("WMA, 46 ms") << lavc("wmav2", "44100") << ".wmv" << false;
        QTest::newRow("WMA at 22.05 kHz, 46 ms") << lavc("wmav2", "22050") << ".wmv" << false;
        QTest::newRow("Opus, 20 ms") << lavc("libopus", "48000") << ".webm" << true;
        QTest::newRow("PCM") << QStringList{"-oac", "pcm", "-srate", "48000"} << ".avi" << true;
        QTest::newRow("not a line") << QStringList{"-oac", "lavc", "-lavcopts", "acodec=nothing"} << ".avi" << false;
    }
    void soundThatCopiesInSync()
    {
        QFETCH(QStringList, sound);
        QFETCH(QString, extension);
        QFETCH(bool, copies);
        const QStringList picture{"-ovc", "lavc", "-lavcopts", extension == ".webm" ? "vcodec=libvpx-vp9" : extension == ".mp4" ? "vcodec=libx264" : extension == ".mpg" ? "vcodec=mpeg2video" : extension == ".wmv" ? "vcodec=wmv2" : "vcodec=mpeg4"};
        QCOMPARE(job::PartsJoinByCopy(picture + sound, extension), copies);
    }

    void everyPictureOnce_data()
    {
        QTest::addColumn<QString>("file");
        for (const profiles::ProfileEntry &entry : profiles::discoverProfiles(ShippedFolder)) {
            if (prefs::IniFile(ShippedFolder + '/' + entry.fileName).readString("Video Codec", "value0", {}) != "copy")
                QTest::newRow(qPrintable(entry.name)) << entry.fileName;
        }
    }
    void everyPictureOnce()
    {
        QFETCH(QString, file);
        const QString profile = ShippedFolder + '/' + file;
        QWidget main;
        profiles::TopSettingForm form(&main);
        form.LoadProfile(profile);
        const profiles::EncoderArgs options = profiles::GetEncoderOptions(form, profile);
        const QString type = prefs::IniFile(profile).readString("Main", "Type", "avi");
        test::TestFolder folder;

        // The join copies, but for WMA, whose 46 ms packets could put the sound 23 ms off at a
        // join: that sound is encoded again in one piece, and the join says so.
        const bool longPackets = options.arguments().join(' ').contains("acodec=wmav");
        const auto copied = [&](const QByteArray &said) {
            return longPackets ? said.contains("sound comes in packets of 46 ms") && said.contains("the join re-encodes")
                               : !said.contains("re-encodes");
        };
        const QStringList numbered = made(sixKinds(MarkedClip::Picture::Numbered));
        const Joined pictures = joinParts(folder, "numbered", numbered, options, type);
        QVERIFY2(pictures.failed.isEmpty(), qPrintable(pictures.failed));
        QVERIFY2(copied(pictures.said), pictures.said.constData());
        QCOMPARE(wrongPictures(pictures.output, numbered), QString());
        QCOMPARE(decodeErrors(pictures.output), QString());

        const QStringList flashing = made(sixKinds(MarkedClip::Picture::Flash));
        const Joined sync = joinParts(folder, "flashing", flashing, options, type);
        QVERIFY2(sync.failed.isEmpty(), qPrintable(sync.failed));
        QVERIFY2(copied(sync.said), sync.said.constData());
        QCOMPARE(wrongSync(sync.output, flashing), QString());
        QCOMPARE(decodeErrors(sync.output), QString());
    }

    void partMadeOtherwiseIsEncodedAgain()
    {
        // The third part at another bitrate: the join cannot copy it, says which part it is,
        // and encodes every part again, as well as a join always did.
        test::TestFolder folder;
        const profiles::EncoderArgs options = test::divxOptions(QStringLiteral("320:240"));
        profiles::EncoderArgs other;
        other.words({"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=900:mbd=2:autoaspect", "-oac", "mp3lame", "-lameopts",
                     "vbr=2:q=4", "-channels", "2", "-vf", "scale=320:240", "-srate", "44100"});
        QList<MarkedClip> kinds = sixKinds(MarkedClip::Picture::Numbered).mid(0, 3);
        const QStringList numbered = made(kinds);
        const Joined joined = joinParts(folder, "mixed", numbered, options, "avi", 2, other);
        QVERIFY2(joined.failed.isEmpty(), qPrintable(joined.failed));
        const QList<QByteArray> notes = joined.said.split('\n');
        QCOMPARE(std::count_if(notes.begin(), notes.end(), [](const QByteArray &line) { return line.contains("other settings"); }), 1);
        QVERIFY2(joined.said.contains("mixed-2.mkv was made with other settings: the join re-encodes."), joined.said.constData());
        QCOMPARE(wrongPictures(joined.output, numbered), QString());
        QCOMPARE(decodeErrors(joined.output), QString());

        // A part from another encoder (no record of what it was made with) is no part to copy
        // either; a part that records the very options is.
        const QString foreign = folder.file("foreign.mkv");
        QCOMPARE(test::runEncoder(QStringList{numbered.at(1), "-o", foreign} + options.arguments()
                                  + QStringList{"-ofps", "30", "-info", job::SourceInfo(numbered.at(1))}),
                 QString());
        job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        job::PositionReader reader(job::PositionReader::Pass::Join);
        const job::RunResult result = runner.RunEncoder(
            job::JoinCommand({folder.file("mixed-0.mkv"), foreign}, folder.file("foreign.avi"), options).arguments(), reader, {}, nullptr);
        QVERIFY2(result.succeeded(), qPrintable(result.lastLines()));
        QVERIFY2(result.output.contains("foreign.mkv was made with other settings: the join re-encodes."), result.output.constData());
    }
};

QTEST_MAIN(tst_PartJoins)
#include "tst_partjoins.moc"
