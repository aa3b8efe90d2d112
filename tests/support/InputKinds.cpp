#include "support/InputKinds.h"

#include "support/ClipCache.h"

#include "support/Clips.h"

#include <QCryptographicHash>

namespace velmora::test {

namespace {

InputKind kind(const char *extension, const char *size, const QString &output, int sampleRate = 44100)
{
    return {QString::fromLatin1(extension), QString::fromLatin1(size), output.split(QLatin1Char(' ')), sampleRate};
}

} // namespace

const QList<InputKind> &inputKinds()
{
    // The fastest settings do: only what the container holds matters here.
    static const QString x264 = QStringLiteral("-c:v libx264 -preset ultrafast -pix_fmt yuv420p");
    static const QList<InputKind> kinds = {
        kind(".avi", "320x240", "-c:v mpeg4 -c:a libmp3lame -f avi"),
        kind(".mpg", "352x288", "-c:v mpeg1video -c:a mp2 -f mpeg"),
        kind(".mpeg", "320x240", "-c:v mpeg2video -c:a mp2 -f vob"),
        kind(".mp4", "320x240", x264 + " -c:a aac -f mp4"),
        kind(".wmv", "320x240", "-c:v wmv2 -c:a wmav2 -f asf"),
        kind(".mov", "320x240", x264 + " -c:a aac -f mov"),
        kind(".vob", "352x288", "-c:v mpeg2video -c:a ac3 -f vob", 48000),
        kind(".asf", "320x240", "-c:v msmpeg4 -c:a wmav2 -f asf"),
        kind(".mkv", "320x240", x264 + " -c:a aac -f matroska"),
        kind(".webm", "320x240", "-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -c:a libopus -f webm", 48000),
        // Flash's own codecs; the H.264 kind of .flv is measured alike.
        kind(".flv", "320x240", "-c:v flv -c:a libmp3lame -f flv"),
        kind(".f4v", "320x240", x264 + " -c:a aac -f f4v"),
        kind(".ts", "320x240", "-c:v mpeg2video -c:a mp2 -f mpegts"),
        // Camcorders (AVCHD) and Blu-ray: H.264 and AC-3 in 192-byte transport packets.
        kind(".mts", "320x240", x264 + " -c:a ac3 -f mpegts -mpegts_m2ts_mode 1", 48000),
        kind(".m2ts", "320x240", x264 + " -c:a ac3 -f mpegts -mpegts_m2ts_mode 1", 48000),
        kind(".m2v", "320x240", "-c:v mpeg2video -f mpeg2video", 0),
        // Apple's .m4v is an MP4 file.
        kind(".m4v", "320x240", x264 + " -c:a aac -f ipod"),
        kind(".3gp", "176x144", "-c:v h263 -c:a aac -ac 1 -f 3gp", 8000),
        kind(".3g2", "176x144", x264 + " -c:a aac -ac 1 -f 3g2", 16000),
        kind(".ogv", "320x240", "-c:v libtheora -c:a libvorbis -f ogg"),
        kind(".ogg", "320x240", "-c:v libtheora -c:a libvorbis -f ogg"),
        kind(".dv", "720x576", "-c:v dvvideo -pix_fmt yuv420p -c:a pcm_s16le -ac 2 -f dv", 48000),
        kind(".mxf", "320x240", "-c:v mpeg2video -c:a pcm_s16le -f mxf", 48000),
        kind(".divx", "320x240", "-c:v mpeg4 -vtag DIVX -c:a libmp3lame -f avi"),
        kind(".xvid", "320x240", "-c:v mpeg4 -vtag XVID -c:a libmp3lame -f avi"),
        // MediaInfo knows a NUT file by its start and reads nothing more: FFmpeg's readers measure it.
        kind(".nut", "320x240", "-c:v mpeg4 -c:a libmp3lame -f nut"),
        // RealVideo 2 is the newest RealVideo ffmpeg writes; .rmvb files usually hold RealVideo 4.
        kind(".rm", "320x240", "-c:v rv20 -c:a ac3 -f rm"),
        kind(".rmvb", "320x240", "-c:v rv20 -c:a ac3 -f rm"),
        kind(".y4m", "160x120", "-pix_fmt yuv420p -f yuv4mpegpipe", 0),
    };
    return kinds;
}

QString inputKindClip(const InputKind &kind)
{
    const QString seconds = QString::number(InputKind::Seconds);
    QStringList arguments = {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                             QStringLiteral("testsrc=size=%1:rate=25:duration=%2").arg(kind.size, seconds)};
    if (kind.sampleRate > 0) {
        arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                  << QStringLiteral("sine=frequency=440:sample_rate=%1:duration=%2").arg(kind.sampleRate).arg(seconds);
    }
    arguments << kind.output;
    // Named by what makes it, so that a changed recipe makes a new clip.
    const QByteArray recipe = QCryptographicHash::hash(arguments.join(QLatin1Char(' ')).toUtf8(), QCryptographicHash::Md5).toHex().left(12);
    // Name the output format with -f: the file ffmpeg writes has a temporary name.
    return ffmpegClip(QStringLiteral("kind_") + QString::fromLatin1(recipe) + kind.extension, arguments);
}

} // namespace velmora::test
