#include "platform/Paths.h"

#include <QDir>

namespace velmora::platform {

namespace {
qsizetype lastSeparator(const QString &path)
{
    const qsizetype native = path.lastIndexOf(QDir::separator());
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return std::max(native, slash);
}
} // namespace

QString IncludeBackslash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QDir::separator()))
        return folder;
    return folder + QDir::separator();
}

QString StripExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString ExtractFilePath(const QString &path)
{
    return path.left(lastSeparator(path) + 1);
}

QString ExtractFileName(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString ExtractFileExt(const QString &path)
{
    const QString name = ExtractFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace velmora::platform
