#pragma once

#include <vector>

namespace velmora::tasks {

// The outcome of Move Up or Move Down on a list: order[i] is the index the row now at i had
// before, and selected[i] whether row i is selected afterwards.
struct Reorder
{
    std::vector<int> order;
    std::vector<bool> selected;
};

// Each selected row swaps with the row above it, visiting rows 1 to the last; the
// selection moves with the row. Row 0 is never visited.
Reorder MoveUp(const std::vector<bool> &selected);

// Each selected row swaps with the row below it, visiting rows from the second-last down to
// 0; the selection moves with the row. The last row is never visited.
Reorder MoveDown(const std::vector<bool> &selected);

} // namespace velmora::tasks
