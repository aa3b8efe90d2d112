#include "tasks/InputPaths.h"

#include "platform/Error.h"
#include "platform/Paths.h"
#include "tasks/InputTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <QCoreApplication>

namespace velmora::tasks {

QStringList FolderInputFiles(const QString &folder)
{
    QStringList patterns = InputMask().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList names = QDir(folder).entryList(patterns, QDir::Files, QDir::Unsorted);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QStringList ReadListFile(const QString &listFile)
{
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly))
        throw velmora::Error(QCoreApplication::translate("Velmora", "Cannot open file \"%1\". %2").arg(listFile, file.errorString()));
    QStringList paths;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        paths << QString::fromUtf8(line);
    }
    if (!paths.isEmpty() && paths.constLast().isEmpty())
        paths.removeLast(); // the break after the last line starts no line of its own
    return paths;
}

QStringList CommandLinePaths(const QStringList &arguments)
{
    if (arguments.isEmpty() || platform::ExtractFileExt(arguments.constFirst()).toLower() != QLatin1String(".tmp"))
        return arguments;
    return ReadListFile(arguments.constFirst());
}

NamedInput ClassifyInput(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return {NamedInput::Kind::Missing, path};
    if (info.isDir())
        return {NamedInput::Kind::Folder, info.absoluteFilePath()};
    if (info.isFile() && IsSupportedExtension(path))
        return {NamedInput::Kind::File, info.absoluteFilePath()};
    return {NamedInput::Kind::Unsupported, info.absoluteFilePath()};
}

InputFiles ExpandInputs(const QStringList &paths)
{
    InputFiles inputs;
    for (const QString &path : paths) {
        const NamedInput named = ClassifyInput(path);
        switch (named.kind) {
        case NamedInput::Kind::File: inputs.files << named.path; break;
        case NamedInput::Kind::Folder: {
            const QString prefix = platform::IncludeBackslash(named.path);
            for (const QString &name : FolderInputFiles(named.path))
                inputs.files << prefix + name;
            break;
        }
        case NamedInput::Kind::Unsupported: inputs.unsupported << named.path; break;
        case NamedInput::Kind::Missing: inputs.missing << path; break;
        }
    }
    return inputs;
}

} // namespace velmora::tasks
