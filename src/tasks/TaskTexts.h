#pragma once

#include <QLatin1String>

// Texts of the task list.
namespace velmora::tasks::texts {

inline constexpr QLatin1String AlreadyListedTitle{"Already Listed"};
inline constexpr QLatin1String AlreadyListedText{
    "This file has been added to the Task List already. Are you sure to add it again?"};
inline constexpr QLatin1String StatusOK{"OK"};
inline constexpr QLatin1String AddFolderTitle{"Add a directory to the Task List"};

inline constexpr QLatin1String MenuOpen{"Open"};
inline constexpr QLatin1String MenuPreview{"Preview"};
inline constexpr QLatin1String MenuAddFiles{"Add Files..."};
inline constexpr QLatin1String MenuAddFolder{"Add Directorys..."};
inline constexpr QLatin1String MenuRemove{"Remove"};
inline constexpr QLatin1String MenuClear{"Clear"};

} // namespace velmora::tasks::texts
