#pragma once

#include <QString>
#include <QStringList>

namespace velmora::app {

// Exit statuses of the program run from a terminal.
namespace exitstatus {
inline constexpr int Success = 0; // joined; also the help, the version and the profile list
inline constexpr int Failed = 1;
inline constexpr int Usage = 2;
inline constexpr int Refused = 3;
inline constexpr int Stopped = 130;
} // namespace exitstatus

// Does what a terminal command line asks (IsTerminalCommand): a join without a window, the
// profile list, the help or the version. appDir: the program folder. The preferences are
// read, never written. Needs an application object, and no display.
int RunTerminal(const QStringList &arguments, const QString &appDir);

} // namespace velmora::app
