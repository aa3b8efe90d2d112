#include "encoder/Sound.h"

#include "encoder/Failure.h"

#include <vector>

extern "C" {
#include <libavutil/mathematics.h>
#include <libavutil/opt.h>
}

namespace velmora::encoder {

SoundAligner::SoundAligner(const SoundTarget &target, std::string path)
    : m_target(target)
    , m_path(std::move(path))
{
    m_fifo = av_audio_fifo_alloc(m_target.format, m_target.layout.nb_channels, m_target.sampleRate);
    if (!m_fifo)
        throw Failure(m_path, "out of memory");
}

SoundAligner::~SoundAligner()
{
    swr_free(&m_resampler);
    av_audio_fifo_free(m_fifo);
    av_channel_layout_uninit(&m_inputLayout);
}

void SoundAligner::open(const AVFrame *decoded)
{
    if (m_resampler)
        finish();
    swr_free(&m_resampler);
    av_channel_layout_uninit(&m_inputLayout);
    if (decoded->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&m_inputLayout, decoded->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&m_inputLayout, &decoded->ch_layout);
    m_inputRate = decoded->sample_rate;
    m_inputFormat = decoded->format;

    int result = swr_alloc_set_opts2(&m_resampler, &m_target.layout, m_target.format, m_target.sampleRate, &m_inputLayout,
                                     static_cast<AVSampleFormat>(decoded->format), decoded->sample_rate, 0, nullptr);
    if (result >= 0) {
        // Timestamps place the sound: the first sample lands where its time says (silence
        // before it, or cut), later jumps of over 0.1 s are closed with silence or cuts.
        // first_pts counts input samples.
        av_opt_set_int(m_resampler, "first_pts", av_rescale(m_placed, decoded->sample_rate, m_target.sampleRate), 0);
        av_opt_set_double(m_resampler, "min_hard_comp", 0.1, 0);
        result = swr_init(m_resampler);
    }
    if (result < 0)
        throw Failure(m_path, "cannot convert its sound: " + errorText(result));
}

void SoundAligner::convert(const std::uint8_t **input, int count)
{
    const int room = swr_get_out_samples(m_resampler, count);
    if (room <= 0)
        return;
    std::uint8_t **output = nullptr;
    if (av_samples_alloc_array_and_samples(&output, nullptr, m_target.layout.nb_channels, room, m_target.format, 0) < 0)
        throw Failure(m_path, "out of memory");
    const int made = swr_convert(m_resampler, output, room, input, count);
    if (made > 0) {
        av_audio_fifo_write(m_fifo, reinterpret_cast<void **>(output), made);
        m_placed += made;
    }
    av_freep(&output[0]);
    av_freep(&output);
    if (made < 0)
        throw Failure(m_path, "cannot convert its sound: " + errorText(made));
}

void SoundAligner::push(const AVFrame *decoded, std::int64_t offsetNum, std::int64_t offsetDen)
{
    if (decoded->nb_samples <= 0)
        return;
    if (!m_resampler || decoded->sample_rate != m_inputRate || decoded->format != m_inputFormat
        || decoded->ch_layout.nb_channels != m_inputLayout.nb_channels)
        open(decoded);
    // The resampler counts time in 1 / (input rate * output rate) seconds.
    const std::int64_t unit = static_cast<std::int64_t>(m_inputRate) * m_target.sampleRate;
    swr_next_pts(m_resampler, av_rescale(offsetNum, unit, offsetDen));
    convert(const_cast<const std::uint8_t **>(decoded->extended_data), decoded->nb_samples);
}

void SoundAligner::finish()
{
    if (m_resampler)
        convert(nullptr, 0);
}

} // namespace velmora::encoder
