#include "encoder/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace velmora::encoder {

namespace {

bool isOption(const std::string &argument)
{
    return argument.size() >= 2 && argument[0] == '-' && std::isalpha(static_cast<unsigned char>(argument[1]));
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

// key=value pieces of a sub-option list; a value written %n%text is the n bytes after it,
// colons and all. Empty when the list is malformed: a length past the end, or no colon after it.
std::optional<std::vector<std::string>> splitQuoted(const std::string &text)
{
    std::vector<std::string> pieces;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t equals = text.find('=', at);
        const std::size_t colon = text.find(':', at);
        if (equals != std::string::npos && (colon == std::string::npos || equals < colon) && equals + 1 < text.size()
            && text[equals + 1] == '%') {
            const std::size_t close = text.find('%', equals + 2);
            const auto length = close == std::string::npos ? std::nullopt
                                                           : readWholeNumber(text.substr(equals + 2, close - equals - 2));
            if (length && *length >= 0) {
                const std::size_t begin = close + 1;
                const std::size_t end = begin + static_cast<std::size_t>(*length);
                if (end > text.size() || (end < text.size() && text[end] != ':'))
                    return std::nullopt;
                pieces.push_back(text.substr(at, equals + 1 - at) + text.substr(begin, end - begin));
                at = end + 1;
                continue;
            }
        }
        pieces.push_back(text.substr(at, colon == std::string::npos ? std::string::npos : colon - at));
        if (colon == std::string::npos)
            break;
        at = colon + 1;
    }
    return pieces;
}

bool hasPiece(const std::string &text, const std::string &wanted)
{
    const std::vector<std::string> pieces = split(text, ':');
    return std::find(pieces.begin(), pieces.end(), wanted) != pieces.end();
}

class Parser
{
public:
    explicit Parser(const std::vector<std::string> &arguments)
        : m_args(arguments)
    {
    }

    ParsedCommandLine run()
    {
        findCopies();
        for (m_index = 0; m_index < m_args.size() && m_result.ok(); ++m_index) {
            const std::string &argument = m_args[m_index];
            if (isOption(argument) && (argument == "-ss" || argument == "-endpos") && m_result.job.copies()
                && m_result.job.output.empty() && !m_result.job.inputs.empty()) {
                inputTrim(argument);
            } else if (isOption(argument)) {
                const std::size_t first = m_index;
                option(argument);
                // What the line asks the output to be: every option but the output's name and
                // what it says of itself.
                if (argument != "-o" && argument != "-info") {
                    for (std::size_t i = first; i <= m_index && i < m_args.size(); ++i)
                        m_result.job.options += (m_result.job.options.empty() ? "" : " ") + m_args[i];
                }
            } else {
                m_result.job.inputs.push_back(argument);
            }
        }
        if (m_result.ok() && m_result.job.inputs.empty())
            m_result.error = "No input file is given.";
        if (!m_result.job.inputTrims.empty())
            m_result.job.inputTrims.resize(m_result.job.inputs.size());
        if (m_result.ok() && m_result.job.output.empty())
            m_result.error = "-o: no output file is given.";
        if (m_result.ok() && !m_ignored.empty()) {
            std::string list;
            for (std::size_t i = 0; i < m_ignored.size(); ++i)
                list += (i == 0 ? "" : i + 1 == m_ignored.size() ? " and " : ", ") + m_ignored[i];
            note("The streams are copied as they are: " + list + (m_ignored.size() == 1 ? " does" : " do")
                 + " not apply and " + (m_ignored.size() == 1 ? "is" : "are") + " ignored.");
        }
        return std::move(m_result);
    }

private:
    // A copy is known before the options are read: every option that would encode a copied
    // stream is then passed over, with one note for them all.
    void findCopies()
    {
        EncodeJob &job = m_result.job;
        bool audioChosen = false;
        for (std::size_t i = 0; i + 1 < m_args.size(); ++i) {
            const std::string &name = m_args[i];
            const std::string &next = m_args[i + 1];
            if (name == "-ovc" && next == "copy")
                job.copyVideo = true;
            else if (name == "-oac")
                audioChosen = true, job.copyAudio = job.copyAudio || next == "copy";
            else if (name == "-lavcopts" && hasPiece(next, "vcodec=copy"))
                job.copyVideo = true;
            else if (name == "-lavcopts" && hasPiece(next, "acodec=copy"))
                job.copyAudio = true;
        }
        // -ovc copy alone copies the sound too.
        if (job.copyVideo && !audioChosen)
            job.copyAudio = true;
        if (job.copyVideo != job.copyAudio)
            fail(std::string(job.copyVideo ? "The picture is copied but the sound is not" : "The sound is copied but the picture is not")
                 + ": copy both (-ovc copy -oac copy, or vcodec=copy and acodec=copy) or neither.");
    }

    // True when the option encodes a stream that is copied: it is noted and passed over.
    bool ignored(const std::string &label, bool video)
    {
        const EncodeJob &job = m_result.job;
        if (!(video ? job.copyVideo : job.copyAudio))
            return false;
        if (std::find(m_ignored.begin(), m_ignored.end(), label) == m_ignored.end())
            m_ignored.push_back(label);
        return true;
    }

    // -ss or -endpos after an input in a join that copies: where the last input is cut.
    void inputTrim(const std::string &name)
    {
        EncodeJob &job = m_result.job;
        job.inputTrims.resize(job.inputs.size());
        InputTrim &trim = job.inputTrims.back();
        const auto text = value();
        const auto seconds = text ? readDecimal(*text) : std::nullopt;
        const std::string file = job.inputs.back();
        if (name == "-ss" && seconds && *seconds >= 0)
            trim.start = *seconds > 0 ? seconds : std::nullopt;
        else if (name == "-endpos" && seconds && *seconds > 0)
            trim.length = seconds;
        else
            note(name + " after " + file + ": " + (text && !text->empty() ? "'" + *text + "' is not a time in seconds" : std::string("it has no value"))
                 + (name == "-ss" ? "; it is joined from its start." : "; all of it is joined."));
    }

    // The value after the current option, or nothing when the next argument is another option
    // or the line ends there.
    std::optional<std::string> value()
    {
        if (m_index + 1 < m_args.size() && !isOption(m_args[m_index + 1]))
            return m_args[++m_index];
        return std::nullopt;
    }

    void note(std::string text) { m_result.notes.push_back(std::move(text)); }
    void fail(std::string text)
    {
        if (m_result.ok())
            m_result.error = std::move(text);
    }

    // A positive whole number, or the default with a note naming what was wrong.
    std::optional<int> positive(const std::string &name, const std::optional<std::string> &text, const std::string &fallback)
    {
        if (!text || text->empty()) {
            note(name + " has no value: " + fallback + ".");
            return std::nullopt;
        }
        const auto number = readWholeNumber(*text);
        if (!number) {
            note(name + " '" + *text + "' is not a number: " + fallback + ".");
            return std::nullopt;
        }
        if (*number <= 0) {
            note(name + " " + *text + " is not above zero: " + fallback + ".");
            return std::nullopt;
        }
        return *number;
    }

    // A whole number where zero means something (mbd=0, q=0); negative gives the default.
    std::optional<int> zeroOrMore(const std::string &name, const std::string &text, const std::string &fallback)
    {
        const auto number = readWholeNumber(text);
        if (text.empty() || !number || *number < 0) {
            note(name + (text.empty() ? " has no value" : " '" + text + "' is not usable") + ": " + fallback + ".");
            return std::nullopt;
        }
        return *number;
    }

    void option(const std::string &name)
    {
        EncodeJob &job = m_result.job;
        if (name == "-o") {
            const auto file = value();
            if (!file || file->empty())
                fail("-o: no output file is given.");
            else
                job.output = *file;
        } else if (name == "-ovc") {
            const auto word = value();
            if (!word || word->empty())
                note("-ovc has no value: lavc is used.");
            else if (*word != "lavc" && *word != "copy")
                fail("-ovc " + *word + ": only lavc and copy are supported.");
        } else if (name == "-oac") {
            const auto word = value();
            if (!word || word->empty())
                note("-oac has no value: mp3lame is used.");
            else if (*word == "mp3lame")
                job.audio.encoder = AudioEncoder::Mp3Lame;
            else if (*word == "pcm")
                job.audio.encoder = AudioEncoder::Pcm;
            else if (*word == "lavc")
                job.audio.encoder = AudioEncoder::Lavc;
            else if (*word != "copy")
                fail("-oac " + *word + ": only mp3lame, pcm, lavc and copy are supported.");
        } else if (name == "-lavcopts") {
            job.lavcOptionsGiven = true;
            if (const auto text = value(); text && !text->empty())
                lavcOptions(*text);
        } else if (name == "-lameopts") {
            job.audio.lameOptionsGiven = true;
            const auto text = value();
            if (text && !text->empty() && !ignored("-lameopts", false))
                lameOptions(*text);
        } else if (name == "-channels") {
            const auto text = value();
            if (!ignored("-channels", false))
                job.channels = positive("-channels", text, "2 channels are used");
        } else if (name == "-srate") {
            const auto text = value();
            if (!ignored("-srate", false))
                job.sampleRate = positive("-srate", text, "the first input's sample rate is used");
        } else if (name == "-info") {
            if (const auto text = value(); text && !text->empty())
                infoOptions(*text);
        } else if (name == "-x264encopts") {
            const auto text = value();
            if (!ignored("-x264encopts", true) && text && !text->empty())
                x264Options(*text);
        } else if (name == "-ss") {
            const auto text = value();
            const auto seconds = text ? readDecimal(*text) : std::nullopt;
            if (ignored("-ss", true))
                return;
            if (seconds && *seconds >= 0)
                job.startSeconds = seconds;
            else
                note("-ss " + (text && !text->empty() ? "'" + *text + "' is not a time in seconds" : std::string("has no value"))
                     + ": it is encoded from its start.");
        } else if (name == "-endpos") {
            const auto text = value();
            const auto seconds = text ? readDecimal(*text) : std::nullopt;
            if (ignored("-endpos", true))
                return;
            if (seconds && *seconds > 0)
                job.endSeconds = seconds;
            else
                note("-endpos " + (text && !text->empty() ? "'" + *text + "' is not a length in seconds" : std::string("has no value"))
                     + ": all of it is encoded.");
        } else if (name == "-ofps" && ignored("-ofps", true)) {
            value();
        } else if (name == "-vf" && ignored("-vf", true)) {
            value();
        } else if (name == "-ofps") {
            const auto text = value();
            const auto rate = text ? readRatio(*text) : std::nullopt;
            if (rate && rate->positive())
                job.fps = rate;
            else
                note("-ofps " + (text && !text->empty() ? "'" + *text + "' is not a frame rate" : std::string("has no value"))
                     + ": the first input's frame rate is used.");
        } else if (name == "-vf") {
            if (const auto text = value(); text && !text->empty()) {
                // A later chain replaces an earlier one.
                job.scale.reset();
                job.crop.reset();
                job.expand.reset();
                filters(*text);
            }
        } else {
            fail(name + ": unknown option.");
        }
    }

    void lavcOptions(const std::string &text)
    {
        VideoOptions &video = m_result.job.video;
        AudioOptions &audio = m_result.job.audio;
        const std::vector<std::string> pieces = split(text, ':');
        for (std::size_t i = 0; i < pieces.size() && m_result.ok(); ++i) {
            const std::string &piece = pieces[i];
            const std::size_t equals = piece.find('=');
            const std::string key = piece.substr(0, equals);
            const std::string val = equals == std::string::npos ? std::string() : piece.substr(equals + 1);
            const std::string label = "-lavcopts " + key;
            static const std::vector<std::string> videoKeys = {"vbitrate", "mbd",    "vqscale", "keyint",
                                                               "threads",  "vmax_b_frames", "autoaspect", "aspect"};
            if (key.empty() && piece.empty()) {
                continue; // "a::b"
            } else if (std::find(videoKeys.begin(), videoKeys.end(), key) != videoKeys.end() && ignored(key, true)) {
                // aspect=16:9 arrives split at its colon: its second half goes with it.
                if (key == "aspect" && i + 1 < pieces.size() && pieces[i + 1].find('=') == std::string::npos
                    && readWholeNumber(pieces[i + 1]))
                    ++i;
                continue;
            } else if (key == "abitrate" && ignored(key, false)) {
                continue;
            } else if ((key == "vcodec" && val == "copy") || (key == "acodec" && val == "copy")) {
                continue;
            } else if (key == "vcodec") {
                if (val.empty())
                    note(label + " has no value: mpeg4 is used.");
                video.codec = val.empty() ? std::string("mpeg4") : val;
            } else if (key == "acodec") {
                if (val.empty())
                    note(label + " has no value: mp2 is used.");
                audio.lavcCodec = val.empty() ? std::string("mp2") : val;
            } else if (key == "vbitrate") {
                video.bitrateKbps = positive(label, val, "the codec's own bitrate is used");
            } else if (key == "abitrate") {
                audio.lavcBitrateKbps = positive(label, val, "the codec's own bitrate is used");
            } else if (key == "mbd") {
                video.mbd = zeroOrMore(label, val, "the codec's own choice is used");
            } else if (key == "vqscale") {
                video.qscale = positive(label, val, "the bitrate decides");
            } else if (key == "keyint") {
                video.keyint = positive(label, val, "the codec's own interval is used");
            } else if (key == "threads") {
                video.threads = zeroOrMore(label, val, "every core is used");
            } else if (key == "vmax_b_frames") {
                video.maxBFrames = zeroOrMore(label, val, "the codec's own choice is used");
            } else if (key == "autoaspect" && equals == std::string::npos) {
                video.aspectMode = AspectMode::Auto;
            } else if (key == "aspect") {
                std::string shape = val;
                // aspect=16:9 arrives split at its colon: aspect=16 and 9.
                if (!shape.empty() && shape.find('/') == std::string::npos && i + 1 < pieces.size()
                    && pieces[i + 1].find('=') == std::string::npos && readWholeNumber(pieces[i + 1])) {
                    shape += '/' + pieces[++i];
                }
                const auto ratio = shape.empty() ? std::nullopt : readRatio(shape);
                if (ratio && ratio->positive()) {
                    video.aspectMode = AspectMode::Given;
                    video.aspect = *ratio;
                } else {
                    note(label + (shape.empty() ? " has no value" : " '" + shape + "' is not a shape")
                         + ": each input keeps its own shape.");
                    video.aspectMode = AspectMode::None;
                }
            } else {
                fail(label + ": unknown option.");
            }
        }
    }

    // Of x264's settings, the rate factor alone.
    void x264Options(const std::string &text)
    {
        for (const std::string &piece : split(text, ':')) {
            if (!m_result.ok() || piece.empty())
                continue;
            const std::size_t equals = piece.find('=');
            const std::string key = piece.substr(0, equals);
            const std::string val = equals == std::string::npos ? std::string() : piece.substr(equals + 1);
            if (key != "crf") {
                fail("-x264encopts " + key + ": unknown option (crf is supported).");
                return;
            }
            const auto factor = readDecimal(val);
            if (factor && *factor >= 0 && *factor <= 51)
                m_result.job.video.rateFactor = factor;
            else
                note("-x264encopts crf " + (val.empty() ? std::string("has no value") : "'" + val + "' is not from 0 to 51")
                     + ": the bitrate decides.");
        }
    }

    // MEncoder's -info keys, as FFmpeg names them.
    void infoOptions(const std::string &text)
    {
        static const std::vector<std::pair<std::string, std::string>> keys = {
            {"name", "title"},       {"artist", "artist"},   {"genre", "genre"},     {"subject", "ISBJ"},
            {"copyright", "copyright"}, {"srcform", SourceNameKey}, {"comment", "comment"},
        };
        const auto pieces = splitQuoted(text);
        if (!pieces) {
            fail("-info " + text + ": a %n% length does not fit the text after it.");
            return;
        }
        for (const std::string &piece : *pieces) {
            if (piece.empty())
                continue;
            const std::size_t equals = piece.find('=');
            const std::string key = piece.substr(0, equals);
            const auto found = std::find_if(keys.begin(), keys.end(), [&](const auto &entry) { return entry.first == key; });
            if (found == keys.end() || equals == std::string::npos) {
                fail("-info " + key + ": unknown option (name, artist, genre, subject, copyright, srcform and comment are supported).");
                return;
            }
            m_result.job.info.emplace_back(found->second, piece.substr(equals + 1));
        }
    }

    void lameOptions(const std::string &text)
    {
        AudioOptions &audio = m_result.job.audio;
        for (const std::string &piece : split(text, ':')) {
            if (!m_result.ok())
                return;
            const std::size_t equals = piece.find('=');
            const std::string key = piece.substr(0, equals);
            const std::string val = equals == std::string::npos ? std::string() : piece.substr(equals + 1);
            const std::string label = "-lameopts " + key;
            if (piece.empty()) {
                continue;
            } else if (key == "abr" && equals == std::string::npos) {
                audio.mp3Mode = Mp3Mode::Abr;
            } else if (key == "cbr" && equals == std::string::npos) {
                audio.mp3Mode = Mp3Mode::Cbr;
            } else if (key == "vbr" && equals != std::string::npos) {
                // MEncoder's numbering: 0 cbr, 1 mt, 2 rh, 3 abr, 4 mtrh.
                const auto mode = readWholeNumber(val);
                if (!mode || *mode < 0 || *mode > 4)
                    fail(label + "=" + val + ": the mode must be 0 to 4.");
                else
                    audio.mp3Mode = *mode == 0 ? Mp3Mode::Cbr : *mode == 3 ? Mp3Mode::Abr : Mp3Mode::Vbr;
            } else if (key == "q" && equals != std::string::npos) {
                if (const auto quality = zeroOrMore(label, val, "quality 4 is used")) {
                    if (*quality > 9)
                        note(label + "=" + val + " is beyond 9: quality 9 is used.");
                    audio.mp3Quality = std::min(*quality, 9);
                }
            } else if (key == "br" && equals != std::string::npos) {
                audio.mp3BitrateKbps = positive(label, val, "128 kbit/s is used");
            } else {
                fail("-lameopts " + piece + ": unknown MP3 mode or option (vbr, abr or cbr expected).");
            }
        }
    }

    void filters(const std::string &text)
    {
        EncodeJob &job = m_result.job;
        for (const std::string &filter : split(text, ',')) {
            if (!m_result.ok() || filter.empty())
                continue;
            const std::size_t equals = filter.find('=');
            const std::string name = filter.substr(0, equals);
            const std::vector<std::string> values =
                equals == std::string::npos ? std::vector<std::string>() : split(filter.substr(equals + 1), ':');
            const auto dimension = [&](std::size_t at, const std::string &what) -> std::optional<int> {
                if (at >= values.size() || values[at].empty())
                    return std::nullopt;
                const auto number = readWholeNumber(values[at]);
                if (!number || *number <= 0) {
                    note("-vf " + name + " " + what + " '" + values[at] + "' is not above zero: it follows from the picture.");
                    return std::nullopt;
                }
                return *number;
            };
            const auto offset = [&](std::size_t at) -> std::optional<int> {
                if (at >= values.size() || values[at].empty())
                    return std::nullopt;
                const auto number = readWholeNumber(values[at]);
                return number && *number >= 0 ? number : std::nullopt;
            };
            if (name == "scale") {
                ScaleOptions scale;
                scale.width = dimension(0, "width");
                scale.height = dimension(1, "height");
                if (values.size() > 0 && (!scale.width || !scale.height) && (scale.width || scale.height))
                    note("-vf scale: the missing side follows from the other at the input's shape.");
                job.scale = scale;
            } else if (name == "crop" || name == "expand") {
                FrameBox box{dimension(0, "width"), dimension(1, "height"), offset(2), offset(3)};
                (name == "crop" ? job.crop : job.expand) = box;
            } else {
                fail("-vf " + name + ": unknown filter (scale, crop and expand are supported).");
            }
        }
    }

    const std::vector<std::string> &m_args;
    std::size_t m_index = 0;
    ParsedCommandLine m_result;
    std::vector<std::string> m_ignored; // options passed over for a copy, in the order given
};

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string> &arguments)
{
    return Parser(arguments).run();
}

} // namespace velmora::encoder
