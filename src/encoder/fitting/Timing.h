#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/mathematics.h>
#include <libavutil/rational.h>
}

namespace velmora::encoder {

inline constexpr AVRational Microseconds{1, AV_TIME_BASE};

// A time from one time base into another, to the nearest tick; no time stays no time.
inline std::int64_t rescaleNearest(std::int64_t value, AVRational from, AVRational to)
{
    return av_rescale_q_rnd(value, from, to, static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
}

// Output frames are numbered from 0 across the whole output ("slots"); slot k is shown
// from k / rate. Each input owns the slots from where the inputs before it ended to where
// it ends, so play times add up without drift and every join lands on a frame.

// Frame and sample rates outside these bounds are taken as unknown: a damaged header can
// claim one frame every day, or a million a second.
bool plausibleFrameRate(AVRational rate);
bool plausibleSampleRate(int rate);

// The slot where the inputs before have ended, for a running total of their lengths in
// seconds: rounded to the nearest slot.
std::int64_t slotAtSeconds(double seconds, AVRational rate);

// Sound samples from the start of the output to the start of a slot.
std::int64_t samplesAtSlot(std::int64_t slot, AVRational rate, int sampleRate);
// The last slot that starts at or before a sample.
std::int64_t slotAtSample(std::int64_t sample, AVRational rate, int sampleRate);

// Positions on the output's clock are counted in thousandths of a slot.
inline constexpr std::int64_t SlotParts = 1000;

// Where a picture lies on the output's clock: its offset from the input's first picture
// (in timeBase units), in thousandths of a slot. Containers store times rounded (Matroska,
// WebM and FLV to the millisecond) and cameras stamp them with jitter; a time within a tenth
// of a frame of the stream's own frame grid (its nominal rate, when it has a plausible one)
// is taken to be on the grid. Saturates instead of overflowing.
std::int64_t picturePosition(std::int64_t offset, AVRational timeBase, AVRational nominalRate, AVRational rate);

// Picks, for one input, which decoded picture fills which output slots. Each picture goes to
// the slot nearest its time. When that slot is taken by the picture before, the picture goes
// one slot later if that leaves it less than three quarters of a slot late; otherwise it
// replaces the picture before. So an input at any rate up to the output's shows every picture,
// in order, and a faster one keeps evenly spaced pictures. A picture fills its slots until the
// next one's.
class SlotPicker
{
public:
    static constexpr std::int64_t Lateness = SlotParts * 3 / 4;

    // begin: the input's first slot in the whole output.
    explicit SlotPicker(std::int64_t begin)
        : m_begin(begin)
        , m_next(begin)
    {
    }

    // A picture at the given position (see picturePosition): how many output slots the held
    // picture fills now (from next()). The input's first picture starts its segment.
    std::int64_t take(std::int64_t position);
    // The held picture fills the slots up to (not including) slot now, so that it keeps up
    // with sound that runs on without new pictures. Returns how many it fills.
    std::int64_t extend(std::int64_t slot);
    // At the input's end: how many slots the held picture fills to reach end. It fills at
    // least its own slot, so the input may end one slot later than asked: next() tells. Only
    // a picture whose time lies in the last half slot before end, or past it, while the one
    // before it reaches end already (an input faster than the output), is left out instead.
    std::int64_t finish(std::int64_t end);

    std::int64_t next() const { return m_next; }
    bool holding() const { return m_holding; }

private:
    std::int64_t m_begin;
    std::int64_t m_next;
    std::int64_t m_heldPosition = 0; // where the held picture lies, as take() was given it
    bool m_holding = false;
};

} // namespace velmora::encoder
