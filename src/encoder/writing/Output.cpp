#include "encoder/writing/Output.h"

#include "encoder/Failure.h"
#include "encoder/Stopping.h"
#include "encoder/writing/Tags.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavutil/opt.h>
}

namespace velmora::encoder {

namespace {

// The rate factor x264 opens at where another is asked for (see openVideo).
constexpr double RateFactorOpened = 23;

std::string rateFactorText(double factor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", factor);
    return text;
}

// The native MPEG-family encoders: one picture kind, MEncoder's habits apply.
bool isMpegFamily(AVCodecID id)
{
    switch (id) {
    case AV_CODEC_ID_MPEG4:
    case AV_CODEC_ID_MSMPEG4V2:
    case AV_CODEC_ID_MSMPEG4V3:
    case AV_CODEC_ID_WMV1:
    case AV_CODEC_ID_WMV2:
    case AV_CODEC_ID_FLV1:
    case AV_CODEC_ID_H263:
    case AV_CODEC_ID_H263P:
        return true;
    default:
        return false;
    }
}

// How the sound's start survives the encoder's priming (the samples of delay it puts in front).
enum class Priming {
    Edited,  // the muxer cuts it with an edit list: packets start before zero
    Delayed, // the stream declares it (Opus in Matroska): packets start at zero
    Dropped, // nothing declares it: as many samples are left out at the start
};

Priming primingOf(const Container &container, AVCodecID audio)
{
    if (container.editsPriming)
        return Priming::Edited;
    if (container.declaresOpusDelay && audio == AV_CODEC_ID_OPUS)
        return Priming::Delayed;
    return Priming::Dropped;
}

constexpr int SilenceStep = 4096;

} // namespace

void PartialFile::created(const std::string &path)
{
    m_path = path;
    m_armed = true;
    setPartialOutput(path.c_str());
}

void PartialFile::keep() noexcept
{
    m_armed = false;
    clearPartialOutput();
}

void PartialFile::remove() noexcept
{
    if (!m_armed)
        return;
    m_armed = false;
    clearPartialOutput();
    struct stat status {};
    if (::lstat(m_path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        ::unlink(m_path.c_str());
}

void OutputFormatFree::operator()(AVFormatContext *context) const
{
    if (context->pb && context->oformat && !(context->oformat->flags & AVFMT_NOFILE))
        avio_closep(&context->pb);
    avformat_free_context(context);
}

CodecPtr OutputFile::openEncoder(CodecPtr context, Options &options, std::vector<std::string> &notes)
{
    const AVCodec *codec = context->codec ? context->codec : avcodec_find_encoder(context->codec_id);
    const int result = avcodec_open2(context.get(), codec, options.get());
    // What the encoder did not take makes no sense for it, and is passed over as MEncoder does.
    for (const AVDictionaryEntry *left = nullptr; (left = av_dict_get(options.left(), "", left, AV_DICT_IGNORE_SUFFIX));)
        notes.push_back(std::string(left->key) + " does not apply to " + codec->name + ": it is ignored.");
    if (result < 0)
        throw Failure(m_plan.path, std::string("the ") + codec->name + " encoder refuses these settings: " + errorText(result));
    return context;
}

OutputFile::OutputFile(const OutputPlan &plan, std::vector<std::string> &notes)
    : m_plan(plan)
    , m_container(*plan.container)
    , m_chapters(*plan.container, plan.chapterTitles)
{
    const std::string &path = m_plan.path;
    // The muxer may open the file again by this name (MP4's index moved to the front).
    AVFormatContext *format = nullptr;
    int result = avformat_alloc_output_context2(&format, nullptr, m_plan.muxer, ("file:" + path).c_str());
    m_format.reset(format);
    if (result < 0 || !m_format)
        throw Failure(path, std::string("cannot write ") + m_container.name + " files: " + errorText(result));
    m_format->interrupt_callback = AVIOInterruptCB{interruptedByStop, nullptr};

    m_video = openVideo(notes);
    m_audio = openAudio(notes);

    m_videoStream = avformat_new_stream(m_format.get(), nullptr);
    m_audioStream = avformat_new_stream(m_format.get(), nullptr);
    if (!m_videoStream || !m_audioStream)
        throw Failure(path, "out of memory");
    result = avcodec_parameters_from_context(m_videoStream->codecpar, m_video.get());
    if (result >= 0)
        result = avcodec_parameters_from_context(m_audioStream->codecpar, m_audio.get());
    if (result < 0)
        throw Failure(path, "cannot prepare its streams: " + errorText(result));
    m_videoStream->time_base = m_video->time_base;
    m_videoStream->avg_frame_rate = m_plan.frameRate;
    m_videoStream->r_frame_rate = m_plan.frameRate;
    m_videoStream->sample_aspect_ratio = m_video->sample_aspect_ratio;
    m_audioStream->time_base = m_audio->time_base;
    if (m_plan.video->id == AV_CODEC_ID_HEVC && m_container.hevcTag)
        m_videoStream->codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');

    m_packet.reset(av_packet_alloc());
    m_soundFrame.reset(av_frame_alloc());
    m_soundFrameSize = m_audio->frame_size > 0 ? m_audio->frame_size : 1024;
    m_sound.reset(av_audio_fifo_alloc(m_audio->sample_fmt, m_audio->ch_layout.nb_channels, m_soundFrameSize * 4));
    std::uint8_t **silence = nullptr;
    if (av_samples_alloc_array_and_samples(&silence, nullptr, m_audio->ch_layout.nb_channels, SilenceStep, m_audio->sample_fmt, 0) >= 0) {
        m_silence.reset(silence);
        av_samples_set_silence(silence, 0, SilenceStep, m_audio->ch_layout.nb_channels, m_audio->sample_fmt);
    }
    if (!m_packet || !m_soundFrame || !m_sound || !m_silence)
        throw Failure(path, "out of memory");

    Tags tags = m_plan.tags;
    tags.insert(tags.end(), m_plan.info.begin(), m_plan.info.end());
    setTags(&m_format->metadata, tags);

    // Created only now: nothing is touched at the output path while the encoders are refused.
    // From here on, any failure removes it again.
    result = avio_open2(&m_format->pb, ("file:" + path).c_str(), AVIO_FLAG_WRITE, &m_format->interrupt_callback, nullptr);
    if (result < 0)
        throw Failure(path, openFailureText(result, "created", "create"), Failure::RunStatus, result);
    m_partial.created(path);

    Options options;
    std::string flags = m_container.faststart ? "+faststart" : ""; // the index in front: plays while it downloads
    if (needsNamedTags(tags, m_container))
        flags += "+use_metadata_tags";
    if (!flags.empty())
        options.set("movflags", flags.c_str());
    result = avformat_write_header(m_format.get(), options.get());
    check(result, "cannot write it");

    // Where decoding still holds pictures back (MPEG-1, B-frames) and the file keeps no times,
    // each picture is shown that many frames late: leave out as many at the start, so the
    // pictures after it come at their moment.
    if (!m_container.storesPictureTimes)
        m_skipPictures = std::max(0, m_video->has_b_frames);
    // From here on only the picture encoder's own thread works with it.
    m_videoBase = m_video->time_base;
    m_pictures = std::make_unique<EncodeThread>(m_video.get(), m_plan.path);

    // Frame times count from the first sample; a packet starts initial_padding earlier.
    switch (primingOf(m_container, m_plan.audio->id)) {
    case Priming::Edited:
        break;
    case Priming::Delayed:
        // Starting at zero, so the muxer has no reason to move the picture's times as well.
        m_soundPts = m_audio->initial_padding;
        break;
    case Priming::Dropped:
        // The priming will play: leave out as many samples at the start, so that what plays
        // is on time.
        m_dropLeft = m_audio->initial_padding;
        // An encoder that gives back nothing for its delay at the end (MP2, AC-3) would end the
        // sound that much before the picture: as much silence makes it up, so the sound lasts
        // as long as the picture and a join that copies has none to miss at the next part.
        if (!(m_audio->codec->capabilities & AV_CODEC_CAP_DELAY))
            m_padEnd = m_audio->initial_padding;
        break;
    }
}

CodecPtr OutputFile::openVideo(std::vector<std::string> &notes)
{
    const AVCodec *codec = m_plan.video;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context)
        throw Failure(m_plan.path, "out of memory");
    const PictureTarget &picture = m_plan.picture;
    context->width = picture.frameWidth;
    context->height = picture.frameHeight;
    context->pix_fmt = picture.format;
    context->time_base = av_inv_q(m_plan.frameRate);
    context->framerate = m_plan.frameRate;
    context->sample_aspect_ratio = picture.sampleAspect;
    const bool hd = picture.matrix == AVCOL_SPC_BT709;
    context->colorspace = picture.matrix;
    context->color_primaries = hd ? AVCOL_PRI_BT709 : AVCOL_PRI_SMPTE170M;
    context->color_trc = hd ? AVCOL_TRC_BT709 : AVCOL_TRC_SMPTE170M;
    context->color_range = picture.format == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    context->thread_count = m_plan.threads.value_or(0);
    context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    const bool mpeg = codec->id == AV_CODEC_ID_MPEG4 || codec->id == AV_CODEC_ID_MPEG1VIDEO || codec->id == AV_CODEC_ID_MPEG2VIDEO;
    if (m_container.globalHeader && !(mpeg && m_container.mpegSetupInStream))
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

    Options options;
    if (m_plan.intermediate) {
        // Near-lossless and quick: the intermediate must never limit the output's quality. A
        // constant quantizer spares x264 the look at each picture that a rate factor needs:
        // at 16 it is as large as a rate factor of 14 on camera pictures, and sharper.
        options.set("preset", "ultrafast");
        options.set("qp", "16");
    } else {
        if (m_plan.rateFactor)
            options.set("crf", rateFactorText(std::string(codec->name) == "libx264" ? RateFactorOpened : *m_plan.rateFactor).c_str());
        else if (m_plan.videoBitrate > 0)
            context->bit_rate = m_plan.videoBitrate;
        if (m_plan.keyint)
            context->gop_size = *m_plan.keyint;
        else if (codec->id == AV_CODEC_ID_MPEG1VIDEO || codec->id == AV_CODEC_ID_MPEG2VIDEO)
            context->gop_size = 15;
        else if (isMpegFamily(codec->id))
            context->gop_size = 250;
        if (m_plan.maxBFrames)
            context->max_b_frames = *m_plan.maxBFrames;
        // Where the file keeps no picture times, players can only know a picture's moment when
        // decoding does not hold pictures back. MPEG-2 can say so when it uses no B-frames.
        if (codec->id == AV_CODEC_ID_MPEG2VIDEO && context->max_b_frames == 0 && !m_container.storesPictureTimes)
            context->flags |= AV_CODEC_FLAG_LOW_DELAY;
        if (m_plan.qscale) {
            context->flags |= AV_CODEC_FLAG_QSCALE;
            context->global_quality = FF_QP2LAMBDA * *m_plan.qscale;
        }
        if (m_plan.mbd)
            options.set("mbd", std::int64_t(*m_plan.mbd));
        if (std::string(codec->name) == "libvpx-vp9") {
            options.set("row-mt", "1");
            options.set("deadline", "good");
            options.set("cpu-used", "4");
        } else if (std::string(codec->name) == "libx265") {
            // Without x265's settings written into the stream's setup: parts of one join made
            // at different rate factors then share the same setup data.
            options.set("x265-params", "log-level=error:info=0");
        }
    }
    CodecPtr opened = openEncoder(std::move(context), options, notes);
    // x264 writes its rate factor into the picture parameter set, as the quantizer pictures
    // start from, and the parts of one join must share that set: each opens at the same factor
    // and takes its own before its first picture, which libavcodec hands on to x264.
    if (m_plan.rateFactor && std::string(codec->name) == "libx264" && *m_plan.rateFactor != RateFactorOpened
        && av_opt_set(opened->priv_data, "crf", rateFactorText(*m_plan.rateFactor).c_str(), 0) < 0)
        throw Failure(m_plan.path, "the libx264 encoder takes no rate factor of " + rateFactorText(*m_plan.rateFactor));
    return opened;
}

CodecPtr OutputFile::openAudio(std::vector<std::string> &notes)
{
    const AVCodec *codec = m_plan.audio;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context)
        throw Failure(m_plan.path, "out of memory");
    context->sample_rate = m_plan.sound.sampleRate;
    if (av_channel_layout_copy(&context->ch_layout, &m_plan.sound.layout) < 0)
        throw Failure(m_plan.path, "out of memory");
    context->sample_fmt = m_plan.sound.format;
    context->time_base = AVRational{1, m_plan.sound.sampleRate};
    if (m_plan.audioBitrate > 0)
        context->bit_rate = m_plan.audioBitrate;
    if (m_container.globalHeader)
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Options options;
    if (codec->id == AV_CODEC_ID_MP3 && m_plan.mp3Vbr) {
        context->flags |= AV_CODEC_FLAG_QSCALE;
        context->global_quality = FF_QP2LAMBDA * m_plan.mp3Quality;
    } else if (codec->id == AV_CODEC_ID_MP3 && m_plan.mp3Abr) {
        options.set("abr", "1");
    }
    return openEncoder(std::move(context), options, notes);
}

void OutputFile::check(int result, const char *what)
{
    if (result >= 0 && m_format->pb && m_format->pb->error < 0)
        result = m_format->pb->error;
    if (result < 0) {
        if (stopping())
            throw Failure(m_plan.path, "stopped");
        throw Failure(m_plan.path, std::string(what) + ": " + errorText(result));
    }
}

void OutputFile::checkStop() const
{
    if (stopping())
        throw Failure(m_plan.path, "stopped");
}

void OutputFile::send(AVCodecContext *encoder, AVStream *stream, const AVFrame *frame)
{
    int result = avcodec_send_frame(encoder, frame);
    if (result < 0 && result != AVERROR_EOF)
        throw Failure(m_plan.path, std::string("the ") + encoder->codec->name + " encoder failed: " + errorText(result));
    for (;;) {
        result = avcodec_receive_packet(encoder, m_packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return;
        if (result < 0)
            throw Failure(m_plan.path, std::string("the ") + encoder->codec->name + " encoder failed: " + errorText(result));
        write(m_packet.get(), encoder->time_base, stream);
    }
}

void OutputFile::write(AVPacket *packet, AVRational timeBase, AVStream *stream)
{
    av_packet_rescale_ts(packet, timeBase, stream->time_base);
    packet->stream_index = stream->index;
    check(av_interleaved_write_frame(m_format.get(), packet), "cannot write it");
}

void OutputFile::writeEncodedPictures()
{
    PacketPtr packet;
    while (m_pictures->take(packet))
        write(packet.get(), m_videoBase, m_videoStream);
}

void OutputFile::writePicture(const AVFrame *picture, std::int64_t slot, bool repeat)
{
    checkStop();
    if (slot < m_skipPictures)
        return;
    // A decoder may still write into a picture it gave out (MPEG-2 does at a damaged end),
    // so the encoder, which takes it up later, gets a copy that no one else holds.
    if (!repeat || !m_copied) {
        // A second reference is never writable: making it so copies the picture.
        FramePtr copy(av_frame_clone(picture));
        if (!copy || av_frame_make_writable(copy.get()) < 0)
            throw Failure(m_plan.path, "out of memory");
        m_copied = std::move(copy);
    }
    FramePtr frame(av_frame_clone(m_copied.get()));
    if (!frame)
        throw Failure(m_plan.path, "out of memory");
    frame->pts = slot - m_skipPictures;
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    m_pictures->push(std::move(frame));
    writeEncodedPictures();
}

void OutputFile::writeSound(AVAudioFifo *fifo, int count)
{
    const int channels = m_audio->ch_layout.nb_channels;
    std::vector<std::uint8_t *> planes(static_cast<std::size_t>(channels));
    std::uint8_t **raw = nullptr;
    if (av_samples_alloc_array_and_samples(&raw, nullptr, channels, SilenceStep, m_audio->sample_fmt, 0) < 0)
        throw Failure(m_plan.path, "out of memory");
    const SampleBuffersPtr buffer(raw);
    const int bytesPerSample = av_get_bytes_per_sample(m_audio->sample_fmt);
    const bool planar = av_sample_fmt_is_planar(m_audio->sample_fmt);
    const int stride = planar ? bytesPerSample : bytesPerSample * channels;
    const int planeCount = planar ? channels : 1;
    while (count > 0) {
        checkStop();
        const int got = av_audio_fifo_read(fifo, reinterpret_cast<void **>(buffer.get()), std::min(count, SilenceStep));
        if (got <= 0)
            break;
        count -= got;
        int skip = 0;
        if (m_dropLeft > 0) {
            skip = static_cast<int>(std::min<std::int64_t>(m_dropLeft, got));
            m_dropLeft -= skip;
            m_soundPts += skip;
        }
        if (got > skip) {
            for (int p = 0; p < planeCount; ++p)
                planes[static_cast<std::size_t>(p)] = buffer.get()[p] + static_cast<std::ptrdiff_t>(skip) * stride;
            if (av_audio_fifo_write(m_sound.get(), reinterpret_cast<void **>(planes.data()), got - skip) < got - skip)
                throw Failure(m_plan.path, "out of memory");
        }
        encodeSoundFrames(false);
    }
}

void OutputFile::writeSilence(std::int64_t count)
{
    while (count > 0) {
        checkStop();
        const int part = static_cast<int>(std::min<std::int64_t>(count, SilenceStep));
        int skip = 0;
        if (m_dropLeft > 0) {
            skip = static_cast<int>(std::min<std::int64_t>(m_dropLeft, part));
            m_dropLeft -= skip;
            m_soundPts += skip;
        }
        if (part > skip && av_audio_fifo_write(m_sound.get(), reinterpret_cast<void **>(m_silence.get()), part - skip) < part - skip)
            throw Failure(m_plan.path, "out of memory");
        encodeSoundFrames(false);
        count -= part;
    }
}

void OutputFile::encodeSoundFrames(bool last)
{
    const bool variable = m_audio->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    const bool smallLast = m_audio->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
    while (av_audio_fifo_size(m_sound.get()) >= m_soundFrameSize || (last && av_audio_fifo_size(m_sound.get()) > 0)) {
        const int size = std::min(av_audio_fifo_size(m_sound.get()), m_soundFrameSize);
        const int padded = (size < m_soundFrameSize && !variable && !smallLast) ? m_soundFrameSize : size;
        AVFrame *frame = m_soundFrame.get();
        av_frame_unref(frame);
        frame->nb_samples = padded;
        frame->format = m_audio->sample_fmt;
        frame->sample_rate = m_audio->sample_rate;
        if (av_channel_layout_copy(&frame->ch_layout, &m_audio->ch_layout) < 0 || av_frame_get_buffer(frame, 0) < 0)
            throw Failure(m_plan.path, "out of memory");
        if (av_audio_fifo_read(m_sound.get(), reinterpret_cast<void **>(frame->extended_data), size) < size)
            throw Failure(m_plan.path, "cannot write it: the sound went missing");
        if (padded > size) // the encoder takes only whole frames: the end is made up with silence
            av_samples_set_silence(frame->extended_data, size, padded - size, m_audio->ch_layout.nb_channels, m_audio->sample_fmt);
        frame->pts = m_soundPts;
        m_soundPts += padded;
        send(m_audio.get(), m_audioStream, frame);
        writeEncodedPictures();
    }
}

void OutputFile::inputBegins(std::size_t index, std::int64_t slot)
{
    m_chapters.begins(index, slot, av_inv_q(m_plan.frameRate));
}

void OutputFile::finish(std::int64_t endSlot)
{
    checkStop();
    writeSilence(m_padEnd);
    encodeSoundFrames(true);
    m_pictures->finish();
    writeEncodedPictures();
    send(m_audio.get(), m_audioStream, nullptr);
    m_chapters.finish(m_format.get(), endSlot, av_inv_q(m_plan.frameRate));
    check(av_write_trailer(m_format.get()), "cannot finish it");
    check(0, "cannot write it");
    const int closed = avio_closep(&m_format->pb);
    if (closed < 0)
        throw Failure(m_plan.path, "cannot write it: " + errorText(closed));
    m_partial.keep();
}

} // namespace velmora::encoder
