#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/rational.h>
}

namespace velmora::encoder {

// Output frames are numbered from 0 across the whole output ("slots"); slot k is shown
// from k / rate. Each input owns the slots from where the inputs before it ended to where
// it ends, so play times add up without drift and every join lands on a frame.

// The slot where the inputs before have ended, for a running total of their picture
// lengths in seconds: rounded to the nearest slot.
std::int64_t slotAtSeconds(double seconds, AVRational rate);

// The first slot that shows a picture starting at offset (in timeBase units) after the
// input's first picture: a slot shows the last picture that started at or before it.
std::int64_t firstSlotOf(std::int64_t offset, AVRational timeBase, AVRational rate);

// Sound samples from the start of the output to the start of a slot.
std::int64_t samplesAtSlot(std::int64_t slot, AVRational rate, int sampleRate);

// Picks, for one input, which decoded picture fills which output slots. Pictures arrive
// in display order with their start offsets; each is shown from its own first slot until
// the next picture's, so pictures repeat or drop to fit the output rate.
class SlotPicker
{
public:
    // begin: the input's first slot in the whole output.
    explicit SlotPicker(std::int64_t begin)
        : m_begin(begin)
        , m_next(begin)
    {
    }

    // A picture that starts at local slot `first`: how many output slots the previous
    // picture fills now (from next()). Later pictures that start in the same slot replace it.
    std::int64_t take(std::int64_t first);
    // At the input's end: how many slots the last picture fills to reach end.
    std::int64_t finish(std::int64_t end);

    std::int64_t next() const { return m_next; }
    bool holding() const { return m_holding; }

private:
    // While a picture is held, the slots from the next one up to slot are its own.
    std::int64_t advanceTo(std::int64_t slot);

    std::int64_t m_begin;
    std::int64_t m_next;
    bool m_holding = false;
};

} // namespace velmora::encoder
