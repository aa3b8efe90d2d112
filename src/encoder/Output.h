#pragma once

#include "encoder/Formats.h"
#include "encoder/Picture.h"
#include "encoder/Sound.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <optional>
#include <string>
#include <vector>

namespace velmora::encoder {

// Everything the output file is written with, decided before it is created.
struct OutputPlan
{
    std::string path;
    const Container *container = nullptr;
    const char *muxer = nullptr;
    bool intermediate = false; // the conversion's own form: near-lossless picture, PCM sound

    const AVCodec *video = nullptr;
    PictureTarget picture;
    AVRational frameRate{30, 1};
    std::int64_t videoBitrate = 0; // bits per second; 0: the codec's own
    std::optional<int> mbd;
    std::optional<int> qscale;
    std::optional<int> keyint;
    std::optional<int> threads;
    std::optional<int> maxBFrames;

    const AVCodec *audio = nullptr;
    SoundTarget sound;
    std::int64_t audioBitrate = 0;
    bool mp3Vbr = false;
    bool mp3Abr = false;
    int mp3Quality = 4;
};

// The output file with its encoders. It is created by the constructor and replaced if it
// exists; until finish() succeeds, destroying it removes what was written.
class OutputFile
{
public:
    explicit OutputFile(const OutputPlan &plan, std::vector<std::string> &notes);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Encodes the picture as output frame `slot` (the frame keeps its own reference).
    void writePicture(const AVFrame *picture, std::int64_t slot);
    // Takes count samples from the fifo (in the plan's sound format) and encodes them.
    void writeSound(AVAudioFifo *fifo, int count);
    void writeSilence(std::int64_t count);

    // Ends both streams and closes the file. Throws Failure when it cannot be written.
    void finish();
    // Closes and removes what was written (a regular file we created, never a device).
    void abandon() noexcept;

private:
    AVCodecContext *openVideo(std::vector<std::string> &notes);
    AVCodecContext *openAudio(std::vector<std::string> &notes);
    AVCodecContext *openEncoder(AVCodecContext *context, AVDictionary *options, std::vector<std::string> &notes);
    void encodeSoundFrames(bool last);
    void send(AVCodecContext *encoder, AVStream *stream, const AVFrame *frame);
    void check(int result, const char *what);

    OutputPlan m_plan;
    AVFormatContext *m_format = nullptr;
    AVCodecContext *m_video = nullptr;
    AVCodecContext *m_audio = nullptr;
    AVStream *m_videoStream = nullptr;
    AVStream *m_audioStream = nullptr;
    AVAudioFifo *m_sound = nullptr;
    AVPacket *m_packet = nullptr;
    AVFrame *m_soundFrame = nullptr;
    int m_soundFrameSize = 1024;
    std::int64_t m_soundPts = 0;   // the next sound frame's start, in samples
    std::int64_t m_dropLeft = 0;   // priming samples still to drop at the start
    int m_skipPictures = 0;        // pictures left out at the start for the decoder's delay
    bool m_created = false;
    bool m_finished = false;
};

} // namespace velmora::encoder
