#include "support/EncoderJobs.h"

#include "job/CommandLines.h"
#include "job/CopyMatch.h"
#include "job/EncoderRunner.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <cmath>

namespace velmora::test {

QString runEncoder(const QStringList &arguments)
{
    job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
    job::PositionReader reader;
    const job::RunResult result = runner.RunEncoder(arguments, reader, {}, nullptr);
    return result.succeeded() ? QString() : result.lastLines();
}

QString wholeJob(const TestFolder &folder, const QStringList &inputs, const QString &output, const profiles::EncoderArgs &options)
{
    const QString shape = inputs.isEmpty() ? QString() : job::PictureShape(inputs.constFirst());
    QStringList parts;
    for (const QString &input : inputs) {
        const QString part = folder.file(QStringLiteral("temp/%1.mkv").arg(parts.size()));
        QDir().mkpath(QFileInfo(part).absolutePath());
        if (const QString failed = runEncoder(job::ConversionCommand(input, part, options, shape).arguments()); !failed.isEmpty())
            return input + QStringLiteral(": ") + failed;
        parts << part;
    }
    return runEncoder(job::JoinCommand(parts, output, options).arguments());
}

profiles::EncoderArgs divxOptions(const QString &size)
{
    profiles::EncoderArgs options;
    options.words({"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=3000:mbd=2:autoaspect", "-oac", "mp3lame", "-lameopts",
                   "vbr=2:q=4", "-channels", "2", "-vf", "scale=" + size, "-srate", "44100"});
    return options;
}

profiles::EncoderArgs conversionCommand(const QString &input, const QString &part, const QString &size)
{
    return job::ConversionCommand(input, part, divxOptions(size));
}

QList<int> joinSlots(const QList<double> &seconds)
{
    QList<int> starts{0};
    for (double length : seconds)
        starts << starts.constLast() + int(std::llround(length * JobRate));
    return starts;
}

EncoderProcess encoderProcess(const QStringList &arguments, int timeoutMs)
{
    EncoderProcess ended;
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(VELMORA_ENCODER), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        ended.timedOut = true;
        // A run that goes on may not heed a polite request: SIGKILL.
        process.kill();
        process.waitForFinished(10000);
    }
    ended.seconds = clock.elapsed() / 1000.0;
    ended.crashed = !ended.timedOut && process.exitStatus() != QProcess::NormalExit;
    ended.status = ended.timedOut || ended.crashed ? -1 : process.exitCode();
    ended.output = process.readAllStandardOutput();
    ended.errors = process.readAllStandardError();
    return ended;
}

} // namespace velmora::test
