#include "encoder/joining/CopiedSound.h"

#include "encoder/Failure.h"
#include "encoder/fitting/Timing.h"

extern "C" {
#include <libavutil/intreadwrite.h>
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

namespace {

bool decodesWholeFrames(AVCodecID codec)
{
    return codec == AV_CODEC_ID_AAC || codec == AV_CODEC_ID_MP3 || codec == AV_CODEC_ID_MP2 || codec == AV_CODEC_ID_AC3
           || codec == AV_CODEC_ID_EAC3 || codec == AV_CODEC_ID_WMAV1 || codec == AV_CODEC_ID_WMAV2;
}

} // namespace

CopiedSound::CopiedSound(AVStream *output, const Container &container, Writer write)
    : m_output(output)
    , m_container(container)
    , m_write(std::move(write))
    , m_base(output->time_base)
{
}

void CopiedSound::begin(const AVStream *input, std::int64_t origin, AVRational originBase, std::int64_t offset, AVRational offsetBase,
                        bool firstInput)
{
    m_base = m_output->time_base; // as the muxer set it
    m_input = input;
    m_firstInput = firstInput;
    m_origin = origin;
    m_originBase = originBase;
    m_offset = rescaleNearest(offset, offsetBase, m_base);
    m_offsetMicros = rescaleNearest(offset, offsetBase, Microseconds);
    m_next = AV_NOPTS_VALUE;
    m_leftOut = 0;
    m_wholeFrame = 0;
    m_spaced = 0;
    m_held.clear();
}

void CopiedSound::take(AVPacket *packet, AVRational timeBase)
{
    const AVCodecParameters *codec = m_input->codecpar;
    if (packet->pts == AV_NOPTS_VALUE)
        packet->pts = m_next;
    if (packet->pts == AV_NOPTS_VALUE)
        return;
    std::int64_t length = packet->duration;
    if (length <= 0 && codec->frame_size > 0 && codec->sample_rate > 0)
        length = rescaleNearest(codec->frame_size, AVRational{1, codec->sample_rate}, timeBase);
    m_next = packet->pts + std::max<std::int64_t>(length, 0);
    const std::int64_t from = packet->pts - rescaleNearest(m_origin, m_originBase, timeBase);
    const std::int64_t start = rescaleNearest(from, timeBase, m_base) + m_offset;
    const std::int64_t outLength = rescaleNearest(length, timeBase, m_base);
    const std::int64_t at = m_offsetMicros + rescaleNearest(from, timeBase, Microseconds);
    const std::int64_t micros = rescaleNearest(length, timeBase, Microseconds);
    // The first input's priming before its first picture is left out, but where the output
    // skips it: an edit list, or Opus's delay declared in the stream's header. A later input's
    // priming goes by the rule below, against the sound before it.
    const bool keepsPriming = m_container.editsPriming || (m_container.declaresOpusDelay && codec->codec_id == AV_CODEC_ID_OPUS);
    if (m_firstInput && !keepsPriming && start + outLength <= m_offset)
        return;
    if (!m_firstInput) {
        // What the decoder skips at the start of a file is no skip inside one.
        std::size_t size = 0;
        if (std::uint8_t *skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &size); skip && size >= 4)
            AV_WL32(skip, 0);
    }
    const bool wholeFrames = decodesWholeFrames(codec->codec_id);
    // A short packet of these decodes to a whole frame: as long as the codec's frame, or
    // where that is not known, the longest packet. (Not by the stored lengths alone: Matroska
    // rounds them to milliseconds, and the longest, 22 ms of AAC's 21.3, would make the sound
    // seem to run ahead by a second in a minute.)
    if (wholeFrames && codec->frame_size > 0 && codec->sample_rate > 0) {
        m_wholeFrame = rescaleNearest(codec->frame_size, AVRational{1, codec->sample_rate}, Microseconds);
    } else if (wholeFrames) {
        // The codec's frame not stated (WMA's): the packets' mean spacing, which the rounding
        // of each one's time does not shift; the longest packet until there are two.
        if (m_spaced++ == 0)
            m_firstAt = at;
        m_wholeFrame = m_spaced > 1 ? (at - m_firstAt) / (m_spaced - 1) : std::max(m_wholeFrame, micros);
    }
    std::int64_t decodes = wholeFrames ? m_wholeFrame : micros;
    std::int64_t skipped = 0;
    std::size_t skipSize = 0;
    if (const std::uint8_t *skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &skipSize);
        skip && skipSize >= 4 && codec->sample_rate > 0) {
        const AVRational samples{1, codec->sample_rate};
        skipped = rescaleNearest(AV_RL32(skip), samples, Microseconds);
        // The padding at the end of a file's last packet, which Matroska keeps (DiscardPadding)
        // and a decoder leaves out, also inside the join.
        if (skipSize >= 8 && m_container.declaresOpusDelay)
            decodes = std::max<std::int64_t>(0, decodes - rescaleNearest(AV_RL32(skip + 4), samples, Microseconds));
    }
    Held sound{PacketPtr(av_packet_alloc()), start, outLength, at, decodes, std::min(skipped, decodes)};
    if (!sound.packet)
        throw std::bad_alloc();
    if (m_last != AV_NOPTS_VALUE && sound.start <= m_last)
        sound.start = m_last + 1;
    if (!m_held.empty() && sound.start <= m_held.back().start)
        sound.start = m_held.back().start + 1;
    av_packet_move_ref(sound.packet.get(), packet);
    m_held.push_back(std::move(sound));
}

void CopiedSound::release(std::int64_t pictureEnd, bool last)
{
    // A millisecond's leeway: the rounding of files that keep times in milliseconds.
    const std::int64_t end = pictureEnd + 1000;
    while (!m_held.empty()) {
        Held &next = m_held.front();
        const bool first = m_decoded == AV_NOPTS_VALUE;
        // Played on from the sound before, but after a gap longer than a packet: a gap in the
        // input itself, which stays a gap.
        const std::int64_t from = first ? next.at + next.skipped : next.at - m_decoded > next.decodes ? next.at : m_decoded;
        if (!first && 2 * (m_decoded - next.at) > next.decodes) {
            m_held.pop_front();
            continue;
        }
        if (2 * from + next.decodes > 2 * end) {
            if (!last)
                return;
            m_leftOut += next.length;
            m_held.pop_front();
            continue;
        }
        AVPacket *packet = next.packet.get();
        packet->pts = packet->dts = next.start;
        packet->duration = next.length;
        packet->stream_index = m_output->index;
        packet->time_base = m_base;
        packet->flags &= ~AV_PKT_FLAG_DISCARD;
        m_decoded = from + next.decodes - (first ? next.skipped : 0);
        m_last = next.start;
        m_write(packet);
        m_held.pop_front();
    }
}

double CopiedSound::leftOutSeconds() const
{
    return static_cast<double>(m_leftOut) * av_q2d(m_base);
}

} // namespace velmora::encoder
