#pragma once

// Owners for the FFmpeg objects the encoder holds: each frees its object on every path,
// thrown or not.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

#include <cstdint>
#include <memory>
#include <new>

namespace velmora::encoder {

// An input file opened for reading.
struct FormatCloser
{
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;

struct CodecCloser
{
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;

struct CodecParametersFree
{
    void operator()(AVCodecParameters *parameters) const { avcodec_parameters_free(&parameters); }
};
using CodecParametersPtr = std::unique_ptr<AVCodecParameters, CodecParametersFree>;

struct FrameFree
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;

struct PacketFree
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

struct GraphFree
{
    void operator()(AVFilterGraph *graph) const { avfilter_graph_free(&graph); }
};
using GraphPtr = std::unique_ptr<AVFilterGraph, GraphFree>;

struct InOutFree
{
    void operator()(AVFilterInOut *inOut) const { avfilter_inout_free(&inOut); }
};
using InOutPtr = std::unique_ptr<AVFilterInOut, InOutFree>;

struct ResamplerFree
{
    void operator()(SwrContext *context) const { swr_free(&context); }
};
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFree>;

struct AudioFifoFree
{
    void operator()(AVAudioFifo *fifo) const { av_audio_fifo_free(fifo); }
};
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoFree>;

// Sample buffers as av_samples_alloc_array_and_samples makes them: an array of plane
// pointers whose first plane owns the memory.
struct SampleBuffersFree
{
    void operator()(std::uint8_t **planes) const
    {
        av_freep(&planes[0]);
        av_freep(&planes);
    }
};
using SampleBuffersPtr = std::unique_ptr<std::uint8_t *, SampleBuffersFree>;

// Options handed to FFmpeg by name. A setting that cannot be stored (memory is short) throws
// rather than leave an option silently out.
class Options
{
public:
    Options() = default;
    ~Options() { av_dict_free(&m_options); }
    Options(const Options &) = delete;
    Options &operator=(const Options &) = delete;

    void set(const char *key, const char *value)
    {
        if (av_dict_set(&m_options, key, value, 0) < 0)
            throw std::bad_alloc();
    }
    void set(const char *key, std::int64_t value)
    {
        if (av_dict_set_int(&m_options, key, value, 0) < 0)
            throw std::bad_alloc();
    }
    // For the calls that take what they use out of it; what is left stays owned here.
    AVDictionary **get() { return &m_options; }
    const AVDictionary *left() const { return m_options; }

private:
    AVDictionary *m_options = nullptr;
};

} // namespace velmora::encoder
