// Every shipped profile through real joins with our encoder, the way the job runs them (each clip
// converted into its part, the parts joined): every entry of every list in turn, the others as
// loaded, on short clips of different sizes, frame rates and sample rates. (The profiles as
// loaded, on six kinds of clip: tst_partjoins.) Each output must be the container its Type names,
// hold the codecs and size chosen, show a moving picture (as many frames as its play time
// asks), and keep flash and beep together at the join.
#include "job/CommandLines.h"
#include "job/CopyMatch.h"
#include "job/EncoderRunner.h"
#include "prefs/IniFile.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/TestFolder.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QtTest>

#include <cmath>

using namespace velmora;
using profiles::Section;

namespace {

const QString ShippedFolder = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");
constexpr double Frame = 1.0 / 30;
constexpr double SyncTolerance = 0.040;

// What ffprobe calls the codecs that the profile values ask for.
QString probedCodec(const QString &value)
{
    static const QMap<QString, QString> names = {{"msmpeg4", "msmpeg4v3"}, {"flv", "flv1"},      {"h263p", "h263"},
                                                 {"libx264", "h264"},      {"libx265", "hevc"},    {"libvpx-vp9", "vp9"},
                                                 {"libsvtav1", "av1"},     {"libopus", "opus"},    {"mp3", "mp3"}};
    return names.value(value, value);
}

// The name ffprobe gives the container that a profile's Type names.
QString probedContainer(const QString &type)
{
    static const QMap<QString, QString> names = {{"mkv", "matroska"}, {"webm", "webm"}, {"mpg", "mpeg"}, {"wmv", "asf"}};
    return names.value(type, type);
}

// Codecs slow enough that one large picture size a profile is plenty.
bool slowCodec(const QString &value)
{
    return value == "libx265" || value == "libvpx-vp9" || value == "libsvtav1";
}

QString runFfmpeg(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(300000) || process.exitCode() != 0)
        return QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (output)
        *output = process.readAllStandardOutput();
    return {};
}

// Clips joined in one job, and where their flashes and beeps belong in the output.
struct Inputs
{
    QStringList files;
    QList<double> flashAt;
    QList<double> beepAt;
    double seconds = 0;

    static Inputs of(const QList<test::MarkedClip> &clips)
    {
        Inputs inputs;
        for (const test::MarkedClip &clip : clips) {
            inputs.files << test::markedClip(clip);
            inputs.flashAt << inputs.seconds + test::flashTimes(inputs.files.constLast()).value(0);
            inputs.beepAt << inputs.seconds + clip.flashAt;
            // Each join lands on the nearest output frame.
            inputs.seconds = std::round((inputs.seconds + test::videoSeconds(inputs.files.constLast())) * 30) / 30;
        }
        return inputs;
    }
};

test::MarkedClip flash(const QString &size, const QString &rate, double seconds, int sampleRate, const QString &container,
                       double flashAt)
{
    return test::markedSpec(test::MarkedClip::Picture::Flash, size, rate, seconds, sampleRate, container, flashAt);
}

} // namespace

class tst_ProfileJoins : public QObject
{
    Q_OBJECT

private:
    test::TestFolder m_work;
    Inputs m_small;
    int m_joins = 0;

    // Each input converted as the job converts it for these options; empty when one fails.
    QStringList partsFor(const Inputs &inputs, const profiles::EncoderArgs &options, QString &failed)
    {
        job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        const QString shape = job::PictureShape(inputs.files.constFirst());
        QStringList parts;
        for (const QString &input : inputs.files) {
            const QString part = m_work.file(QStringLiteral("part-%1-%2.mkv").arg(m_joins).arg(parts.size()));
            job::PositionReader reader;
            const job::RunResult result = runner.RunEncoder(job::ConversionCommand(input, part, options, shape).arguments(), reader, {}, nullptr);
            parts << part;
            if (!result.succeeded()) {
                failed = "the conversion failed: " + result.lastLines();
                return {};
            }
        }
        return parts;
    }

    // Joins with the form's current settings and checks what comes out; empty when all is well.
    QString joinAndCheck(profiles::TopSettingForm &form, const QString &profile, Inputs &inputs)
    {
        const QString size = profiles::GetOutputSize(form, profile);
        const profiles::EncoderArgs options = profiles::GetEncoderOptions(form, profile);
        const prefs::IniFile values(profile);
        const QString type = values.readString("Main", "Type", "avi");
        const QString output = m_work.file(QStringLiteral("joined-%1.%2").arg(++m_joins).arg(type));
        QString failed;
        const QStringList parts = partsFor(inputs, options, failed);
        const auto remove = qScopeGuard([&output, &parts] {
            QFile::remove(output);
            for (const QString &part : parts)
                QFile::remove(part);
        });
        if (!failed.isEmpty())
            return failed;
        job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        job::PositionReader reader(job::PositionReader::Pass::Join);
        const job::RunResult result = runner.RunEncoder(job::JoinCommand(parts, output, options).arguments(), reader, {}, nullptr);
        if (!result.succeeded())
            return "the encoder failed: " + result.lastLines();
        // Every picture is encoded once: the join copies the parts made for it (but for sound in
        // packets too long to copy in sync, which it names).
        if (result.output.contains("other settings"))
            return "the join encoded again: " + result.lastLines();

        // The container, the codecs and the picture size, as ffprobe sees them.
        QByteArray json;
        if (const QString failed = runFfmpeg(QStringLiteral(VELMORA_FFPROBE),
                                             {"-v", "error", "-read_intervals", "%+#100", "-show_entries",
                                              "format=format_name:stream=codec_type,codec_name,width,height:"
                                              "frame=media_type,best_effort_timestamp_time",
                                              "-of", "json", output},
                                             &json);
            !failed.isEmpty())
            return "ffprobe: " + failed;
        const QJsonObject probe = QJsonDocument::fromJson(json).object();
        const QStringList formats = probe["format"].toObject()["format_name"].toString().split(',');
        if (!formats.contains(probedContainer(type)))
            return "the container is " + formats.join(',');
        QJsonObject video, audio;
        for (const QJsonValue stream : probe["streams"].toArray()) {
            const QJsonObject object = stream.toObject();
            if (object["codec_type"] == "video" && video.isEmpty())
                video = object;
            if (object["codec_type"] == "audio" && audio.isEmpty())
                audio = object;
        }
        const QString vcodec = values.readString("Video Codec", "value" + QString::number(form.selectedIndex(Section::VideoCodec)), "mpeg4");
        const QString caption = form.currentText(Section::AudioCodec);
        const QString avalue = values.readString("Audio Codec", "value" + QString::number(form.selectedIndex(Section::AudioCodec)), {});
        const QString expectedAudio = caption == "MP3" ? "mp3" : caption == "PCM" ? (type == "mov" || type == "mpg" ? "pcm_s16be" : "pcm_s16le")
                                                                            : probedCodec(avalue);
        const QString got = QStringLiteral("%1 %2x%3 + %4").arg(video["codec_name"].toString()).arg(video["width"].toInt())
                                .arg(video["height"].toInt()).arg(audio["codec_name"].toString());
        const QString wanted = QStringLiteral("%1 %2 + %3").arg(probedCodec(vcodec), QString(size).replace(':', 'x'), expectedAudio);
        if (got != wanted)
            return "it holds " + got + ", not " + wanted;

        // One decode for both: the pictures, squeezed to a few pixels, and the sound at 48 kHz.
        const QString pictures = output + ".gray";
        const QString sound = output + ".pcm";
        const auto removeDecoded = qScopeGuard([&] {
            QFile::remove(pictures);
            QFile::remove(sound);
        });
        if (const QString failed = runFfmpeg(QStringLiteral(VELMORA_FFMPEG),
                                             {"-v", "error", "-i", output, "-map", "0:v:0", "-fps_mode", "passthrough", "-vf",
                                              "scale=8:8:flags=area,format=gray", "-f", "rawvideo", pictures, "-map", "0:a:0", "-ac",
                                              "1", "-ar", "48000", "-f", "s16le", sound});
            !failed.isEmpty())
            return "ffmpeg: " + failed;
        QFile pictureFile(pictures);
        QFile soundFile(sound);
        if (!pictureFile.open(QIODevice::ReadOnly) || !soundFile.open(QIODevice::ReadOnly))
            return "nothing decoded";
        const QByteArray gray = pictureFile.readAll();
        const QByteArray pcm = soundFile.readAll();

        // A moving picture: a frame every thirtieth of a second of the play time.
        const qsizetype frames = gray.size() / 64;
        if (std::llabs(frames - std::llround(inputs.seconds * 30)) > 1)
            return QStringLiteral("%1 frames for %2 s").arg(frames).arg(inputs.seconds);

        // Flashes (frames turning bright) and beeps, against where they belong.
        QList<double> flashes;
        for (qsizetype i = 0; i < frames; ++i) {
            const auto mean = [&gray](qsizetype f) {
                int sum = 0;
                for (int p = 0; p < 64; ++p)
                    sum += quint8(gray.at(f * 64 + p));
                return sum / 64;
            };
            if (mean(i) > 100 && (i == 0 || mean(i - 1) <= 100))
                flashes << i * Frame;
        }
        // The sound decodes from its first frame's time on, the pictures from theirs.
        double firstPicture = NAN;
        double firstSound = NAN;
        for (const QJsonValue frame : probe["frames"].toArray()) {
            const QJsonObject object = frame.toObject();
            const double time = object["best_effort_timestamp_time"].toString().toDouble();
            if (object["media_type"] == "video" && std::isnan(firstPicture))
                firstPicture = time;
            if (object["media_type"] == "audio" && std::isnan(firstSound))
                firstSound = time;
        }
        if (std::isnan(firstPicture) || std::isnan(firstSound))
            return "no first picture or sound among the first packets";
        const double soundOffset = firstSound - firstPicture;
        const auto *samples = reinterpret_cast<const qint16 *>(pcm.constData());
        const qsizetype count = pcm.size() / 2;
        int peak = 0;
        for (qsizetype i = 0; i < count; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        QList<double> beeps;
        qsizetype quiet = 4800;
        for (qsizetype i = 0; i < count; ++i) {
            if (std::abs(int(samples[i])) > peak / 4) {
                if (quiet >= 4800)
                    beeps << soundOffset + double(i) / 48000;
                quiet = 0;
            } else {
                ++quiet;
            }
        }
        if (flashes.size() != inputs.flashAt.size() || beeps.size() != inputs.beepAt.size())
            return QStringLiteral("%1 flashes and %2 beeps").arg(flashes.size()).arg(beeps.size());
        for (qsizetype i = 0; i < flashes.size(); ++i) {
            const double flashOff = flashes.at(i) - inputs.flashAt.at(i);
            const double beepOff = beeps.at(i) - inputs.beepAt.at(i);
            if (std::abs(flashOff) > SyncTolerance + Frame || std::abs(beepOff) > SyncTolerance
                || std::abs(flashOff - beepOff) > SyncTolerance + Frame)
                return QStringLiteral("clip %1: flash %2 ms, beep %3 ms off").arg(i).arg(flashOff * 1000, 0, 'f', 1).arg(beepOff * 1000, 0, 'f', 1);
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_small = Inputs::of({flash("320x240", "25", 0.6, 44100, "avi", 0.3), flash("240x180", "30000/1001", 0.6, 22050, "mp4", 0.35)});
    }

    void everyEntryJoins_data()
    {
        QTest::addColumn<QString>("file");
        // A profile that copies converts nothing and joins the inputs themselves: tst_copyjoins.
        for (const profiles::ProfileEntry &entry : profiles::discoverProfiles(ShippedFolder)) {
            if (prefs::IniFile(ShippedFolder + '/' + entry.fileName).readString("Video Codec", "value0", {}) != "copy")
                QTest::newRow(qPrintable(entry.name)) << entry.fileName;
        }
    }
    void everyEntryJoins()
    {
        QFETCH(QString, file);
        const QString profile = ShippedFolder + '/' + file;
        QWidget main;
        profiles::TopSettingForm form(&main);
        form.LoadProfile(profile);

        QStringList failed;
        const auto check = [&](const QString &what, Inputs &inputs) {
            const QString wrong = joinAndCheck(form, profile, inputs);
            if (!wrong.isEmpty())
                failed << what + " (" + profiles::GetEncoderOptions(form, profile).text() + "): " + wrong;
        };
        // As loaded: tst_partjoins.
        QSet<QString> tried{profiles::GetOutputSize(form, profile) + profiles::GetEncoderOptions(form, profile).text()};
        bool largeTried = false;
        for (const Section section : profiles::AllSections) {
            QComboBox *list = form.list(section);
            const int loaded = list->currentIndex();
            for (int entry = 0; entry < list->count(); ++entry) {
                list->setCurrentIndex(entry);
                const QString key = profiles::GetOutputSize(form, profile) + profiles::GetEncoderOptions(form, profile).text();
                if (tried.contains(key))
                    continue; // the same join as one before: this entry is not used with the others as loaded
                tried.insert(key);
                const QString size = profiles::GetOutputSize(form, profile);
                const QString vcodec = prefs::IniFile(profile).readString(
                    "Video Codec", "value" + QString::number(form.selectedIndex(Section::VideoCodec)), {});
                if (slowCodec(vcodec) && size.section(':', 0, 0).toInt() >= 1920) {
                    if (largeTried)
                        continue;
                    largeTried = true;
                }
                check(profiles::sectionName(section) + " = " + list->itemText(entry), m_small);
            }
            list->setCurrentIndex(loaded);
        }
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join("\n")));
        qInfo("%lld distinct joins", static_cast<long long>(tried.size()));
    }
};

QTEST_MAIN(tst_ProfileJoins)
#include "tst_profilejoins.moc"
