#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace velmora::test {

TestFolder::TestFolder()
{
    if (!m_dir.isValid())
        qFatal("Cannot make a temporary folder");
}

QString TestFolder::file(const QString &relative) const
{
    return m_dir.filePath(relative);
}

QString TestFolder::write(const QString &relative, const QByteArray &bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("Cannot write %s", qPrintable(path));
    return path;
}

QByteArray TestFolder::read(const QString &relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

QString TestFolder::mkdir(const QString &relative) const
{
    const QString path = file(relative);
    QDir().mkpath(path);
    return path;
}

} // namespace velmora::test
