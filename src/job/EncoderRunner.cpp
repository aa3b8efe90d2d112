#include "job/EncoderRunner.h"

#include "job/JobTexts.h"
#include "platform/Logging.h"
#include "platform/Seams.h"
#include "platform/Translation.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

#include <csignal>

#include <sys/types.h>
#include <unistd.h>

namespace velmora::job {

QString RunResult::lastLines(int lines) const
{
    QString text = QString::fromLocal8Bit(output);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList kept = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (kept.size() > lines)
        kept = kept.mid(kept.size() - lines);
    return kept.join(QLatin1Char('\n'));
}

QString RunResult::describe() const
{
    switch (end) {
    case End::CouldNotStart: return QCoreApplication::translate("Velmora", "could not start");
    case End::Exited: return QCoreApplication::translate("Velmora", "exited with status %1").arg(exitCode);
    case End::Crashed: return QCoreApplication::translate("Velmora", "crashed");
    case End::Stopped: return QCoreApplication::translate("Velmora", "was stopped");
    }
    return {};
}

EncoderRunner::EncoderRunner(QString program, QObject *parent)
    : QObject(parent)
    , m_program(std::move(program))
{
}

EncoderRunner::~EncoderRunner()
{
    TerminateEncoder();
}

bool EncoderRunner::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void EncoderRunner::TerminateEncoder()
{
    if (!isRunning())
        return;
    m_stopped = true;
    qCInfo(encoderLog) << "Stopping the encoder, process group" << m_group;
    endGroup();
    m_process->kill();
}

void EncoderRunner::endGroup()
{
    // The encoder leads a process group of its own: whatever it started goes with it.
    if (m_group > 0)
        ::kill(-m_group, SIGKILL);
}

void EncoderRunner::readChunks(QProcess &process, PositionReader &reader, const std::function<void(double)> &onPosition,
                               RunResult &result)
{
    // One read is at most 4095 bytes of what has arrived; each read is one chunk.
    while (process.bytesAvailable() > 0) {
        const QByteArray chunk = process.read(ReadSize);
        if (chunk.isEmpty())
            break;
        qCDebug(encoderLog).noquote() << QString::fromLocal8Bit(chunk).trimmed();
        result.output += chunk;
        if (result.output.size() > KeptOutput)
            result.output = result.output.right(KeptOutput);
        if (const std::optional<double> position = reader.takeChunk(chunk)) {
            try {
                if (onPosition)
                    onPosition(*position);
            } catch (...) {
                // A position that cannot be shown is skipped, as one that does not convert.
            }
        }
    }
}

RunResult EncoderRunner::RunEncoder(const QStringList &arguments, PositionReader &reader,
                                    const std::function<void(double)> &onPosition, QWidget *owner)
{
    RunResult result;
    reader.beginRun();
    m_stopped = false;

    QProcess process;
    m_process = &process;
    process.setProgram(m_program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { ::setpgid(0, 0); });

    QEventLoop loop;
    bool failedToStart = false;
    connect(&process, &QProcess::readyRead, &loop, [&] { readChunks(process, reader, onPosition, result); });
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    process.start(QIODevice::ReadOnly);
    if (process.error() == QProcess::FailedToStart)
        failedToStart = true;
    m_group = failedToStart ? 0 : static_cast<qint64>(process.processId());
    if (failedToStart)
        qCInfo(encoderLog).noquote() << "Could not start" << m_program << "-" << process.errorString();
    else
        qCInfo(encoderLog) << "Started" << m_program << "as process" << m_group;
    if (!failedToStart && process.state() != QProcess::NotRunning)
        loop.exec();
    // What the encoder left running when it ended is no longer of use to anyone.
    endGroup();
    m_group = 0;
    m_process = nullptr;

    if (failedToStart) {
        platform::messageBoxes().error(owner, QCoreApplication::applicationName(), platform::translated(texts::ReinstallText), QString());
        result.end = RunResult::End::CouldNotStart;
        return result;
    }
    readChunks(process, reader, onPosition, result); // what arrived with the end
    if (m_stopped)
        result.end = RunResult::End::Stopped;
    else if (process.exitStatus() == QProcess::CrashExit)
        result.end = RunResult::End::Crashed;
    else
        result.end = RunResult::End::Exited;
    result.exitCode = process.exitCode();
    return result;
}

} // namespace velmora::job
