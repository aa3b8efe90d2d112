#include "encoder/fitting/Plan.h"

#include "encoder/Failure.h"
#include "encoder/fitting/Fit.h"

#include <cmath>

namespace velmora::encoder {

namespace {

std::string describe(const AVCodec *codec)
{
    const AVCodecDescriptor *descriptor = avcodec_descriptor_get(codec->id);
    return descriptor && descriptor->long_name ? descriptor->long_name : codec->name;
}

std::string extensionOf(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? std::string() : path.substr(dot);
}

int evenOf(double value)
{
    return std::max(2, static_cast<int>(std::lround(value / 2.0)) * 2);
}

std::string sizeText(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

} // namespace

CodecChoice chooseCodecs(const EncodeJob &job)
{
    CodecChoice choice;
    choice.container = containerForFile(job.output);
    if (!choice.container)
        throw UsageError(job.output + ": Velmora does not write " + extensionOf(job.output) + " files; it writes "
                         + knownExtensions() + ".");
    const Container &container = *choice.container;
    // The conversion's own line: no picture or MP3 options at all. Its form is ours to choose.
    choice.intermediate = !job.lavcOptionsGiven && job.audio.encoder == AudioEncoder::Mp3Lame && !job.audio.lameOptionsGiven
                          && &container == containerForFile("intermediate.avi");
    if (choice.intermediate) {
        choice.video = avcodec_find_encoder_by_name("libx264");
        choice.audio = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
        if (!choice.video)
            throw UsageError("The H.264 encoder (libx264) is missing from this FFmpeg.");
        return choice;
    }

    choice.video = findEncoder(job.video.codec, AVMEDIA_TYPE_VIDEO);
    if (!choice.video)
        throw UsageError("-lavcopts vcodec=" + job.video.codec + ": unknown video codec.");
    switch (job.audio.encoder) {
    case AudioEncoder::Mp3Lame:
        choice.audio = avcodec_find_encoder_by_name("libmp3lame");
        if (!choice.audio)
            throw UsageError("-oac mp3lame: the MP3 encoder (libmp3lame) is missing from this FFmpeg.");
        break;
    case AudioEncoder::Pcm:
        if (container.pcm == AV_CODEC_ID_NONE)
            throw UsageError(job.output + ": " + container.name + " files cannot hold PCM sound.");
        choice.audio = avcodec_find_encoder(container.pcm);
        break;
    case AudioEncoder::Lavc:
        choice.audio = findEncoder(job.audio.lavcCodec, AVMEDIA_TYPE_AUDIO);
        if (!choice.audio)
            throw UsageError("-lavcopts acodec=" + job.audio.lavcCodec + ": unknown audio codec.");
        break;
    }
    if (!container.holds(choice.video->id))
        throw UsageError(job.output + ": " + container.name + " files cannot hold " + describe(choice.video) + " pictures ("
                         + choice.video->name + ").");
    if (!container.holds(choice.audio->id))
        throw UsageError(job.output + ": " + container.name + " files cannot hold " + describe(choice.audio) + " sound ("
                         + choice.audio->name + ").");
    return choice;
}

OutputPlan makePlan(const EncodeJob &job, const CodecChoice &choice, const std::vector<InputInfo> &inputs,
                    std::vector<std::string> &notes)
{
    const InputInfo &first = inputs.front();
    OutputPlan plan;
    plan.path = job.output;
    plan.container = choice.container;
    plan.muxer = choice.container->muxerFor(choice.video->id);
    plan.intermediate = choice.intermediate;
    plan.video = choice.video;
    plan.audio = choice.audio;

    // Frame rate: as asked, or the first input's.
    const AVRational wantedRate = job.fps ? AVRational{static_cast<int>(job.fps->num), static_cast<int>(job.fps->den)}
                                          : first.frameRate;
    plan.frameRate = fitFrameRate(plan.video, wantedRate);
    if (av_cmp_q(plan.frameRate, wantedRate) != 0)
        notes.push_back(std::string(plan.video->name) + " takes no " + std::to_string(av_q2d(wantedRate))
                        + " frames a second: " + std::to_string(plan.frameRate.num) + "/" + std::to_string(plan.frameRate.den)
                        + " is used.");

    // The first input's shape, after any crop: the size and shape that nothing else fixes.
    int width = first.width;
    int height = first.height;
    if (job.crop) {
        width = std::min(job.crop->width.value_or(width), width);
        height = std::min(job.crop->height.value_or(height), height);
    }
    const Ratio firstShape{static_cast<std::int64_t>(width) * first.sampleAspect.num,
                           static_cast<std::int64_t>(height) * first.sampleAspect.den};
    if (job.scale) {
        const double shape = firstShape.value() > 0 ? firstShape.value() : 4.0 / 3.0;
        const auto wantW = job.scale->width;
        const auto wantH = job.scale->height;
        if (wantW && wantH) {
            width = *wantW;
            height = *wantH;
        } else if (wantW) {
            width = *wantW;
            height = evenOf(*wantW / shape);
        } else if (wantH) {
            height = *wantH;
            width = evenOf(*wantH * shape);
        }
    }
    const int askedWidth = width;
    const int askedHeight = height;
    fitPictureSize(plan.video, width, height);
    if (width != askedWidth || height != askedHeight)
        notes.push_back(std::string(plan.video->name) + " takes no " + sizeText(askedWidth, askedHeight) + " pictures: "
                        + sizeText(width, height) + " is used.");

    PictureTarget &picture = plan.picture;
    picture.width = width;
    picture.height = height;
    picture.frameWidth = width;
    picture.frameHeight = height;
    if (job.expand) {
        picture.frameWidth = std::max(width, job.expand->width.value_or(width));
        picture.frameHeight = std::max(height, job.expand->height.value_or(height));
        fitPictureSize(plan.video, picture.frameWidth, picture.frameHeight);
        picture.frameWidth = std::max(picture.frameWidth, width);
        picture.frameHeight = std::max(picture.frameHeight, height);
        picture.areaX = std::min(job.expand->x.value_or((picture.frameWidth - width) / 2), picture.frameWidth - width) & ~1;
        picture.areaY = std::min(job.expand->y.value_or((picture.frameHeight - height) / 2), picture.frameHeight - height) & ~1;
    }
    picture.shape = job.video.aspectMode == AspectMode::Given ? job.video.aspect : firstShape;
    if (!picture.shape.positive())
        picture.shape = Ratio{width, height};
    av_reduce(&picture.sampleAspect.num, &picture.sampleAspect.den, picture.shape.num * height, picture.shape.den * width, 65535);
    picture.format = pictureFormat(plan.video);
    picture.matrix = outputMatrix(picture.frameHeight);
    picture.crop = job.crop;

    plan.videoBitrate = job.video.bitrateKbps ? static_cast<std::int64_t>(*job.video.bitrateKbps) * 1000 : 0;
    plan.mbd = job.video.mbd;
    plan.qscale = job.video.qscale;
    if (job.video.rateFactor) {
        const std::string name = plan.video->name;
        if (name == "libx264" || name == "libx265")
            plan.rateFactor = job.video.rateFactor;
        else
            notes.push_back("-x264encopts crf does not apply to " + name + ": the bitrate decides.");
    }
    plan.keyint = job.video.keyint;
    plan.threads = job.video.threads;
    plan.maxBFrames = job.video.maxBFrames;

    // Sound: as asked, or the first input's rate with sound; two channels unless asked.
    int sampleRate = 44100;
    for (const InputInfo &input : inputs) {
        if (input.hasSound) {
            sampleRate = input.sampleRate;
            break;
        }
    }
    if (job.sampleRate)
        sampleRate = *job.sampleRate;
    plan.sound.sampleRate = fitSampleRate(plan.audio, *plan.container, sampleRate);
    if (plan.sound.sampleRate != sampleRate)
        notes.push_back(std::string(plan.audio->name) + " in " + plan.container->name + " takes no " + std::to_string(sampleRate)
                        + " Hz: " + std::to_string(plan.sound.sampleRate) + " Hz is used.");
    const int channels = job.channels.value_or(2);
    plan.sound.layout = fitChannels(plan.audio, *plan.container, channels);
    if (plan.sound.layout.nb_channels != channels)
        notes.push_back(std::string(plan.audio->name) + " takes no " + std::to_string(channels) + " channels: "
                        + std::to_string(plan.sound.layout.nb_channels) + " are used.");
    plan.sound.format = sampleFormat(plan.audio);

    if (!plan.intermediate) {
        if (job.audio.encoder == AudioEncoder::Mp3Lame) {
            plan.mp3Vbr = job.audio.mp3Mode == Mp3Mode::Vbr;
            plan.mp3Abr = job.audio.mp3Mode == Mp3Mode::Abr;
            plan.mp3Quality = job.audio.mp3Quality;
            if (!plan.mp3Vbr)
                plan.audioBitrate = job.audio.mp3BitrateKbps.value_or(128) * 1000LL;
        } else if (job.audio.encoder == AudioEncoder::Lavc) {
            const std::int64_t wanted = job.audio.lavcBitrateKbps ? *job.audio.lavcBitrateKbps * 1000LL : 0;
            std::int64_t bitrate = wanted;
            if (!wanted) {
                // The codec's own bitrate, brought within what it takes.
                AVCodecContext *defaults = avcodec_alloc_context3(plan.audio);
                bitrate = defaults ? defaults->bit_rate : 0;
                avcodec_free_context(&defaults);
            }
            plan.audioBitrate = fitAudioBitrate(plan.audio, plan.sound.sampleRate, plan.sound.layout.nb_channels, bitrate);
            if (wanted && plan.audioBitrate != wanted)
                notes.push_back(std::string(plan.audio->name) + " takes no " + std::to_string(wanted / 1000) + " kbit/s: "
                                + std::to_string(plan.audioBitrate / 1000) + " kbit/s is used.");
        }
    }
    return plan;
}

} // namespace velmora::encoder
