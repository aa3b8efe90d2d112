#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::encoder {

// An output container: the codecs it may hold and what it can do. The lists are ours, not
// FFmpeg's query: FFmpeg's own check lets H.264 and AAC into AVI, which players handle badly.
struct Container
{
    const char *name = nullptr;  // as the user knows it: "AVI", "MP4", ...
    const char *muxer = nullptr; // FFmpeg's muxer
    std::vector<AVCodecID> video{};
    std::vector<AVCodecID> audio{};
    // Subtitles it holds as they are, and the text subtitles it holds in a form of its own
    // (none: it holds no text subtitles), into which other text subtitles are converted.
    std::vector<AVCodecID> subtitles{};
    AVCodecID textSubtitles = AV_CODEC_ID_NONE;
    bool attachments = false; // files it carries along (Matroska's fonts and cover pictures)
    AVCodecID pcm = AV_CODEC_ID_NONE; // 16-bit PCM in this container's own form; none: it holds no PCM

    // The sample rates its header can name, for any sound (empty: any rate), and for PCM sound.
    std::vector<int> sampleRates{};
    std::vector<int> pcmSampleRates{};
    int maxChannels = 8;

    bool globalHeader = false;    // codec setup lives in the header, not in the stream
    // ... but for the MPEG pictures, which players find set up in the stream itself: so a part
    // of a join made in this container copies into AVI and MPEG files as their own encode would.
    bool mpegSetupInStream = false;
    bool faststart = false;       // the index can be moved to the front, so it plays while it downloads
    bool hevcTag = false;         // HEVC is tagged hvc1, as Apple's players look for
    bool editsPriming = false;    // it has edit lists: one skips the audio encoder's priming, or the
                                  // pictures before a cut (MP4, QuickTime)
    bool declaresOpusDelay = false; // the stream header declares Opus's priming (Matroska's codec delay)
    bool chapters = false;        // it holds chapters (Matroska, WebM, MP4, QuickTime)
    bool storesPictureTimes = true; // false (AVI): a picture's moment is its place in the file, so
                                    // MPEG-2 says when it holds no picture back (low delay)
    const char *mpeg2Muxer = nullptr; // MPEG-2 pictures take this muxer instead (DVD-style program stream)

    bool holds(AVCodecID codec) const; // as a picture or a sound
    bool holdsSubtitles(AVCodecID codec) const;
    // The muxer for a given picture codec.
    const char *muxerFor(AVCodecID videoCodec) const;
};

// The container that the output file's extension names. A name without an extension is
// AVI; an extension we do not know gives nullptr.
const Container *containerForFile(const std::string &path);

// Every container we write, for checks against FFmpeg's own muxers.
const std::vector<Container> &allContainers();

// The extensions we write, lower case, for messages.
std::string knownExtensions();

// The encoder that a -lavcopts vcodec= or acodec= name asks for: FFmpeg's encoder name, or
// a codec name with a preferred encoder (h264: libx264, opus: libopus, ...). Experimental
// encoders are passed over when a stable one exists. nullptr: unknown, or not of that kind.
const AVCodec *findEncoder(const std::string &name, AVMediaType type);

} // namespace velmora::encoder
