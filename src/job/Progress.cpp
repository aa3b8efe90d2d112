#include "job/Progress.h"

#include "tasks/TimeText.h"

#include <algorithm>
#include <cmath>

namespace velmora::job {

int BarPosition(double percent)
{
    if (std::isnan(percent))
        return 0;
    const double held = std::clamp(percent, -1.0, 101.0); // no whole number overflows
    return static_cast<int>(std::clamp<qint64>(tasks::RoundHalfEven(held), 0, 100));
}

std::optional<int> ConversionCurrent(double position, double rowDuration)
{
    if (rowDuration == 0)
        return std::nullopt;
    return BarPosition(position / rowDuration * 100);
}

std::optional<int> ConversionTotal(double done, double position, double total, int share)
{
    if (total == 0)
        return std::nullopt;
    return BarPosition((done + position) / total * share);
}

std::optional<int> JoinCurrent(double position, double total)
{
    if (total == 0)
        return std::nullopt;
    return BarPosition(position / total * 100);
}

std::optional<int> JoinTotal(double position, double total, int share)
{
    if (total == 0)
        return std::nullopt;
    // Rounded first, then raised by the conversion's share, then held within the bar.
    const double part = position / total * (100 - share);
    const qint64 rounded = tasks::RoundHalfEven(std::clamp(part, -1.0e9, 1.0e9));
    return static_cast<int>(std::clamp<qint64>(rounded + share, 0, 100));
}

qint64 RemainingSeconds(qint64 elapsed, int totalBar, qint64 previous)
{
    if (totalBar == 0)
        return previous;
    return tasks::RoundHalfEven(elapsed / (totalBar / 100.0) - elapsed);
}

} // namespace velmora::job
