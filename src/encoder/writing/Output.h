#pragma once

#include "encoder/Owners.h"
#include "encoder/fitting/Picture.h"
#include "encoder/fitting/Sound.h"
#include "encoder/writing/Chapters.h"
#include "encoder/writing/EncodeThread.h"
#include "encoder/writing/Formats.h"

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
    // A constant rate factor in place of the bitrate (x264 and x265 only).
    std::optional<double> rateFactor;
    std::optional<int> keyint;
    std::optional<int> threads;
    std::optional<int> maxBFrames;

    const AVCodec *audio = nullptr;
    SoundTarget sound;
    std::int64_t audioBitrate = 0;
    bool mp3Vbr = false;
    bool mp3Abr = false;
    int mp3Quality = 4;

    // What the file says of itself: the first input's tags (what the camera wrote), then
    // -info's; and a chapter title for each input.
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<std::pair<std::string, std::string>> info;
    std::vector<std::string> chapterTitles;
};

// The file at the output path while it is written: removed again unless kept. A run ended
// in a hurry (see Stopping.h) removes it too.
class PartialFile
{
public:
    PartialFile() = default;
    ~PartialFile() { remove(); }
    PartialFile(const PartialFile &) = delete;
    PartialFile &operator=(const PartialFile &) = delete;

    void created(const std::string &path);
    void keep() noexcept;
    void remove() noexcept;

private:
    std::string m_path;
    bool m_armed = false;
};

struct OutputFormatFree
{
    void operator()(AVFormatContext *context) const;
};
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatFree>;

// The output file with its encoders. It is created by the constructor and replaced if it
// exists; until finish() succeeds, destroying it removes what was written, and so does a
// constructor that fails after the file was created.
class OutputFile
{
public:
    explicit OutputFile(const OutputPlan &plan, std::vector<std::string> &notes);
    ~OutputFile() = default;
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Encodes the picture as output frame `slot`. The encoder works on after this returns,
    // on a copy of its own; repeat: the same picture as the call before, unchanged since,
    // which the copy made then serves again.
    void writePicture(const AVFrame *picture, std::int64_t slot, bool repeat = false);
    // Takes count samples from the fifo (in the plan's sound format) and encodes them.
    void writeSound(AVAudioFifo *fifo, int count);
    // Encodes count samples of silence, a step at a time.
    void writeSilence(std::int64_t count);

    // Input `index` begins at output frame `slot`: its chapter starts there.
    void inputBegins(std::size_t index, std::int64_t slot);
    // Ends both streams and closes the file, which ends at frame endSlot. Throws Failure when
    // it cannot be written.
    void finish(std::int64_t endSlot);

private:
    CodecPtr openVideo(std::vector<std::string> &notes);
    CodecPtr openAudio(std::vector<std::string> &notes);
    CodecPtr openEncoder(CodecPtr context, Options &options, std::vector<std::string> &notes);
    void encodeSoundFrames(bool last);
    void send(AVCodecContext *encoder, AVStream *stream, const AVFrame *frame);
    void write(AVPacket *packet, AVRational timeBase, AVStream *stream);
    void writeEncodedPictures();
    void check(int result, const char *what);
    void checkStop() const;

    OutputPlan m_plan;
    const Container &m_container;
    // Declared first, so it goes last: the file is closed before it is removed.
    PartialFile m_partial;
    OutputFormatPtr m_format;
    CodecPtr m_video;
    CodecPtr m_audio;
    AVStream *m_videoStream = nullptr; // owned by m_format
    AVStream *m_audioStream = nullptr;
    AudioFifoPtr m_sound;
    PacketPtr m_packet;
    FramePtr m_soundFrame;
    SampleBuffersPtr m_silence; // one step of silence, made once
    int m_soundFrameSize = 1024;
    std::int64_t m_soundPts = 0;   // the next sound frame's start, in samples
    std::int64_t m_dropLeft = 0;   // priming samples still to drop at the start
    std::int64_t m_padEnd = 0;     // silence to add at the end for them
    int m_skipPictures = 0;        // pictures left out at the start for the decoder's delay
    AVRational m_videoBase{1, 1};  // the picture encoder's time base
    FramePtr m_copied;             // the copy of the last picture written
    JoinChapters m_chapters;
    // Declared last, so it stops first: it works on m_video.
    std::unique_ptr<EncodeThread> m_pictures;
};

} // namespace velmora::encoder
