#include "job/OutputNames.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace velmora::job {

bool Occupied(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString RenameTarget(const QString &output, const QString &extension)
{
    const QString stem = platform::ExtractFilePath(output) + platform::StripExtension(platform::ExtractFileName(output));
    for (int index = 1;; ++index) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(index) + extension;
        if (!Occupied(candidate))
            return candidate;
    }
}

QString JoiningName(const QString &output)
{
    const QString stem = platform::ExtractFilePath(output) + platform::StripExtension(platform::ExtractFileName(output));
    const QString extension = platform::ExtractFileExt(output);
    for (;;) {
        const QString candidate = QStringLiteral("%1.joining-%2%3")
                                      .arg(stem)
                                      .arg(QRandomGenerator::global()->generate() % 0x1000000, 6, 16, QLatin1Char('0'))
                                      .arg(extension);
        if (!Occupied(candidate))
            return candidate;
    }
}

QString OutputFolder(const QString &output)
{
    QString folder = platform::ExtractFilePath(output);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString OpenTargetFor(const QString &output)
{
    if (QFileInfo(output).isFile())
        return output;
    const QString folder = platform::ExtractFilePath(output);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace velmora::job
