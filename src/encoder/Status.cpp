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

StatusLine::StatusLine(int fd, double totalSeconds)
    : m_fd(fd)
    , m_total(totalSeconds)
    , m_started(Clock::now())
    , m_last(m_started - Interval)
{
}

void StatusLine::show(double seconds, std::int64_t frames, bool final)
{
    const Clock::time_point now = Clock::now();
    const auto interval = m_lines < FastLines ? FastInterval : Interval;
    if (!final && now - m_last < interval)
        return;
    m_last = now;
    const double elapsed = std::chrono::duration<double>(now - m_started).count();
    const int percent = final ? 100 : m_total > 0 ? static_cast<int>(std::floor(seconds * 100.0 / m_total)) : 0;
    const std::string text = statusText(seconds, frames, std::min(percent, final ? 100 : 99), elapsed > 0 ? frames / elapsed : 0);
    // Written at once and unbuffered; a reader that went away is no reason to stop encoding.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, text.data(), text.size());
    ++m_lines;
}

} // namespace velmora::encoder
