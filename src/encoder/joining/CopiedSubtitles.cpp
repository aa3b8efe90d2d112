#include "encoder/joining/CopiedSubtitles.h"

#include "encoder/Failure.h"
#include "encoder/fitting/Timing.h"
#include "encoder/joining/Tracks.h"
#include "encoder/reading/Probe.h"

#include <cstring>
#include <limits>
#include <vector>

extern "C" {
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
}

namespace velmora::encoder {

namespace {

constexpr AVRational Milliseconds{1, 1000};

CodecPtr subtitleDecoder(const AVStream *stream)
{
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    CodecPtr context(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0)
        return nullptr;
    context->pkt_timebase = stream->time_base;
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

} // namespace

CopiedSubtitles::CopiedSubtitles(AVStream *output, const AVStream *first, const Container &container, Writer write)
    : m_output(output)
    , m_write(std::move(write))
    , m_converts(convertsSubtitles(first->codecpar->codec_id, container))
{
    if (!m_converts) {
        if (avcodec_parameters_copy(output->codecpar, first->codecpar) < 0)
            throw std::bad_alloc();
        output->codecpar->codec_tag = 0;
        output->time_base = first->time_base;
        return;
    }
    // Text into the container's own text form: each cue read as text, and written anew.
    m_decoder = subtitleDecoder(first);
    const AVCodec *codec = avcodec_find_encoder(container.textSubtitles);
    m_encoder.reset(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!m_decoder || !m_encoder)
        throw Failure(std::string(), trackName(first, 0) + " cannot be converted into " + container.name + "'s own text subtitles");
    m_encoder->time_base = Milliseconds;
    if (m_decoder->subtitle_header && m_decoder->subtitle_header_size > 0) {
        m_encoder->subtitle_header = static_cast<std::uint8_t *>(av_mallocz(static_cast<std::size_t>(m_decoder->subtitle_header_size) + 1));
        if (!m_encoder->subtitle_header)
            throw std::bad_alloc();
        std::memcpy(m_encoder->subtitle_header, m_decoder->subtitle_header, static_cast<std::size_t>(m_decoder->subtitle_header_size));
        m_encoder->subtitle_header_size = m_decoder->subtitle_header_size;
    }
    if (avcodec_open2(m_encoder.get(), codec, nullptr) < 0 || avcodec_parameters_from_context(output->codecpar, m_encoder.get()) < 0)
        throw Failure(std::string(), trackName(first, 0) + " cannot be converted into " + container.name + "'s own text subtitles");
    output->time_base = Milliseconds;
}

CopiedSubtitles::~CopiedSubtitles() = default;

void CopiedSubtitles::begin(const AVStream *input, std::int64_t origin, AVRational originBase, std::int64_t offset, AVRational offsetBase,
                            double statedSeconds)
{
    m_origin = origin;
    m_originBase = originBase;
    m_offsetMicros = rescaleNearest(offset, offsetBase, Microseconds);
    m_limit = statedSeconds > 0 ? m_offsetMicros + static_cast<std::int64_t>(statedSeconds * AV_TIME_BASE)
                                : std::numeric_limits<std::int64_t>::max();
    m_leftOut = 0;
    m_held.clear();
    if (m_converts) {
        m_decoder = subtitleDecoder(input);
        if (!m_decoder)
            throw Failure(std::string(), trackName(input, 0) + " cannot be read");
    }
}

bool CopiedSubtitles::convert(AVPacket *packet)
{
    AVSubtitle subtitle{};
    int got = 0;
    if (avcodec_decode_subtitle2(m_decoder.get(), &subtitle, &got, packet) < 0 || !got)
        return false;
    std::vector<std::uint8_t> buffer(1 << 16);
    const int size = avcodec_encode_subtitle(m_encoder.get(), buffer.data(), static_cast<int>(buffer.size()), &subtitle);
    avsubtitle_free(&subtitle);
    if (size <= 0)
        return false;
    PacketPtr converted(av_packet_alloc());
    if (!converted || av_new_packet(converted.get(), size) < 0 || av_packet_copy_props(converted.get(), packet) < 0)
        throw std::bad_alloc();
    std::memcpy(converted->data, buffer.data(), static_cast<std::size_t>(size));
    converted->duration = packet->duration;
    av_packet_unref(packet);
    av_packet_move_ref(packet, converted.get());
    return true;
}

void CopiedSubtitles::take(AVPacket *packet, AVRational timeBase)
{
    if (packet->pts == AV_NOPTS_VALUE)
        packet->pts = packet->dts;
    if (packet->pts == AV_NOPTS_VALUE)
        return;
    const std::int64_t start = m_offsetMicros + rescaleNearest(packet->pts - rescaleNearest(m_origin, m_originBase, timeBase), timeBase, Microseconds);
    const std::int64_t length = std::max<std::int64_t>(0, rescaleNearest(packet->duration, timeBase, Microseconds));
    if (m_converts && !convert(packet))
        return;
    Held cue{PacketPtr(av_packet_alloc()), start, length};
    if (!cue.packet)
        throw std::bad_alloc();
    av_packet_move_ref(cue.packet.get(), packet);
    m_held.push_back(std::move(cue));
}

void CopiedSubtitles::write(Held &cue)
{
    const AVRational base = m_output->time_base;
    AVPacket *packet = cue.packet.get();
    std::int64_t start = rescaleNearest(cue.start, Microseconds, base);
    if (m_last != AV_NOPTS_VALUE && start <= m_last)
        start = m_last + 1;
    const std::int64_t end = std::min(cue.start + cue.length, m_limit);
    packet->pts = packet->dts = start;
    packet->duration = std::max<std::int64_t>(1, rescaleNearest(end, Microseconds, base) - start);
    packet->stream_index = m_output->index;
    packet->time_base = base;
    m_last = start;
    m_write(packet);
}

void CopiedSubtitles::release(std::int64_t pictureEnd, bool last)
{
    while (!m_held.empty() && m_held.front().start < pictureEnd) {
        write(m_held.front());
        m_held.pop_front();
    }
    if (last) {
        m_leftOut += static_cast<int>(m_held.size());
        m_held.clear();
    }
}

} // namespace velmora::encoder
