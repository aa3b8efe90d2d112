#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace velmora::encoder {

// One status line, as the job reads it: "Pos:", the position in seconds with one decimal
// and a point, directly followed by "s"; then the frame count, the percentage done and the
// speed. Ended by a carriage return, so a terminal shows it in place.
std::string statusText(double seconds, std::int64_t frames, int percent, double framesPerSecond);

// Writes status lines to a file descriptor, unbuffered, from a thread of its own: ten times
// a second however slowly frames come, and twice as often for the first twenty lines, so the
// job sees a position soon after a run starts.
class StatusTicker
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds FastInterval{50};
    static constexpr std::chrono::milliseconds Interval{100};
    static constexpr int FastLines = 20;

    StatusTicker(int fd, double totalSeconds);
    ~StatusTicker();
    StatusTicker(const StatusTicker &) = delete;
    StatusTicker &operator=(const StatusTicker &) = delete;

    // Where the output has got to; the next line shows it.
    void update(double seconds, std::int64_t frames);
    // Stops the ticking; with done, a last line at 100 %.
    void stop(bool done);

    int linesWritten() const { return m_lines; }

private:
    void run();
    void write(bool final);

    int m_fd;
    double m_total;
    Clock::time_point m_started;
    std::atomic<double> m_seconds{0};
    std::atomic<std::int64_t> m_frames{0};
    std::atomic<int> m_lines{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace velmora::encoder
