#include "encoder/fitting/Timing.h"

#include <algorithm>
#include <cmath>
#include <limits>

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

namespace {

constexpr std::int64_t Huge = std::numeric_limits<std::int64_t>::max() / 4;

// av_rescale_q_rnd gives INT64_MIN when the result does not fit: saturate instead.
std::int64_t rescaled(std::int64_t value, AVRational from, AVRational to, AVRounding rounding)
{
    if (value == 0)
        return 0;
    const std::int64_t result = av_rescale_q_rnd(value, from, to, rounding);
    if (result == AV_NOPTS_VALUE || result > Huge)
        return value > 0 ? Huge : -Huge; // time bases are positive
    return std::max(result, -Huge);
}

} // namespace

bool plausibleFrameRate(AVRational rate)
{
    return rate.num > 0 && rate.den > 0 && av_cmp_q(rate, AVRational{1, 10}) >= 0 && av_cmp_q(rate, AVRational{1000, 1}) <= 0;
}

bool plausibleSampleRate(int rate)
{
    return rate >= 1000 && rate <= 768000;
}

std::int64_t slotAtSeconds(double seconds, AVRational rate)
{
    const long double slots = static_cast<long double>(seconds) * rate.num / rate.den;
    if (!(slots < static_cast<long double>(Huge)))
        return Huge;
    return std::llround(std::max<long double>(slots, 0));
}

std::int64_t samplesAtSlot(std::int64_t slot, AVRational rate, int sampleRate)
{
    return av_rescale_rnd(slot, static_cast<std::int64_t>(sampleRate) * rate.den, rate.num, AV_ROUND_NEAR_INF);
}

std::int64_t slotAtSample(std::int64_t sample, AVRational rate, int sampleRate)
{
    return av_rescale_rnd(sample, rate.num, static_cast<std::int64_t>(sampleRate) * rate.den, AV_ROUND_DOWN);
}

std::int64_t picturePosition(std::int64_t offset, AVRational timeBase, AVRational nominalRate, AVRational rate)
{
    const AVRounding near = AV_ROUND_NEAR_INF;
    const AVRational part = av_mul_q(av_inv_q(rate), AVRational{1, static_cast<int>(SlotParts)});
    if (plausibleFrameRate(nominalRate)) {
        // The frame grid's nearest point, in thousandths of a frame off it.
        const AVRational frame = av_inv_q(nominalRate);
        const std::int64_t frames = rescaled(offset, timeBase, frame, near);
        const std::int64_t thousandths = rescaled(offset, timeBase, av_mul_q(frame, AVRational{1, 1000}), near);
        if (std::abs(frames) < Huge / 1000 && std::abs(thousandths - frames * 1000) <= 100)
            return rescaled(frames, frame, part, near);
    }
    return rescaled(offset, timeBase, part, near);
}

std::int64_t SlotPicker::take(std::int64_t position)
{
    m_heldPosition = position;
    if (!m_holding) {
        m_holding = true;
        return 0;
    }
    // The nearest slot, halves up; never before the input's own first slot.
    std::int64_t slot = m_begin + std::max<std::int64_t>(0, (position + SlotParts / 2) / SlotParts);
    if (slot <= m_next) {
        if ((m_next + 1 - m_begin) * SlotParts > position + Lateness)
            return 0; // replaces the held picture in its slot
        slot = m_next + 1;
    }
    const std::int64_t count = slot - m_next;
    m_next = slot;
    return count;
}

std::int64_t SlotPicker::extend(std::int64_t slot)
{
    if (!m_holding || slot <= m_next + 1)
        return 0;
    // The held picture keeps the slot it stands in, so that a picture arriving late can still
    // take its place there.
    const std::int64_t count = slot - 1 - m_next;
    m_next = slot - 1;
    return count;
}

std::int64_t SlotPicker::finish(std::int64_t end)
{
    if (!m_holding)
        return 0;
    m_holding = false;
    // A picture of the last half slot that would only make the input longer (a faster input's
    // last picture): the one before it stands to the end.
    if (m_next > m_begin && m_next >= end && m_heldPosition >= (end - m_begin) * SlotParts - SlotParts / 2)
        return 0;
    end = std::max(end, m_next + 1);
    const std::int64_t count = end - m_next;
    m_next = end;
    return count;
}

} // namespace velmora::encoder
