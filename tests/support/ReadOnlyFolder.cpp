#include "support/ReadOnlyFolder.h"

#include <QFile>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::test {

bool makeReadOnly(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::geteuid() != 0)
        return ::chmod(path.constData(), 0555) == 0;
    return ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0
           && ::mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void undoReadOnly(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::geteuid() == 0)
        ::umount2(path.constData(), MNT_DETACH);
    else
        ::chmod(path.constData(), 0755);
}

} // namespace velmora::test
