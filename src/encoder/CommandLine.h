#pragma once

#include "encoder/Numbers.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora::encoder {

// What the picture's shape is taken from.
enum class AspectMode {
    None,  // not given: each input keeps its own shape (the first input's, in a join)
    Auto,  // autoaspect: the first input's shape
    Given, // aspect=W/H
};

struct VideoOptions
{
    std::string codec = "mpeg4";
    std::optional<int> bitrateKbps; // unset: the codec's own
    std::optional<int> mbd;
    std::optional<int> qscale;
    std::optional<int> keyint;
    std::optional<int> threads;
    std::optional<int> maxBFrames;
    // -x264encopts crf=N: a constant rate factor in place of the bitrate (H.264 and HEVC).
    std::optional<double> rateFactor;
    AspectMode aspectMode = AspectMode::None;
    Ratio aspect;
};

enum class AudioEncoder { Mp3Lame, Pcm, Lavc };
enum class Mp3Mode { Vbr, Abr, Cbr };

struct AudioOptions
{
    AudioEncoder encoder = AudioEncoder::Mp3Lame;
    Mp3Mode mp3Mode = Mp3Mode::Vbr;
    int mp3Quality = 4;              // q=, VBR quality 0 (best) to 9
    std::optional<int> mp3BitrateKbps; // br=, for abr and cbr
    std::string lavcCodec = "mp2";
    std::optional<int> lavcBitrateKbps;
    // Whether the conversion's own form applies: -oac mp3lame without -lameopts.
    bool lameOptionsGiven = false;
};

// A picture size from -vf scale=W:H; an unset side follows from the other at the input's shape.
struct ScaleOptions
{
    std::optional<int> width;
    std::optional<int> height;
};

// crop=w:h:x:y and expand=w:h:x:y; an unset offset means centred.
struct FrameBox
{
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> x;
    std::optional<int> y;
};

// The part of one input a join that copies keeps: from start, for length seconds of the
// input's own time (0 is its first picture); an open side keeps the input's own.
struct InputTrim
{
    std::optional<double> start;
    std::optional<double> length;

    bool keepsWhole() const { return !start && !length; }
    bool operator==(const InputTrim &) const = default;
};

// Everything one run was asked to do.
struct EncodeJob
{
    std::vector<std::string> inputs;
    std::string output;
    VideoOptions video;
    AudioOptions audio;
    bool lavcOptionsGiven = false; // any -lavcopts at all
    std::optional<int> channels;
    std::optional<int> sampleRate;
    std::optional<Ratio> fps;
    std::optional<ScaleOptions> scale;
    std::optional<FrameBox> crop;
    std::optional<FrameBox> expand;
    // -ss: the first input is encoded from this many seconds in.
    std::optional<double> startSeconds;
    // -endpos: only this many seconds of the output are encoded.
    std::optional<double> endSeconds;
    // -ovc copy / vcodec=copy and -oac copy / acodec=copy: the inputs' own streams go into the
    // output as they are. Only both together are supported.
    bool copyVideo = false;
    bool copyAudio = false;
    // In a join that copies, -ss and -endpos written right after an input (before -o), as
    // MPlayer's options for one file are: that input's trim. One for each input, or none.
    std::vector<InputTrim> inputTrims;
    // -info: what the output says of itself, by FFmpeg's metadata keys.
    std::vector<std::pair<std::string, std::string>> info;
    // The options as written, one blank between words: everything but the inputs, -o and
    // -info. A part made for a join records its join line's (see MadeWithKey).
    std::string options;

    bool copies() const { return copyVideo || copyAudio; }
};

// The -info key an intermediate names the file it was converted from with (MEncoder's
// "source form"); a join titles that input's chapter with it.
inline constexpr const char *SourceNameKey = "ISRF";

// The -info key (comment) a part of a join records the join line's options under: the line it
// was made for. A join whose inputs all record its own options, and hold what those options
// make, copies them rather than encode every picture a second time.
inline constexpr const char *MadeWithKey = "comment";

struct ParsedCommandLine
{
    EncodeJob job;
    std::vector<std::string> notes; // one line each: a default taken, a value ignored
    std::string error;              // empty when the line can run

    bool ok() const { return error.empty(); }
};

// Reads MEncoder's option syntax as far as Velmora writes it: one argument per option and
// per value. A value of a sub-option may be written %n%text, where text is n bytes taken as
// they are (colons included). Values that are empty, zero, negative or missing fall back to their default
// with a note; an option, sub-option or word that is never written is an error.
ParsedCommandLine parseCommandLine(const std::vector<std::string> &arguments);

} // namespace velmora::encoder
