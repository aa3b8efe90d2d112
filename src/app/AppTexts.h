#pragma once

#include <QLatin1String>

// Texts of the program body and the main window.
namespace velmora::app::texts {

inline constexpr QLatin1String ProductName{"Velmora"};
inline constexpr QLatin1String MakerName{"The Velmora Team"};
inline constexpr QLatin1String MakerWebsite{"https://velmora.example.org"};
inline constexpr QLatin1String SaveDefaultExt{"avi"};

} // namespace velmora::app::texts
