#pragma once

#include <QLatin1String>

// Texts of the join job.
namespace velmora::job::texts {

inline constexpr QLatin1String ReinstallText{"Error. Please re-install Velmora"};

} // namespace velmora::job::texts
