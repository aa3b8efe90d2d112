#pragma once

#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <string>
#include <vector>

namespace velmora::encoder {

// What a join that copies takes of one input, stream by stream, into a given container: the
// picture, every sound and subtitle track of the picture's programme in the file's order, and
// the files it carries (fonts, cover pictures). What it leaves out is named, with why.
struct TrackLayout
{
    int picture = -1;
    int mainSound = -1;             // the sound that belongs with the picture (-1: none); one of sounds
    std::vector<int> sounds;        // stream indices, in the file's order
    std::vector<int> subtitles;
    std::vector<int> attachments;   // attachment streams and cover pictures, where the container holds them

    // What the output will not hold of the input as it is, one sentence each without its end:
    // "the German Opus sound (track 2) is left out: MP4 files cannot hold Opus sound".
    std::vector<std::string> losses;
};

// The layout of an opened input for a given output container. An input without a picture has
// picture -1 and nothing else.
TrackLayout layoutOf(const AVFormatContext *format, const Container &container);

// Subtitles that are text, which a container holding text subtitles of another form takes
// converted into its own.
bool isTextSubtitle(AVCodecID codec);
// Whether a subtitle track of this codec goes into the container converted, not as it is.
bool convertsSubtitles(AVCodecID codec, const Container &container);

// A track as the user knows it, e.g. "the German Opus sound (track 2)" or "the SubRip
// subtitles (track 1)"; number: the track's place among its kind, from 1 (0: not said).
std::string trackName(const AVStream *stream, int number);

// A language's name from its ISO 639-2 code ("deu": "German"); the code itself when it is
// not among the common ones, empty for none or "und".
std::string languageName(const char *code);

// A codec's name as users know it: "H.264", "AAC", ...
std::string codecLabel(AVCodecID codec);

} // namespace velmora::encoder
