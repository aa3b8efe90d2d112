#include "encoder/joining/CopyJoin.h"

#include "encoder/Failure.h"
#include "encoder/Stopping.h"
#include "encoder/fitting/Timing.h"
#include "encoder/joining/CopiedSound.h"
#include "encoder/joining/CopiedSubtitles.h"
#include "encoder/joining/CopyCheck.h"
#include "encoder/joining/Tracks.h"
#include "encoder/joining/TrimCut.h"
#include "encoder/reading/DecodeTimes.h"
#include "encoder/reading/Probe.h"
#include "encoder/reading/Timeline.h"
#include "encoder/writing/Chapters.h"
#include "encoder/writing/Output.h"
#include "encoder/writing/Tags.h"

#include <cstring>
#include <memory>
#include <optional>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

namespace {

std::string counted(std::int64_t count, const char *one, const char *many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

class CopyJoin
{
public:
    CopyJoin(const EncodeJob &job, Reporter &reporter, const Container &container, std::optional<AVRational> partRate = std::nullopt)
        : m_job(job)
        , m_reporter(reporter)
        , m_container(container)
        , m_partRate(partRate)
    {
    }

    void run()
    {
        m_survey = surveyCopy(m_job.inputs, m_container, {}, m_job.inputTrims);
        for (const std::string &line : m_survey.losses)
            m_reporter.note(line);
        m_reporter.expect(m_survey.pictureSeconds);
        m_chapters.emplace(m_container, m_survey.titles);
        for (std::size_t index = 0; index < m_job.inputs.size(); ++index) {
            // One input open at a time: its file handle and buffers go before the next one's.
            FormatPtr format = openCopyInput(m_job.inputs[index]);
            const TrackLayout layout = layoutOf(format.get(), m_container);
            if (index == 0)
                open(format.get(), layout);
            copy(index, format.get(), layout);
        }
        m_chapters->finish(m_format.get(), m_pictureOffset, m_videoBase);
        check(av_write_trailer(m_format.get()), "cannot finish it");
        const int closed = avio_closep(&m_format->pb);
        if (closed < 0)
            throw Failure(m_job.output, "cannot write it: " + errorText(closed));
        m_partial.keep();
        m_reporter.position(static_cast<double>(m_pictureOffset) * av_q2d(m_videoBase), m_frames, true);
    }

private:
    void check(int result, const char *what)
    {
        if (stopping())
            throw Failure(m_job.output, "stopped");
        if (result < 0)
            throw Failure(m_job.output, std::string(what) + ": " + errorText(result));
    }

    AVStream *newStream()
    {
        AVStream *stream = avformat_new_stream(m_format.get(), nullptr);
        if (!stream)
            throw std::bad_alloc();
        return stream;
    }

    // What a track is, beside its packets: its tags (language, title), its flags (default,
    // forced) and its side data (the turn of a phone's picture).
    void describe(AVStream *stream, const AVStream *input) const
    {
        setTags(&stream->metadata, trackTags(input->metadata, m_container));
        stream->disposition = input->disposition & ~AV_DISPOSITION_ATTACHED_PIC;
        for (int i = 0; i < input->nb_side_data; ++i) {
            const AVPacketSideData &data = input->side_data[i];
            std::uint8_t *copy = av_stream_new_side_data(stream, data.type, data.size);
            if (!copy)
                throw std::bad_alloc();
            std::memcpy(copy, data.data, data.size);
        }
    }

    AVStream *copiedStream(const AVStream *input)
    {
        AVStream *stream = newStream();
        if (avcodec_parameters_copy(stream->codecpar, input->codecpar) < 0)
            throw std::bad_alloc();
        stream->codecpar->codec_tag = 0; // the output container's own
        stream->time_base = input->time_base;
        stream->avg_frame_rate = input->avg_frame_rate;
        stream->r_frame_rate = input->r_frame_rate;
        stream->sample_aspect_ratio = input->sample_aspect_ratio;
        // The container's shape is the one shown (MPEG-1's own can only come near it), and
        // muxers want the two alike.
        if (input->sample_aspect_ratio.num > 0)
            stream->codecpar->sample_aspect_ratio = input->sample_aspect_ratio;
        describe(stream, input);
        return stream;
    }

    void write(AVPacket *packet)
    {
        check(av_interleaved_write_frame(m_format.get(), packet), "cannot write it");
    }

    // The output, with its tracks as the first input has them.
    void open(const AVFormatContext *first, const TrackLayout &layout)
    {
        const std::string &path = m_job.output;
        const AVStream *video = first->streams[layout.picture];
        AVFormatContext *format = nullptr;
        const int allocated = avformat_alloc_output_context2(&format, nullptr, m_container.muxerFor(video->codecpar->codec_id),
                                                             ("file:" + path).c_str());
        m_format.reset(format);
        if (allocated < 0 || !m_format)
            throw Failure(path, std::string("cannot write ") + m_container.name + " files: " + errorText(allocated));
        m_format->interrupt_callback = AVIOInterruptCB{interruptedByStop, nullptr};
        const auto writer = [this](AVPacket *packet) { write(packet); };
        m_video = copiedStream(video);
        // Parts keep their times in Matroska's milliseconds: the output counts whole frames,
        // which AVI cannot do without.
        if (m_partRate)
            m_video->time_base = av_inv_q(*m_partRate);
        if (video->codecpar->codec_id == AV_CODEC_ID_HEVC && m_container.hevcTag)
            m_video->codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');
        for (const int sound : layout.sounds)
            m_sounds.push_back(std::make_unique<CopiedSound>(copiedStream(first->streams[sound]), m_container, writer));
        for (const int subtitle : layout.subtitles) {
            AVStream *stream = newStream();
            try {
                m_subtitles.push_back(std::make_unique<CopiedSubtitles>(stream, first->streams[subtitle], m_container, writer));
            } catch (const Failure &failure) {
                throw Failure(path, failure.what());
            }
            describe(stream, first->streams[subtitle]);
        }
        for (const CarriedFile &carried : m_survey.carried) {
            AVStream *stream = newStream();
            stream->codecpar->codec_type = AVMEDIA_TYPE_ATTACHMENT;
            stream->codecpar->extradata = static_cast<std::uint8_t *>(av_mallocz(carried.bytes.size() + AV_INPUT_BUFFER_PADDING_SIZE));
            if (!stream->codecpar->extradata)
                throw std::bad_alloc();
            std::memcpy(stream->codecpar->extradata, carried.bytes.data(), carried.bytes.size());
            stream->codecpar->extradata_size = static_cast<int>(carried.bytes.size());
            setTags(&stream->metadata, {{"filename", carried.name}, {"mimetype", carried.mimetype}});
        }
        // What the camera wrote (for parts, the file the first was made from), and what the
        // command line says of the output.
        Tags tags = m_partRate ? sourceFileTags(first) : fileTags(first->metadata);
        tags.insert(tags.end(), m_job.info.begin(), m_job.info.end());
        setTags(&m_format->metadata, tags);

        const int created = avio_open2(&m_format->pb, ("file:" + path).c_str(), AVIO_FLAG_WRITE, &m_format->interrupt_callback, nullptr);
        if (created < 0)
            throw Failure(path, openFailureText(created, "created", "create"), Failure::RunStatus, created);
        m_partial.created(path);
        Options options;
        std::string flags = m_container.faststart ? "+faststart" : "";
        if (needsNamedTags(tags, m_container))
            flags += "+use_metadata_tags";
        if (!flags.empty())
            options.set("movflags", flags.c_str());
        check(avformat_write_header(m_format.get(), options.get()), "cannot write it");
        m_videoBase = m_video->time_base;
    }

    // One input into the output, after what is there.
    void copy(std::size_t index, AVFormatContext *format, const TrackLayout &layout)
    {
        const std::string &path = m_job.inputs[index];
        format->flags |= AVFMT_FLAG_GENPTS; // AVI and the like: pictures without display times
        // Which output track each of the input's streams goes to.
        enum class Kind { None, Picture, Sound, Subtitle };
        std::vector<std::pair<Kind, std::size_t>> route(format->nb_streams, {Kind::None, 0});
        route[static_cast<std::size_t>(layout.picture)] = {Kind::Picture, 0};
        for (std::size_t i = 0; i < layout.sounds.size() && i < m_sounds.size(); ++i)
            route[static_cast<std::size_t>(layout.sounds[i])] = {Kind::Sound, i};
        for (std::size_t i = 0; i < layout.subtitles.size() && i < m_subtitles.size(); ++i)
            route[static_cast<std::size_t>(layout.subtitles[i])] = {Kind::Subtitle, i};
        for (unsigned i = 0; i < format->nb_streams; ++i) {
            if (route[i].first == Kind::None)
                format->streams[i]->discard = AVDISCARD_ALL;
        }
        const AVStream *video = format->streams[layout.picture];
        // Times as the timeline hands them on: made continuous across the jumps of broadcast
        // recordings, and never far past the input's stated end (damage must not make a join
        // hours long).
        const AVRational videoBase = Timeline::workingTimeBase(video);

        // The input's moment zero: its picture's start; for an input cut between key
        // pictures, its cut where the output can start it there, else its key picture.
        const StartCut &cut = m_survey.cuts[index];
        const bool exactCut = index == 0 && m_container.editsPriming;
        // A trimmed input: the pictures from the key picture at or before its start, up to its
        // end, found by reading its picture's packets through first.
        const InputTrim trim = index < m_job.inputTrims.size() ? m_job.inputTrims[index] : InputTrim{};
        std::optional<TrimCut> trimCut;
        if (!trim.keepsWhole()) {
            const TrimSpan span = TrimSpanOf(trim, video);
            trimCut = PlanTrimCut(ReadPacketTimes(path, layout.picture, span.end), span.start, span.end);
        }
        std::int64_t origin = 0;
        if (trimCut && trimCut->from != AV_NOPTS_VALUE)
            origin = rescaleNearest(trimCut->from, video->time_base, videoBase);
        else if (!exactCut && cut.pictures > 0 && cut.from != AV_NOPTS_VALUE)
            origin = rescaleNearest(cut.from, video->time_base, videoBase);
        else if (video->start_time != AV_NOPTS_VALUE)
            origin = rescaleNearest(video->start_time, video->time_base, videoBase);
        else if (format->start_time != AV_NOPTS_VALUE)
            origin = rescaleNearest(format->start_time, Microseconds, videoBase);
        const AVRational rate = video->avg_frame_rate.num > 0 ? video->avg_frame_rate : video->r_frame_rate;
        const std::int64_t frameMicros = plausibleFrameRate(rate) ? rescaleNearest(1, av_inv_q(rate), Microseconds) : AV_TIME_BASE / 25;
        const std::int64_t frameLength = std::max<std::int64_t>(1, rescaleNearest(frameMicros, Microseconds, videoBase));
        const double stated = statedSeconds(format, layout.picture, layout.mainSound);
        Timeline timeline(format, rescaleNearest(origin, videoBase, Microseconds), stated, frameMicros);
        DecodeTimes decodeTimes(video->codecpar->video_delay, frameLength);

        m_chapters->begins(index, m_pictureOffset, m_videoBase);
        m_chapters->brings(index, format, origin, videoBase);
        const double pictureSeconds = video->duration != AV_NOPTS_VALUE && video->duration > 0
                                          ? static_cast<double>(video->duration) * av_q2d(video->time_base)
                                          : std::max(stated, 0.0);
        for (std::size_t i = 0; i < m_sounds.size(); ++i)
            m_sounds[i]->begin(format->streams[layout.sounds[i]], origin, videoBase, m_pictureOffset, m_videoBase, index == 0);
        for (std::size_t i = 0; i < m_subtitles.size(); ++i)
            m_subtitles[i]->begin(format->streams[layout.subtitles[i]], origin, videoBase, m_pictureOffset, m_videoBase, pictureSeconds);

        const std::int64_t offsetMicros = rescaleNearest(m_pictureOffset, m_videoBase, Microseconds);
        // Where this input's picture has got to so far, from its start, in its own time base.
        std::int64_t pictureEnd = 0;
        bool keyFound = false;
        int beforeKey = 0;
        std::size_t pictureIndex = 0; // picture packets read so far, as the trim counts them
        const std::int64_t trimFrom = trimCut && trimCut->from != AV_NOPTS_VALUE ? origin : AV_NOPTS_VALUE;
        const auto releaseAll = [&](bool last) {
            const std::int64_t end = offsetMicros + rescaleNearest(pictureEnd, videoBase, Microseconds);
            for (const auto &sound : m_sounds)
                sound->release(end, last);
            for (const auto &subtitles : m_subtitles)
                subtitles->release(end, last);
        };
        // A picture with its decoding time, into the output.
        std::vector<PacketPtr> ready;
        const auto writePictures = [&]() {
            for (PacketPtr &picture : ready) {
                AVPacket *packet = picture.get();
                const std::int64_t from = packet->pts - origin;
                const std::int64_t length = packet->duration > 0 ? packet->duration : frameLength;
                pictureEnd = std::max(pictureEnd, from + length);
                packet->pts = rescaleNearest(from, videoBase, m_videoBase) + m_pictureOffset;
                packet->dts = rescaleNearest(packet->dts - origin, videoBase, m_videoBase) + m_pictureOffset;
                // Strictly rising decoding times across the join; a picture never shown before
                // it is decoded.
                if (m_lastPicture != AV_NOPTS_VALUE && packet->dts <= m_lastPicture)
                    packet->dts = m_lastPicture + 1;
                if (packet->pts < packet->dts) {
                    packet->pts = packet->dts;
                    ++m_latePictures;
                }
                m_lastPicture = packet->dts;
                packet->duration = rescaleNearest(length, videoBase, m_videoBase);
                packet->stream_index = m_video->index;
                packet->time_base = m_videoBase;
                packet->flags &= ~AV_PKT_FLAG_DISCARD;
                write(packet);
                ++m_frames;
                m_reporter.position(std::max(0.0, static_cast<double>(m_pictureOffset) * av_q2d(m_videoBase)
                                                      + static_cast<double>(from) * av_q2d(videoBase)),
                                    m_frames, false);
                releaseAll(false);
            }
            ready.clear();
        };

        // One packet, placed on the input's timeline, into the output.
        const auto take = [&](PacketPtr &packet) {
            const auto [kind, track] = route[static_cast<std::size_t>(packet->stream_index)];
            const AVRational base = Timeline::workingTimeBase(format->streams[packet->stream_index]);
            if (kind == Kind::Sound) {
                // A trimmed input's sound before its start is not its own.
                if (trimFrom != AV_NOPTS_VALUE && packet->pts != AV_NOPTS_VALUE
                    && rescaleNearest(packet->pts + std::max<std::int64_t>(packet->duration, 0), base, videoBase) <= trimFrom)
                    return;
                m_sounds[track]->take(packet.get(), base);
                m_sounds[track]->release(offsetMicros + rescaleNearest(pictureEnd, videoBase, Microseconds), false);
                return;
            }
            if (kind == Kind::Subtitle) {
                m_subtitles[track]->take(packet.get(), base);
                return;
            }
            const std::size_t read = pictureIndex++;
            if (packet->pts == AV_NOPTS_VALUE)
                packet->pts = packet->dts;
            if (trimCut) {
                TrimCut placed = *trimCut;
                placed.from = trimFrom;
                if (!placed.keeps(read, packet->pts))
                    return;
            }
            if (packet->pts == AV_NOPTS_VALUE)
                return;
            // A file cut out of a longer one may begin with pictures that need the ones before.
            if (!keyFound && !(packet->flags & AV_PKT_FLAG_KEY)) {
                ++beforeKey;
                return;
            }
            keyFound = true;
            PacketPtr picture(av_packet_alloc());
            if (!picture)
                throw std::bad_alloc();
            av_packet_move_ref(picture.get(), packet.get());
            decodeTimes.push(std::move(picture), ready);
            writePictures();
        };

        // Each packet goes on once the one after it in its stream is known: a time out of line
        // with both its neighbours is damage, not a jump.
        PacketPtr packet(av_packet_alloc());
        if (!packet)
            throw std::bad_alloc();
        std::vector<PacketPtr> waiting(format->nb_streams);
        bool pastEnd = false;
        for (;;) {
            if (stopping())
                throw Failure(m_job.output, "stopped");
            // A trimmed input is read on past its last picture only as far as its sound can be
            // stored behind it.
            if (trimCut && trimCut->last && pictureIndex > *trimCut->last + 64)
                break;
            const int read = av_read_frame(format, packet.get());
            if (read == AVERROR_EOF)
                break;
            if (read < 0) {
                if (stopping())
                    throw Failure(m_job.output, "stopped");
                m_reporter.note(path + ": cannot be read past " + secondsText(static_cast<double>(pictureEnd) * av_q2d(videoBase)) + " s ("
                                + errorText(read) + "); the rest of it is left out.");
                break;
            }
            const auto stream = static_cast<std::size_t>(packet->stream_index);
            if (stream < waiting.size() && route[stream].first == Kind::Subtitle) {
                // Cues come seconds apart: by the time the next one is read, the other streams
                // have moved on, and the one before would look out of line with them.
                if (!timeline.place(packet.get(), format->streams[stream], nullptr)) {
                    pastEnd = true;
                    break;
                }
                take(packet);
            } else if (stream < waiting.size() && route[stream].first != Kind::None) {
                PacketPtr &before = waiting[stream];
                if (before) {
                    if (!timeline.place(before.get(), format->streams[stream], packet.get())) {
                        pastEnd = true;
                        break;
                    }
                    take(before);
                    before.reset();
                }
                before.reset(av_packet_alloc());
                if (!before)
                    throw std::bad_alloc();
                av_packet_move_ref(before.get(), packet.get());
            }
            av_packet_unref(packet.get());
        }
        for (std::size_t stream = 0; stream < waiting.size() && !pastEnd; ++stream) {
            PacketPtr &last = waiting[stream];
            if (last && timeline.place(last.get(), format->streams[stream], nullptr))
                take(last);
            else if (last)
                pastEnd = true;
        }
        decodeTimes.finish(ready);
        writePictures();
        m_latePictures += decodeTimes.late();
        if (pastEnd && !trimCut)
            m_reporter.note(path + ": holds more than its stated " + secondsText(stated) + " s; the rest of it is left out.");
        if (timeline.jumps() > 0)
            m_reporter.note(path + ": its times jump " + counted(timeline.jumps(), "time", "times") + "; it is joined straight on across them.");
        if (!keyFound)
            throw Failure(path, "none of its pictures could be read", Failure::InputStatus);
        releaseAll(true);
        if (beforeKey > 0)
            m_reporter.note(path + ": " + std::to_string(beforeKey)
                            + (beforeKey == 1 ? " picture before its first key picture is" : " pictures before its first key picture are")
                            + " left out; they cannot be shown without the ones before them.");
        if (m_latePictures > 0)
            m_reporter.note(path + ": " + counted(m_latePictures, "picture's time comes", "pictures' times come")
                            + " before it can be decoded (damaged times); they are shown as soon as they are decoded.");
        m_latePictures = 0;
        for (std::size_t i = 0; i < m_sounds.size(); ++i) {
            const double leftOut = m_sounds[i]->leftOutSeconds();
            if (leftOut >= 0.05 && !trimCut)
                m_reporter.note(path + ": " + (m_sounds.size() == 1 ? std::string("its sound") : trackName(format->streams[layout.sounds[i]], static_cast<int>(i) + 1))
                                + " runs " + secondsText(leftOut) + " s past its picture; that part is left out.");
        }
        for (std::size_t i = 0; i < m_subtitles.size(); ++i) {
            if (const int cues = m_subtitles[i]->leftOut(); cues > 0 && !trimCut)
                m_reporter.note(path + ": " + counted(cues, "cue", "cues") + " of " + trackName(format->streams[layout.subtitles[i]], static_cast<int>(i) + 1)
                                + " begin after its picture ends; they are left out.");
        }
        m_pictureOffset += rescaleNearest(pictureEnd, videoBase, m_videoBase);
    }

    const EncodeJob &m_job;
    Reporter &m_reporter;
    const Container &m_container;
    const std::optional<AVRational> m_partRate; // a join of parts: their frame rate
    CopySurvey m_survey;
    std::optional<JoinChapters> m_chapters;
    // Declared before the format, so it goes last: the file is closed before it is removed.
    PartialFile m_partial;
    OutputFormatPtr m_format;
    AVStream *m_video = nullptr; // owned by m_format
    std::vector<std::unique_ptr<CopiedSound>> m_sounds;
    std::vector<std::unique_ptr<CopiedSubtitles>> m_subtitles;
    AVRational m_videoBase{1, 1};
    std::int64_t m_pictureOffset = 0;            // where the next input begins, in m_videoBase
    std::int64_t m_lastPicture = AV_NOPTS_VALUE; // the last picture's decoding time written
    std::int64_t m_frames = 0;
    int m_latePictures = 0;
};

} // namespace

void runCopyJoin(const EncodeJob &job, Reporter &reporter)
{
    const Container *container = containerForFile(job.output);
    if (!container)
        throw UsageError(job.output + ": Velmora does not write this type of file; it writes " + knownExtensions() + ".");
    CopyJoin(job, reporter, *container).run();
}

void runPartsJoin(const EncodeJob &job, AVRational frameRate, Reporter &reporter)
{
    const Container *container = containerForFile(job.output);
    if (!container)
        throw UsageError(job.output + ": Velmora does not write this type of file; it writes " + knownExtensions() + ".");
    CopyJoin(job, reporter, *container, frameRate).run();
}

} // namespace velmora::encoder
