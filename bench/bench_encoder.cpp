// A whole job with our encoder, against FFmpeg joining the same clips in one pass.
//
// Six 20 s HD clips (1280x720 H.264 in MP4, BT.709, AAC stereo at 48 kHz; 30, 29.97, 25,
// 24, 30 and 25 frames a second) are joined into one 720x480 AVI with the shipped profile
// "DivX Compatible - High Quality" at 44100 Hz and MP3 VBR quality 4:
//  - two-pass: the program's own command lines run with our encoder, one conversion per clip
//    into a Matroska part in the profile's own codecs, then the join of the parts (a copy);
//  - one-pass: the ffmpeg program joining the clips with its concat filter as a user types
//    it: scale=720:480, MPEG-4 at 3000 kbit/s with -mbd 2, MP3 at -q:a 4, and -r 30, which
//    the mixed rates need;
//  - one-pass with colours: the same, but each clip also brought from BT.709 to BT.601 and
//    to 30 frames a second, as 480 lines at 30 frames a second are shown. Its pictures are the reference's,
//    frame for frame, so it is the one the two-pass output's quality is compared with.
// Each side is run once to warm up, then in turn the given number of times. Printed: median
// CPU time (user + system of the child processes) and wall time, their ratios to the plain
// one-pass (goal: at most 1.3 each), the intermediates' size per minute of video (goal: under
// 100 MB/min), and each output's video bitrate and luma PSNR against a lossless reference
// made with the colour-converting filter chain (goal: two-pass loses at most 0.15 dB against
// the one-pass with colours at video bitrates within 5 % of each other). A missed goal is only
// reported; the program fails only when something cannot run.
//
// The clips and the reference are made once with the ffmpeg program and kept under
// <build>/bench/clips.
//
// Run: build/bench/bench_encoder [runs]

#include "BenchSupport.h"
#include "job/CommandLines.h"
#include "job/CopyMatch.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUuid>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace velmora;
using namespace velmora::bench;

namespace {

const QString Ffmpeg = QStringLiteral(VELMORA_FFMPEG);
const QString Ffprobe = QStringLiteral(VELMORA_FFPROBE);
const QString Encoder = QStringLiteral(VELMORA_ENCODER);
const QString ClipFolder = QStringLiteral(VELMORA_BENCH_CLIPS);
const QString ProfilePath = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/DivX Compatible - High Quality.bpf");

const QString OutputSize = QStringLiteral("720:480");
constexpr int OutputRate = 30;
constexpr int ClipSeconds = 20;

// Goals.
constexpr double CpuRatioGoal = 1.3;
constexpr double WallRatioGoal = 1.3;
constexpr double IntermediateMbPerMinuteGoal = 100;
constexpr double PsnrLossGoal = 0.15;
constexpr double BitrateSpreadGoal = 0.05;

constexpr int ClipCount = BusyClipCount;

// --- running programs ------------------------------------------------------------------------

// --- the clips and the reference ---------------------------------------------------------------

// The ffmpeg arguments that make clip i, written to output.
QStringList clipArguments(int i, const QString &output)
{
    return busyClipArguments(i, ClipSeconds, output);
}

// The one-pass filter graph with colours: each clip scaled, brought from BT.709 to BT.601 as
// 480 lines are shown (by the colorspace filter, which gets the matrices' values right where
// scale's in_color_matrix and out_color_matrix are a level or two off), at 30 frames a second
// (each output frame shows the picture nearest its time), then all joined.
QString joinGraph(bool withSound)
{
    QString graph;
    QString joined;
    for (int i = 0; i < ClipCount; ++i) {
        graph += QStringLiteral("[%1:v]scale=%2:flags=bicubic,colorspace=all=bt601-6-525:iall=bt709:fast=1,setsar=32/27,"
                                "fps=%3:round=near[v%1];")
                     .arg(i)
                     .arg(OutputSize)
                     .arg(OutputRate);
        joined += QStringLiteral("[v%1]").arg(i);
        if (withSound) {
            graph += QStringLiteral("[%1:a]aresample=44100,aformat=sample_rates=44100:channel_layouts=stereo[a%1];").arg(i);
            joined += QStringLiteral("[a%1]").arg(i);
        }
    }
    return graph + joined + QStringLiteral("concat=n=%1:v=1:a=%2").arg(ClipCount).arg(withSound ? 1 : 0)
           + (withSound ? QStringLiteral("[v][a]") : QStringLiteral("[v]"));
}

QStringList inputArguments(const QStringList &clips)
{
    QStringList arguments;
    for (const QString &clip : clips)
        arguments << QStringLiteral("-i") << clip;
    return arguments;
}

// The join as a user of the ffmpeg program types it. The clips' mixed frame rates leave
// the concat filter without one of its own, which the MPEG-4 encoder refuses ("timebase
// 1/1000000 not supported"), so the output's rate is given as a user then gives it.
QStringList plainArguments(const QStringList &clips, const QString &output)
{
    QString graph;
    for (int i = 0; i < ClipCount; ++i)
        graph += QStringLiteral("[%1:v][%1:a]").arg(i);
    graph += QStringLiteral("concat=n=%1:v=1:a=1[j][a];[j]scale=%2[v]").arg(ClipCount).arg(OutputSize);
    return QStringList{QStringLiteral("-nostdin"), QStringLiteral("-y")} + inputArguments(clips)
           + QStringList{QStringLiteral("-filter_complex"), graph, QStringLiteral("-map"), QStringLiteral("[v]"),
                         QStringLiteral("-map"), QStringLiteral("[a]"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"),
                         QStringLiteral("-b:v"), QStringLiteral("3000k"), QStringLiteral("-mbd"), QStringLiteral("2"),
                         QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), QStringLiteral("-q:a"), QStringLiteral("4"),
                         QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-ar"), QStringLiteral("44100"),
                         QStringLiteral("-r"), QString::number(OutputRate), output};
}

// The same with the colours and the frame choice of our encoder.
QStringList colourArguments(const QStringList &clips, const QString &output)
{
    return QStringList{QStringLiteral("-nostdin"), QStringLiteral("-y")} + inputArguments(clips)
           + QStringList{QStringLiteral("-filter_complex"), joinGraph(true), QStringLiteral("-map"), QStringLiteral("[v]"),
                         QStringLiteral("-map"), QStringLiteral("[a]"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"),
                         QStringLiteral("-b:v"), QStringLiteral("3000k"), QStringLiteral("-mbd"), QStringLiteral("2"),
                         QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), QStringLiteral("-q:a"), QStringLiteral("4"),
                         QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-ar"), QStringLiteral("44100"), output};
}

// The same pictures as the one-pass join, losslessly (FFV1 in Matroska): what both outputs
// are measured against.
QStringList referenceArguments(const QStringList &clips, const QString &output)
{
    return QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")}
           + inputArguments(clips)
           + QStringList{QStringLiteral("-filter_complex"), joinGraph(false), QStringLiteral("-map"), QStringLiteral("[v]"),
                         QStringLiteral("-c:v"), QStringLiteral("ffv1"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                         QStringLiteral("-f"), QStringLiteral("matroska"), output};
}

// Makes a file once, named with the hash of the arguments that make it (see makeOnce).
QString cached(const QString &stem, const QString &extension, const std::function<QStringList(const QString &)> &arguments,
               const QString &scratch, bool announce)
{
    const QString name = stem + QLatin1Char('-') + hashOf(arguments(QStringLiteral("OUTPUT"))) + extension;
    const QString path = ClipFolder + QLatin1Char('/') + name;
    if (QFileInfo(path).isFile())
        return path;
    if (announce)
        std::printf("  making %s ...\n", qPrintable(name));
    std::fflush(stdout);
    const Ran ran = makeOnce(path, [&](const QString &partial) { return run(Ffmpeg, arguments(partial), scratch); });
    if (!ran.ok)
        giveUp(QStringLiteral("ffmpeg could not make ") + path, ran);
    return path;
}

// --- measuring the outputs ---------------------------------------------------------------------

struct VideoFacts
{
    qint64 frames = 0;
    qint64 bytes = 0; // of all video packets
    double bitrateKbps() const { return frames ? bytes * 8.0 / (frames / double(OutputRate)) / 1000 : 0; }
};

// What ffprobe says of one stream: one entry, one value a line.
QByteArray probeEntries(const QString &file, const QString &stream, const QString &entry, const QString &scratch)
{
    return mustRun(Ffprobe,
                   {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"), stream,
                    QStringLiteral("-show_entries"), entry, QStringLiteral("-of"), QStringLiteral("csv=p=0"), file},
                   scratch, true)
        .out;
}

VideoFacts videoFacts(const QString &file, const QString &scratch)
{
    const QByteArray sizes = probeEntries(file, QStringLiteral("v:0"), QStringLiteral("packet=size"), scratch);
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

double soundSeconds(const QString &file, const QString &scratch)
{
    return probeEntries(file, QStringLiteral("a:0"), QStringLiteral("stream=duration"), scratch).trimmed().toDouble();
}

struct Psnr
{
    double y = 0;
    double yMin = 0;
    qint64 frames = 0;
};

// Luma PSNR of pictures (the concatenation of the given files) against the reference, frame by
// frame in order, whatever their times.
Psnr lumaPsnr(const QStringList &pictures, const QString &reference, const QString &scratch)
{
    const QString stats = scratch + QStringLiteral("/psnr-") + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".log");
    QString graph;
    for (int i = 0; i < pictures.size(); ++i)
        graph += QStringLiteral("[%1:v]").arg(i);
    if (pictures.size() > 1)
        graph += QStringLiteral("concat=n=%1:v=1:a=0,").arg(pictures.size());
    else
        graph += QStringLiteral("null,");
    graph += QStringLiteral("settb=1/%1,setpts=N[a];[%2:v]settb=1/%1,setpts=N[b];[a][b]psnr=stats_file=%3")
                 .arg(OutputRate)
                 .arg(pictures.size())
                 .arg(stats);
    const Ran ran = mustRun(Ffmpeg,
                            QStringList{QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-nostats")}
                                + inputArguments(pictures + QStringList{reference})
                                + QStringList{QStringLiteral("-lavfi"), graph, QStringLiteral("-f"), QStringLiteral("null"),
                                              QStringLiteral("-")},
                            scratch);
    Psnr psnr;
    static const QRegularExpression summary(QStringLiteral("PSNR y:([0-9.inf]+)"));
    const QRegularExpressionMatch match = summary.match(QString::fromUtf8(ran.err));
    if (!match.hasMatch())
        giveUp(QStringLiteral("no PSNR from ffmpeg"), ran);
    psnr.y = match.captured(1).toDouble();
    QFile file(stats);
    psnr.yMin = 1e9;
    if (file.open(QIODevice::ReadOnly)) {
        static const QRegularExpression frameY(QStringLiteral("psnr_y:([0-9.inf]+)"));
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QRegularExpressionMatch frame = frameY.match(QString::fromLatin1(line));
            if (frame.hasMatch()) {
                ++psnr.frames;
                psnr.yMin = std::min(psnr.yMin, frame.captured(1) == QLatin1String("inf") ? 1e9 : frame.captured(1).toDouble());
            }
        }
    }
    file.remove();
    return psnr;
}

qint64 sizeOf(const QStringList &files)
{
    qint64 bytes = 0;
    for (const QString &file : files)
        bytes += QFileInfo(file).size();
    return bytes;
}

// --- the two sides -------------------------------------------------------------------------

struct TwoPassCost
{
    Cost total, conversions, join;
};

struct TwoPass
{
    QStringList clips;
    profiles::EncoderArgs options;
    QString shape; // the first clip's, which the profile keeps
    QString scratch;

    // Runs the whole job into folder; returns what it cost, with the intermediates in it.
    TwoPassCost operator()(const QString &folder, QStringList &intermediates) const
    {
        TwoPassCost cost;
        intermediates.clear();
        cost.conversions = measure([&] {
            for (const QString &clip : clips) {
                const QString intermediate = folder + QLatin1Char('/') + QString::number(intermediates.size()) + QStringLiteral(".mkv");
                mustRun(Encoder, job::ConversionCommand(clip, intermediate, options, shape).arguments(), scratch);
                intermediates << intermediate;
            }
        });
        cost.join = measure([&] {
            mustRun(Encoder, job::JoinCommand(intermediates, folder + QStringLiteral("/output.avi"), options).arguments(), scratch);
        });
        cost.total = {cost.conversions.cpu + cost.join.cpu, cost.conversions.wall + cost.join.wall};
        return cost;
    }
};

const char *verdict(bool met)
{
    return met ? "met" : "NOT met";
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    QTemporaryDir work;
    if (!work.isValid())
        giveUp(QStringLiteral("no temporary folder"));
    // Removed also when the run cannot go on.
    onGiveUp([&work] { work.remove(); });
    const QString scratch = work.path();
    if (!QFileInfo(Encoder).isExecutable())
        giveUp(QStringLiteral("no encoder at ") + Encoder);

    // The join options, as the program builds them from the shipped profile at 44100 Hz.
    QWidget main;
    profiles::TopSettingForm form(&main);
    form.LoadProfile(ProfilePath);
    QComboBox *sampleRates = form.list(profiles::Section::SampleRate);
    const int rate44 = sampleRates->findText(QStringLiteral("44100"));
    if (form.profilePath().isEmpty() || rate44 < 0)
        giveUp(QStringLiteral("cannot load ") + ProfilePath + QStringLiteral(" with a sample rate of 44100"));
    sampleRates->setCurrentIndex(rate44);
    // MP3 at VBR quality 4, as the one-pass's -q:a 4.
    QComboBox *vbrQualities = form.list(profiles::Section::VbrQuality);
    const int quality4 = vbrQualities->findText(QStringLiteral("4 - Good"));
    if (quality4 < 0)
        giveUp(QStringLiteral("no VBR quality 4 in ") + ProfilePath);
    vbrQualities->setCurrentIndex(quality4);
    const profiles::EncoderArgs options = profiles::GetEncoderOptions(form, ProfilePath);
    if (profiles::GetOutputSize(form, ProfilePath) != OutputSize)
        giveUp(QStringLiteral("the profile's picture size is not ") + OutputSize);

    std::printf("Six %d s clips at 1280x720 (H.264 BT.709, AAC stereo 48 kHz), joined into one %s AVI at %d frames a second\n",
                ClipSeconds, qPrintable(QString(OutputSize).replace(QLatin1Char(':'), QLatin1Char('x'))), OutputRate);
    std::printf("Clips cached in %s\n", qPrintable(ClipFolder));
    QStringList clips;
    for (int i = 0; i < ClipCount; ++i) {
        const auto arguments = [i](const QString &output) { return clipArguments(i, output); };
        clips << cached(QStringLiteral("clip%1-%2fps").arg(i).arg(QString(BusyClips[i].rate).replace(QLatin1Char('/'), QLatin1Char('_'))),
                        QStringLiteral(".mp4"), arguments, scratch, true);
    }
    const auto makeReference = [&clips](const QString &output) { return referenceArguments(clips, output); };
    const QString reference = cached(QStringLiteral("reference"), QStringLiteral(".mkv"), makeReference, scratch, true);

    std::printf("\nClip commands:\n");
    for (int i = 0; i < ClipCount; ++i)
        std::printf("  %s\n", qPrintable(commandText(Ffmpeg, clipArguments(i, clips.at(i)))));
    std::printf("Reference (lossless, the one-pass filter chain):\n  %s\n", qPrintable(commandText(Ffmpeg, makeReference(reference))));

    const QString oursFolder = scratch + QStringLiteral("/two-pass");
    const QString plainOutput = scratch + QStringLiteral("/one-pass.avi");
    const QString colourOutput = scratch + QStringLiteral("/one-pass-colours.avi");
    QDir().mkpath(oursFolder);
    const TwoPass twoPass{clips, options, job::PictureShape(clips.constFirst()), scratch};
    const QStringList plain = plainArguments(clips, plainOutput);
    const QStringList colour = colourArguments(clips, colourOutput);

    std::printf("\nTwo-pass (our encoder, %s), the program's command lines:\n", qPrintable(Encoder));
    std::printf("  conversion of each clip n: %s\n",
                qPrintable(commandText(Encoder, job::ConversionCommand(QStringLiteral("<clip n>"), oursFolder + QStringLiteral("/<n>.mkv"),
                                                                       options, twoPass.shape)
                                                    .arguments())));
    std::printf("  join fragment (profile \"DivX Compatible - High Quality\", 44100 Hz, VBR quality 4):%s\n", qPrintable(options.text()));
    QStringList intermediateNames;
    for (int i = 0; i < ClipCount; ++i)
        intermediateNames << oursFolder + QLatin1Char('/') + QString::number(i) + QStringLiteral(".mkv");
    std::printf("  join: %s\n",
                qPrintable(commandText(Encoder, job::JoinCommand(intermediateNames, oursFolder + QStringLiteral("/output.avi"), options)
                                                    .arguments())));
    std::printf("One-pass (the ffmpeg program, as a user types it):\n  %s\n", qPrintable(commandText(Ffmpeg, plain)));
    std::printf("One-pass with colours (also BT.709 to BT.601, and 30 frames a second):\n  %s\n",
                qPrintable(commandText(Ffmpeg, colour)));
    std::fflush(stdout);

    // One warm-up of each, then the runs in turn.
    QList<double> oursCpu, oursWall, convCpu, convWall, joinCpu, joinWall, plainCpu, plainWall, colourCpu, colourWall;
    QStringList intermediates;
    for (int round = -1; round < runs; ++round) {
        const TwoPassCost ours = twoPass(oursFolder, intermediates);
        const Cost base = measure([&] { mustRun(Ffmpeg, plain, scratch); });
        const Cost coloured = measure([&] { mustRun(Ffmpeg, colour, scratch); });
        std::printf("%s two-pass %.1f s CPU, %.1f s wall; one-pass %.1f s CPU, %.1f s wall; with colours %.1f s CPU, %.1f s wall\n",
                    round < 0 ? "\nWarm-up:" : qPrintable(QStringLiteral("Run %1:  ").arg(round + 1)), ours.total.cpu,
                    ours.total.wall, base.cpu, base.wall, coloured.cpu, coloured.wall);
        if (round >= 0) {
            oursCpu << ours.total.cpu;
            oursWall << ours.total.wall;
            convCpu << ours.conversions.cpu;
            convWall << ours.conversions.wall;
            joinCpu << ours.join.cpu;
            joinWall << ours.join.wall;
            plainCpu << base.cpu;
            plainWall << base.wall;
            colourCpu << coloured.cpu;
            colourWall << coloured.wall;
        }
        std::fflush(stdout);
    }

    // What the last run of each side made.
    const QString oursOutput = oursFolder + QStringLiteral("/output.avi");
    const VideoFacts oursVideo = videoFacts(oursOutput, scratch);
    const VideoFacts plainVideo = videoFacts(plainOutput, scratch);
    const VideoFacts colourVideo = videoFacts(colourOutput, scratch);
    const VideoFacts referenceVideo = videoFacts(reference, scratch);
    qint64 intermediateFrames = 0;
    qint64 intermediateVideoBytes = 0;
    for (const QString &file : std::as_const(intermediates)) {
        const VideoFacts facts = videoFacts(file, scratch);
        intermediateFrames += facts.frames;
        intermediateVideoBytes += facts.bytes;
    }
    const qint64 intermediateBytes = sizeOf(intermediates);
    const double intermediateMinutes = intermediateFrames / double(OutputRate) / 60;
    const double mbPerMinute = intermediateMinutes > 0 ? intermediateBytes / 1e6 / intermediateMinutes : 0;
    const Psnr oursPsnr = lumaPsnr({oursOutput}, reference, scratch);
    const Psnr colourPsnr = lumaPsnr({colourOutput}, reference, scratch);
    const Psnr intermediatePsnr = lumaPsnr(intermediates, reference, scratch);

    const double oursCpuMedian = median(oursCpu);
    const double oursWallMedian = median(oursWall);
    const double cpuRatio = oursCpuMedian / median(plainCpu);
    const double wallRatio = oursWallMedian / median(plainWall);
    const double psnrDelta = oursPsnr.y - colourPsnr.y;
    const double bitrateSpread = oursVideo.bitrateKbps() / colourVideo.bitrateKbps() - 1;
    const bool framesAgree = oursVideo.frames == referenceVideo.frames && colourVideo.frames == referenceVideo.frames
                             && oursPsnr.frames == referenceVideo.frames && colourPsnr.frames == referenceVideo.frames;

    std::printf("\nMedian of %d runs                   CPU (user+sys)      wall\n", runs);
    std::printf("  two-pass (our encoder)            %8.2f s      %8.2f s\n", oursCpuMedian, oursWallMedian);
    std::printf("    six conversions                 %8.2f s      %8.2f s\n", median(convCpu), median(convWall));
    std::printf("    join                            %8.2f s      %8.2f s\n", median(joinCpu), median(joinWall));
    std::printf("  one-pass (ffmpeg concat)          %8.2f s      %8.2f s\n", median(plainCpu), median(plainWall));
    std::printf("  one-pass with colours             %8.2f s      %8.2f s\n", median(colourCpu), median(colourWall));
    std::printf("  two-pass / one-pass               %8.2f        %8.2f     goal at most %.1f and %.1f: %s\n", cpuRatio, wallRatio,
                CpuRatioGoal, WallRatioGoal, verdict(cpuRatio <= CpuRatioGoal && wallRatio <= WallRatioGoal));
    std::printf("  two-pass / one-pass with colours  %8.2f        %8.2f\n", oursCpuMedian / median(colourCpu),
                oursWallMedian / median(colourWall));

    std::printf("\nIntermediates: %.1f MB (MB = 10^6 bytes) for %.2f min of video (%lld frames) = %.1f MB/min; goal under %.0f MB/min: %s\n",
                intermediateBytes / 1e6, intermediateMinutes, static_cast<long long>(intermediateFrames), mbPerMinute,
                IntermediateMbPerMinuteGoal, verdict(mbPerMinute < IntermediateMbPerMinuteGoal));

    std::printf("\nOutputs against the lossless reference (%lld frames; sound lengths in brackets)\n",
                static_cast<long long>(referenceVideo.frames));
    std::printf("                                 frames  compared  video kbit/s  luma PSNR  worst frame\n");
    std::printf("  two-pass (our encoder)         %6lld  %8lld  %12.0f  %7.3f dB  %7.2f dB   (%.3f s)\n",
                static_cast<long long>(oursVideo.frames), static_cast<long long>(oursPsnr.frames), oursVideo.bitrateKbps(), oursPsnr.y,
                oursPsnr.yMin, soundSeconds(oursOutput, scratch));
    std::printf("  one-pass with colours          %6lld  %8lld  %12.0f  %7.3f dB  %7.2f dB   (%.3f s)\n",
                static_cast<long long>(colourVideo.frames), static_cast<long long>(colourPsnr.frames), colourVideo.bitrateKbps(),
                colourPsnr.y, colourPsnr.yMin, soundSeconds(colourOutput, scratch));
    std::printf("  intermediates (first pass)     %6lld  %8lld  %12.0f  %7.3f dB  %7.2f dB\n", static_cast<long long>(intermediateFrames),
                static_cast<long long>(intermediatePsnr.frames), intermediateMinutes > 0 ? intermediateVideoBytes * 8.0 / (intermediateMinutes * 60) / 1000 : 0,
                intermediatePsnr.y, intermediatePsnr.yMin);
    // The plain one-pass keeps BT.709 values under BT.601 and its own frame choice, so frame by
    // frame it cannot be set against the reference.
    std::printf("  one-pass (ffmpeg concat)       %6lld         -  %12.0f          -            -   (%.3f s)\n",
                static_cast<long long>(plainVideo.frames), plainVideo.bitrateKbps(), soundSeconds(plainOutput, scratch));
    std::printf("  frame counts equal: %s (two-pass, one-pass with colours and reference, last run)\n", framesAgree ? "yes" : "NO");
    const bool qualityMet = psnrDelta >= -PsnrLossGoal && std::abs(bitrateSpread) <= BitrateSpreadGoal;
    std::printf("  two-pass - one-pass with colours: %+.3f dB at %+.1f %% video bitrate; goal at least -%.2f dB within +/-%.0f %%: %s\n",
                psnrDelta, bitrateSpread * 100, PsnrLossGoal, BitrateSpreadGoal * 100, verdict(qualityMet));
    return 0;
}
