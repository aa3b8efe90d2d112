#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QFrame;
class QTreeWidget;

namespace velmora::tasks {

// Moves a list control's selected rows with the mouse. Pressing on a row without Shift or Ctrl
// selects it (a selected row keeps the selection until the button is let go without a drag);
// moving farther than the drag distance shows a line where the rows would go, and letting go
// there hands that place (0 to the row count) to drop. Escape ends a drag without a move.
// The mouse is read directly, not through a drag object, so that nothing waits in an event
// loop of its own and the rows stay the list's own items.
class RowDrag final : public QObject
{
    Q_OBJECT

public:
    using Drop = std::function<void(int target)>;
    RowDrag(QTreeWidget *control, Drop drop);

    bool dragging() const { return m_dragging; }
    // Where rows let go at this point of the list's viewport would go.
    int targetAt(const QPoint &position) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool pressed(const QPoint &position);
    void moved(const QPoint &position);
    void released(const QPoint &position);
    void end();

    QTreeWidget *m_control;
    Drop m_drop;
    QFrame *m_line;
    QPoint m_pressedAt;
    int m_pressedRow = -1;
    bool m_dragging = false;
};

} // namespace velmora::tasks
