#pragma once

#include <functional>

class QMenu;
class QWidget;

namespace velmora::app {

// What the task list's context menu does; each entry runs one of the window's handlers.
struct TaskMenuHandlers
{
    std::function<void()> open, preview, addFiles, addFolder, saveList, remove, clear;
};

// The context menu "ppmTask": Open, Preview; Add Files, Add Folder, Save List; Remove, Clear.
QMenu *makeTaskMenu(QWidget *parent, const TaskMenuHandlers &handlers);

// Before the menu opens: Open, Preview and Remove need a selected row, Save List and Clear a
// row at all.
void enableTaskMenu(QMenu *menu, int selectedRows, int rows);

} // namespace velmora::app
