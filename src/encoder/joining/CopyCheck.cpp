#include "encoder/joining/CopyCheck.h"

#include "encoder/Failure.h"
#include "encoder/reading/Probe.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace velmora::encoder {

namespace {

std::string fileName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string article(const std::string &name)
{
    return name.rfind('A', 0) == 0 || name.rfind("MP", 0) == 0 ? "an " : "a ";
}

std::string refusal(const std::string &path, const std::string &what)
{
    return fileName(path) + " cannot be joined without re-encoding" + what + ". Choose a profile that re-encodes.";
}

// The frame rate a copy keeps: the stream's own when its pictures come at it; {0, 1} when
// they come at a variable rate (a phone's clip).
AVRational steadyRate(const AVStream *stream)
{
    const AVRational real = stream->r_frame_rate;
    const AVRational average = stream->avg_frame_rate;
    const bool realKnown = real.num > 0 && real.den > 0;
    const bool averageKnown = average.num > 0 && average.den > 0;
    if (!realKnown)
        return averageKnown ? average : AVRational{0, 1};
    if (averageKnown && std::fabs(av_q2d(average) / av_q2d(real) - 1.0) > 0.01)
        return AVRational{0, 1};
    return real;
}

bool sameRate(AVRational a, AVRational b)
{
    if (a.num == 0 || b.num == 0)
        return a.num == b.num;
    return std::fabs(av_q2d(a) / av_q2d(b) - 1.0) < 1e-4;
}

std::string rateText(AVRational rate)
{
    if (rate.num == 0)
        return "variable";
    char text[32];
    const double value = av_q2d(rate);
    if (std::fabs(value - std::round(value)) < 1e-6)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.3f", value);
    return std::string(text) + " frames a second";
}

std::string withProfile(const AVCodecParameters *codec)
{
    std::string text = codecLabel(codec->codec_id);
    if (const char *profile = avcodec_profile_name(codec->codec_id, codec->profile))
        text += std::string(" (") + profile + ")";
    return text;
}

std::string fieldOrderText(AVFieldOrder order)
{
    switch (order) {
    case AV_FIELD_PROGRESSIVE: return "progressive";
    case AV_FIELD_TT:
    case AV_FIELD_TB: return "interlaced, top field first";
    case AV_FIELD_BB:
    case AV_FIELD_BT: return "interlaced, bottom field first";
    default: return "of unknown field order";
    }
}

std::string soundText(const AVStream *stream)
{
    const AVCodecParameters *codec = stream->codecpar;
    char layout[64] = "";
    av_channel_layout_describe(&codec->ch_layout, layout, sizeof layout);
    return withProfile(codec) + " " + std::to_string(codec->sample_rate) + " Hz " + layout;
}

bool sameBytes(const AVCodecParameters *a, const AVCodecParameters *b)
{
    return a->extradata_size == b->extradata_size
           && (a->extradata_size == 0 || std::memcmp(a->extradata, b->extradata, static_cast<std::size_t>(a->extradata_size)) == 0);
}

// VP8 and VP9 describe themselves in every key picture: what their header holds is no setup
// a decoder depends on.
bool setupMatters(AVCodecID codec)
{
    return codec != AV_CODEC_ID_VP8 && codec != AV_CODEC_ID_VP9;
}

// How the picture of `stream` differs from the first one's; empty when it does not.
std::string pictureDifference(const AVStream *stream, const AVStream *first)
{
    const AVCodecParameters *a = stream->codecpar;
    const AVCodecParameters *b = first->codecpar;
    const auto base = [](const AVCodecParameters *codec) {
        return std::to_string(codec->width) + "x" + std::to_string(codec->height) + " " + withProfile(codec);
    };
    const auto differ = [&](const std::string &mine, const std::string &firsts) {
        return ": its picture is " + mine + ", the first file's is " + firsts;
    };
    if (a->codec_id != b->codec_id || a->profile != b->profile || a->width != b->width || a->height != b->height)
        return differ(base(a), base(b));
    if (a->format != b->format) {
        const auto format = [&](const AVCodecParameters *codec) {
            const char *name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(codec->format));
            return base(codec) + " " + (name ? name : "of unknown pixel format");
        };
        return differ(format(a), format(b));
    }
    if (a->field_order != b->field_order)
        return differ(base(a) + ", " + fieldOrderText(a->field_order), base(b) + ", " + fieldOrderText(b->field_order));
    const int turn = rotationOf(stream);
    const int firstTurn = rotationOf(first);
    if (turn != firstTurn) {
        const auto turned = [&](const AVCodecParameters *codec, int degrees) {
            return base(codec) + (degrees ? ", turned " + std::to_string(degrees) + " degrees" : std::string(", not turned"));
        };
        return differ(turned(a, turn), turned(b, firstTurn));
    }
    const AVRational shape = a->sample_aspect_ratio.num > 0 ? a->sample_aspect_ratio : AVRational{1, 1};
    const AVRational firstShape = b->sample_aspect_ratio.num > 0 ? b->sample_aspect_ratio : AVRational{1, 1};
    if (av_cmp_q(shape, firstShape) != 0) {
        const auto shown = [&](const AVCodecParameters *codec, AVRational pixel) {
            AVRational display{};
            av_reduce(&display.num, &display.den, static_cast<std::int64_t>(codec->width) * pixel.num,
                      static_cast<std::int64_t>(codec->height) * pixel.den, 1000);
            return base(codec) + " shown at " + std::to_string(display.num) + ":" + std::to_string(display.den);
        };
        return differ(shown(a, shape), shown(b, firstShape));
    }
    if (setupMatters(a->codec_id) && !sameBytes(a, b)) {
        const bool parameterSets = a->codec_id == AV_CODEC_ID_H264 || a->codec_id == AV_CODEC_ID_HEVC;
        return ": its picture is " + base(a) + " as the first file's, but made with other encoder settings (its "
               + (parameterSets ? "parameter sets differ" : "codec's setup data differs") + ")";
    }
    const AVRational rate = steadyRate(stream);
    const AVRational firstRate = steadyRate(first);
    if (!sameRate(rate, firstRate))
        return ": its frame rate is " + rateText(rate) + ", the first file's is " + rateText(firstRate);
    return std::string();
}

std::string soundDifference(const AVStream *stream, const AVStream *first)
{
    if (!stream && !first)
        return std::string();
    if (!stream)
        return ": it has no sound, the first file's sound is " + soundText(first);
    if (!first)
        return ": its sound is " + soundText(stream) + ", the first file has none";
    const AVCodecParameters *a = stream->codecpar;
    const AVCodecParameters *b = first->codecpar;
    if (a->codec_id != b->codec_id || a->profile != b->profile || a->sample_rate != b->sample_rate
        || av_channel_layout_compare(&a->ch_layout, &b->ch_layout) != 0)
        return ": its sound is " + soundText(stream) + ", the first file's is " + soundText(first);
    return std::string();
}

double statedPicture(const AVFormatContext *format, const AVStream *stream)
{
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

} // namespace

std::string codecLabel(AVCodecID codec)
{
    static const std::map<AVCodecID, const char *> labels = {
        {AV_CODEC_ID_H264, "H.264"},          {AV_CODEC_ID_HEVC, "HEVC"},         {AV_CODEC_ID_VP8, "VP8"},
        {AV_CODEC_ID_VP9, "VP9"},             {AV_CODEC_ID_AV1, "AV1"},           {AV_CODEC_ID_MPEG4, "MPEG-4"},
        {AV_CODEC_ID_MPEG1VIDEO, "MPEG-1"},   {AV_CODEC_ID_MPEG2VIDEO, "MPEG-2"}, {AV_CODEC_ID_MJPEG, "Motion JPEG"},
        {AV_CODEC_ID_PRORES, "ProRes"},       {AV_CODEC_ID_THEORA, "Theora"},     {AV_CODEC_ID_AAC, "AAC"},
        {AV_CODEC_ID_OPUS, "Opus"},           {AV_CODEC_ID_VORBIS, "Vorbis"},     {AV_CODEC_ID_MP3, "MP3"},
        {AV_CODEC_ID_MP2, "MP2"},             {AV_CODEC_ID_AC3, "AC-3"},          {AV_CODEC_ID_EAC3, "E-AC-3"},
        {AV_CODEC_ID_FLAC, "FLAC"},           {AV_CODEC_ID_ALAC, "ALAC"},         {AV_CODEC_ID_PCM_S16LE, "PCM"},
        {AV_CODEC_ID_PCM_S16BE, "PCM"},       {AV_CODEC_ID_PCM_S24LE, "PCM"},     {AV_CODEC_ID_WMAV2, "WMA"},
        {AV_CODEC_ID_WMV2, "WMV"},            {AV_CODEC_ID_FLV1, "Flash Video"},
    };
    if (const auto found = labels.find(codec); found != labels.end())
        return found->second;
    std::string name = avcodec_get_name(codec);
    for (char &c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::vector<CopySource> openCopySources(const std::vector<std::string> &paths, const Container &container)
{
    std::vector<CopySource> sources;
    for (const std::string &path : paths) {
        CopySource source;
        source.path = path;
        try {
            source.format = openInput(path);
        } catch (const Failure &failure) {
            throw UsageError(fileName(path) + " cannot be read: " + failure.what() + ".");
        }
        source.video = pictureStream(source.format.get());
        if (source.video < 0)
            throw UsageError(fileName(path) + " cannot be joined: it holds no picture.");
        source.audio = soundStream(source.format.get(), source.video);
        const AVStream *video = source.format->streams[source.video];
        const AVStream *audio = source.audio >= 0 ? source.format->streams[source.audio] : nullptr;
        source.pictureSeconds = statedPicture(source.format.get(), video);

        if (sources.empty()) {
            const auto holds = [&](const AVStream *stream, const char *what) {
                if (stream && !container.holds(stream->codecpar->codec_id))
                    throw UsageError(refusal(path, std::string(" into ") + article(container.name) + container.name + " file: " + container.name + " files cannot hold its "
                                                       + codecLabel(stream->codecpar->codec_id) + " " + what));
            };
            holds(video, "picture");
            holds(audio, "sound");
        } else {
            const CopySource &first = sources.front();
            const AVStream *firstVideo = first.format->streams[first.video];
            const AVStream *firstAudio = first.audio >= 0 ? first.format->streams[first.audio] : nullptr;
            std::string difference = pictureDifference(video, firstVideo);
            if (difference.empty())
                difference = soundDifference(audio, firstAudio);
            if (!difference.empty())
                throw UsageError(refusal(path, difference));
        }
        sources.push_back(std::move(source));
    }
    return sources;
}

std::string copyRefusal(const std::vector<std::string> &paths, const std::string &outputPath, double *pictureSeconds)
{
    const Container *container = containerForFile(outputPath);
    if (!container)
        return fileName(outputPath) + ": Velmora does not write files of this type.";
    try {
        const std::vector<CopySource> sources = openCopySources(paths, *container);
        if (pictureSeconds) {
            *pictureSeconds = 0;
            for (const CopySource &source : sources)
                *pictureSeconds += source.pictureSeconds;
        }
        return std::string();
    } catch (const UsageError &error) {
        return error.what();
    }
}

} // namespace velmora::encoder
