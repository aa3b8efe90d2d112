#pragma once

#include "encoder/Owners.h"
#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace velmora::encoder {

// One subtitle track of a join that copies, input after input: each cue keeps its place
// against its input's picture. Cues are copied as they are, or, for text subtitles the output
// holds only in a form of its own (SubRip into MP4), converted cue by cue into that form. A
// cue goes out once the picture has reached its start; one that begins after its input's last
// picture is left out, and one that runs past the input's stated end ends there.
class CopiedSubtitles
{
public:
    using Writer = std::function<void(AVPacket *)>;

    // Sets up the output's track from the first input's: `output` is a new stream of the output.
    // Throws Failure when a conversion cannot be set up.
    CopiedSubtitles(AVStream *output, const AVStream *first, const Container &container, Writer write);
    ~CopiedSubtitles();
    CopiedSubtitles(const CopiedSubtitles &) = delete;
    CopiedSubtitles &operator=(const CopiedSubtitles &) = delete;

    // The next input's track begins; see CopiedSound::begin. statedSeconds: how long the input's
    // picture says it plays (0: not said).
    void begin(const AVStream *input, std::int64_t origin, AVRational originBase, std::int64_t offset, AVRational offsetBase,
               double statedSeconds);
    // A cue, in the input's working time base.
    void take(AVPacket *packet, AVRational timeBase);
    // The input's picture has reached `pictureEnd` microseconds into the output; last: it has ended.
    void release(std::int64_t pictureEnd, bool last);
    // Cues of the input left out for beginning after its picture ended.
    int leftOut() const { return m_leftOut; }

private:
    struct Held
    {
        PacketPtr packet;
        std::int64_t start = 0; // microseconds into the output
        std::int64_t length = 0;
    };
    void write(Held &cue);
    bool convert(AVPacket *packet);

    AVStream *m_output;
    Writer m_write;
    bool m_converts = false;
    CodecPtr m_decoder; // the input's, when converting
    CodecPtr m_encoder;
    std::string m_path;
    std::int64_t m_origin = 0;
    AVRational m_originBase{1, 1};
    std::int64_t m_offsetMicros = 0;
    std::int64_t m_limit = 0; // where the input's stated play time ends, in microseconds into the output
    std::deque<Held> m_held;
    std::int64_t m_last = AV_NOPTS_VALUE; // the last cue's start written, in the output's base
    int m_leftOut = 0;
};

} // namespace velmora::encoder
