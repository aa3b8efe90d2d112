#include "tasks/ColumnSizer.h"

#include "tasks/TimeText.h"

#include <algorithm>

namespace velmora::tasks {

namespace {

constexpr int Shares[ColumnSizer::Columns] = {49, 17, 15, 19};

// numerator / 100, halves to even. The quotient of two whole numbers lands exactly on a half
// only when it is one, so the division in doubles decides the same way as whole numbers would.
int shareOf(int numerator)
{
    return static_cast<int>(RoundHalfEven(numerator / 100.0));
}

} // namespace

ColumnSizer::ColumnSizer(const Widths &widths, int tag)
    : m_widths(widths)
    , m_tag(tag)
{
}

const ColumnSizer::Widths &ColumnSizer::resize(int newWidth)
{
    const int d = newWidth - m_tag;
    m_tag = newWidth;
    if (m_first) {
        m_first = false;
        return m_widths;
    }
    if (d == 0)
        return m_widths;
    for (int column = 0; column < Columns; ++column)
        m_widths[column] += shareOf(Shares[column] * d);
    return m_widths;
}

void ColumnSizer::columnDragged(int column, int shownWidth)
{
    if (column >= 0 && column < Columns && shownWidth != shown()[column])
        m_widths[column] = shownWidth;
}

ColumnSizer::Widths ColumnSizer::shown() const
{
    Widths result;
    for (int column = 0; column < Columns; ++column)
        result[column] = std::max(m_widths[column], MinimumShown);
    return result;
}

} // namespace velmora::tasks
