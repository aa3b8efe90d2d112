#pragma once

#include "tasks/TaskItem.h"

namespace velmora::tasks {

// What the job sees of the task list: its rows, read and written through the record.
class TaskListView
{
public:
    virtual ~TaskListView() = default;
    virtual int count() const = 0;
    virtual void GetTaskItem(int index, int field, ltvItemData &data) const = 0;
    virtual void SetTaskItem(int index, int field, const ltvItemData &data) = 0;
};

} // namespace velmora::tasks
