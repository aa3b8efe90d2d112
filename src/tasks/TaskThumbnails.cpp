#include "tasks/TaskThumbnails.h"

#include <QPainter>
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
        if (column == 0 && role == Qt::DecorationRole && m_thumbnails) {
            // An icon the list set on the row itself (a trimmed row's scissors) is a badge on
            // the thumbnail.
            const QIcon badge = qvariant_cast<QIcon>(QTreeWidgetItem::data(0, Qt::DecorationRole));
            return m_thumbnails->icon(text(0), badge);
        }
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

QIcon TaskThumbnails::icon(const QString &path, const QIcon &badge)
{
    const auto file = m_files.constFind(path);
    const ThumbnailKey key = file == m_files.cend() ? ThumbnailKey{path} : *file;
    const QIcon thumbnail = m_stopped ? m_loader.known(key) : m_loader.thumbnail(key);
    if (badge.isNull())
        return thumbnail;
    return withBadge(thumbnail, badge);
}

QIcon TaskThumbnails::withBadge(const QIcon &thumbnail, const QIcon &badge)
{
    const QSize box = m_loader.box();
    const QPixmap picture = thumbnail.pixmap(box);
    const QPair<qint64, qint64> key{picture.cacheKey(), badge.cacheKey()};
    if (const auto known = m_badged.constFind(key); known != m_badged.cend())
        return *known;
    // The badge sits in the picture's lower left corner on a pale square of its own, so it
    // shows on a dark picture and a light one alike.
    QPixmap badged(box);
    badged.fill(Qt::transparent);
    QPainter painter(&badged);
    painter.drawPixmap(QRect(QPoint(0, 0), box), picture);
    const int side = std::min(18, box.height());
    const QRect corner(0, box.height() - side, side, side);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRoundedRect(corner, 3, 3);
    painter.drawPixmap(corner.adjusted(1, 1, -1, -1), badge.pixmap(QSize(side - 2, side - 2)));
    painter.end();
    if (m_badged.size() > 256)
        m_badged.clear();
    const QIcon icon(badged);
    m_badged.insert(key, icon);
    return icon;
}

} // namespace velmora::tasks
