#pragma once

#include <QLatin1String>

// Sections and keys of Preferences.ini, and their defaults.
namespace velmora::prefs {

inline constexpr QLatin1String PreferencesFileName{"Preferences.ini"};

namespace section {
inline constexpr QLatin1String Main{"Main"};
inline constexpr QLatin1String Default{"Default"};
} // namespace section

namespace key {
inline constexpr QLatin1String Version{"Version"};
inline constexpr QLatin1String Profile{"Profile"};
inline constexpr QLatin1String OutputFile{"Output File"};
inline constexpr QLatin1String TempDir{"Temp Dir"};
inline constexpr QLatin1String AutoOpenDir{"Auto Open Dir"};
inline constexpr QLatin1String AutoExit{"Auto Exit"};
inline constexpr QLatin1String AutoTurnOff{"Auto Turn Off"};
inline constexpr QLatin1String Ask{"Ask"};
inline constexpr QLatin1String Overwrite{"Overwrite"};
inline constexpr QLatin1String Rename{"Rename"};
} // namespace key

inline constexpr QLatin1String DefaultVersion{"1.5"};
inline constexpr int DefaultProfile = 0;

} // namespace velmora::prefs
