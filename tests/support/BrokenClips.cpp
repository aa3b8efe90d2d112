#include "support/BrokenClips.h"

#include "support/ClipCache.h"
#include "support/MarkedClips.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstring>

namespace velmora::test {

namespace {

QByteArray contentOf(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("Cannot read %s", qPrintable(file));
    return in.readAll();
}

void writeTo(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("Cannot write %s", qPrintable(file));
}

} // namespace

QString catClip(const QString &name, const QStringList &parts)
{
    return cachedClip(name, [&parts](const QString &partial) {
        QByteArray bytes;
        for (const QString &part : parts)
            bytes += contentOf(part);
        writeTo(partial, bytes);
    });
}

QString cutClip(const QString &name, const QString &source, double fraction)
{
    return cachedClip(name, [&](const QString &partial) {
        const QByteArray bytes = contentOf(source);
        writeTo(partial, bytes.left(qsizetype(bytes.size() * fraction)));
    });
}

QString faststartClip(const QString &name, const QString &source)
{
    return ffmpegClip(name, {QStringLiteral("-i"), source, QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-c"),
                             QStringLiteral("copy"), QStringLiteral("-movflags"), QStringLiteral("+faststart"), QStringLiteral("-f"),
                             QStringLiteral("mp4")});
}

QString halfNumberedClip(const QString &container)
{
    MarkedClip clip;
    clip.rate = QStringLiteral("30");
    clip.seconds = 4;
    clip.sampleRate = 48000;
    clip.container = container;
    QString whole = markedClip(clip);
    if (container == QLatin1String("mp4"))
        whole = faststartClip(QFileInfo(whole).completeBaseName() + QStringLiteral("_faststart.mp4"), whole);
    return cutClip(QFileInfo(whole).completeBaseName() + QStringLiteral("_half.") + container, whole, 0.5);
}

QString strayTimeFlv(const QString &name, const QString &source, double atSeconds, const QList<int> &shiftsMs, double claimedSeconds)
{
    return cachedClip(name, [&](const QString &partial) {
        QByteArray bytes = contentOf(source);
        if (claimedSeconds > 0) {
            // onMetaData's "duration": an AMF number, a type byte and a big-endian double.
            static const char pattern[] = "\x00\x08" "duration\x00";
            const qsizetype key = bytes.indexOf(QByteArray(pattern, sizeof pattern - 1));
            if (key < 0)
                qFatal("%s states no duration", qPrintable(source));
            quint64 bits = 0;
            std::memcpy(&bits, &claimedSeconds, sizeof bits);
            for (int i = 0; i < 8; ++i)
                bytes[key + 11 + i] = char(bits >> (56 - 8 * i));
        }
        const auto byte = [&bytes](qsizetype at) { return quint32(quint8(bytes.at(at))); };
        // The header, then tags: type, 3 bytes of size, 3 bytes of time and one above them,
        // 3 bytes of stream id, the data, and 4 bytes of the tag's whole size.
        qsizetype at = qsizetype(byte(5) << 24 | byte(6) << 16 | byte(7) << 8 | byte(8)) + 4;
        qsizetype moved = 0;
        while (at + 11 <= bytes.size() && moved < shiftsMs.size()) {
            const quint32 size = byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
            const qint64 time = qint64(byte(at + 7) << 24 | byte(at + 4) << 16 | byte(at + 5) << 8 | byte(at + 6));
            if (byte(at) == 8 && time >= qint64(atSeconds * 1000)) {
                const quint32 to = quint32(time + shiftsMs.at(moved++));
                bytes[at + 4] = char(to >> 16);
                bytes[at + 5] = char(to >> 8);
                bytes[at + 6] = char(to);
                bytes[at + 7] = char(to >> 24);
            }
            at += 11 + size + 4;
        }
        if (moved < shiftsMs.size())
            qFatal("%s has too few sound tags after %g s", qPrintable(source), atSeconds);
        writeTo(partial, bytes);
    });
}

bool haveZzuf()
{
    return !QStandardPaths::findExecutable(QStringLiteral("zzuf")).isEmpty();
}

QString zzufClip(const QString &name, const QString &source, int seed, double ratio)
{
    if (!haveZzuf())
        qFatal("zzuf is not installed");
    return cachedClip(name, [&](const QString &partial) {
        QProcess zzuf;
        zzuf.setStandardOutputFile(partial);
        zzuf.start(QStringLiteral("zzuf"), {QStringLiteral("-s"), QString::number(seed), QStringLiteral("-r"), QString::number(ratio),
                                            QStringLiteral("cat"), source});
        if (!zzuf.waitForFinished(60000) || zzuf.exitStatus() != QProcess::NormalExit || zzuf.exitCode() != 0
            || QFileInfo(partial).size() != QFileInfo(source).size())
            qFatal("zzuf could not damage %s: %s", qPrintable(source), zzuf.readAllStandardError().constData());
    });
}

QString testPatternAvi()
{
    return ffmpegClip(QStringLiteral("testsrc2_320x240_25fps_2s_mpeg4_mp3.avi"),
                      {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                       QStringLiteral("testsrc2=size=320x240:rate=25:duration=2"), QStringLiteral("-f"), QStringLiteral("lavfi"),
                       QStringLiteral("-i"), QStringLiteral("sine=frequency=440:sample_rate=44100:duration=2"), QStringLiteral("-c:v"),
                       QStringLiteral("mpeg4"), QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), QStringLiteral("-f"),
                       QStringLiteral("avi")});
}

QString twoProgrammeTs(const QString &picture, double seconds)
{
    return ffmpegClip(QFileInfo(picture).completeBaseName() + QStringLiteral("_programmes.ts"),
                      {QStringLiteral("-i"), picture, QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                       QStringLiteral("sine=frequency=1000:sample_rate=48000:duration=%1").arg(seconds),
                       QStringLiteral("-map"), QStringLiteral("1:a"), QStringLiteral("-map"), QStringLiteral("0:v"),
                       QStringLiteral("-map"), QStringLiteral("0:a"), QStringLiteral("-c:v"),
                       QStringLiteral("copy"), QStringLiteral("-c:a:0"), QStringLiteral("mp2"), QStringLiteral("-c:a:1"),
                       QStringLiteral("copy"), QStringLiteral("-program"), QStringLiteral("title=B:st=0"), QStringLiteral("-program"),
                       QStringLiteral("title=A:st=1:st=2"), QStringLiteral("-f"), QStringLiteral("mpegts")});
}

} // namespace velmora::test
