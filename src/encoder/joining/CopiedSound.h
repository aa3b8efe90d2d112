#pragma once

#include "encoder/Owners.h"
#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <deque>
#include <functional>

namespace velmora::encoder {

// One sound track of a join that copies, input after input. Each input's sound packets keep
// their place against that input's picture, and go out once the picture has reached them.
// Players make sound of the packets one after another: where that sound has got to may run
// ahead of a packet's time (AAC's last packet of a file stores part of a frame and decodes to
// a whole one) or behind it (a packet left out). A packet is left out that would mostly play
// over sound already out, or mostly past its input's last picture; so the sound at a join is
// never off by more than half a packet, and that never adds up.
// - Sound before the first input's first picture (an encoder's priming) is left out, but for
//   a file that skips it itself (an edit list, or Opus's delay declared in its header).
// - A gap of less than a packet may stay at a join, as does a gap where an input's sound is
//   shorter than its picture: nothing is invented.
class CopiedSound
{
public:
    using Writer = std::function<void(AVPacket *)>;

    CopiedSound(AVStream *output, const Container &container, Writer write);

    // The next input's track begins: `input` is its stream, origin its moment zero (the
    // picture's start) in originBase, and it begins at `offset` in the output (in offsetBase).
    void begin(const AVStream *input, std::int64_t origin, AVRational originBase, std::int64_t offset, AVRational offsetBase,
               bool firstInput);
    // A packet of the input's track, in the input's working time base (see Timeline).
    void take(AVPacket *packet, AVRational timeBase);
    // The input's picture has reached `pictureEnd` microseconds into the output: what lies
    // before goes out. last: the input has ended, and the rest is left out.
    void release(std::int64_t pictureEnd, bool last);
    // How much of the input's sound ran past its picture and was left out, in seconds.
    double leftOutSeconds() const;

private:
    struct Held
    {
        PacketPtr packet;
        std::int64_t start = 0;   // in the output's time base
        std::int64_t length = 0;  // as stored
        // In microseconds, which the output's base may be too coarse for (Matroska's milliseconds
        // would lose a third of one at every AAC packet):
        std::int64_t at = 0;      // its start
        std::int64_t decodes = 0; // how much sound a decoder makes of it: AAC and MP3 make whole frames
        std::int64_t skipped = 0; // what a decoder leaves out at its start (the very first packet's priming)
    };

    AVStream *m_output;
    const Container &m_container;
    Writer m_write;
    AVRational m_base;
    // The input being copied.
    const AVStream *m_input = nullptr;
    bool m_firstInput = true;
    std::int64_t m_origin = 0; // in the input's working base
    AVRational m_originBase{1, 1};
    std::int64_t m_offset = 0;       // where the input begins, in m_base
    std::int64_t m_offsetMicros = 0; // and in microseconds
    std::int64_t m_next = AV_NOPTS_VALUE;
    std::int64_t m_leftOut = 0;
    std::int64_t m_wholeFrame = 0;
    std::int64_t m_spaced = 0;  // packets whose spacing gives the frame
    std::int64_t m_firstAt = 0; // the first of them, in microseconds
    std::deque<Held> m_held;
    // Across inputs.
    std::int64_t m_decoded = AV_NOPTS_VALUE; // where the sound played so far ends, in microseconds
    std::int64_t m_last = AV_NOPTS_VALUE;    // the last packet's start written
};

} // namespace velmora::encoder
