#pragma once

#include "encoder/CommandLine.h"
#include "encoder/Owners.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
}

#include <deque>
#include <optional>

namespace velmora::encoder {

// What every picture of the output looks like.
struct PictureTarget
{
    int width = 0;        // the picture area: -vf scale's size
    int height = 0;
    Ratio shape;          // the picture area's shape as shown
    int frameWidth = 0;   // the whole frame, larger than the area with -vf expand
    int frameHeight = 0;
    int areaX = 0;        // where the area sits in the frame
    int areaY = 0;
    AVRational sampleAspect{1, 1};
    AVPixelFormat format = AV_PIX_FMT_YUV420P;
    AVColorSpace matrix = AVCOL_SPC_SMPTE170M;
    std::optional<FrameBox> crop;
};

// The matrix and range that an output of this height and format is written in: BT.709 for
// HD, BT.601 below; full range only for the JPEG formats.
AVColorSpace outputMatrix(int height);

// Where a picture of a given shape sits in the area: the largest centred box of its shape,
// with black bars filling the rest. Sizes and offsets are even.
struct Placement
{
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
};
Placement placeInside(const Ratio &pictureShape, int areaWidth, int areaHeight, const Ratio &areaShape);

// Brings one input's decoded pictures to the target: turned upright, deinterlaced, cropped,
// fitted inside the area with black bars, in the target's pixel format and colours. The
// graph is built from the first picture and built again when the pictures change form.
class PictureFitter
{
public:
    // timeBase: what the decoded pictures' times count in.
    PictureFitter(const PictureTarget &target, const AVFormatContext *format, const AVStream *stream, AVRational timeBase);
    ~PictureFitter() = default;
    PictureFitter(const PictureFitter &) = delete;
    PictureFitter &operator=(const PictureFitter &) = delete;

    // Takes a decoded picture (the reference is moved out of it).
    void push(AVFrame *decoded);
    // Ends the input: pictures the graph still holds come out.
    void finish();
    // The next fitted picture, with its time in the time base given; false when none.
    bool pull(AVFrame *fitted);

private:
    void build(const AVFrame *first);
    void drain();
    std::string description(const AVFrame *first) const;

    PictureTarget m_target;
    const AVFormatContext *m_format;
    const AVStream *m_stream;
    AVRational m_timeBase;
    int m_rotation = 0;
    GraphPtr m_graph;
    AVFilterContext *m_source = nullptr;
    AVFilterContext *m_sink = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_pixelFormat = -1;
    AVRational m_sar{0, 1};
    std::deque<FramePtr> m_ready;
};

} // namespace velmora::encoder
