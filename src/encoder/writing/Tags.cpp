#include "encoder/writing/Tags.h"

#include "encoder/CommandLine.h"
#include "encoder/Owners.h"

#include <algorithm>
#include <cctype>
#include <set>

#include <sys/stat.h>

namespace velmora::encoder {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Tags kept(const AVDictionary *metadata, const std::set<std::string> &leftOut, const std::vector<std::string> &leftOutPrefixes)
{
    Tags tags;
    for (const AVDictionaryEntry *entry = nullptr; (entry = av_dict_get(metadata, "", entry, AV_DICT_IGNORE_SUFFIX));) {
        if (!entry->value || !*entry->value)
            continue;
        const std::string key = lower(entry->key);
        if (leftOut.count(key) || entry->key == std::string(SourceNameKey))
            continue;
        if (std::any_of(leftOutPrefixes.begin(), leftOutPrefixes.end(), [&](const std::string &prefix) { return key.rfind(prefix, 0) == 0; }))
            continue;
        tags.emplace_back(entry->key, entry->value);
    }
    return tags;
}

} // namespace

Tags fileTags(const AVDictionary *metadata)
{
    static const std::set<std::string> leftOut = {"major_brand", "minor_version", "compatible_brands", "encoder", "duration"};
    return kept(metadata, leftOut, {});
}

Tags trackTags(const AVDictionary *metadata, const Container &container)
{
    static const std::set<std::string> leftOut = {"duration", "encoder"};
    Tags tags = kept(metadata, leftOut, {"number_of_frames", "number_of_bytes", "bps", "_statistics_", "duration-"});
    const std::string muxer = container.muxer;
    if (muxer == "mp4" || muxer == "mov") {
        const auto title = std::find_if(tags.begin(), tags.end(), [](const auto &tag) { return lower(tag.first) == "title"; });
        if (title != tags.end())
            tags.emplace_back("handler_name", title->second);
    }
    return tags;
}

Tags sourceFileTags(const AVFormatContext *firstInput)
{
    const AVDictionaryEntry *source = av_dict_get(firstInput->metadata, SourceNameKey, nullptr, AV_DICT_MATCH_CASE);
    // Only a full path to a file that is there and is a plain file (a device or a pipe named in
    // a damaged file must not be read).
    struct stat status {};
    if (!source || !source->value || source->value[0] != '/' || ::stat(source->value, &status) != 0 || !S_ISREG(status.st_mode))
        return fileTags(firstInput->metadata);
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        throw std::bad_alloc();
    raw->protocol_whitelist = av_strdup("file");
    if (!raw->protocol_whitelist || avformat_open_input(&raw, (std::string("file:") + source->value).c_str(), nullptr, nullptr) < 0) {
        avformat_free_context(raw);
        return fileTags(firstInput->metadata);
    }
    const FormatPtr opened(raw);
    return fileTags(opened->metadata);
}

void setTags(AVDictionary **to, const Tags &tags)
{
    for (const auto &[key, value] : tags) {
        if (av_dict_set(to, key.c_str(), value.c_str(), 0) < 0)
            throw std::bad_alloc();
    }
}

bool needsNamedTags(const Tags &tags, const Container &container)
{
    const std::string muxer = container.muxer;
    if (muxer != "mp4" && muxer != "mov")
        return false;
    // What iTunes' tags and the user data hold, as FFmpeg writes them.
    static const std::set<std::string> held = {
        "title",        "artist",      "album_artist", "composer", "album",     "date",    "encoding_tool", "comment",
        "genre",        "copyright",   "grouping",     "lyrics",   "description", "synopsis", "show",       "episode_id",
        "network",      "keywords",    "track",        "disc",     "compilation", "location", "location-eng", "creation_time",
        "media_type",   "hd_video",    "gapless_playback", "rating", "podcast",  "category", "episode_sort", "season_number"};
    for (const auto &[key, value] : tags) {
        const std::string name = lower(key);
        if (held.count(name))
            continue;
        if (muxer == "mov" && (name == "make" || name == "model"))
            continue;
        return true;
    }
    return false;
}

} // namespace velmora::encoder
