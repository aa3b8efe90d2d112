#include "encoder/joining/CopyCheck.h"

#include "encoder/Failure.h"
#include "encoder/joining/Tracks.h"
#include "encoder/joining/TrimCut.h"
#include "encoder/reading/Probe.h"
#include "encoder/writing/Chapters.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace velmora::encoder {

namespace {

std::string fileName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string article(const std::string &name)
{
    return name.rfind('A', 0) == 0 || name.rfind("MP", 0) == 0 ? "an " : "a ";
}

std::string refusal(const std::string &path, const std::string &what)
{
    return fileName(path) + " cannot be joined without re-encoding" + what + ". Choose a profile that re-encodes.";
}

std::string counted(std::size_t count, const char *one, const char *many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The frame rate a copy keeps: the stream's own when its pictures come at it; {0, 1} when
// they come at a variable rate (a phone's clip).
AVRational steadyRate(const AVStream *stream)
{
    const AVRational real = stream->r_frame_rate;
    const AVRational average = stream->avg_frame_rate;
    const bool realKnown = real.num > 0 && real.den > 0;
    const bool averageKnown = average.num > 0 && average.den > 0;
    if (!realKnown)
        return averageKnown ? average : AVRational{0, 1};
    if (averageKnown && std::fabs(av_q2d(average) / av_q2d(real) - 1.0) > 0.01)
        return AVRational{0, 1};
    return real;
}

bool sameRate(AVRational a, AVRational b)
{
    if (a.num == 0 || b.num == 0)
        return a.num == b.num;
    return std::fabs(av_q2d(a) / av_q2d(b) - 1.0) < 1e-4;
}

std::string rateText(AVRational rate)
{
    if (rate.num == 0)
        return "variable";
    char text[32];
    const double value = av_q2d(rate);
    if (std::fabs(value - std::round(value)) < 1e-6)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.3f", value);
    return std::string(text) + " frames a second";
}

std::string withProfile(const AVCodecParameters *codec)
{
    std::string text = codecLabel(codec->codec_id);
    if (const char *profile = avcodec_profile_name(codec->codec_id, codec->profile))
        text += std::string(" (") + profile + ")";
    return text;
}

std::string fieldOrderText(AVFieldOrder order)
{
    switch (order) {
    case AV_FIELD_PROGRESSIVE: return "progressive";
    case AV_FIELD_TT:
    case AV_FIELD_TB: return "interlaced, top field first";
    case AV_FIELD_BB:
    case AV_FIELD_BT: return "interlaced, bottom field first";
    default: return "of unknown field order";
    }
}

std::string soundText(const AVCodecParameters *codec)
{
    char layout[64] = "";
    av_channel_layout_describe(&codec->ch_layout, layout, sizeof layout);
    return withProfile(codec) + " " + std::to_string(codec->sample_rate) + " Hz " + layout;
}

bool sameBytes(const AVCodecParameters *a, const AVCodecParameters *b)
{
    return a->extradata_size == b->extradata_size
           && (a->extradata_size == 0 || std::memcmp(a->extradata, b->extradata, static_cast<std::size_t>(a->extradata_size)) == 0);
}

// VP8 and VP9 describe themselves in every key picture: what their header holds is no setup
// a decoder depends on.
bool setupMatters(AVCodecID codec)
{
    return codec != AV_CODEC_ID_VP8 && codec != AV_CODEC_ID_VP9;
}

// What the first input's picture is compared by: its stream is closed by the time the next
// input is opened.
struct PictureSpec
{
    CodecParametersPtr codec;
    int turn = 0;
    AVRational rate{0, 1};
};

CodecParametersPtr copied(const AVCodecParameters *from)
{
    CodecParametersPtr codec(avcodec_parameters_alloc());
    if (!codec || avcodec_parameters_copy(codec.get(), from) < 0)
        throw std::bad_alloc();
    return codec;
}

PictureSpec pictureSpec(const AVStream *stream)
{
    return PictureSpec{copied(stream->codecpar), rotationOf(stream), steadyRate(stream)};
}

// How the picture differs from the first one's; empty when it does not.
std::string pictureDifference(const PictureSpec &mine, const PictureSpec &first)
{
    const AVCodecParameters *a = mine.codec.get();
    const AVCodecParameters *b = first.codec.get();
    const auto base = [](const AVCodecParameters *codec) {
        return std::to_string(codec->width) + "x" + std::to_string(codec->height) + " " + withProfile(codec);
    };
    const auto differ = [&](const std::string &mineText, const std::string &firsts) {
        return ": its picture is " + mineText + ", the first file's is " + firsts;
    };
    if (a->codec_id != b->codec_id || a->profile != b->profile || a->width != b->width || a->height != b->height)
        return differ(base(a), base(b));
    if (a->format != b->format) {
        const auto format = [&](const AVCodecParameters *codec) {
            const char *name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(codec->format));
            return base(codec) + " " + (name ? name : "of unknown pixel format");
        };
        return differ(format(a), format(b));
    }
    if (a->field_order != b->field_order)
        return differ(base(a) + ", " + fieldOrderText(a->field_order), base(b) + ", " + fieldOrderText(b->field_order));
    if (mine.turn != first.turn) {
        const auto turned = [&](const AVCodecParameters *codec, int degrees) {
            return base(codec) + (degrees ? ", turned " + std::to_string(degrees) + " degrees" : std::string(", not turned"));
        };
        return differ(turned(a, mine.turn), turned(b, first.turn));
    }
    const AVRational shape = a->sample_aspect_ratio.num > 0 ? a->sample_aspect_ratio : AVRational{1, 1};
    const AVRational firstShape = b->sample_aspect_ratio.num > 0 ? b->sample_aspect_ratio : AVRational{1, 1};
    if (av_cmp_q(shape, firstShape) != 0) {
        const auto shown = [&](const AVCodecParameters *codec, AVRational pixel) {
            AVRational display{};
            av_reduce(&display.num, &display.den, static_cast<std::int64_t>(codec->width) * pixel.num,
                      static_cast<std::int64_t>(codec->height) * pixel.den, 1000);
            return base(codec) + " shown at " + std::to_string(display.num) + ":" + std::to_string(display.den);
        };
        return differ(shown(a, shape), shown(b, firstShape));
    }
    if (setupMatters(a->codec_id) && !sameBytes(a, b)) {
        const bool parameterSets = a->codec_id == AV_CODEC_ID_H264 || a->codec_id == AV_CODEC_ID_HEVC;
        return ": its picture is " + base(a) + " as the first file's, but made with other encoder settings (its "
               + (parameterSets ? "parameter sets differ" : "codec's setup data differs") + ")";
    }
    if (!sameRate(mine.rate, first.rate))
        return ": its frame rate is " + rateText(mine.rate) + ", the first file's is " + rateText(first.rate);
    return std::string();
}

bool sameSound(const AVCodecParameters *a, const AVCodecParameters *b)
{
    return a->codec_id == b->codec_id && a->profile == b->profile && a->sample_rate == b->sample_rate
           && av_channel_layout_compare(&a->ch_layout, &b->ch_layout) == 0;
}

// How the sound tracks differ from the first input's; empty when they do not. One track each
// is said as "its sound".
std::string soundDifference(const std::vector<const AVCodecParameters *> &mine, const std::vector<CodecParametersPtr> &first)
{
    if (mine.empty() && first.size() == 1)
        return ": it has no sound, the first file's sound is " + soundText(first.front().get());
    if (mine.size() == 1 && first.empty())
        return ": its sound is " + soundText(mine.front()) + ", the first file has none";
    if (mine.size() != first.size()) {
        const auto tracks = [](std::size_t count) {
            return count == 0 ? std::string("no sound") : counted(count, "sound track", "sound tracks");
        };
        return ": it has " + tracks(mine.size()) + ", the first file has " + tracks(first.size());
    }
    for (std::size_t i = 0; i < mine.size(); ++i) {
        if (sameSound(mine[i], first[i].get()))
            continue;
        if (mine.size() == 1)
            return ": its sound is " + soundText(mine[i]) + ", the first file's is " + soundText(first[i].get());
        return ": its sound track " + std::to_string(i + 1) + " is " + soundText(mine[i]) + ", the first file's is "
               + soundText(first[i].get());
    }
    return std::string();
}

std::string subtitleDifference(const std::vector<const AVCodecParameters *> &mine, const std::vector<CodecParametersPtr> &first)
{
    if (mine.size() != first.size()) {
        const auto tracks = [](std::size_t count) {
            return count == 0 ? std::string("no subtitles") : counted(count, "subtitle track", "subtitle tracks");
        };
        return ": it has " + tracks(mine.size()) + ", the first file has " + tracks(first.size());
    }
    for (std::size_t i = 0; i < mine.size(); ++i) {
        const std::string track = ": its subtitle track " + std::to_string(i + 1);
        if (mine[i]->codec_id != first[i]->codec_id)
            return track + " is " + codecLabel(mine[i]->codec_id) + ", the first file's is " + codecLabel(first[i]->codec_id);
        // The setup of ASS and SSA is their styles; of DVD subtitles, their palette and size.
        if (!sameBytes(mine[i], first[i].get()))
            return track + " (" + codecLabel(mine[i]->codec_id) + ") is set up otherwise than the first file's (its "
                   + (isTextSubtitle(mine[i]->codec_id) ? "styles differ" : "palette or size differs") + ")";
    }
    return std::string();
}

double statedPicture(const AVFormatContext *format, const AVStream *stream)
{
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

std::string tagOf(const AVStream *stream, const char *key)
{
    const AVDictionaryEntry *entry = av_dict_get(stream->metadata, key, nullptr, 0);
    return entry && entry->value ? entry->value : std::string();
}

// Keeps a carried file once: the same name and bytes from another input is the same file; the
// same name with other bytes is kept under a name of its own.
void carry(std::vector<CarriedFile> &carried, CarriedFile file)
{
    if (file.name.empty())
        file.name = "attachment";
    std::string name = file.name;
    for (int copy = 2;; ++copy) {
        const auto same = std::find_if(carried.begin(), carried.end(), [&](const CarriedFile &kept) { return kept.name == name; });
        if (same == carried.end())
            break;
        if (same->bytes == file.bytes)
            return;
        const std::size_t dot = file.name.find_last_of('.');
        name = dot == std::string::npos || dot == 0 ? file.name + " (" + std::to_string(copy) + ")"
                                                    : file.name.substr(0, dot) + " (" + std::to_string(copy) + ")" + file.name.substr(dot);
    }
    file.name = name;
    carried.push_back(std::move(file));
}

CarriedFile carriedFile(const AVStream *stream)
{
    CarriedFile file;
    file.name = tagOf(stream, "filename");
    file.mimetype = tagOf(stream, "mimetype");
    const AVCodecParameters *codec = stream->codecpar;
    if (codec->codec_type == AVMEDIA_TYPE_ATTACHMENT) {
        file.bytes.assign(codec->extradata, codec->extradata + codec->extradata_size);
    } else {
        // A cover picture: its one packet.
        file.bytes.assign(stream->attached_pic.data, stream->attached_pic.data + stream->attached_pic.size);
        const bool png = codec->codec_id == AV_CODEC_ID_PNG;
        if (file.name.empty())
            file.name = png ? "cover.png" : "cover.jpg";
        if (file.mimetype.empty())
            file.mimetype = png ? "image/png" : "image/jpeg";
    }
    if (file.mimetype.empty())
        file.mimetype = "application/octet-stream";
    return file;
}

// The same line for many files once: "a.mp4: ...", "a.mp4 and 1499 other files: ...".
class Losses
{
public:
    void add(const std::string &path, const std::string &what)
    {
        auto found = m_files.find(what);
        if (found == m_files.end()) {
            m_order.push_back(what);
            m_files.emplace(what, std::make_pair(fileName(path), std::size_t(1)));
        } else {
            ++found->second.second;
        }
    }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> lines;
        for (const std::string &what : m_order) {
            const auto &[first, count] = m_files.at(what);
            const std::string files = count == 1 ? first : first + " and " + counted(count - 1, "other file", "other files");
            lines.push_back(files + ": " + what + ".");
        }
        return lines;
    }

private:
    std::vector<std::string> m_order;
    std::map<std::string, std::pair<std::string, std::size_t>> m_files;
};

std::string millisecondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

} // namespace

FormatPtr openCopyInput(const std::string &path)
{
    try {
        return openInput(path);
    } catch (const Failure &failure) {
        // Not the file's fault, but the system's: said as such.
        if (isSystemLimit(failure.code))
            throw;
        if (failure.what() == std::string("stopped"))
            throw;
        throw UsageError(fileName(path) + " cannot be read: " + failure.what() + ".");
    }
}

StartCut startCutOf(AVFormatContext *format, int picture)
{
    // Enough for a key picture every ten seconds at 60 frames a second, with its sound.
    constexpr int MostPackets = 4096;
    StartCut cut;
    const AVStream *stream = format->streams[picture];
    std::int64_t earliest = AV_NOPTS_VALUE;
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        throw std::bad_alloc();
    // Pictures before the cut can come after the first one past it in decoding order (B-frames
    // shown before it): a few more past it are read.
    constexpr int Reorder = 16;
    int kept = 0;
    for (int read = 0; read < MostPackets && kept < Reorder && av_read_frame(format, packet.get()) >= 0; ++read) {
        const bool mine = packet->stream_index == picture;
        const bool discarded = packet->flags & AV_PKT_FLAG_DISCARD;
        const std::int64_t pts = packet->pts;
        av_packet_unref(packet.get());
        if (!mine)
            continue;
        if (!discarded) {
            ++kept;
            continue;
        }
        ++cut.pictures;
        if (pts != AV_NOPTS_VALUE && (earliest == AV_NOPTS_VALUE || pts < earliest))
            earliest = pts;
    }
    cut.from = earliest;
    if (cut.pictures > 0 && earliest != AV_NOPTS_VALUE) {
        const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        cut.seconds = std::max(0.0, static_cast<double>(start - earliest) * av_q2d(stream->time_base));
    }
    return cut;
}

CopySurvey surveyCopy(const std::vector<std::string> &paths, const Container &container, const std::function<bool(std::size_t)> &goOn,
                      const std::vector<InputTrim> &trims)
{
    CopySurvey survey;
    Losses losses;
    PictureSpec firstPicture;
    std::vector<CodecParametersPtr> firstSounds;
    std::vector<CodecParametersPtr> firstSubtitles;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const std::string &path = paths[index];
        if (goOn && !goOn(index))
            throw Failure(path, "stopped");
        FormatPtr format = openCopyInput(path);
        const TrackLayout layout = layoutOf(format.get(), container);
        if (layout.picture < 0)
            throw UsageError(fileName(path) + " cannot be joined: it holds no picture.");
        const AVStream *video = format->streams[layout.picture];
        std::vector<const AVCodecParameters *> sounds;
        for (const int sound : layout.sounds)
            sounds.push_back(format->streams[sound]->codecpar);
        std::vector<const AVCodecParameters *> subtitles;
        for (const int subtitle : layout.subtitles)
            subtitles.push_back(format->streams[subtitle]->codecpar);

        if (index == 0) {
            const auto holds = [&](const AVStream *stream, const char *what) {
                if (stream && !container.holds(stream->codecpar->codec_id))
                    throw UsageError(refusal(path, std::string(" into ") + article(container.name) + container.name + " file: "
                                                       + container.name + " files cannot hold its "
                                                       + codecLabel(stream->codecpar->codec_id) + " " + what));
            };
            holds(video, "picture");
            holds(layout.mainSound >= 0 ? format->streams[layout.mainSound] : nullptr, "sound");
            firstPicture = pictureSpec(video);
            for (const AVCodecParameters *sound : sounds)
                firstSounds.push_back(copied(sound));
            for (const AVCodecParameters *subtitle : subtitles)
                firstSubtitles.push_back(copied(subtitle));
        } else {
            std::string difference = pictureDifference(pictureSpec(video), firstPicture);
            if (difference.empty())
                difference = soundDifference(sounds, firstSounds);
            if (difference.empty())
                difference = subtitleDifference(subtitles, firstSubtitles);
            if (!difference.empty())
                throw UsageError(refusal(path, difference));
        }

        for (const std::string &loss : layout.losses)
            losses.add(path, loss);
        for (const int carried : layout.attachments)
            carry(survey.carried, carriedFile(format->streams[carried]));
        survey.titles.push_back(chapterTitle(path, format.get()));
        double seconds = statedPicture(format.get(), video);
        const InputTrim trim = index < trims.size() ? trims[index] : InputTrim{};
        if (!trim.keepsWhole()) {
            // Where the join will cut it, found as the join finds it.
            const TrimSpan span = TrimSpanOf(trim, video);
            const TrimCut cut = PlanTrimCut(ReadPacketTimes(path, layout.picture, span.end), span.start, span.end);
            const std::int64_t zero = video->start_time != AV_NOPTS_VALUE ? video->start_time : 0;
            const double from = cut.from != AV_NOPTS_VALUE ? static_cast<double>(cut.from - zero) * av_q2d(video->time_base) : 0.0;
            const double to = trim.length ? std::min(seconds, trim.start.value_or(0) + *trim.length) : seconds;
            seconds = std::max(0.0, to - from);
            if (trim.start && from < *trim.start - 0.0005)
                losses.add(path, "its trim starts at " + millisecondsText(*trim.start) + " s, between key pictures: a join without "
                                     "re-encoding starts it at the key picture at " + millisecondsText(from)
                                     + " s; choose a profile that re-encodes to start exactly at the trim");
        }
        survey.seconds.push_back(seconds);
        survey.pictureSeconds += seconds;
        survey.cuts.push_back(startCutOf(format.get(), layout.picture));
        if (!trim.keepsWhole())
            continue;

        // The first input into a file with edit lists starts exactly where it was cut; any
        // other starts at the key picture before the cut.
        const StartCut &cut = survey.cuts.back();
        if (index > 0 || !container.editsPriming) {
            if (cut.pictures > 0)
                losses.add(path, "it starts " + millisecondsText(cut.seconds) + " s (" + counted(cut.pictures, "picture", "pictures")
                                     + ") before where it was cut, since a join without re-encoding can only start it at the key "
                                       "picture before the cut; choose a profile that re-encodes to start exactly at the cut");
        }
    }
    survey.losses = losses.lines();
    return survey;
}

CopyCheck checkCopy(const std::vector<std::string> &paths, const std::string &outputPath, const std::function<bool(std::size_t)> &goOn,
                    const std::vector<InputTrim> &trims)
{
    CopyCheck check;
    const Container *container = containerForFile(outputPath);
    if (!container) {
        check.refusal = fileName(outputPath) + ": Velmora does not write files of this type.";
        return check;
    }
    try {
        check.survey = surveyCopy(paths, *container, goOn, trims);
    } catch (const UsageError &error) {
        check.refusal = error.what();
    } catch (const Failure &failure) {
        check.refusal = fileName(failure.file) + ": " + failure.what() + ".";
    }
    return check;
}

} // namespace velmora::encoder
