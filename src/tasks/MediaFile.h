#pragma once

#include <QString>

#include <atomic>
#include <memory>

struct AVFormatContext;

namespace velmora::tasks {

struct MediaFileClose
{
    void operator()(AVFormatContext *format) const;
};
// A file opened with FFmpeg's readers; closed when it goes.
using MediaFile = std::unique_ptr<AVFormatContext, MediaFileClose>;

// Opens a file on this computer with FFmpeg's readers (its name is never taken for a network
// address) and reads what its streams hold; nothing when either cannot be done. When stop is
// given and becomes true, opening and any reading later gives up soon after.
MediaFile OpenMediaFile(const QString &path, const std::atomic<bool> *stop = nullptr);

} // namespace velmora::tasks
