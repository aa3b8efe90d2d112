#include "encoder/writing/Chapters.h"

#include "encoder/CommandLine.h"
#include "encoder/Failure.h"

extern "C" {
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
}

namespace velmora::encoder {

std::string chapterTitle(const std::string &path, const AVFormatContext *input)
{
    std::string name = path;
    if (input) {
        if (const AVDictionaryEntry *source = av_dict_get(input->metadata, SourceNameKey, nullptr, AV_DICT_MATCH_CASE);
            source && source->value && *source->value)
            name = source->value;
    }
    if (const std::size_t slash = name.find_last_of('/'); slash != std::string::npos)
        name = name.substr(slash + 1);
    // "clip.mp4" is "clip"; ".hidden" keeps its name.
    if (const std::size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name = name.substr(0, dot);
    return name;
}

JoinChapters::JoinChapters(const Container &container, std::vector<std::string> titles)
    : m_wanted(container.chapters && titles.size() > 1)
    , m_titles(std::move(titles))
    , m_starts(m_titles.size(), 0)
{
}

void JoinChapters::add(AVFormatContext *output)
{
    for (std::size_t i = 0; i < m_titles.size(); ++i) {
        auto *chapter = static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter)));
        if (!chapter)
            throw Failure(output->url, "out of memory");
        chapter->id = static_cast<std::int64_t>(i) + 1;
        chapter->time_base = m_timeBase;
        if (av_dict_set(&chapter->metadata, "title", m_titles[i].c_str(), 0) < 0
            || av_dynarray_add_nofree(&output->chapters, reinterpret_cast<int *>(&output->nb_chapters), chapter) < 0) {
            av_dict_free(&chapter->metadata);
            av_free(chapter);
            throw Failure(output->url, "out of memory");
        }
    }
}

void JoinChapters::begins(std::size_t index, std::int64_t start, AVRational timeBase)
{
    if (index < m_starts.size())
        m_starts[index] = av_rescale_q(start, timeBase, m_timeBase);
}

void JoinChapters::finish(AVFormatContext *output, std::int64_t end, AVRational timeBase)
{
    if (!m_wanted)
        return;
    add(output);
    const std::int64_t last = av_rescale_q(end, timeBase, m_timeBase);
    for (unsigned i = 0; i < output->nb_chapters && i < m_starts.size(); ++i) {
        AVChapter *chapter = output->chapters[i];
        chapter->start = m_starts[i];
        chapter->end = i + 1 < m_starts.size() ? m_starts[i + 1] : std::max(last, m_starts[i]);
    }
}

} // namespace velmora::encoder
