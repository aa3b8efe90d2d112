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

Reorder MoveTo(const std::vector<bool> &selected, int target)
{
    const int rows = static_cast<int>(selected.size());
    if (target < 0 || target > rows)
        return identity(selected);
    std::vector<int> order;
    order.reserve(selected.size());
    // The rows above the target that stay, the moved ones, then the rest that stay.
    for (int row = 0; row < target; ++row) {
        if (!selected[static_cast<size_t>(row)])
            order.push_back(row);
    }
    for (int row = 0; row < rows; ++row) {
        if (selected[static_cast<size_t>(row)])
            order.push_back(row);
    }
    for (int row = target; row < rows; ++row) {
        if (!selected[static_cast<size_t>(row)])
            order.push_back(row);
    }
    return Arranged(order, selected);
}

Reorder Arranged(const std::vector<int> &order, const std::vector<bool> &selected)
{
    Reorder r;
    r.order = order;
    r.selected.resize(order.size(), false);
    for (size_t row = 0; row < order.size(); ++row)
        r.selected[row] = static_cast<size_t>(order[row]) < selected.size() && selected[static_cast<size_t>(order[row])];
    return r;
}

} // namespace velmora::tasks
