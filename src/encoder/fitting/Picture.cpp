#include "encoder/fitting/Picture.h"

#include "encoder/Failure.h"
#include "encoder/reading/Probe.h"

#include <algorithm>
#include <cmath>
#include <string>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/pixdesc.h>
}

namespace velmora::encoder {

namespace {

const char *matrixName(AVColorSpace space)
{
    switch (space) {
    case AVCOL_SPC_BT709: return "bt709";
    case AVCOL_SPC_FCC: return "fcc";
    case AVCOL_SPC_SMPTE240M: return "smpte240m";
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL: return "bt2020";
    default: return "bt601";
    }
}

bool sameMatrix(AVColorSpace a, AVColorSpace b)
{
    return std::string(matrixName(a)) == matrixName(b);
}

bool isFullRange(const AVFrame *frame)
{
    const auto format = static_cast<AVPixelFormat>(frame->format);
    return frame->color_range == AVCOL_RANGE_JPEG || format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P
           || format == AV_PIX_FMT_YUVJ444P || format == AV_PIX_FMT_YUVJ440P || format == AV_PIX_FMT_YUVJ411P;
}

bool isRgbOrGray(AVPixelFormat format)
{
    const AVPixFmtDescriptor *descriptor = av_pix_fmt_desc_get(format);
    return descriptor && ((descriptor->flags & AV_PIX_FMT_FLAG_RGB) || descriptor->nb_components < 3);
}

// The matrix as the colorspace filter names it.
const char *colorspaceName(AVColorSpace space)
{
    const std::string name = matrixName(space);
    if (name == "bt601")
        return "smpte170m";
    if (name == "bt2020")
        return "bt2020ncl";
    return matrixName(space);
}

// The planar YUV formats the colorspace filter converts between.
bool colorspaceTakes(AVPixelFormat format)
{
    switch (format) {
    case AV_PIX_FMT_YUV420P:
    case AV_PIX_FMT_YUV422P:
    case AV_PIX_FMT_YUV444P:
    case AV_PIX_FMT_YUV420P10:
    case AV_PIX_FMT_YUV422P10:
    case AV_PIX_FMT_YUV444P10:
    case AV_PIX_FMT_YUV420P12:
    case AV_PIX_FMT_YUV422P12:
    case AV_PIX_FMT_YUV444P12: return true;
    default: return false;
    }
}

// A change of matrix alone, within one format, straight from YUV to YUV. Primaries and
// transfer are named the same on both sides so that only the matrix changes, as it does in
// scale; fast mode keeps the filter from going through linear light.
std::string matrixChange(AVColorSpace from, AVColorSpace to)
{
    return std::string("colorspace=ispace=") + colorspaceName(from) + ":space=" + colorspaceName(to)
           + ":iprimaries=bt709:primaries=bt709:itrc=bt709:trc=bt709:irange=tv:range=tv:fast=1";
}

int even(double value)
{
    return std::max(2, static_cast<int>(std::lround(value / 2.0)) * 2);
}

} // namespace

AVColorSpace outputMatrix(int height)
{
    return height > 576 ? AVCOL_SPC_BT709 : AVCOL_SPC_SMPTE170M;
}

Placement placeInside(const Ratio &pictureShape, int areaWidth, int areaHeight, const Ratio &areaShape)
{
    Placement place{areaWidth, areaHeight, 0, 0};
    if (!pictureShape.positive() || !areaShape.positive())
        return place;
    const double picture = pictureShape.value();
    const double area = areaShape.value();
    if (picture > area)
        place.height = std::min(areaHeight, even(areaHeight * area / picture));
    else
        place.width = std::min(areaWidth, even(areaWidth * picture / area));
    // Bars of a pixel or two would only show as a line: fill the area instead.
    if (areaWidth - place.width < 4)
        place.width = areaWidth;
    if (areaHeight - place.height < 4)
        place.height = areaHeight;
    place.x = ((areaWidth - place.width) / 2) & ~1;
    place.y = ((areaHeight - place.height) / 2) & ~1;
    return place;
}

PictureFitter::PictureFitter(const PictureTarget &target, const AVFormatContext *format, const AVStream *stream,
                             AVRational timeBase)
    : m_target(target)
    , m_format(format)
    , m_stream(stream)
    , m_timeBase(timeBase)
    , m_rotation(rotationOf(stream))
{
}

std::string PictureFitter::description(const AVFrame *first) const
{
    std::string chain;
    const auto add = [&chain](const std::string &filter) {
        if (!chain.empty())
            chain += ',';
        chain += filter;
    };
    char text[512];

    int width = first->width;
    int height = first->height;
    AVRational sar = av_guess_sample_aspect_ratio(const_cast<AVFormatContext *>(m_format), const_cast<AVStream *>(m_stream),
                                                  const_cast<AVFrame *>(first));
    if (sar.num <= 0 || sar.den <= 0)
        sar = AVRational{1, 1};

    if (first->interlaced_frame || (m_stream->codecpar->field_order != AV_FIELD_PROGRESSIVE
                                    && m_stream->codecpar->field_order != AV_FIELD_UNKNOWN))
        add("yadif=mode=send_frame:parity=auto:deint=interlaced");

    if (m_rotation == 90 || m_rotation == 270) {
        add(m_rotation == 90 ? "transpose=clock" : "transpose=cclock");
        std::swap(width, height);
        std::swap(sar.num, sar.den);
    } else if (m_rotation == 180) {
        add("hflip,vflip");
    }

    AVColorSpace inputMatrix = first->colorspace;
    if (inputMatrix == AVCOL_SPC_UNSPECIFIED || inputMatrix == AVCOL_SPC_RESERVED || inputMatrix == AVCOL_SPC_RGB)
        inputMatrix = outputMatrix(first->height);
    const bool fullRange = isFullRange(first);
    const bool hdr = (first->color_trc == AVCOL_TRC_SMPTE2084 || first->color_trc == AVCOL_TRC_ARIB_STD_B67)
                     && avfilter_get_by_name("zscale") && avfilter_get_by_name("tonemap");

    if (m_target.crop) {
        const FrameBox &crop = *m_target.crop;
        const int cropWidth = std::min(crop.width.value_or(width), width);
        const int cropHeight = std::min(crop.height.value_or(height), height);
        const int x = std::min(crop.x.value_or((width - cropWidth) / 2), width - cropWidth);
        const int y = std::min(crop.y.value_or((height - cropHeight) / 2), height - cropHeight);
        std::snprintf(text, sizeof text, "crop=%d:%d:%d:%d", cropWidth, cropHeight, x, y);
        add(text);
        width = cropWidth;
        height = cropHeight;
    }

    const Ratio shape{static_cast<std::int64_t>(width) * sar.num, static_cast<std::int64_t>(height) * sar.den};
    const Placement place = placeInside(shape, m_target.width, m_target.height, m_target.shape);
    const bool outputFull = m_target.format == AV_PIX_FMT_YUVJ420P || m_target.format == AV_PIX_FMT_YUVJ422P
                            || m_target.format == AV_PIX_FMT_YUVJ444P;
    std::string scale = "scale=" + std::to_string(place.width) + ":" + std::to_string(place.height) + ":flags=bicubic";
    const auto format = static_cast<AVPixelFormat>(first->format);
    if (hdr) {
        // Scaled first in its own depth, then light levels brought down to SDR at the size
        // that is kept, straight into the output's matrix.
        add(scale);
        add(std::string("zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=")
            + (m_target.matrix == AVCOL_SPC_BT709 ? "709" : "170m") + ":r=" + (outputFull ? "pc" : "tv"));
    } else if (isRgbOrGray(format)) {
        add(scale + ":out_color_matrix=" + matrixName(m_target.matrix) + ":out_range=" + (outputFull ? "pc" : "tv"));
    } else if (!sameMatrix(inputMatrix, m_target.matrix) && !fullRange && !outputFull && colorspaceTakes(m_target.format)) {
        // Within scale a change of matrix sends swscale through RGB, which costs more than
        // the rest of the conversion. Done by itself it is cheap: on the smaller of the two
        // pictures, in the input's own format before scaling down or the output's after.
        const std::string change = matrixChange(inputMatrix, m_target.matrix);
        const bool shrinks = static_cast<std::int64_t>(place.width) * place.height < static_cast<std::int64_t>(width) * height;
        if (!shrinks && colorspaceTakes(format)) {
            add(change);
            add(scale);
        } else {
            add(scale);
            add(std::string("format=") + av_get_pix_fmt_name(m_target.format));
            add(change);
        }
    } else if (!sameMatrix(inputMatrix, m_target.matrix) || fullRange != outputFull) {
        add(scale + ":in_color_matrix=" + matrixName(inputMatrix) + ":out_color_matrix=" + matrixName(m_target.matrix)
            + ":in_range=" + (fullRange ? "pc" : "tv") + ":out_range=" + (outputFull ? "pc" : "tv"));
    } else {
        add(scale);
    }
    if (place.width != m_target.width || place.height != m_target.height) {
        std::snprintf(text, sizeof text, "pad=%d:%d:%d:%d:black", m_target.width, m_target.height, place.x, place.y);
        add(text);
    }
    if (m_target.frameWidth != m_target.width || m_target.frameHeight != m_target.height) {
        std::snprintf(text, sizeof text, "pad=%d:%d:%d:%d:black", m_target.frameWidth, m_target.frameHeight, m_target.areaX,
                      m_target.areaY);
        add(text);
    }
    std::snprintf(text, sizeof text, "setsar=%d/%d,format=%s", m_target.sampleAspect.num, m_target.sampleAspect.den,
                  av_get_pix_fmt_name(m_target.format));
    add(text);
    return chain;
}

void PictureFitter::build(const AVFrame *first)
{
    if (m_graph) {
        // The pictures changed form: what the old graph holds comes out first.
        if (av_buffersrc_add_frame(m_source, nullptr) >= 0)
            drain();
        m_graph.reset();
    }
    m_width = first->width;
    m_height = first->height;
    m_pixelFormat = first->format;
    m_sar = first->sample_aspect_ratio;

    const std::string path = m_format->url;
    m_graph.reset(avfilter_graph_alloc());
    if (!m_graph)
        throw Failure(path, "out of memory");
    // The graph's thread count stays at 0, all cores: the filters that work in slices
    // (colorspace, yadif, transpose) use them; scale works in one.
    AVRational sar = av_guess_sample_aspect_ratio(const_cast<AVFormatContext *>(m_format), const_cast<AVStream *>(m_stream),
                                                  const_cast<AVFrame *>(first));
    if (sar.num <= 0 || sar.den <= 0)
        sar = AVRational{1, 1};
    char arguments[256];
    std::snprintf(arguments, sizeof arguments, "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", first->width,
                  first->height, first->format, m_timeBase.num, m_timeBase.den, sar.num, sar.den);
    int result = avfilter_graph_create_filter(&m_source, avfilter_get_by_name("buffer"), "in", arguments, nullptr, m_graph.get());
    if (result >= 0)
        result = avfilter_graph_create_filter(&m_sink, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr, m_graph.get());
    if (result >= 0) {
        InOutPtr outputs(avfilter_inout_alloc());
        InOutPtr inputs(avfilter_inout_alloc());
        if (!outputs || !inputs)
            throw Failure(path, "out of memory");
        outputs->name = av_strdup("in");
        outputs->filter_ctx = m_source;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = m_sink;
        if (!outputs->name || !inputs->name)
            throw Failure(path, "out of memory");
        AVFilterInOut *in = inputs.release();
        AVFilterInOut *out = outputs.release();
        result = avfilter_graph_parse_ptr(m_graph.get(), description(first).c_str(), &in, &out, nullptr);
        avfilter_inout_free(&in);
        avfilter_inout_free(&out);
    }
    if (result >= 0)
        result = avfilter_graph_config(m_graph.get(), nullptr);
    if (result < 0)
        throw Failure(path, "cannot prepare its pictures: " + errorText(result));
}

void PictureFitter::push(AVFrame *decoded)
{
    if (!m_graph || decoded->width != m_width || decoded->height != m_height || decoded->format != m_pixelFormat
        || av_cmp_q(decoded->sample_aspect_ratio, m_sar) != 0)
        build(decoded);
    decoded->pts = decoded->best_effort_timestamp;
    const int result = av_buffersrc_add_frame_flags(m_source, decoded, AV_BUFFERSRC_FLAG_KEEP_REF);
    av_frame_unref(decoded);
    if (result < 0)
        throw Failure(m_format->url, "cannot prepare its pictures: " + errorText(result));
    drain();
}

void PictureFitter::finish()
{
    if (m_graph && av_buffersrc_add_frame(m_source, nullptr) >= 0)
        drain();
}

void PictureFitter::drain()
{
    const AVRational sinkBase = av_buffersink_get_time_base(m_sink);
    for (;;) {
        FramePtr frame(av_frame_alloc());
        if (!frame)
            throw Failure(m_format->url, "out of memory");
        const int result = av_buffersink_get_frame(m_sink, frame.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return;
        if (result < 0)
            throw Failure(m_format->url, "cannot prepare its pictures: " + errorText(result));
        if (frame->pts != AV_NOPTS_VALUE)
            frame->pts = av_rescale_q(frame->pts, sinkBase, m_timeBase);
        frame->colorspace = m_target.matrix;
        const bool hd = m_target.matrix == AVCOL_SPC_BT709;
        frame->color_primaries = hd ? AVCOL_PRI_BT709 : AVCOL_PRI_SMPTE170M;
        frame->color_trc = hd ? AVCOL_TRC_BT709 : AVCOL_TRC_SMPTE170M;
        frame->color_range = m_target.format == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
        frame->pict_type = AV_PICTURE_TYPE_NONE;
        m_ready.push_back(std::move(frame));
    }
}

bool PictureFitter::pull(AVFrame *fitted)
{
    if (m_ready.empty())
        return false;
    av_frame_unref(fitted);
    av_frame_move_ref(fitted, m_ready.front().get());
    m_ready.pop_front();
    return true;
}

} // namespace velmora::encoder
