#pragma once

#include <QString>

namespace velmora::test {

// How many threads of this process carry the name, as `top -H` shows them.
int threadsNamed(const QString &name);

} // namespace velmora::test
