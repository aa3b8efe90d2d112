#pragma once

#include <array>
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

// Column widths that follow the list's width: every change of width is shared out as
// 49, 17, 15 and 19 hundredths, each share rounded halves to even. The first resize only
// records the width the list has after start-up.
class ColumnSizer
{
public:
    static constexpr int Columns = 4;
    static constexpr int MinimumShown = 20;
    using Widths = std::array<int, Columns>;

    explicit ColumnSizer(const Widths &widths, int tag = 562);

    // The widths after the list became newWidth wide. The rule's own widths can fall below
    // zero; shown() gives what the list shows.
    const Widths &resize(int newWidth);
    // The user dragged a column: the rule goes on from the width shown.
    void columnDragged(int column, int shownWidth);

    const Widths &widths() const { return m_widths; }
    Widths shown() const;
    int tag() const { return m_tag; }

private:
    Widths m_widths;
    int m_tag;
    bool m_first = true;
};

} // namespace velmora::tasks
