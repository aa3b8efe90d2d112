#include "support/MarkedClips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QUuid>

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
QString numberedLuma()
{
    QStringList bits;
    for (int bit = 0; bit < NumberBits; ++bit)
        bits << QStringLiteral("gt(bitand(N,%1),0)").arg(1 << bit);
    const QString parity = QStringLiteral("mod(%1,2)").arg(bits.join(QLatin1Char('+')));
    // X counts the stripes in the tiny source picture: 0, 1, then the bits from 2, parity, 2 more.
    return QStringLiteral("if(eq(X,0)+gt(X,%1),%2,if(eq(X,1),%3,%3+%4*if(lt(X,%1),gt(bitand(N,pow(2,%5-X)),0),%6)))")
        .arg(NumberBits + 2)
        .arg(White)
        .arg(Black)
        .arg(White - Black)
        .arg(NumberBits + 1)
        .arg(parity);
}

QString videoSource(const MarkedClip &spec)
{
    const QSize stored = sizeValue(spec.size);
    const QSize shown = spec.rotate ? stored.transposed() : stored;
    const double rate = rateValue(spec.rate);
    if (spec.picture == MarkedClip::Picture::Numbered && spec.seconds * rate > (1 << NumberBits))
        qFatal("A numbered clip holds at most %d frames", 1 << NumberBits);

    // The picture is drawn tiny and blown up without smoothing: sharp, and quick to make.
    QString tiny;
    QString luma;
    switch (spec.picture) {
    case MarkedClip::Picture::Numbered:
        tiny = QStringLiteral("%1x2").arg(NumberBits + 5);
        luma = numberedLuma();
        break;
    case MarkedClip::Picture::Flash: {
        const qint64 first = qint64(std::ceil(spec.flashAt * rate - 1e-6));
        const qint64 count = qMax<qint64>(2, qint64(std::ceil(FlashSeconds * rate - 1e-6)));
        tiny = QStringLiteral("2x2");
        luma = QStringLiteral("if(between(N,%1,%2),%3,%4)").arg(first).arg(first + count - 1).arg(White).arg(Black);
        break;
    }
    case MarkedClip::Picture::HalfWhite:
        tiny = QStringLiteral("2x2");
        luma = QStringLiteral("if(lt(Y,1),%1,%2)").arg(White).arg(Black);
        break;
    }
    QString graph = QStringLiteral("color=c=black:s=%1:r=%2:d=%3,format=gray,geq=lum='%4',"
                                   "scale=%5:%6:flags=neighbor,format=yuv420p,setsar=1")
                        .arg(tiny, spec.rate, number(spec.seconds), luma)
                        .arg(shown.width())
                        .arg(shown.height());
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
    return QStringLiteral("aevalsrc=exprs='%1|%1':s=%2:d=%3:c=stereo").arg(mono).arg(spec.sampleRate).arg(number(spec.seconds));
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
        arguments << QStringLiteral("-f") << spec.container;
    }
    return arguments;
}

void runFfmpeg(const MarkedClip &spec, const QStringList &arguments, const QString &output)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG),
                 QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")}
                     << arguments);
    if (!ffmpeg.waitForFinished(300000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
        QFile::remove(output);
        qFatal("ffmpeg could not make %s: %s\nffmpeg %s", qPrintable(spec.key()), ffmpeg.readAll().constData(),
               qPrintable(arguments.join(QLatin1Char(' '))));
    }
}

} // namespace

QString MarkedClip::key() const
{
    static const char *const pictures[] = {"numbered", "flash", "halfwhite"};
    QString key = QStringLiteral("%1_%2_%3fps_%4s_at%5_%6Hz_r%7")
                      .arg(QLatin1String(pictures[int(picture)]), size, rate, number(seconds), number(flashAt))
                      .arg(sampleRate)
                      .arg(rotate);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return key.replace(unsafe, QStringLiteral("-")) + QLatin1Char('.') + container;
}

QString markedClip(const MarkedClip &spec)
{
    static const QStringList containers = {QStringLiteral("avi"), QStringLiteral("mp4"), QStringLiteral("mkv"), QStringLiteral("mov")};
    if (!containers.contains(spec.container))
        qFatal("A marked clip cannot be put in \"%s\"", qPrintable(spec.container));
    if (spec.rotate != 0 && spec.rotate != 90 && spec.rotate != 270)
        qFatal("A marked clip turns by 90 or 270 degrees, not %d", spec.rotate);
    if (spec.rotate && spec.container != QLatin1String("mp4") && spec.container != QLatin1String("mov"))
        qFatal("Only mp4 and mov clips can carry a rotation");
    if (!(spec.seconds > 0) || spec.sampleRate < 0)
        qFatal("A marked clip needs a length and a sample rate that is 0 or more");

    const QString folder = QStringLiteral(VELMORA_TEST_CLIPS);
    const QString path = folder + QLatin1Char('/') + spec.key();
    if (QFileInfo(path).isFile())
        return path;
    QDir().mkpath(folder);

    // Made under a name of its own, then renamed: tests running side by side never see half a clip.
    const QString partial = folder + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".part");
    QStringList arguments;
    arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i") << videoSource(spec);
    if (spec.sampleRate > 0)
        arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i") << audioSource(spec);
    arguments << QStringLiteral("-map_metadata") << QStringLiteral("-1") << codecArguments(spec);
    if (spec.rotate == 0) {
        runFfmpeg(spec, arguments << partial, partial);
    } else {
        // ffmpeg drops a rotation given to a stream it encodes; it keeps one given to a copy. Its
        // mov muxer takes the angle counter-clockwise, against what its own reader reports.
        const QString untagged = partial + QStringLiteral(".untagged");
        runFfmpeg(spec, arguments << untagged, untagged);
        runFfmpeg(spec,
                  {QStringLiteral("-i"), untagged, QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-c"),
                   QStringLiteral("copy"), QStringLiteral("-metadata:s:v:0"), QStringLiteral("rotate=%1").arg(360 - spec.rotate),
                   QStringLiteral("-f"), spec.container, partial},
                  partial);
        QFile::remove(untagged);
    }
    if (!QFile::rename(partial, path)) { // another test made it meanwhile
        QFile::remove(partial);
        if (!QFileInfo(path).isFile())
            qFatal("Cannot keep the clip %s", qPrintable(path));
    }
    return path;
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

} // namespace velmora::test
