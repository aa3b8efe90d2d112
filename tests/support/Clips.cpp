#include "support/Clips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

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

QString clipMadeOnce(const QString &fileName, QStringList arguments)
{
    const QString folder = QStringLiteral(VELMORA_TEST_CLIPS);
    const QString path = folder + QLatin1Char('/') + fileName;
    if (QFileInfo(path).isFile())
        return path;
    QDir().mkpath(folder);

    // Made under a name of its own, then renamed: tests running side by side never see half a clip.
    const QString partial = folder + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".part");
    arguments = QStringList{QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")} + arguments;
    arguments << partial;

    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), arguments);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
        QFile::remove(partial);
        qFatal("ffmpeg could not make %s: %s", qPrintable(fileName), ffmpeg.readAll().constData());
    }
    if (!QFile::rename(partial, path)) { // another test made it meanwhile
        QFile::remove(partial);
        if (!QFileInfo(path).isFile())
            qFatal("Cannot keep the clip %s", qPrintable(path));
    }
    return path;
}

QString sharedClip(const ClipSpec &spec)
{
    QStringList arguments;
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
    arguments << QStringLiteral("-f") << QStringLiteral("avi");
    return clipMadeOnce(spec.key() + QStringLiteral(".avi"), arguments);
}

QString copyClip(const QString &destination, const ClipSpec &spec)
{
    QDir().mkpath(QFileInfo(destination).absolutePath());
    QFile::remove(destination);
    if (!QFile::copy(sharedClip(spec), destination))
        qFatal("Cannot copy a clip to %s", qPrintable(destination));
    return destination;
}

} // namespace velmora::test
