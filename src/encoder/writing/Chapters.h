#pragma once

#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::encoder {

// A chapter's title for one input of a join: the name of the file it was converted from,
// where it names one (an intermediate), else its own name; without folder or extension.
std::string chapterTitle(const std::string &path, const AVFormatContext *input);

// One chapter per input at the join points of an output that holds chapters (Matroska, WebM,
// MP4, QuickTime); none for a single input. The times are known only once every input is in:
// the chapters are added after the last packet, which both muxers write in the trailer when
// the header had none (a chapter there would be written with the header's times).
class JoinChapters
{
public:
    JoinChapters(const Container &container, std::vector<std::string> titles);

    // Where input `index` begins in the output, in timeBase.
    void begins(std::size_t index, std::int64_t start, AVRational timeBase);
    // Before the trailer: the last chapter ends at `end`.
    void finish(AVFormatContext *output, std::int64_t end, AVRational timeBase);

private:
    void add(AVFormatContext *output);

    bool m_wanted = false;
    std::vector<std::string> m_titles;
    std::vector<std::int64_t> m_starts;
    AVRational m_timeBase{1, 1000000};
};

} // namespace velmora::encoder
