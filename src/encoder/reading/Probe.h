#pragma once

#include "encoder/Numbers.h"
#include "encoder/Owners.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <memory>
#include <string>

namespace velmora::encoder {

// Opens a local file for reading (only the file protocol: a name is never a network
// address), with its streams found. Throws Failure naming the file. Reading gives up as
// soon as stopping() says so.
FormatPtr openInput(const std::string &path);

// The picture stream: the best real video stream (the default one where there is a choice),
// or a cover picture when the file holds nothing else; -1 when there is none.
int pictureStream(AVFormatContext *format);
// The sound that belongs with that picture: the best sound stream of the same programme
// (a broadcast recording holds several); -1 when there is none.
int soundStream(AVFormatContext *format, int pictureIndex);

// The display matrix's turn, in degrees clockwise: 0, 90, 180 or 270.
int rotationOf(const AVStream *stream);

// The picture stream's own frame rate when it states a plausible one; {0, 1} otherwise.
AVRational nominalFrameRate(const AVStream *stream);

// How long the input plays as its container and streams state it, in seconds; negative when
// nothing plausible states it (a figure the file's size cannot hold at LeastBytesPerSecond is
// not), or when the container allows jumps in its times (MPEG-TS and program streams, where
// the figure is only an estimate).
inline constexpr double LeastBytesPerSecond = 128;
double statedSeconds(const AVFormatContext *format, int pictureIndex, int soundIndex);

// What a run needs to know of an input before it starts.
struct InputInfo
{
    std::string path;
    double seconds = 0;      // expected play time, for progress
    int width = 0;           // picture size, upright (after the display matrix's turn)
    int height = 0;
    AVRational sampleAspect{1, 1}; // of the upright picture
    Ratio displayShape;      // width:height as shown
    AVRational frameRate{0, 1}; // the stream's own, or 25 when it states none
    bool hasSound = false;
    int sampleRate = 0;
    // The input as opened for this, kept so that the run reads on from it rather than open
    // and search the file's streams a second time; empty once the run took it, or when it
    // was not kept.
    FormatPtr opened;
};

// Opens the input and reads what a run needs, keeping it open. Throws Failure for a file
// that does not open or holds no picture.
InputInfo probeInput(const std::string &path);

} // namespace velmora::encoder
