#pragma once

#include <optional>
#include <vector>

namespace velmora::tasks {

// The part of a row's clip to keep: from start to end, in seconds of the clip's own time
// (0 is its first picture). No start keeps it from its beginning, no end to its end.
struct Trim
{
    std::optional<double> start;
    std::optional<double> end;

    bool keepsWhole() const { return !start && !end; }
    void clear() { *this = Trim{}; }
    // How long the kept part plays, for a clip of this length.
    double keptSeconds(double clipSeconds) const;

    friend bool operator==(const Trim &, const Trim &) = default;
};

enum class TrimFault {
    None,
    StartOutsideClip, // before 0, or at or past the clip's end
    EndOutsideClip,   // at or before 0, or past the clip's end
    EndNotAfterStart,
};

// Whether the trim fits a clip of this length.
TrimFault CheckTrim(const Trim &trim, double clipSeconds);

// Where Set Start puts the start for the moment shown.
struct StartChoice
{
    double seconds = 0;
    // The join copies the pictures, so it can only begin at a key picture: the start moved back
    // from the moment to the key picture at or before it.
    bool movedToKey = false;
};

// keyTimes: the clip's key pictures in seconds, in order. When copying, the start is the key
// picture at or before the moment (the clip's beginning when the moment is before the first);
// otherwise, and when no key picture is known, the moment itself.
StartChoice ChooseStart(double moment, bool copying, const std::vector<double> &keyTimes);

// The trim with its start or end put at these seconds. A start at the clip's beginning and an
// end at its end are no start and no end: the whole clip is kept on that side.
Trim WithStart(Trim trim, double seconds);
Trim WithEnd(Trim trim, double seconds, double clipSeconds);

// The position one picture before (step -1) or after (step +1) position, on the clip's grid of
// pictures at this rate, kept within 0 and clipSeconds. A position between two pictures steps
// from the nearest one.
double StepPicture(double position, double framesPerSecond, int step, double clipSeconds);

} // namespace velmora::tasks
