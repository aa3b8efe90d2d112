#include "job/CopyMatch.h"

#include "encoder/CommandLine.h"
#include "encoder/fitting/Plan.h"
#include "encoder/joining/CopyCheck.h"
#include "encoder/joining/Parts.h"
#include "encoder/Owners.h"
#include "encoder/reading/Probe.h"

#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <atomic>

extern "C" {
#include <libavutil/log.h>
#include <libavutil/rational.h>
}
#include <memory>

namespace velmora::job {

namespace {

// Runs work on a thread of its own while the caller's events are served; watch is called
// every 50 ms meanwhile.
void runBeside(const std::function<void()> &work, const std::function<void()> &watch = {})
{
    // FFmpeg's own warnings about the files (a font it cannot decode) serve no one here: what
    // matters comes back as the work's own answer.
    av_log_set_level(AV_LOG_QUIET);
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create(work));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer timer;
    if (watch) {
        QObject::connect(&timer, &QTimer::timeout, watch);
        timer.start(50);
    }
    worker->start();
    if (!worker->isFinished())
        loop.exec();
    worker->wait();
}

} // namespace

bool PartsJoinByCopy(const QStringList &options, const QString &extension)
{
    std::vector<std::string> arguments{"part.mkv", "-o", "joined" + QFile::encodeName(extension).toStdString()};
    for (const QString &option : options)
        arguments.push_back(option.toStdString());
    const encoder::ParsedCommandLine parsed = encoder::parseCommandLine(arguments);
    if (!parsed.ok())
        return false;
    try {
        const encoder::CodecChoice choice = encoder::chooseCodecs(parsed.job);
        return encoder::soundJoinsInSync(choice.audio->id, parsed.job.sampleRate.value_or(44100));
    } catch (const std::exception &) {
        return false;
    }
}

std::optional<double> SharedPictureRate(const QStringList &options, const QString &extension)
{
    std::vector<std::string> arguments{"part.mkv", "-o", "joined" + QFile::encodeName(extension).toStdString()};
    for (const QString &option : options)
        arguments.push_back(option.toStdString());
    const encoder::ParsedCommandLine parsed = encoder::parseCommandLine(arguments);
    const encoder::VideoOptions &video = parsed.job.video;
    if (!parsed.ok() || parsed.job.copies() || !video.bitrateKbps || video.qscale || video.rateFactor)
        return std::nullopt;
    try {
        const std::string codec = encoder::chooseCodecs(parsed.job).video->name;
        if (codec == "libx264" || codec == "libx265")
            return *video.bitrateKbps;
    } catch (const std::exception &) {
    }
    return std::nullopt;
}

std::optional<double> PictureKbits(const QString &file)
{
    std::optional<double> kbits;
    const std::string path = QFile::encodeName(file).toStdString();
    runBeside([&] {
        try {
            encoder::FormatPtr format = encoder::openInput(path);
            const int picture = encoder::pictureStream(format.get());
            if (picture < 0)
                return;
            for (unsigned i = 0; i < format->nb_streams; ++i)
                format->streams[i]->discard = static_cast<int>(i) == picture ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
            encoder::PacketPtr packet(av_packet_alloc());
            std::int64_t bytes = 0;
            while (packet && av_read_frame(format.get(), packet.get()) >= 0) {
                if (packet->stream_index == picture)
                    bytes += packet->size;
                av_packet_unref(packet.get());
            }
            kbits = static_cast<double>(bytes) * 8 / 1000;
        } catch (...) {
            // A part that does not read is the conversion's to report.
        }
    });
    return kbits;
}

QString PictureShape(const QString &input)
{
    QString shape;
    const std::string path = QFile::encodeName(input).toStdString();
    runBeside([&] {
        try {
            const encoder::InputInfo info = encoder::probeInput(path);
            AVRational reduced{0, 1};
            if (info.displayShape.positive()
                && av_reduce(&reduced.num, &reduced.den, info.displayShape.num, info.displayShape.den, 1 << 30) && reduced.num > 0)
                shape = QStringLiteral("%1/%2").arg(reduced.num).arg(reduced.den);
        } catch (...) {
            // A file that does not read has no shape; its conversion says why.
        }
    });
    return shape;
}

CopyMatch MatchForCopy(const QStringList &inputs, const QString &output, const std::function<bool()> &stopRequested,
                       const QList<tasks::Trim> &trims)
{
    std::vector<std::string> paths;
    for (const QString &input : inputs)
        paths.push_back(QFile::encodeName(input).toStdString());
    std::vector<encoder::InputTrim> cuts;
    for (const tasks::Trim &trim : trims) {
        encoder::InputTrim cut{trim.start, std::nullopt};
        if (trim.end)
            cut.length = std::max(0.0, *trim.end - trim.start.value_or(0.0));
        cuts.push_back(cut);
    }
    const std::string outputPath = QFile::encodeName(output).toStdString();

    // A check of a thousand files takes a while: it runs beside the event loop, which keeps
    // the window painted and Stop within reach.
    std::atomic<bool> giveUp{false};
    encoder::CopyCheck check;
    runBeside([&] { check = encoder::checkCopy(paths, outputPath, [&](std::size_t) { return !giveUp.load(); }, cuts); },
              [&] {
                  if (stopRequested && stopRequested())
                      giveUp = true;
              });

    CopyMatch match;
    match.stopped = giveUp;
    if (match.stopped)
        return match;
    match.refusal = QString::fromStdString(check.refusal);
    for (const std::string &line : check.survey.losses)
        match.losses << QString::fromStdString(line);
    match.pictureSeconds = check.survey.pictureSeconds;
    return match;
}

} // namespace velmora::job
