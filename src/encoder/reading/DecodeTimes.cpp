#include "encoder/reading/DecodeTimes.h"

#include <algorithm>

namespace velmora::encoder {

DecodeTimes::DecodeTimes(int delay, std::int64_t frameLength)
    : m_delay(std::clamp(delay, 0, 16))
    , m_frameLength(std::max<std::int64_t>(1, frameLength))
{
}

void DecodeTimes::send(PacketPtr packet, std::vector<PacketPtr> &ready)
{
    // Each decoding time comes after the one before; a packet shown before it decodes is shown
    // when it decodes.
    if (m_started && packet->dts <= m_last)
        packet->dts = m_last + 1;
    if (packet->pts < packet->dts) {
        packet->pts = packet->dts;
        ++m_late;
    }
    m_last = packet->dts;
    m_started = true;
    ready.push_back(std::move(packet));
}

void DecodeTimes::release(std::int64_t firstKnown, std::vector<PacketPtr> &ready)
{
    // The waiting packets decode a frame apart, up to the first known time, and never after
    // their own display times.
    const auto count = static_cast<std::int64_t>(m_waiting.size());
    for (std::int64_t i = 0; i < count; ++i) {
        PacketPtr packet = std::move(m_waiting.front());
        m_waiting.pop_front();
        packet->dts = std::min(firstKnown - (count - i) * m_frameLength, packet->pts);
        send(std::move(packet), ready);
    }
}

void DecodeTimes::push(PacketPtr packet, std::vector<PacketPtr> &ready)
{
    m_shown.push(packet->pts);
    std::int64_t known = AV_NOPTS_VALUE;
    if (static_cast<int>(m_shown.size()) > m_delay) {
        known = m_shown.top();
        m_shown.pop();
    }
    if (packet->dts != AV_NOPTS_VALUE)
        known = packet->dts;
    if (known == AV_NOPTS_VALUE) {
        m_waiting.push_back(std::move(packet));
        return;
    }
    release(known, ready);
    packet->dts = known;
    send(std::move(packet), ready);
}

void DecodeTimes::finish(std::vector<PacketPtr> &ready)
{
    if (m_waiting.empty())
        return;
    // Fewer packets than the delay: the last of them decodes as the earliest is shown.
    std::int64_t earliest = m_waiting.front()->pts;
    for (const PacketPtr &packet : m_waiting)
        earliest = std::min(earliest, packet->pts);
    release(earliest + m_frameLength, ready);
}

} // namespace velmora::encoder
