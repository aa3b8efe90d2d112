#include "encoder/writing/EncodeThread.h"

#include "encoder/Failure.h"
#include "encoder/Stopping.h"
#include "encoder/reading/Probe.h"

namespace velmora::encoder {

EncodeThread::EncodeThread(AVCodecContext *encoder, std::string path)
    : m_encoder(encoder)
    , m_path(std::move(path))
    , m_thread([this] { run(); })
{
}

EncodeThread::~EncodeThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void EncodeThread::throwIfFailed()
{
    if (!m_failure.empty())
        throw Failure(m_path, m_failure);
}

void EncodeThread::push(FramePtr frame)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_frames.size() < Waiting || m_done; });
    throwIfFailed();
    if (m_done)
        throw Failure(m_path, "cannot write it: the picture's stream has ended");
    m_frames.push_back(std::move(frame));
    lock.unlock();
    m_changed.notify_all();
}

void EncodeThread::finish()
{
    push(FramePtr());
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_done; });
    throwIfFailed();
}

bool EncodeThread::take(PacketPtr &packet)
{
    const std::lock_guard lock(m_mutex);
    if (m_packets.empty())
        return false;
    packet = std::move(m_packets.front());
    m_packets.pop_front();
    return true;
}

void EncodeThread::run()
{
    const auto encoderFailed = [this](int result) {
        return std::string("the ") + m_encoder->codec->name + " encoder failed: " + errorText(result);
    };
    for (;;) {
        FramePtr frame;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_quit || !m_frames.empty(); });
            if (m_quit)
                return;
            frame = std::move(m_frames.front());
            m_frames.pop_front();
        }
        m_changed.notify_all();

        const bool ending = !frame;
        std::string failure;
        int result = avcodec_send_frame(m_encoder, frame.get());
        if (result < 0 && result != AVERROR_EOF)
            failure = encoderFailed(result);
        while (failure.empty()) {
            PacketPtr packet(av_packet_alloc());
            if (!packet) {
                failure = "out of memory";
                break;
            }
            result = avcodec_receive_packet(m_encoder, packet.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
                break;
            if (result < 0) {
                failure = encoderFailed(result);
                break;
            }
            const std::lock_guard lock(m_mutex);
            m_packets.push_back(std::move(packet));
        }
        if (!failure.empty() || ending || stopping()) {
            {
                const std::lock_guard lock(m_mutex);
                m_failure = failure.empty() && !ending ? std::string("stopped") : failure;
                m_done = true;
            }
            m_changed.notify_all();
            return;
        }
    }
}

} // namespace velmora::encoder
