#include "support/MediaCheck.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <optional>

namespace velmora::test {

namespace {

// Luma halfway between the black (16) and white (235) of limited-range video.
constexpr double MidGray = 125.5;
// Frames brighter than this on average are part of a flash. Well below white, so that a flash
// still counts inside black bars or when an encoder takes a frame to reach full white.
constexpr double FlashLuma = 100.0;

// How ffmpeg and ffprobe are to open the file: as a plain file, even where its name holds a colon.
QString input(const QString &file)
{
    return QStringLiteral("file:") + file;
}

// Runs ffmpeg or ffprobe into output; false after a warning with the program's own message.
bool runTool(const QString &program, const QStringList &arguments, const QString &file, QByteArray *output)
{
    QProcess tool;
    tool.start(program, arguments);
    const bool finished = tool.waitForFinished(600000);
    *output = tool.readAllStandardOutput();
    if (finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return true;
    if (!finished)
        tool.kill();
    const QByteArray message = tool.readAllStandardError().trimmed();
    qWarning("%s could not read %s: %s", qPrintable(QFileInfo(program).fileName()), qPrintable(file),
             message.isEmpty() ? qPrintable(tool.errorString()) : message.constData());
    output->clear();
    return false;
}

bool ffprobe(const QString &file, const QStringList &arguments, QJsonObject *result)
{
    QByteArray output;
    const QStringList all = QStringList{QStringLiteral("-v"), QStringLiteral("error")} << arguments
                            << QStringLiteral("-of") << QStringLiteral("json") << input(file);
    if (!runTool(QStringLiteral(VELMORA_FFPROBE), all, file, &output))
        return false;
    QJsonParseError error;
    *result = QJsonDocument::fromJson(output, &error).object();
    if (error.error != QJsonParseError::NoError) {
        qWarning("ffprobe gave unreadable JSON for %s: %s", qPrintable(file), qPrintable(error.errorString()));
        return false;
    }
    return true;
}

bool ffmpeg(const QString &file, const QStringList &arguments, QByteArray *output)
{
    const QStringList all = QStringList{QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                                        QStringLiteral("-i"), input(file)}
                            << arguments << QStringLiteral("-");
    return runTool(QStringLiteral(VELMORA_FFMPEG), all, file, output);
}

// ffprobe writes some numbers as JSON numbers and others as strings, "N/A" when unknown.
double real(const QJsonValue &value)
{
    if (value.isDouble())
        return value.toDouble();
    bool ok = false;
    const double result = value.toString().toDouble(&ok);
    return ok ? result : qQNaN();
}

qint64 integer(const QJsonValue &value, qint64 unknown)
{
    if (value.isDouble())
        return qint64(value.toDouble());
    bool ok = false;
    const qint64 result = value.toString().toLongLong(&ok);
    return ok ? result : unknown;
}

struct FrameTime
{
    double time;
    double duration; // NaN when not given
};

std::optional<QList<FrameTime>> videoFrames(const QString &file)
{
    QJsonObject probe;
    if (!ffprobe(file,
                 {QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                  QStringLiteral("frame=best_effort_timestamp_time,pkt_duration_time,duration_time")},
                 &probe))
        return std::nullopt;
    QList<FrameTime> frames;
    for (const QJsonValue &frame : probe.value(QLatin1String("frames")).toArray()) {
        const QJsonObject object = frame.toObject();
        double duration = real(object.value(QLatin1String("duration_time")));
        if (std::isnan(duration))
            duration = real(object.value(QLatin1String("pkt_duration_time")));
        frames.append({real(object.value(QLatin1String("best_effort_timestamp_time"))), duration});
    }
    return frames;
}

struct AudioFrames
{
    double start = qQNaN();
    double seconds = 0;
};

std::optional<AudioFrames> audioFrames(const QString &file)
{
    QJsonObject probe;
    if (!ffprobe(file,
                 {QStringLiteral("-select_streams"), QStringLiteral("a:0"), QStringLiteral("-show_entries"),
                  QStringLiteral("stream=sample_rate:frame=best_effort_timestamp_time,nb_samples")},
                 &probe))
        return std::nullopt;
    AudioFrames result;
    const QJsonArray streams = probe.value(QLatin1String("streams")).toArray();
    if (streams.isEmpty())
        return result;
    const qint64 rate = integer(streams.first().toObject().value(QLatin1String("sample_rate")), 0);
    for (const QJsonValue &frame : probe.value(QLatin1String("frames")).toArray()) {
        const qint64 samples = integer(frame.toObject().value(QLatin1String("nb_samples")), 0);
        if (samples <= 0 || rate <= 0)
            continue;
        const QJsonObject object = frame.toObject();
        if (std::isnan(result.start))
            result.start = real(object.value(QLatin1String("best_effort_timestamp_time")));
        result.seconds += double(samples) / double(rate);
    }
    return result;
}

double frameMean(const QByteArray &frame)
{
    qint64 sum = 0;
    for (char value : frame)
        sum += quint8(value);
    return frame.isEmpty() ? 0.0 : double(sum) / frame.size();
}

// The stripes of a numbered frame, as MarkedClips draws them: white, black, 12 bits highest first,
// an even-parity bit, white, white.
constexpr int NumberBits = 12;
constexpr int Stripes = NumberBits + 5;
constexpr int ReadWidth = Stripes * 16;
constexpr int ReadHeight = 48;

int readNumber(const QByteArray &frame)
{
    const auto pixel = [&frame](int x, int y) { return int(quint8(frame[y * ReadWidth + x])); };

    // The picture's rows are those that reach the white of the guards; black bars never do.
    QList<int> rows;
    for (int y = 0; y < ReadHeight; ++y) {
        int brightest = 0;
        for (int x = 0; x < ReadWidth; ++x)
            brightest = qMax(brightest, pixel(x, y));
        if (brightest > MidGray)
            rows.append(y);
    }
    if (rows.size() < 2)
        return -1;
    QList<double> columns(ReadWidth, 0.0);
    for (int x = 0; x < ReadWidth; ++x) {
        for (int y : rows)
            columns[x] += pixel(x, y);
        columns[x] /= rows.size();
    }
    // Its columns run from the first white one to the last.
    int left = 0;
    while (left < ReadWidth && columns[left] <= MidGray)
        ++left;
    int right = ReadWidth - 1;
    while (right > left && columns[right] <= MidGray)
        --right;
    const double stripeWidth = double(right + 1 - left) / Stripes;
    if (stripeWidth < 3)
        return -1;

    // Each stripe by the mean of its middle half, away from the blur at its edges.
    QList<double> stripes;
    for (int stripe = 0; stripe < Stripes; ++stripe) {
        const double centre = left + (stripe + 0.5) * stripeWidth;
        const int from = int(std::floor(centre - stripeWidth / 4));
        const int to = qMax(from + 1, int(std::ceil(centre + stripeWidth / 4)));
        double sum = 0;
        for (int x = from; x < to; ++x)
            sum += columns[qBound(0, x, ReadWidth - 1)];
        stripes.append(sum / (to - from));
    }
    const double white = (stripes[0] + stripes[Stripes - 2] + stripes[Stripes - 1]) / 3;
    const double black = stripes[1];
    if (white - black < 80)
        return -1;
    // Every stripe must be clearly black or white: one in between is a blend of two frames.
    QList<bool> ones;
    for (double stripe : stripes) {
        const double level = (stripe - black) / (white - black);
        if (level > 0.3 && level < 0.7)
            return -1;
        ones.append(level >= 0.5);
    }
    if (!ones[0] || ones[1] || !ones[Stripes - 2] || !ones[Stripes - 1]) // mirrored, or no numbered frame
        return -1;
    int number = 0;
    int count = 0;
    for (int bit = 0; bit <= NumberBits; ++bit) {
        count += ones[2 + bit];
        if (bit < NumberBits)
            number = number * 2 + int(ones[2 + bit]);
    }
    return count % 2 == 0 ? number : -1;
}

} // namespace

VideoPackets videoPackets(const QString &file)
{
    QJsonObject probe;
    if (!ffprobe(file,
                 {QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                  QStringLiteral("stream=time_base:packet=pts,dts,duration,size,flags")},
                 &probe))
        return {};
    VideoPackets result;
    const QJsonArray streams = probe.value(QLatin1String("streams")).toArray();
    if (streams.isEmpty())
        return result;
    const QStringList timeBase = streams.first().toObject().value(QLatin1String("time_base")).toString().split(QLatin1Char('/'));
    if (timeBase.size() == 2) {
        result.timeBaseNum = timeBase[0].toLongLong();
        result.timeBaseDen = timeBase[1].toLongLong();
    }
    for (const QJsonValue &packet : probe.value(QLatin1String("packets")).toArray()) {
        const QJsonObject object = packet.toObject();
        result.packets.append({integer(object.value(QLatin1String("pts")), NoTimestamp),
                               integer(object.value(QLatin1String("dts")), NoTimestamp),
                               integer(object.value(QLatin1String("duration")), 0),
                               integer(object.value(QLatin1String("size")), 0),
                               object.value(QLatin1String("flags")).toString().startsWith(QLatin1Char('K'))});
    }
    return result;
}

QList<double> frameTimes(const QString &file)
{
    QList<double> times;
    for (const FrameTime &frame : videoFrames(file).value_or(QList<FrameTime>()))
        times.append(frame.time);
    return times;
}

QList<QByteArray> grayFrames(const QString &file, int width, int height)
{
    QJsonObject probe;
    if (!ffprobe(file,
                 {QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                  QStringLiteral("stream=index")},
                 &probe)
        || probe.value(QLatin1String("streams")).toArray().isEmpty())
        return {};
    QByteArray output;
    // Passed through: every decoded frame once, none made up or dropped for a steady rate. The
    // rotation that the file asks for is applied before the scaling, as players do.
    if (!ffmpeg(file,
                {QStringLiteral("-map"), QStringLiteral("0:v:0"), QStringLiteral("-fps_mode"), QStringLiteral("passthrough"),
                 QStringLiteral("-vf"), QStringLiteral("scale=%1:%2:flags=area,format=gray").arg(width).arg(height),
                 QStringLiteral("-f"), QStringLiteral("rawvideo")},
                &output))
        return {};
    const qsizetype frameSize = qsizetype(width) * height;
    if (output.size() % frameSize != 0) {
        qWarning("ffmpeg gave %lld bytes of %dx%d frames for %s", qint64(output.size()), width, height, qPrintable(file));
        return {};
    }
    QList<QByteArray> frames;
    for (qsizetype at = 0; at < output.size(); at += frameSize)
        frames.append(output.mid(at, frameSize));
    return frames;
}

QList<int> frameNumbers(const QString &file)
{
    QList<int> numbers;
    for (const QByteArray &frame : grayFrames(file, ReadWidth, ReadHeight))
        numbers.append(readNumber(frame));
    return numbers;
}

QStringList frameHashes(const QString &file, const QString &stream, bool packets)
{
    QStringList arguments{"-v", "error", "-i", input(file), "-map", "0:" + stream};
    if (packets)
        arguments << "-c" << "copy";
    QByteArray output;
    if (!runTool(QStringLiteral(VELMORA_FFMPEG), arguments << "-f" << "framemd5" << "-", file, &output))
        return {};
    QStringList hashes;
    for (const QByteArray &line : output.split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            hashes << QString::fromLatin1(line.split(',').constLast()).trimmed();
    }
    return hashes;
}

QList<double> flashTimes(const QString &file)
{
    const QList<QByteArray> frames = grayFrames(file, 32, 24);
    const QList<double> times = frameTimes(file);
    if (frames.size() != times.size()) {
        qWarning("ffmpeg decoded %lld frames of %s, ffprobe %lld", qint64(frames.size()), qPrintable(file), qint64(times.size()));
        return {};
    }
    QList<double> flashes;
    bool bright = false;
    for (qsizetype i = 0; i < frames.size(); ++i) {
        const bool now = frameMean(frames[i]) > FlashLuma;
        if (now && !bright)
            flashes.append(times[i]);
        bright = now;
    }
    return flashes;
}

MonoSound monoSound(const QString &file)
{
    MonoSound sound;
    const std::optional<AudioFrames> frames = audioFrames(file);
    if (!frames)
        return {qQNaN(), {}};
    sound.start = frames->start;
    if (std::isnan(sound.start)) // no sound track
        return sound;
    QByteArray output;
    if (!ffmpeg(file,
                {QStringLiteral("-map"), QStringLiteral("0:a:0"), QStringLiteral("-ac"), QStringLiteral("1"),
                 QStringLiteral("-ar"), QString::number(MonoSound::Rate), QStringLiteral("-f"), QStringLiteral("s16le")},
                &output))
        return {qQNaN(), {}};
    sound.samples.resize(output.size() / 2);
    for (qsizetype i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = qint16(quint16(quint8(output[2 * i])) | quint16(quint8(output[2 * i + 1])) << 8);
    return sound;
}

QList<double> beepOnsets(const QString &file)
{
    const MonoSound sound = monoSound(file);
    int peak = 0;
    for (qint16 sample : sound.samples)
        peak = qMax(peak, qAbs(int(sample)));
    if (peak < 100) // silence
        return {};
    const int threshold = peak / 4;
    constexpr qsizetype Quiet = MonoSound::Rate / 10;
    QList<double> onsets;
    qsizetype lastLoud = -Quiet - 1;
    for (qsizetype i = 0; i < sound.samples.size(); ++i) {
        if (qAbs(int(sound.samples[i])) <= threshold)
            continue;
        if (i - lastLoud > Quiet)
            onsets.append(sound.timeOf(i));
        lastLoud = i;
    }
    return onsets;
}

double videoSeconds(const QString &file)
{
    const std::optional<QList<FrameTime>> frames = videoFrames(file);
    if (!frames)
        return qQNaN();
    if (frames->isEmpty())
        return 0;
    const FrameTime &last = frames->last();
    if (last.duration > 0)
        return last.time + last.duration;
    if (frames->size() < 2) {
        qWarning("%s has a single frame of no given duration", qPrintable(file));
        return qQNaN();
    }
    return 2 * last.time - frames->at(frames->size() - 2).time;
}

double audioSeconds(const QString &file)
{
    const std::optional<AudioFrames> frames = audioFrames(file);
    return frames ? frames->seconds : qQNaN();
}

double audioStart(const QString &file)
{
    const std::optional<AudioFrames> frames = audioFrames(file);
    return frames ? frames->start : qQNaN();
}

double playSeconds(const QString &file)
{
    const QList<double> times = frameTimes(file);
    if (times.isEmpty())
        return qQNaN();
    double end = videoSeconds(file);
    const std::optional<AudioFrames> sound = audioFrames(file);
    if (!sound)
        return qQNaN();
    if (!std::isnan(sound->start))
        end = std::max(end, sound->start + sound->seconds);
    return end - times.constFirst();
}

namespace {

// The samples of the sound from one time to another, within what there is.
std::pair<qsizetype, qsizetype> sampleRange(const MonoSound &sound, double from, double to)
{
    const auto at = [&sound](double time) {
        return qBound<qsizetype>(0, qsizetype(std::llround((time - sound.start) * MonoSound::Rate)), sound.samples.size());
    };
    return {at(from), at(to)};
}

} // namespace

int peakLevel(const MonoSound &sound, double from, double to)
{
    const auto [first, end] = sampleRange(sound, from, to);
    int peak = 0;
    for (qsizetype i = first; i < end; ++i)
        peak = std::max(peak, std::abs(int(sound.samples.at(i))));
    return peak;
}

double toneHz(const MonoSound &sound, double from, double to)
{
    const auto [first, end] = sampleRange(sound, from, to);
    if (end - first < MonoSound::Rate / 100)
        return qQNaN();
    // Crossings upwards, counted from the first to the last: whole periods between them.
    qsizetype firstCrossing = -1;
    qsizetype lastCrossing = -1;
    int crossings = 0;
    for (qsizetype i = first + 1; i < end; ++i) {
        if (sound.samples.at(i - 1) < 0 && sound.samples.at(i) >= 0) {
            if (firstCrossing < 0)
                firstCrossing = i;
            lastCrossing = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0;
    return double(crossings - 1) * MonoSound::Rate / double(lastCrossing - firstCrossing);
}

} // namespace velmora::test
