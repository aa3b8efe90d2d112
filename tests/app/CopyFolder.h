#pragma once

// What the tests of joins without re-encoding share: a program folder with one profile, and
// ffmpeg's and ffprobe's view of what a file holds.
#include "app/JobRun.h"
#include "prefs/IniFile.h"
#include "support/MediaCheck.h"

#include <QFileInfo>
#include <QProcess>

namespace velmora::test {

inline const QString CopyProfile = QStringLiteral("Same as the Inputs - No Re-encoding (fastest).bpf");
inline const QString Mp4CopyProfile = QStringLiteral("MP4 - Same as the Inputs.bpf");
inline const QString WebmCopyProfile = QStringLiteral("WebM - Same as the Inputs.bpf");

inline QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        qWarning("%s %s: %s", qPrintable(program), qPrintable(arguments.join(' ')), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// One column of ffmpeg's framemd5 lines: the hash of each decoded frame, or, with copy, of
// each packet as stored.
inline QStringList md5s(const QString &file, const QString &stream, bool packets = false)
{
    return frameHashes(file, stream, packets);
}

struct Chapter
{
    QString title;
    double start = 0;
    double end = 0;
};

inline QList<Chapter> chapters(const QString &file)
{
    QList<Chapter> found;
    const QByteArray text = run(VELMORA_FFPROBE, {"-v", "error", "-show_entries", "chapter=start_time,end_time:chapter_tags=title",
                                                  "-of", "csv=p=0", file});
    for (const QByteArray &line : text.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QList<QByteArray> fields = line.split(',');
        found << Chapter{QString::fromUtf8(fields.mid(2).join(',')).trimmed(), fields.value(0).toDouble(), fields.value(1).toDouble()};
    }
    return found;
}

// A program folder with one profile and these clips, under names of their own.
struct CopyFolder : JobFolder
{
    CopyFolder(const QString &profile, const QStringList &clips, const QStringList &names)
        : JobFolder(0)
    {
        QFile::remove(folder.file("Profiles/Small Files for the Web.bpf"));
        QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/") + profile, folder.file("Profiles/" + profile));
        const QString type = prefs::IniFile(folder.file("Profiles/" + profile)).readString("Main", "Type", "avi");
        folder.write("Preferences.ini", ("[Main]\r\nTemp Dir=" + tempDir + "/\r\nOutput File=" + outputDir + "/joined." + type + "\r\n").toUtf8());
        folder.mkdir("in");
        for (qsizetype i = 0; i < clips.size(); ++i) {
            inputs << folder.file("in/" + names.at(i));
            QFile::copy(clips.at(i), inputs.constLast());
        }
        output = outputDir + "/joined." + type;
    }
    QString output;
};

} // namespace velmora::test
