#include "tasks/RowDrag.h"

#include "tasks/TaskTexts.h"
#include "platform/Translation.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeWidget>

namespace velmora::tasks {

RowDrag::RowDrag(QTreeWidget *control, Drop drop)
    : QObject(control)
    , m_control(control)
    , m_drop(std::move(drop))
    , m_line(new QFrame(control->viewport()))
{
    m_line->setObjectName(QStringLiteral("ltvTaskDropLine"));
    m_line->setAccessibleName(platform::translated(texts::DropLineName));
    m_line->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_line->setAutoFillBackground(true);
    m_line->setBackgroundRole(QPalette::Highlight);
    m_line->hide();
    control->viewport()->installEventFilter(this);
    control->installEventFilter(this);
}

int RowDrag::targetAt(const QPoint &position) const
{
    const int rows = m_control->topLevelItemCount();
    const QModelIndex index = m_control->indexAt(QPoint(0, position.y()));
    if (!index.isValid())
        return position.y() < 0 || (rows > 0 && position.y() < m_control->visualRect(m_control->model()->index(0, 0)).top()) ? 0 : rows;
    const QRect row = m_control->visualRect(index);
    return index.row() + (position.y() >= row.center().y() ? 1 : 0);
}

bool RowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control) {
        if (m_dragging && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            end();
            return true;
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || (mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
            return false;
        return pressed(mouse->position().toPoint());
    }
    case QEvent::MouseMove:
        if (m_pressedRow < 0)
            return false;
        moved(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        if (m_pressedRow < 0 || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        released(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    default:
        return false;
    }
}

bool RowDrag::pressed(const QPoint &position)
{
    QTreeWidgetItem *item = m_control->itemAt(position);
    if (!item || item->parent())
        return false;
    m_control->setFocus(Qt::MouseFocusReason);
    if (item->isSelected())
        m_control->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    else
        m_control->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pressedAt = position;
    m_pressedRow = m_control->indexOfTopLevelItem(item);
    return true;
}

void RowDrag::moved(const QPoint &position)
{
    if (!m_dragging) {
        if ((position - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragging = true;
        m_control->viewport()->setCursor(Qt::ClosedHandCursor);
    }
    // Near the top or bottom edge the list scrolls, a row a move.
    const int edge = m_control->viewport()->height();
    QScrollBar *scroll = m_control->verticalScrollBar();
    if (position.y() < 8)
        scroll->setValue(scroll->value() - scroll->singleStep());
    else if (position.y() > edge - 8)
        scroll->setValue(scroll->value() + scroll->singleStep());

    const int target = targetAt(position);
    const int rows = m_control->topLevelItemCount();
    int y = 0;
    if (target < rows)
        y = m_control->visualItemRect(m_control->topLevelItem(target)).top();
    else if (rows > 0)
        y = m_control->visualItemRect(m_control->topLevelItem(rows - 1)).bottom() + 1;
    m_line->setGeometry(0, std::max(0, y - 1), m_control->viewport()->width(), 2);
    m_line->show();
    m_line->raise();
}

void RowDrag::released(const QPoint &position)
{
    const bool dragged = m_dragging;
    const int pressedRow = m_pressedRow;
    end();
    if (dragged) {
        m_drop(targetAt(position));
        return;
    }
    // A click on a row of the selection selects that row alone, as a click does.
    if (QTreeWidgetItem *item = m_control->topLevelItem(pressedRow))
        m_control->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void RowDrag::end()
{
    m_dragging = false;
    m_pressedRow = -1;
    m_line->hide();
    m_control->viewport()->unsetCursor();
}

} // namespace velmora::tasks
