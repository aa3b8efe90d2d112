#pragma once

#include "tasks/ColumnSizer.h"
#include "tasks/InputPaths.h"
#include "tasks/RowTrim.h"
#include "tasks/TaskItem.h"
#include "tasks/TaskListView.h"
#include "tasks/TaskOrder.h"
#include "tasks/TaskSort.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <vector>

class QIcon;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora::tasks {

class RowDrag;
class TaskThumbnails;
class ThumbnailLoader;

// The task list over its list control: the control is the only store of the tasks, one row
// a task, with the caption and ten sub-items as texts (sub-items 3 to 9 are not shown).
// Adding asks its questions through the message box seam, owned by owner.
class TaskList final : public TaskListView
{
public:
    static constexpr int VisibleColumns = ColumnSizer::Columns;
    static constexpr ColumnSizer::Widths ColumnWidths = {350, 90, 80, 150};

    TaskList(QTreeWidget *control, QWidget *owner);
    ~TaskList() override;

    // Hidden on the first file added, for the rest of the run.
    void setWelcomePanel(QWidget *panel) { m_welcome = panel; }
    void hideWelcomePanel();

    int count() const override;
    // Field -2: caption, the ten sub-items, then the six numbers; -1: caption; 0: sub-item 0
    // and its number; 1 to 4: that sub-item; 5 to 9: that sub-item and its number. Fields
    // the selector does not name keep their values; other selectors read nothing.
    void GetTaskItem(int index, int field, ltvItemData &data) const override;
    // Field -2: caption and the ten sub-items; -1: caption; 0 to 9: that sub-item. The
    // numbers are never written; other selectors write nothing.
    void SetTaskItem(int index, int field, const ltvItemData &data) override;

    // Adds one file: asks first when its path is listed already (case-sensitive), then
    // measures it. A file that cannot be measured leaves no row behind and raises the error.
    void AddTaskFile(const QString &path);
    // Adds the supported files directly inside a folder, in name order without regard to case.
    void AddTaskFolder(const QString &folder);
    // Ends a folder being added, after the file in hand (the window is closing).
    void stopAdding() { m_stopAdding = true; }
    // Adds what was dropped on the window: folders as Add Directory adds them, and the
    // supported files; anything else, and anything not on this computer, is passed over.
    void AddDropped(const QList<QUrl> &urls);
    // Adds what the command line names, or, when the first argument's extension is ".tmp",
    // the paths listed one a line in that file. Neither files nor folders are ignored.
    void AddCommandLine(const QStringList &arguments);

    std::vector<bool> selection() const;
    void setSelection(const std::vector<bool> &selected);
    int selectedCount() const;
    int firstSelected() const; // -1 when none
    // The input file of the first selected row; empty when none is selected.
    QString firstSelectedFile() const;

    // The list control changed its width: the visible columns follow it, from the widths the
    // user may have dragged them to.
    void followWidth();

    // Keeps only part of a row's clip (see RowTrim.h); an empty trim keeps all of it again.
    void setTrim(int index, const Trim &trim);

    // Puts the rows in the order given; the rows are the same items after, with all they hold.
    void applyReorder(const Reorder &reorder);
    // Moves the selected rows by the rule given (MoveUp or MoveDown); nothing when none is selected.
    void moveSelected(Reorder (*rule)(const std::vector<bool> &selected));
    // The selected rows go before the row at target (0 to count()), as dropped there.
    void dropSelected(int target);
    // Orders all rows by the key (see TaskSort.h); the selection stays with its rows. By
    // recording time, each file is read once (again when it changed since).
    void sortBy(SortKey key);
    // Whether rows are being dragged with the mouse right now.
    bool dragging() const;
    void removeSelected();
    void clear();

    // Each row shows a thumbnail of its file beside its name, made off the window's thread for
    // the rows in view (on from the start). Off, no row shows one, the thumbnail work ends and
    // the rows added from then on are as they were before thumbnails.
    void showThumbnails(bool on);
    // The window is closing: the thumbnail work ends, after the picture in hand.
    void stopThumbnails();
    // What makes and keeps the thumbnails; nullptr while they are off.
    ThumbnailLoader *thumbnails() const;

private:
    int appendRow(const QString &caption);
    void showTrim(QTreeWidgetItem *row);
    static QIcon scissors();
    QDateTime recordingTime(const QString &path);

    QTreeWidget *m_control;
    QWidget *m_owner;
    QPointer<QWidget> m_welcome;
    ColumnSizer m_columnSizer{ColumnWidths};
    bool m_stopAdding = false;
    std::unique_ptr<TaskThumbnails> m_thumbnails;
    RowDrag *m_drag;
    struct Recorded
    {
        QDateTime modified;
        QDateTime recorded;
    };
    QHash<QString, Recorded> m_recorded;
};

} // namespace velmora::tasks
