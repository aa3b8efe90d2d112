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

} // namespace velmora::tasks
