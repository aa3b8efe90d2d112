#include "encoder/joining/Tracks.h"

#include "encoder/fitting/Timing.h"
#include "encoder/reading/Probe.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace velmora::encoder {

namespace {

bool inProgramme(const AVProgram *programme, unsigned stream)
{
    if (!programme)
        return true;
    for (unsigned i = 0; i < programme->nb_stream_indexes; ++i) {
        if (programme->stream_index[i] == stream)
            return true;
    }
    return false;
}

std::string tag(const AVStream *stream, const char *key)
{
    const AVDictionaryEntry *entry = av_dict_get(stream->metadata, key, nullptr, 0);
    return entry && entry->value ? entry->value : std::string();
}

std::string numbered(const std::string &text, int number)
{
    return number > 0 ? text + " (track " + std::to_string(number) + ")" : text;
}

bool readableSound(const AVStream *stream)
{
    return plausibleSampleRate(stream->codecpar->sample_rate) && stream->codecpar->ch_layout.nb_channels > 0;
}

std::string dataTrackName(const AVStream *stream)
{
    const AVCodecParameters *codec = stream->codecpar;
    if (codec->codec_tag == MKTAG('t', 'm', 'c', 'd') || !tag(stream, "timecode").empty())
        return "the timecode track";
    if (codec->codec_id != AV_CODEC_ID_NONE)
        return std::string("the data track (") + avcodec_get_name(codec->codec_id) + ")";
    if (codec->codec_tag != 0) {
        char fourcc[AV_FOURCC_MAX_STRING_SIZE] = {};
        av_fourcc_make_string(fourcc, codec->codec_tag);
        return std::string("the data track (") + fourcc + ")";
    }
    return "a data track";
}

} // namespace

std::string codecLabel(AVCodecID codec)
{
    static const std::map<AVCodecID, const char *> labels = {
        {AV_CODEC_ID_H264, "H.264"},          {AV_CODEC_ID_HEVC, "HEVC"},         {AV_CODEC_ID_VP8, "VP8"},
        {AV_CODEC_ID_VP9, "VP9"},             {AV_CODEC_ID_AV1, "AV1"},           {AV_CODEC_ID_MPEG4, "MPEG-4"},
        {AV_CODEC_ID_MPEG1VIDEO, "MPEG-1"},   {AV_CODEC_ID_MPEG2VIDEO, "MPEG-2"}, {AV_CODEC_ID_MJPEG, "Motion JPEG"},
        {AV_CODEC_ID_PRORES, "ProRes"},       {AV_CODEC_ID_THEORA, "Theora"},     {AV_CODEC_ID_AAC, "AAC"},
        {AV_CODEC_ID_OPUS, "Opus"},           {AV_CODEC_ID_VORBIS, "Vorbis"},     {AV_CODEC_ID_MP3, "MP3"},
        {AV_CODEC_ID_MP2, "MP2"},             {AV_CODEC_ID_AC3, "AC-3"},          {AV_CODEC_ID_EAC3, "E-AC-3"},
        {AV_CODEC_ID_FLAC, "FLAC"},           {AV_CODEC_ID_ALAC, "ALAC"},         {AV_CODEC_ID_PCM_S16LE, "PCM"},
        {AV_CODEC_ID_PCM_S16BE, "PCM"},       {AV_CODEC_ID_PCM_S24LE, "PCM"},     {AV_CODEC_ID_WMAV2, "WMA"},
        {AV_CODEC_ID_WMV2, "WMV"},            {AV_CODEC_ID_FLV1, "Flash Video"},  {AV_CODEC_ID_SUBRIP, "SubRip"},
        {AV_CODEC_ID_ASS, "ASS"},             {AV_CODEC_ID_SSA, "SSA"},           {AV_CODEC_ID_WEBVTT, "WebVTT"},
        {AV_CODEC_ID_MOV_TEXT, "MP4 text"},   {AV_CODEC_ID_TEXT, "plain text"},   {AV_CODEC_ID_DVD_SUBTITLE, "DVD"},
        {AV_CODEC_ID_HDMV_PGS_SUBTITLE, "Blu-ray (PGS)"}, {AV_CODEC_ID_DVB_SUBTITLE, "DVB"},
    };
    if (const auto found = labels.find(codec); found != labels.end())
        return found->second;
    std::string name = avcodec_get_name(codec);
    for (char &c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string languageName(const char *code)
{
    if (!code || !*code || std::string(code) == "und")
        return std::string();
    static const std::map<std::string, const char *> names = {
        {"eng", "English"},    {"deu", "German"},     {"ger", "German"},    {"fra", "French"},   {"fre", "French"},
        {"spa", "Spanish"},    {"ita", "Italian"},    {"por", "Portuguese"}, {"nld", "Dutch"},   {"dut", "Dutch"},
        {"rus", "Russian"},    {"jpn", "Japanese"},   {"zho", "Chinese"},   {"chi", "Chinese"},  {"kor", "Korean"},
        {"pol", "Polish"},     {"swe", "Swedish"},    {"nor", "Norwegian"}, {"dan", "Danish"},   {"fin", "Finnish"},
        {"tur", "Turkish"},    {"ara", "Arabic"},     {"hin", "Hindi"},     {"ces", "Czech"},    {"cze", "Czech"},
        {"ell", "Greek"},      {"gre", "Greek"},      {"hun", "Hungarian"}, {"ukr", "Ukrainian"},
    };
    if (const auto found = names.find(code); found != names.end())
        return found->second;
    return code;
}

std::string trackName(const AVStream *stream, int number)
{
    const AVCodecParameters *codec = stream->codecpar;
    std::string language = languageName(av_dict_get(stream->metadata, "language", nullptr, 0)
                                            ? av_dict_get(stream->metadata, "language", nullptr, 0)->value
                                            : nullptr);
    if (!language.empty())
        language += " ";
    const std::string title = tag(stream, "title");
    const std::string titled = title.empty() ? std::string() : " \"" + title + "\"";
    switch (codec->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        return numbered("the " + language + codecLabel(codec->codec_id) + " sound" + titled, number);
    case AVMEDIA_TYPE_SUBTITLE:
        return numbered("the " + language + codecLabel(codec->codec_id) + " subtitles" + titled, number);
    case AVMEDIA_TYPE_ATTACHMENT: {
        const std::string name = tag(stream, "filename");
        return name.empty() ? std::string("an attachment") : "the attachment " + name;
    }
    case AVMEDIA_TYPE_VIDEO:
        if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) {
            const std::string name = tag(stream, "filename");
            return name.empty() ? std::string("the cover picture") : "the cover picture " + name;
        }
        return numbered("the " + codecLabel(codec->codec_id) + " picture " + std::to_string(codec->width) + "x"
                            + std::to_string(codec->height),
                        number);
    case AVMEDIA_TYPE_DATA:
        return dataTrackName(stream);
    default:
        return numbered("a track of unknown kind", number);
    }
}

bool isTextSubtitle(AVCodecID codec)
{
    switch (codec) {
    case AV_CODEC_ID_SUBRIP:
    case AV_CODEC_ID_ASS:
    case AV_CODEC_ID_SSA:
    case AV_CODEC_ID_WEBVTT:
    case AV_CODEC_ID_MOV_TEXT:
    case AV_CODEC_ID_TEXT:
        return true;
    default:
        return false;
    }
}

bool convertsSubtitles(AVCodecID codec, const Container &container)
{
    return isTextSubtitle(codec) && !container.holdsSubtitles(codec) && container.textSubtitles != AV_CODEC_ID_NONE;
}

TrackLayout layoutOf(const AVFormatContext *format, const Container &container)
{
    TrackLayout layout;
    auto *context = const_cast<AVFormatContext *>(format); // FFmpeg's look-ups take it unqualified
    layout.picture = pictureStream(context);
    if (layout.picture < 0)
        return layout;
    layout.mainSound = soundStream(context, layout.picture);
    const AVProgram *programme = format->nb_programs > 0 ? av_find_program_from_stream(context, nullptr, layout.picture) : nullptr;
    const std::string files = std::string(container.name) + " files";
    int sounds = 0;
    int subtitles = 0;
    int pictures = 1;
    int otherProgrammes = 0;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const int index = static_cast<int>(i);
        if (index == layout.picture)
            continue;
        const AVStream *stream = format->streams[i];
        const AVCodecParameters *codec = stream->codecpar;
        if (!inProgramme(programme, i)) {
            ++otherProgrammes;
            continue;
        }
        switch (codec->codec_type) {
        case AVMEDIA_TYPE_AUDIO: {
            const std::string name = trackName(stream, ++sounds);
            if (index == layout.mainSound) // what it cannot hold is refused, not left out
                layout.sounds.push_back(index);
            else if (!readableSound(stream))
                layout.losses.push_back(name + " is left out: its form cannot be read");
            else if (!container.holds(codec->codec_id))
                layout.losses.push_back(name + " is left out: " + files + " cannot hold " + codecLabel(codec->codec_id) + " sound");
            else
                layout.sounds.push_back(index);
            break;
        }
        case AVMEDIA_TYPE_SUBTITLE: {
            const std::string name = trackName(stream, ++subtitles);
            if (container.holdsSubtitles(codec->codec_id)) {
                layout.subtitles.push_back(index);
            } else if (convertsSubtitles(codec->codec_id, container)) {
                layout.subtitles.push_back(index);
                if (codec->codec_id == AV_CODEC_ID_ASS || codec->codec_id == AV_CODEC_ID_SSA)
                    layout.losses.push_back(name + " become " + container.name + "'s own text subtitles, without their styling");
            } else if (container.textSubtitles == AV_CODEC_ID_NONE) {
                layout.losses.push_back(name + " are left out: " + files + " cannot hold subtitles");
            } else {
                layout.losses.push_back(name + " are left out: " + files + " cannot hold " + codecLabel(codec->codec_id) + " subtitles");
            }
            break;
        }
        case AVMEDIA_TYPE_ATTACHMENT:
            if (codec->extradata_size <= 0)
                break; // an empty attachment: nothing to keep
            if (container.attachments)
                layout.attachments.push_back(index);
            else
                layout.losses.push_back(trackName(stream, 0) + " is left out: " + files + " cannot hold attachments");
            break;
        case AVMEDIA_TYPE_VIDEO:
            if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) {
                if (stream->attached_pic.size <= 0)
                    break;
                if (container.attachments)
                    layout.attachments.push_back(index);
                else
                    layout.losses.push_back(trackName(stream, 0) + " is left out: " + files + " cannot hold attachments");
            } else {
                layout.losses.push_back(trackName(stream, ++pictures) + " is left out: only one picture is joined");
            }
            break;
        case AVMEDIA_TYPE_DATA:
            layout.losses.push_back(trackName(stream, 0) + " is left out: data tracks are not joined");
            break;
        default:
            layout.losses.push_back(trackName(stream, 0) + " is left out: it cannot be joined");
            break;
        }
    }
    if (otherProgrammes > 0)
        layout.losses.push_back("the other programmes of the broadcast (" + std::to_string(otherProgrammes)
                                + (otherProgrammes == 1 ? " track" : " tracks") + ") are left out: only the picture's own programme is joined");
    return layout;
}

} // namespace velmora::encoder
