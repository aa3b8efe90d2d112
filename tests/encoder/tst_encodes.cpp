// Real jobs through our encoder, with the program's own command lines (each input converted,
// then the intermediates joined), judged by what the output holds in ffmpeg's and ffprobe's
// view: pictures that move frame by frame, flashes and beeps together at every join point,
// awkward inputs, and the status text the job reads.
#include "job/CommandLines.h"
#include "support/EncoderJobs.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/TestFolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <tuple>

using namespace velmora;
using test::MarkedClip;
using Picture = test::MarkedClip::Picture;

namespace {

constexpr double Frame = 1.0 / 30;

MarkedClip clip(Picture picture, const QString &size, const QString &rate, double seconds, int sampleRate,
                const QString &container = "avi", double flashAt = 1.0)
{
    return test::markedSpec(picture, size, rate, seconds, sampleRate, container, flashAt);
}

// The join's option fragment, as the option builder writes one.
profiles::EncoderArgs fragment(const QString &lavcopts, const QStringList &audio, const QString &size, const QString &sampleRate)
{
    profiles::EncoderArgs options;
    options.words(QStringList{"-ovc", "lavc", "-lavcopts", lavcopts} + audio
                        + QStringList{"-channels", "2", "-vf", "scale=" + size, "-srate", sampleRate});
    return options;
}

// Where each input begins in the output, in output frames: each input converts to as many
// whole frames as it plays (its longer stream, as players show it), and the join puts them one
// after the other. The last entry is the output's length.
QList<int> joinFrames(const QStringList &inputs)
{
    QList<double> lengths;
    for (const QString &input : inputs)
        lengths << test::playSeconds(input);
    return test::joinSlots(lengths);
}

QString ffprobeEntry(const QString &file, const QString &entry)
{
    QProcess probe;
    probe.start(QStringLiteral(VELMORA_FFPROBE), {"-v", "error", "-select_streams", "v:0", "-show_entries", entry, "-of",
                                                  "default=nw=1:nk=1", file});
    probe.waitForFinished(60000);
    return QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
}

double meanOf(const QByteArray &gray, int width, int fromColumn, int toColumn, int fromRow, int toRow)
{
    double sum = 0;
    int count = 0;
    for (int row = fromRow; row < toRow; ++row) {
        for (int column = fromColumn; column < toColumn; ++column, ++count)
            sum += quint8(gray.at(row * width + column));
    }
    return count ? sum / count : 0;
}

struct Output
{
    QString name;
    profiles::EncoderArgs options;
};

QList<Output> outputs(const QString &size)
{
    return {
        {"joined.avi", fragment("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect", {"-oac", "mp3lame", "-lameopts", "vbr=2:q=4"}, size, "44100")},
        {"joined.mp4", fragment("vcodec=libx264:vbitrate=1200:autoaspect", {"-oac", "lavc", "-lavcopts", "acodec=aac:abitrate=128"}, size, "48000")},
        {"joined.mpg", fragment("vcodec=mpeg2video:vbitrate=3000:aspect=4/3", {"-oac", "lavc", "-lavcopts", "acodec=mp2:abitrate=192"}, size, "48000")},
    };
}

// The longest stretch of the file, in seconds of picture, that holds no sound: its packets in
// the order they are stored (by their place in the file, whatever order an index gives them),
// as ffprobe reads them.
double longestWithoutSound(const QString &file)
{
    QProcess probe;
    probe.start(QStringLiteral(VELMORA_FFPROBE), {"-v", "error", "-show_entries", "packet=codec_type,pts_time,dts_time,pos", "-of", "csv=p=0", file});
    probe.waitForFinished(60000);
    QList<std::pair<qint64, double>> pictures; // place, time
    QList<qint64> sounds;
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
        // Type, display and decoding time (AVI keeps only the latter), place.
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.size() < 4)
            continue;
        if (fields.at(0) == "video")
            pictures.append({fields.at(3).toLongLong(), (fields.at(1) == "N/A" ? fields.at(2) : fields.at(1)).toDouble()});
        else if (fields.at(0) == "audio")
            sounds.append(fields.at(3).toLongLong());
    }
    std::sort(pictures.begin(), pictures.end());
    std::sort(sounds.begin(), sounds.end());
    double longest = 0;
    qsizetype sound = 0;
    double from = qQNaN(); // the first picture's time since the last sound
    for (const auto &[place, time] : pictures) {
        bool soundBefore = false;
        while (sound < sounds.size() && sounds.at(sound) < place) {
            ++sound;
            soundBefore = true;
        }
        if (soundBefore || std::isnan(from))
            from = time;
        longest = std::max(longest, time - from);
    }
    return sounds.isEmpty() ? qInf() : longest;
}


// A flat colour in 8-bit YUV.
struct Yuv
{
    double y, u, v;
};

// The same colour under another matrix, from studio range in to studio range out, as the
// matrices' definitions give it (no rounding).
Yuv convertedMatrix(const Yuv &in, const QString &from, const QString &to)
{
    const auto weights = [](const QString &matrix) { return matrix == "bt709" ? std::pair{0.2126, 0.0722} : std::pair{0.299, 0.114}; };
    const double y = (in.y - 16) / 219, pb = (in.u - 128) / 224, pr = (in.v - 128) / 224;
    auto [kr, kb] = weights(from);
    const double r = y + 2 * (1 - kr) * pr, b = y + 2 * (1 - kb) * pb, g = (y - kr * r - kb * b) / (1 - kr - kb);
    std::tie(kr, kb) = weights(to);
    const double y2 = kr * r + (1 - kr - kb) * g + kb * b;
    return {16 + 219 * y2, 128 + 224 * (b - y2) / (2 * (1 - kb)), 128 + 224 * (r - y2) / (2 * (1 - kr))};
}

// Four colours, one in each quarter of the picture: a grey and three within what RGB holds.
const Yuv Quarters[4] = {{150, 128, 128}, {100, 90, 160}, {180, 100, 140}, {70, 150, 110}};

// A clip of the four quarters in 4:2:0, stored losslessly with its matrix tagged.
QString quarterClip(const test::TestFolder &folder, int width, int height, const QString &matrix)
{
    QByteArray frame(width * height * 3 / 2, 0);
    for (int plane = 0; plane < 3; ++plane) {
        const int w = plane ? width / 2 : width, h = plane ? height / 2 : height;
        char *data = frame.data() + (plane ? width * height + (plane - 1) * w * h : 0);
        for (int row = 0; row < h; ++row) {
            for (int column = 0; column < w; ++column) {
                const Yuv &colour = Quarters[(row >= h / 2) * 2 + (column >= w / 2)];
                data[row * w + column] = char(std::lround(plane == 0 ? colour.y : plane == 1 ? colour.u : colour.v));
            }
        }
    }
    QByteArray frames;
    for (int i = 0; i < 10; ++i)
        frames += frame;
    const QString raw = folder.write("quarters.yuv", frames);
    const QString clip = folder.file("quarters.mp4");
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG),
                 {"-v", "error", "-y", "-f", "rawvideo", "-pix_fmt", "yuv420p", "-s", QStringLiteral("%1x%2").arg(width).arg(height), "-r", "25",
                  "-i", raw, "-c:v", "libx264", "-qp", "0", "-colorspace", matrix, "-color_primaries", matrix == "bt709" ? "bt709" : "smpte170m",
                  "-color_trc", matrix == "bt709" ? "bt709" : "smpte170m", "-color_range", "tv", clip});
    ffmpeg.waitForFinished(60000);
    return ffmpeg.exitCode() == 0 ? clip : QString();
}

// The colour at the middle of each quarter of the file's middle picture, as ffmpeg decodes it.
QList<Yuv> quarterColours(const QString &file, int width, int height)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), {"-v", "error", "-i", file, "-vf", "select=eq(n\\,5)", "-frames:v", "1", "-f", "rawvideo",
                                                  "-pix_fmt", "yuv420p", "-"});
    ffmpeg.waitForFinished(60000);
    const QByteArray frame = ffmpeg.readAllStandardOutput();
    QList<Yuv> colours;
    if (frame.size() != width * height * 3 / 2)
        return colours;
    const auto at = [&](int plane, int x, int y) {
        const int w = plane ? width / 2 : width, h = plane ? height / 2 : height;
        const int offset = plane ? width * height + (plane - 1) * w * h : 0;
        x = plane ? x / 2 : x;
        y = plane ? y / 2 : y;
        double sum = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx)
                sum += quint8(frame.at(offset + (y + dy) * w + x + dx));
        }
        return sum / 25;
    };
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int x = width / 4 + (quarter % 2) * width / 2, y = height / 4 + (quarter / 2) * height / 2;
        colours << Yuv{at(0, x, y), at(1, x, y), at(2, x, y)};
    }
    return colours;
}
} // namespace

class tst_Encodes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureMovesFrameByFrame_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<profiles::EncoderArgs>("options");
        for (const Output &output : outputs("320:240"))
            QTest::newRow(qPrintable(output.name)) << output.name << output.options;
    }
    void pictureMovesFrameByFrame()
    {
        QFETCH(QString, output);
        QFETCH(profiles::EncoderArgs, options);
        test::TestFolder folder;
        const QStringList inputs = {
            test::markedClip(clip(Picture::Numbered, "320x240", "25", 2.0, 44100)),
            test::markedClip(clip(Picture::Numbered, "320x240", "30000/1001", 1.5, 48000, "mp4")),
            test::markedClip(clip(Picture::Numbered, "160x120", "15", 1.0, 22050, "mkv")),
            test::markedClip(clip(Picture::Numbered, "320x240", "24", 1.0, 32000, "mov")),
            test::markedClip(clip(Picture::Numbered, "320x240", "30", 1.0, 0)),
        };
        const QString joined = folder.file(output);
        const QString failed = test::wholeJob(folder, inputs, joined, options);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        const QList<int> starts = joinFrames(inputs);
        const QList<double> times = test::frameTimes(joined);
        const QList<int> numbers = test::frameNumbers(joined);
        QCOMPARE(numbers.size(), starts.constLast());
        // Every frame a picture of its own, one frame after the other. (An MPEG program stream
        // stamps only some frames; players count the others on, as ffmpeg does.)
        if (!output.endsWith(".mpg")) {
            for (qsizetype k = 1; k < times.size(); ++k)
                QVERIFY2(qAbs(times.at(k) - times.at(k - 1) - Frame) < 1e-3, qPrintable(QStringLiteral("frame %1").arg(k)));
        }
        const test::VideoPackets packets = test::videoPackets(joined);
        QCOMPARE(packets.packets.size(), numbers.size());
        for (const test::VideoPacket &packet : packets.packets)
            QVERIFY(packet.size > 0);

        // Output frame k shows the input frame nearest k/30 (within one of the one whose display
        // time holds it), from each input's first frame to its last.
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            const QList<double> shown = test::frameTimes(inputs.at(i));
            QList<int> seen;
            for (int k = starts.at(i); k < starts.at(i + 1); ++k) {
                const double local = (k - starts.at(i)) * Frame + shown.constFirst();
                int holding = 0;
                while (holding + 1 < shown.size() && shown.at(holding + 1) <= local + 1e-6)
                    ++holding;
                QVERIFY2(qAbs(numbers.at(k) - holding) <= 1,
                         qPrintable(QStringLiteral("input %1, output frame %2 shows %3, not %4").arg(i).arg(k).arg(numbers.at(k)).arg(holding)));
                seen << numbers.at(k);
            }
            QVERIFY2(seen.constFirst() == 0 && seen.constLast() >= shown.size() - 2, qPrintable(QStringLiteral("input %1").arg(i)));
        }
        // The sound lasts as long as the picture (within a frame and an audio frame).
        QVERIFY(qAbs(test::audioSeconds(joined) - numbers.size() * Frame) < Frame + 0.05);
    }

    void syncAtEveryJoin_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<profiles::EncoderArgs>("options");
        for (const Output &output : outputs("320:240"))
            QTest::newRow(qPrintable(output.name)) << output.name << output.options;
    }
    void syncAtEveryJoin()
    {
        QFETCH(QString, output);
        QFETCH(profiles::EncoderArgs, options);
        test::TestFolder folder;
        const QList<MarkedClip> specs = {
            clip(Picture::Flash, "320x240", "15", 2.0, 22050, "avi", 0.6),
            clip(Picture::Flash, "480x270", "24", 2.0, 32000, "mp4", 1.1),
            clip(Picture::Flash, "640x480", "25", 2.0, 44100, "mkv", 0.75),
            clip(Picture::Flash, "160x120", "30000/1001", 60.0, 48000, "avi", 59.0),
            clip(Picture::Flash, "352x288", "30", 2.0, 48000, "mov", 1.0),
            clip(Picture::Flash, "320x240", "30000/1001", 2.0, 44100, "mp4", 0.5),
        };
        QStringList inputs;
        for (const MarkedClip &spec : specs)
            inputs << test::markedClip(spec);
        const QString joined = folder.file(output);
        const QString failed = test::wholeJob(folder, inputs, joined, options);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        const QList<int> starts = joinFrames(inputs);
        const double origin = test::frameTimes(joined).constFirst();
        const QList<double> flashes = test::flashTimes(joined);
        const QList<double> beeps = test::beepOnsets(joined);
        QCOMPARE(flashes.size(), specs.size());
        QCOMPARE(beeps.size(), specs.size());
        QStringList offsets;
        for (qsizetype i = 0; i < specs.size(); ++i) {
            const double start = starts.at(i) * Frame;
            // The flash's first frame in the input, and the beep's own moment.
            const double flashIn = test::flashTimes(inputs.at(i)).constFirst() - test::frameTimes(inputs.at(i)).constFirst();
            const double flash = flashes.at(i) - origin - (start + flashIn);
            const double beep = beeps.at(i) - origin - (start + specs.at(i).flashAt);
            offsets << QStringLiteral("%1: flash %2 ms, beep %3 ms").arg(i).arg(flash * 1000, 0, 'f', 1).arg(beep * 1000, 0, 'f', 1);
            QVERIFY2(qAbs(flash) < Frame + 1e-3, qPrintable(offsets.join("; ")));
            QVERIFY2(qAbs(beep) < 0.020, qPrintable(offsets.join("; ")));
        }
        qInfo("%s", qPrintable(offsets.join("; ")));
    }

    void awkwardInputs()
    {
        test::TestFolder folder;
        MarkedClip rotated = clip(Picture::HalfWhite, "320x240", "30", 1.0, 48000, "mp4");
        rotated.rotate = 90;
        const QString wide = test::markedClip(clip(Picture::HalfWhite, "640x360", "25", 1.0, 44100));
        // A path with blanks, quotes and letters beyond ASCII.
        const QString oddPath = folder.file(QString::fromUtf8("my \"holiday\" clips/été – part 1.avi"));
        QDir().mkpath(QFileInfo(oddPath).absolutePath());
        QVERIFY(QFile::copy(wide, oddPath));
        const QStringList inputs = {
            oddPath,
            test::markedClip(clip(Picture::HalfWhite, "320x240", "25", 1.0, 44100)), // 4:3 after 16:9
            test::markedClip(clip(Picture::Numbered, "320x240", "25", 1.0, 0)),      // no sound at all
            test::markedClip(rotated),                                               // a phone held upright
        };
        const QString joined = folder.file(QString::fromUtf8("out – “joined”.avi"));
        const QString failed = test::wholeJob(folder, inputs, joined, fragment("vcodec=mpeg4:vbitrate=1500:mbd=2:autoaspect", {"-oac", "mp3lame", "-lameopts", "abr:br=128"},
                                                 "640:360", "44100"));
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QCOMPARE(ffprobeEntry(joined, "stream=display_aspect_ratio"), QString("16:9"));

        const QList<int> starts = joinFrames(inputs);
        const QList<QByteArray> frames = test::grayFrames(joined, 16, 8);
        QCOMPARE(frames.size(), starts.constLast());
        const auto middleOf = [&](int input) { return frames.at((starts.at(input) + starts.at(input + 1)) / 2); };
        // 16:9 fills the picture: white above, black below, edge to edge.
        QVERIFY(meanOf(middleOf(0), 16, 0, 16, 0, 3) > 180);
        QVERIFY(meanOf(middleOf(0), 16, 0, 16, 5, 8) < 50);
        // 4:3 keeps its shape with black bars at both sides (12 of 16 columns).
        QVERIFY(meanOf(middleOf(1), 16, 0, 1, 0, 3) < 50);
        QVERIFY(meanOf(middleOf(1), 16, 15, 16, 0, 3) < 50);
        QVERIFY(meanOf(middleOf(1), 16, 3, 13, 0, 3) > 180);
        // The phone clip comes out upright: white on top, in a narrow picture between bars.
        QVERIFY(meanOf(middleOf(3), 16, 7, 9, 0, 3) > 180);
        QVERIFY(meanOf(middleOf(3), 16, 7, 9, 5, 8) < 50);
        QVERIFY(meanOf(middleOf(3), 16, 0, 3, 0, 3) < 50);

        // The input without sound gets silence for its length; the others keep their tone.
        const test::MonoSound sound = test::monoSound(joined);
        const auto loudness = [&](int input) {
            const qsizetype from = qsizetype((starts.at(input) * Frame + 0.2 - sound.start) * sound.Rate);
            const qsizetype to = qsizetype((starts.at(input + 1) * Frame - 0.2 - sound.start) * sound.Rate);
            qint64 peak = 0;
            for (qsizetype s = from; s < to; ++s)
                peak = std::max<qint64>(peak, qAbs(sound.samples.at(s)));
            return peak;
        };
        QVERIFY(loudness(1) > 3000);
        QVERIFY(loudness(2) < 100);
        QVERIFY(loudness(3) > 3000);
        QVERIFY(qAbs(test::audioSeconds(joined) - starts.constLast() * Frame) < Frame + 0.05);
    }

    void cropScaleExpand()
    {
        // The white upper half alone, scaled to a strip and set in the middle of a taller frame.
        test::TestFolder folder;
        const QString input = test::markedClip(clip(Picture::HalfWhite, "640x360", "25", 1.0, 44100));
        const QString output = folder.file("strip.avi");
        QCOMPARE(test::runEncoder(QStringList{input, "-o", output} + fragment("vcodec=mpeg4:vbitrate=800:autoaspect", {"-oac", "pcm"}, "320:90", "44100").arguments()
                     + QStringList{"-vf", "crop=640:180:0:0,scale=320:90,expand=320:240"}),
                 QString());
        QCOMPARE(ffprobeEntry(output, "stream=width,height").split('\n'), (QStringList{"320", "240"}));
        const QList<QByteArray> frames = test::grayFrames(output, 4, 8);
        QVERIFY(!frames.isEmpty());
        const QByteArray &frame = frames.at(frames.size() / 2);
        QVERIFY(meanOf(frame, 4, 0, 4, 0, 2) < 50);
        QVERIFY(meanOf(frame, 4, 0, 4, 3, 5) > 180);
        QVERIFY(meanOf(frame, 4, 0, 4, 6, 8) < 50);
    }

    void partForm()
    {
        // A part of a join: the profile's own codecs at the job's rate and size, in Matroska,
        // recording the options it was made for; it plays on its own.
        test::TestFolder folder;
        const QString input = test::markedClip(clip(Picture::Numbered, "640x480", "25", 2.0, 44100, "mp4"));
        const QString part = folder.file("0.mkv");
        QCOMPARE(test::runEncoder(test::conversionCommand(input, part, "320:240").arguments()), QString());
        QCOMPARE(ffprobeEntry(part, "stream=codec_name,width,height,r_frame_rate").split('\n'),
                 (QStringList{"mpeg4", "320", "240", "30/1"}));
        QCOMPARE(ffprobeEntry(part, "format_tags=COMMENT,comment"), test::divxOptions("320:240").arguments().join(' '));
        QProcess ffmpeg;
        ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
        ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), {"-v", "error", "-i", part, "-f", "null", "-"});
        QVERIFY(ffmpeg.waitForFinished(60000));
        QCOMPARE(ffmpeg.readAll(), QByteArray());
        // As long as the input plays (its sound ends a little after its picture); the sound as
        // long as the picture, to within one of its frames (MP3's, 26 ms), never shorter.
        const int frames = int(std::llround(test::playSeconds(input) * 30));
        QVERIFY(frames >= 60 && frames <= 61);
        QCOMPARE(test::frameNumbers(part).size(), frames);
        const double over = test::audioSeconds(part) - frames / 30.0;
        QVERIFY2(over > -0.001 && over < 1152.0 / 44100 + 0.001, qPrintable(QString::number(over)));
    }

    void coloursUnderTheOutputsMatrix_data()
    {
        QTest::addColumn<QSize>("input");
        QTest::addColumn<QString>("matrix");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("expected"); // the output's matrix: 480 lines and below BT.601, above BT.709
        QTest::newRow("HD to 480 lines") << QSize(1280, 720) << "bt709" << "720:480" << "bt601";
        QTest::newRow("SD to HD") << QSize(720, 480) << "smpte170m" << "1280:720" << "bt709";
        QTest::newRow("SD kept SD") << QSize(640, 480) << "smpte170m" << "320:240" << "bt601";
        QTest::newRow("HD kept HD") << QSize(640, 360) << "bt709" << "1280:720" << "bt709";
    }
    void coloursUnderTheOutputsMatrix()
    {
        // Each colour of the intermediate is the input's colour under the output's matrix,
        // within a level (the intermediate is lossy; flat colours come through nearly whole).
        QFETCH(QSize, input);
        QFETCH(QString, matrix);
        QFETCH(QString, size);
        QFETCH(QString, expected);
        test::TestFolder folder;
        const QString clip = quarterClip(folder, input.width(), input.height(), matrix);
        QVERIFY(!clip.isEmpty());
        const QString intermediate = folder.file("0.avi");
        QCOMPARE(test::runEncoder(test::conversionCommand(clip, intermediate, size).arguments()), QString());
        const int width = size.section(':', 0, 0).toInt(), height = size.section(':', 1, 1).toInt();
        const QList<Yuv> colours = quarterColours(intermediate, width, height);
        QCOMPARE(colours.size(), 4);
        const QString from = matrix == "bt709" ? "bt709" : "bt601";
        for (int quarter = 0; quarter < 4; ++quarter) {
            const Yuv want = convertedMatrix(Quarters[quarter], from, expected);
            const Yuv &got = colours.at(quarter);
            QVERIFY2(qAbs(got.y - want.y) <= 1.0 && qAbs(got.u - want.u) <= 1.0 && qAbs(got.v - want.v) <= 1.0,
                     qPrintable(QStringLiteral("quarter %1: %2 %3 %4, not %5 %6 %7").arg(quarter).arg(got.y).arg(got.u).arg(got.v)
                                    .arg(want.y, 0, 'f', 1).arg(want.u, 0, 'f', 1).arg(want.v, 0, 'f', 1)));
        }
    }

    void silenceIsInterleaved()
    {
        // An input without sound gets its silence beside its pictures, in the intermediate (AVI,
        // whose index would hide a file in two blocks) and in a Matroska join. Longer than the
        // muxers' own interleaving reaches (10 s), which would otherwise hide the fault.
        test::TestFolder folder;
        const QString input = test::markedClip(clip(Picture::Numbered, "160x120", "30", 14.0, 0, "mp4"));
        const QString intermediate = folder.file("0.avi");
        QCOMPARE(test::runEncoder(test::conversionCommand(input, intermediate, "160:120").arguments()), QString());
        const QString joined = folder.file("joined.mkv");
        const QString failed = test::wholeJob(folder, {input, input}, joined,
                                              fragment("vcodec=libx264:vbitrate=300", {"-oac", "lavc", "-lavcopts", "acodec=aac:abitrate=96"},
                                                       "160:120", "48000"));
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        for (const QString &file : {intermediate, joined}) {
            const double stretch = longestWithoutSound(file);
            QVERIFY2(stretch <= 0.5, qPrintable(QStringLiteral("%1 holds %2 s of picture with no sound between").arg(QFileInfo(file).fileName()).arg(stretch)));
        }
    }

    void statusLines()
    {
        const QString input = test::markedClip(clip(Picture::Flash, "160x120", "30000/1001", 60.0, 48000, "avi", 59.0));
        test::TestFolder folder;
        QProcess encoder;
        encoder.setProcessChannelMode(QProcess::SeparateChannels);
        QElapsedTimer clock;
        clock.start();
        encoder.start(QStringLiteral(VELMORA_ENCODER), test::conversionCommand(input, folder.file("0.avi"), "640:480").arguments());
        QVERIFY(encoder.waitForFinished(120000));
        const double seconds = clock.elapsed() / 1000.0;
        QCOMPARE(encoder.exitCode(), 0);
        static const QRegularExpression status(QStringLiteral("^Pos:\\s*(\\d+\\.\\d)s\\s+(\\d+)f \\(\\s*(\\d+)%\\)"));
        QList<double> positions;
        for (const QString &line : QString::fromLatin1(encoder.readAllStandardOutput()).split('\r')) {
            const QRegularExpressionMatch match = status.match(line.trimmed());
            if (match.hasMatch())
                positions << match.captured(1).toDouble();
        }
        QVERIFY(std::is_sorted(positions.begin(), positions.end()));
        QVERIFY(positions.constLast() >= 60.0);
        if (seconds > 1.0) {
            // About ten a second: at least five, at most twenty (a line at the start and the end).
            QVERIFY2(positions.size() >= 5 * (seconds - 0.5) && positions.size() <= 20 * seconds + 2,
                     qPrintable(QStringLiteral("%1 lines in %2 s").arg(positions.size()).arg(seconds)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Encodes)
#include "tst_encodes.moc"
