#include "encoder/Timing.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

std::int64_t slotAtSeconds(double seconds, AVRational rate)
{
    return std::llround(static_cast<long double>(seconds) * rate.num / rate.den);
}

std::int64_t firstSlotOf(std::int64_t offset, AVRational timeBase, AVRational rate)
{
    if (offset <= 0)
        return 0;
    // offset * timeBase seconds, in slots of 1/rate, rounded up: slot k shows the picture
    // that started at or before k / rate.
    return av_rescale_q_rnd(offset, timeBase, av_inv_q(rate), static_cast<AVRounding>(AV_ROUND_UP | AV_ROUND_PASS_MINMAX));
}

std::int64_t samplesAtSlot(std::int64_t slot, AVRational rate, int sampleRate)
{
    return av_rescale_rnd(slot, static_cast<std::int64_t>(sampleRate) * rate.den, rate.num, AV_ROUND_NEAR_INF);
}

std::int64_t SlotPicker::advanceTo(std::int64_t slot)
{
    if (!m_holding || slot <= m_next)
        return 0;
    const std::int64_t count = slot - m_next;
    m_next = slot;
    return count;
}

std::int64_t SlotPicker::take(std::int64_t first)
{
    const std::int64_t count = advanceTo(m_begin + std::max<std::int64_t>(first, 0));
    m_holding = true;
    return count;
}

std::int64_t SlotPicker::finish(std::int64_t end)
{
    const std::int64_t count = advanceTo(end);
    m_holding = false;
    return count;
}

} // namespace velmora::encoder
