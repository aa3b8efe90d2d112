// Every shipped profile through real joins with this machine's MEncoder: its own selections,
// then each entry of its Video Codec, Video Size, Aspect, Audio Codec and MP3 Encode lists in
// turn, on two clips of different sizes, frame rates and sample rates.
#include "job/CommandLines.h"
#include "job/EncoderRunner.h"
#include "prefs/IniFile.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "support/Clips.h"
#include "support/TestFolder.h"
#include "tasks/MediaProbe.h"
#include "tasks/TimeText.h"

#include <QComboBox>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

using namespace velmora;
using profiles::Section;

namespace {

const QString ShippedFolder = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");

// What ffprobe calls the streams that the profile values ask for.
QString probedVideoCodec(const QString &lavcName)
{
    static const QMap<QString, QString> names = {{"msmpeg4", "msmpeg4v3"}, {"flv", "flv1"}, {"h263p", "h263"}};
    return names.value(lavcName, lavcName);
}

// codec_name,width,height of the video stream and codec_name of the audio stream.
QStringList ffprobe(const QString &file)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("ffprobe"),
                  {"-v", "error", "-show_entries", "stream=codec_type,codec_name,width,height", "-of", "csv=p=0", file});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class tst_ProfileJoins : public QObject
{
    Q_OBJECT

private:
    test::TestFolder m_work;
    QStringList m_inputs;
    double m_inputSeconds = 0;
    QMap<QString, QStringList> m_intermediates; // by picture size
    int m_joins = 0;

    QStringList intermediatesFor(const QString &size)
    {
        if (m_intermediates.contains(size))
            return m_intermediates.value(size);
        job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        QStringList files;
        for (const QString &input : std::as_const(m_inputs)) {
            const QString file = m_work.file(QStringLiteral("%1-%2.avi").arg(QString(size).replace(':', 'x')).arg(files.size()));
            job::PositionReader reader;
            const job::RunResult result = runner.RunEncoder(job::ConversionCommand(input, file, size).arguments, reader, {}, nullptr);
            if (!result.succeeded())
                qWarning("Conversion to %s failed: %s", qPrintable(size), qPrintable(result.lastLines()));
            files << file;
        }
        m_intermediates.insert(size, files);
        return files;
    }

    // Joins with the form's current settings and checks what comes out; false after a failure.
    bool joinAndCheck(profiles::TopSettingForm &form, const QString &profile, const QString &what)
    {
        const QString size = profiles::GetOutputSize(form, profile);
        const profiles::EncoderArgs options = profiles::GetEncoderOptions(form, profile);
        const QString output = m_work.file(QStringLiteral("joined-%1.avi").arg(++m_joins));
        job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        job::PositionReader reader(job::PositionReader::Pass::Join);
        const job::RunResult result =
            runner.RunEncoder(job::JoinCommand(intermediatesFor(size), output, options).arguments, reader, {}, nullptr);
        const QString context = what + ":" + options.text;
        if (!result.succeeded()) {
            qWarning("%s\n%s", qPrintable(context), qPrintable(result.lastLines()));
            return false;
        }
        const QStringList streams = ffprobe(output);
        const prefs::IniFile values(profile);
        const QString vcodec = values.readString("Video Codec", "value" + QString::number(form.selectedIndex(Section::VideoCodec)), {});
        const QString expectedVideo = QStringLiteral("%1,%2,video").arg(probedVideoCodec(vcodec), QString(size).replace(':', ','));
        const QString expectedAudio = form.currentText(Section::AudioCodec) == "PCM" ? "pcm_s16le,audio" : "mp3,audio";
        // ffprobe writes codec_name,codec_type,width,height in its own order; compare as sets.
        QSet<QString> video, audio;
        for (const QString &stream : streams) {
            QStringList fields = stream.split(',', Qt::SkipEmptyParts);
            std::sort(fields.begin(), fields.end());
            (stream.contains("video") ? video : audio).insert(fields.join(','));
        }
        QStringList wantVideo = expectedVideo.split(',');
        std::sort(wantVideo.begin(), wantVideo.end());
        QStringList wantAudio = expectedAudio.split(',');
        std::sort(wantAudio.begin(), wantAudio.end());
        if (!video.contains(wantVideo.join(',')) || !audio.contains(wantAudio.join(','))) {
            qWarning("%s: streams %s", qPrintable(context), qPrintable(streams.join(" | ")));
            return false;
        }
        const double seconds = tasks::TimeTextToSeconds(tasks::ProbeMedia(output).length);
        if (qAbs(seconds - m_inputSeconds) > 0.5) {
            qWarning("%s: %f s for %f s of input", qPrintable(context), seconds, m_inputSeconds);
            return false;
        }
        QFile::remove(output);
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::ClipSpec first;
        test::ClipSpec second;
        second.size = "480x270";
        second.rate = 30;
        second.sampleRate = 22050;
        second.tone = 660;
        for (const test::ClipSpec &spec : {first, second}) {
            m_inputs << test::sharedClip(spec);
            m_inputSeconds += tasks::TimeTextToSeconds(tasks::ProbeMedia(m_inputs.constLast()).length);
        }
    }

    void everyEntryJoins_data()
    {
        QTest::addColumn<QString>("file");
        for (const profiles::ProfileEntry &entry : profiles::discoverProfiles(ShippedFolder))
            QTest::newRow(qPrintable(entry.name)) << entry.fileName;
    }
    void everyEntryJoins()
    {
        QFETCH(QString, file);
        const QString profile = ShippedFolder + '/' + file;
        QWidget main;
        profiles::TopSettingForm form(&main);
        form.LoadProfile(profile);

        QStringList failed;
        QSet<QString> tried;
        const auto attempt = [&](const QString &what) {
            const QString key = profiles::GetOutputSize(form, profile) + profiles::GetEncoderOptions(form, profile).text;
            if (tried.contains(key))
                return;
            tried.insert(key);
            if (!joinAndCheck(form, profile, what))
                failed << what;
        };
        attempt("as loaded");
        for (const Section section : {Section::VideoCodec, Section::VideoSize, Section::Aspect, Section::AudioCodec, Section::Mp3Encode}) {
            QComboBox *list = form.list(section);
            const int loaded = list->currentIndex();
            for (int entry = 0; entry < list->count(); ++entry) {
                list->setCurrentIndex(entry);
                attempt(profiles::sectionName(section) + " = " + list->itemText(entry));
            }
            list->setCurrentIndex(loaded);
        }
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join("; ")));
        QVERIFY(tried.size() >= 8);
        qInfo("%lld distinct joins", static_cast<long long>(tried.size()));
    }
};

QTEST_MAIN(tst_ProfileJoins)
#include "tst_profilejoins.moc"
