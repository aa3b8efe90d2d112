// Inputs with the clocks real files keep: Matroska, WebM and FLV in whole milliseconds, a
// phone's MP4 at 90 kHz with jitter, a variable frame rate, 60 fps. Through the conversion line
// and through a whole job with a shipped profile, every input picture comes out in order (each
// at the output frame nearest its time; at 60 fps every other one), the sound stays with the
// picture at every join, and an input whose picture or sound ends first keeps the longer one.
// Judged only by what ffmpeg and ffprobe see in the files: numbers read back from the pictures,
// flashes and beeps.
#include "job/CommandLines.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "support/EncoderJobs.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/OutputChecks.h"
#include "support/TestFolder.h"

#include <QComboBox>
#include <QtTest>

#include <cmath>

using namespace velmora;
using test::MarkedClip;
using Picture = test::MarkedClip::Picture;

Q_DECLARE_METATYPE(velmora::test::MarkedClip)

namespace {

constexpr double Frame = 1.0 / test::JobRate;

const QString JobProfile = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/MP4 - H.264 and AAC (plays everywhere).bpf");
// The profile's smallest picture size: every clip here is 320x240 or smaller.
const QString JobSize = QStringLiteral("640 x 360");

// One kind of input as users have them.
struct Kind
{
    const char *name;
    MarkedClip clip;
    bool doubleRate = false; // twice the output's rate: every other picture is kept
};

MarkedClip clipOf(Picture picture, const QString &rate, int sampleRate, const QString &container)
{
    MarkedClip clip;
    clip.picture = picture;
    clip.rate = rate;
    clip.sampleRate = sampleRate;
    clip.container = container;
    // Long enough for a rounding fault to show many times over; a flash and a beep at 2 s.
    clip.seconds = picture == Picture::Flash ? 3.0 : 4.0;
    clip.flashAt = 2.0;
    // The sound stops a little before the picture, by more than the sound encoders pad it: each
    // input lasts as long as its picture, however the encoder counts the padding. (Inputs whose
    // sound lasts longer are longerStreamIsKept's.)
    clip.soundSeconds = clip.seconds - 0.05;
    return clip;
}

QList<Kind> kinds(Picture picture)
{
    MarkedClip phone = clipOf(picture, "30", 48000, "mp4");
    phone.timescale = 90000;
    phone.jitter = 0.001;
    phone.seed = 5;
    MarkedClip varied = clipOf(picture, "30", 44100, "mkv");
    varied.sectionRates = {30, 24, 15};
    return {
        {"mkv 30 fps", clipOf(picture, "30", 44100, "mkv")},
        {"webm 30 fps VP9+Opus", clipOf(picture, "30", 48000, "webm")},
        {"mkv 29.97 fps", clipOf(picture, "30000/1001", 48000, "mkv")},
        {"flv 25 fps", clipOf(picture, "25", 44100, "flv")},
        {"phone mp4 90 kHz with jitter", phone},
        {"mkv variable 30-24-15 fps", varied},
        {"mkv 60 fps", clipOf(picture, "60", 48000, "mkv"), true},
    };
}

// What is wrong with the numbers shown for one input, as its kind asks.
QString checkNumbers(const Kind &kind, const QList<int> &shown, const QList<int> &input)
{
    return kind.doubleRate ? test::everyOtherNumber(shown, input) : test::everyNumberInOrder(shown, input);
}

// The clip's clock really is what its kind says, in ffprobe's view: a jittered clip has frames
// off the 1/30 s grid, a varied one steps of more than one length.
QString clockAsMade(const Kind &kind, const QString &file)
{
    const QList<double> times = test::frameTimes(file);
    if (times.size() < 2)
        return QStringLiteral("%1 frames").arg(times.size());
    int offGrid = 0;
    QList<double> steps;
    for (qsizetype i = 1; i < times.size(); ++i) {
        const double fromFirst = times.at(i) - times.constFirst();
        if (std::abs(fromFirst * 30 - std::round(fromFirst * 30)) * 1000 / 30 > 0.2)
            ++offGrid;
        const double step = std::round((times.at(i) - times.at(i - 1)) * 1000);
        if (!steps.contains(step))
            steps << step;
    }
    if (kind.clip.jitter > 0 && offGrid < times.size() / 2)
        return QStringLiteral("only %1 of %2 frames are off the grid").arg(offGrid).arg(times.size());
    if (kind.clip.sectionRates.size() > 1 && steps.size() < 3)
        return QStringLiteral("steps of only %1 different lengths").arg(steps.size());
    return {};
}

// The shipped MP4 profile as loaded, but for its smallest picture size: the output size and
// the join's option fragment, as the job would take them.
std::pair<QString, profiles::EncoderArgs> jobProfile()
{
    QWidget main;
    profiles::TopSettingForm form(&main);
    form.LoadProfile(JobProfile);
    QComboBox *sizes = form.list(profiles::Section::VideoSize);
    const int small = sizes->findText(JobSize, Qt::MatchStartsWith);
    if (small < 0)
        qFatal("The profile has no entry %s", qPrintable(JobSize));
    sizes->setCurrentIndex(small);
    return {profiles::GetOutputSize(form, JobProfile), profiles::GetEncoderOptions(form, JobProfile)};
}

// A whole job over one clip of each kind, joined with the shipped profile.
struct Job
{
    QStringList inputs;
    QList<int> starts; // where each input begins in the output, in frames, and where the last ends
    QString joined;
    QString failed; // the encoder's last lines, when it failed

    static Job of(const QList<Kind> &kinds, const test::TestFolder &folder)
    {
        Job job;
        QList<double> lengths; // each input's, as a player shows it
        for (const Kind &kind : kinds) {
            job.inputs << test::markedClip(kind.clip);
            lengths << test::playSeconds(job.inputs.constLast());
        }
        job.starts = test::joinSlots(lengths);
        const auto [size, options] = jobProfile();
        job.joined = folder.file("joined.mp4");
        job.failed = test::wholeJob(folder, job.inputs, job.joined, options);
        return job;
    }
};

} // namespace

class tst_Clocks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Every clip first, once: a failure to make one is no fault of the encoder's.
        for (const Picture picture : {Picture::Numbered, Picture::Flash}) {
            for (const Kind &kind : kinds(picture))
                test::markedClip(kind.clip);
        }
    }

    void conversionKeepsEveryPicture_data()
    {
        QTest::addColumn<int>("kind");
        const QList<Kind> all = kinds(Picture::Numbered);
        for (qsizetype i = 0; i < all.size(); ++i)
            QTest::newRow(all.at(i).name) << int(i);
    }
    void conversionKeepsEveryPicture()
    {
        QFETCH(int, kind);
        const Kind of = kinds(Picture::Numbered).at(kind);
        const QString input = test::markedClip(of.clip);
        const QString clock = clockAsMade(of, input);
        QVERIFY2(clock.isEmpty(), qPrintable("the clip is not as made: " + clock));
        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const QString failed = test::runEncoder(test::conversionCommand(input, intermediate, "320:240").arguments());
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        const QList<int> inputNumbers = test::frameNumbers(input);
        const QList<int> shown = test::frameNumbers(intermediate);
        const double length = test::playSeconds(input);
        QStringList wrong;
        if (const QString numbers = checkNumbers(of, shown, inputNumbers); !numbers.isEmpty())
            wrong << numbers;
        if (std::abs(shown.size() - length * test::JobRate) > 1)
            wrong << QStringLiteral("%1 frames for %2 s").arg(shown.size()).arg(length, 0, 'f', 3);
        if (const QString sound = test::soundAsLongAsPicture(intermediate); !sound.isEmpty())
            wrong << sound;
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ") + "\nshown: " + test::someNumbers(shown)));
    }

    void wholeJobKeepsEveryPicture()
    {
        const QList<Kind> all = kinds(Picture::Numbered);
        test::TestFolder folder;
        const Job job = Job::of(all, folder);
        QVERIFY2(job.failed.isEmpty(), qPrintable(job.failed));

        const QList<int> shown = test::frameNumbers(job.joined);
        QStringList wrong;
        if (std::abs(shown.size() - job.starts.constLast()) > 1)
            wrong << QStringLiteral("%1 frames in all, not %2").arg(shown.size()).arg(job.starts.constLast());
        for (qsizetype i = 0; i < all.size(); ++i) {
            const QList<int> segment = shown.mid(job.starts.at(i), job.starts.at(i + 1) - job.starts.at(i));
            if (const QString numbers = checkNumbers(all.at(i), segment, test::frameNumbers(job.inputs.at(i))); !numbers.isEmpty())
                wrong << QStringLiteral("%1 (frames %2 to %3): %4").arg(all.at(i).name).arg(job.starts.at(i)).arg(job.starts.at(i + 1) - 1).arg(numbers);
        }
        if (const QString sound = test::soundAsLongAsPicture(job.joined); !sound.isEmpty())
            wrong << sound;
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
    }

    void syncAtEveryJoin()
    {
        const QList<Kind> all = kinds(Picture::Flash);
        test::TestFolder folder;
        const Job job = Job::of(all, folder);
        QVERIFY2(job.failed.isEmpty(), qPrintable(job.failed));

        const double origin = test::frameTimes(job.joined).constFirst();
        const QList<double> flashes = test::flashTimes(job.joined);
        const QList<double> beeps = test::beepOnsets(job.joined);
        QStringList offsets;
        QStringList wrong;
        for (qsizetype i = 0; i < all.size(); ++i) {
            // Where the flash and the beep are in the input, from its first picture, as ffmpeg
            // shows them; and where that input begins in the output.
            const double first = test::frameTimes(job.inputs.at(i)).constFirst();
            const double flashIn = test::flashTimes(job.inputs.at(i)).value(0, qQNaN()) - first;
            const double beepIn = test::beepOnsets(job.inputs.at(i)).value(0, qQNaN()) - first;
            const double start = origin + job.starts.at(i) * Frame;
            // The flash and the beep nearest to where they belong (a missing one shows as far off).
            const auto nearest = [](const QList<double> &times, double at) {
                double best = qInf();
                for (double time : times) {
                    if (std::abs(time - at) < std::abs(best - at))
                        best = time;
                }
                return best - at;
            };
            const double flash = nearest(flashes, start + flashIn);
            const double beep = nearest(beeps, start + beepIn);
            offsets << QStringLiteral("%1: flash %2 ms, beep %3 ms").arg(all.at(i).name).arg(flash * 1000, 0, 'f', 1).arg(beep * 1000, 0, 'f', 1);
            if (!(std::abs(flash) <= Frame + 0.001) || !(std::abs(beep) <= 0.020))
                wrong << offsets.constLast();
        }
        qInfo("%s", qPrintable(offsets.join("; ")));
        if (flashes.size() != all.size() || beeps.size() != all.size())
            wrong << QStringLiteral("%1 flashes and %2 beeps for %3 job.inputs").arg(flashes.size()).arg(beeps.size()).arg(all.size());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
    }

    void longerStreamIsKept_data()
    {
        QTest::addColumn<MarkedClip>("clip");
        // A song under a cover: an MP4 whose picture is one frame, with 30 s of sound.
        QTest::newRow("one-frame cover, 30 s song") << test::coverClip("320x240", 30);
        // A camera clip whose picture stops 2 s before its sound.
        MarkedClip shortPicture;
        shortPicture.rate = "30";
        shortPicture.seconds = 3;
        shortPicture.soundSeconds = 5;
        shortPicture.container = "mkv";
        QTest::newRow("picture ends 2 s early") << shortPicture;
    }
    void longerStreamIsKept()
    {
        QFETCH(MarkedClip, clip);
        const QString input = test::markedClip(clip);
        const QList<int> inputNumbers = test::frameNumbers(input);
        const QList<double> inputTimes = test::frameTimes(input);
        const double length = test::playSeconds(input);
        QVERIFY2(clip.rate != "1" || inputNumbers.size() == 1, "the cover is not one frame");
        QVERIFY2(std::abs(test::audioSeconds(input) - clip.soundSeconds) < 0.05, "the input's sound is not as long as made");
        QVERIFY2(std::abs(length - clip.soundSeconds) < 0.05, "the input's sound does not last longest");

        test::TestFolder folder;
        const QString intermediate = folder.file("0.avi");
        const QString failed = test::runEncoder(test::conversionCommand(input, intermediate, "320:240").arguments());
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        const QList<int> shown = test::frameNumbers(intermediate);
        const test::MonoSound sound = test::monoSound(intermediate);
        const double soundSeconds = test::audioSeconds(intermediate);
        QStringList wrong;
        if (!(std::abs(soundSeconds - length) <= Frame + 0.05))
            wrong << QStringLiteral("%1 s of sound, not %2 s").arg(soundSeconds, 0, 'f', 3).arg(length, 0, 'f', 3);
        if (std::abs(shown.size() - length * test::JobRate) > 1)
            wrong << QStringLiteral("%1 frames for %2 s").arg(shown.size()).arg(length, 0, 'f', 3);
        // The tone goes on through the end, second by second.
        QStringList quiet;
        for (double at = 0; at < length - 0.2; at += 1.0) {
            const double to = std::min(at + 1.0, length - 0.1);
            if (test::peakLevel(sound, sound.start + at, sound.start + to) < 3000)
                quiet << QStringLiteral("%1-%2 s").arg(at, 0, 'f', 1).arg(to, 0, 'f', 1);
        }
        if (!quiet.isEmpty())
            wrong << "no tone at " + quiet.join(", ");
        if (const QString numbers = test::everyNumberInOrder(shown, inputNumbers); !numbers.isEmpty())
            wrong << numbers;
        // The last picture is held from its time until the sound ends.
        const int held = int(std::llround((length - (inputTimes.constLast() - inputTimes.constFirst())) * test::JobRate));
        qsizetype last = 0;
        while (last < shown.size() && shown.at(shown.size() - 1 - last) == inputNumbers.constLast())
            ++last;
        if (std::abs(last - held) > 2)
            wrong << QStringLiteral("the last picture (%1) shows in the last %2 frames, not %3").arg(inputNumbers.constLast()).arg(last).arg(held);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ") + "\nlast shown: " + test::someNumbers(shown, 24, true)));
    }
};

QTEST_MAIN(tst_Clocks)
#include "tst_clocks.moc"
