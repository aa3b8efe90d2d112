#pragma once

#include "encoder/Numbers.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <memory>
#include <string>

namespace velmora::encoder {

struct FormatCloser
{
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;

// Opens a local file for reading (only the file protocol: a name is never a network
// address), with its streams found. Throws Failure naming the file.
FormatPtr openInput(const std::string &path);

// The picture stream: the first real video stream, not cover art; -1 when there is none.
int pictureStream(const AVFormatContext *format);
// The first sound stream, -1 when there is none.
int soundStream(const AVFormatContext *format);

// The display matrix's turn, in degrees clockwise: 0, 90, 180 or 270.
int rotationOf(const AVStream *stream);

// What a run needs to know of an input before it starts.
struct InputInfo
{
    std::string path;
    double seconds = 0;      // expected play time, for progress
    int width = 0;           // picture size, upright (after the display matrix's turn)
    int height = 0;
    AVRational sampleAspect{1, 1}; // of the upright picture
    Ratio displayShape;      // width:height as shown
    AVRational frameRate{0, 1};
    bool hasSound = false;
    int sampleRate = 0;
};

// Opens the input and reads what a run needs. Throws Failure for a file that does not open
// or holds no picture.
InputInfo probeInput(const std::string &path);

} // namespace velmora::encoder
