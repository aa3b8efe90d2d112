#include "encoder/joining/Parts.h"

#include <cmath>
#include <cstring>

namespace velmora::encoder {

namespace {

// The input as probed, or opened again when the probe let it go (a join of many).
const AVFormatContext *formatOf(InputInfo &input, FormatPtr &reopened)
{
    if (input.opened)
        return input.opened.get();
    reopened = openInput(input.path);
    return reopened.get();
}

std::string nameOf(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameBytes(const AVCodecParameters *a, const AVCodecParameters *b)
{
    return a->extradata_size == b->extradata_size
           && (a->extradata_size == 0 || std::memcmp(a->extradata, b->extradata, static_cast<std::size_t>(a->extradata_size)) == 0);
}

bool sameShape(AVRational a, AVRational b)
{
    const auto known = [](AVRational r) { return r.num > 0 && r.den > 0 ? r : AVRational{1, 1}; };
    return av_cmp_q(known(a), known(b)) == 0;
}

// The part's one picture and one sound stream, or nulls when it holds anything else.
std::pair<const AVStream *, const AVStream *> tracksOf(const AVFormatContext *format)
{
    const AVStream *picture = nullptr;
    const AVStream *sound = nullptr;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream *stream = format->streams[i];
        const AVMediaType type = stream->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_VIDEO && !picture && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            picture = stream;
        else if (type == AVMEDIA_TYPE_AUDIO && !sound)
            sound = stream;
        else
            return {nullptr, nullptr};
    }
    return {picture, sound};
}

// How many samples one packet of the sound holds; 0 when not known or when it varies.
int samplesPerPacket(AVCodecID codec, int sampleRate, int stated)
{
    if (stated > 0)
        return stated;
    switch (codec) {
    case AV_CODEC_ID_WMAV1:
    case AV_CODEC_ID_WMAV2: return sampleRate <= 16000 ? 512 : sampleRate <= 22050 ? 1024 : 2048;
    case AV_CODEC_ID_AC3:
    case AV_CODEC_ID_EAC3: return 1536;
    case AV_CODEC_ID_MP2: return 1152;
    case AV_CODEC_ID_MP3: return sampleRate >= 32000 ? 1152 : 576;
    case AV_CODEC_ID_AAC: return 1024;
    default: return 0;
    }
}

} // namespace

bool soundJoinsInSync(AVCodecID codec, int sampleRate, int frameSize)
{
    const int samples = samplesPerPacket(codec, sampleRate, frameSize);
    return samples <= 0 || sampleRate <= 0 || samples * 1000 <= 40 * sampleRate;
}

bool madeFromSources(std::vector<InputInfo> &inputs)
{
    for (InputInfo &input : inputs) {
        FormatPtr reopened;
        const AVFormatContext *format = formatOf(input, reopened);
        if (av_dict_get(format->metadata, SourceNameKey, nullptr, 0))
            return true;
    }
    return false;
}

std::string partsDiffer(const EncodeJob &job, const OutputPlan &plan, std::vector<InputInfo> &inputs)
{
    const AVCodecParameters *firstPicture = nullptr;
    const AVCodecParameters *firstSound = nullptr;
    FormatPtr firstReopened; // keeps the first part's parameters while the others are looked at
    for (InputInfo &input : inputs) {
        FormatPtr reopened;
        const AVFormatContext *format = formatOf(input, reopened);
        const AVDictionaryEntry *madeWith = av_dict_get(format->metadata, MadeWithKey, nullptr, 0);
        const auto [picture, sound] = tracksOf(format);
        bool same = madeWith && madeWith->value == job.options && picture && sound;
        if (same) {
            const AVCodecParameters *p = picture->codecpar;
            const AVCodecParameters *s = sound->codecpar;
            const AVRational rate = picture->avg_frame_rate.num > 0 ? picture->avg_frame_rate : picture->r_frame_rate;
            const AVRational shape = picture->sample_aspect_ratio.num > 0 ? picture->sample_aspect_ratio : p->sample_aspect_ratio;
            same = p->codec_id == plan.video->id && p->width == plan.picture.frameWidth && p->height == plan.picture.frameHeight
                   && p->format == plan.picture.format && sameShape(shape, plan.picture.sampleAspect)
                   && av_cmp_q(rate, plan.frameRate) == 0 && s->codec_id == plan.audio->id
                   && s->sample_rate == plan.sound.sampleRate && s->ch_layout.nb_channels == plan.sound.layout.nb_channels;
            if (same && firstPicture)
                same = sameBytes(p, firstPicture) && sameBytes(s, firstSound) && p->profile == firstPicture->profile
                       && s->profile == firstSound->profile;
            if (same && !firstPicture) {
                firstPicture = p;
                firstSound = s;
                firstReopened = std::move(reopened);
            }
        }
        if (!same)
            return nameOf(input.path) + " was made with other settings: the join re-encodes.";
    }
    // Sound in packets too long to copy in sync is encoded again in one piece.
    if (firstSound && !soundJoinsInSync(firstSound->codec_id, firstSound->sample_rate, firstSound->frame_size)) {
        const int samples = samplesPerPacket(firstSound->codec_id, firstSound->sample_rate, firstSound->frame_size);
        const int millis = static_cast<int>(std::lround(samples * 1000.0 / firstSound->sample_rate));
        return std::string(avcodec_get_name(firstSound->codec_id)) + " sound comes in packets of " + std::to_string(millis)
               + " ms, which a join that copies could put up to " + std::to_string(millis / 2)
               + " ms off the picture: the join re-encodes.";
    }
    return std::string();
}

} // namespace velmora::encoder
