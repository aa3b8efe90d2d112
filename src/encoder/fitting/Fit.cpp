#include "encoder/fitting/Fit.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace velmora::encoder {

namespace {

template<typename T>
T nearest(const std::vector<T> &allowed, T wanted)
{
    T best = allowed.front();
    for (const T value : allowed) {
        const auto distance = std::llabs(static_cast<long long>(value) - static_cast<long long>(wanted));
        const auto bestDistance = std::llabs(static_cast<long long>(best) - static_cast<long long>(wanted));
        if (distance < bestDistance || (distance == bestDistance && value > best))
            best = value;
    }
    return best;
}

int evenAtLeast2(int value)
{
    return std::max(2, value & ~1);
}

int multipleOf4(int value)
{
    return std::max(4, (value + 2) & ~3);
}

} // namespace

int fitSampleRate(const AVCodec *codec, const Container &container, int wanted)
{
    std::vector<int> allowed;
    if (codec->supported_samplerates) {
        for (const int *rate = codec->supported_samplerates; *rate; ++rate)
            allowed.push_back(*rate);
    }
    if (codec->id == AV_CODEC_ID_OPUS)
        allowed = {48000}; // Opus decodes at 48 kHz whatever it was given
    // What the container's header can name narrows the list further.
    for (const std::vector<int> *named : {&container.sampleRates, codec->id == container.pcm ? &container.pcmSampleRates : nullptr}) {
        if (!named || named->empty())
            continue;
        std::vector<int> both;
        for (const int rate : allowed.empty() ? *named : allowed) {
            if (std::find(named->begin(), named->end(), rate) != named->end())
                both.push_back(rate);
        }
        allowed = both.empty() ? *named : both;
    }
    if (allowed.empty() || std::find(allowed.begin(), allowed.end(), wanted) != allowed.end())
        return wanted;
    return nearest(allowed, wanted);
}

AVChannelLayout fitChannels(const AVCodec *codec, const Container &container, int wanted)
{
    const int limit = container.maxChannels;
    wanted = std::clamp(wanted, 1, limit);
    AVChannelLayout layout{};
    if (codec->ch_layouts) {
        std::vector<int> counts;
        for (const AVChannelLayout *each = codec->ch_layouts; each->nb_channels; ++each) {
            if (each->nb_channels <= limit)
                counts.push_back(each->nb_channels);
        }
        if (!counts.empty()) {
            // Never more channels than asked, when fewer will do.
            std::vector<int> atMost;
            std::copy_if(counts.begin(), counts.end(), std::back_inserter(atMost), [&](int n) { return n <= wanted; });
            const int count = atMost.empty() ? *std::min_element(counts.begin(), counts.end())
                                             : *std::max_element(atMost.begin(), atMost.end());
            AVChannelLayout standard{};
            av_channel_layout_default(&standard, count);
            for (const AVChannelLayout *each = codec->ch_layouts; each->nb_channels; ++each) {
                if (av_channel_layout_compare(each, &standard) == 0 && av_channel_layout_copy(&layout, each) >= 0)
                    return layout;
            }
            for (const AVChannelLayout *each = codec->ch_layouts; each->nb_channels; ++each) {
                if (each->nb_channels == count && av_channel_layout_copy(&layout, each) >= 0)
                    return layout;
            }
        }
    }
    if (codec->id == AV_CODEC_ID_MP3 || codec->id == AV_CODEC_ID_MP2 || codec->id == AV_CODEC_ID_WMAV1
        || codec->id == AV_CODEC_ID_WMAV2 || codec->id == AV_CODEC_ID_NELLYMOSER)
        wanted = std::min(wanted, 2);
    av_channel_layout_default(&layout, wanted);
    return layout;
}

std::int64_t fitAudioBitrate(const AVCodec *codec, int sampleRate, int channels, std::int64_t wanted)
{
    if (wanted <= 0)
        return wanted;
    std::vector<int> kbps;
    switch (codec->id) {
    case AV_CODEC_ID_AC3:
        kbps = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640};
        break;
    case AV_CODEC_ID_MP2:
        if (sampleRate < 32000)
            kbps = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
        else
            kbps = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
        break;
    case AV_CODEC_ID_WMAV1:
    case AV_CODEC_ID_WMAV2:
        // Below about 12 kbit/s a channel the WMA encoder gives up.
        return std::max<std::int64_t>(wanted, 12000LL * channels);
    case AV_CODEC_ID_OPUS:
        return std::clamp<std::int64_t>(wanted, 6000LL * channels, 256000LL * channels);
    default:
        return wanted;
    }
    const int chosen = nearest(kbps, static_cast<int>(std::min<std::int64_t>(wanted / 1000, 1 << 20)));
    return chosen * 1000LL == wanted ? wanted : chosen * 1000LL;
}

void fitPictureSize(const AVCodec *codec, int &width, int &height)
{
    switch (codec->id) {
    case AV_CODEC_ID_H263: {
        // Plain H.263 knows five picture sizes only.
        static const std::vector<std::pair<int, int>> sizes = {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}};
        auto best = sizes.front();
        for (const auto &size : sizes) {
            if (std::abs(size.first * size.second - width * height) < std::abs(best.first * best.second - width * height))
                best = size;
        }
        width = best.first;
        height = best.second;
        return;
    }
    case AV_CODEC_ID_H263P:
        width = std::min(multipleOf4(width), 2048);
        height = std::min(multipleOf4(height), 1152);
        return;
    case AV_CODEC_ID_MPEG1VIDEO:
    case AV_CODEC_ID_MPEG2VIDEO:
        width = std::min(evenAtLeast2(width), 4094);
        height = std::min(evenAtLeast2(height), 4094);
        return;
    case AV_CODEC_ID_FLV1:
    case AV_CODEC_ID_MSMPEG4V2:
    case AV_CODEC_ID_MSMPEG4V3:
    case AV_CODEC_ID_WMV1:
    case AV_CODEC_ID_WMV2:
        width = std::min(evenAtLeast2(width), 4094);
        height = std::min(evenAtLeast2(height), 4094);
        return;
    default:
        width = std::min(evenAtLeast2(width), 8192);
        height = std::min(evenAtLeast2(height), 8192);
        return;
    }
}

AVRational fitFrameRate(const AVCodec *codec, AVRational wanted)
{
    // MPEG-1 knows eight rates only (MPEG-2 reaches others through its rate extension).
    static const AVRational mpeg1[] = {{24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {50, 1}, {60000, 1001}, {60, 1}, {0, 0}};
    const AVRational *rates = codec->id == AV_CODEC_ID_MPEG1VIDEO ? mpeg1 : codec->supported_framerates;
    if (rates) {
        bool listed = false;
        for (const AVRational *rate = rates; rate->num; ++rate)
            listed = listed || av_cmp_q(*rate, wanted) == 0;
        if (!listed)
            return rates[av_find_nearest_q_idx(wanted, rates)];
    }
    if (codec->id == AV_CODEC_ID_MPEG4 && wanted.num > 65535) {
        // MPEG-4 part 2 counts time in at most 16 bits.
        AVRational fitted;
        av_reduce(&fitted.num, &fitted.den, wanted.num, wanted.den, 65535);
        return fitted;
    }
    return wanted;
}

AVPixelFormat pictureFormat(const AVCodec *codec)
{
    if (!codec->pix_fmts)
        return AV_PIX_FMT_YUV420P;
    // Motion JPEG is full range by its standard.
    const auto preferred = codec->id == AV_CODEC_ID_MJPEG ? std::vector<AVPixelFormat>{AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUV420P}
                                                          : std::vector<AVPixelFormat>{AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVJ420P};
    for (const AVPixelFormat wanted : preferred) {
        for (const AVPixelFormat *format = codec->pix_fmts; *format != AV_PIX_FMT_NONE; ++format) {
            if (*format == wanted)
                return wanted;
        }
    }
    return avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, AV_PIX_FMT_YUV420P, 0, nullptr);
}

AVSampleFormat sampleFormat(const AVCodec *codec)
{
    if (!codec->sample_fmts)
        return AV_SAMPLE_FMT_FLTP;
    for (const AVSampleFormat wanted : {AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_S16P, AV_SAMPLE_FMT_FLT}) {
        for (const AVSampleFormat *format = codec->sample_fmts; *format != AV_SAMPLE_FMT_NONE; ++format) {
            if (*format == wanted)
                return wanted;
        }
    }
    return codec->sample_fmts[0];
}

} // namespace velmora::encoder
