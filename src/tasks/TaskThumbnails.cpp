#include "tasks/TaskThumbnails.h"

#include <QPointer>
#include <QThread>
#include <QTreeWidget>

#include <algorithm>

namespace velmora::tasks {

namespace {

// A task-list row whose caption's icon is its file's thumbnail.
class ThumbnailRow final : public QTreeWidgetItem
{
public:
    explicit ThumbnailRow(TaskThumbnails *thumbnails)
        : QTreeWidgetItem(UserType)
        , m_thumbnails(thumbnails)
    {
    }

    QVariant data(int column, int role) const override
    {
        if (column == 0 && role == Qt::DecorationRole && m_thumbnails)
            return m_thumbnails->icon(text(0));
        return QTreeWidgetItem::data(column, role);
    }

private:
    QPointer<TaskThumbnails> m_thumbnails;
};

// One thread beside the window's on a machine of two cores, two where there are more.
int threadCount()
{
    return std::clamp(QThread::idealThreadCount() - 1, 1, 2);
}

} // namespace

TaskThumbnails::TaskThumbnails(QTreeWidget *control)
    : m_control(control)
    , m_formerIconSize(control->iconSize())
    , m_loader(ThumbnailBox, threadCount())
{
    m_control->setIconSize(m_loader.box());
    // Arrivals in a row come in one paint: the view gathers its updates.
    connect(&m_loader, &ThumbnailLoader::thumbnailReady, this, [this] { m_control->viewport()->update(); });
}

TaskThumbnails::~TaskThumbnails()
{
    m_control->setIconSize(m_formerIconSize);
}

QTreeWidgetItem *TaskThumbnails::newRow()
{
    return new ThumbnailRow(this);
}

void TaskThumbnails::noteFile(const QString &path)
{
    m_files.insert(path, ThumbnailKey::of(path));
}

void TaskThumbnails::clear()
{
    m_files.clear();
    m_loader.dropWaiting();
}

void TaskThumbnails::stop()
{
    m_stopped = true;
    m_loader.stop();
}

QIcon TaskThumbnails::icon(const QString &path)
{
    const auto file = m_files.constFind(path);
    const ThumbnailKey key = file == m_files.cend() ? ThumbnailKey{path} : *file;
    return m_stopped ? m_loader.known(key) : m_loader.thumbnail(key);
}

} // namespace velmora::tasks
