#pragma once

#include <QString>

namespace velmora::test {

// A program folder that this process cannot write, as an installation under /usr is: for root
// a read-only file system, for anyone else a folder without write permission. Returns false
// when neither can be had.
bool makeReadOnly(const QString &folder);
// Makes the folder writable again.
void undoReadOnly(const QString &folder);

} // namespace velmora::test
