#pragma once

#include <QLatin1String>

// Texts of the task list.
namespace velmora::tasks::texts {

inline constexpr QLatin1String AlreadyListedTitle{"Already Listed"};
inline constexpr QLatin1String AlreadyListedText{
    "This file has been added to the Task List already. Are you sure to add it again?"};
inline constexpr QLatin1String StatusOK{"OK"};
inline constexpr QLatin1String AddFolderTitle{"Add a directory to the Task List"};

// A trimmed row's Length: the span kept, of the clip's whole length.
inline constexpr QLatin1String TrimmedToolTip{"Trimmed: %1 to %2 of %3"};
inline constexpr QLatin1String MenuSaveList{"Save List..."};
inline constexpr QLatin1String ListFileFilter{"Task List (*.tmp)|*.tmp"};
inline constexpr QLatin1String SaveListFailedText{"Cannot save the task list to \"%1\". %2"};

inline constexpr QLatin1String MenuOpen{"Open"};
inline constexpr QLatin1String MenuPreview{"Preview"};
inline constexpr QLatin1String MenuAddFiles{"Add Files..."};
inline constexpr QLatin1String MenuAddFolder{"Add Directorys..."};
inline constexpr QLatin1String MenuRemove{"Remove"};
inline constexpr QLatin1String MenuClear{"Clear"};
inline constexpr QLatin1String MenuSort{"Sort"};
inline constexpr QLatin1String MenuSortByName{"By File Name"};
inline constexpr QLatin1String MenuSortByTime{"By Recording Time"};
inline constexpr QLatin1String MenuSortReverse{"Reverse Order"};
// The line that shows where dragged rows will go, for screen readers.
inline constexpr QLatin1String DropLineName{"Drop position"};

} // namespace velmora::tasks::texts
