#pragma once

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include <cstdint>
#include <string>

namespace velmora::encoder {

struct SoundTarget
{
    int sampleRate = 44100;
    AVChannelLayout layout{};
    AVSampleFormat format = AV_SAMPLE_FMT_FLTP;
};

// Brings one input's decoded sound to the target rate, channels and sample format, placed
// on the input's own timeline: sample 0 is the moment of the input's first picture. Sound
// that starts late is preceded by silence, sound that starts early is cut, and gaps and
// overlaps of more than a tenth of a second inside the stream are closed the same way.
class SoundAligner
{
public:
    SoundAligner(const SoundTarget &target, std::string path);
    ~SoundAligner();
    SoundAligner(const SoundAligner &) = delete;
    SoundAligner &operator=(const SoundAligner &) = delete;

    // A decoded frame whose start lies `offset` seconds after the first picture, as an exact
    // fraction num / den.
    void push(const AVFrame *decoded, std::int64_t offsetNum, std::int64_t offsetDen);
    // Ends the input: what the resampler still holds comes out.
    void finish();

    // The samples placed so far, waiting to be taken.
    AVAudioFifo *samples() { return m_fifo; }
    // Samples placed from the input's start, taken or not.
    std::int64_t placed() const { return m_placed; }

private:
    void open(const AVFrame *decoded);
    void convert(const std::uint8_t **input, int count);

    SoundTarget m_target;
    std::string m_path;
    SwrContext *m_resampler = nullptr;
    AVAudioFifo *m_fifo = nullptr;
    int m_inputRate = 0;
    int m_inputFormat = -1;
    AVChannelLayout m_inputLayout{};
    std::int64_t m_placed = 0;
};

} // namespace velmora::encoder
