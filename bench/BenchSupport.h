#pragma once

#include <QByteArray>
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

} // namespace velmora::bench
