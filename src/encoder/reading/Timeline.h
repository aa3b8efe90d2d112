#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <map>

namespace velmora::encoder {

// One input's clock, made continuous. Broadcast and disc recordings (MPEG-TS and program
// streams) may jump in time: where a packet lies far ahead of everything so far, or a stream
// steps back from where its last packet ended, the jump is taken out, so that the input's
// timeline goes on across it (as players and FFmpeg do for these formats). In any input, a
// packet past its stated play time plus a second, and one that steps back by more than a
// second, is such a jump: damage must not turn into hours of frozen picture.
//
// A single packet whose time is out of line with both the packet before it and the one after
// it in its stream is no jump but one damaged time (a flipped bit moves an FLV tag by seconds):
// it loses its time, so that the decoder places it after the one before, and the stream's
// clock stays where it was.
class Timeline
{
public:
    // Forward jumps: a gap in every stream at once longer than this is taken out, in formats
    // that allow jumps and in inputs that state no play time. A gap in one stream alone (a
    // picture held over sound that runs on) is content; in all of them it is a jump, or damage
    // to a single time, which must not leave seconds of frozen picture behind it.
    static constexpr std::int64_t JumpForward = AV_TIME_BASE / 2;
    // Backward jumps: in formats that allow jumps any step back counts; elsewhere a small
    // step back is the container's rounding.
    static constexpr std::int64_t JumpBackAllowed = AV_TIME_BASE / 10;
    static constexpr std::int64_t JumpBack = AV_TIME_BASE;
    // How far a packet's display time may lie from its decoding time.
    static constexpr std::int64_t MaxReorder = 5 * AV_TIME_BASE;

    // statedSeconds: the input's play time as stated (negative: not stated). What lies more
    // than a second past it is never given. fallbackFrame: a picture's length when a packet
    // states none (in microseconds).
    Timeline(const AVFormatContext *format, std::int64_t origin, double statedSeconds, std::int64_t fallbackFrame);

    // The time base a stream's packets are handed on in: its own, or microseconds where its
    // own cannot hold a picture's time (a damaged header can claim a tick of days).
    static AVRational workingTimeBase(const AVStream *stream);

    // Brings a packet to its stream's working time base and onto the continuous timeline.
    // next: the stream's packet after it, as read (nullptr at the end), to tell a damaged time
    // from a jump. False when the packet lies past the end the input may have: the input ends
    // there.
    bool place(AVPacket *packet, const AVStream *stream, const AVPacket *next);

    // The input was sought to a later place: the next packet's time is where it goes on from,
    // not a jump.
    void restart() { m_restart = true; }

    int jumps() const { return m_jumps; }
    // Packets whose time was out of line with their neighbours', and was left out.
    int strayTimes() const { return m_strays; }
    // Where the input got to on its timeline, in microseconds from its origin.
    std::int64_t reached() const { return m_latest - m_origin; }

private:
    // Each stream keeps its own offset: a jump shows in one stream's packets before the other's,
    // and the other's packets from before the jump must keep their place.
    struct StreamClock
    {
        bool seen = false;
        std::int64_t end = 0;    // microseconds, where its last packet ended
        std::int64_t offset = 0; // microseconds added to its times
    };

    bool m_discontinuous;
    std::int64_t m_origin;
    std::int64_t m_limit; // microseconds; INT64_MAX: none
    std::int64_t m_fallbackFrame;
    std::int64_t m_jumpOffset = 0; // the offset the last jump called for, in whichever stream
    std::int64_t m_latest;
    bool m_restart = false;
    int m_jumps = 0;
    int m_strays = 0;
    std::map<int, StreamClock> m_clocks;
};

} // namespace velmora::encoder
