#pragma once

#include "encoder/writing/Formats.h"
#include "encoder/Owners.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <string>
#include <vector>

namespace velmora::encoder {

// One input of a join that copies the streams, opened, with the streams it gives.
struct CopySource
{
    std::string path;
    FormatPtr format;
    int video = -1;
    int audio = -1;          // -1: it has no sound
    double pictureSeconds = 0; // the picture's play time as stated; 0 when nothing states it
};

// Opens the inputs and makes sure their streams can be put one after another into one file
// of the container without re-encoding. They can when each has the first one's picture
// (codec, profile, size, pixel format, field order, turn, shape, and for every codec but
// VP8/VP9 its setup data: H.264's and HEVC's parameter sets), frame rate (or all of them
// are variable) and sound (codec, profile, sample rate, channel layout, or none), and the
// container holds both streams. Throws UsageError naming the first input that does not fit
// and what differs, ending "Choose a profile that re-encodes.".
std::vector<CopySource> openCopySources(const std::vector<std::string> &paths, const Container &container);

// What openCopySources would refuse, for a caller that checks before anything runs: empty
// when the inputs can be copied into outputPath's container. pictureSeconds: the inputs'
// pictures' stated play time together.
std::string copyRefusal(const std::vector<std::string> &paths, const std::string &outputPath, double *pictureSeconds = nullptr);

// A codec's name as users know it: "H.264", "AAC", ...
std::string codecLabel(AVCodecID codec);

} // namespace velmora::encoder
