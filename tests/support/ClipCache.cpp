#include "support/ClipCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

#include <cstdio>

namespace velmora::test {

QString clipFolder()
{
    return QStringLiteral(VELMORA_TEST_CLIPS);
}

QString cachedClip(const QString &name, const std::function<void(const QString &partial)> &make)
{
    const QString folder = clipFolder();
    const QString path = folder + QLatin1Char('/') + name;
    if (QFileInfo(path).isFile())
        return path;
    QDir().mkpath(folder);

    // The extension stays last: ffmpeg picks its muxer from it where none is named.
    const QString partial = folder + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".part.")
                            + QFileInfo(name).suffix();
    make(partial);
    if (!QFileInfo(partial).isFile())
        qFatal("Nothing was made for the clip %s", qPrintable(name));
    // rename(2) puts the whole clip in place at once, over one another test made meanwhile (the
    // same clip). QFile::rename would not: where the name is taken, it copies over the file that
    // is there, and a test reading it then sees half a clip.
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(partial);
        if (!QFileInfo(path).isFile())
            qFatal("Cannot keep the clip %s", qPrintable(path));
    }
    return path;
}

void runFfmpeg(const QStringList &arguments, const QString &output, const QString &what)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG),
                 QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")}
                     << arguments);
    if (!ffmpeg.waitForFinished(300000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
        QFile::remove(output);
        qFatal("ffmpeg could not make %s: %s\nffmpeg %s", qPrintable(what), ffmpeg.readAll().constData(),
               qPrintable(arguments.join(QLatin1Char(' '))));
    }
}

QString ffmpegClip(const QString &name, const QStringList &arguments)
{
    return cachedClip(name, [&](const QString &partial) { runFfmpeg(QStringList(arguments) << partial, partial, name); });
}

} // namespace velmora::test
