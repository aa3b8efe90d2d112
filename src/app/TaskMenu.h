#pragma once

#include "tasks/TaskSort.h"

#include <functional>

class QMenu;
class QString;
class QWidget;

namespace velmora::app {

// What the task list's context menu does; each entry runs one of the window's handlers.
struct TaskMenuHandlers
{
    std::function<void()> open, preview, addFiles, addFolder, saveList, remove, clear;
    std::function<void(tasks::SortKey)> sort;
};

// The Sort menu: By File Name, By Recording Time, Reverse Order. The menu is named
// prefix + "Sort" and its actions prefix + "SortByName", "SortByTime", "SortReverse".
QMenu *makeSortMenu(QWidget *parent, const QString &prefix, const std::function<void(tasks::SortKey)> &sort);

// The context menu "ppmTask": Open, Preview; Add Files, Add Folder, Save List; Sort (a menu
// of its own, "ppmSort"); Remove, Clear.
QMenu *makeTaskMenu(QWidget *parent, const TaskMenuHandlers &handlers);

// Before the menu opens: Open, Preview and Remove need a selected row, Save List, Sort and
// Clear a row at all.
void enableTaskMenu(QMenu *menu, int selectedRows, int rows);

} // namespace velmora::app
