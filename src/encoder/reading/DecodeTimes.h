#pragma once

#include "encoder/Owners.h"

#include <cstdint>
#include <deque>
#include <queue>
#include <vector>

namespace velmora::encoder {

// Decoding times for a picture stream's packets where the container keeps none. Matroska and
// WebM store only when each picture is shown: the reader works the decoding times out for all
// but the first few packets of a stream whose pictures come out of order (B-frames), and a raw
// stream may give none at all. Taken as the packets come, in decoding order, with their display
// times; handed on in the same order, each with a decoding time:
// - a time the container gave is kept;
// - otherwise the k-th packet decodes when the (k - delay)-th earliest picture is shown, which
//   rises with k and never comes after the packet's own display time, so long as no picture
//   comes out more than `delay` places from where it was decoded; the first `delay` packets
//   decode a frame apart before that, so they are held until it is known.
class DecodeTimes
{
public:
    // delay: how many pictures decoding runs ahead of display (the stream's B-frame depth);
    // frameLength: one picture's length in the packets' time base, at least 1.
    DecodeTimes(int delay, std::int64_t frameLength);

    // Takes a packet with a display time (pts); appends to `ready` the packets whose decoding
    // time is now known, in the order they came.
    void push(PacketPtr packet, std::vector<PacketPtr> &ready);
    // The stream has ended: the rest go out.
    void finish(std::vector<PacketPtr> &ready);

    // Packets whose display time came before their decoding time (a stream reordered deeper
    // than it declares, or damaged): they were shown at their decoding time.
    int late() const { return m_late; }

private:
    void release(std::int64_t firstKnown, std::vector<PacketPtr> &ready);
    void send(PacketPtr packet, std::vector<PacketPtr> &ready);

    int m_delay;
    std::int64_t m_frameLength;
    // Display times not yet given out as decoding times, earliest on top.
    std::priority_queue<std::int64_t, std::vector<std::int64_t>, std::greater<>> m_shown;
    std::deque<PacketPtr> m_waiting; // the first packets, until a decoding time is known
    std::int64_t m_last = 0;         // the last decoding time handed on
    bool m_started = false;
    int m_late = 0;
};

} // namespace velmora::encoder
