#include "support/Clips.h"
#include "support/ClipCache.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace velmora::test {

QString ClipSpec::key() const
{
    return QStringLiteral("%1_%2fps_%3s_%4%5_%6Hz_%7")
        .arg(size)
        .arg(rate)
        .arg(seconds)
        .arg(video ? QStringLiteral("v") : QString(), audio ? QStringLiteral("a") : QString())
        .arg(sampleRate)
        .arg(tone);
}

QString sharedClip(const ClipSpec &spec)
{
    return cachedClip(spec.key() + QStringLiteral(".avi"), [&spec](const QString &partial) {
        QStringList arguments = {QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")};
        const QString duration = QString::number(spec.seconds);
        if (spec.video) {
            arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                      << QStringLiteral("testsrc=size=%1:rate=%2:duration=%3").arg(spec.size).arg(spec.rate).arg(duration);
        }
        if (spec.audio) {
            arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                      << QStringLiteral("sine=frequency=%1:sample_rate=%2:duration=%3").arg(spec.tone).arg(spec.sampleRate).arg(duration);
        }
        if (spec.video)
            arguments << QStringLiteral("-c:v") << QStringLiteral("mpeg4") << QStringLiteral("-q:v") << QStringLiteral("5");
        if (spec.audio)
            arguments << QStringLiteral("-c:a") << QStringLiteral("libmp3lame") << QStringLiteral("-b:a") << QStringLiteral("64k");
        arguments << QStringLiteral("-f") << QStringLiteral("avi") << partial;

        QProcess ffmpeg;
        ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
        ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), arguments);
        if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0)
            qFatal("ffmpeg could not make %s: %s", qPrintable(spec.key()), ffmpeg.readAll().constData());
    });
}

QString copyClip(const QString &destination, const ClipSpec &spec)
{
    QDir().mkpath(QFileInfo(destination).absolutePath());
    QFile::remove(destination);
    if (!QFile::copy(sharedClip(spec), destination))
        qFatal("Cannot copy a clip to %s", qPrintable(destination));
    return destination;
}

QStringList copyClips(const QString &folder, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << copyClip(folder + QLatin1Char('/') + name);
    return paths;
}

QString taggedClip(const QString &name, const QStringList &tags)
{
    return ffmpegClip(QStringLiteral("tagged-") + name,
                      QStringList{"-f", "lavfi", "-i", "testsrc=s=64x48:r=10", "-t", "0.5", "-c:v", "mpeg4"} + tags);
}

void setModified(const QString &path, const QString &isoMoment)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)
        || !file.setFileTime(QDateTime::fromString(isoMoment, Qt::ISODate), QFileDevice::FileModificationTime))
        qFatal("Cannot set the modification time of %s", qPrintable(path));
}

} // namespace velmora::test
