#include "tasks/TaskList.h"

#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/Seams.h"
#include "tasks/InputPaths.h"
#include "tasks/InputTypes.h"
#include "tasks/MediaProbe.h"
#include "tasks/RowDrag.h"
#include "tasks/TaskTexts.h"
#include "tasks/TaskThumbnails.h"
#include "platform/Translation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelection>
#include <QTreeWidget>
#include <QIcon>
#include <QPixmap>
#include <QPainter>
#include <QUrl>

#include <algorithm>

namespace velmora::tasks {

namespace {
constexpr int Columns = 1 + ltvItemData::SubItems;
} // namespace

TaskList::TaskList(QTreeWidget *control, QWidget *owner)
    : m_control(control)
    , m_owner(owner)
{
    m_control->setColumnCount(Columns);
    for (int column = VisibleColumns; column < Columns; ++column)
        m_control->setColumnHidden(column, true);
    for (int column = 0; column < VisibleColumns; ++column)
        m_control->setColumnWidth(column, ColumnWidths[static_cast<size_t>(column)]);
    // The header is a caption row only: no sorting, no moving.
    m_control->header()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: rgb(243, 243, 243); }"));
    m_control->header()->setSectionsClickable(false);
    m_control->header()->setSectionsMovable(false);
    m_drag = new RowDrag(m_control, [this](int target) { dropSelected(target); });
    showThumbnails(true);
}

TaskList::~TaskList() = default;

void TaskList::showThumbnails(bool on)
{
    if (on && !m_thumbnails)
        m_thumbnails = std::make_unique<TaskThumbnails>(m_control);
    else if (!on)
        m_thumbnails.reset();
}

void TaskList::stopThumbnails()
{
    if (m_thumbnails)
        m_thumbnails->stop();
}

ThumbnailLoader *TaskList::thumbnails() const
{
    return m_thumbnails ? &m_thumbnails->loader() : nullptr;
}

void TaskList::followWidth()
{
    QHeaderView *header = m_control->header();
    for (int column = 0; column < VisibleColumns; ++column)
        m_columnSizer.columnDragged(column, header->sectionSize(column));
    m_columnSizer.resize(m_control->width());
    const ColumnSizer::Widths shown = m_columnSizer.shown();
    for (int column = 0; column < VisibleColumns; ++column)
        m_control->setColumnWidth(column, shown[static_cast<size_t>(column)]);
}

void TaskList::hideWelcomePanel()
{
    if (m_welcome)
        m_welcome->hide();
}

int TaskList::count() const
{
    return m_control->topLevelItemCount();
}

void TaskList::GetTaskItem(int index, int field, ltvItemData &data) const
{
    if (const QTreeWidgetItem *row = m_control->topLevelItem(index))
        ReadTaskFields([row](int column) { return row->text(column); }, field, data);
}

void TaskList::SetTaskItem(int index, int field, const ltvItemData &data)
{
    QTreeWidgetItem *row = m_control->topLevelItem(index);
    if (!row)
        return;
    WriteTaskFields([row](int column, const QString &text) { row->setText(column, text); }, field, data);
    if (field == field::All || field == field::Length || field == TrimStartItem || field == TrimEndItem || field == WholeLengthItem)
        showTrim(row);
}

void TaskList::setTrim(int index, const Trim &trim)
{
    if (index < 0 || index >= count())
        return;
    ltvItemData data;
    GetTaskItem(index, field::All, data);
    ApplyTrim(data, trim);
    SetTaskItem(index, field::All, data);
}

void TaskList::showTrim(QTreeWidgetItem *row)
{
    // A trimmed row is marked by scissors before its name (the Length column is too narrow to
    // hold them beside a kept length), as a badge on its thumbnail where rows show thumbnails;
    // its name and its Length tell the span kept.
    constexpr int LengthColumn = field::Length + 1;
    const bool trimmed = !row->text(WholeLengthItem + 1).isEmpty();
    if (!trimmed && row->toolTip(LengthColumn).isEmpty())
        return;
    ltvItemData data;
    ReadTaskFields([row](int column) { return row->text(column); }, field::All, data);
    const QString tip = TrimToolTip(data);
    row->setToolTip(LengthColumn, tip);
    row->setToolTip(0, tip.isEmpty() ? QString() : data.InputFile + QLatin1Char('\n') + tip);
    row->setIcon(0, trimmed ? scissors() : QIcon());
}

QIcon TaskList::scissors()
{
    static const QIcon icon = [] {
        QPixmap picture(16, 16);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
        painter.drawEllipse(QRectF(1.5, 9.5, 5, 5));
        painter.drawEllipse(QRectF(9.5, 9.5, 5, 5));
        painter.drawLine(QPointF(5.5, 10), QPointF(12.5, 1.5));
        painter.drawLine(QPointF(10.5, 10), QPointF(3.5, 1.5));
        return QIcon(picture);
    }();
    return icon;
}

int TaskList::appendRow(const QString &caption)
{
    QTreeWidgetItem *row = m_thumbnails ? m_thumbnails->newRow() : new QTreeWidgetItem;
    row->setText(0, caption);
    for (int column = 1; column < Columns; ++column)
        row->setText(column, QString());
    if (m_thumbnails)
        m_thumbnails->noteFile(caption);
    m_control->addTopLevelItem(row);
    return count() - 1;
}

void TaskList::AddTaskFile(const QString &path)
{
    hideWelcomePanel();
    for (int index = 0; index < count(); ++index) {
        if (m_control->topLevelItem(index)->text(0) == path) {
            if (!platform::messageBoxes().question(m_owner, platform::translated(texts::AlreadyListedTitle), platform::translated(texts::AlreadyListedText)))
                return;
            break;
        }
    }
    // Measured before the row is made, so that no row stays without what the probe gives it.
    const ltvItemData data = MeasuredTask(path);
    SetTaskItem(appendRow(path), field::All, data);
    qCInfo(tasksLog).noquote() << "Added" << path << data.Length << data.Size;
}

void TaskList::AddTaskFolder(const QString &folder)
{
    const QString prefix = platform::IncludeBackslash(folder);
    m_stopAdding = false;
    for (const QString &name : FolderInputFiles(folder)) {
        // Keep the window painted and usable while a long folder is added; a window that
        // closed meanwhile wants no more.
        QCoreApplication::processEvents();
        if (m_stopAdding)
            break;
        AddTaskFile(prefix + name);
    }
}

void TaskList::AddDropped(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir())
            AddTaskFolder(path);
        else if (IsSupportedExtension(path))
            AddTaskFile(path);
    }
}

void TaskList::AddCommandLine(const QStringList &arguments)
{
    for (const ListEntry &entry : CommandLineEntries(arguments)) {
        const NamedInput named = ClassifyInput(entry.path);
        if (named.kind == NamedInput::Kind::File) {
            const int before = count();
            AddTaskFile(named.path);
            if (!entry.trim.keepsWhole() && count() > before)
                setTrim(count() - 1, entry.trim);
        }
        else if (named.kind == NamedInput::Kind::Folder)
            AddTaskFolder(named.path);
    }
}

std::vector<bool> TaskList::selection() const
{
    // Straight from the selected ranges: asking row by row costs a pass over all ranges each.
    std::vector<bool> selected(static_cast<size_t>(count()), false);
    for (const QItemSelectionRange &range : m_control->selectionModel()->selection()) {
        if (range.parent().isValid())
            continue;
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[static_cast<size_t>(row)] = true;
    }
    return selected;
}

void TaskList::setSelection(const std::vector<bool> &selected)
{
    QItemSelection ranges;
    QAbstractItemModel *model = m_control->model();
    const int rows = static_cast<int>(selected.size());
    for (int row = 0; row < rows;) {
        if (!selected[static_cast<size_t>(row)]) {
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < rows && selected[static_cast<size_t>(last + 1)])
            ++last;
        ranges.select(model->index(row, 0), model->index(last, Columns - 1));
        row = last + 1;
    }
    m_control->selectionModel()->select(ranges, QItemSelectionModel::ClearAndSelect);
}

int TaskList::selectedCount() const
{
    const std::vector<bool> selected = selection();
    return static_cast<int>(std::count(selected.begin(), selected.end(), true));
}

int TaskList::firstSelected() const
{
    const std::vector<bool> selected = selection();
    const auto first = std::find(selected.begin(), selected.end(), true);
    return first == selected.end() ? -1 : static_cast<int>(first - selected.begin());
}

QString TaskList::firstSelectedFile() const
{
    const int first = firstSelected();
    if (first < 0)
        return {};
    ltvItemData data;
    GetTaskItem(first, field::Caption, data);
    return data.InputFile;
}

void TaskList::moveSelected(Reorder (*rule)(const std::vector<bool> &selected))
{
    if (selectedCount() > 0)
        applyReorder(rule(selection()));
}

void TaskList::applyReorder(const Reorder &reorder)
{
    const int rows = count();
    if (static_cast<int>(reorder.order.size()) != rows)
        return;
    bool moves = false;
    for (int row = 0; row < rows && !moves; ++row)
        moves = reorder.order[static_cast<size_t>(row)] != row;
    if (moves) {
        // The rows' own items are taken out and put back in their new order, so that each
        // keeps its texts, icons, tips and thumbnail. The selection goes first, so that no
        // range has to follow the rows out.
        QTreeWidgetItem *current = m_control->currentItem();
        m_control->selectionModel()->clearSelection();
        const QList<QTreeWidgetItem *> items = m_control->invisibleRootItem()->takeChildren();
        QList<QTreeWidgetItem *> arranged;
        arranged.reserve(rows);
        for (const int from : reorder.order)
            arranged << items.at(from);
        m_control->addTopLevelItems(arranged);
        if (current)
            m_control->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    }
    setSelection(reorder.selected);
}

void TaskList::dropSelected(int target)
{
    if (selectedCount() == 0)
        return;
    applyReorder(MoveTo(selection(), target));
    if (QTreeWidgetItem *first = m_control->topLevelItem(firstSelected()))
        m_control->scrollToItem(first);
}

bool TaskList::dragging() const
{
    return m_drag->dragging();
}

QDateTime TaskList::recordingTime(const QString &path)
{
    const QDateTime modified = QFileInfo(path).lastModified();
    const auto known = m_recorded.constFind(path);
    if (known != m_recorded.cend() && known->modified == modified)
        return known->recorded;
    const QDateTime recorded = RecordingTime(path);
    m_recorded.insert(path, {modified, recorded});
    return recorded;
}

void TaskList::sortBy(SortKey key)
{
    QStringList paths;
    for (int row = 0; row < count(); ++row)
        paths << m_control->topLevelItem(row)->text(0);
    std::vector<int> order;
    if (key == SortKey::FileName) {
        order = NaturalOrder(paths);
    } else if (key == SortKey::RecordingTime) {
        std::vector<QDateTime> times;
        times.reserve(static_cast<size_t>(paths.size()));
        for (const QString &path : std::as_const(paths))
            times.push_back(recordingTime(path));
        order = TimeOrder(times);
    } else {
        order = ReversedOrder(count());
    }
    applyReorder(Arranged(order, selection()));
    qCInfo(tasksLog) << "Sorted" << count() << "rows by" << static_cast<int>(key);
}

void TaskList::removeSelected()
{
    // From the last row to the first; a run of selected rows goes in one step.
    const std::vector<bool> selected = selection();
    // The selection goes first, so that no removal has to move every selected range.
    m_control->selectionModel()->clearSelection();
    for (int row = static_cast<int>(selected.size()) - 1; row >= 0;) {
        if (!selected[static_cast<size_t>(row)]) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && selected[static_cast<size_t>(first - 1)])
            --first;
        m_control->model()->removeRows(first, row - first + 1);
        row = first - 1;
    }
}

void TaskList::clear()
{
    m_control->clear();
    m_recorded.clear();
    if (m_thumbnails)
        m_thumbnails->clear();
}

} // namespace velmora::tasks
