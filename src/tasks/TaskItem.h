#pragma once

#include <QString>

#include <functional>

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

// A row's texts by column: 0 is the caption, 1 to 10 the sub-items.
using RowText = std::function<QString(int column)>;
using SetRowText = std::function<void(int column, const QString &text)>;

// Field -2: caption, the ten sub-items, then the six numbers; -1: caption; 0: sub-item 0
// and its number; 1 to 4: that sub-item; 5 to 9: that sub-item and its number. Fields
// the selector does not name keep their values; other selectors read nothing.
void ReadTaskFields(const RowText &text, int field, ltvItemData &data);
// Field -2: caption and the ten sub-items; -1: caption; 0 to 9: that sub-item. The
// numbers are never written; other selectors write nothing.
void WriteTaskFields(const SetRowText &setText, int field, const ltvItemData &data);

// The row a file adds: measured (MediaProbe), status "OK". A file that cannot be measured
// raises the probe's error.
ltvItemData MeasuredTask(const QString &path);

} // namespace velmora::tasks
