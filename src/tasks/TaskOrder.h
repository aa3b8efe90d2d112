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

// The selected rows, in their order, dropped before the row at target (0 to the row count;
// the row count drops them at the end); the other rows keep theirs. The selection moves with
// the rows. Nothing moves when no row is selected or the target is out of range.
Reorder MoveTo(const std::vector<bool> &selected, int target);

// The rows in the order given (order[i] is the row that goes to i, each row once); the
// selection moves with the rows.
Reorder Arranged(const std::vector<int> &order, const std::vector<bool> &selected);

} // namespace velmora::tasks
