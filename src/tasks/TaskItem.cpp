#include "tasks/TaskItem.h"

#include "platform/Paths.h"
#include "tasks/MediaProbe.h"
#include "tasks/TaskTexts.h"
#include "tasks/TimeText.h"
#include "platform/Translation.h"

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

void ReadTaskFields(const RowText &text, int field, ltvItemData &data)
{
    if (field == field::All) {
        data.InputFile = text(0);
        for (int subItem = 0; subItem < ltvItemData::SubItems; ++subItem)
            data.subItem(subItem) = text(subItem + 1);
        for (const int subItem : {0, 5, 6, 7, 8, 9})
            *data.seconds(subItem) = TimeTextToSeconds(data.subItem(subItem));
    } else if (field == field::Caption) {
        data.InputFile = text(0);
    } else if (field >= 0 && field < ltvItemData::SubItems) {
        data.subItem(field) = text(field + 1);
        if (double *number = data.seconds(field))
            *number = TimeTextToSeconds(data.subItem(field));
    }
}

void WriteTaskFields(const SetRowText &setText, int field, const ltvItemData &data)
{
    if (field == field::All) {
        setText(0, data.InputFile);
        for (int subItem = 0; subItem < ltvItemData::SubItems; ++subItem)
            setText(subItem + 1, data.subItem(subItem));
    } else if (field == field::Caption) {
        setText(0, data.InputFile);
    } else if (field >= 0 && field < ltvItemData::SubItems) {
        setText(field + 1, data.subItem(field));
    }
}

ltvItemData MeasuredTask(const QString &path)
{
    const ProbeResult probe = ProbeMedia(path);
    ltvItemData data;
    data.InputFile = path;
    data.Length = probe.length;
    data.Size = probe.size;
    data.Status = platform::translated(texts::StatusOK);
    data.BaseName = platform::StripExtension(platform::ExtractFileName(path));
    return data;
}

} // namespace velmora::tasks
