#pragma once

#include <QDateTime>
#include <QString>

namespace velmora::tasks {

struct ProbeResult
{
    QString length; // play time as a time text
    QString size;   // "<width>x<height>", "x" without a video stream
};

// Measures one file through the MediaInfo library; where it finds no play time at all, through
// FFmpeg's readers. A play time that neither gives, or that is not a number, raises
// velmora::Error "'<text>' is not a valid floating point value".
ProbeResult ProbeMedia(const QString &path);

// When the file was filmed, by its own tags: MediaInfo's recording, encoding and tagging
// dates, or FFmpeg's creation_time and QuickTime's creation date where MediaInfo finds none;
// the file's modification time when it holds none of them. Invalid when the file is gone.
QDateTime RecordingTime(const QString &path);

// The library turns wide file names into bytes with the C library's character conversion,
// which only knows the letters of the current character type. File names here are UTF-8, so
// the conversion must be UTF-8 too, whatever locale the program was started in. Called once
// at start-up, after the application object has taken the locale from the environment.
void UseUtf8FileNames();

// The play time text in milliseconds as seconds, or the error above.
double PlayTimeToSeconds(const QString &milliseconds);

} // namespace velmora::tasks
