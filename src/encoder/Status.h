#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace velmora::encoder {

// One status line, as the job reads it: "Pos:", the position in seconds with one decimal
// and a point, directly followed by "s"; then the frame count, the percentage done and the
// speed. Ended by a carriage return, so a terminal shows it in place.
std::string statusText(double seconds, std::int64_t frames, int percent, double framesPerSecond);

// Writes status lines to a file descriptor, unbuffered, about ten times a second: twice as
// often for the first twenty lines, so the job sees a position soon after a run starts.
class StatusLine
{
public:
    using Clock = std::chrono::steady_clock;

    StatusLine(int fd, double totalSeconds);

    // Shows the position if a line is due (always when final).
    void show(double seconds, std::int64_t frames, bool final = false);
    int linesWritten() const { return m_lines; }

    static constexpr std::chrono::milliseconds FastInterval{50};
    static constexpr std::chrono::milliseconds Interval{100};
    static constexpr int FastLines = 20;

private:
    int m_fd;
    double m_total;
    Clock::time_point m_started;
    Clock::time_point m_last;
    int m_lines = 0;
};

} // namespace velmora::encoder
