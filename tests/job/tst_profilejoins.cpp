// Every shipped profile through real joins with our encoder: its own selections, then each
// entry of its Video Codec, Video Size, Aspect, Audio Codec and MP3 Encode lists in turn, on
// three clips of different sizes, frame rates and sample rates (one without sound). Each output must hold what
// the profile asks for, a picture that moves, and flashes and beeps together at the joins.
#include "job/CommandLines.h"
#include "job/EncoderRunner.h"
#include "prefs/IniFile.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
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
    QList<double> m_flashAt; // where each flash and beep belongs in the output
    QList<double> m_beepAt;
    int m_numberedFrames = 0;
    double m_numberedFrom = 0; // where the numbered clip is in the output
    double m_numberedTo = 0;
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
    bool joinAndCheck(profiles::TopSettingForm &form, const QString &profile, const QString &what, bool watch)
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
        if (const QString wrong = watch ? pictureAndSound(output) : QString(); !wrong.isEmpty()) {
            qWarning("%s: %s", qPrintable(context), qPrintable(wrong));
            return false;
        }
        QFile::remove(output);
        return true;
    }

    // What the output shows and sounds like: the numbered clip's frames one after another, and
    // each flash within a frame and each beep within 20 ms of where its clip put it.
    QString pictureAndSound(const QString &output)
    {
        constexpr double Frame = 1.0 / 30;
        const QList<double> times = test::frameTimes(output);
        if (times.isEmpty())
            return "no pictures";
        const double origin = times.constFirst();
        // The numbered clip's stripes may read as bright: flashes count outside it only.
        QList<double> flashes;
        for (const double flash : test::flashTimes(output)) {
            if (flash - origin < m_numberedFrom - 0.01 || flash - origin > m_numberedTo + 0.01)
                flashes << flash;
        }
        const QList<double> beeps = test::beepOnsets(output);
        if (flashes.size() != 2 || beeps.size() != 2)
            return QStringLiteral("%1 flashes and %2 beeps, not 2 and 2").arg(flashes.size()).arg(beeps.size());
        for (int i = 0; i < 2; ++i) {
            const double flash = flashes.at(i) - origin - m_flashAt.at(i);
            const double beep = beeps.at(i) - origin - m_beepAt.at(i);
            if (flash < -0.001 || flash > Frame + 0.001 || qAbs(beep) > 0.020)
                return QStringLiteral("clip %1: flash %2 ms, beep %3 ms off").arg(i * 2).arg(flash * 1000).arg(beep * 1000);
        }
        QList<int> numbers = test::frameNumbers(output);
        numbers.removeAll(-1);
        for (qsizetype i = 1; i < numbers.size(); ++i) {
            if (numbers.at(i) < numbers.at(i - 1) || numbers.at(i) > numbers.at(i - 1) + 2)
                return QStringLiteral("the numbered clip shows frame %1 after %2").arg(numbers.at(i)).arg(numbers.at(i - 1));
        }
        if (numbers.size() < 20 || numbers.constFirst() > 1 || numbers.constLast() < m_numberedFrames - 2)
            return QStringLiteral("the numbered clip shows %1 readable frames, %2 to %3").arg(numbers.size())
                .arg(numbers.value(0)).arg(numbers.value(numbers.size() - 1));
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A flash, a numbered clip and a flash again: two joins to check sync at, and a picture
        // that must move in the middle.
        test::MarkedClip first;
        first.picture = test::MarkedClip::Picture::Flash;
        first.seconds = 1.2;
        first.flashAt = 0.6;
        test::MarkedClip numbered;
        numbered.size = "480x270";
        numbered.rate = "30";
        numbered.seconds = 1.0;
        numbered.sampleRate = 0; // silence between the beeps; the joins fill it in
        numbered.container = "mp4";
        test::MarkedClip last = first;
        last.size = "640x480";
        last.rate = "30000/1001";
        last.sampleRate = 48000;
        last.flashAt = 0.5;
        double start = 0;
        for (const test::MarkedClip &spec : {first, numbered, last}) {
            m_inputs << test::markedClip(spec);
            const double length = test::videoSeconds(m_inputs.constLast());
            if (spec.picture == test::MarkedClip::Picture::Flash) {
                m_flashAt << start + test::flashTimes(m_inputs.constLast()).value(0);
                m_beepAt << start + spec.flashAt;
            } else {
                m_numberedFrames = int(test::frameTimes(m_inputs.constLast()).size());
                m_numberedFrom = start;
                m_numberedTo = start + length;
            }
            // Each join lands on the nearest output frame.
            start = std::round((start + length) * 30) / 30;
        }
        m_inputSeconds = start;
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
        // Picture and sound are watched in every join that changes a codec or its mode; a
        // size or shape changes neither.
        bool watch = true;
        const auto attempt = [&](const QString &what) {
            const QString key = profiles::GetOutputSize(form, profile) + profiles::GetEncoderOptions(form, profile).text;
            if (tried.contains(key))
                return;
            tried.insert(key);
            if (!joinAndCheck(form, profile, what, watch))
                failed << what;
        };
        attempt("as loaded");
        for (const Section section : {Section::VideoCodec, Section::VideoSize, Section::Aspect, Section::AudioCodec, Section::Mp3Encode}) {
            QComboBox *list = form.list(section);
            const int loaded = list->currentIndex();
            watch = section != Section::VideoSize && section != Section::Aspect;
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
