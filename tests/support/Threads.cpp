#include "support/Threads.h"

#include <QDir>
#include <QFile>

namespace velmora::test {

int threadsNamed(const QString &name)
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && QString::fromUtf8(comm.readAll()).trimmed() == name)
            ++count;
    }
    return count;
}

} // namespace velmora::test
