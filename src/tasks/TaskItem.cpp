#include "tasks/TaskItem.h"

#include <array>

namespace velmora::tasks {

QString &ltvItemData::subItem(int index)
{
    const std::array<QString *, SubItems> fields = {&Length, &Size,   &Status, &BaseName, &Extra4,
                                                    &Extra5, &Extra6, &Extra7, &Extra8,   &Extra9};
    return *fields.at(static_cast<size_t>(index));
}

const QString &ltvItemData::subItem(int index) const
{
    return const_cast<ltvItemData *>(this)->subItem(index);
}

double *ltvItemData::seconds(int index)
{
    switch (index) {
    case 0: return &LengthSeconds;
    case 5: return &Extra5Seconds;
    case 6: return &Extra6Seconds;
    case 7: return &Extra7Seconds;
    case 8: return &Extra8Seconds;
    case 9: return &Extra9Seconds;
    default: return nullptr;
    }
}

} // namespace velmora::tasks
