#include "job/CopyMatch.h"

#include "encoder/joining/CopyCheck.h"

#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <atomic>

extern "C" {
#include <libavutil/log.h>
}
#include <memory>

namespace velmora::job {

CopyMatch MatchForCopy(const QStringList &inputs, const QString &output, const std::function<bool()> &stopRequested)
{
    std::vector<std::string> paths;
    for (const QString &input : inputs)
        paths.push_back(QFile::encodeName(input).toStdString());
    const std::string outputPath = QFile::encodeName(output).toStdString();

    // A check of a thousand files takes a while: it runs beside the event loop, which keeps
    // the window painted and Stop within reach.
    // FFmpeg's own warnings about the files (a font it cannot decode) serve no one here: what
    // matters comes back as the check's own text.
    av_log_set_level(AV_LOG_QUIET);
    std::atomic<bool> giveUp{false};
    encoder::CopyCheck check;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        check = encoder::checkCopy(paths, outputPath, [&](std::size_t) { return !giveUp.load(); });
    }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (stopRequested && stopRequested())
            giveUp = true;
    });
    watch.start(50);
    worker->start();
    if (!worker->isFinished())
        loop.exec();
    worker->wait();

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
