#include "encoder/Join.h"

#include "encoder/Failure.h"
#include "encoder/Output.h"
#include "encoder/Picture.h"
#include "encoder/Plan.h"
#include "encoder/Probe.h"
#include "encoder/Sound.h"
#include "encoder/Timing.h"

#include <algorithm>

#include <sys/stat.h>

namespace velmora::encoder {

namespace {

struct CodecCloser
{
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;

struct FrameFree
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;

struct PacketFree
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

CodecPtr openDecoder(const AVStream *stream, const std::string &path)
{
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context)
        throw Failure(path, "out of memory");
    avcodec_parameters_to_context(context.get(), stream->codecpar);
    context->pkt_timebase = stream->time_base;
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

// One input, from its first packet to its last, into the output.
class InputRun
{
public:
    InputRun(const InputInfo &info, const OutputPlan &plan, OutputFile &output, Reporter &reporter, std::int64_t beginSlot,
             std::int64_t beginSample)
        : m_info(info)
        , m_plan(plan)
        , m_output(output)
        , m_reporter(reporter)
        , m_picker(beginSlot)
        , m_beginSample(beginSample)
    {
    }

    // Runs the input; returns its picture length in seconds. Its last picture is still held:
    // end() writes it and the sound up to the given slot.
    double run()
    {
        const std::string &path = m_info.path;
        m_format = openInput(path);
        const int videoIndex = pictureStream(m_format.get());
        if (videoIndex < 0)
            throw Failure(path, "it holds no picture");
        const int soundIndex = soundStream(m_format.get());
        for (unsigned i = 0; i < m_format->nb_streams; ++i) {
            if (static_cast<int>(i) != videoIndex && static_cast<int>(i) != soundIndex)
                m_format->streams[i]->discard = AVDISCARD_ALL;
        }
        m_video = m_format->streams[videoIndex];
        m_videoDecoder = openDecoder(m_video, path);
        if (!m_videoDecoder)
            throw Failure(path, std::string("no decoder for its pictures (") + avcodec_get_name(m_video->codecpar->codec_id) + ")");
        if (soundIndex >= 0) {
            m_sound = m_format->streams[soundIndex];
            m_soundDecoder = openDecoder(m_sound, path);
            if (!m_soundDecoder)
                m_reporter.note(path + ": no decoder for its sound (" + avcodec_get_name(m_sound->codecpar->codec_id)
                                + "): silence is used.");
        }
        m_origin = m_video->start_time != AV_NOPTS_VALUE ? m_video->start_time : 0;
        m_end = m_origin;
        m_fitter = std::make_unique<PictureFitter>(m_plan.picture, m_format.get(), m_video);
        if (m_soundDecoder)
            m_aligner = std::make_unique<SoundAligner>(m_plan.sound, path);

        PacketPtr packet(av_packet_alloc());
        FramePtr frame(av_frame_alloc());
        m_fitted.reset(av_frame_alloc());
        m_held.reset(av_frame_alloc());
        for (;;) {
            if (m_reporter.stopRequested())
                throw Failure(m_plan.path, "stopped");
            const int read = av_read_frame(m_format.get(), packet.get());
            if (read == AVERROR_EOF)
                break;
            if (read < 0)
                throw Failure(path, "cannot read it: " + errorText(read));
            if (packet->stream_index == videoIndex)
                decode(m_videoDecoder.get(), packet.get(), frame.get(), true);
            else if (m_soundDecoder && packet->stream_index == soundIndex)
                decode(m_soundDecoder.get(), packet.get(), frame.get(), false);
            av_packet_unref(packet.get());
        }
        decode(m_videoDecoder.get(), nullptr, frame.get(), true);
        if (m_soundDecoder)
            decode(m_soundDecoder.get(), nullptr, frame.get(), false);
        m_fitter->finish();
        takeFitted();
        if (!m_picker.holding())
            throw Failure(path, "none of its pictures could be decoded");
        return static_cast<double>(m_end - m_origin) * av_q2d(m_video->time_base);
    }

    // Ends the input at endSlot: its last picture fills the slots left, its sound is cut or
    // padded with silence to the same moment. Returns the slot where the input ended.
    std::int64_t end(std::int64_t endSlot)
    {
        endSlot = std::max(endSlot, m_picker.next());
        const std::int64_t first = m_picker.next();
        const std::int64_t count = m_picker.finish(endSlot);
        for (std::int64_t i = 0; i < count; ++i) {
            m_output.writePicture(m_held.get(), first + i);
            report(first + i + 1);
        }
        const std::int64_t wanted = samplesAtSlot(endSlot, m_plan.frameRate, m_plan.sound.sampleRate) - m_beginSample;
        if (m_aligner)
            m_aligner->finish();
        const std::int64_t available = m_aligner ? av_audio_fifo_size(m_aligner->samples()) : 0;
        const std::int64_t take = std::clamp<std::int64_t>(wanted - m_soundWritten, 0, available);
        if (take > 0)
            m_output.writeSound(m_aligner->samples(), static_cast<int>(take));
        m_soundWritten += take;
        if (wanted > m_soundWritten)
            m_output.writeSilence(wanted - m_soundWritten);
        return endSlot;
    }

private:
    void decode(AVCodecContext *decoder, const AVPacket *packet, AVFrame *frame, bool picture)
    {
        // A damaged packet is passed over, as players do.
        if (avcodec_send_packet(decoder, packet) < 0 && packet)
            return;
        while (avcodec_receive_frame(decoder, frame) >= 0) {
            if (picture)
                takePicture(frame);
            else
                takeSound(frame);
            av_frame_unref(frame);
        }
    }

    void takePicture(AVFrame *frame)
    {
        if (frame->best_effort_timestamp == AV_NOPTS_VALUE)
            frame->best_effort_timestamp = m_end; // no time of its own: right after the last
        std::int64_t duration = frame->pkt_duration;
        if (duration <= 0) {
            const AVRational rate = m_info.frameRate;
            duration = std::max<std::int64_t>(1, av_rescale_q(1, av_inv_q(rate), m_video->time_base));
        }
        m_end = std::max(m_end, frame->best_effort_timestamp + duration);
        m_fitter->push(frame);
        takeFitted();
        drainSound();
    }

    void takeFitted()
    {
        while (m_fitter->pull(m_fitted.get())) {
            const std::int64_t first = firstSlotOf(m_fitted->pts - m_origin, m_video->time_base, m_plan.frameRate);
            const std::int64_t from = m_picker.next();
            const std::int64_t count = m_picker.take(first);
            for (std::int64_t i = 0; i < count; ++i) {
                m_output.writePicture(m_held.get(), from + i);
                report(from + i + 1);
            }
            av_frame_unref(m_held.get());
            av_frame_move_ref(m_held.get(), m_fitted.get());
        }
    }

    void takeSound(const AVFrame *frame)
    {
        const std::int64_t pts = frame->best_effort_timestamp != AV_NOPTS_VALUE
                                     ? frame->best_effort_timestamp
                                     : av_rescale_q(m_origin, m_video->time_base, m_sound->time_base);
        // Seconds after the first picture, as an exact fraction over a common denominator.
        const AVRational soundBase = m_sound->time_base;
        const AVRational videoBase = m_video->time_base;
        const std::int64_t den = static_cast<std::int64_t>(soundBase.den) * videoBase.den;
        const std::int64_t num = pts * soundBase.num * videoBase.den - m_origin * videoBase.num * soundBase.den;
        m_aligner->push(frame, num, den);
        drainSound();
    }

    // Sound is written as far as the pictures have reached, less one output frame (the input
    // may end up to that much earlier once its end is rounded to a frame); the rest waits for
    // the input's end, where it is cut to the picture's length.
    void drainSound()
    {
        if (!m_aligner)
            return;
        const double reached = static_cast<double>(m_end - m_origin) * av_q2d(m_video->time_base) - av_q2d(av_inv_q(m_plan.frameRate));
        const std::int64_t allowed = static_cast<std::int64_t>(reached * m_plan.sound.sampleRate);
        const std::int64_t take = std::min<std::int64_t>(allowed - m_soundWritten, av_audio_fifo_size(m_aligner->samples()));
        if (take > 0) {
            m_output.writeSound(m_aligner->samples(), static_cast<int>(take));
            m_soundWritten += take;
        }
    }

    void report(std::int64_t slots)
    {
        m_reporter.position(static_cast<double>(slots) * av_q2d(av_inv_q(m_plan.frameRate)), slots, false);
    }

    const InputInfo &m_info;
    const OutputPlan &m_plan;
    OutputFile &m_output;
    Reporter &m_reporter;
    SlotPicker m_picker;
    std::int64_t m_beginSample;
    std::int64_t m_soundWritten = 0;

    FormatPtr m_format;
    AVStream *m_video = nullptr;
    AVStream *m_sound = nullptr;
    CodecPtr m_videoDecoder;
    CodecPtr m_soundDecoder;
    std::unique_ptr<PictureFitter> m_fitter;
    std::unique_ptr<SoundAligner> m_aligner;
    FramePtr m_fitted;
    FramePtr m_held;
    std::int64_t m_origin = 0;
    std::int64_t m_end = 0;
};

} // namespace

void runJob(const EncodeJob &job, Reporter &reporter)
{
    const CodecChoice choice = chooseCodecs(job);
    for (const std::string &input : job.inputs) {
        if (sameFile(input, job.output))
            throw UsageError(job.output + ": the output file is also an input; choose another name.");
    }

    std::vector<InputInfo> inputs;
    double total = 0;
    for (const std::string &path : job.inputs) {
        inputs.push_back(probeInput(path));
        total += inputs.back().seconds;
    }
    reporter.expect(total);

    std::vector<std::string> notes;
    const OutputPlan plan = makePlan(job, choice, inputs, notes);
    for (const std::string &line : notes)
        reporter.note(line);
    notes.clear();

    OutputFile output(plan, notes);
    for (const std::string &line : notes)
        reporter.note(line);

    double seconds = 0;
    std::int64_t slot = 0;
    for (const InputInfo &input : inputs) {
        InputRun run(input, plan, output, reporter, slot, samplesAtSlot(slot, plan.frameRate, plan.sound.sampleRate));
        seconds += run.run();
        slot = run.end(slotAtSeconds(seconds, plan.frameRate));
    }
    output.finish();
    reporter.position(static_cast<double>(slot) * av_q2d(av_inv_q(plan.frameRate)), slot, true);
}

} // namespace velmora::encoder
