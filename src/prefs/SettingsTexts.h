#pragma once

#include <QLatin1String>
#include <QtGlobal>

// Texts of the general settings dialog.
namespace velmora::prefs::texts {

inline constexpr QLatin1String LoadDefaultTitle{QT_TRANSLATE_NOOP("Velmora", "Load Default")};
inline constexpr QLatin1String LoadDefaultQuestion{QT_TRANSLATE_NOOP("Velmora", "Are you sure to load the default preferences?")};
inline constexpr QLatin1String SelectOutputDirectory{QT_TRANSLATE_NOOP("Velmora", "Select the output directory.")};

} // namespace velmora::prefs::texts
