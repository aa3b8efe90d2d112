#include "encoder/Status.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <unistd.h>

namespace velmora::encoder {

std::string statusText(double seconds, std::int64_t frames, int percent, double framesPerSecond)
{
    char line[128];
    std::snprintf(line, sizeof line, "Pos:%6.1fs %6lldf (%3d%%) %6.1f fps\r", std::max(0.0, seconds),
                  static_cast<long long>(frames), std::clamp(percent, 0, 100), std::max(0.0, framesPerSecond));
    return line;
}

StatusTicker::StatusTicker(int fd, double totalSeconds)
    : m_fd(fd)
    , m_total(totalSeconds)
    , m_started(Clock::now())
    , m_thread([this] { run(); })
{
}

StatusTicker::~StatusTicker()
{
    stop(false);
}

void StatusTicker::update(double seconds, std::int64_t frames)
{
    m_seconds = seconds;
    m_frames = frames;
}

void StatusTicker::stop(bool done)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
    if (done)
        write(true);
}

void StatusTicker::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        write(false);
        m_wake.wait_for(lock, m_lines < FastLines ? FastInterval : Interval, [this] { return m_stopping; });
    }
}

void StatusTicker::write(bool final)
{
    const double seconds = m_seconds;
    const std::int64_t frames = m_frames;
    const double elapsed = std::chrono::duration<double>(Clock::now() - m_started).count();
    int percent = m_total > 0 ? static_cast<int>(std::floor(seconds * 100.0 / m_total)) : 0;
    percent = final ? 100 : std::min(percent, 99);
    const std::string text = statusText(seconds, frames, percent, elapsed > 0 ? frames / elapsed : 0);
    // Written at once and unbuffered; a reader that went away is no reason to stop encoding.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, text.data(), text.size());
    ++m_lines;
}

} // namespace velmora::encoder
