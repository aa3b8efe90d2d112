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

// The chapters of a join's output, in a file that holds chapters (Matroska, WebM, MP4,
// QuickTime): one per input at the join points, titled with the input's name, where there
// are two inputs or more. An input that brings chapters of its own keeps them instead, moved
// to where it begins in the output and cut to its part; where its first chapter begins after
// its start, the chapter with its name covers the part before. So every join point is where a
// chapter begins, and no two chapters begin at the same moment (which players show as one
// that cannot be chosen). The times are known only once every input is in: the chapters are
// added after the last packet, which both muxers write in the trailer when the header had none
// (a chapter there would be written with the header's times).
class JoinChapters
{
public:
    JoinChapters(const Container &container, std::vector<std::string> titles);

    // Where input `index` begins in the output, in timeBase.
    void begins(std::size_t index, std::int64_t start, AVRational timeBase);
    // The chapters input `index` brings, with `origin` (in originBase) its moment zero.
    void brings(std::size_t index, const AVFormatContext *input, std::int64_t origin, AVRational originBase);
    // Before the trailer: the last input ends at `end`.
    void finish(AVFormatContext *output, std::int64_t end, AVRational timeBase);

private:
    struct Own
    {
        std::int64_t start = 0; // from the input's moment zero, in m_timeBase
        std::string title;
    };

    bool m_holds = false;
    std::vector<std::string> m_titles;
    std::vector<std::int64_t> m_starts;
    std::vector<std::vector<Own>> m_own;
    AVRational m_timeBase{1, 1000000};
};

} // namespace velmora::encoder
