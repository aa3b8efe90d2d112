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

// What a read of [Main] gives for a key the file lacks, in the order of the keys. Temp Dir
// has none here: its default is the program folder's (ProgramFolder::defaultTempDir()).
inline constexpr QLatin1String DefaultVersion{"1.5"};
inline constexpr int DefaultProfile = 0;
inline constexpr QLatin1String DefaultOutputFile{};
inline constexpr bool DefaultAutoOpenDir = true;
inline constexpr bool DefaultAutoExit = false;
inline constexpr bool DefaultAutoTurnOff = false;
inline constexpr bool DefaultAsk = true;
inline constexpr bool DefaultOverwrite = false;
inline constexpr bool DefaultRename = false;

// [Default] holds the factory values of the [Main] keys but Version, Profile and Temp Dir,
// read with the same fallbacks but one: the factory values leave "open the folder" off.
inline constexpr bool FactoryAutoOpenDir = false;

} // namespace velmora::prefs
