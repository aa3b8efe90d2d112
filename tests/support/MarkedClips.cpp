#include "support/MarkedClips.h"
#include "support/ClipCache.h"

#include <QFile>
#include <QRegularExpression>
#include <QSize>

#include <algorithm>
#include <cmath>

namespace velmora::test {

namespace {

// Luma of black and white in the limited range every codec here stores.
constexpr int Black = 16;
constexpr int White = 235;
constexpr double FlashSeconds = 0.2;
constexpr double BeepSeconds = 0.05;
constexpr int NumberBits = 12;

QString number(double value)
{
    return QString::number(value, 'g', 12);
}

double rateValue(const QString &rate)
{
    const QStringList parts = rate.split(QLatin1Char('/'));
    bool ok = false;
    double value = parts.value(0).toDouble(&ok);
    if (ok && parts.size() == 2)
        value /= parts[1].toDouble(&ok);
    if (!ok || parts.size() > 2 || !(value > 0))
        qFatal("A marked clip cannot have the frame rate \"%s\"", qPrintable(rate));
    return value;
}

QSize sizeValue(const QString &size)
{
    const QStringList parts = size.split(QLatin1Char('x'));
    const QSize value(parts.value(0).toInt(), parts.value(1).toInt());
    if (parts.size() != 2 || value.width() < 16 || value.height() < 16 || value.width() % 2 || value.height() % 2)
        qFatal("A marked clip cannot have the size \"%s\" (even width and height of 16 or more)", qPrintable(size));
    return value;
}

// Stripes across the picture, left to right: white, black, the frame number's 12 bits with the
// highest first (white for 1), an even-parity bit, white, white. Both ends are white so that a
// reader can find the picture inside black bars; the black one tells a mirrored picture and gives
// a reader both levels to compare with; the parity bit and the broad stripes let it tell a clean
// frame from a blend of two or from one that the encoder spoiled.
QString numberedLuma(int firstNumber)
{
    const QString shown = firstNumber ? QStringLiteral("(N+%1)").arg(firstNumber) : QStringLiteral("N");
    QStringList bits;
    for (int bit = 0; bit < NumberBits; ++bit)
        bits << QStringLiteral("gt(bitand(%1,%2),0)").arg(shown).arg(1 << bit);
    const QString parity = QStringLiteral("mod(%1,2)").arg(bits.join(QLatin1Char('+')));
    // X counts the stripes in the tiny source picture: 0, 1, then the bits from 2, parity, 2 more.
    return QStringLiteral("if(eq(X,0)+gt(X,%1),%2,if(eq(X,1),%3,%3+%4*if(lt(X,%1),gt(bitand(%7,pow(2,%5-X)),0),%6)))")
        .arg(NumberBits + 2)
        .arg(White)
        .arg(Black)
        .arg(White - Black)
        .arg(NumberBits + 1)
        .arg(parity, shown);
}

// A clip whose frames are not simply n / rate: made frame by frame, then each given its time.
bool timed(const MarkedClip &spec)
{
    return !spec.sectionRates.isEmpty() || spec.jitter != 0;
}

// When frame n of a timed clip is shown, before any jitter: one entry a frame.
QList<double> sectionTimes(const MarkedClip &spec)
{
    QList<double> times;
    if (spec.sectionRates.isEmpty()) {
        const double rate = rateValue(spec.rate);
        for (qint64 n = 0; n < qint64(std::ceil(spec.seconds * rate - 1e-9)); ++n)
            times << n / rate;
        return times;
    }
    const double section = spec.seconds / spec.sectionRates.size();
    for (qsizetype i = 0; i < spec.sectionRates.size(); ++i) {
        for (qint64 n = 0; n < std::llround(section * spec.sectionRates[i]); ++n)
            times << i * section + double(n) / spec.sectionRates[i];
    }
    return times;
}

// The time of frame N in seconds as an ffmpeg expression, jitter and all.
QString timeExpression(const MarkedClip &spec)
{
    QString time;
    if (spec.sectionRates.isEmpty()) {
        time = QStringLiteral("N/(%1)").arg(spec.rate);
    } else {
        // if(lt(N,end0),start0+(N-first0)/rate0,if(lt(N,end1),...,last))
        const double section = spec.seconds / spec.sectionRates.size();
        qint64 first = 0;
        QString closing;
        for (qsizetype i = 0; i < spec.sectionRates.size(); ++i) {
            const QString within = QStringLiteral("%1+(N-%2)/%3").arg(number(i * section)).arg(first).arg(spec.sectionRates[i]);
            first += std::llround(section * spec.sectionRates[i]);
            if (i + 1 == spec.sectionRates.size()) {
                time += within + closing;
            } else {
                time += QStringLiteral("if(lt(N,%1),%2,").arg(first).arg(within);
                closing += QLatin1Char(')');
            }
        }
    }
    if (spec.jitter != 0) {
        // A fixed pseudo-random sequence in whole steps from -1000 to 1000, exact in any arithmetic.
        time += QStringLiteral("+%1*gt(N,0)*(mod(N*N*7919+N*104729+%2*15485863,2001)-1000)/1000").arg(number(spec.jitter)).arg(spec.seed);
    }
    return time;
}

QString videoSource(const MarkedClip &spec)
{
    const QSize stored = sizeValue(spec.size);
    const QSize shown = spec.rotate ? stored.transposed() : stored;
    const double rate = rateValue(spec.rate);
    const QList<double> times = timed(spec) ? sectionTimes(spec) : QList<double>();
    const double frames = timed(spec) ? double(times.size()) : spec.seconds * rate;
    if (spec.picture == MarkedClip::Picture::Numbered && spec.firstNumber + frames > (1 << NumberBits))
        qFatal("A numbered clip holds at most %d frames", 1 << NumberBits);

    // The picture is drawn tiny and blown up without smoothing: sharp, and quick to make.
    QString tiny;
    QString luma;
    switch (spec.picture) {
    case MarkedClip::Picture::Numbered:
        tiny = QStringLiteral("%1x2").arg(NumberBits + 5);
        luma = numberedLuma(spec.firstNumber);
        break;
    case MarkedClip::Picture::Flash: {
        qint64 first = qint64(std::ceil(spec.flashAt * rate - 1e-6));
        qint64 count = qMax<qint64>(2, qint64(std::ceil(FlashSeconds * rate - 1e-6)));
        if (timed(spec)) {
            first = std::find_if(times.begin(), times.end(), [&spec](double time) { return time >= spec.flashAt - 1e-6; }) - times.begin();
            count = std::count_if(times.begin(), times.end(), [&](double time) {
                return time >= times.value(first) - 1e-6 && time < times.value(first) + FlashSeconds - 1e-6;
            });
            count = qMax<qint64>(2, count);
        }
        tiny = QStringLiteral("2x2");
        luma = QStringLiteral("if(between(N,%1,%2),%3,%4)").arg(first).arg(first + count - 1).arg(White).arg(Black);
        break;
    }
    case MarkedClip::Picture::HalfWhite:
        tiny = QStringLiteral("2x2");
        luma = QStringLiteral("if(lt(Y,1),%1,%2)").arg(White).arg(Black);
        break;
    }
    // A timed clip is drawn at a steady rate, as many frames as it has, and then each frame is
    // given its own time at 90 kHz (the muxer keeps what its container can).
    const QString source = timed(spec) ? QStringLiteral("color=c=black:s=%1:r=%2,trim=end_frame=%3").arg(tiny, spec.rate).arg(times.size())
                                       : QStringLiteral("color=c=black:s=%1:r=%2:d=%3").arg(tiny, spec.rate, number(spec.seconds));
    QString graph = QStringLiteral("%1,format=gray,geq=lum='%2',scale=%3:%4:flags=neighbor,format=yuv420p,setsar=1")
                        .arg(source, luma)
                        .arg(shown.width())
                        .arg(shown.height());
    if (timed(spec))
        graph += QStringLiteral(",settb=1/90000,setpts='round((%1)/TB)'").arg(timeExpression(spec));
    // Stored turned back against the way the player will turn it.
    if (spec.rotate == 90)
        graph += QStringLiteral(",transpose=cclock");
    else if (spec.rotate == 270)
        graph += QStringLiteral(",transpose=clock");
    return graph;
}

QString audioSource(const MarkedClip &spec)
{
    QString mono;
    if (spec.picture == MarkedClip::Picture::Flash) {
        mono = QStringLiteral("if(between(t,%1,%2),0.5*sin(2*PI*1000*(t-%1)),0)")
                   .arg(number(spec.flashAt), number(spec.flashAt + BeepSeconds));
    } else {
        mono = QStringLiteral("0.25*sin(2*PI*440*t)");
    }
    const double seconds = spec.soundSeconds > 0 ? spec.soundSeconds : spec.seconds;
    return QStringLiteral("aevalsrc=exprs='%1|%1':s=%2:d=%3:c=stereo").arg(mono).arg(spec.sampleRate).arg(number(seconds));
}

QStringList codecArguments(const MarkedClip &spec)
{
    const bool flash = spec.picture == MarkedClip::Picture::Flash;
    const bool sound = spec.sampleRate > 0;
    QStringList arguments;
    if (spec.container == QLatin1String("avi")) {
        arguments << QStringLiteral("-c:v") << QStringLiteral("mpeg4") << QStringLiteral("-q:v") << QStringLiteral("3");
        if (sound && flash)
            arguments << QStringLiteral("-c:a") << QStringLiteral("pcm_s16le");
        else if (sound)
            arguments << QStringLiteral("-c:a") << QStringLiteral("libmp3lame") << QStringLiteral("-b:a") << QStringLiteral("128k");
        // The MP3 encoder's delay gives its first packet a time below zero; left to shift the
        // file, the muxer would move every frame after the first one a frame later.
        arguments << QStringLiteral("-avoid_negative_ts") << QStringLiteral("disabled");
        arguments << QStringLiteral("-f") << QStringLiteral("avi");
        return arguments;
    }
    if (timed(spec)) {
        // Every frame as it comes, at its own time: none repeated or dropped for a steady rate.
        arguments << QStringLiteral("-fps_mode") << QStringLiteral("passthrough") << QStringLiteral("-enc_time_base")
                  << QStringLiteral("-1");
    }
    if (spec.container == QLatin1String("ts")) {
        arguments << QStringLiteral("-c:v") << QStringLiteral("mpeg2video") << QStringLiteral("-q:v") << QStringLiteral("3");
        if (sound)
            arguments << QStringLiteral("-c:a") << QStringLiteral("mp2") << QStringLiteral("-b:a") << QStringLiteral("192k");
        if (spec.timeOffset != 0)
            arguments << QStringLiteral("-output_ts_offset") << number(spec.timeOffset);
        arguments << QStringLiteral("-f") << QStringLiteral("mpegts");
        return arguments;
    }
    if (spec.container == QLatin1String("webm")) {
        arguments << QStringLiteral("-c:v") << QStringLiteral("libvpx-vp9") << QStringLiteral("-deadline") << QStringLiteral("realtime")
                  << QStringLiteral("-cpu-used") << QStringLiteral("8") << QStringLiteral("-crf") << QStringLiteral("20")
                  << QStringLiteral("-b:v") << QStringLiteral("0") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
        if (sound)
            arguments << QStringLiteral("-c:a") << QStringLiteral("libopus") << QStringLiteral("-b:a") << QStringLiteral("96k");
        arguments << QStringLiteral("-f") << QStringLiteral("webm");
        return arguments;
    }
    arguments << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset") << QStringLiteral("veryfast")
              << QStringLiteral("-crf") << QStringLiteral("18") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
    if (spec.container == QLatin1String("mkv")) {
        if (sound)
            arguments << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-b:a") << QStringLiteral("128k");
        // Matroska marks no encoder delay: the sound's first packet, which holds the delay, goes
        // 1024 samples before zero, where it belongs, rather than the whole file moving later.
        arguments << QStringLiteral("-avoid_negative_ts") << QStringLiteral("disabled");
        arguments << QStringLiteral("-f") << QStringLiteral("matroska");
    } else {
        if (sound)
            arguments << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-b:a") << QStringLiteral("128k");
        if (spec.timescale > 0)
            arguments << QStringLiteral("-video_track_timescale") << QString::number(spec.timescale);
        arguments << QStringLiteral("-f") << spec.container;
    }
    return arguments;
}

} // namespace

QString MarkedClip::key() const
{
    static const char *const pictures[] = {"numbered", "flash", "halfwhite"};
    QString key = QStringLiteral("%1_%2_%3fps_%4s_at%5_%6Hz_r%7")
                      .arg(QLatin1String(pictures[int(picture)]), size, rate, number(seconds), number(flashAt))
                      .arg(sampleRate)
                      .arg(rotate);
    // What most clips leave at its default is named only when set, so that their names stay.
    if (firstNumber)
        key += QStringLiteral("_from%1").arg(firstNumber);
    if (!sectionRates.isEmpty()) {
        QStringList rates;
        for (int rate : sectionRates)
            rates << QString::number(rate);
        key += QStringLiteral("_sections%1").arg(rates.join(QLatin1Char('-')));
    }
    if (jitter != 0)
        key += QStringLiteral("_jitter%1s%2").arg(number(jitter)).arg(seed);
    if (soundSeconds > 0)
        key += QStringLiteral("_sound%1s").arg(number(soundSeconds));
    if (timescale)
        key += QStringLiteral("_scale%1").arg(timescale);
    if (timeOffset != 0)
        key += QStringLiteral("_offset%1s").arg(number(timeOffset));
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return key.replace(unsafe, QStringLiteral("-")) + QLatin1Char('.') + container;
}

QString markedClip(const MarkedClip &spec)
{
    static const QStringList containers = {QStringLiteral("avi"), QStringLiteral("mp4"), QStringLiteral("mkv"), QStringLiteral("mov"),
                                           QStringLiteral("webm"), QStringLiteral("flv"), QStringLiteral("ts")};
    if (!containers.contains(spec.container))
        qFatal("A marked clip cannot be put in \"%s\"", qPrintable(spec.container));
    if (spec.rotate != 0 && spec.rotate != 90 && spec.rotate != 270)
        qFatal("A marked clip turns by 90 or 270 degrees, not %d", spec.rotate);
    const bool mov = spec.container == QLatin1String("mp4") || spec.container == QLatin1String("mov");
    if ((spec.rotate || spec.timescale) && !mov)
        qFatal("Only mp4 and mov clips can carry a rotation or a time scale of their own");
    if (spec.timeOffset != 0 && spec.container != QLatin1String("ts"))
        qFatal("Only ts clips are moved in time");
    if (timed(spec) && (spec.container == QLatin1String("avi") || spec.container == QLatin1String("ts")))
        qFatal("An avi or ts clip cannot hold frames at times of their own");
    if (spec.container == QLatin1String("webm") && spec.sampleRate != 0 && spec.sampleRate != 48000)
        qFatal("A webm clip's Opus sound is at 48000 Hz");
    if (!(spec.seconds > 0) || spec.sampleRate < 0 || spec.soundSeconds < 0)
        qFatal("A marked clip needs a length and a sample rate that is 0 or more");

    return cachedClip(spec.key(), [&spec](const QString &partial) {
        QStringList arguments;
        arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i") << videoSource(spec);
        if (spec.sampleRate > 0)
            arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i") << audioSource(spec);
        arguments << QStringLiteral("-map_metadata") << QStringLiteral("-1") << codecArguments(spec);
        if (spec.rotate == 0) {
            runFfmpeg(arguments << partial, partial, spec.key());
            return;
        }
        // ffmpeg drops a rotation given to a stream it encodes; it keeps one given to a copy. Its
        // mov muxer takes the angle counter-clockwise, against what its own reader reports.
        const QString untagged = partial + QStringLiteral(".untagged");
        runFfmpeg(arguments << untagged, untagged, spec.key());
        runFfmpeg({QStringLiteral("-i"), untagged, QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-c"),
                   QStringLiteral("copy"), QStringLiteral("-metadata:s:v:0"), QStringLiteral("rotate=%1").arg(360 - spec.rotate),
                   QStringLiteral("-f"), spec.container, partial},
                  partial, spec.key());
        QFile::remove(untagged);
    });
}

MarkedClip markedSpec(MarkedClip::Picture picture, const QString &size, const QString &rate, double seconds, int sampleRate,
                      const QString &container, double flashAt)
{
    MarkedClip spec;
    spec.picture = picture;
    spec.size = size;
    spec.rate = rate;
    spec.seconds = seconds;
    spec.sampleRate = sampleRate;
    spec.container = container;
    spec.flashAt = flashAt;
    return spec;
}

MarkedClip coverClip(const QString &size, double soundSeconds)
{
    MarkedClip cover;
    cover.size = size;
    cover.rate = QStringLiteral("1");
    cover.seconds = 1;
    cover.soundSeconds = soundSeconds;
    cover.container = QStringLiteral("mp4");
    return cover;
}

} // namespace velmora::test
