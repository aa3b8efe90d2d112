#pragma once

#include "tasks/TaskListView.h"

#include <QStringList>

#include <vector>

namespace velmora::tasks {

// The task list without a list control, for a job run from a terminal: rows of texts, read
// and written as the window's list reads and writes its rows.
class TaskRows final : public TaskListView
{
public:
    // Adds one measured file (MeasuredTask); a file listed already is added again, as asked.
    // A file that cannot be measured adds no row and raises the probe's error.
    void AddTaskFile(const QString &path);

    int count() const override;
    void GetTaskItem(int index, int field, ltvItemData &data) const override;
    void SetTaskItem(int index, int field, const ltvItemData &data) override;

private:
    std::vector<QStringList> m_rows; // caption and the ten sub-items
};

} // namespace velmora::tasks
