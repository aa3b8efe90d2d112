#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <string>
#include <vector>

namespace velmora::encoder {

// An output container and the codecs it may hold. The lists are ours, not FFmpeg's query:
// FFmpeg's own check lets H.264 and AAC into AVI, which players handle badly.
struct Container
{
    const char *name;         // as the user knows it: "AVI", "MP4", ...
    const char *muxer;        // FFmpeg's muxer
    std::vector<AVCodecID> video;
    std::vector<AVCodecID> audio;
    AVCodecID pcm;            // 16-bit PCM in this container's own form; AV_CODEC_ID_NONE: none
    bool editsPriming;        // the muxer records the audio encoder's priming (MP4 edit lists)

    bool holds(AVCodecID codec) const;
    // The muxer for a given picture codec: MPEG-2 in .mpg needs the DVD-style MPEG-PS muxer.
    const char *muxerFor(AVCodecID videoCodec) const;
};

// The container that the output file's extension names. A name without an extension is
// AVI; an extension we do not know gives nullptr.
const Container *containerForFile(const std::string &path);

// The extensions we write, lower case, for messages.
std::string knownExtensions();

// The encoder that a -lavcopts vcodec= or acodec= name asks for: FFmpeg's encoder name, or
// a codec name with a preferred encoder (h264: libx264, opus: libopus, ...). Experimental
// encoders are passed over when a stable one exists. nullptr: unknown, or not of that kind.
const AVCodec *findEncoder(const std::string &name, AVMediaType type);

} // namespace velmora::encoder
