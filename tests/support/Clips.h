#pragma once

#include <QString>
#include <QStringList>

namespace velmora::test {

// A tiny real clip made with ffmpeg: testsrc pictures and a sine tone.
struct ClipSpec
{
    QString size = QStringLiteral("320x240");
    int rate = 25;
    double seconds = 1.0;
    bool video = true;
    bool audio = true;
    int sampleRate = 44100;
    int tone = 440;

    QString key() const;
};

// The clip, made once per build folder and shared by every test that asks for the same one.
QString sharedClip(const ClipSpec &spec = {});

// A copy of the shared clip at destination (folders made as needed); returns destination.
QString copyClip(const QString &destination, const ClipSpec &spec = {});

// Copies of the shared clip in folder under the given names; their full paths.
QStringList copyClips(const QString &folder, const QStringList &names);

// Half a second of small pictures (MPEG-4 Part 2) in the container name's extension names,
// with ffmpeg's arguments for its tags ("-metadata", "creation_time=..."), made once per build
// folder.
QString taggedClip(const QString &name, const QStringList &tags);

// Sets the file's modification time, as a camera's card or a copy leaves it; ends the run with
// qFatal when it cannot.
void setModified(const QString &path, const QString &isoMoment);

} // namespace velmora::test
