#include "tasks/Thumbnail.h"

#include "tasks/MediaFile.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora::tasks {

namespace {

// Enough packets to decode from a key picture to the one wanted through a long group of
// pictures, with the other streams' packets between them; a damaged file ends here.
constexpr int MostPackets = 4000;

template<typename T, void (*Free)(T **)>
struct FreedBy
{
    void operator()(T *object) const { Free(&object); }
};
using Decoder = std::unique_ptr<AVCodecContext, FreedBy<AVCodecContext, avcodec_free_context>>;
using Frame = std::unique_ptr<AVFrame, FreedBy<AVFrame, av_frame_free>>;
using Packet = std::unique_ptr<AVPacket, FreedBy<AVPacket, av_packet_free>>;
struct ScalerFree
{
    void operator()(SwsContext *scaler) const { sws_freeContext(scaler); }
};
using Scaler = std::unique_ptr<SwsContext, ScalerFree>;

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load();
}

// The clockwise quarter turns, 0 to 3, that bring the stream's pictures upright.
int quarterTurns(const AVStream *stream)
{
    const auto *matrix = reinterpret_cast<const int32_t *>(av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    const double counterClockwise = matrix ? av_display_rotation_get(matrix) : 0.0;
    if (!std::isfinite(counterClockwise))
        return 0;
    const long turns = -std::lround(counterClockwise / 90.0);
    return static_cast<int>((turns % 4 + 4) % 4);
}

// The time of the thumbnail's picture in the stream's time base; AV_NOPTS_VALUE for its first
// picture (a cover picture, a file whose length is not known).
int64_t wantedTime(const AVFormatContext *format, const AVStream *stream)
{
    if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC)
        return AV_NOPTS_VALUE;
    int64_t length = stream->duration;
    if (length == AV_NOPTS_VALUE || length <= 0) {
        if (format->duration == AV_NOPTS_VALUE || format->duration <= 0)
            return AV_NOPTS_VALUE;
        length = av_rescale_q(format->duration, AV_TIME_BASE_Q, stream->time_base);
    }
    const int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    return start + static_cast<int64_t>(static_cast<double>(length) * ThumbnailPosition);
}

Decoder openDecoder(const AVStream *stream)
{
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    Decoder decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0)
        return nullptr;
    // One picture is wanted, beside a window that must stay quick: one thread each.
    decoder->thread_count = 1;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return nullptr;
    return decoder;
}

// Decodes the stream's pictures from where the input stands up to the first at or after wanted
// (any picture for AV_NOPTS_VALUE); the last one decoded when the stream or the packets allowed
// end first. Nothing when there is none, or on stop.
Frame decodePicture(AVFormatContext *format, int stream, AVCodecContext *decoder, int64_t wanted, const std::atomic<bool> *stop)
{
    Packet packet(av_packet_alloc());
    Frame frame(av_frame_alloc());
    Frame last(av_frame_alloc());
    if (!packet || !frame || !last)
        return nullptr;
    bool decoded = false;
    bool flushed = false;
    for (int read = 0;;) {
        if (stopped(stop))
            return nullptr;
        const int received = avcodec_receive_frame(decoder, frame.get());
        if (received == 0) {
            const int64_t time = frame->best_effort_timestamp;
            if (wanted == AV_NOPTS_VALUE || time == AV_NOPTS_VALUE || time >= wanted)
                return frame;
            av_frame_unref(last.get());
            av_frame_move_ref(last.get(), frame.get());
            decoded = true;
            continue;
        }
        // Past the last picture, or a decoder that gave up.
        if (received != AVERROR(EAGAIN) || flushed)
            break;
        if (read++ == MostPackets || av_read_frame(format, packet.get()) < 0) {
            // What the decoder still holds comes out now.
            avcodec_send_packet(decoder, nullptr);
            flushed = true;
            continue;
        }
        // A damaged packet is passed over: the decoder may still make the next picture.
        if (packet->stream_index == stream)
            avcodec_send_packet(decoder, packet.get());
        av_packet_unref(packet.get());
    }
    if (!decoded)
        return nullptr;
    return last;
}

// The picture in its display shape, turned upright and fitted into the box on the neutral
// background; null when it cannot be converted.
QImage fitted(const AVFrame *frame, AVRational sampleAspect, int turns, QSize box)
{
    const auto *pixels = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame->format));
    if (!pixels || frame->width <= 0 || frame->height <= 0)
        return {};
    const double aspect = sampleAspect.num > 0 && sampleAspect.den > 0 ? av_q2d(sampleAspect) : 1.0;
    QSizeF shown(frame->width * aspect, frame->height);
    if (turns % 2)
        shown.transpose();
    const QSize inBox = shown.scaled(QSizeF(box), Qt::KeepAspectRatio).toSize().expandedTo(QSize(1, 1)).boundedTo(box);
    const QSize scaled = turns % 2 ? inBox.transposed() : inBox;

    const Scaler scaler(sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), scaled.width(),
                                       scaled.height(), AV_PIX_FMT_RGB32, SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler)
        return {};
    // The matrix and range the picture was made with, as FFmpeg's scale filter reads them.
    sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(frame->colorspace), frame->color_range == AVCOL_RANGE_JPEG,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    const bool alpha = pixels->flags & AV_PIX_FMT_FLAG_ALPHA;
    QImage picture(scaled, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    uint8_t *const target[4] = {picture.bits(), nullptr, nullptr, nullptr};
    const int targetLines[4] = {static_cast<int>(picture.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, target, targetLines) <= 0)
        return {};
    if (turns)
        picture = picture.transformed(QTransform().rotate(90.0 * turns));

    QImage thumbnail(box, QImage::Format_RGB32);
    thumbnail.fill(ThumbnailBackground);
    QPainter painter(&thumbnail);
    painter.drawImage((box.width() - inBox.width()) / 2, (box.height() - inBox.height()) / 2, picture);
    return thumbnail;
}

QImage thumbnailOf(const QString &path, QSize box, const std::atomic<bool> *stop)
{
    const MediaFile format = OpenMediaFile(path, stop);
    if (!format)
        return {};
    const int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return {};
    AVStream *stream = format->streams[index];
    const Decoder decoder = openDecoder(stream);
    if (!decoder)
        return {};
    for (unsigned other = 0; other < format->nb_streams; ++other) {
        if (static_cast<int>(other) != index)
            format->streams[other]->discard = AVDISCARD_ALL;
    }
    const int64_t wanted = wantedTime(format.get(), stream);
    // From the key picture before the one wanted; where the file cannot seek, from its start.
    if (wanted != AV_NOPTS_VALUE)
        av_seek_frame(format.get(), index, wanted, AVSEEK_FLAG_BACKWARD);
    Frame frame = decodePicture(format.get(), index, decoder.get(), wanted, stop);
    if (!frame && wanted != AV_NOPTS_VALUE && !stopped(stop)) {
        // Nothing from there on (a length that says more than the file holds): its first picture.
        av_seek_frame(format.get(), index, stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(decoder.get());
        frame = decodePicture(format.get(), index, decoder.get(), AV_NOPTS_VALUE, stop);
    }
    if (!frame)
        return {};
    return fitted(frame.get(), av_guess_sample_aspect_ratio(format.get(), stream, frame.get()), quarterTurns(stream), box);
}

// The box in a fill colour, in a thin frame a little darker.
QImage framedBox(QSize box, const QColor &fill)
{
    QImage picture(box, QImage::Format_RGB32);
    picture.fill(fill);
    QPainter painter(&picture);
    painter.setPen(fill.darker(130));
    painter.drawRect(QRect(QPoint(0, 0), box).adjusted(0, 0, -1, -1));
    return picture;
}

} // namespace

QImage MakeThumbnail(const QString &path, QSize box, const std::atomic<bool> *stop)
{
    if (box.isEmpty())
        return {};
    try {
        return thumbnailOf(path, box, stop);
    } catch (...) {
        // Memory ran out, most likely: the file is shown as one without a picture.
        return {};
    }
}

QImage ThumbnailLoading(QSize box)
{
    return framedBox(box, QColor(ThumbnailBackground).lighter(170));
}

QImage ThumbnailPlaceholder(QSize box)
{
    QImage picture = framedBox(box, QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // A landscape picture in the middle of the box: its frame, a hill and a sun.
    const qreal height = box.height() * 0.6;
    const qreal width = std::min(height * 1.4, box.width() * 0.8);
    const QRectF frame((box.width() - width) / 2, (box.height() - height) / 2, width, height);
    const qreal line = std::max(1.0, height / 12);
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, line, line);
    QPainterPath hill(frame.bottomLeft());
    hill.lineTo(frame.left() + width * 0.4, frame.top() + height * 0.45);
    hill.lineTo(frame.left() + width * 0.65, frame.top() + height * 0.75);
    hill.lineTo(frame.left() + width * 0.8, frame.top() + height * 0.6);
    hill.lineTo(frame.bottomRight());
    painter.drawPath(hill);
    const qreal sun = height * 0.12;
    painter.drawEllipse(QPointF(frame.left() + width * 0.75, frame.top() + height * 0.3), sun, sun);

    // Struck through: there is no picture to show.
    painter.setPen(QPen(QColor(0xc8, 0x28, 0x28), line * 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(frame.bottomLeft() + QPointF(-line, line), frame.topRight() + QPointF(line, -line));
    return picture;
}

} // namespace velmora::tasks
