#include "encoder/joining/TrimCut.h"

#include "encoder/Owners.h"
#include "encoder/joining/CopyCheck.h"

#include <algorithm>

namespace velmora::encoder {

TrimCut PlanTrimCut(const std::vector<PacketTime> &pictures, std::optional<std::int64_t> start, std::optional<std::int64_t> end,
                    std::size_t reorder)
{
    TrimCut cut;
    const std::size_t count = pictures.size();
    if (start) {
        std::optional<std::size_t> key;
        for (std::size_t i = 0; i < count; ++i) {
            const PacketTime &picture = pictures[i];
            if (!picture.key || picture.pts == AV_NOPTS_VALUE)
                continue;
            if (picture.pts <= *start && (!key || picture.pts >= pictures[*key].pts))
                key = i;
            else if (!key && picture.pts > *start)
                break;
        }
        if (!key) {
            const auto firstKey = std::find_if(pictures.begin(), pictures.end(), [](const PacketTime &p) { return p.key && p.pts != AV_NOPTS_VALUE; });
            key = firstKey == pictures.end() ? 0 : static_cast<std::size_t>(firstKey - pictures.begin());
        }
        cut.first = *key;
        if (cut.first < count)
            cut.from = pictures[cut.first].pts;
    }
    if (!end || cut.first >= count)
        return cut;

    const auto shown = [&](std::size_t i) { return pictures[i].pts != AV_NOPTS_VALUE && (cut.from == AV_NOPTS_VALUE || pictures[i].pts >= cut.from); };
    std::size_t last = cut.first;
    for (std::size_t i = cut.first; i < count; ++i) {
        if (shown(i) && pictures[i].pts < *end)
            last = i;
    }
    // Everything read up to the last picture kept is kept (it may be decoded from any of it);
    // a picture read later but shown before one of those fills what would be a gap.
    std::int64_t latest = AV_NOPTS_VALUE;
    for (std::size_t i = cut.first; i <= last; ++i) {
        if (shown(i))
            latest = std::max(latest == AV_NOPTS_VALUE ? pictures[i].pts : latest, pictures[i].pts);
    }
    for (std::size_t i = last + 1; i < count && i <= last + reorder; ++i) {
        if (shown(i) && latest != AV_NOPTS_VALUE && pictures[i].pts < latest) {
            for (std::size_t between = last + 1; between <= i; ++between) {
                if (shown(between))
                    latest = std::max(latest, pictures[between].pts);
            }
            last = i;
        }
    }
    cut.last = last;
    return cut;
}

std::vector<PacketTime> ReadPacketTimes(const std::string &path, int picture, std::optional<std::int64_t> until)
{
    // Past the end, enough packets to find every picture shown before it.
    constexpr int Beyond = 64;
    FormatPtr format = openCopyInput(path);
    format->flags |= AVFMT_FLAG_GENPTS;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (static_cast<int>(i) != picture)
            format->streams[i]->discard = AVDISCARD_ALL;
    }
    std::vector<PacketTime> times;
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        throw std::bad_alloc();
    int beyond = 0;
    while (beyond < Beyond && av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == picture) {
            const std::int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            times.push_back({pts, (packet->flags & AV_PKT_FLAG_KEY) != 0});
            if (until && pts != AV_NOPTS_VALUE && pts >= *until)
                ++beyond;
        }
        av_packet_unref(packet.get());
    }
    return times;
}

TrimSpan TrimSpanOf(const InputTrim &trim, const AVStream *picture)
{
    const std::int64_t zero = picture->start_time != AV_NOPTS_VALUE ? picture->start_time : 0;
    const auto ticks = [&](double seconds) { return zero + av_rescale_q(std::llround(seconds * 1e6), AVRational{1, 1000000}, picture->time_base); };
    TrimSpan span;
    if (trim.start)
        span.start = ticks(*trim.start);
    if (trim.length)
        span.end = ticks(trim.start.value_or(0) + *trim.length);
    return span;
}

} // namespace velmora::encoder
