#pragma once

#include <QString>
#include <QStringList>

namespace velmora::tasks {

// The names of the supported files directly inside a folder: plain, visible files matching
// the input mask without regard to case, sorted without regard to case.
QStringList FolderInputFiles(const QString &folder);

// The paths a list file holds, one a line, as UTF-8; a line may end in "\r\n". A file that
// cannot be read raises velmora::Error "Cannot open file "<path>". <the system's reason>".
QStringList ReadListFile(const QString &listFile);

// The paths the command line names: the arguments, or, when the first argument's extension is
// ".tmp", the lines of that list file (ReadListFile).
QStringList CommandLinePaths(const QStringList &arguments);

// What one named path is to the task list. The path is made full, relative to the working
// folder, since a row holds the full path.
struct NamedInput
{
    enum class Kind { File, Folder, Unsupported, Missing };
    Kind kind = Kind::Missing;
    QString path;
};
NamedInput ClassifyInput(const QString &path);

// Named paths as the files they add, in order: a file of a supported type as itself, a folder
// as FolderInputFiles gives it. What adds nothing is listed apart.
struct InputFiles
{
    QStringList files;
    QStringList unsupported;
    QStringList missing;
};
InputFiles ExpandInputs(const QStringList &paths);

} // namespace velmora::tasks
