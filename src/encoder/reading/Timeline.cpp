#include "encoder/reading/Timeline.h"

#include <algorithm>
#include <cmath>
#include <limits>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

namespace {

constexpr AVRational Microseconds{1, AV_TIME_BASE};
constexpr std::int64_t Far = std::numeric_limits<std::int64_t>::max() / 4;
constexpr std::int64_t Unlimited = std::numeric_limits<std::int64_t>::max();

// av_rescale_q gives AV_NOPTS_VALUE (INT64_MIN) when the result does not fit: a time too far
// away to be believed is no time at all.
std::int64_t micro(std::int64_t ticks, AVRational timeBase)
{
    if (ticks == AV_NOPTS_VALUE)
        return AV_NOPTS_VALUE;
    const std::int64_t value = av_rescale_q(ticks, timeBase, Microseconds);
    return value == AV_NOPTS_VALUE || value > Far || value < -Far ? AV_NOPTS_VALUE : value;
}

// The time a packet is judged by, in microseconds: its decoding time, which goes steadily on,
// else its display time.
std::int64_t stampOf(const AVPacket *packet, AVRational timeBase)
{
    return micro(packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts, timeBase);
}

} // namespace

Timeline::Timeline(const AVFormatContext *format, std::int64_t origin, double statedSeconds, std::int64_t fallbackFrame)
    : m_discontinuous(format->iformat->flags & AVFMT_TS_DISCONT)
    , m_origin(origin)
    , m_limit(statedSeconds > 0 ? origin + static_cast<std::int64_t>(std::ceil(statedSeconds * AV_TIME_BASE)) + AV_TIME_BASE
                                : Unlimited)
    , m_fallbackFrame(fallbackFrame)
    , m_latest(origin)
{
}

AVRational Timeline::workingTimeBase(const AVStream *stream)
{
    const AVRational own = stream->time_base;
    if (own.num > 0 && own.den > 0 && av_cmp_q(own, AVRational{1, 10}) <= 0)
        return own;
    return Microseconds;
}

bool Timeline::place(AVPacket *packet, const AVStream *stream, const AVPacket *next)
{
    // The packet after it in its stream, as read: its own time, before this stream's offset.
    const std::int64_t after = next ? stampOf(next, stream->time_base) : AV_NOPTS_VALUE;
    const AVRational working = workingTimeBase(stream);
    if (av_cmp_q(working, stream->time_base) != 0) {
        // Rescaled one by one, so that a time too far to hold becomes no time.
        packet->pts = packet->pts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : micro(packet->pts, stream->time_base);
        packet->dts = packet->dts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : micro(packet->dts, stream->time_base);
        const std::int64_t duration = micro(packet->duration, stream->time_base);
        packet->duration = duration == AV_NOPTS_VALUE ? 0 : duration;
    }
    // A picture is shown within moments of its decoding: a display time far from it is damage,
    // and the decoder is better left to work the time out.
    if (packet->pts != AV_NOPTS_VALUE && packet->dts != AV_NOPTS_VALUE) {
        const std::int64_t reorder = micro(packet->pts, working) - micro(packet->dts, working);
        if (micro(packet->pts, working) == AV_NOPTS_VALUE || micro(packet->dts, working) == AV_NOPTS_VALUE
            || std::abs(reorder) > MaxReorder)
            packet->pts = AV_NOPTS_VALUE;
    }
    const bool added = m_clocks.find(packet->stream_index) == m_clocks.end();
    StreamClock &clock = m_clocks[packet->stream_index];
    if (added)
        clock.offset = m_jumpOffset; // a stream that first shows after a jump is on the same side of it
    const bool decoded = packet->dts != AV_NOPTS_VALUE; // decoding order: steady, unlike display order
    const std::int64_t stamp = decoded ? packet->dts : packet->pts;
    std::int64_t time = micro(stamp, working);
    if (time != AV_NOPTS_VALUE) {
        time += clock.offset;
        if (m_restart) {
            m_latest = time;
            m_restart = false;
        }
        const std::int64_t expected = clock.seen ? clock.end : m_latest;
        // Out of line with what came before, while the packet after it is in line with that:
        // this packet's time alone is damaged.
        if (after != AV_NOPTS_VALUE && std::abs(time - expected) > JumpForward
            && std::abs(after + clock.offset - expected) <= JumpForward) {
            packet->pts = AV_NOPTS_VALUE;
            packet->dts = AV_NOPTS_VALUE;
            ++m_strays;
            return true;
        }
        // Past the end the input may have; or, where nothing states that end (or the format
        // allows jumps), far ahead of everything so far: one stream's gap alone (a picture held
        // over sound that runs on) is no jump.
        bool jump = time > m_limit || ((m_discontinuous || m_limit == Unlimited) && time - m_latest > JumpForward);
        // A step back in decoding order, beyond the container's rounding.
        if (clock.seen && decoded)
            jump = jump || time - expected < -(m_discontinuous ? JumpBackAllowed : JumpBack);
        if (jump) {
            // The same jump seen again in another stream takes the same offset, so that the
            // streams keep the timing they have with each other after it.
            std::int64_t offset = clock.offset + expected - time;
            if (m_jumps > 0 && std::abs(offset - m_jumpOffset) < JumpBack)
                offset = m_jumpOffset;
            time += offset - clock.offset;
            clock.offset = offset;
            m_jumpOffset = offset;
            ++m_jumps;
        }
        if (time > m_limit)
            return false;
    }
    if (clock.offset != 0) {
        const std::int64_t shift = av_rescale_q(clock.offset, Microseconds, working);
        if (packet->pts != AV_NOPTS_VALUE)
            packet->pts += shift;
        if (packet->dts != AV_NOPTS_VALUE)
            packet->dts += shift;
    }
    if (time != AV_NOPTS_VALUE) {
        std::int64_t length = micro(packet->duration, working);
        if (length == AV_NOPTS_VALUE || length <= 0 || length > 10 * AV_TIME_BASE)
            length = stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO ? m_fallbackFrame : 0;
        clock.end = clock.seen ? std::max(clock.end, time + length) : time + length;
        clock.seen = true;
        m_latest = std::max(m_latest, clock.end);
    }
    return true;
}

} // namespace velmora::encoder
