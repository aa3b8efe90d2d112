#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::test {

// A tiny clip of one kind of file users add: testsrc pictures at 25 frames a second and a sine
// tone, in the codecs and container that such files usually hold.
struct InputKind
{
    QString extension;      // ".mkv"
    QString size;           // the stored picture size, "320x240"
    QStringList output;     // ffmpeg's output options: codecs and the container's format (-f)
    int sampleRate = 44100; // 0: no sound track

    // The length every clip of an input kind is made with.
    static constexpr double Seconds = 0.5;
};

// One kind for each extension the task list takes, in the order of that list.
const QList<InputKind> &inputKinds();

// The clip of the kind, made once per build folder and shared.
QString inputKindClip(const InputKind &kind);

} // namespace velmora::test
