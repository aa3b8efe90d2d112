#include "tasks/Trim.h"

#include <algorithm>
#include <cmath>

namespace velmora::tasks {

namespace {

// Positions come from the player in whole milliseconds: a key picture within half of one of
// the moment is the picture shown there.
constexpr double SameMoment = 0.0005;

} // namespace

double Trim::keptSeconds(double clipSeconds) const
{
    const double from = std::max(start.value_or(0.0), 0.0);
    const double to = std::min(end.value_or(clipSeconds), clipSeconds);
    return std::max(to - from, 0.0);
}

TrimFault CheckTrim(const Trim &trim, double clipSeconds)
{
    if (trim.start && (*trim.start < 0 || *trim.start >= clipSeconds))
        return TrimFault::StartOutsideClip;
    if (trim.end && (*trim.end <= 0 || *trim.end > clipSeconds))
        return TrimFault::EndOutsideClip;
    if (trim.start && trim.end && *trim.end <= *trim.start)
        return TrimFault::EndNotAfterStart;
    return TrimFault::None;
}

StartChoice ChooseStart(double moment, bool copying, const std::vector<double> &keyTimes)
{
    if (!copying || keyTimes.empty())
        return {moment, false};
    // The last key picture not after the moment.
    const auto after = std::upper_bound(keyTimes.begin(), keyTimes.end(), moment + SameMoment);
    const double key = after == keyTimes.begin() ? 0.0 : *std::prev(after);
    return {key, key < moment - SameMoment};
}

Trim WithStart(Trim trim, double seconds)
{
    trim.start = seconds > 0 ? std::optional<double>(seconds) : std::nullopt;
    return trim;
}

Trim WithEnd(Trim trim, double seconds, double clipSeconds)
{
    trim.end = seconds < clipSeconds ? std::optional<double>(seconds) : std::nullopt;
    return trim;
}

double StepPicture(double position, double framesPerSecond, int step, double clipSeconds)
{
    if (!(framesPerSecond > 0))
        return position;
    const double picture = std::round(position * framesPerSecond) + step;
    return std::clamp(picture / framesPerSecond, 0.0, std::max(clipSeconds, 0.0));
}

} // namespace velmora::tasks
