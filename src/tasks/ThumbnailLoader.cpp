#include "tasks/ThumbnailLoader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPixmap>

#include <algorithm>

#include <pthread.h>
#include <sys/resource.h>

namespace velmora::tasks {

ThumbnailKey ThumbnailKey::of(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {path};
    return {path, file.size(), file.lastModified().toMSecsSinceEpoch()};
}

size_t qHash(const ThumbnailKey &key, size_t seed)
{
    return qHashMulti(seed, key.path, key.size, key.modified);
}

ThumbnailLoader::ThumbnailLoader(QSize box, int threads, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_threadCount(std::max(1, threads))
    , m_loading(QPixmap::fromImage(ThumbnailLoading(box)))
    , m_placeholder(QPixmap::fromImage(ThumbnailPlaceholder(box)))
{
}

ThumbnailLoader::~ThumbnailLoader()
{
    stop();
}

QIcon ThumbnailLoader::thumbnail(const ThumbnailKey &key)
{
    if (!m_kept.contains(key))
        request(key);
    return known(key);
}

QIcon ThumbnailLoader::known(const ThumbnailKey &key) const
{
    if (const Kept *kept = m_kept.object(key))
        return kept->icon.isNull() ? m_placeholder : kept->icon;
    return m_loading;
}

ThumbnailLoader::Status ThumbnailLoader::status(const ThumbnailKey &key) const
{
    if (const Kept *kept = m_kept.object(key))
        return kept->icon.isNull() ? Status::Failed : Status::Made;
    return m_asked.contains(key) ? Status::Waiting : Status::NotAsked;
}

void ThumbnailLoader::request(const ThumbnailKey &key)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_asked.contains(key)) {
            // Asked for again (shown again): it moves to the front, unless it is in hand already.
            const auto queued = std::find(m_queue.begin(), m_queue.end(), key);
            if (queued != m_queue.end()) {
                m_queue.erase(queued);
                m_queue.push_back(key);
            }
            return;
        }
        m_asked.insert(key);
        m_queue.push_back(key);
        if (m_queue.size() > MostWaiting) {
            // The oldest is given up: its row has long scrolled away, and is asked for again when shown.
            m_asked.remove(m_queue.front());
            m_queue.pop_front();
        }
    }
    startThreads();
    m_wake.notify_one();
}

void ThumbnailLoader::startThreads()
{
    while (static_cast<int>(m_threads.size()) < m_threadCount)
        m_threads.emplace_back([this] { work(); });
}

void ThumbnailLoader::work()
{
    // Named for `top -H`, and below the window's thread: where the two want the same core, a
    // thumbnail gives way to painting and adding (the nice value is the thread's own here).
    pthread_setname_np(pthread_self(), "thumbnails");
    setpriority(PRIO_PROCESS, 0, getpriority(PRIO_PROCESS, 0) + 5);
    while (const std::optional<ThumbnailKey> key = newest()) {
        const QImage picture = MakeThumbnail(key->path, m_box, &m_stop);
        if (m_stop) // given up half-made: nothing is known of the file
            return;
        QMetaObject::invokeMethod(this, [this, key = *key, picture] { deliver(key, picture); }, Qt::QueuedConnection);
    }
}

std::optional<ThumbnailKey> ThumbnailLoader::newest()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_ending || !m_queue.empty(); });
    if (m_ending)
        return std::nullopt;
    std::optional<ThumbnailKey> key = std::move(m_queue.back());
    m_queue.pop_back();
    return key;
}

void ThumbnailLoader::deliver(const ThumbnailKey &key, const QImage &picture)
{
    m_asked.remove(key);
    if (picture.isNull())
        m_kept.insert(key, new Kept{}, 1);
    else
        m_kept.insert(key, new Kept{QIcon(QPixmap::fromImage(picture))}, std::max<qsizetype>(1, picture.sizeInBytes() / 1024));
    Q_EMIT thumbnailReady(key.path);
}

void ThumbnailLoader::dropWaiting()
{
    const std::lock_guard lock(m_mutex);
    for (const ThumbnailKey &key : m_queue)
        m_asked.remove(key);
    m_queue.clear();
}

void ThumbnailLoader::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.clear();
        m_ending = true;
    }
    m_stop = true;
    m_wake.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    m_threads.clear();
    m_asked.clear();
    m_stop = false;
    const std::lock_guard lock(m_mutex);
    m_ending = false;
}

} // namespace velmora::tasks
