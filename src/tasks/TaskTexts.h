#pragma once

#include <QLatin1String>
#include <QtGlobal>

// Texts of the task list.
namespace velmora::tasks::texts {

inline constexpr QLatin1String AlreadyListedTitle{QT_TRANSLATE_NOOP("Velmora", "Already Listed")};
inline constexpr QLatin1String AlreadyListedText{QT_TRANSLATE_NOOP("Velmora",
    "This file has been added to the Task List already. Are you sure to add it again?")};
inline constexpr QLatin1String StatusOK{QT_TRANSLATE_NOOP("Velmora", "OK")};
inline constexpr QLatin1String AddFolderTitle{QT_TRANSLATE_NOOP("Velmora", "Add a directory to the Task List")};

// A trimmed row's Length: the span kept, of the clip's whole length.
inline constexpr QLatin1String TrimmedToolTip{QT_TRANSLATE_NOOP("Velmora", "Trimmed: %1 to %2 of %3")};
inline constexpr QLatin1String MenuSaveList{QT_TRANSLATE_NOOP("Velmora", "Save List...")};
inline constexpr QLatin1String ListFileFilter{QT_TRANSLATE_NOOP("Velmora", "Task List (*.tmp)|*.tmp")};
inline constexpr QLatin1String SaveListFailedText{QT_TRANSLATE_NOOP("Velmora", "Cannot save the task list to \"%1\". %2")};

inline constexpr QLatin1String MenuOpen{QT_TRANSLATE_NOOP("Velmora", "Open")};
inline constexpr QLatin1String MenuPreview{QT_TRANSLATE_NOOP("Velmora", "Preview")};
inline constexpr QLatin1String MenuAddFiles{QT_TRANSLATE_NOOP("Velmora", "Add Files...")};
inline constexpr QLatin1String MenuAddFolder{QT_TRANSLATE_NOOP("Velmora", "Add Directorys...")};
inline constexpr QLatin1String MenuRemove{QT_TRANSLATE_NOOP("Velmora", "Remove")};
inline constexpr QLatin1String MenuClear{QT_TRANSLATE_NOOP("Velmora", "Clear")};
inline constexpr QLatin1String MenuSort{QT_TRANSLATE_NOOP("Velmora", "Sort")};
inline constexpr QLatin1String MenuSortByName{QT_TRANSLATE_NOOP("Velmora", "By File Name")};
inline constexpr QLatin1String MenuSortByTime{QT_TRANSLATE_NOOP("Velmora", "By Recording Time")};
inline constexpr QLatin1String MenuSortReverse{QT_TRANSLATE_NOOP("Velmora", "Reverse Order")};
// The line that shows where dragged rows will go, for screen readers.
inline constexpr QLatin1String DropLineName{QT_TRANSLATE_NOOP("Velmora", "Drop position")};

} // namespace velmora::tasks::texts
