#include "encoder/joining/CopyJoin.h"

#include "encoder/writing/Chapters.h"
#include "encoder/joining/CopyCheck.h"
#include "encoder/Failure.h"
#include "encoder/writing/Output.h"
#include "encoder/reading/Probe.h"
#include "encoder/Stopping.h"
#include "encoder/reading/Timeline.h"
#include "encoder/fitting/Timing.h"

#include <cstdio>
#include <cstring>
#include <deque>

extern "C" {
#include <libavutil/intreadwrite.h>
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

namespace {

constexpr AVRational Microseconds{1, AV_TIME_BASE};

std::int64_t rescaled(std::int64_t value, AVRational from, AVRational to)
{
    return av_rescale_q_rnd(value, from, to, static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
}

// A sound packet read but not yet written: it goes out once the picture has reached it, and
// is left out when the input's picture ends before it.
struct HeldSound
{
    PacketPtr packet;
    std::int64_t start = 0;   // in the output's sound time base
    std::int64_t length = 0;  // as stored
    // In microseconds, which the output's base may be too coarse for (Matroska's milliseconds
    // would lose a third of one at every AAC packet):
    std::int64_t at = 0;      // its start
    std::int64_t decodes = 0; // how much sound a decoder makes of it: AAC and MP3 make whole frames
    std::int64_t skipped = 0; // what a decoder leaves out at its start (the very first packet's priming)
};

class CopyJoin
{
public:
    CopyJoin(const EncodeJob &job, Reporter &reporter, const Container &container)
        : m_job(job)
        , m_reporter(reporter)
        , m_container(container)
        , m_sources(openCopySources(job.inputs, container))
        , m_chapters(container, titles())
    {
    }

    void run()
    {
        double total = 0;
        for (const CopySource &source : m_sources)
            total += source.pictureSeconds;
        m_reporter.expect(total);
        open();
        for (std::size_t i = 0; i < m_sources.size(); ++i) {
            copy(i);
            m_sources[i].format.reset(); // done with: its file handle and buffers go
        }
        m_chapters.finish(m_format.get(), m_pictureOffset, m_videoBase);
        check(av_write_trailer(m_format.get()), "cannot finish it");
        const int closed = avio_closep(&m_format->pb);
        if (closed < 0)
            throw Failure(m_job.output, "cannot write it: " + errorText(closed));
        m_partial.keep();
        m_reporter.position(static_cast<double>(m_pictureOffset) * av_q2d(m_videoBase), m_frames, true);
    }

private:
    std::vector<std::string> titles() const
    {
        std::vector<std::string> names;
        for (const CopySource &source : m_sources)
            names.push_back(chapterTitle(source.path, source.format.get()));
        return names;
    }

    void check(int result, const char *what)
    {
        if (stopping())
            throw Failure(m_job.output, "stopped");
        if (result < 0)
            throw Failure(m_job.output, std::string(what) + ": " + errorText(result));
    }

    AVStream *addStream(const AVStream *input)
    {
        AVStream *stream = avformat_new_stream(m_format.get(), nullptr);
        if (!stream || avcodec_parameters_copy(stream->codecpar, input->codecpar) < 0)
            throw Failure(m_job.output, "out of memory");
        stream->codecpar->codec_tag = 0; // the output container's own
        stream->time_base = input->time_base;
        stream->avg_frame_rate = input->avg_frame_rate;
        stream->r_frame_rate = input->r_frame_rate;
        stream->sample_aspect_ratio = input->sample_aspect_ratio;
        // The turn of a phone's picture, and the like.
        for (int i = 0; i < input->nb_side_data; ++i) {
            const AVPacketSideData &data = input->side_data[i];
            std::uint8_t *copy = av_stream_new_side_data(stream, data.type, data.size);
            if (!copy)
                throw Failure(m_job.output, "out of memory");
            std::memcpy(copy, data.data, data.size);
        }
        if (const AVDictionaryEntry *language = av_dict_get(input->metadata, "language", nullptr, 0))
            av_dict_set(&stream->metadata, "language", language->value, 0);
        return stream;
    }

    void open()
    {
        const std::string &path = m_job.output;
        const CopySource &first = m_sources.front();
        const AVStream *video = first.format->streams[first.video];
        AVFormatContext *format = nullptr;
        const int allocated = avformat_alloc_output_context2(&format, nullptr, m_container.muxerFor(video->codecpar->codec_id),
                                                             ("file:" + path).c_str());
        m_format.reset(format);
        if (allocated < 0 || !m_format)
            throw Failure(path, std::string("cannot write ") + m_container.name + " files: " + errorText(allocated));
        m_format->interrupt_callback = AVIOInterruptCB{interruptedByStop, nullptr};
        m_video = addStream(video);
        if (video->codecpar->codec_id == AV_CODEC_ID_HEVC && m_container.hevcTag)
            m_video->codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');
        if (first.audio >= 0)
            m_audio = addStream(first.format->streams[first.audio]);
        for (const auto &[key, value] : m_job.info)
            av_dict_set(&m_format->metadata, key.c_str(), value.c_str(), 0);

        const int created = avio_open2(&m_format->pb, ("file:" + path).c_str(), AVIO_FLAG_WRITE, &m_format->interrupt_callback, nullptr);
        if (created < 0)
            throw Failure(path, "cannot create it: " + errorText(created));
        m_partial.created(path);
        Options options;
        if (m_container.faststart)
            options.set("movflags", "+faststart");
        check(avformat_write_header(m_format.get(), options.get()), "cannot write it");
        m_videoBase = m_video->time_base;
        if (m_audio)
            m_soundBase = m_audio->time_base;
    }

    void write(AVPacket *packet)
    {
        check(av_interleaved_write_frame(m_format.get(), packet), "cannot write it");
    }

    // One input into the output, after what is there.
    void copy(std::size_t index)
    {
        CopySource &source = m_sources[index];
        AVFormatContext *format = source.format.get();
        format->flags |= AVFMT_FLAG_GENPTS; // AVI and the like: pictures without display times
        for (unsigned i = 0; i < format->nb_streams; ++i) {
            if (static_cast<int>(i) != source.video && static_cast<int>(i) != source.audio)
                format->streams[i]->discard = AVDISCARD_ALL;
        }
        const AVStream *video = format->streams[source.video];
        const AVStream *audio = source.audio >= 0 ? format->streams[source.audio] : nullptr;
        // Times as the timeline hands them on: made continuous across the jumps of broadcast
        // recordings, and never far past the input's stated end (damage must not make a join
        // hours long).
        const AVRational videoBase = Timeline::workingTimeBase(video);
        const AVRational soundBase = audio ? Timeline::workingTimeBase(audio) : AVRational{1, 1};

        // The input's moment zero: its picture's start.
        std::int64_t origin = 0;
        if (video->start_time != AV_NOPTS_VALUE)
            origin = rescaled(video->start_time, video->time_base, videoBase);
        else if (format->start_time != AV_NOPTS_VALUE)
            origin = rescaled(format->start_time, Microseconds, videoBase);
        const AVRational rate = video->avg_frame_rate.num > 0 ? video->avg_frame_rate : video->r_frame_rate;
        const std::int64_t frameMicros = plausibleFrameRate(rate) ? rescaled(1, av_inv_q(rate), Microseconds) : AV_TIME_BASE / 25;
        const std::int64_t frameLength = std::max<std::int64_t>(1, rescaled(frameMicros, Microseconds, videoBase));
        const double stated = statedSeconds(format, source.video, source.audio);
        Timeline timeline(format, rescaled(origin, videoBase, Microseconds), stated, frameMicros);

        m_chapters.begins(index, m_pictureOffset, m_videoBase);
        const std::int64_t soundOffset = m_audio ? rescaled(m_pictureOffset, m_videoBase, m_soundBase) : 0;
        const std::int64_t soundOrigin = audio ? rescaled(origin, videoBase, soundBase) : 0;
        // Where this input's picture has got to so far, from its start, in its own time base.
        std::int64_t pictureEnd = 0;
        bool keyFound = false;
        int beforeKey = 0;
        std::int64_t nextSound = AV_NOPTS_VALUE;
        std::int64_t leftOut = 0; // sound left out past the picture's end, in the output's base
        std::deque<HeldSound> held;
        std::int64_t wholeFrame = 0;

        // Sound goes out in order, once the picture has reached it. Players make sound of the
        // packets one after another: m_decoded is where that sound has got to, which may run
        // ahead of a packet's time (AAC's last packet of a file stores part of a frame and
        // decodes to a whole one) or behind it (a packet left out). A packet is left out that
        // would mostly play over sound already out, or mostly past its input's last picture;
        // so the sound at a join is never off by more than half a packet, and that never adds up.
        const std::int64_t offsetMicros = rescaled(m_pictureOffset, m_videoBase, Microseconds);
        const auto release = [&](bool last) {
            // A millisecond's leeway: the rounding of files that keep times in milliseconds.
            const std::int64_t end = offsetMicros + rescaled(pictureEnd, videoBase, Microseconds) + 1000;
            while (!held.empty()) {
                HeldSound &next = held.front();
                const bool first = m_decoded == AV_NOPTS_VALUE;
                // Played on from the sound before, but after a gap longer than a packet: a gap in
                // the input itself, which stays a gap.
                const std::int64_t from = first ? next.at + next.skipped
                                                : next.at - m_decoded > next.decodes ? next.at : m_decoded;
                if (!first && 2 * (m_decoded - next.at) > next.decodes) {
                    held.pop_front();
                    continue;
                }
                if (2 * from + next.decodes > 2 * end) {
                    if (!last)
                        return;
                    leftOut += next.length;
                    held.pop_front();
                    continue;
                }
                AVPacket *packet = next.packet.get();
                packet->pts = packet->dts = next.start;
                packet->duration = next.length;
                packet->stream_index = m_audio->index;
                packet->time_base = m_soundBase;
                m_decoded = from + next.decodes - (first ? next.skipped : 0);
                m_lastSound = next.start;
                write(packet);
                held.pop_front();
            }
        };

        // One packet, placed on the input's timeline, into the output.
        const auto take = [&](AVPacket *packet) {
            if (packet->stream_index == source.video) {
                if (packet->pts == AV_NOPTS_VALUE)
                    packet->pts = packet->dts;
                if (packet->pts == AV_NOPTS_VALUE) {
                    av_packet_unref(packet);
                    return;
                }
                // A file cut out of a longer one may begin with pictures that need the ones before.
                if (!keyFound && !(packet->flags & AV_PKT_FLAG_KEY)) {
                    ++beforeKey;
                    av_packet_unref(packet);
                    return;
                }
                keyFound = true;
                const std::int64_t from = packet->pts - origin;
                const std::int64_t length = packet->duration > 0 ? packet->duration : frameLength;
                pictureEnd = std::max(pictureEnd, from + length);
                packet->pts = rescaled(from, videoBase, m_videoBase) + m_pictureOffset;
                if (packet->dts != AV_NOPTS_VALUE) {
                    packet->dts = rescaled(packet->dts - origin, videoBase, m_videoBase) + m_pictureOffset;
                    if (m_lastPicture != AV_NOPTS_VALUE && packet->dts <= m_lastPicture)
                        packet->dts = m_lastPicture + 1;
                    if (packet->dts > packet->pts)
                        throw Failure(source.path, "cannot be joined without re-encoding: its pictures' order does not "
                                                   "follow on from the file before it");
                    m_lastPicture = packet->dts;
                }
                packet->duration = rescaled(length, videoBase, m_videoBase);
                packet->stream_index = m_video->index;
                packet->time_base = m_videoBase;
                write(packet);
                ++m_frames;
                m_reporter.position(static_cast<double>(m_pictureOffset) * av_q2d(m_videoBase)
                                        + static_cast<double>(from) * av_q2d(videoBase),
                                    m_frames, false);
                release(false);
            } else if (audio && packet->stream_index == source.audio) {
                if (packet->pts == AV_NOPTS_VALUE)
                    packet->pts = nextSound;
                if (packet->pts == AV_NOPTS_VALUE) {
                    av_packet_unref(packet);
                    return;
                }
                std::int64_t length = packet->duration;
                if (length <= 0 && audio->codecpar->frame_size > 0 && audio->codecpar->sample_rate > 0)
                    length = rescaled(audio->codecpar->frame_size, AVRational{1, audio->codecpar->sample_rate}, soundBase);
                nextSound = packet->pts + std::max<std::int64_t>(length, 0);
                const std::int64_t start = rescaled(packet->pts - soundOrigin, soundBase, m_soundBase) + soundOffset;
                const std::int64_t outLength = rescaled(length, soundBase, m_soundBase);
                const std::int64_t at = offsetMicros + rescaled(packet->pts - soundOrigin, soundBase, Microseconds);
                const std::int64_t micros = rescaled(length, soundBase, Microseconds);
                // The first input's priming before its first picture is left out, but where the
                // output skips it: an edit list, or Opus's delay declared in the stream's header.
                // A later input's priming goes by the rule below, against the sound before it.
                const bool keepsPriming = m_container.editsPriming
                                          || (m_container.declaresOpusDelay && audio->codecpar->codec_id == AV_CODEC_ID_OPUS);
                if (index == 0 && !keepsPriming && start + outLength <= soundOffset) {
                    av_packet_unref(packet);
                    return;
                }
                if (index > 0) {
                    // What the decoder skips at the start of a file is no skip inside one.
                    std::size_t size = 0;
                    if (std::uint8_t *skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &size); skip && size >= 4)
                        AV_WL32(skip, 0);
                }
                const AVCodecID codec = audio->codecpar->codec_id;
                const bool wholeFrames = codec == AV_CODEC_ID_AAC || codec == AV_CODEC_ID_MP3 || codec == AV_CODEC_ID_MP2
                                         || codec == AV_CODEC_ID_AC3 || codec == AV_CODEC_ID_EAC3;
                // A short packet of these decodes to a whole frame: as long as the longest one.
                if (wholeFrames)
                    wholeFrame = std::max(wholeFrame, micros);
                std::int64_t decodes = wholeFrames ? wholeFrame : micros;
                std::int64_t skipped = 0;
                std::size_t skipSize = 0;
                if (const std::uint8_t *skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &skipSize);
                    skip && skipSize >= 4 && audio->codecpar->sample_rate > 0) {
                    const AVRational samples{1, audio->codecpar->sample_rate};
                    skipped = rescaled(AV_RL32(skip), samples, Microseconds);
                    // The padding at the end of a file's last packet, which Matroska keeps
                    // (DiscardPadding) and a decoder leaves out, also inside the join.
                    if (skipSize >= 8 && m_container.declaresOpusDelay)
                        decodes = std::max<std::int64_t>(0, decodes - rescaled(AV_RL32(skip + 4), samples, Microseconds));
                }
                HeldSound sound{PacketPtr(av_packet_alloc()), start, outLength, at, decodes, std::min(skipped, decodes)};
                if (!sound.packet)
                    throw Failure(source.path, "out of memory");
                if (m_lastSound != AV_NOPTS_VALUE && sound.start <= m_lastSound)
                    sound.start = m_lastSound + 1;
                if (!held.empty() && sound.start <= held.back().start)
                    sound.start = held.back().start + 1;
                av_packet_move_ref(sound.packet.get(), packet);
                held.push_back(std::move(sound));
                release(false);
            }
        };

        // Each packet goes on once the one after it in its stream is known: a time out of line
        // with both its neighbours is damage, not a jump.
        PacketPtr packet(av_packet_alloc());
        PacketPtr waiting[2] = {PacketPtr(av_packet_alloc()), PacketPtr(av_packet_alloc())};
        bool isWaiting[2] = {false, false};
        if (!packet || !waiting[0] || !waiting[1])
            throw Failure(source.path, "out of memory");
        bool pastEnd = false;
        for (;;) {
            if (stopping())
                throw Failure(m_job.output, "stopped");
            const int read = av_read_frame(format, packet.get());
            if (read == AVERROR_EOF)
                break;
            if (read < 0) {
                if (stopping())
                    throw Failure(m_job.output, "stopped");
                m_reporter.note(source.path + ": cannot be read past "
                                + secondsText(static_cast<double>(pictureEnd) * av_q2d(videoBase)) + " s (" + errorText(read)
                                + "); the rest of it is left out.");
                break;
            }
            const int kind = packet->stream_index == source.video ? 0 : packet->stream_index == source.audio ? 1 : -1;
            if (kind >= 0) {
                AVPacket *before = waiting[kind].get();
                if (isWaiting[kind]) {
                    if (!timeline.place(before, format->streams[before->stream_index], packet.get())) {
                        pastEnd = true;
                        break;
                    }
                    take(before);
                    av_packet_unref(before);
                }
                av_packet_move_ref(before, packet.get());
                isWaiting[kind] = true;
            }
            av_packet_unref(packet.get());
        }
        for (int kind = 0; kind < 2 && !pastEnd; ++kind) {
            AVPacket *last = waiting[kind].get();
            if (isWaiting[kind] && timeline.place(last, format->streams[last->stream_index], nullptr))
                take(last);
            else if (isWaiting[kind])
                pastEnd = true;
        }
        if (pastEnd)
            m_reporter.note(source.path + ": holds more than its stated " + secondsText(stated) + " s; the rest of it is left out.");
        if (timeline.jumps() > 0)
            m_reporter.note(source.path + ": its times jump " + std::to_string(timeline.jumps())
                            + (timeline.jumps() == 1 ? " time" : " times") + "; it is joined straight on across them.");
        if (!keyFound)
            throw Failure(source.path, "none of its pictures could be read", Failure::InputStatus);
        release(true);
        if (beforeKey > 0)
            m_reporter.note(source.path + ": " + std::to_string(beforeKey)
                            + (beforeKey == 1 ? " picture before its first key picture is" : " pictures before its first key picture are")
                            + " left out; they cannot be shown without the ones before them.");
        if (m_audio && static_cast<double>(leftOut) * av_q2d(m_soundBase) >= 0.05)
            m_reporter.note(source.path + ": its sound runs " + secondsText(static_cast<double>(leftOut) * av_q2d(m_soundBase))
                            + " s past its picture; that part is left out.");
        m_pictureOffset += rescaled(pictureEnd, videoBase, m_videoBase);
    }

    const EncodeJob &m_job;
    Reporter &m_reporter;
    const Container &m_container;
    std::vector<CopySource> m_sources;
    JoinChapters m_chapters;
    // Declared before the format, so it goes last: the file is closed before it is removed.
    PartialFile m_partial;
    OutputFormatPtr m_format;
    AVStream *m_video = nullptr; // owned by m_format
    AVStream *m_audio = nullptr;
    AVRational m_videoBase{1, 1};
    AVRational m_soundBase{1, 1};
    std::int64_t m_pictureOffset = 0;             // where the next input begins, in m_videoBase
    std::int64_t m_lastPicture = AV_NOPTS_VALUE;  // the last picture's decoding time written
    std::int64_t m_decoded = AV_NOPTS_VALUE;      // where the sound played so far ends, in microseconds
    std::int64_t m_lastSound = AV_NOPTS_VALUE;
    std::int64_t m_frames = 0;
};

} // namespace

void runCopyJoin(const EncodeJob &job, Reporter &reporter)
{
    const Container *container = containerForFile(job.output);
    if (!container)
        throw UsageError(job.output + ": Velmora does not write this type of file; it writes " + knownExtensions() + ".");
    CopyJoin(job, reporter, *container).run();
}

} // namespace velmora::encoder
