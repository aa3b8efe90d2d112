#pragma once

#include "profiles/EncoderArgs.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace velmora::test {

class TestFolder;

// Output frames a second of every job: the intermediates' rate, which the join keeps.
constexpr int JobRate = 30;

// One run of our encoder through the job's own runner: empty when it went well, otherwise
// its last lines.
QString runEncoder(const QStringList &arguments);

// The whole job as the program runs it: each input converted with the conversion line for
// options (into folder's temp/0.mkv, 1.mkv, ..., in the first input's shape), then the parts
// joined with options. Empty when it went well, otherwise the encoder's last lines (for a
// conversion, after the input's name).
QString wholeJob(const TestFolder &folder, const QStringList &inputs, const QString &output, const profiles::EncoderArgs &options);

// The options of the DivX profiles at a picture size: MPEG-4 at 3000 kbit/s with MP3, 44.1 kHz.
profiles::EncoderArgs divxOptions(const QString &size);

// The conversion line the job writes for the DivX profiles at size (see divxOptions): for the
// runs that look at how one input reads, whatever the join makes of it.
profiles::EncoderArgs conversionCommand(const QString &input, const QString &part, const QString &size);

// Where each input begins in the output of a whole job, in output frames, for the inputs'
// lengths in seconds: each input converts to its own length rounded to the nearest frame, and
// the join puts those one after the other. The last entry is where the last one ends.
QList<int> joinSlots(const QList<double> &seconds);

// How a run of the encoder as a plain process ended.
struct EncoderProcess
{
    bool timedOut = false;  // still running at the time limit, and killed then
    bool crashed = false;   // ended by a signal
    int status = -1;        // the exit status of a run that ended by itself
    QByteArray output;      // standard output
    QByteArray errors;      // standard error
    double seconds = 0;     // from the start to its end (or to the kill)
};

// Runs the encoder with these arguments, killing it when it has not ended within timeoutMs.
EncoderProcess encoderProcess(const QStringList &arguments, int timeoutMs);

} // namespace velmora::test
