#pragma once

#include "encoder/CommandLine.h"
#include "encoder/Owners.h"
#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <functional>
#include <string>
#include <vector>

namespace velmora::encoder {

// A file an input carries along (a font for its subtitles, a cover picture), kept once in a
// join however many inputs carry it.
struct CarriedFile
{
    std::string name;
    std::string mimetype;
    std::vector<std::uint8_t> bytes;
};

// What a join that copies will make of its inputs, found before anything is written.
struct StartCut
{
    int pictures = 0;                  // pictures before the cut, kept for decoding
    double seconds = 0;                // how long they would show
    std::int64_t from = AV_NOPTS_VALUE; // the earliest of their display times, in the picture's time base
};

struct CopySurvey
{
    std::vector<std::string> titles; // each input's chapter title
    std::vector<StartCut> cuts;      // each input's
    std::vector<double> seconds;     // each input's pictures' play time, as far as it is kept
    double pictureSeconds = 0;       // the inputs' pictures' stated play time together
    // What the output will not hold as the inputs do, one line each, naming the file: tracks
    // the container cannot hold, an input cut between key pictures that starts earlier. The
    // same line for many files is given once.
    std::vector<std::string> losses;
    std::vector<CarriedFile> carried; // every input's, each once
};

// Opens the inputs one at a time and makes sure their tracks can be put one after another
// into one file of the container without re-encoding. They can when each has the first one's
// picture (codec, profile, size, pixel format, field order, turn, shape, and for every codec
// but VP8/VP9 its setup data: H.264's and HEVC's parameter sets) and frame rate (or all of
// them are variable), as many sound tracks as the first with the same codec, profile, sample
// rate and channel layout each, and as many subtitle tracks with the same codec and setup;
// and when the container holds the picture and the picture's own sound. Throws UsageError
// naming the first input that does not fit and what differs, ending "Choose a profile that
// re-encodes.". A system limit reached on the way (open files, memory) is named as such.
// goOn: asked before each input with how many are done; false ends the survey with a Failure.
// trims: each input's (or none); a trim whose start falls between key pictures is named.
CopySurvey surveyCopy(const std::vector<std::string> &paths, const Container &container,
                      const std::function<bool(std::size_t)> &goOn = {}, const std::vector<InputTrim> &trims = {});

// The check before a job starts: the survey for outputPath's container, or the refusal.
struct CopyCheck
{
    std::string refusal; // empty when the inputs can be copied
    CopySurvey survey;
};
CopyCheck checkCopy(const std::vector<std::string> &paths, const std::string &outputPath,
                    const std::function<bool(std::size_t)> &goOn = {}, const std::vector<InputTrim> &trims = {});

// An input opened for a join that copies. A failure names the file; one that a system limit
// caused (too many open files, no memory left) says so, not that the file cannot be read.
FormatPtr openCopyInput(const std::string &path);

// How many pictures before an input's start were cut away but kept for decoding (an edit list
// that starts between key pictures, as phones write when a clip is trimmed), and for how long
// they would show. Reads the input's first packets; the input must be read from its start
// again afterwards.
StartCut startCutOf(AVFormatContext *format, int picture);

} // namespace velmora::encoder
