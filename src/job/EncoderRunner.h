#pragma once

#include "job/PositionReader.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;
class QWidget;

namespace velmora::job {

// How one encoder run ended.
struct RunResult
{
    enum class End { CouldNotStart, Exited, Crashed, Stopped };
    End end = End::CouldNotStart;
    int exitCode = -1;
    QByteArray output; // the last few kilobytes of what the encoder wrote

    bool succeeded() const { return end == End::Exited && exitCode == 0; }
    // The last lines of the encoder's output, for a message's details.
    QString lastLines(int lines = 12) const;
    // How the run ended, in words, for the log.
    QString describe() const;
};

// Starts the encoder with one argument list and reads what it writes (standard output and
// standard error together) as it arrives, while the window's event loop goes on: the window
// paints, timers fire and Stop can be pressed. RunEncoder returns when the run has ended.
class EncoderRunner : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 ReadSize = 4095;
    static constexpr qsizetype KeptOutput = 8192;

    explicit EncoderRunner(QString program, QObject *parent = nullptr);
    ~EncoderRunner() override;

    const QString &program() const { return m_program; }
    void setProgram(const QString &program) { m_program = program; }

    // Runs the encoder to its end. Each position the reader takes from a chunk goes to
    // onPosition. When the encoder cannot be started, "Error. Please re-install Velmora" is
    // shown, owned by owner.
    RunResult RunEncoder(const QStringList &arguments, PositionReader &reader,
                         const std::function<void(double)> &onPosition, QWidget *owner);

    // Ends the running encoder and every process it started, if one runs; a finished run is
    // never touched.
    void TerminateEncoder();
    bool isRunning() const;

private:
    void readChunks(QProcess &process, PositionReader &reader, const std::function<void(double)> &onPosition,
                    RunResult &result);

    void endGroup();

    QString m_program;
    QPointer<QProcess> m_process;
    qint64 m_group = 0; // the running encoder's process group
    bool m_stopped = false;
};

} // namespace velmora::job
