#include "encoder/reading/Probe.h"

#include "encoder/Failure.h"
#include "encoder/Stopping.h"
#include "encoder/fitting/Timing.h"

#include <cerrno>
#include <cmath>

extern "C" {
#include <libavutil/display.h>
}

namespace velmora::encoder {

namespace {

bool realPicture(const AVStream *stream)
{
    return stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)
           && stream->codecpar->width > 0 && stream->codecpar->height > 0;
}

} // namespace

std::string errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

bool isSystemLimit(int code)
{
    return code == AVERROR(EMFILE) || code == AVERROR(ENFILE);
}

std::string openFailureText(int code, const std::string &done, const std::string &verb)
{
    if (code == AVERROR(EMFILE) || code == AVERROR(ENFILE))
        return "the system's limit on open files was reached as it was " + done + " (" + errorText(code)
               + "); raise the limit (ulimit -n) or join fewer files at once";
    // FFmpeg's readers say "out of memory" for a size a damaged file claims: the file's fault,
    // far more often than the system's.
    if (code == AVERROR(ENOMEM))
        return "cannot " + verb + " it: it asks for more memory than there is (" + errorText(code) + "); it may be damaged";
    return "cannot " + verb + " it: " + errorText(code);
}

FormatPtr openInput(const std::string &path)
{
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        throw Failure(path, "out of memory");
    raw->interrupt_callback = AVIOInterruptCB{interruptedByStop, nullptr};
    // Local files only, whatever the file names inside it (playlists, references).
    raw->protocol_whitelist = av_strdup("file");
    if (!raw->protocol_whitelist) {
        avformat_free_context(raw);
        throw Failure(path, "out of memory");
    }
    const int opened = avformat_open_input(&raw, ("file:" + path).c_str(), nullptr, nullptr);
    if (opened < 0)
        throw Failure(path, openFailureText(opened, "opened", "open"), Failure::RunStatus, opened);
    FormatPtr format(raw);
    if (const int found = avformat_find_stream_info(format.get(), nullptr); found < 0)
        throw Failure(path, "cannot read its streams: " + errorText(found), Failure::RunStatus, found);
    if (stopping())
        throw Failure(path, "stopped");
    return format;
}

int pictureStream(AVFormatContext *format)
{
    const int best = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (best >= 0 && realPicture(format->streams[best]))
        return best;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (realPicture(format->streams[i]))
            return static_cast<int>(i);
    }
    // A song or a talk with its cover: the cover is the picture.
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream *stream = format->streams[i];
        if ((stream->disposition & AV_DISPOSITION_ATTACHED_PIC) && stream->attached_pic.size > 0)
            return static_cast<int>(i);
    }
    return -1;
}

int soundStream(AVFormatContext *format, int pictureIndex)
{
    const int best = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, pictureIndex, nullptr, 0);
    if (best < 0)
        return -1;
    const AVCodecParameters *codec = format->streams[best]->codecpar;
    return plausibleSampleRate(codec->sample_rate) && codec->ch_layout.nb_channels > 0 ? best : -1;
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

AVRational nominalFrameRate(const AVStream *stream)
{
    for (const AVRational rate : {stream->avg_frame_rate, stream->r_frame_rate}) {
        if (plausibleFrameRate(rate))
            return rate;
    }
    return AVRational{0, 1};
}

double statedSeconds(const AVFormatContext *format, int pictureIndex, int soundIndex)
{
    if (format->iformat->flags & AVFMT_TS_DISCONT)
        return -1;
    double longest = -1;
    const auto take = [&](const AVStream *stream) {
        if (stream->duration == AV_NOPTS_VALUE || stream->duration <= 0 || stream->time_base.num <= 0 || stream->time_base.den <= 0)
            return;
        const double seconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
        if (std::isfinite(seconds) && seconds < 1e7)
            longest = std::max(longest, seconds);
    };
    // A stream counts only where its clock is believable: a picture stream at a plausible
    // frame rate, a sound stream at a plausible sample rate.
    bool doubtful = false;
    if (pictureIndex >= 0) {
        const AVStream *picture = format->streams[pictureIndex];
        if (plausibleFrameRate(nominalFrameRate(picture)))
            take(picture);
        else
            doubtful = picture->duration != AV_NOPTS_VALUE;
    }
    if (soundIndex >= 0)
        take(format->streams[soundIndex]);
    // The container's own figure is the longest of its streams': trusted only when no stream
    // says otherwise and none is in doubt.
    if (longest < 0 && !doubtful && format->duration != AV_NOPTS_VALUE && format->duration > 0
        && format->duration < static_cast<std::int64_t>(1e7) * AV_TIME_BASE)
        longest = static_cast<double>(format->duration) / AV_TIME_BASE;
    // Files that play take more than a kilobit a second, even a still picture over speech; one
    // that would take less has a damaged play time (a 200 kB FLV claiming an hour or weeks).
    const std::int64_t bytes = format->pb ? avio_size(format->pb) : -1;
    if (bytes > 0 && longest > static_cast<double>(bytes) / LeastBytesPerSecond)
        return -1;
    return longest;
}

InputInfo probeInput(const std::string &path)
{
    FormatPtr format = openInput(path);
    const int video = pictureStream(format.get());
    if (video < 0)
        throw Failure(path, "it holds no picture", Failure::InputStatus);
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

    info.frameRate = nominalFrameRate(stream);
    if (!plausibleFrameRate(info.frameRate))
        info.frameRate = AVRational{25, 1};

    const int sound = soundStream(format.get(), video);
    const double stated = statedSeconds(format.get(), video, sound);
    if (stated > 0)
        info.seconds = stated;
    else if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        info.seconds = static_cast<double>(format->duration) / AV_TIME_BASE; // an estimate, for progress only

    if (sound >= 0) {
        info.hasSound = true;
        info.sampleRate = format->streams[sound]->codecpar->sample_rate;
    }
    info.opened = std::move(format);
    return info;
}

} // namespace velmora::encoder
