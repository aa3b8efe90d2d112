#pragma once

#include "tasks/Thumbnail.h"

#include <QCache>
#include <QIcon>
#include <QObject>
#include <QSet>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace velmora::tasks {

// A file as it was when its thumbnail was asked for: the same path with another size or time of
// change is another picture.
struct ThumbnailKey
{
    QString path;
    qint64 size = -1;
    qint64 modified = 0; // milliseconds since the epoch

    // The file as it is now (one look at the disk).
    static ThumbnailKey of(const QString &path);
    friend bool operator==(const ThumbnailKey &, const ThumbnailKey &) = default;
};
size_t qHash(const ThumbnailKey &key, size_t seed = 0);

// Thumbnails made on threads of their own and kept for the session. Asked from the thread the
// loader lives in (the window's), it answers at once with what it has and queues what it has
// not: the file asked for last is made first, and only the latest requests wait, so that
// scrolling through a long list makes the rows in view and not every row passed on the way.
// Destroying it gives up the requests not started and waits for the pictures in hand.
class ThumbnailLoader final : public QObject
{
    Q_OBJECT

public:
    enum class Status
    {
        NotAsked, // or asked for once, and given up for later requests
        Waiting,  // queued or being made
        Made,
        Failed, // its picture cannot be decoded: the placeholder stands for it
    };

    // Requests that wait at the most, beyond the ones in hand: several screens of rows.
    static constexpr int MostWaiting = 128;
    // The memory the thumbnails kept may take at the most: a thousand and more at 64x36.
    static constexpr int MostKilobytes = 12 * 1024;

    explicit ThumbnailLoader(QSize box = ThumbnailBox, int threads = 1, QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    // The file's thumbnail, the placeholder when its picture cannot be decoded, or, until either
    // is known, the loading picture; then the file is queued, ahead of those asked for before.
    QIcon thumbnail(const ThumbnailKey &key);
    // The same without asking for what is not known yet.
    QIcon known(const ThumbnailKey &key) const;
    Status status(const ThumbnailKey &key) const;
    // Requests queued or being made.
    int waiting() const { return static_cast<int>(m_asked.size()); }

    // Gives up the requests not started yet (the files are no longer listed).
    void dropWaiting();
    // Gives up the requests not started, asks the pictures in hand to end and waits for them;
    // the threads end. A request afterwards starts them again.
    void stop();

    QSize box() const { return m_box; }
    const QIcon &loadingIcon() const { return m_loading; }
    const QIcon &placeholderIcon() const { return m_placeholder; }

Q_SIGNALS:
    // A thumbnail was made, or found impossible to make; on the loader's thread.
    void thumbnailReady(const QString &path);

private:
    struct Kept
    {
        QIcon icon; // null: the placeholder
    };

    void request(const ThumbnailKey &key);
    void startThreads();
    void work();
    // The latest request, taken from the queue once there is one; nothing when the threads end.
    std::optional<ThumbnailKey> newest();
    void deliver(const ThumbnailKey &key, const QImage &picture);

    const QSize m_box;
    const int m_threadCount;
    const QIcon m_loading;
    const QIcon m_placeholder;
    QCache<ThumbnailKey, Kept> m_kept{MostKilobytes};
    QSet<ThumbnailKey> m_asked; // waiting or being made; the loader's thread only
    std::vector<std::thread> m_threads;

    // Shared with the threads.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<ThumbnailKey> m_queue; // the newest at the back
    bool m_ending = false;
    std::atomic<bool> m_stop = false;
};

} // namespace velmora::tasks
