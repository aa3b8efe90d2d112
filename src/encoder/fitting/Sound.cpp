#include "encoder/fitting/Sound.h"

#include "encoder/Failure.h"

#include <cstdlib>
#include <limits>

extern "C" {
#include <libavutil/mathematics.h>
#include <libavutil/opt.h>
}

namespace velmora::encoder {

namespace {

// Allocates sample buffers for count samples, or throws.
SampleBuffersPtr sampleBuffers(const SoundTarget &target, int count, const std::string &path)
{
    std::uint8_t **planes = nullptr;
    if (av_samples_alloc_array_and_samples(&planes, nullptr, target.layout.nb_channels, count, target.format, 0) < 0)
        throw Failure(path, "out of memory");
    return SampleBuffersPtr(planes);
}

} // namespace

SoundAligner::SoundAligner(const SoundTarget &target, std::string path)
    : m_target(target)
    , m_path(std::move(path))
    , m_fifo(av_audio_fifo_alloc(target.format, target.layout.nb_channels, target.sampleRate / 4 + 1))
{
    if (!m_fifo)
        throw Failure(m_path, "out of memory");
}

SoundAligner::~SoundAligner()
{
    av_channel_layout_uninit(&m_inputLayout);
}

void SoundAligner::open(const AVFrame *decoded)
{
    if (m_resampler)
        finish();
    m_resampler.reset();
    av_channel_layout_uninit(&m_inputLayout);
    int result = 0;
    if (decoded->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&m_inputLayout, decoded->ch_layout.nb_channels);
    else
        result = av_channel_layout_copy(&m_inputLayout, &decoded->ch_layout);
    m_inputRate = decoded->sample_rate;
    m_inputFormat = decoded->format;

    SwrContext *resampler = nullptr;
    if (result >= 0)
        result = swr_alloc_set_opts2(&resampler, &m_target.layout, m_target.format, m_target.sampleRate, &m_inputLayout,
                                     static_cast<AVSampleFormat>(decoded->format), decoded->sample_rate, 0, nullptr);
    m_resampler.reset(resampler);
    if (result >= 0) {
        // Timestamps place the sound. The first sample lands where its time says (cut when it
        // is early). A clock that drifts is followed by stretching or squeezing the sound by up
        // to one part in a hundred; only a gap or overlap of over a tenth of a second is closed
        // at once, with silence or a cut. first_pts counts input samples.
        const AVRounding near = AV_ROUND_NEAR_INF;
        result = av_opt_set_int(resampler, "first_pts", av_rescale_rnd(m_placed, decoded->sample_rate, m_target.sampleRate, near), 0);
        if (result >= 0)
            result = av_opt_set_double(resampler, "min_comp", 0.001, 0);
        if (result >= 0)
            result = av_opt_set_double(resampler, "min_hard_comp", 0.1, 0);
        if (result >= 0)
            result = av_opt_set_double(resampler, "max_soft_comp", 0.01, 0);
        // Stretching needs the resampler running even where the rates are the same; switched on
        // later, it would start its clock afresh and take the sound so far for a gap.
        if (result >= 0)
            result = av_opt_set_int(resampler, "flags", SWR_FLAG_RESAMPLE, 0);
        if (result >= 0)
            result = swr_init(resampler);
    }
    if (result < 0)
        throw Failure(m_path, "cannot convert its sound: " + errorText(result));
}

void SoundAligner::convert(const std::uint8_t **input, int count)
{
    const int room = swr_get_out_samples(m_resampler.get(), count);
    if (room <= 0)
        return;
    const SampleBuffersPtr output = sampleBuffers(m_target, room, m_path);
    const int made = swr_convert(m_resampler.get(), output.get(), room, input, count);
    if (made < 0)
        throw Failure(m_path, "cannot convert its sound: " + errorText(made));
    if (made > 0) {
        if (av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void **>(output.get()), made) < made)
            throw Failure(m_path, "out of memory");
        m_placed += made;
    }
}

std::int64_t SoundAligner::push(const AVFrame *decoded, std::optional<std::int64_t> offset)
{
    if (decoded->nb_samples <= 0 || decoded->sample_rate <= 0 || decoded->ch_layout.nb_channels <= 0)
        return 0;
    const bool reopen = !m_resampler || decoded->sample_rate != m_inputRate || decoded->format != m_inputFormat
                        || decoded->ch_layout.nb_channels != m_inputLayout.nb_channels;
    if (offset && std::llabs(*offset) > std::numeric_limits<std::int64_t>::max() / 4 / m_target.sampleRate)
        offset.reset(); // no believable time: it follows the sound before
    if (offset) {
        const std::int64_t start = av_rescale_rnd(*offset, m_target.sampleRate, decoded->sample_rate, AV_ROUND_NEAR_INF);
        const std::int64_t held = m_resampler && !reopen ? swr_get_delay(m_resampler.get(), m_target.sampleRate) : 0;
        const std::int64_t gap = start - (m_placed + held);
        if (gap > static_cast<std::int64_t>(GapSeconds) * m_target.sampleRate) {
            finish(); // what the resampler holds comes before the gap
            return start - m_placed;
        }
        if (gap <= -static_cast<std::int64_t>(EarlySeconds) * m_target.sampleRate)
            offset.reset();
    }
    if (reopen)
        open(decoded);
    // The resampler counts time in 1 / (input rate * output rate) seconds.
    if (offset) {
        // Its answer, where it placed the sound, counts from first_pts and so is never negative
        // unless making up the difference failed.
        const std::int64_t next = swr_next_pts(m_resampler.get(), *offset * m_target.sampleRate);
        if (next < 0 && next > -0x10000)
            throw Failure(m_path, "cannot place its sound: " + errorText(static_cast<int>(next)));
    }
    convert(const_cast<const std::uint8_t **>(decoded->extended_data), decoded->nb_samples);
    return 0;
}

void SoundAligner::skip(std::int64_t count)
{
    // The resampler starts afresh after the silence, so that its clock counts it.
    finish();
    m_resampler.reset();
    m_placed += std::max<std::int64_t>(0, count);
}

void SoundAligner::finish()
{
    if (m_resampler)
        convert(nullptr, 0);
}

} // namespace velmora::encoder
