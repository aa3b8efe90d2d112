#pragma once

#include <QString>

namespace velmora::tasks {

// The record of one task-list row. The row itself holds only texts: the caption and ten
// sub-items. The numbers are worked out from their texts each time a row is read.
struct ltvItemData
{
    QString InputFile; // caption: the input file's full path
    QString Length;    // sub-item 0: play time as a time text
    QString Size;      // sub-item 1: "<width>x<height>"
    QString Status;    // sub-item 2
    QString BaseName;  // sub-item 3: the file name without folder and extension
    QString Extra4;
    QString Extra5;
    QString Extra6;
    QString Extra7;
    QString Extra8;
    QString Extra9;
    double LengthSeconds = 0;
    double Extra5Seconds = 0;
    double Extra6Seconds = 0;
    double Extra7Seconds = 0;
    double Extra8Seconds = 0;
    double Extra9Seconds = 0;

    static constexpr int SubItems = 10;

    // Sub-item 0 to 9.
    QString &subItem(int index);
    const QString &subItem(int index) const;
    // The number that belongs to sub-item 0 or 5 to 9; nullptr for the others.
    double *seconds(int index);
};

// Field selectors of GetTaskItem and SetTaskItem, besides the sub-items 0 to 9.
namespace field {
inline constexpr int All = -2;
inline constexpr int Caption = -1;
inline constexpr int Length = 0;
inline constexpr int Size = 1;
inline constexpr int Status = 2;
inline constexpr int BaseName = 3;
} // namespace field

} // namespace velmora::tasks
