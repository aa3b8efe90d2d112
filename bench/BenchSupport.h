#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What the benchmarks share: running the tools they measure and keeping the inputs they make.
namespace velmora::bench {

// A command line as one would type it into a shell.
QString commandText(const QString &program, const QStringList &arguments);

// What one program left behind after it ran to its end.
struct Ran
{
    bool ok = false; // ended by itself with exit status 0
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end, no shell between. Output goes to files in scratch, so that the
// program is never held up by this process reading pipes; with keepOutput the standard output
// is read back, the error output always.
Ran run(const QString &program, const QStringList &arguments, const QString &scratch, bool keepOutput = false);

// The last `count` lines a program wrote into the file at path (read from its last 4 kB),
// each indented under "      | ", for a failure's report.
QString logTail(const QString &path, int count);

// Ten hex digits naming a list of words: a file named with the hash of the arguments that made
// it stays valid as long as they do not change.
QString hashOf(const QStringList &words);

// Makes the file at path once: when it is not there yet, make writes it under a name of its own
// in the same folder (with the same extension), which is then renamed to path, so that a run
// broken off never leaves a half-made file under the kept name. Returns what make returned;
// not ok also when the file cannot be kept.
Ran makeOnce(const QString &path, const std::function<Ran(const QString &partial)> &make);

// Ends the program with status 1 after saying what could not be done, with the last lines
// the tool wrote to its error output; the cleanup given to onGiveUp runs first.
[[noreturn]] void giveUp(const QString &what, const Ran &ran = {});
void onGiveUp(std::function<void()> cleanup);
// Runs a tool that must succeed (see run()); gives up when it does not.
Ran mustRun(const QString &program, const QStringList &arguments, const QString &scratch, bool keepOutput = false);

// The CPU time (user + system) of the child processes that have ended, in seconds.
double childCpuSeconds();

// What some work cost: its child processes' CPU time and the wall time, in seconds.
struct Cost
{
    double cpu = 0;
    double wall = 0;
};
template<typename Work>
Cost measure(Work work)
{
    const double cpu = childCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    work();
    return {childCpuSeconds() - cpu, timer.nsecsElapsed() / 1e9};
}

// The middle value (of an even count, the mean of the two in the middle).
double median(QList<double> values);

// The busy HD clips that whole jobs are measured on: 1280x720 H.264 in MP4 (BT.709), AAC
// stereo at 48 kHz.
struct ClipKind
{
    QString rate; // as lavfi and ffmpeg read it
    double x, y;  // where the fractal zooms in
    int seed;     // of the cellular automaton
    int note;     // base pitch of the sound in Hz
};
inline constexpr int BusyClipCount = 6;
extern const ClipKind BusyClips[BusyClipCount];

// The ffmpeg arguments that make busy clip i, `seconds` long, written to output. The picture
// mixes a slow zoom into a fractal, a soft cellular automaton and a moving test card, with
// light grain that changes every frame; it is converted to YUV with the BT.709 matrix and
// tagged so. The sound is a stereo tune of changing notes over a low hum.
QStringList busyClipArguments(int i, int seconds, const QString &output);

} // namespace velmora::bench
