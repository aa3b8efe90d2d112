#include "encoder/Usage.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/ffversion.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <cstdio>

// VELMORA_VERSION: the project's version, given by the build to this file alone.

namespace velmora::encoder {

namespace {

// Written as parseCommandLine reads the line; an option or sub-option added there belongs here too.
constexpr const char *Usage = R"text(Usage: velmora-encoder INPUT... -o OUTPUT [OPTION]...
       velmora-encoder -h | --help | --version

Joins the INPUT files one after another into OUTPUT, re-encoded, or with
-ovc copy -oac copy, with their streams copied as they are. The options are
MEncoder's, as far as Velmora writes them: the inputs come first, then the
options; an option and its value are two arguments, and sub-options are
joined by colons (KEY=VALUE:KEY). Velmora runs this program as asapi.dll from
its program folder. A value that is missing, empty, not a number, or zero or
negative where that means nothing, takes its default, with a note on standard
error; an option, sub-option or word not listed here is an error.
-h, --help and --version are only read as the whole command line.

Output
  -o FILE              The output file. Its extension names the container:
                       .avi (also when there is none), .mp4, .m4v, .mkv,
                       .webm, .mov, .mpg, .mpeg, .vob, .wmv, .asf or .flv.
  -endpos SECONDS      Encode only the first SECONDS of the output: the
                       pictures before that moment, and the sound with them.
  -info KEY=TEXT[:KEY=TEXT]...
                       What the output says of itself. The keys: name (the
                       title), artist, genre, subject, copyright, comment and
                       srcform (the file a part was converted from; a join
                       titles that input's chapter with it). A part records
                       the options of the join it was made for as comment.
                       A value written %N%TEXT is the N bytes of TEXT as
                       they are, colons included: srcform=%9%a:b:c.mkv.

Picture
  -ovc lavc            Encode the picture with libavcodec (the default).
  -ovc copy            Copy the inputs' streams as they are, the sound too
                       (with -oac copy or no -oac). Every input must have the
                       first one's codecs and form; the options that would
                       encode are ignored, with a note.
  -lavcopts OPT[:OPT]...
                       The encoders' settings:
    vcodec=NAME        Video codec, by FFmpeg's encoder or codec name (mpeg4
                       by default; h264, hevc, vp8, vp9 and av1 take libx264,
                       libx265, libvpx, libvpx-vp9 and libsvtav1).
    vcodec=copy        The same as -ovc copy.
    vbitrate=KBPS      Video bitrate in kbit/s (default: the codec's own).
    vqscale=N          A constant quantizer N instead of a bitrate.
    mbd=N              Macroblock decision: 0 simple, 1 fewest bits, 2 rate
                       distortion.
    keyint=N           At most N frames from one key frame to the next.
    vmax_b_frames=N    At most N B-frames in a row (0: none).
    threads=N          Encoding threads (0, the default: one per core).
    autoaspect         The output has the first input's shape, as it has
                       without aspect= too.
    aspect=W/H         The output has this shape (also W:H or a decimal).
    acodec=NAME        Audio codec for -oac lavc (mp2 by default; mp3, opus and
                       vorbis take libmp3lame, libopus and libvorbis).
    acodec=copy        The same as -oac copy.
    abitrate=KBPS      Audio bitrate for -oac lavc, in kbit/s (default: the
                       codec's own).
  -x264encopts crf=N  Encode the picture at the constant rate factor N (0 to
                       51, decimals too) in place of vbitrate: one quality
                       throughout, as many bits as it takes. For the H.264
                       and HEVC encoders only. Velmora's job gives it to each
                       part of a join, to share the join's bitrate among them.
  -vf FILTER[,FILTER]...
                       Picture filters, crop first, then scale, then expand,
                       whatever order they are written in. A later -vf
                       replaces an earlier one.
    scale=W:H          The picture's size. A side left empty (scale=640: or
                       scale=:480) follows from the other at the first input's
                       shape.
    crop=W:H[:X:Y]     Cut the picture to W by H at X,Y (centred without them).
    expand=W:H[:X:Y]   Put the picture on a black frame of W by H at X,Y
                       (centred without them).
  -ofps RATE           Frame rate: 25, 29.97 or 30000/1001 (default: the first
                       input's).
  Each input's pictures are fitted inside the output's with black bars.

Sound
  -oac mp3lame         MP3 through LAME (the default).
  -oac pcm             16-bit PCM.
  -oac lavc            The libavcodec encoder that -lavcopts acodec= names.
  -oac copy            Copy the inputs' streams as they are (with -ovc copy).
  -lameopts OPT[:OPT]...
                       LAME's settings:
    vbr=N              The mode: 0 constant, 3 average, 1, 2 or 4 variable
                       bitrate (the default).
    abr                Average bitrate, at br=.
    cbr                Constant bitrate, at br=.
    q=N                Variable bitrate's quality, 0 (best) to 9 (default 4).
    br=KBPS            Bitrate for abr and cbr, in kbit/s (default 128).
  -srate HZ            Sample rate (default: the first input's with sound).
  -channels N          Channels (default 2).

A join whose inputs name their sources (srcform) and record this line's own
options word for word (comment), each with one picture and one sound track in
the codecs, size, shape, frame rate, sample rate and channels the line asks
for and the same setup data, copies them into the output rather than encode
them again; otherwise it encodes, after a note naming the part that differs.

A line that encodes into an .avi file with neither -lavcopts nor -lameopts,
and with -oac mp3lame or no -oac, writes the intermediate form of earlier
versions instead: H.264 (libx264) and 16-bit PCM.

Standard output
  A first line "Velmora encoder (libavcodec N.N.N)"; while the run works,
  status lines such as "Pos:  12.3s    369f ( 45%)   85.2 fps", each ended by
  a carriage return, ten a second; after them an empty line and, when the run
  went well, "Done: OUTPUT".
Standard error
  Notes on defaults taken and values ignored, FFmpeg's own error messages (the
  first 20), and for a run that fails, one line "Error: ..." with the reason.

Exit status
  0       The output is written.
  1       The command line cannot be run (an unknown option, no input or
          output, a codec the container cannot hold, inputs that cannot be
          copied together, ...), or an input has no picture that can be
          decoded. Nothing is written.
  2       Any other failure. Nothing is left at the output path.
  128+N   Stopped by signal N (SIGTERM, SIGINT or SIGHUP) within a second.
          Nothing is left at the output path.
)text";

std::string versionOf(unsigned version)
{
    return std::to_string(AV_VERSION_MAJOR(version)) + "." + std::to_string(AV_VERSION_MINOR(version)) + "."
           + std::to_string(AV_VERSION_MICRO(version));
}

} // namespace

Request requestOf(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1)
        return Request::Run;
    if (arguments[0] == "-h" || arguments[0] == "--help")
        return Request::Help;
    if (arguments[0] == "--version")
        return Request::Version;
    return Request::Run;
}

std::string usageText()
{
    return Usage;
}

std::string versionText()
{
    struct Library
    {
        const char *name;
        unsigned built;
        unsigned running;
    };
    const Library libraries[] = {
        {"libavutil", LIBAVUTIL_VERSION_INT, avutil_version()},
        {"libavcodec", LIBAVCODEC_VERSION_INT, avcodec_version()},
        {"libavformat", LIBAVFORMAT_VERSION_INT, avformat_version()},
        {"libavfilter", LIBAVFILTER_VERSION_INT, avfilter_version()},
        {"libswscale", LIBSWSCALE_VERSION_INT, swscale_version()},
        {"libswresample", LIBSWRESAMPLE_VERSION_INT, swresample_version()},
    };
    std::string text = "velmora-encoder (Velmora) " VELMORA_VERSION "\n";
    const std::string ffmpeg = av_version_info();
    text += "FFmpeg " + ffmpeg + (ffmpeg == FFMPEG_VERSION ? "" : " (built with " FFMPEG_VERSION ")") + "\n";
    for (const Library &library : libraries) {
        char line[96];
        std::snprintf(line, sizeof line, "%-14s %s", library.name, versionOf(library.running).c_str());
        text += line;
        if (library.built != library.running)
            text += " (built with " + versionOf(library.built) + ")";
        text += "\n";
    }
    return text;
}

} // namespace velmora::encoder
