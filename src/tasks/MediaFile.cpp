#include "tasks/MediaFile.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace velmora::tasks {

void MediaFileClose::operator()(AVFormatContext *format) const
{
    avformat_close_input(&format);
}

namespace {

int stopAsked(void *stop)
{
    return static_cast<const std::atomic<bool> *>(stop)->load() ? 1 : 0;
}

} // namespace

MediaFile OpenMediaFile(const QString &path, const std::atomic<bool> *stop)
{
    AVFormatContext *format = avformat_alloc_context();
    if (!format)
        return nullptr;
    if (stop)
        format->interrupt_callback = {stopAsked, const_cast<std::atomic<bool> *>(stop)};
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // On failure the reader frees the context itself.
    const int opened = avformat_open_input(&format, ("file:" + path).toUtf8().constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return nullptr;
    MediaFile file(format);
    if (avformat_find_stream_info(format, nullptr) < 0)
        return nullptr;
    return file;
}

} // namespace velmora::tasks
