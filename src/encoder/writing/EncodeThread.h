#pragma once

#include "encoder/Owners.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace velmora::encoder {

// Runs one encoder on a thread of its own, so that reading, decoding and fitting the next
// pictures go on while it works. Frames go in, in order, a few at most waiting; the packets
// come out in order, for the caller to write. Only this thread touches the encoder between
// the first push() and finish(), or the destructor.
class EncodeThread
{
public:
    // How many frames may wait for the encoder: enough to ride out an uneven picture, few
    // enough to hold little memory.
    static constexpr std::size_t Waiting = 4;

    EncodeThread(AVCodecContext *encoder, std::string path);
    // Stops the thread, throwing away what still waits.
    ~EncodeThread();
    EncodeThread(const EncodeThread &) = delete;
    EncodeThread &operator=(const EncodeThread &) = delete;

    // Hands a frame over (waits while the queue is full). Throws Failure when the encoder
    // failed on an earlier one.
    void push(FramePtr frame);
    // Ends the stream and waits until everything is encoded; throws Failure as push() does.
    void finish();
    // The next packet encoded, in the encoder's time base; false when none is ready yet.
    bool take(PacketPtr &packet);

private:
    void run();
    void throwIfFailed();

    AVCodecContext *m_encoder;
    std::string m_path;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<FramePtr> m_frames;  // a null frame ends the stream
    std::deque<PacketPtr> m_packets;
    bool m_quit = false;
    bool m_done = false; // the encoder gave all it had, or failed
    std::string m_failure;
    std::thread m_thread;
};

} // namespace velmora::encoder
