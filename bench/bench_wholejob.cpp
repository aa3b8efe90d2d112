// The whole job as a user runs it from a terminal, against the ffmpeg program joining the same
// clips in one pass.
//
// Six 20 s HD clips (1280x720 H.264 in MP4, BT.709, AAC stereo at 48 kHz; 30, 29.97, 25, 24,
// 30 and 25 frames a second; the busy pictures of bench_encoder) are joined with three shipped
// profiles, each with its own default selections: "DivX Compatible - High Quality" (MPEG-4 and
// MP3 in AVI, 720x480), "MP4 - H.264 and AAC (plays everywhere)" and "WebM - VP9 and Opus (for
// the web)" (both 1280x720). For each profile:
//  - the job: velmora --join --profile NAME --output FILE --overwrite --progress none
//    --temp-dir DIR CLIP..., started with no display from a program folder of its own (the
//    program, our encoder beside it as asapi.dll, the shipped profiles, its own preferences);
//  - ffmpeg: the clips joined by its concat filter, typed as a user would with the settings our
//    encoder takes from the profile's options: each clip scaled to the profile's size (and from
//    BT.709 to BT.601 where the output has 576 lines or fewer, as the encoder does) and brought
//    to 30 frames a second, then the same codecs, bitrates and codec options.
// Each side runs once to warm up, then both in turn the given number of times. Printed for each
// profile: median CPU time (user + system of the child processes) and wall time, and their
// ratios job/ffmpeg (goal: at most 1.10 each); each output's luma PSNR against a lossless FFV1
// reference, the clips through ffmpeg's filter chain (goal for HD outputs: the job at most
// 0.1 dB below ffmpeg); and the join pass's share of the job's wall time, read from the JSON
// progress of the job's warm-up (goal: at most 2 %). The job's output may hold a frame more or
// fewer per clip than the reference, so the pictures are compared in order over the shorter
// of the two. A missed goal is only reported; the program fails only when something cannot run.
//
// The clips and the references are made once with the ffmpeg program and kept under
// <build>/bench/wholejob-clips; shorter clips in a folder of their own beside it.
//
// Run: build/bench/bench_wholejob [runs] [--no-warmup] [--seconds S] [--profiles WORD,...]
//   runs         measured runs of each side (default 3)
//   --no-warmup  no warm-up runs; the JSON progress then comes from one more run of the job
//   --seconds S  clips of S seconds in place of 20, for a quick look
//   --profiles   only the profiles whose names hold one of the words (any case)

#include "BenchSupport.h"
#include "profiles/LoadedProfile.h"
#include "profiles/OptionBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <numeric>

using namespace velmora;
using namespace velmora::bench;

namespace {

const QString Ffmpeg = QStringLiteral(VELMORA_FFMPEG);
const QString Ffprobe = QStringLiteral(VELMORA_FFPROBE);
const QString Program = QStringLiteral(VELMORA_PROGRAM);
const QString Encoder = QStringLiteral(VELMORA_ENCODER);
const QString ClipFolder = QStringLiteral(VELMORA_BENCH_CLIPS);
const QString ShippedProfiles = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");

const QStringList ProfileNames = {
    QStringLiteral("DivX Compatible - High Quality"),
    QStringLiteral("MP4 - H.264 and AAC (plays everywhere)"),
    QStringLiteral("WebM - VP9 and Opus (for the web)"),
};

constexpr int OutputRate = 30; // what the job makes of mixed rates
constexpr int DefaultSeconds = 20;

// Goals.
constexpr double CpuRatioGoal = 1.10;
constexpr double WallRatioGoal = 1.10;
constexpr double PsnrLossGoal = 0.1; // dB, for HD outputs
constexpr double JoinShareGoal = 0.02;

constexpr int ClipCount = BusyClipCount;

// --- running programs ------------------------------------------------------------------------

// --- what the job's encoder is told ------------------------------------------------------------

// One profile as the job runs it: the option fragment the program builds from the profile's
// default selections, and what of it the ffmpeg side needs.
struct Encoding
{
    QString name;
    QString extension; // "." and the profile's type
    QString options;   // the fragment, as the program shows it
    int width = 0;
    int height = 0;
    QString sampleAspect; // of the output's pixels, for a 16:9 picture
    QMap<QString, QString> lavc; // -lavcopts, the picture's and the sound's
    QMap<QString, QString> lame; // -lameopts
    QString audioEncoder;        // -oac
    QString channels;
    QString sampleRate;

    bool hd() const { return height >= 720; }
    QString sizeText() const { return QStringLiteral("%1x%2").arg(width).arg(height); }
};

void readPairs(const QString &text, QMap<QString, QString> &pairs)
{
    for (const QString &pair : text.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        pairs.insert(equals < 0 ? pair : pair.left(equals), equals < 0 ? QString() : pair.mid(equals + 1));
    }
}

Encoding readEncoding(const QString &name)
{
    const QString path = ShippedProfiles + QLatin1Char('/') + name + QStringLiteral(".bpf");
    if (!QFileInfo(path).isFile())
        giveUp(QStringLiteral("no profile ") + path);
    const profiles::LoadedProfile profile(path);
    const profiles::EncoderArgs options = profiles::GetEncoderOptions(profile, path);
    Encoding encoding;
    encoding.name = name;
    encoding.extension = profile.outputExtension();
    encoding.options = options.text().simplified();
    const QStringList words = options.arguments();
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        const QString &word = words.at(i);
        const QString &next = words.at(i + 1);
        if (word == QLatin1String("-lavcopts"))
            readPairs(next, encoding.lavc);
        else if (word == QLatin1String("-lameopts"))
            readPairs(next, encoding.lame);
        else if (word == QLatin1String("-oac"))
            encoding.audioEncoder = next;
        else if (word == QLatin1String("-channels"))
            encoding.channels = next;
        else if (word == QLatin1String("-srate"))
            encoding.sampleRate = next;
        else if (word == QLatin1String("-vf") && next.startsWith(QLatin1String("scale="))) {
            const QStringList size = next.mid(6).split(QLatin1Char(':'));
            encoding.width = size.value(0).toInt();
            encoding.height = size.value(1).toInt();
        }
    }
    if (encoding.width <= 0 || encoding.height <= 0 || encoding.lavc.value(QStringLiteral("vcodec")).isEmpty()
        || encoding.extension.isEmpty())
        giveUp(QStringLiteral("cannot read the options of \"%1\": %2").arg(name, encoding.options));
    // "Automatic" takes the first clip's shape, and every clip is 16:9: the picture fills the
    // frame, with no bars. Another shape would need them, which this comparison does not make.
    const QString shape = encoding.lavc.value(QStringLiteral("aspect"), QStringLiteral("16/9"));
    if (!encoding.lavc.contains(QStringLiteral("autoaspect")) && shape != QLatin1String("16/9"))
        giveUp(QStringLiteral("\"%1\" asks for a shape of %2; the clips are 16:9").arg(name, shape));
    const int num = 16 * encoding.height;
    const int den = 9 * encoding.width;
    const int common = std::gcd(num, den);
    encoding.sampleAspect = QStringLiteral("%1/%2").arg(num / common).arg(den / common);
    return encoding;
}

// The picture codecs that our encoder treats as MPEG-4's kin (isMpegFamily in
// src/encoder/writing/Output.cpp): a key picture every 250 and the macroblock decision asked.
bool mpegFamily(const QString &codec)
{
    static const QStringList names = {QStringLiteral("mpeg4"), QStringLiteral("msmpeg4"), QStringLiteral("msmpeg4v2"),
                                      QStringLiteral("wmv1"),  QStringLiteral("wmv2"),    QStringLiteral("flv"),
                                      QStringLiteral("h263"),  QStringLiteral("h263p")};
    return names.contains(codec);
}

// The ffmpeg words for the codecs, as our encoder sets them up from the fragment
// (src/encoder/fitting/Plan.cpp, and openVideo and openAudio in src/encoder/writing/Output.cpp).
// Everything left unsaid there is the codec's default, as it is for the ffmpeg program.
QStringList codecArguments(const Encoding &encoding)
{
    const QString video = encoding.lavc.value(QStringLiteral("vcodec"));
    QStringList words{QStringLiteral("-c:v"), video};
    if (encoding.lavc.contains(QStringLiteral("vbitrate")))
        words << QStringLiteral("-b:v") << encoding.lavc.value(QStringLiteral("vbitrate")) + QLatin1Char('k');
    if (mpegFamily(video)) {
        if (encoding.lavc.contains(QStringLiteral("mbd")))
            words << QStringLiteral("-mbd") << encoding.lavc.value(QStringLiteral("mbd"));
        words << QStringLiteral("-g") << QStringLiteral("250");
    } else if (video == QLatin1String("libvpx-vp9")) {
        words << QStringLiteral("-deadline") << QStringLiteral("good") << QStringLiteral("-cpu-used") << QStringLiteral("4")
              << QStringLiteral("-row-mt") << QStringLiteral("1");
    } else if (video != QLatin1String("libx264")) {
        giveUp(QStringLiteral("no ffmpeg words known here for the picture codec ") + video);
    }

    if (encoding.audioEncoder == QLatin1String("mp3lame")) {
        words << QStringLiteral("-c:a") << QStringLiteral("libmp3lame");
        if (encoding.lame.contains(QStringLiteral("vbr")))
            words << QStringLiteral("-q:a") << encoding.lame.value(QStringLiteral("q"));
        else if (encoding.lame.contains(QStringLiteral("abr")))
            words << QStringLiteral("-b:a") << encoding.lame.value(QStringLiteral("br")) + QLatin1Char('k') << QStringLiteral("-abr")
                  << QStringLiteral("1");
        else
            words << QStringLiteral("-b:a") << encoding.lame.value(QStringLiteral("br"), QStringLiteral("128")) + QLatin1Char('k');
    } else if (encoding.audioEncoder == QLatin1String("lavc")) {
        words << QStringLiteral("-c:a") << encoding.lavc.value(QStringLiteral("acodec"));
        if (encoding.lavc.contains(QStringLiteral("abitrate")))
            words << QStringLiteral("-b:a") << encoding.lavc.value(QStringLiteral("abitrate")) + QLatin1Char('k');
    } else {
        giveUp(QStringLiteral("no ffmpeg words known here for -oac ") + encoding.audioEncoder);
    }
    words << QStringLiteral("-ar") << encoding.sampleRate << QStringLiteral("-ac") << encoding.channels;
    return words;
}

// --- the ffmpeg side and the reference ---------------------------------------------------------

QStringList inputArguments(const QStringList &files)
{
    QStringList arguments;
    for (const QString &file : files)
        arguments << QStringLiteral("-i") << file;
    return arguments;
}

// What each clip goes through, as our encoder fits it: scaled to the profile's size, from BT.709
// to BT.601 where the output has 576 lines or fewer (the colorspace filter's fast mode changes
// the matrix alone, as the encoder does), then 30 frames a second, each output frame showing
// the picture nearest its time.
QString pictureChain(const Encoding &encoding)
{
    QString chain = QStringLiteral("scale=%1:%2:flags=bicubic").arg(encoding.width).arg(encoding.height);
    if (encoding.height <= 576)
        chain += QStringLiteral(",colorspace=all=bt601-6-525:iall=bt709:fast=1");
    return chain + QStringLiteral(",setsar=%1,fps=%2:round=near").arg(encoding.sampleAspect).arg(OutputRate);
}

QString joinGraph(const Encoding &encoding, int clips, bool withSound)
{
    QString graph;
    QString joined;
    for (int i = 0; i < clips; ++i) {
        graph += QStringLiteral("[%1:v]%2[v%1];").arg(i).arg(pictureChain(encoding));
        joined += withSound ? QStringLiteral("[v%1][%1:a]").arg(i) : QStringLiteral("[v%1]").arg(i);
    }
    return graph + joined
           + (withSound ? QStringLiteral("concat=n=%1:v=1:a=1[v][a]") : QStringLiteral("concat=n=%1:v=1:a=0[v]")).arg(clips);
}

// The join as a user of the ffmpeg program types it, in one pass. A clip's sound runs a few
// milliseconds past its last picture (AAC's last frame), and concat starts the next clip after
// the longer of the two; at a constant rate (MP4's default) the muxer fills such a gap with a
// repeated picture, and every later picture would stand one off the reference's. -fps_mode vfr
// keeps each picture once, as AVI and WebM do by default.
QStringList ffmpegArguments(const QStringList &clips, const Encoding &encoding, const QString &output)
{
    return QStringList{QStringLiteral("-nostdin"), QStringLiteral("-y")} + inputArguments(clips)
           + QStringList{QStringLiteral("-filter_complex"), joinGraph(encoding, static_cast<int>(clips.size()), true),
                         QStringLiteral("-map"), QStringLiteral("[v]"), QStringLiteral("-map"), QStringLiteral("[a]"),
                         QStringLiteral("-fps_mode"), QStringLiteral("vfr")}
           + codecArguments(encoding) + QStringList{output};
}

// The same pictures, losslessly (FFV1 in Matroska): what both outputs are measured against.
QStringList referenceArguments(const QStringList &clips, const Encoding &encoding, const QString &output)
{
    return QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")}
           + inputArguments(clips)
           + QStringList{QStringLiteral("-filter_complex"), joinGraph(encoding, static_cast<int>(clips.size()), false),
                         QStringLiteral("-map"), QStringLiteral("[v]"), QStringLiteral("-c:v"), QStringLiteral("ffv1"),
                         QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-f"), QStringLiteral("matroska"),
                         output};
}

// Makes a file in folder once, named with the hash of the arguments that make it (see makeOnce).
QString cached(const QString &folder, const QString &stem, const QString &extension,
               const std::function<QStringList(const QString &)> &arguments, const QString &scratch)
{
    const QString name = stem + QLatin1Char('-') + hashOf(arguments(QStringLiteral("OUTPUT"))) + extension;
    const QString path = folder + QLatin1Char('/') + name;
    if (QFileInfo(path).isFile())
        return path;
    std::printf("  making %s ...\n", qPrintable(name));
    std::fflush(stdout);
    const Ran ran = makeOnce(path, [&](const QString &partial) { return run(Ffmpeg, arguments(partial), scratch); });
    if (!ran.ok)
        giveUp(QStringLiteral("ffmpeg could not make ") + path, ran);
    return path;
}

// --- the job -----------------------------------------------------------------------------------

// A program folder of the run's own, so that the preferences are the run's: the program, our
// encoder beside it and the shipped profiles. Returns the program's path.
QString makeProgramFolder(const QString &folder, const QString &tempDir)
{
    const QString program = folder + QStringLiteral("/velmora");
    QDir().mkpath(folder + QStringLiteral("/Profiles"));
    if (!QFile::copy(Program, program) || !QFile::setPermissions(program, QFile::permissions(Program))
        || !QFile::link(Encoder, folder + QStringLiteral("/asapi.dll")))
        giveUp(QStringLiteral("cannot make a program folder in ") + folder);
    for (const QString &name : QDir(ShippedProfiles).entryList(QDir::Files)) {
        if (!QFile::copy(ShippedProfiles + QLatin1Char('/') + name, folder + QStringLiteral("/Profiles/") + name))
            giveUp(QStringLiteral("cannot copy the profile ") + name);
    }
    QFile preferences(folder + QStringLiteral("/Preferences.ini"));
    const QString text = QStringLiteral("[Main]\r\nVersion=1.5\r\nProfile=0\r\nOutput File=\r\nTemp Dir=%1/\r\n"
                                        "Auto Open Dir=0\r\nAuto Exit=0\r\nAuto Turn Off=0\r\nAsk=1\r\nOverwrite=0\r\nRename=0\r\n")
                             .arg(tempDir);
    if (!preferences.open(QIODevice::WriteOnly) || preferences.write(text.toUtf8()) < 0)
        giveUp(QStringLiteral("cannot write ") + preferences.fileName());
    return program;
}

QStringList jobArguments(const Encoding &encoding, const QStringList &clips, const QString &output, const QString &tempDir,
                         const QString &progress)
{
    return QStringList{QStringLiteral("--join"), QStringLiteral("--profile"), encoding.name, QStringLiteral("--output"), output,
                       QStringLiteral("--overwrite"), QStringLiteral("--progress"), progress, QStringLiteral("--temp-dir"), tempDir}
           + clips;
}

// When each pass of a job began, by this process's clock from the job's start.
struct Passes
{
    double total = 0;
    QStringList names;  // in the order they came
    QList<double> from; // seconds
    double joinSeconds() const
    {
        const qsizetype join = names.indexOf(QStringLiteral("join"));
        return join < 0 ? -1 : total - from.at(join);
    }
};

// Runs the job with its progress as JSON lines, one object a line, each naming its pass; the
// first line of a pass is written when the pass begins.
Passes runWithProgress(const QString &program, const QStringList &arguments, const QString &scratch)
{
    const QString errors = scratch + QStringLiteral("/progress-") + QUuid::createUuid().toString(QUuid::WithoutBraces)
                           + QStringLiteral(".err");
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(errors);
    Passes passes;
    QByteArray pending;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const auto readLines = [&] {
        pending += process.readAllStandardOutput();
        const double now = timer.nsecsElapsed() / 1e9;
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString pass = QJsonDocument::fromJson(pending.left(end)).object().value(QStringLiteral("pass")).toString();
            pending.remove(0, end + 1);
            if (!pass.isEmpty() && !passes.names.contains(pass)) {
                passes.names << pass;
                passes.from << now;
            }
        }
    };
    Ran ran;
    if (process.waitForStarted(-1)) {
        while (process.waitForReadyRead(-1))
            readLines();
        process.waitForFinished(-1);
        readLines();
        passes.total = timer.nsecsElapsed() / 1e9;
        ran.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    } else {
        ran.err = process.errorString().toUtf8();
    }
    QFile file(errors);
    if (file.open(QIODevice::ReadOnly))
        ran.err += file.readAll();
    file.remove();
    if (!ran.ok)
        giveUp(commandText(program, arguments), ran);
    return passes;
}

// --- measuring the outputs ---------------------------------------------------------------------

struct VideoFacts
{
    qint64 frames = 0;
    qint64 bytes = 0; // of all video packets
    double bitrateKbps() const { return frames ? bytes * 8.0 / (frames / double(OutputRate)) / 1000 : 0; }
};

VideoFacts videoFacts(const QString &file, const QString &scratch)
{
    const QByteArray sizes = mustRun(Ffprobe,
                                     {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                                      QStringLiteral("v:0"), QStringLiteral("-show_entries"), QStringLiteral("packet=size"),
                                      QStringLiteral("-of"), QStringLiteral("csv=p=0"), file},
                                     scratch, true)
                                 .out;
    VideoFacts facts;
    for (const QByteArray &line : sizes.split('\n')) {
        bool ok = false;
        const qint64 size = line.trimmed().toLongLong(&ok);
        if (ok) {
            ++facts.frames;
            facts.bytes += size;
        }
    }
    return facts;
}

struct Psnr
{
    double y = 0;
    qint64 frames = 0; // compared
};

// Luma PSNR of a file's pictures against the reference, frame by frame in order whatever their
// times, over the shorter of the two.
Psnr lumaPsnr(const QString &file, const QString &reference, const QString &scratch)
{
    const QString stats = scratch + QStringLiteral("/psnr-") + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".log");
    const QString graph = QStringLiteral("[0:v]settb=1/%1,setpts=N[a];[1:v]settb=1/%1,setpts=N[b];"
                                         "[a][b]psnr=stats_file=%2:shortest=1")
                              .arg(OutputRate)
                              .arg(stats);
    const Ran ran = mustRun(Ffmpeg,
                            QStringList{QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-nostats")}
                                + inputArguments({file, reference})
                                + QStringList{QStringLiteral("-lavfi"), graph, QStringLiteral("-an"), QStringLiteral("-f"),
                                              QStringLiteral("null"), QStringLiteral("-")},
                            scratch);
    static const QRegularExpression summary(QStringLiteral("PSNR y:([0-9.inf]+)"));
    const QRegularExpressionMatch match = summary.match(QString::fromUtf8(ran.err));
    if (!match.hasMatch())
        giveUp(QStringLiteral("no PSNR from ffmpeg for ") + file, ran);
    Psnr psnr;
    psnr.y = match.captured(1) == QLatin1String("inf") ? 1e9 : match.captured(1).toDouble();
    QFile log(stats);
    if (log.open(QIODevice::ReadOnly))
        psnr.frames = log.readAll().count("psnr_y:");
    log.remove();
    return psnr;
}

// --- the figures -------------------------------------------------------------------------------

struct Result
{
    QString profile;
    Cost job, ffmpeg; // medians
    Psnr jobPsnr, ffmpegPsnr;
    bool hd = false;
    double joinShare = -1; // of the job's wall time; below 0 when no join pass showed
};

const char *verdict(bool met)
{
    return met ? "met" : "NOT met";
}

QString percentText(double share)
{
    return share < 0 ? QStringLiteral("-") : QString::number(share * 100, 'f', 1) + QStringLiteral(" %");
}

[[noreturn]] void usage()
{
    std::fprintf(stderr, "usage: bench_wholejob [runs] [--no-warmup] [--seconds S] [--profiles WORD,...]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    int runs = 3;
    int seconds = DefaultSeconds;
    bool warmUp = true;
    QStringList wanted;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        bool ok = true;
        if (argument == QLatin1String("--no-warmup"))
            warmUp = false;
        else if (argument == QLatin1String("--seconds") && i + 1 < arguments.size())
            seconds = arguments.at(++i).toInt(&ok);
        else if (argument == QLatin1String("--profiles") && i + 1 < arguments.size())
            wanted = arguments.at(++i).split(QLatin1Char(','), Qt::SkipEmptyParts);
        else if (!argument.startsWith(QLatin1Char('-')))
            runs = argument.toInt(&ok);
        else
            usage();
        if (!ok || runs < 1 || seconds < 1)
            usage();
    }

    QList<Encoding> encodings;
    for (const QString &name : ProfileNames) {
        const bool chosen = wanted.isEmpty() || std::any_of(wanted.cbegin(), wanted.cend(), [&name](const QString &word) {
                                return name.contains(word, Qt::CaseInsensitive);
                            });
        if (chosen)
            encodings << readEncoding(name);
    }
    if (encodings.isEmpty())
        usage();

    QTemporaryDir work;
    if (!work.isValid())
        giveUp(QStringLiteral("no temporary folder"));
    // Removed also when the run cannot go on.
    onGiveUp([&work] { work.remove(); });
    const QString scratch = work.path();
    for (const QString &tool : {Program, Encoder, Ffmpeg, Ffprobe}) {
        if (!QFileInfo(tool).isExecutable())
            giveUp(QStringLiteral("no program at ") + tool);
    }
    // The job is started as from a terminal on a machine with no display: nothing of it may
    // need a window.
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        qunsetenv(name);
    const QString tempDir = scratch + QStringLiteral("/temp");
    QDir().mkpath(tempDir);
    const QString program = makeProgramFolder(scratch + QStringLiteral("/program"), tempDir);

    const QString clipFolder = seconds == DefaultSeconds ? ClipFolder : ClipFolder + QStringLiteral("-%1s").arg(seconds);
    std::printf("Six %d s clips at 1280x720 (H.264 BT.709, AAC stereo 48 kHz; 30, 29.97, 25, 24, 30 and 25 frames a second), "
                "joined by the whole job and by ffmpeg in one pass; %d measured run%s of each side%s\n",
                seconds, runs, runs == 1 ? "" : "s", warmUp ? " after one warm-up" : ", no warm-up");
    std::printf("Clips and references kept in %s\n", qPrintable(clipFolder));
    std::fflush(stdout);
    QStringList clips;
    for (int i = 0; i < ClipCount; ++i) {
        const auto make = [i, seconds](const QString &output) { return busyClipArguments(i, seconds, output); };
        clips << cached(clipFolder, QStringLiteral("clip%1-%2fps").arg(i).arg(QString(BusyClips[i].rate).replace(QLatin1Char('/'), QLatin1Char('_'))),
                        QStringLiteral(".mp4"), make, scratch);
    }
    QList<QString> references;
    for (const Encoding &encoding : std::as_const(encodings)) {
        const auto make = [&clips, &encoding](const QString &output) { return referenceArguments(clips, encoding, output); };
        references << cached(clipFolder, QStringLiteral("reference-") + encoding.sizeText(), QStringLiteral(".mkv"), make, scratch);
    }

    std::printf("\nClip commands:\n");
    for (int i = 0; i < ClipCount; ++i)
        std::printf("  %s\n", qPrintable(commandText(Ffmpeg, busyClipArguments(i, seconds, clips.at(i)))));
    std::printf("\nThe job runs from its own program folder %s\n  (velmora, asapi.dll -> %s, Profiles, Preferences.ini), "
                "with DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset.\n",
                qPrintable(QFileInfo(program).absolutePath()), qPrintable(Encoder));

    QList<Result> results;
    for (qsizetype p = 0; p < encodings.size(); ++p) {
        const Encoding &encoding = encodings.at(p);
        const QString &reference = references.at(p);
        const QString jobOutput = scratch + QStringLiteral("/job") + encoding.extension;
        const QString ffmpegOutput = scratch + QStringLiteral("/ffmpeg") + encoding.extension;
        const QStringList job = jobArguments(encoding, clips, jobOutput, tempDir, QStringLiteral("none"));
        const QStringList withProgress = jobArguments(encoding, clips, jobOutput, tempDir, QStringLiteral("json"));
        const QStringList ffmpeg = ffmpegArguments(clips, encoding, ffmpegOutput);

        std::printf("\n=== %s (%s, %s at %d frames a second)\n", qPrintable(encoding.name), qPrintable(encoding.extension),
                    qPrintable(encoding.sizeText()), OutputRate);
        std::printf("The job's options, from the profile's default selections:\n  %s\n", qPrintable(encoding.options));
        std::printf("Job:\n  %s\n", qPrintable(commandText(program, job)));
        std::printf("ffmpeg:\n  %s\n", qPrintable(commandText(Ffmpeg, ffmpeg)));
        std::printf("Reference (lossless, ffmpeg's filter chain):\n  %s\n",
                    qPrintable(commandText(Ffmpeg, referenceArguments(clips, encoding, reference))));
        std::fflush(stdout);

        // The warm-up of the job also tells when its passes began; without a warm-up, one more
        // run of the job after the measured ones does.
        Passes passes;
        const auto progressRun = [&] {
            const Cost cost = measure([&] { passes = runWithProgress(program, withProgress, scratch); });
            std::printf("  job with JSON progress: %.1f s CPU, %.1f s wall; passes:", cost.cpu, cost.wall);
            for (qsizetype i = 0; i < passes.names.size(); ++i)
                std::printf(" %s from %.2f s", qPrintable(passes.names.at(i)), passes.from.at(i));
            std::printf(", end at %.2f s\n", passes.total);
        };
        if (warmUp) {
            std::printf("Warm-up:\n");
            progressRun();
            const Cost base = measure([&] { mustRun(Ffmpeg, ffmpeg, scratch); });
            std::printf("  ffmpeg: %.1f s CPU, %.1f s wall\n", base.cpu, base.wall);
            std::fflush(stdout);
        }
        QList<double> jobCpu, jobWall, ffmpegCpu, ffmpegWall;
        for (int round = 0; round < runs; ++round) {
            const Cost ours = measure([&] { mustRun(program, job, scratch); });
            const Cost base = measure([&] { mustRun(Ffmpeg, ffmpeg, scratch); });
            std::printf("Run %d: job %.1f s CPU, %.1f s wall; ffmpeg %.1f s CPU, %.1f s wall\n", round + 1, ours.cpu, ours.wall,
                        base.cpu, base.wall);
            std::fflush(stdout);
            jobCpu << ours.cpu;
            jobWall << ours.wall;
            ffmpegCpu << base.cpu;
            ffmpegWall << base.wall;
        }
        if (!warmUp) {
            std::printf("One more run of the job, for its passes (not in the medians):\n");
            progressRun();
            std::fflush(stdout);
        }

        Result result;
        result.profile = encoding.name;
        result.hd = encoding.hd();
        result.job = {median(jobCpu), median(jobWall)};
        result.ffmpeg = {median(ffmpegCpu), median(ffmpegWall)};
        const double join = passes.joinSeconds();
        result.joinShare = join < 0 || passes.total <= 0 ? -1 : join / passes.total;

        // What the last run of each side made.
        const VideoFacts jobVideo = videoFacts(jobOutput, scratch);
        const VideoFacts ffmpegVideo = videoFacts(ffmpegOutput, scratch);
        const VideoFacts referenceVideo = videoFacts(reference, scratch);
        result.jobPsnr = lumaPsnr(jobOutput, reference, scratch);
        result.ffmpegPsnr = lumaPsnr(ffmpegOutput, reference, scratch);
        results << result;

        const double cpuRatio = result.job.cpu / result.ffmpeg.cpu;
        const double wallRatio = result.job.wall / result.ffmpeg.wall;
        std::printf("Median of %d run%s          CPU (user+sys)      wall\n", runs, runs == 1 ? " " : "s");
        std::printf("  job (velmora --join)     %8.2f s      %8.2f s\n", result.job.cpu, result.job.wall);
        std::printf("  ffmpeg (one pass)        %8.2f s      %8.2f s\n", result.ffmpeg.cpu, result.ffmpeg.wall);
        std::printf("  job / ffmpeg             %8.3f        %8.3f     goal at most %.2f and %.2f: %s\n", cpuRatio, wallRatio,
                    CpuRatioGoal, WallRatioGoal, verdict(cpuRatio <= CpuRatioGoal && wallRatio <= WallRatioGoal));
        if (result.joinShare < 0)
            std::printf("Join pass: none named \"join\" in the progress; its share is not known\n");
        else
            std::printf("Join pass: %.2f s of the job's %.2f s = %s; goal at most %.0f %%: %s\n", join, passes.total,
                        qPrintable(percentText(result.joinShare)), JoinShareGoal * 100, verdict(result.joinShare <= JoinShareGoal));
        std::printf("Outputs of the last run against the lossless reference (%lld frames), compared in order over the shorter length:\n",
                    static_cast<long long>(referenceVideo.frames));
        std::printf("                 frames  compared  video kbit/s  luma PSNR\n");
        std::printf("  job            %6lld  %8lld  %12.0f  %7.3f dB\n", static_cast<long long>(jobVideo.frames),
                    static_cast<long long>(result.jobPsnr.frames), jobVideo.bitrateKbps(), result.jobPsnr.y);
        std::printf("  ffmpeg         %6lld  %8lld  %12.0f  %7.3f dB\n", static_cast<long long>(ffmpegVideo.frames),
                    static_cast<long long>(result.ffmpegPsnr.frames), ffmpegVideo.bitrateKbps(), result.ffmpegPsnr.y);
        if (jobVideo.frames != referenceVideo.frames)
            std::printf("  the job's output holds %+lld frames against the reference: from the first clip that differs on, its "
                        "pictures are set against the reference's neighbours, which lowers its PSNR\n",
                        static_cast<long long>(jobVideo.frames - referenceVideo.frames));
        const double delta = result.jobPsnr.y - result.ffmpegPsnr.y;
        if (result.hd)
            std::printf("  job - ffmpeg: %+.3f dB; goal at least -%.1f dB: %s\n", delta, PsnrLossGoal, verdict(delta >= -PsnrLossGoal));
        else
            std::printf("  job - ffmpeg: %+.3f dB (no goal below HD)\n", delta);
        std::fflush(stdout);
    }

    std::printf("\nSummary (medians of %d run%s; goals: CPU and wall at most %.2f, PSNR for HD at least ffmpeg's - %.1f dB, "
                "join at most %.0f %%)\n",
                runs, runs == 1 ? "" : "s", CpuRatioGoal, PsnrLossGoal, JoinShareGoal * 100);
    std::printf("%-40s | %-18s | %-18s | %-34s | %s\n", "profile", "CPU job/ffmpeg", "wall job/ffmpeg", "PSNR job/ffmpeg",
                "join share");
    for (const Result &result : std::as_const(results)) {
        const double cpuRatio = result.job.cpu / result.ffmpeg.cpu;
        const double wallRatio = result.job.wall / result.ffmpeg.wall;
        const double delta = result.jobPsnr.y - result.ffmpegPsnr.y;
        const QString cpu = QStringLiteral("%1 %2").arg(cpuRatio, 0, 'f', 3).arg(QLatin1String(verdict(cpuRatio <= CpuRatioGoal)));
        const QString wall = QStringLiteral("%1 %2").arg(wallRatio, 0, 'f', 3).arg(QLatin1String(verdict(wallRatio <= WallRatioGoal)));
        const QString psnr = QStringLiteral("%1/%2 dB (%3) %4")
                                 .arg(result.jobPsnr.y, 0, 'f', 2)
                                 .arg(result.ffmpegPsnr.y, 0, 'f', 2)
                                 .arg(delta >= 0 ? QStringLiteral("+") + QString::number(delta, 'f', 2) : QString::number(delta, 'f', 2))
                                 .arg(result.hd ? QLatin1String(verdict(delta >= -PsnrLossGoal)) : QLatin1String("no goal"));
        const QString share = result.joinShare < 0 ? QStringLiteral("- not known")
                                                   : percentText(result.joinShare) + QLatin1Char(' ')
                                                         + QLatin1String(verdict(result.joinShare <= JoinShareGoal));
        std::printf("%-40s | %-18s | %-18s | %-34s | %s\n", qPrintable(result.profile), qPrintable(cpu), qPrintable(wall),
                    qPrintable(psnr), qPrintable(share));
    }
    return 0;
}
