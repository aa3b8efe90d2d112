#include "tasks/TaskRows.h"

namespace velmora::tasks {

void TaskRows::AddTaskFile(const QString &path)
{
    const ltvItemData data = MeasuredTask(path);
    m_rows.emplace_back(1 + ltvItemData::SubItems);
    SetTaskItem(count() - 1, field::All, data);
}

int TaskRows::count() const
{
    return static_cast<int>(m_rows.size());
}

void TaskRows::GetTaskItem(int index, int field, ltvItemData &data) const
{
    if (index < 0 || index >= count())
        return;
    const QStringList &row = m_rows[static_cast<size_t>(index)];
    ReadTaskFields([&row](int column) { return row.at(column); }, field, data);
}

void TaskRows::SetTaskItem(int index, int field, const ltvItemData &data)
{
    if (index < 0 || index >= count())
        return;
    QStringList &row = m_rows[static_cast<size_t>(index)];
    WriteTaskFields([&row](int column, const QString &text) { row[column] = text; }, field, data);
}

} // namespace velmora::tasks
