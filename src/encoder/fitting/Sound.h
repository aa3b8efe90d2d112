#pragma once

#include "encoder/Owners.h"

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include <cstdint>
#include <optional>
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
// that starts early is cut. A clock that drifts is followed by stretching or squeezing the
// sound a little; gaps and overlaps of over a tenth of a second are closed with silence or
// cuts. A gap of over a second is left to the caller (see push()), so that its silence is
// written in steps rather than made all at once.
class SoundAligner
{
public:
    static constexpr int GapSeconds = 1;
    // Sound that starts this much or more before the sound so far (before the first picture, for
    // the first frame) has a damaged time: it follows the sound before instead of cutting hours.
    static constexpr int EarlySeconds = 10;

    SoundAligner(const SoundTarget &target, std::string path);
    ~SoundAligner();
    SoundAligner(const SoundAligner &) = delete;
    SoundAligner &operator=(const SoundAligner &) = delete;

    // A decoded frame that starts `offset` samples (at its own rate) after the input's first
    // picture; without an offset it follows the sound before. Returns 0 when the frame was
    // placed. When it starts more than GapSeconds after the sound placed so far, nothing is
    // placed and the gap is returned, in target samples: the caller takes everything from
    // samples(), writes that much silence, calls skip() with it and pushes the frame again.
    std::int64_t push(const AVFrame *decoded, std::optional<std::int64_t> offset);
    // The caller wrote count samples of silence right after everything it took.
    void skip(std::int64_t count);
    // Ends the input: what the resampler still holds comes out.
    void finish();

    // The samples placed so far, waiting to be taken.
    AVAudioFifo *samples() { return m_fifo.get(); }
    // Samples placed from the input's start: taken, waiting, or skipped as silence.
    std::int64_t placed() const { return m_placed; }

private:
    void open(const AVFrame *decoded);
    void convert(const std::uint8_t **input, int count);

    SoundTarget m_target;
    std::string m_path;
    ResamplerPtr m_resampler;
    AudioFifoPtr m_fifo;
    int m_inputRate = 0;
    int m_inputFormat = -1;
    AVChannelLayout m_inputLayout{};
    std::int64_t m_placed = 0;
};

} // namespace velmora::encoder
