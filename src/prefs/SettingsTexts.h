#pragma once

#include <QLatin1String>

// Texts of the general settings dialog.
namespace velmora::prefs::texts {

inline constexpr QLatin1String LoadDefaultTitle{"Load Default"};
inline constexpr QLatin1String LoadDefaultQuestion{"Are you sure to load the default preferences?"};
inline constexpr QLatin1String SelectOutputDirectory{"Select the output directory."};

} // namespace velmora::prefs::texts
