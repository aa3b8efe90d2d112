#pragma once

#include <QString>

namespace velmora::tasks {

struct ProbeResult
{
    QString length; // play time as a time text
    QString size;   // "<width>x<height>", "x" without a video stream
};

// Measures one file through the MediaInfo library. A play time that is empty or not a
// number raises velmora::Error "'<text>' is not a valid floating point value".
ProbeResult ProbeMedia(const QString &path);

// The play time text in milliseconds as seconds, or the error above.
double PlayTimeToSeconds(const QString &milliseconds);

} // namespace velmora::tasks
