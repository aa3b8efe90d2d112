#pragma once

#include <QString>

#include <atomic>
#include <vector>

namespace velmora::tasks {

// Where a clip's key pictures are: the only places where a join that copies the pictures can
// begin a clip.
struct KeyPictures
{
    std::vector<double> times; // seconds from the picture stream's start, in order, no repeats
    double framesPerSecond = 0; // the picture's stated rate; 0 when the file states none
    bool opened = false;        // the file was read as a clip with pictures
    bool complete = false;      // read to its end: no key picture past the last one listed
};

// Lists the key pictures of the file's picture stream with FFmpeg's readers, from the packets'
// key flags alone (nothing is decoded). Slow on a long file: call it off the UI thread. It
// always ends: at the file's end, at the first packet it cannot read, after readLimit packets,
// or soon after stop turns true (stop may be null).
KeyPictures ListKeyPictures(const QString &path, const std::atomic_bool *stop = nullptr, long long readLimit = 50'000'000);

} // namespace velmora::tasks
