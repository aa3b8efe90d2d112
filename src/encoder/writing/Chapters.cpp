#include "encoder/writing/Chapters.h"

#include "encoder/CommandLine.h"
#include "encoder/Failure.h"

#include <algorithm>

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
    : m_holds(container.chapters)
    , m_titles(std::move(titles))
    , m_starts(m_titles.size(), 0)
    , m_own(m_titles.size())
{
}

void JoinChapters::begins(std::size_t index, std::int64_t start, AVRational timeBase)
{
    if (index < m_starts.size())
        m_starts[index] = av_rescale_q(start, timeBase, m_timeBase);
}

void JoinChapters::brings(std::size_t index, const AVFormatContext *input, std::int64_t origin, AVRational originBase)
{
    if (index >= m_own.size())
        return;
    const std::int64_t zero = av_rescale_q(origin, originBase, m_timeBase);
    std::vector<Own> &own = m_own[index];
    own.clear();
    for (unsigned i = 0; i < input->nb_chapters; ++i) {
        const AVChapter *chapter = input->chapters[i];
        if (chapter->time_base.num <= 0 || chapter->time_base.den <= 0)
            continue;
        const AVDictionaryEntry *title = av_dict_get(chapter->metadata, "title", nullptr, 0);
        own.push_back(Own{av_rescale_q(chapter->start, chapter->time_base, m_timeBase) - zero, title && title->value ? title->value : ""});
    }
    std::stable_sort(own.begin(), own.end(), [](const Own &a, const Own &b) { return a.start < b.start; });
}

void JoinChapters::finish(AVFormatContext *output, std::int64_t end, AVRational timeBase)
{
    const bool bringsAny = std::any_of(m_own.begin(), m_own.end(), [](const std::vector<Own> &own) { return !own.empty(); });
    if (!m_holds || (m_titles.size() < 2 && !bringsAny))
        return;
    const std::int64_t last = av_rescale_q(end, timeBase, m_timeBase);
    struct Entry
    {
        std::int64_t start;
        std::string title;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < m_titles.size(); ++i) {
        const std::int64_t begin = m_starts[i];
        const std::int64_t until = i + 1 < m_starts.size() ? m_starts[i + 1] : std::max(last, begin);
        std::vector<Entry> own;
        for (const Own &chapter : m_own[i]) {
            // A chapter within a millisecond of the input's start begins with it.
            const std::int64_t start = chapter.start < 1000 ? begin : begin + chapter.start;
            if (start >= until || (!own.empty() && start <= own.back().start))
                continue;
            own.push_back(Entry{start, chapter.title.empty() ? m_titles[i] : chapter.title});
        }
        if (own.empty() || own.front().start > begin)
            entries.push_back(Entry{begin, m_titles[i]});
        entries.insert(entries.end(), own.begin(), own.end());
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto *chapter = static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter)));
        if (!chapter)
            throw Failure(output->url, "out of memory");
        chapter->id = static_cast<std::int64_t>(i) + 1;
        chapter->time_base = m_timeBase;
        chapter->start = entries[i].start;
        chapter->end = i + 1 < entries.size() ? entries[i + 1].start : std::max(last, entries[i].start);
        if (av_dict_set(&chapter->metadata, "title", entries[i].title.c_str(), 0) < 0
            || av_dynarray_add_nofree(&output->chapters, reinterpret_cast<int *>(&output->nb_chapters), chapter) < 0) {
            av_dict_free(&chapter->metadata);
            av_free(chapter);
            throw Failure(output->url, "out of memory");
        }
    }
}

} // namespace velmora::encoder
