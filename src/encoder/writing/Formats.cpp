#include "encoder/writing/Formats.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace velmora::encoder {

namespace {

const std::vector<Container> &containers()
{
    static const std::vector<Container> all = {
        {.name = "AVI",
         .muxer = "avi",
         .video = {AV_CODEC_ID_MPEG4, AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_MSMPEG4V2, AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO,
                   AV_CODEC_ID_WMV1, AV_CODEC_ID_WMV2, AV_CODEC_ID_FLV1, AV_CODEC_ID_H263, AV_CODEC_ID_H263P, AV_CODEC_ID_MJPEG,
                   AV_CODEC_ID_FFV1, AV_CODEC_ID_HUFFYUV, AV_CODEC_ID_FFVHUFF, AV_CODEC_ID_UTVIDEO},
         .audio = {AV_CODEC_ID_MP3, AV_CODEC_ID_MP2, AV_CODEC_ID_AC3, AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_WMAV2},
         .pcm = AV_CODEC_ID_PCM_S16LE,
         .storesPictureTimes = false},
        {.name = "MP4",
         .muxer = "mp4",
         .video = {AV_CODEC_ID_H264, AV_CODEC_ID_HEVC, AV_CODEC_ID_MPEG4, AV_CODEC_ID_AV1, AV_CODEC_ID_VP9},
         .audio = {AV_CODEC_ID_AAC, AV_CODEC_ID_MP3, AV_CODEC_ID_AC3, AV_CODEC_ID_EAC3},
         .subtitles = {AV_CODEC_ID_MOV_TEXT, AV_CODEC_ID_DVD_SUBTITLE},
         .textSubtitles = AV_CODEC_ID_MOV_TEXT,
         .globalHeader = true,
         .faststart = true,
         .hevcTag = true,
         .editsPriming = true,
         .chapters = true},
        {.name = "Matroska",
         .muxer = "matroska",
         // Every codec a profile writes: a join's parts are made in Matroska.
         .video = {AV_CODEC_ID_H264, AV_CODEC_ID_HEVC, AV_CODEC_ID_AV1, AV_CODEC_ID_VP8, AV_CODEC_ID_VP9, AV_CODEC_ID_MPEG4,
                   AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_MSMPEG4V2, AV_CODEC_ID_WMV1,
                   AV_CODEC_ID_WMV2, AV_CODEC_ID_FLV1, AV_CODEC_ID_H263, AV_CODEC_ID_H263P, AV_CODEC_ID_MJPEG, AV_CODEC_ID_FFV1,
                   AV_CODEC_ID_THEORA, AV_CODEC_ID_UTVIDEO},
         .audio = {AV_CODEC_ID_AAC, AV_CODEC_ID_OPUS, AV_CODEC_ID_VORBIS, AV_CODEC_ID_MP3, AV_CODEC_ID_MP2, AV_CODEC_ID_AC3,
                   AV_CODEC_ID_EAC3, AV_CODEC_ID_FLAC, AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_WMAV1, AV_CODEC_ID_WMAV2},
         .subtitles = {AV_CODEC_ID_SUBRIP, AV_CODEC_ID_ASS, AV_CODEC_ID_SSA, AV_CODEC_ID_WEBVTT, AV_CODEC_ID_DVD_SUBTITLE,
                       AV_CODEC_ID_HDMV_PGS_SUBTITLE, AV_CODEC_ID_DVB_SUBTITLE},
         .textSubtitles = AV_CODEC_ID_SUBRIP,
         .attachments = true,
         .pcm = AV_CODEC_ID_PCM_S16LE,
         .globalHeader = true,
         .mpegSetupInStream = true,
         .declaresOpusDelay = true,
         .chapters = true},
        {.name = "WebM",
         .muxer = "webm",
         .video = {AV_CODEC_ID_VP8, AV_CODEC_ID_VP9, AV_CODEC_ID_AV1},
         .audio = {AV_CODEC_ID_OPUS, AV_CODEC_ID_VORBIS},
         .subtitles = {AV_CODEC_ID_WEBVTT},
         .textSubtitles = AV_CODEC_ID_WEBVTT,
         .globalHeader = true,
         .declaresOpusDelay = true,
         .chapters = true},
        {.name = "QuickTime",
         .muxer = "mov",
         .video = {AV_CODEC_ID_H264, AV_CODEC_ID_HEVC, AV_CODEC_ID_MPEG4, AV_CODEC_ID_MJPEG, AV_CODEC_ID_PRORES, AV_CODEC_ID_DNXHD},
         .audio = {AV_CODEC_ID_AAC, AV_CODEC_ID_PCM_S16BE, AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_ALAC, AV_CODEC_ID_MP3, AV_CODEC_ID_AC3},
         .subtitles = {AV_CODEC_ID_MOV_TEXT},
         .textSubtitles = AV_CODEC_ID_MOV_TEXT,
         .pcm = AV_CODEC_ID_PCM_S16BE,
         .globalHeader = true,
         .faststart = true,
         .hevcTag = true,
         .editsPriming = true,
         .chapters = true},
        {.name = "MPEG program stream",
         .muxer = "mpeg",
         .video = {AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO},
         .audio = {AV_CODEC_ID_MP2, AV_CODEC_ID_MP3, AV_CODEC_ID_AC3, AV_CODEC_ID_PCM_S16BE},
         .pcm = AV_CODEC_ID_PCM_S16BE,
         .pcmSampleRates = {32000, 44100, 48000, 96000}, // what a DVD's LPCM header can name
         .mpeg2Muxer = "dvd"},
        {.name = "ASF",
         .muxer = "asf",
         .video = {AV_CODEC_ID_WMV1, AV_CODEC_ID_WMV2, AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_MSMPEG4V2, AV_CODEC_ID_MPEG4},
         .audio = {AV_CODEC_ID_WMAV1, AV_CODEC_ID_WMAV2, AV_CODEC_ID_MP3, AV_CODEC_ID_PCM_S16LE},
         .pcm = AV_CODEC_ID_PCM_S16LE,
         .globalHeader = true},
        {.name = "Flash Video",
         .muxer = "flv",
         .video = {AV_CODEC_ID_FLV1, AV_CODEC_ID_H264},
         .audio = {AV_CODEC_ID_MP3, AV_CODEC_ID_AAC, AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_NELLYMOSER, AV_CODEC_ID_ADPCM_SWF},
         .pcm = AV_CODEC_ID_PCM_S16LE,
         .sampleRates = {44100, 22050, 11025}, // FLV's header can only name these
         .maxChannels = 2,
         .globalHeader = true},
    };
    return all;
}

const std::map<std::string, std::string> &extensions()
{
    static const std::map<std::string, std::string> byExtension = {
        {"avi", "avi"}, {"mp4", "mp4"}, {"m4v", "mp4"},  {"mkv", "matroska"}, {"webm", "webm"},
        {"mov", "mov"}, {"mpg", "mpeg"}, {"mpeg", "mpeg"}, {"vob", "mpeg"},     {"wmv", "asf"},     {"asf", "asf"},
        {"flv", "flv"},
    };
    return byExtension;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

bool Container::holds(AVCodecID codec) const
{
    return std::find(video.begin(), video.end(), codec) != video.end()
           || std::find(audio.begin(), audio.end(), codec) != audio.end();
}

bool Container::holdsSubtitles(AVCodecID codec) const
{
    return std::find(subtitles.begin(), subtitles.end(), codec) != subtitles.end();
}

const char *Container::muxerFor(AVCodecID videoCodec) const
{
    return videoCodec == AV_CODEC_ID_MPEG2VIDEO && mpeg2Muxer ? mpeg2Muxer : muxer;
}

const std::vector<Container> &allContainers()
{
    return containers();
}

const Container *containerForFile(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    const std::string extension = dot == std::string::npos ? std::string("avi") : lower(name.substr(dot + 1));
    const auto found = extensions().find(extension);
    if (found == extensions().end())
        return nullptr;
    for (const Container &container : containers()) {
        if (found->second == container.muxer)
            return &container;
    }
    return nullptr;
}

std::string knownExtensions()
{
    std::string list;
    for (const auto &[extension, muxer] : extensions())
        list += (list.empty() ? "." : ", .") + extension;
    return list;
}

const AVCodec *findEncoder(const std::string &name, AVMediaType type)
{
    // Codec names that FFmpeg has no encoder of that name for, with the encoder we mean.
    static const std::map<std::string, std::string> preferred = {
        {"h264", "libx264"},   {"hevc", "libx265"}, {"h265", "libx265"}, {"x264", "libx264"}, {"vp8", "libvpx"},
        {"vp9", "libvpx-vp9"}, {"av1", "libsvtav1"}, {"mp3", "libmp3lame"}, {"opus", "libopus"}, {"vorbis", "libvorbis"},
    };
    if (name.empty())
        return nullptr;
    const AVCodec *codec = nullptr;
    if (const auto found = preferred.find(lower(name)); found != preferred.end())
        codec = avcodec_find_encoder_by_name(found->second.c_str());
    if (!codec)
        codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec) {
        if (const AVCodecDescriptor *descriptor = avcodec_descriptor_get_by_name(name.c_str()))
            codec = avcodec_find_encoder(descriptor->id);
    }
    if (!codec || codec->type != type)
        return nullptr;
    if (codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL) {
        void *iterator = nullptr;
        while (const AVCodec *other = av_codec_iterate(&iterator)) {
            if (av_codec_is_encoder(other) && other->id == codec->id && !(other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
                return other;
        }
    }
    return codec;
}

} // namespace velmora::encoder
