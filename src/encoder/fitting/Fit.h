#pragma once

#include "encoder/writing/Formats.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
}

#include <cstdint>

namespace velmora::encoder {

// The nearest values an encoder and its container take. Each returns the wanted value
// when it is taken as it stands; the caller says so when it is not.

int fitSampleRate(const AVCodec *codec, const Container &container, int wanted);

// The channel layout nearest to the wanted count that the encoder and container take.
AVChannelLayout fitChannels(const AVCodec *codec, const Container &container, int wanted);

// Bits per second; 0 stays 0 (the encoder's own choice).
std::int64_t fitAudioBitrate(const AVCodec *codec, int sampleRate, int channels, std::int64_t wanted);

// Width and height the encoder takes: even for 4:2:0, multiples of 4 for H.263+, the
// standard sizes for plain H.263, and each codec's largest size.
void fitPictureSize(const AVCodec *codec, int &width, int &height);

AVRational fitFrameRate(const AVCodec *codec, AVRational wanted);

// The encoder's picture format: 8-bit 4:2:0 where it takes it.
AVPixelFormat pictureFormat(const AVCodec *codec);
// The encoder's sample format, planar float or 16-bit preferred.
AVSampleFormat sampleFormat(const AVCodec *codec);

} // namespace velmora::encoder
