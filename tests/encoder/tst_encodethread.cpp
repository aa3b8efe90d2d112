// The picture encoder's own thread: every frame handed over comes out as a packet, in order,
// an encoder that fails says so to the one handing frames over, and one given up on midway
// ends without waiting for frames that never come.
#include "encoder/Failure.h"
#include "encoder/writing/EncodeThread.h"

#include <QtTest>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

using namespace velmora::encoder;

namespace {

// A small MPEG-4 encoder.
CodecPtr mpeg4(int width, int height)
{
    CodecPtr context(avcodec_alloc_context3(avcodec_find_encoder(AV_CODEC_ID_MPEG4)));
    context->width = width;
    context->height = height;
    context->pix_fmt = AV_PIX_FMT_YUV420P;
    context->time_base = AVRational{1, 25};
    context->thread_count = 2;
    if (avcodec_open2(context.get(), context->codec, nullptr) < 0)
        return nullptr;
    return context;
}

FramePtr picture(int width, int height, std::int64_t pts)
{
    FramePtr frame(av_frame_alloc());
    frame->width = width;
    frame->height = height;
    frame->format = AV_PIX_FMT_YUV420P;
    av_frame_get_buffer(frame.get(), 0);
    for (int plane = 0; plane < 3; ++plane)
        memset(frame->data[plane], int(pts * 7 % 255), frame->linesize[plane] * (plane ? height / 2 : height));
    frame->pts = pts;
    return frame;
}

} // namespace

class tst_EncodeThread : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { av_log_set_level(AV_LOG_QUIET); }

    void everyFrameInOrder()
    {
        const CodecPtr encoder = mpeg4(64, 48);
        QVERIFY(encoder);
        EncodeThread thread(encoder.get(), "out.avi");
        QList<std::int64_t> times;
        PacketPtr packet;
        for (int i = 0; i < 40; ++i) {
            thread.push(picture(64, 48, i)); // more than can wait: the queue holds the caller up, never loses one
            while (thread.take(packet))
                times << packet->pts;
        }
        thread.finish();
        while (thread.take(packet))
            times << packet->pts;
        QCOMPARE(times.size(), 40);
        for (int i = 0; i < 40; ++i)
            QCOMPARE(times.at(i), std::int64_t(i));
    }

    void failureReachesTheCaller()
    {
        const CodecPtr encoder = mpeg4(64, 48);
        QVERIFY(encoder);
        EncodeThread thread(encoder.get(), "out.avi");
        bool failed = false;
        try {
            thread.push(picture(64, 48, 0));
            thread.push(picture(64, 48, 0)); // a time it already had: MPEG-4 refuses it
            for (int i = 2; i < 20; ++i)
                thread.push(picture(64, 48, i));
            thread.finish();
        } catch (const Failure &failure) {
            failed = QString::fromStdString(failure.what()).contains("encoder failed");
        }
        QVERIFY(failed);
    }

    void givenUpMidway()
    {
        const CodecPtr encoder = mpeg4(64, 48);
        QVERIFY(encoder);
        {
            EncodeThread thread(encoder.get(), "out.avi");
            for (int i = 0; i < 3; ++i)
                thread.push(picture(64, 48, i));
        } // no finish(): the thread ends with the object
        QVERIFY(true);
    }
};

QTEST_GUILESS_MAIN(tst_EncodeThread)
#include "tst_encodethread.moc"
