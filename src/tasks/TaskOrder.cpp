#include "tasks/TaskOrder.h"

#include <algorithm>
#include <numeric>

namespace velmora::tasks {

namespace {

Reorder identity(const std::vector<bool> &selected)
{
    Reorder result;
    result.order.resize(selected.size());
    std::iota(result.order.begin(), result.order.end(), 0);
    result.selected = selected;
    return result;
}

void swapRows(Reorder &r, size_t from, size_t to)
{
    std::swap(r.order[from], r.order[to]);
    r.selected[to] = true;
    r.selected[from] = false;
}

// numerator / 100, rounded to the nearest whole number, halves to even; exact for integers.
int shareOf(int numerator)
{
    const int quotient = numerator / 100; // truncates toward zero
    const int remainder = numerator % 100;
    int result = quotient;
    const int twice = 2 * std::abs(remainder);
    const int away = remainder > 0 ? 1 : -1;
    if (twice > 100 || (twice == 100 && quotient % 2 != 0))
        result += away;
    return result;
}

constexpr int Shares[ColumnSizer::Columns] = {49, 17, 15, 19};

} // namespace

Reorder MoveUp(const std::vector<bool> &selected)
{
    Reorder r = identity(selected);
    for (size_t i = 1; i < r.selected.size(); ++i) {
        if (r.selected[i])
            swapRows(r, i, i - 1);
    }
    return r;
}

Reorder MoveDown(const std::vector<bool> &selected)
{
    Reorder r = identity(selected);
    for (size_t i = r.selected.size() >= 2 ? r.selected.size() - 1 : 0; i-- > 0;) {
        if (r.selected[i])
            swapRows(r, i, i + 1);
    }
    return r;
}

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
