// What the runner adds to the encoder's own time.
//
// Joins the same two converted 30 s clips with the same join arguments, once through
// EncoderRunner::RunEncoder (output read in 4095-byte reads inside an event loop, positions
// picked out) and once by running our encoder directly with its output thrown away. Each is
// run several times, alternating; the medians are printed side by side with their ratio, with
// the CPU time this program itself spent while the runner read the encoder's output.
// Goal: the runner adds under 2 % to the encoder's own time.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_runner [rounds]

#include "job/CommandLines.h"
#include "job/EncoderRunner.h"
#include "support/Clips.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>
#include <sys/time.h>

using namespace velmora;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double ownCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString encoder = QStringLiteral(VELMORA_ENCODER);

    test::TestFolder work;
    test::ClipSpec first;
    first.size = "640x480";
    // Long enough that the join takes seconds: our encoder is quick, and a run of a fraction
    // of a second shows mostly its start-up and no position at all.
    first.seconds = 30;
    test::ClipSpec second = first;
    second.rate = 30;
    second.sampleRate = 22050;
    profiles::EncoderArgs options;
    options.words({"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect", "-oac", "mp3lame",
                     "-lameopts", "vbr=2:q=4", "-channels", "2", "-vf", "scale=640:480", "-srate", "44100"});
    QStringList intermediates;
    job::EncoderRunner runner(encoder);
    for (const test::ClipSpec &spec : {first, second}) {
        const QString file = work.file(QStringLiteral("%1.mkv").arg(intermediates.size()));
        job::PositionReader reader;
        const job::RunResult result =
            runner.RunEncoder(job::ConversionCommand(test::sharedClip(spec), file, options).arguments(), reader, {}, nullptr);
        if (!result.succeeded()) {
            std::printf("The conversion of a clip failed:\n%s\n", qPrintable(result.lastLines()));
            return 1;
        }
        intermediates << file;
    }
    const QStringList arguments = job::JoinCommand(intermediates, work.file("joined.avi"), options).arguments();

    QList<double> throughRunner, direct, ownCpu;
    int positions = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        const double cpu = ownCpuSeconds();
        timer.start();
        job::PositionReader reader(job::PositionReader::Pass::Join);
        const job::RunResult result = runner.RunEncoder(arguments, reader, [&positions](double) { ++positions; }, nullptr);
        throughRunner << timer.nsecsElapsed() / 1e6;
        ownCpu << (ownCpuSeconds() - cpu) * 1000;
        if (!result.succeeded())
            std::printf("warning: the join through the runner failed\n");

        timer.restart();
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(encoder, arguments);
        process.waitForFinished(-1);
        direct << timer.nsecsElapsed() / 1e6;
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            std::printf("warning: the encoder run directly failed\n");
    }
    const double runnerMs = median(throughRunner);
    const double directMs = median(direct);
    std::printf("Joining two %g s clips at 640x480 with our encoder (%s), median of %d rounds\n", first.seconds,
                qPrintable(encoder), rounds);
    std::printf("  encoder run directly:       %8.1f ms\n", directMs);
    std::printf("  through EncoderRunner:      %8.1f ms   (%+.2f %%; goal under +2 %%; %d positions shown)\n", runnerMs,
                (runnerMs / directMs - 1) * 100, positions / rounds);
    std::printf("  the runner's own CPU:       %8.1f ms   (reading the encoder's output, in this program)\n", median(ownCpu));
    return 0;
}
