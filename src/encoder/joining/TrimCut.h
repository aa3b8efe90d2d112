#pragma once

#include "encoder/CommandLine.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::encoder {

// A picture's packet as the input is read: its display time (AV_NOPTS_VALUE where it has none)
// and whether it is a key picture.
struct PacketTime
{
    std::int64_t pts = AV_NOPTS_VALUE;
    bool key = false;
};

// Where a join that copies cuts one input, by the picture packets in reading order. Without
// re-encoding it can only start at a key picture, and must keep every picture a kept one is
// decoded from.
struct TrimCut
{
    std::size_t first = 0;           // the key picture it starts at
    std::optional<std::size_t> last; // the last picture packet kept; none: on to the input's end
    std::int64_t from = AV_NOPTS_VALUE; // that key picture's time, the input's moment zero

    // Whether the picture packet read as index-th is kept.
    bool keeps(std::size_t index, std::int64_t pts) const
    {
        return index >= first && (!last || index <= *last) && (from == AV_NOPTS_VALUE || pts == AV_NOPTS_VALUE || pts >= from);
    }
};

// start and end in the picture's time base, as its packets' times. The start goes back to the
// key picture at or before it (the first key picture where none is). The end keeps every
// picture shown before it, and then whatever else comes before the last of those in reading
// order (the pictures it is decoded from), and the pictures shown between those, so that the
// kept ones show one after another without a gap. reorder: how far past the end to look.
TrimCut PlanTrimCut(const std::vector<PacketTime> &pictures, std::optional<std::int64_t> start, std::optional<std::int64_t> end,
                    std::size_t reorder = 32);

// The picture packets of one input, read through from its start as far as a trim that ends at
// `until` (in the picture's time base) needs; all of them without an end.
std::vector<PacketTime> ReadPacketTimes(const std::string &path, int picture, std::optional<std::int64_t> until);

// What one input's trim comes to in its picture's time base: start and end from its first
// picture's time.
struct TrimSpan
{
    std::optional<std::int64_t> start;
    std::optional<std::int64_t> end;
};
TrimSpan TrimSpanOf(const InputTrim &trim, const AVStream *picture);

} // namespace velmora::encoder
