// Values an encoder or its container refuses go to the nearest value they take.
#include "encoder/fitting/Fit.h"
#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <QtTest>

using namespace velmora;

namespace {

const AVCodec *encoderNamed(const QString &name)
{
    return avcodec_find_encoder_by_name(name.toLatin1().constData());
}

const encoder::Container &containerOf(const QString &file)
{
    const encoder::Container *container = encoder::containerForFile(file.toStdString());
    if (!container)
        qFatal("no container for %s", qPrintable(file));
    return *container;
}

} // namespace

class tst_Fitting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sampleRates_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("taken");
        QTest::newRow("AC-3 takes 48k") << "ac3" << "a.avi" << 48000 << 48000;
        QTest::newRow("AC-3 at 22050") << "ac3" << "a.avi" << 22050 << 32000;
        QTest::newRow("Opus only at 48k") << "libopus" << "a.webm" << 44100 << 48000;
        QTest::newRow("Opus from 8k") << "libopus" << "a.mkv" << 8000 << 48000;
        QTest::newRow("MP3 in FLV at 48k") << "libmp3lame" << "a.flv" << 48000 << 44100;
        QTest::newRow("MP3 in FLV at 22050") << "libmp3lame" << "a.flv" << 22050 << 22050;
        QTest::newRow("MP2 at 22050") << "mp2" << "a.mpg" << 22050 << 22050;
        QTest::newRow("MP2 at 11025") << "mp2" << "a.mpg" << 11025 << 16000;
        QTest::newRow("PCM takes anything") << "pcm_s16le" << "a.avi" << 37800 << 37800;
        QTest::newRow("PCM in MPEG-PS at 22050") << "pcm_s16be" << "a.mpg" << 22050 << 32000;
        QTest::newRow("PCM in MPEG-PS at 48k") << "pcm_s16be" << "a.mpg" << 48000 << 48000;
        QTest::newRow("PCM in QuickTime at 22050") << "pcm_s16be" << "a.mov" << 22050 << 22050;
    }
    void sampleRates()
    {
        QFETCH(QString, codec);
        QFETCH(QString, file);
        QFETCH(int, wanted);
        QFETCH(int, taken);
        QCOMPARE(encoder::fitSampleRate(encoderNamed(codec), containerOf(file), wanted), taken);
    }

    void bitrates_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<qint64>("wanted");
        QTest::addColumn<qint64>("taken");
        QTest::newRow("AC-3 at 200") << "ac3" << 48000 << qint64(200000) << qint64(192000);
        QTest::newRow("AC-3 at 192") << "ac3" << 48000 << qint64(192000) << qint64(192000);
        QTest::newRow("AC-3 beyond its table") << "ac3" << 48000 << qint64(1000000) << qint64(640000);
        QTest::newRow("MP2 at 224") << "mp2" << 48000 << qint64(224000) << qint64(224000);
        QTest::newRow("MP2 at 200") << "mp2" << 44100 << qint64(200000) << qint64(192000);
        QTest::newRow("MP2 at low rates") << "mp2" << 22050 << qint64(192000) << qint64(160000);
        QTest::newRow("AAC takes any") << "aac" << 44100 << qint64(111000) << qint64(111000);
        QTest::newRow("unset stays unset") << "ac3" << 48000 << qint64(0) << qint64(0);
    }
    void bitrates()
    {
        QFETCH(QString, codec);
        QFETCH(int, sampleRate);
        QFETCH(qint64, wanted);
        QFETCH(qint64, taken);
        QCOMPARE(encoder::fitAudioBitrate(encoderNamed(codec), sampleRate, 2, wanted), taken);
    }

    void channels_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("taken");
        QTest::newRow("stereo MP3") << "libmp3lame" << "a.avi" << 2 << 2;
        QTest::newRow("5.1 to MP3") << "libmp3lame" << "a.avi" << 6 << 2;
        QTest::newRow("5.1 AC-3") << "ac3" << "a.avi" << 6 << 6;
        QTest::newRow("MP2 mono") << "mp2" << "a.mpg" << 1 << 1;
        QTest::newRow("PCM four") << "pcm_s16le" << "a.avi" << 4 << 4;
        QTest::newRow("FLV at most stereo") << "aac" << "a.flv" << 6 << 2;
    }
    void channels()
    {
        QFETCH(QString, codec);
        QFETCH(QString, file);
        QFETCH(int, wanted);
        QFETCH(int, taken);
        AVChannelLayout layout = encoder::fitChannels(encoderNamed(codec), containerOf(file), wanted);
        QCOMPARE(layout.nb_channels, taken);
        av_channel_layout_uninit(&layout);
    }

    void pictureSizes_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("fittedWidth");
        QTest::addColumn<int>("fittedHeight");
        QTest::newRow("even stays") << "mpeg4" << 640 << 480 << 640 << 480;
        QTest::newRow("odd becomes even") << "mpeg4" << 401 << 301 << 400 << 300;
        QTest::newRow("H.263+ in fours") << "h263p" << 350 << 250 << 352 << 252;
        QTest::newRow("H.263+ largest") << "h263p" << 4000 << 2000 << 2048 << 1152;
        QTest::newRow("H.263 standard sizes") << "h263" << 320 << 240 << 352 << 288;
        QTest::newRow("MPEG-2 largest") << "mpeg2video" << 5000 << 600 << 4094 << 600;
    }
    void pictureSizes()
    {
        QFETCH(QString, codec);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, fittedWidth);
        QFETCH(int, fittedHeight);
        encoder::fitPictureSize(encoderNamed(codec), width, height);
        QCOMPARE(width, fittedWidth);
        QCOMPARE(height, fittedHeight);
    }

    void frameRates_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<int>("num");
        QTest::addColumn<int>("den");
        QTest::addColumn<int>("fittedNum");
        QTest::addColumn<int>("fittedDen");
        QTest::newRow("MPEG-2 at 30") << "mpeg2video" << 30 << 1 << 30 << 1;
        QTest::newRow("MPEG-1 at 15") << "mpeg1video" << 15 << 1 << 24000 << 1001;
        QTest::newRow("MPEG-2 at 15, by its rate extension") << "mpeg2video" << 15 << 1 << 15 << 1;
        QTest::newRow("MPEG-2 at NTSC") << "mpeg2video" << 30000 << 1001 << 30000 << 1001;
        QTest::newRow("MPEG-4 at 15") << "mpeg4" << 15 << 1 << 15 << 1;
    }
    void frameRates()
    {
        QFETCH(QString, codec);
        QFETCH(int, num);
        QFETCH(int, den);
        QFETCH(int, fittedNum);
        QFETCH(int, fittedDen);
        const AVRational fitted = encoder::fitFrameRate(encoderNamed(codec), AVRational{num, den});
        QCOMPARE(fitted.num, fittedNum);
        QCOMPARE(fitted.den, fittedDen);
    }

    void mpeg4CountsTimeIn16Bits()
    {
        const AVRational fitted = encoder::fitFrameRate(encoderNamed("mpeg4"), AVRational{1000000, 33333});
        QVERIFY(fitted.num <= 65535);
        QVERIFY(qAbs(av_q2d(fitted) - 1000000.0 / 33333) < 1e-3);
    }

    void containersByExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("muxer"); // empty: refused
        QTest::newRow("avi") << "/x/clip.avi" << "avi";
        QTest::newRow("capitals") << "/x/CLIP.MP4" << "mp4";
        QTest::newRow("no extension") << "/x/clip" << "avi";
        QTest::newRow("dot in a folder") << "/x.y/clip" << "avi";
        QTest::newRow("mkv") << "/x/clip.mkv" << "matroska";
        QTest::newRow("wmv") << "/x/clip.wmv" << "asf";
        QTest::newRow("mpg") << "/x/clip.mpg" << "mpeg";
        QTest::newRow("unknown") << "/x/clip.xyz" << "";
    }
    void containersByExtension()
    {
        QFETCH(QString, file);
        QFETCH(QString, muxer);
        const encoder::Container *container = encoder::containerForFile(file.toStdString());
        QCOMPARE(container ? QString(container->muxer) : QString(), muxer);
    }

    void containersAgreeWithTheirMuxers()
    {
        // What each entry says of its muxer is what FFmpeg's muxer does.
        for (const encoder::Container &container : encoder::allContainers()) {
            for (const char *muxer : {container.muxer, container.mpeg2Muxer}) {
                if (!muxer)
                    continue;
                const AVOutputFormat *format = av_guess_format(muxer, nullptr, nullptr);
                QVERIFY2(format, muxer);
                QVERIFY2(bool(format->flags & AVFMT_GLOBALHEADER) == container.globalHeader, muxer);
            }
        }
    }

    void dvdMuxerForMpeg2()
    {
        const encoder::Container &mpg = containerOf("a.mpg");
        QCOMPARE(QString(mpg.muxerFor(AV_CODEC_ID_MPEG2VIDEO)), QString("dvd"));
        QCOMPARE(QString(mpg.muxerFor(AV_CODEC_ID_MPEG1VIDEO)), QString("mpeg"));
    }
};

QTEST_GUILESS_MAIN(tst_Fitting)
#include "tst_fitting.moc"
