#include "tasks/KeyPictures.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <memory>

namespace velmora::tasks {

namespace {

struct CloseInput
{
    void operator()(AVFormatContext *format) const { avformat_close_input(&format); }
};
using Input = std::unique_ptr<AVFormatContext, CloseInput>;

struct FreePacket
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};

bool stopped(const std::atomic_bool *stop)
{
    return stop && stop->load();
}

int interrupted(void *stop)
{
    return stopped(static_cast<const std::atomic_bool *>(stop)) ? 1 : 0;
}

// The file opened for reading, or null. The interrupt callback gives up any read, however
// long a damaged file would make it, once stop turns true.
Input openInput(const QString &path, const std::atomic_bool *stop)
{
    AVFormatContext *format = avformat_alloc_context();
    if (!format)
        return nullptr;
    format->interrupt_callback.callback = interrupted;
    format->interrupt_callback.opaque = const_cast<std::atomic_bool *>(stop);
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0); // a name is never a network address
    const int opened = avformat_open_input(&format, ("file:" + path).toUtf8().constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return nullptr; // avformat_open_input freed the context
    return Input(format);
}

double statedRate(const AVStream *stream)
{
    for (const AVRational rate : {stream->avg_frame_rate, stream->r_frame_rate}) {
        if (rate.num > 0 && rate.den > 0)
            return av_q2d(rate);
    }
    return 0;
}

} // namespace

KeyPictures ListKeyPictures(const QString &path, const std::atomic_bool *stop, long long readLimit)
{
    KeyPictures result;
    const Input input = openInput(path, stop);
    if (!input || avformat_find_stream_info(input.get(), nullptr) < 0)
        return result;
    const int picture = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (picture < 0)
        return result;
    // Only the picture's packets are wanted: the reader skips the others' contents.
    for (unsigned int i = 0; i < input->nb_streams; ++i)
        input->streams[i]->discard = int(i) == picture ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    const AVStream *stream = input->streams[picture];
    result.opened = true;
    result.framesPerSecond = statedRate(stream);

    const std::unique_ptr<AVPacket, FreePacket> packet(av_packet_alloc());
    if (!packet)
        return result;
    std::vector<int64_t> stamps;
    int read = 0;
    long long packets = 0;
    while (packets++ < readLimit && !stopped(stop)) {
        read = av_read_frame(input.get(), packet.get());
        if (read == AVERROR(EAGAIN))
            continue;
        if (read < 0)
            break;
        if (packet->stream_index == picture && (packet->flags & AV_PKT_FLAG_KEY)) {
            const int64_t stamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (stamp != AV_NOPTS_VALUE)
                stamps.push_back(stamp);
        }
        av_packet_unref(packet.get());
    }
    result.complete = read == AVERROR_EOF;

    std::sort(stamps.begin(), stamps.end());
    stamps.erase(std::unique(stamps.begin(), stamps.end()), stamps.end());
    const int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : (stamps.empty() ? 0 : stamps.front());
    result.times.reserve(stamps.size());
    for (const int64_t stamp : stamps)
        result.times.push_back(std::max(double(stamp - origin) * av_q2d(stream->time_base), 0.0));
    // Two stamps before the start both land on 0.
    result.times.erase(std::unique(result.times.begin(), result.times.end()), result.times.end());
    return result;
}

} // namespace velmora::tasks
