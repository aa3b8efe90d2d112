#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <limits>

// What a media file holds, as ffmpeg and ffprobe see it: the only programs that look inside the
// files here, so the checks never lean on the code under test. Each function runs them afresh.
//
// When ffprobe or ffmpeg fails, a function warns with their message and returns an empty list or
// NaN, which no check accepts. A file without the asked-for track is no failure: the lists come
// back empty, audioSeconds() gives 0 and audioStart() NaN, without a warning.
namespace velmora::test {

// A missing time stamp in the numbers ffprobe gives.
constexpr qint64 NoTimestamp = std::numeric_limits<qint64>::min();

// An AVI stores no times: ffprobe counts its frames for dts, and gives no pts where the codec
// may reorder frames (H.264). Its empty chunks, each repeating the frame before, are no packets
// to ffprobe and no frames to ffmpeg: they show as gaps in the times.
struct VideoPacket
{
    qint64 pts = NoTimestamp; // in the stream's time base
    qint64 dts = NoTimestamp;
    qint64 duration = 0; // in the stream's time base, 0 when not given
    qint64 size = 0;     // bytes
    bool key = false;
};

struct VideoPackets
{
    qint64 timeBaseNum = 0; // the stream's time base, num / den seconds
    qint64 timeBaseDen = 1;
    QList<VideoPacket> packets; // in the order they are stored

    double seconds(qint64 ticks) const { return double(ticks) * double(timeBaseNum) / double(timeBaseDen); }
};

// The packets of the first video stream.
VideoPackets videoPackets(const QString &file);

// When each decoded frame of the first video stream is shown (its best-effort time stamp),
// in display order; NaN for a frame without a time stamp.
QList<double> frameTimes(const QString &file);

// Every decoded frame of the first video stream once, in display order (entry i belongs to
// frameTimes()[i]): turned upright as a player shows it, squeezed to width x height by area
// averaging whatever its aspect, as 8-bit luma, width * height bytes row by row.
QList<QByteArray> grayFrames(const QString &file, int width, int height);

// The number that a MarkedClip::Picture::Numbered frame shows, for every decoded frame; -1 where
// no clean number can be read (another picture, a blend of two frames, one spoiled beyond
// reading). Survives lossy coding, scaling, a stretch and black bars around the picture.
QList<int> frameNumbers(const QString &file);

// The hash of each frame of one stream ("v", "a", "a:1") as ffmpeg's framemd5 gives them: of
// every decoded frame, or with packets, of every packet as stored.
QStringList frameHashes(const QString &file, const QString &stream, bool packets = false);

// When the picture turns from dark to bright: the times of the first bright frame of each run of
// them (the first frame counts when it is bright).
QList<double> flashTimes(const QString &file);

// When each beep in the first audio track begins: the first sample above a quarter of the track's
// loudest one after at least 100 ms below that (or after the track's start).
QList<double> beepOnsets(const QString &file);

// The first audio track mixed to one channel at 48 kHz, its samples placed one after the other
// from the time of the first decoded sample on.
struct MonoSound
{
    static constexpr int Rate = 48000;
    double start = 0; // seconds
    QList<qint16> samples;

    double timeOf(qsizetype sample) const { return start + double(sample) / Rate; }
};
MonoSound monoSound(const QString &file);

// The time of the last decoded frame plus its duration (as stored, or else the step from the
// frame before it).
double videoSeconds(const QString &file);

// How long the decoded sound of the first audio track lasts: its samples over its sample rate.
double audioSeconds(const QString &file);

// When the first decoded sound of the first audio track is to be played, after any encoder delay
// that the file marks to be skipped.
double audioStart(const QString &file);

// How long a player shows the file: from its first picture to the end of its picture or of its
// sound (audioStart() + audioSeconds()), whichever ends later.
double playSeconds(const QString &file);

// The loudest sample of the sound from one time to another (seconds, as timeOf() counts them).
int peakLevel(const MonoSound &sound, double from, double to);

// The frequency of a steady tone in the sound from one time to another, by its zero crossings.
double toneHz(const MonoSound &sound, double from, double to);

} // namespace velmora::test
