#pragma once

#include "tasks/ThumbnailLoader.h"

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPair>
#include <QSize>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace velmora::tasks {

// The thumbnails beside the task list's file names. A row made by newRow shows the thumbnail of
// the file its caption names as column 0's icon, found by that path wherever the list moves it.
// It is asked for when the list control paints the row, so only the rows in view are made; each
// one that arrives is painted in. Until then a row shows the loading picture, so the names never
// move when the thumbnails come.
class TaskThumbnails final : public QObject
{
    Q_OBJECT

public:
    explicit TaskThumbnails(QTreeWidget *control);
    // The list control's icons go back to their former size.
    ~TaskThumbnails() override;

    QTreeWidgetItem *newRow();
    // The file was added: its thumbnail is the one of the file as it is now.
    void noteFile(const QString &path);
    // The list was emptied: nothing waits for its files.
    void clear();
    // The window is closing: the thumbnail work ends, after the picture in hand, and no more
    // is asked for; the rows keep what they show.
    void stop();

    // What column 0 shows for the file: its thumbnail, with the badge in a corner if one is
    // given.
    QIcon icon(const QString &path, const QIcon &badge = QIcon());
    ThumbnailLoader &loader() { return m_loader; }

private:
    QIcon withBadge(const QIcon &thumbnail, const QIcon &badge);

    QTreeWidget *m_control;
    QSize m_formerIconSize;
    ThumbnailLoader m_loader;
    QHash<QString, ThumbnailKey> m_files;
    QHash<QPair<qint64, qint64>, QIcon> m_badged;
    bool m_stopped = false;
};

} // namespace velmora::tasks
