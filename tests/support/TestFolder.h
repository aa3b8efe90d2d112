#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace velmora::test {

// A temporary folder with helpers to make and read real files in it.
class TestFolder
{
public:
    TestFolder();

    QString path() const { return m_dir.path(); }
    // The full path of a file or folder inside; "/" separated parts.
    QString file(const QString &relative) const;

    QString write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    QString mkdir(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

} // namespace velmora::test
