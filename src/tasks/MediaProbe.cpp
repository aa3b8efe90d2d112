#include "tasks/MediaProbe.h"

#include "platform/Error.h"
#include "tasks/MediaFile.h"
#include "tasks/MediaInfoDll.h"
#include "tasks/TaskSort.h"
#include "tasks/TimeText.h"

#include <QFileInfo>
#include <QRegularExpression>

extern "C" {
#include <libavformat/avformat.h>
}

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <optional>
#include <string>
#include <vector>

namespace velmora::tasks {

namespace {

QString get(void *handle, MediaInfo_stream_C kind, const wchar_t *parameter)
{
    const wchar_t *text = MediaInfo_Get(handle, kind, 0, parameter, MediaInfo_Info_Text, MediaInfo_Info_Name);
    return text ? QString::fromWCharArray(text) : QString();
}

// Closes the file and frees the handle however the probe ends.
class Handle
{
public:
    Handle()
        : m_handle(MediaInfo_New())
    {
    }
    ~Handle()
    {
        if (m_handle) {
            MediaInfo_Close(m_handle);
            MediaInfo_Delete(m_handle);
        }
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    void *get() const { return m_handle; }

private:
    void *m_handle;
};

// What FFmpeg's readers measure of a file, for the few kinds MediaInfo names but cannot look
// into (NUT): nothing when they cannot open it either.
struct Measured
{
    double seconds = -1;
    int width = 0;
    int height = 0;
};

std::optional<Measured> measureWithFFmpeg(const QString &path)
{
    const MediaFile format = OpenMediaFile(path);
    if (!format)
        return std::nullopt;
    Measured measured;
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        measured.seconds = double(format->duration) / AV_TIME_BASE;
    const int video = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video >= 0) {
        measured.width = format->streams[video]->codecpar->width;
        measured.height = format->streams[video]->codecpar->height;
    }
    return measured;
}

// The first tag in the file's header that names a moment, read without looking into its
// streams.
QDateTime taggedWithFFmpeg(const QString &path)
{
    AVFormatContext *format = avformat_alloc_context();
    if (!format)
        return {};
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int opened = avformat_open_input(&format, ("file:" + path).toUtf8().constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return {};
    const MediaFile file(format);
    std::vector<const AVDictionary *> tags{format->metadata};
    for (unsigned i = 0; i < format->nb_streams; ++i)
        tags.push_back(format->streams[i]->metadata);
    for (const AVDictionary *dictionary : tags) {
        for (const char *key : {"com.apple.quicktime.creationdate", "creation_time", "date"}) {
            if (const AVDictionaryEntry *entry = av_dict_get(dictionary, key, nullptr, 0)) {
                const QDateTime moment = ParseTagTime(QString::fromUtf8(entry->value));
                if (moment.isValid())
                    return moment;
            }
        }
    }
    return {};
}

} // namespace

QDateTime RecordingTime(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    {
        const std::wstring widePath = path.toStdWString();
        Handle handle;
        MediaInfo_Open(handle.get(), widePath.c_str());
        for (const wchar_t *tag : {L"Recorded_Date", L"Encoded_Date", L"Tagged_Date"}) {
            const QDateTime moment = ParseTagTime(get(handle.get(), MediaInfo_Stream_General, tag));
            if (moment.isValid())
                return moment;
        }
    }
    const QDateTime tagged = taggedWithFFmpeg(path);
    return tagged.isValid() ? tagged : info.lastModified();
}

void UseUtf8FileNames()
{
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

double PlayTimeToSeconds(const QString &milliseconds)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?\\s*$"));
    if (!number.match(milliseconds).hasMatch())
        throw velmora::Error(QStringLiteral("'%1' is not a valid floating point value").arg(milliseconds));
    return milliseconds.trimmed().toDouble() / 1000.0;
}

ProbeResult ProbeMedia(const QString &path)
{
    const std::wstring widePath = path.toStdWString();
    Handle handle;
    MediaInfo_Open(handle.get(), widePath.c_str());
    const QString playTime = get(handle.get(), MediaInfo_Stream_General, L"PlayTime");
    if (playTime.trimmed().isEmpty()) {
        // MediaInfo found no play time at all: FFmpeg's readers may know the format better.
        const std::optional<Measured> measured = measureWithFFmpeg(path);
        if (measured && measured->seconds >= 0) {
            const QString size = measured->width > 0 && measured->height > 0
                                     ? QString::number(measured->width) + QLatin1Char('x') + QString::number(measured->height)
                                     : QStringLiteral("x");
            return {SecondsToTimeText(measured->seconds), size};
        }
    }
    const double seconds = PlayTimeToSeconds(playTime);
    const QString width = get(handle.get(), MediaInfo_Stream_Video, L"Width");
    const QString height = get(handle.get(), MediaInfo_Stream_Video, L"Height");
    return {SecondsToTimeText(seconds), width + QLatin1Char('x') + height};
}

} // namespace velmora::tasks
