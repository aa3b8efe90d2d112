#pragma once

#include <array>

namespace velmora::tasks {

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
