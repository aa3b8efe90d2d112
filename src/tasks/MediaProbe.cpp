#include "tasks/MediaProbe.h"

#include "platform/Error.h"
#include "tasks/MediaInfoDll.h"
#include "tasks/TimeText.h"

#include <QRegularExpression>

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <string>

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

} // namespace

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
    const double seconds = PlayTimeToSeconds(playTime);
    const QString width = get(handle.get(), MediaInfo_Stream_Video, L"Width");
    const QString height = get(handle.get(), MediaInfo_Stream_Video, L"Height");
    return {SecondsToTimeText(seconds), width + QLatin1Char('x') + height};
}

} // namespace velmora::tasks
