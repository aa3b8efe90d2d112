#include "encoder/Probe.h"

#include "encoder/Failure.h"

#include <cmath>

extern "C" {
#include <libavutil/display.h>
}

namespace velmora::encoder {

std::string errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

FormatPtr openInput(const std::string &path)
{
    AVFormatContext *raw = nullptr;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int opened = avformat_open_input(&raw, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        throw Failure(path, "cannot open it: " + errorText(opened));
    FormatPtr format(raw);
    if (const int found = avformat_find_stream_info(format.get(), nullptr); found < 0)
        throw Failure(path, "cannot read its streams: " + errorText(found));
    return format;
}

int pictureStream(const AVFormatContext *format)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream *stream = format->streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)
            && stream->codecpar->width > 0 && stream->codecpar->height > 0)
            return static_cast<int>(i);
    }
    return -1;
}

int soundStream(const AVFormatContext *format)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters *codec = format->streams[i]->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_AUDIO && codec->sample_rate > 0 && codec->ch_layout.nb_channels > 0)
            return static_cast<int>(i);
    }
    return -1;
}

int rotationOf(const AVStream *stream)
{
    const auto *matrix = reinterpret_cast<const int32_t *>(av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return 0;
    const double angle = av_display_rotation_get(matrix); // counter-clockwise
    if (std::isnan(angle))
        return 0;
    int clockwise = static_cast<int>(std::lround(-angle / 90.0)) * 90 % 360;
    if (clockwise < 0)
        clockwise += 360;
    return clockwise;
}

InputInfo probeInput(const std::string &path)
{
    const FormatPtr format = openInput(path);
    const int video = pictureStream(format.get());
    if (video < 0)
        throw Failure(path, "it holds no picture");
    const AVStream *stream = format->streams[video];
    InputInfo info;
    info.path = path;
    info.width = stream->codecpar->width;
    info.height = stream->codecpar->height;
    AVRational sar = stream->sample_aspect_ratio.num > 0 ? stream->sample_aspect_ratio : stream->codecpar->sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        sar = AVRational{1, 1};
    if (rotationOf(stream) % 180 == 90) {
        std::swap(info.width, info.height);
        std::swap(sar.num, sar.den);
    }
    info.sampleAspect = sar;
    info.displayShape = Ratio{static_cast<std::int64_t>(info.width) * sar.num, static_cast<std::int64_t>(info.height) * sar.den};

    info.frameRate = stream->avg_frame_rate;
    if (info.frameRate.num <= 0 || info.frameRate.den <= 0 || av_q2d(info.frameRate) > 1000)
        info.frameRate = stream->r_frame_rate;
    if (info.frameRate.num <= 0 || info.frameRate.den <= 0 || av_q2d(info.frameRate) > 1000)
        info.frameRate = AVRational{25, 1};

    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        info.seconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    else if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        info.seconds = static_cast<double>(format->duration) / AV_TIME_BASE;

    if (const int sound = soundStream(format.get()); sound >= 0) {
        info.hasSound = true;
        info.sampleRate = format->streams[sound]->codecpar->sample_rate;
    }
    return info;
}

} // namespace velmora::encoder
