#include "encoder/joining/Join.h"

#include "encoder/Failure.h"
#include "encoder/Owners.h"
#include "encoder/Stopping.h"
#include "encoder/fitting/Picture.h"
#include "encoder/fitting/Plan.h"
#include "encoder/fitting/Sound.h"
#include "encoder/fitting/Timing.h"
#include "encoder/joining/CopyJoin.h"
#include "encoder/joining/Parts.h"
#include "encoder/reading/Probe.h"
#include "encoder/reading/Timeline.h"
#include "encoder/writing/Chapters.h"
#include "encoder/writing/Output.h"
#include "encoder/writing/Tags.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include <sys/stat.h>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace velmora::encoder {

namespace {


// How far sound and pictures may drift apart in what has been written before the one that
// lags is made to keep up: the held picture is repeated, or silence stands in for sound
// that has not come. Files interleave their streams more closely than this.
constexpr int MarginSeconds = 2;

// How many inputs stay open from their probe to their run.
constexpr std::size_t KeptOpen = 8;

CodecPtr openDecoder(const AVStream *stream, AVRational timeBase, const std::string &path)
{
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context)
        throw Failure(path, "out of memory");
    if (avcodec_parameters_to_context(context.get(), stream->codecpar) < 0)
        return nullptr;
    context->pkt_timebase = timeBase;
    context->thread_count = 0;
    context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

bool sameFile(const std::string &a, const std::string &b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

// A time in a time base, rescaled; nothing when it does not fit.
std::optional<std::int64_t> rescaledTime(std::int64_t value, AVRational from, AVRational to)
{
    if (value == AV_NOPTS_VALUE)
        return std::nullopt;
    const std::int64_t result = av_rescale_q(value, from, to);
    if (result == AV_NOPTS_VALUE || result > INT64_MAX / 8 || result < -INT64_MAX / 8)
        return std::nullopt;
    return result;
}

// A transport stream is made of whole packets of 188 bytes (192 on camcorders and Blu-ray,
// 204 with error correction): one that ends in part of one was cut off.
bool partialTransportPacket(const AVFormatContext *format)
{
    if (std::string(format->iformat->name) != "mpegts" || !format->pb)
        return false;
    const std::int64_t size = avio_size(format->pb);
    return size > 0 && size % 188 != 0 && size % 192 != 0 && size % 204 != 0;
}

void throwIfStopping(const std::string &path)
{
    if (stopping())
        throw Failure(path, "stopped");
}

// One input, from its first packet to its last, into the output.
// A decoded sound frame's samples from `from` on, as a frame of its own.
FramePtr samplesFrom(const AVFrame *frame, int from)
{
    FramePtr rest(av_frame_alloc());
    if (!rest)
        throw Failure("", "out of memory");
    rest->format = frame->format;
    rest->sample_rate = frame->sample_rate;
    rest->nb_samples = frame->nb_samples - from;
    if (av_channel_layout_copy(&rest->ch_layout, &frame->ch_layout) < 0 || av_frame_get_buffer(rest.get(), 0) < 0)
        throw Failure("", "out of memory");
    av_samples_copy(rest->extended_data, frame->extended_data, 0, from, rest->nb_samples, frame->ch_layout.nb_channels,
                    static_cast<AVSampleFormat>(frame->format));
    return rest;
}

class InputRun
{
public:
    // part: the input is a part made for this join, whose sound its conversion already fitted
    // to its picture; it lasts as long as its picture (its sound's last packet runs over).
    // start: the input is used from so many seconds in (-ss); limit: only so many seconds of
    // it from there are used (-endpos).
    InputRun(InputInfo &info, const OutputPlan &plan, OutputFile &output, Reporter &reporter, std::int64_t beginSlot, bool part,
             std::optional<double> start, std::optional<double> limit)
        : m_info(info)
        , m_plan(plan)
        , m_output(output)
        , m_reporter(reporter)
        , m_picker(beginSlot)
        , m_beginSample(samplesAtSlot(beginSlot, plan.frameRate, plan.sound.sampleRate))
        , m_reserve(plan.sound.sampleRate / 4)
        , m_margin(static_cast<std::int64_t>(MarginSeconds) * plan.sound.sampleRate)
        , m_part(part)
        , m_start(start && *start > 0 ? start : std::nullopt)
        , m_limit(limit)
    {
    }

    // Runs the input; returns its length in seconds: its longest stream, as players show it,
    // within what it states. Its last picture is still held: end() writes it and the sound
    // up to the given slot.
    double run()
    {
        const std::string &path = m_info.path;
        open();
        PacketPtr packet(av_packet_alloc());
        FramePtr frame(av_frame_alloc());
        m_fitted.reset(av_frame_alloc());
        m_held.reset(av_frame_alloc());
        m_waiting[0].reset(av_packet_alloc());
        m_waiting[1].reset(av_packet_alloc());
        if (!packet || !frame || !m_fitted || !m_held || !m_waiting[0] || !m_waiting[1])
            throw Failure(path, "out of memory");

        while (!m_limitReached) {
            throwIfStopping(m_plan.path);
            const int read = av_read_frame(m_format.get(), packet.get());
            if (read == AVERROR_EOF)
                break;
            if (read < 0) {
                throwIfStopping(m_plan.path);
                // A damaged file ends where it broke; the inputs after it still count.
                m_reporter.note(path + ": cannot be read past " + secondsText(reachedSeconds()) + " s (" + errorText(read)
                                + "); the rest of it is left out.");
                m_broken = true;
                break;
            }
            const bool picture = packet->stream_index == m_videoIndex;
            const bool sound = m_soundDecoder && packet->stream_index == m_soundIndex;
            if (picture || sound) {
                // Each packet goes on once the one after it in its stream is known: a time out of
                // line with both its neighbours is damage, not a jump.
                const int kind = picture ? 0 : 1;
                if (m_isWaiting[kind] && !take(m_waiting[kind].get(), packet.get(), frame.get(), picture))
                    break;
                av_packet_move_ref(m_waiting[kind].get(), packet.get());
                m_isWaiting[kind] = true;
            }
            av_packet_unref(packet.get());
        }
        // The last packet of each stream, unless the input already ended at its stated end.
        for (int kind = 0; kind < 2 && !m_pastEnd; ++kind) {
            if (m_isWaiting[kind] && !take(m_waiting[kind].get(), nullptr, frame.get(), kind == 0))
                break;
        }
        decode(m_videoDecoder.get(), nullptr, frame.get(), true);
        if (m_soundDecoder)
            decode(m_soundDecoder.get(), nullptr, frame.get(), false);
        m_fitter->finish();
        takeFitted();
        if (!m_picker.holding())
            throw Failure(path, "none of its pictures could be decoded", Failure::InputStatus);
        if (m_aligner)
            m_aligner->finish();

        double length = m_part ? pictureSeconds() : std::max(pictureSeconds(), soundSeconds());
        if (m_stated > 0)
            length = std::min(length, m_stated + 1.0);
        if (m_limitReached || m_start)
            return length; // cut short on purpose
        if (!m_broken && (m_lastDamaged[0] || m_lastDamaged[1] || partialTransportPacket(m_format.get())))
            m_reporter.note(path + ": damaged at its end, at " + secondsText(length)
                            + " s; it may have been cut off. What could be read is used.");
        else if (m_stated > 0 && !m_broken && length < m_stated - 0.5)
            m_reporter.note(path + ": ends at " + secondsText(length) + " s of its stated " + secondsText(m_stated)
                            + " s; the rest of it could not be read.");
        if (const int strays = m_timeline->strayTimes(); strays > 0)
            m_reporter.note(path + ": " + std::to_string(strays) + (strays == 1 ? " packet has a time" : " packets have times")
                            + " out of line with the ones around; each is played in its place.");
        if (m_timeline->jumps() > 0)
            m_reporter.note(path + ": its times jump " + std::to_string(m_timeline->jumps())
                            + (m_timeline->jumps() == 1 ? " time" : " times") + "; it is played straight on across them.");
        return length;
    }

    // Ends the input at endSlot, or later where its last picture or its sound needs it: the
    // held picture fills the slots left, the sound is cut or padded with silence to the same
    // moment. Returns the slot where the input ended.
    std::int64_t end(std::int64_t endSlot)
    {
        writeSound(std::min<std::int64_t>(fifoSize(), wantedAt(endSlot) - m_soundWritten));
        // Sound already written is never taken back: the input lasts at least as long.
        const std::int64_t written = m_beginSample + m_soundWritten;
        std::int64_t covered = slotAtSample(written, m_plan.frameRate, m_plan.sound.sampleRate);
        if (samplesAtSlot(covered, m_plan.frameRate, m_plan.sound.sampleRate) < written)
            ++covered;
        const std::int64_t first = m_picker.next();
        writeHeld(first, m_picker.finish(std::max(endSlot, covered)));
        const std::int64_t ended = m_picker.next();
        const std::int64_t wanted = wantedAt(ended);
        writeSound(std::min<std::int64_t>(fifoSize(), wanted - m_soundWritten));
        writeSilence(wanted - m_soundWritten);
        return ended;
    }

private:
    void open()
    {
        const std::string &path = m_info.path;
        m_format = m_info.opened ? std::move(m_info.opened) : openInput(path);
        m_videoIndex = pictureStream(m_format.get());
        if (m_videoIndex < 0)
            throw Failure(path, "it holds no picture", Failure::InputStatus);
        m_soundIndex = soundStream(m_format.get(), m_videoIndex);
        for (unsigned i = 0; i < m_format->nb_streams; ++i) {
            if (static_cast<int>(i) != m_videoIndex && static_cast<int>(i) != m_soundIndex)
                m_format->streams[i]->discard = AVDISCARD_ALL;
        }
        m_video = m_format->streams[m_videoIndex];
        m_videoBase = Timeline::workingTimeBase(m_video);
        m_videoDecoder = openDecoder(m_video, m_videoBase, path);
        if (!m_videoDecoder)
            throw Failure(path, std::string("no decoder for its pictures (") + avcodec_get_name(m_video->codecpar->codec_id) + ")",
                          Failure::InputStatus);
        if (m_soundIndex >= 0) {
            m_sound = m_format->streams[m_soundIndex];
            m_soundBase = Timeline::workingTimeBase(m_sound);
            m_soundDecoder = openDecoder(m_sound, m_soundBase, path);
            if (!m_soundDecoder)
                m_reporter.note(path + ": no decoder for its sound (" + avcodec_get_name(m_sound->codecpar->codec_id)
                                + "): silence is used.");
        }

        // A picture's length where it states none: a frame at the stream's own rate, else 1/25 s.
        m_nominal = nominalFrameRate(m_video);
        const std::int64_t frameMicros = plausibleFrameRate(m_nominal) ? av_rescale_q(1, av_inv_q(m_nominal), Microseconds)
                                                                       : AV_TIME_BASE / 25;
        m_frameLength = std::max<std::int64_t>(1, av_rescale_q(frameMicros, Microseconds, m_videoBase));

        // The input's moment zero: its picture stream's start.
        std::optional<std::int64_t> origin = rescaledTime(m_video->start_time, m_video->time_base, m_videoBase);
        if (!origin && m_format->start_time != AV_NOPTS_VALUE)
            origin = rescaledTime(m_format->start_time, Microseconds, m_videoBase);
        m_origin = origin.value_or(0);
        m_end = m_origin;
        m_stated = statedSeconds(m_format.get(), m_videoIndex, m_soundIndex);
        m_timeline = std::make_unique<Timeline>(m_format.get(), av_rescale_q(m_origin, m_videoBase, Microseconds), m_stated,
                                                frameMicros);
        if (m_start)
            seekToStart();
        m_fitter = std::make_unique<PictureFitter>(m_plan.picture, m_format.get(), m_video, m_videoBase);
        if (m_soundDecoder)
            m_aligner = std::make_unique<SoundAligner>(m_plan.sound, path);
    }

    // Goes to the key picture at or before the start; from there on the input's moment zero is
    // the start, and what lies before it is decoded but not used. Where the file cannot be
    // sought, it is read from its beginning.
    void seekToStart()
    {
        const std::int64_t cut = m_origin + av_rescale_q(std::llround(*m_start * AV_TIME_BASE), Microseconds, m_videoBase);
        const std::int64_t cutMicros = av_rescale_q(cut, m_videoBase, Microseconds);
        const std::int64_t originMicros = av_rescale_q(m_origin, m_videoBase, Microseconds);
        // Not every file says truly where its key pictures are (a transport stream's seek lands
        // where it can): each place is tried by decoding its first picture, and a place whose
        // first picture comes after the start gives way to one further back.
        bool sought = false;
        for (std::int64_t back = 0; cutMicros - back > originMicros; back = back ? back * 2 : AV_TIME_BASE / 2) {
            const std::int64_t at = cutMicros - back;
            if (avformat_seek_file(m_format.get(), -1, INT64_MIN, at, at, 0) < 0)
                break;
            const std::optional<std::int64_t> first = firstPictureTime();
            avcodec_flush_buffers(m_videoDecoder.get());
            if (first && *first <= cut) {
                sought = avformat_seek_file(m_format.get(), -1, INT64_MIN, at, at, 0) >= 0;
                break;
            }
        }
        if (sought) {
            m_timeline->restart();
        } else if (avformat_seek_file(m_format.get(), -1, INT64_MIN, originMicros, originMicros, 0) < 0
                   && avformat_seek_file(m_format.get(), -1, 0, 0, 0, AVSEEK_FLAG_BYTE) < 0) {
            throw Failure(m_info.path, "cannot be read again from its start");
        }
        if (m_soundDecoder)
            avcodec_flush_buffers(m_soundDecoder.get());
        m_origin = cut;
        m_end = cut;
    }

    // The time of the first picture decoded from where the input was sought to; nothing when
    // none comes within a few hundred packets.
    std::optional<std::int64_t> firstPictureTime()
    {
        PacketPtr packet(av_packet_alloc());
        FramePtr frame(av_frame_alloc());
        if (!packet || !frame)
            throw Failure(m_info.path, "out of memory");
        for (int read = 0; read < 2000 && av_read_frame(m_format.get(), packet.get()) >= 0; ++read) {
            throwIfStopping(m_plan.path);
            if (packet->stream_index == m_videoIndex) {
                av_packet_rescale_ts(packet.get(), m_video->time_base, m_videoBase);
                avcodec_send_packet(m_videoDecoder.get(), packet.get());
                if (avcodec_receive_frame(m_videoDecoder.get(), frame.get()) >= 0) {
                    const std::int64_t time = frame->best_effort_timestamp;
                    return time == AV_NOPTS_VALUE ? std::nullopt : std::optional<std::int64_t>(time);
                }
            }
            av_packet_unref(packet.get());
        }
        return std::nullopt;
    }

    // Places a packet on the input's timeline and decodes it; next: the packet after it in its
    // stream. False when it lies past the input's stated end: the input ends there.
    bool take(AVPacket *packet, const AVPacket *next, AVFrame *frame, bool picture)
    {
        const bool within = m_timeline->place(packet, m_format->streams[packet->stream_index], next);
        if (within) {
            const bool damaged = packet->flags & AV_PKT_FLAG_CORRUPT;
            const bool decoded = decode(picture ? m_videoDecoder.get() : m_soundDecoder.get(), packet, frame, picture);
            m_lastDamaged[picture ? 0 : 1] = damaged || !decoded;
        } else {
            m_reporter.note(m_info.path + ": holds more than its stated " + secondsText(m_stated)
                            + " s; the rest of it is left out.");
            m_broken = true;
            m_pastEnd = true;
        }
        av_packet_unref(packet);
        return within;
    }

    // Decodes a packet (nullptr: what the decoder still holds). False when the decoder found it
    // damaged; a damaged packet is passed over, as players do.
    bool decode(AVCodecContext *decoder, const AVPacket *packet, AVFrame *frame, bool picture)
    {
        if (avcodec_send_packet(decoder, packet) < 0 && packet)
            return false;
        for (;;) {
            const int received = avcodec_receive_frame(decoder, frame);
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                return true;
            if (received < 0)
                return false;
            throwIfStopping(m_plan.path);
            if (picture)
                takePicture(frame);
            else
                takeSound(frame);
            av_frame_unref(frame);
        }
    }

    void takePicture(AVFrame *frame)
    {
        if (frame->best_effort_timestamp == AV_NOPTS_VALUE || frame->best_effort_timestamp > INT64_MAX / 8
            || frame->best_effort_timestamp < -INT64_MAX / 8)
            frame->best_effort_timestamp = m_end; // no time of its own: right after the last
        if (m_start && frame->best_effort_timestamp < m_origin)
            return; // before the start
        if (m_limit && static_cast<double>(frame->best_effort_timestamp - m_origin) * av_q2d(m_videoBase) >= *m_limit) {
            m_limitReached = true;
            return;
        }
        std::int64_t length = frame->pkt_duration;
        if (length <= 0 || av_compare_ts(length, m_videoBase, 10, AVRational{1, 1}) > 0)
            length = m_frameLength;
        m_end = std::max(m_end, frame->best_effort_timestamp + length);
        m_fitter->push(frame);
        takeFitted();
        pump();
    }

    void takeFitted()
    {
        while (m_fitter->pull(m_fitted.get())) {
            if (m_fitted->pts == AV_NOPTS_VALUE)
                m_fitted->pts = m_lastPicture;
            m_lastPicture = m_fitted->pts;
            const std::int64_t position = picturePosition(m_fitted->pts - m_origin, m_videoBase, m_nominal, m_plan.frameRate);
            const std::int64_t from = m_picker.next();
            writeHeld(from, m_picker.take(position));
            av_frame_unref(m_held.get());
            av_frame_move_ref(m_held.get(), m_fitted.get());
        }
    }

    void takeSound(const AVFrame *frame)
    {
        // Its start in samples of its own rate after the input's first picture.
        std::optional<std::int64_t> offset;
        const AVRational samples{1, frame->sample_rate > 0 ? frame->sample_rate : 1};
        const auto start = rescaledTime(frame->best_effort_timestamp, m_soundBase, samples);
        const auto origin = rescaledTime(m_origin, m_videoBase, samples);
        if (start && origin)
            offset = *start - *origin;
        if (m_limit && offset && static_cast<double>(*offset) >= *m_limit * samples.den)
            return;
        FramePtr rest;
        if (m_start && offset && *offset < 0) {
            // Sound before the start: left out to the sample.
            if (*offset + frame->nb_samples <= 0)
                return;
            rest = samplesFrom(frame, static_cast<int>(-*offset));
            frame = rest.get();
            offset = 0;
        }
        for (;;) {
            const std::int64_t gap = m_aligner->push(frame, offset);
            if (gap <= 0)
                break;
            // A gap of over a second: what came before it, then silence in steps.
            writeSound(fifoSize());
            writeSilence(gap);
            m_aligner->skip(gap);
        }
        pump();
    }

    // Keeps sound and pictures written side by side, so that the output is interleaved and
    // nothing waits in memory longer than it must.
    void pump()
    {
        const std::int64_t pictures = wantedAt(m_picker.next()); // the sound the written pictures span
        if (!m_aligner) {
            writeSilence(pictures - m_soundWritten);
            return;
        }
        // Sound goes out as it comes, but for a little: the input's end may cut it.
        writeSound(fifoSize() - m_reserve);
        if (m_picker.holding() && m_soundWritten - pictures > m_margin) {
            // Sound runs on without new pictures (a cover picture, a gap): the held picture follows.
            const std::int64_t target = slotAtSample(m_beginSample + m_soundWritten - m_margin, m_plan.frameRate,
                                                     m_plan.sound.sampleRate);
            const std::int64_t from = m_picker.next();
            writeHeld(from, m_picker.extend(target + 1));
        }
        const std::int64_t lag = pictures - m_margin - m_aligner->placed();
        if (lag > 0) {
            // No sound has come for this long (it ended, or has a gap): silence stands in,
            // after all that came before it.
            m_aligner->finish();
            writeSound(fifoSize());
            writeSilence(lag);
            m_aligner->skip(lag);
        }
    }

    void writeHeld(std::int64_t from, std::int64_t count)
    {
        for (std::int64_t i = 0; i < count; ++i) {
            m_output.writePicture(m_held.get(), from + i, i > 0);
            report(from + i + 1);
        }
    }

    void writeSound(std::int64_t count)
    {
        const std::int64_t take = std::min(count, fifoSize());
        if (take <= 0)
            return;
        m_output.writeSound(m_aligner->samples(), static_cast<int>(take));
        m_soundWritten += take;
    }

    void writeSilence(std::int64_t count)
    {
        if (count <= 0)
            return;
        m_output.writeSilence(count);
        m_soundWritten += count;
    }

    std::int64_t fifoSize() const { return m_aligner ? av_audio_fifo_size(m_aligner->samples()) : 0; }

    // The sound this input owns up to a slot, in samples from its own start.
    std::int64_t wantedAt(std::int64_t slot) const
    {
        return samplesAtSlot(slot, m_plan.frameRate, m_plan.sound.sampleRate) - m_beginSample;
    }

    double pictureSeconds() const { return std::max(0.0, static_cast<double>(m_end - m_origin) * av_q2d(m_videoBase)); }
    double soundSeconds() const
    {
        return m_aligner ? static_cast<double>(m_aligner->placed()) / m_plan.sound.sampleRate : 0.0;
    }
    double reachedSeconds() const { return std::max(pictureSeconds(), soundSeconds()); }

    void report(std::int64_t slots)
    {
        m_reporter.position(static_cast<double>(slots) * av_q2d(av_inv_q(m_plan.frameRate)), slots, false);
    }

    InputInfo &m_info;
    const OutputPlan &m_plan;
    OutputFile &m_output;
    Reporter &m_reporter;
    SlotPicker m_picker;
    const std::int64_t m_beginSample;
    const std::int64_t m_reserve;
    const std::int64_t m_margin;
    const bool m_part;
    const std::optional<double> m_start;
    const std::optional<double> m_limit;
    bool m_limitReached = false;
    std::int64_t m_soundWritten = 0; // samples written for this input, sound and silence

    FormatPtr m_format;
    int m_videoIndex = -1;
    int m_soundIndex = -1;
    AVStream *m_video = nullptr;
    AVStream *m_sound = nullptr;
    AVRational m_videoBase{1, AV_TIME_BASE};
    AVRational m_soundBase{1, AV_TIME_BASE};
    AVRational m_nominal{0, 1};
    CodecPtr m_videoDecoder;
    CodecPtr m_soundDecoder;
    std::unique_ptr<Timeline> m_timeline;
    std::unique_ptr<PictureFitter> m_fitter;
    std::unique_ptr<SoundAligner> m_aligner;
    FramePtr m_fitted;
    FramePtr m_held;
    std::int64_t m_frameLength = 1;
    std::int64_t m_origin = 0;
    std::int64_t m_end = 0;
    std::int64_t m_lastPicture = 0;
    double m_stated = -1;
    bool m_broken = false;
    bool m_pastEnd = false;
    PacketPtr m_waiting[2]; // the picture's and the sound's last packet read, not yet taken
    bool m_isWaiting[2] = {false, false};
    bool m_lastDamaged[2] = {false, false}; // whether the last packet of the picture, of the sound, was
};

} // namespace

void runJob(const EncodeJob &job, Reporter &reporter)
{
    for (const std::string &input : job.inputs) {
        if (sameFile(input, job.output))
            throw UsageError(job.output + ": the output file is also an input; choose another name.");
    }
    if (job.copies()) {
        runCopyJoin(job, reporter);
        return;
    }
    const CodecChoice choice = chooseCodecs(job);

    std::vector<InputInfo> inputs;
    double total = 0;
    std::vector<std::string> titles;
    for (const std::string &path : job.inputs) {
        inputs.push_back(probeInput(path));
        total += inputs.back().seconds;
        titles.push_back(chapterTitle(path, inputs.back().opened.get()));
        // Each input kept open holds a file handle and the packets read while probing: a
        // join of hundreds opens the later ones again when it comes to them.
        if (inputs.size() > KeptOpen)
            inputs.back().opened.reset();
    }
    if (job.startSeconds)
        total = std::max(0.0, total - *job.startSeconds);
    if (job.endSeconds)
        total = std::min(total, *job.endSeconds);
    reporter.expect(total);

    std::vector<std::string> notes;
    OutputPlan plan = makePlan(job, choice, inputs, notes);
    // Parts made for this very join hold what it would encode: their packets go in as they are.
    const bool parts = madeFromSources(inputs);
    if (parts && !job.endSeconds && !job.startSeconds) {
        const std::string differs = partsDiffer(job, plan, inputs);
        if (differs.empty()) {
            inputs.clear(); // the copy opens each part again, one at a time
            runPartsJoin(job, plan.frameRate, reporter);
            return;
        }
        reporter.note(differs);
    }
    plan.info = job.info;
    if (!inputs.empty() && inputs.front().opened)
        plan.tags = sourceFileTags(inputs.front().opened.get());
    plan.chapterTitles = std::move(titles);
    for (const std::string &line : notes)
        reporter.note(line);
    notes.clear();

    OutputFile output(plan, notes);
    for (const std::string &line : notes)
        reporter.note(line);

    double seconds = 0;
    std::int64_t slot = 0;
    for (std::size_t index = 0; index < inputs.size(); ++index) {
        InputInfo &input = inputs[index];
        std::optional<double> limit;
        if (job.endSeconds) {
            limit = *job.endSeconds - static_cast<double>(slot) * av_q2d(av_inv_q(plan.frameRate));
            if (*limit <= 0)
                break;
        }
        output.inputBegins(index, slot);
        InputRun run(input, plan, output, reporter, slot, parts, index == 0 ? job.startSeconds : std::nullopt, limit);
        seconds += run.run();
        slot = run.end(std::max(slotAtSeconds(seconds, plan.frameRate), slot));
    }
    output.finish(slot);
    reporter.position(static_cast<double>(slot) * av_q2d(av_inv_q(plan.frameRate)), slot, true);
}

} // namespace velmora::encoder
