// A day of dashcam segments: 1,500 half-second clips joined without re-encoding, under a limit
// of 1,024 open files, against ffmpeg's concat demuxer doing the same join.
//
// The clips are cut from one numbered clip of 750 s (640x360 H.264 at 30 frames a second, a key
// picture every 15 frames, AAC stereo; every picture carries its number mod 256 as a bar code,
// made by ../shared/tools/numbered-clip) by ffmpeg's segment muxer into 1,500 MP4 files of 0.5 s,
// each starting on a key picture. ffprobe counts the pictures of every clip (15 each, the first
// a key picture) once, when they are made; source, clips and counts are kept under
// <build>/bench/many-clips, or in the folder given.
//
// Three runs, one after the other, each started through prlimit --nofile=1024:1024:
//  - the whole job: the program from a terminal (velmora --join --list, the profile
//    "Same as the Inputs - No Re-encoding (fastest)"), from a program folder of its own;
//  - our encoder alone on the join's command line (asapi.dll IN... -o OUT.mkv -ovc copy -oac copy);
//  - ffmpeg as a user types the same join: ffmpeg -f concat -safe 0 -i list.txt -c copy out.mkv.
// Printed for each: wall time, CPU time (user + system, its children's included), peak resident
// memory, the most files it held open at once, how it ended, and how many pictures its output
// has and whether their numbers run 0, 1, ..., 255, 0, 1, ... without a gap (read back with
// ffmpeg by ../shared/tools/picture-numbers). Peak memory: for the job, the highest VmHWM seen
// in /proc every 50 ms of the program itself and of the encoder it starts, beside the peak of
// the whole job from wait4 (the larger of the two, exact, so a bound for both); for the single
// programs, wait4's ru_maxrss. Goal: the program and the encoder each under 150 MB. Times are only printed; a
// missed memory goal is only reported. The benchmark fails only when a join by our program
// (the job or the encoder alone) fails or its output lacks pictures, or when the inputs cannot
// be made.
//
// A run is stopped (and reported so) after 30 minutes, or when it holds more than half the
// memory that was available at the start.
//
// Run: build/bench/bench_manyclips [clip folder]

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace velmora::bench;

namespace {

const QString Ffmpeg = QStringLiteral(VELMORA_FFMPEG);
const QString Ffprobe = QStringLiteral(VELMORA_FFPROBE);
const QString Encoder = QStringLiteral(VELMORA_ENCODER);
const QString Program = QStringLiteral(VELMORA_PROGRAM);
const QString NumberedClip = QStringLiteral(VELMORA_BENCH_TOOLS "/numbered-clip");
const QString PictureNumbers = QStringLiteral(VELMORA_BENCH_TOOLS "/picture-numbers");
const QString Prlimit = QStringLiteral("prlimit");
const QString CopyProfile = QStringLiteral("Same as the Inputs - No Re-encoding (fastest)");

constexpr int Clips = 1500;
constexpr int Rate = 30;
constexpr int PicturesPerClip = 15; // half a second
constexpr int SourceSeconds = Clips * PicturesPerClip / Rate;
constexpr int Pictures = Clips * PicturesPerClip;
constexpr int OpenFileLimit = 1024;
constexpr int PollMilliseconds = 50;
constexpr qint64 StopAfterMilliseconds = 30 * 60 * 1000;

// Goal.
constexpr double GoalMb = 150;

// MB = 10^6 bytes; /proc and getrusage count kilobytes of 1024 bytes.
double megabytes(qint64 kilobytes)
{
    return kilobytes * 1024.0 / 1e6;
}

QString megabytesText(qint64 kilobytes)
{
    return kilobytes < 0 ? QStringLiteral("?") : QString::number(megabytes(kilobytes), 'f', 1) + QStringLiteral(" MB");
}

[[noreturn]] void cannotGoOn(const QString &what, const Ran &ran = {})
{
    std::fprintf(stderr, "\nCannot go on: %s\n", qPrintable(what));
    const QList<QByteArray> lines = ran.err.trimmed().split('\n');
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - 15); i < lines.size(); ++i)
        std::fprintf(stderr, "  | %s\n", lines.at(i).constData());
    std::exit(1);
}

// --- the inputs ----------------------------------------------------------------------------

QStringList sourceOptions()
{
    return {QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
            QStringLiteral("-crf"), QStringLiteral("30"), QStringLiteral("-g"), QString::number(PicturesPerClip),
            QStringLiteral("-keyint_min"), QString::number(PicturesPerClip), QStringLiteral("-sc_threshold"), QStringLiteral("0"),
            QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-b:a"), QStringLiteral("64k")};
}

QStringList sourceArguments(const QString &output)
{
    return QStringList{output, QString::number(Rate), QString::number(SourceSeconds)} + sourceOptions();
}

QStringList segmentArguments(const QString &source, const QString &pattern)
{
    return {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
            QStringLiteral("-i"), source, QStringLiteral("-map"), QStringLiteral("0"), QStringLiteral("-c"), QStringLiteral("copy"),
            QStringLiteral("-f"), QStringLiteral("segment"), QStringLiteral("-segment_time"), QStringLiteral("0.5"),
            QStringLiteral("-reset_timestamps"), QStringLiteral("1"), pattern};
}

QString clipName(int index)
{
    return QStringLiteral("c%1.mp4").arg(index, 4, 10, QLatin1Char('0'));
}

// The pictures of one clip as ffprobe decodes them: how many, and whether the first is a key
// picture. Several ffprobes at a time.
struct Counted
{
    int pictures = -1;
    bool keyFirst = false;
};

QList<Counted> countPictures(const QStringList &clips)
{
    QList<Counted> counted(clips.size());
    const int atOnce = std::max(2, QThread::idealThreadCount() * 2);
    std::vector<std::unique_ptr<QProcess>> running;
    std::vector<int> indexOf;
    qsizetype next = 0;
    const auto collect = [&](std::size_t slot) {
        QProcess &process = *running[slot];
        process.waitForFinished(-1);
        Counted &count = counted[indexOf[slot]];
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
            const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
            count.pictures = 0;
            for (const QByteArray &line : lines) {
                if (!line.startsWith("frame"))
                    continue;
                if (count.pictures == 0)
                    count.keyFirst = line.split(',').value(1) == "1";
                ++count.pictures;
            }
        }
    };
    while (next < clips.size() || !running.empty()) {
        while (next < clips.size() && static_cast<int>(running.size()) < atOnce) {
            auto process = std::make_unique<QProcess>();
            process->setStandardInputFile(QProcess::nullDevice());
            process->start(Ffprobe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                                     QStringLiteral("v:0"), QStringLiteral("-show_entries"), QStringLiteral("frame=key_frame"),
                                     QStringLiteral("-of"), QStringLiteral("csv"), clips.at(next)});
            running.push_back(std::move(process));
            indexOf.push_back(static_cast<int>(next));
            ++next;
        }
        collect(0);
        running.erase(running.begin());
        indexOf.erase(indexOf.begin());
    }
    return counted;
}

// The clips, kept in a folder named after the commands that made them. The folder is made under
// a name of its own and renamed when all is there, so that a run broken off leaves no half of
// it; the picture counts are kept beside the clips. Returns the clips in order.
QStringList makeClips(const QString &folder, const QString &scratch)
{
    QDir().mkpath(folder);
    const QString source = folder + QStringLiteral("/numbered-") + QString::number(SourceSeconds) + QStringLiteral("s-")
                           + hashOf(sourceArguments(QStringLiteral("OUTPUT"))) + QStringLiteral(".mp4");
    const QString clipFolder = folder + QStringLiteral("/clips-")
                               + hashOf(sourceArguments(QStringLiteral("OUTPUT")) + segmentArguments(QStringLiteral("SOURCE"), QStringLiteral("PATTERN")));
    const QString countFile = clipFolder + QStringLiteral("/pictures.txt");

    if (!QFileInfo(countFile).isFile()) {
        if (!QFileInfo(source).isFile()) {
            std::printf("  making %s (%d s of numbered pictures, some minutes) ...\n", qPrintable(QFileInfo(source).fileName()),
                        SourceSeconds);
            std::fflush(stdout);
            QElapsedTimer clock;
            clock.start();
            const Ran made = makeOnce(source, [&](const QString &partial) { return run(NumberedClip, sourceArguments(partial), scratch); });
            if (!made.ok)
                cannotGoOn(QStringLiteral("could not make ") + source, made);
            std::printf("    made in %.0f s, %.1f MB\n", clock.elapsed() / 1000.0, QFileInfo(source).size() / 1e6);
        }
        std::printf("  cutting it into %d clips of 0.5 s and counting their pictures ...\n", Clips);
        std::fflush(stdout);
        QElapsedTimer clock;
        clock.start();
        const QString partial = clipFolder + QStringLiteral(".partial-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        QDir().mkpath(partial);
        const Ran cut = run(Ffmpeg, segmentArguments(source, partial + QStringLiteral("/c%04d.mp4")), scratch);
        if (!cut.ok) {
            QDir(partial).removeRecursively();
            cannotGoOn(QStringLiteral("the segment muxer failed"), cut);
        }
        const QStringList made = QDir(partial).entryList({QStringLiteral("c*.mp4")}, QDir::Files, QDir::Name);
        QStringList clips;
        for (int i = 0; i < Clips; ++i)
            clips << partial + QLatin1Char('/') + clipName(i);
        if (made.size() != Clips || QDir(partial).entryList({clipName(Clips - 1)}, QDir::Files).isEmpty()) {
            QDir(partial).removeRecursively();
            cannotGoOn(QStringLiteral("the segment muxer made %1 files, not %2").arg(made.size()).arg(Clips));
        }
        const QList<Counted> counted = countPictures(clips);
        QByteArray text;
        for (int i = 0; i < Clips; ++i)
            text += clipName(i).toLatin1() + ' ' + QByteArray::number(counted.at(i).pictures) + (counted.at(i).keyFirst ? " key\n" : " not-key\n");
        QFile counts(partial + QStringLiteral("/pictures.txt"));
        if (!counts.open(QIODevice::WriteOnly) || counts.write(text) != text.size() || !counts.flush()) {
            QDir(partial).removeRecursively();
            cannotGoOn(QStringLiteral("cannot write ") + counts.fileName());
        }
        counts.close();
        QDir(clipFolder).removeRecursively();
        if (!QDir().rename(partial, clipFolder)) {
            QDir(partial).removeRecursively();
            cannotGoOn(QStringLiteral("cannot keep the clips under ") + clipFolder);
        }
        std::printf("    cut and counted in %.0f s\n", clock.elapsed() / 1000.0);
    }

    // Every run: all clips there, and every one 15 pictures from a key picture, as ffprobe counted.
    QFile counts(countFile);
    if (!counts.open(QIODevice::ReadOnly))
        cannotGoOn(QStringLiteral("cannot read ") + countFile);
    const QList<QByteArray> lines = counts.readAll().trimmed().split('\n');
    QStringList clips;
    QStringList wrong;
    for (int i = 0; i < Clips; ++i) {
        const QString path = clipFolder + QLatin1Char('/') + clipName(i);
        clips << path;
        const QList<QByteArray> words = lines.value(i).split(' ');
        if (!QFileInfo(path).isFile())
            wrong << clipName(i) + QStringLiteral(" is not there");
        else if (words.value(0) != clipName(i).toLatin1() || words.value(1).toInt() != PicturesPerClip || words.value(2) != "key")
            wrong << QString::fromLatin1(lines.value(i));
    }
    if (!wrong.isEmpty())
        cannotGoOn(QStringLiteral("%1 of the clips in %2 are not %3 pictures from a key picture (remove the folder to make them "
                                  "again), e.g.:\n  %4")
                       .arg(wrong.size())
                       .arg(clipFolder)
                       .arg(PicturesPerClip)
                       .arg(wrong.mid(0, 5).join(QStringLiteral("\n  "))));
    std::printf("  %s: %d clips, each %d pictures from a key picture (ffprobe)\n", qPrintable(clipFolder), Clips, PicturesPerClip);
    return clips;
}

// --- a measured run ------------------------------------------------------------------------

// One process of a run's tree as the polls saw it.
struct Seen
{
    QString name;         // as /proc/<pid>/status names it, after its last exec
    int arguments = 0;    // on its command line, its own name not counted
    qint64 peakKilobytes = -1; // the highest VmHWM seen
    int mostFiles = 0;    // the most open file descriptors seen
    QString fileLimit;    // its soft limit of open files, as /proc/<pid>/limits gives it
};

struct Measured
{
    bool ok = false; // ended by itself with exit status 0
    QString ended;
    double wall = -1;
    double cpu = -1;           // user + system, of it and its waited-for children
    qint64 maxrssKilobytes = -1; // from wait4: the largest of it and its waited-for children
    pid_t pid = 0;
    std::map<pid_t, Seen> seen;
    QString lastLines;
};

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<pid_t> childrenOf(pid_t pid)
{
    QList<pid_t> children;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QByteArray &child : fileText(tasks + QLatin1Char('/') + task + QStringLiteral("/children")).simplified().split(' '))
            if (child.toInt() > 0)
                children << child.toInt();
    return children;
}

int openFiles(pid_t pid)
{
    DIR *folder = ::opendir(QStringLiteral("/proc/%1/fd").arg(pid).toLocal8Bit().constData());
    if (!folder)
        return 0;
    int count = 0;
    while (const dirent *entry = ::readdir(folder))
        if (entry->d_name[0] != '.')
            ++count;
    ::closedir(folder);
    return count;
}

// Looks once at pid and all it started; returns the resident memory of the whole tree.
qint64 poll(pid_t root, std::map<pid_t, Seen> &seen)
{
    static const QRegularExpression nameLine(QStringLiteral("^Name:\\s*(\\S.*)$"), QRegularExpression::MultilineOption);
    static const QRegularExpression hwmLine(QStringLiteral("^VmHWM:\\s*(\\d+) kB"), QRegularExpression::MultilineOption);
    static const QRegularExpression rssLine(QStringLiteral("^VmRSS:\\s*(\\d+) kB"), QRegularExpression::MultilineOption);
    qint64 resident = 0;
    QList<pid_t> pending{root};
    while (!pending.isEmpty()) {
        const pid_t pid = pending.takeFirst();
        pending += childrenOf(pid);
        const QString status = QString::fromLatin1(fileText(QStringLiteral("/proc/%1/status").arg(pid)));
        const QRegularExpressionMatch hwm = hwmLine.match(status);
        if (!hwm.hasMatch())
            continue; // gone, or a zombie: its memory is no longer there to read
        Seen &process = seen[pid];
        const QString name = nameLine.match(status).captured(1);
        if (name != process.name) {
            // Started anew by exec (prlimit becomes the program it starts): its own peak starts again.
            process.name = name;
            process.peakKilobytes = -1;
            process.mostFiles = 0;
            process.arguments = std::max<int>(0, static_cast<int>(fileText(QStringLiteral("/proc/%1/cmdline").arg(pid)).count('\0')) - 1);
            static const QRegularExpression limitLine(QStringLiteral("^Max open files\\s+(\\S+)"), QRegularExpression::MultilineOption);
            process.fileLimit = limitLine.match(QString::fromLatin1(fileText(QStringLiteral("/proc/%1/limits").arg(pid)))).captured(1);
        }
        process.peakKilobytes = std::max(process.peakKilobytes, hwm.captured(1).toLongLong());
        process.mostFiles = std::max(process.mostFiles, openFiles(pid));
        resident += rssLine.match(status).captured(1).toLongLong();
    }
    return resident;
}

// Runs the command through prlimit under the open-file limit, in a process group of its own,
// its output (both channels) into a file, and looks at it and its children every 50 ms.
Measured measure(const QStringList &command, const QString &log, qint64 stopKilobytes)
{
    const QStringList words = QStringList{Prlimit, QStringLiteral("--nofile=%1:%1").arg(OpenFileLimit), QStringLiteral("--")} + command;
    std::vector<QByteArray> bytes;
    for (const QString &word : words)
        bytes.push_back(word.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : bytes)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray logPath = log.toLocal8Bit();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    Measured measured;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int started = ::posix_spawnp(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (started != 0) {
        measured.ended = QStringLiteral("could not start: ") + QString::fromLocal8Bit(std::strerror(started));
        return measured;
    }
    measured.pid = pid;

    QString stopped;
    qint64 nextNote = 60000;
    int status = 0;
    rusage usage{};
    for (;;) {
        const qint64 resident = poll(pid, measured.seen);
        const pid_t waited = ::wait4(pid, &status, WNOHANG, &usage);
        if (waited == pid || (waited < 0 && errno != EINTR))
            break;
        if (stopped.isEmpty()) {
            if (clock.elapsed() > StopAfterMilliseconds)
                stopped = QStringLiteral("TIMEOUT: stopped after %1 min").arg(StopAfterMilliseconds / 60000);
            else if (resident > stopKilobytes)
                stopped = QStringLiteral("STOPPED: over %1 resident").arg(megabytesText(stopKilobytes));
            if (!stopped.isEmpty())
                ::kill(-pid, SIGKILL); // the group it leads: it and what it started
        }
        if (clock.elapsed() >= nextNote) {
            std::printf("      ... %.0f min, %s resident\n", clock.elapsed() / 60000.0, qPrintable(megabytesText(resident)));
            std::fflush(stdout);
            nextNote += 60000;
        }
        QThread::msleep(PollMilliseconds);
    }
    measured.wall = clock.nsecsElapsed() / 1e9;
    measured.cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    measured.maxrssKilobytes = usage.ru_maxrss;
    if (WIFSIGNALED(status)) {
        measured.ended = QStringLiteral("killed by signal %1").arg(WTERMSIG(status));
    } else if (WIFEXITED(status)) {
        measured.ended = QStringLiteral("exit %1").arg(WEXITSTATUS(status));
        measured.ok = WEXITSTATUS(status) == 0;
    } else {
        measured.ended = QStringLiteral("lost");
    }
    if (!stopped.isEmpty()) {
        measured.ok = false;
        measured.ended = stopped + QStringLiteral(" (") + measured.ended + QLatin1Char(')');
    }
    measured.lastLines = logTail(log, 4);
    return measured;
}

// --- what ffmpeg reads back ----------------------------------------------------------------

struct Numbers
{
    int pictures = 0;   // decoded
    int unreadable = 0; // pictures whose bar code does not read
    int breaks = 0;     // places where the next number is not this one + 1 (mod 256), or the first is not 0
    QString first;      // the first such place
    bool ok() const { return pictures == Pictures && unreadable == 0 && breaks == 0; }
    QString text() const
    {
        if (pictures == 0)
            return QStringLiteral("none");
        QString text = QString::number(pictures);
        if (ok())
            return text + QStringLiteral(", in order");
        if (pictures != Pictures)
            text += QStringLiteral(" (%1%2)").arg(pictures > Pictures ? QStringLiteral("+") : QString()).arg(pictures - Pictures);
        if (unreadable)
            text += QStringLiteral(", %1 unreadable").arg(unreadable);
        if (breaks)
            text += QStringLiteral(", %1 gaps, first %2").arg(breaks).arg(first);
        return text;
    }
};

Numbers readNumbers(const QString &file, const QString &scratch)
{
    Numbers numbers;
    if (!QFileInfo(file).isFile())
        return numbers;
    const Ran ran = run(PictureNumbers, {file}, scratch, true);
    const QList<QByteArray> words = ran.out.simplified().split(' ');
    int last = -1;
    for (const QByteArray &word : words) {
        if (word.isEmpty())
            continue;
        const int index = numbers.pictures++;
        bool ok = false;
        const int number = word.toInt(&ok);
        if (!ok) {
            ++numbers.unreadable;
            last = -1;
            continue;
        }
        const int expected = index == 0 ? 0 : (last + 1) % 256;
        if ((index == 0 || last >= 0) && number != expected) {
            if (numbers.breaks++ == 0)
                numbers.first = QStringLiteral("at picture %1 (clip %2): %3 where %4 belongs").arg(index).arg(index / PicturesPerClip).arg(number).arg(expected);
        }
        last = number;
    }
    return numbers;
}

// --- printing ------------------------------------------------------------------------------

void printHeader()
{
    std::printf("  %-35s %9s %9s %11s %13s   %-24s %s\n", "", "wall", "CPU", "peak RSS", "open files", "pictures (ffmpeg)", "ended");
}

// files: the most open at once and the limit, of one process; none for a row of several.
void printRow(const char *who, double wall, double cpu, qint64 peak, const Seen *files, const QString &pictures, const QString &ended)
{
    const QString wallText = wall < 0 ? QString() : QString::number(wall, 'f', 2) + QStringLiteral(" s");
    const QString cpuText = cpu < 0 ? QString() : QString::number(cpu, 'f', 2) + QStringLiteral(" s");
    const QString filesText = !files ? QString() : QStringLiteral("%1 of %2").arg(files->mostFiles).arg(files->fileLimit.isEmpty() ? QStringLiteral("?") : files->fileLimit);
    std::printf("  %-35s %9s %9s %11s %13s   %-24s %s\n", who, qPrintable(wallText), qPrintable(cpuText), qPrintable(megabytesText(peak)),
                qPrintable(filesText), qPrintable(pictures), qPrintable(ended));
    std::fflush(stdout);
}

// The processes the program started, its own not counted.
std::vector<Seen> startedBy(const Measured &measured)
{
    std::vector<Seen> started;
    for (const auto &[pid, seen] : measured.seen)
        if (pid != measured.pid)
            started.push_back(seen);
    return started;
}

Seen self(const Measured &measured)
{
    const auto found = measured.seen.find(measured.pid);
    return found == measured.seen.end() ? Seen{} : found->second;
}

qint64 availableKilobytes()
{
    static const QRegularExpression available(QStringLiteral("MemAvailable:\\s*(\\d+) kB"));
    return available.match(QString::fromLatin1(fileText(QStringLiteral("/proc/meminfo")))).captured(1).toLongLong();
}

QString theOutput(const QString &folder)
{
    const QStringList files = QDir(folder).entryList(QDir::Files);
    return files.size() == 1 ? folder + QLatin1Char('/') + files.first() : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VELMORA_BENCH_MANY_CLIPS);
    for (const QString &needed : {Program, Encoder, NumberedClip, PictureNumbers})
        if (!QFileInfo(needed).isExecutable())
            cannotGoOn(QStringLiteral("no ") + needed);
    if (QStandardPaths::findExecutable(Prlimit).isEmpty())
        cannotGoOn(QStringLiteral("no prlimit (util-linux)"));
    QTemporaryDir work;
    if (!work.isValid())
        cannotGoOn(QStringLiteral("no temporary folder"));
    const QString scratch = work.path();
    qint64 stopKilobytes = availableKilobytes() / 2;
    if (stopKilobytes <= 0)
        stopKilobytes = 4 * 1024 * 1024;

    std::printf("%d clips of 0.5 s (%d pictures in all) joined without re-encoding under prlimit --nofile=%d:%d, next to ffmpeg's concat "
                "demuxer\n",
                Clips, Pictures, OpenFileLimit, OpenFileLimit);
    std::printf("Inputs kept in %s\n", qPrintable(folder));
    std::fflush(stdout);
    const QStringList clips = makeClips(folder, scratch);
    std::printf("Made with:\n  %s\n  %s\n", qPrintable(commandText(NumberedClip, sourceArguments(QStringLiteral("SOURCE.mp4")))),
                qPrintable(commandText(Ffmpeg, segmentArguments(QStringLiteral("SOURCE.mp4"), QStringLiteral("c%04d.mp4")))));

    // A program folder of the run's own, so that the preferences are the run's: the program,
    // the encoder beside it and the shipped profiles.
    const QString programFolder = QDir(scratch).filePath(QStringLiteral("program"));
    QDir().mkpath(programFolder + QStringLiteral("/Profiles"));
    const QString program = programFolder + QStringLiteral("/velmora");
    if (!QFile::copy(Program, program) || !QFile::setPermissions(program, QFile::permissions(Program))
        || !QFile::link(Encoder, programFolder + QStringLiteral("/asapi.dll")))
        cannotGoOn(QStringLiteral("cannot make a program folder in ") + programFolder);
    const QString shipped = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");
    for (const QString &name : QDir(shipped).entryList(QDir::Files))
        QFile::copy(shipped + QLatin1Char('/') + name, programFolder + QStringLiteral("/Profiles/") + name);
    {
        QFile preferences(programFolder + QStringLiteral("/Preferences.ini"));
        if (!preferences.open(QIODevice::WriteOnly) || preferences.write("[Main]\r\nVersion=1.5\r\n") < 0)
            cannotGoOn(QStringLiteral("cannot write ") + preferences.fileName());
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");

    // The lists: the program's, one path a line; ffmpeg's concat list.
    const QString programList = scratch + QStringLiteral("/clips.tmp");
    const QString concatList = scratch + QStringLiteral("/list.txt");
    {
        QFile list(programList);
        QFile concat(concatList);
        if (!list.open(QIODevice::WriteOnly) || !concat.open(QIODevice::WriteOnly))
            cannotGoOn(QStringLiteral("cannot write the lists in ") + scratch);
        for (const QString &clip : clips) {
            list.write(clip.toUtf8() + '\n');
            concat.write("file '" + QString(clip).replace(QLatin1Char('\''), QStringLiteral("'\\''")).toUtf8() + "'\n");
        }
    }

    const QString jobFolder = QDir(scratch).filePath(QStringLiteral("job"));
    const QString aloneFolder = QDir(scratch).filePath(QStringLiteral("alone"));
    const QString ffmpegFolder = QDir(scratch).filePath(QStringLiteral("ffmpeg"));
    const QString temp = QDir(scratch).filePath(QStringLiteral("temp"));
    for (const QString &made : {jobFolder, aloneFolder, ffmpegFolder, temp})
        QDir().mkpath(made);
    const QStringList jobCommand{program, QStringLiteral("--join"), QStringLiteral("--profile"), CopyProfile, QStringLiteral("--output"),
                                 jobFolder + QStringLiteral("/joined.mkv"), QStringLiteral("--overwrite"), QStringLiteral("--progress=none"),
                                 QStringLiteral("--temp-dir"), temp, QStringLiteral("--list"), programList};
    const QStringList aloneCommand = QStringList{Encoder} + clips
                                     + QStringList{QStringLiteral("-o"), aloneFolder + QStringLiteral("/joined.mkv"), QStringLiteral("-ovc"),
                                                   QStringLiteral("copy"), QStringLiteral("-oac"), QStringLiteral("copy")};
    const QStringList ffmpegCommand{Ffmpeg, QStringLiteral("-f"), QStringLiteral("concat"), QStringLiteral("-safe"), QStringLiteral("0"),
                                    QStringLiteral("-i"), concatList, QStringLiteral("-c"), QStringLiteral("copy"),
                                    ffmpegFolder + QStringLiteral("/out.mkv")};

    std::printf("\nEach run through prlimit --nofile=%d:%d --, one after the other:\n", OpenFileLimit, OpenFileLimit);
    std::printf("  the job:         QT_QPA_PLATFORM=offscreen %s\n", qPrintable(commandText(jobCommand.first(), jobCommand.mid(1))));
    std::printf("  encoder alone:   %s %s ... %s %s\n", qPrintable(commandText(Encoder, {})), qPrintable(clipName(0)),
                qPrintable(clipName(Clips - 1)), qPrintable(commandText(QStringLiteral("-o"), aloneCommand.mid(aloneCommand.size() - 5))));
    std::printf("  ffmpeg (baseline): %s\n", qPrintable(commandText(ffmpegCommand.first(), ffmpegCommand.mid(1))));
    std::printf("Peak RSS, MB = 10^6 bytes: from wait4 (for the whole job, the larger of the program and its encoder); in the rows\n"
                "under the job, the highest VmHWM seen in /proc every %d ms. Open files: the most seen at once, of the limit in /proc.\n"
                "Each run is stopped after %lld min or over %s resident (half the memory available now).\n\n",
                PollMilliseconds, StopAfterMilliseconds / 60000, qPrintable(megabytesText(stopKilobytes)));
    std::fflush(stdout);

    printHeader();

    // The whole job through the program.
    const Measured job = measure(jobCommand, scratch + QStringLiteral("/job.log"), stopKilobytes);
    const Numbers jobNumbers = readNumbers(theOutput(jobFolder), scratch);
    const Seen itself = self(job);
    const std::vector<Seen> children = startedBy(job);
    qint64 encoderInJob = -1;
    int encoderArguments = 0;
    // The job's peak: wait4's, exact, bounds both processes from above. /proc and wait4 may
    // differ by a few hundred kB, so what the polls saw counts as well.
    qint64 jobPeak = std::max(job.maxrssKilobytes, itself.peakKilobytes);
    for (const Seen &child : children) {
        jobPeak = std::max(jobPeak, child.peakKilobytes);
        if (child.name == QStringLiteral("asapi.dll")) {
            encoderInJob = std::max(encoderInJob, child.peakKilobytes);
            encoderArguments = child.arguments;
        }
    }
    printRow("velmora --join (the whole job)", job.wall, job.cpu, jobPeak, nullptr, jobNumbers.text(), job.ended);
    printRow("  velmora itself", -1, -1, itself.peakKilobytes, &itself, QString(), QString());
    for (const Seen &child : children)
        printRow(qPrintable(QStringLiteral("  its child %1").arg(child.name)), -1, -1, child.peakKilobytes, &child, QString(), QString());
    if (!job.ok)
        std::printf("%s\n", qPrintable(job.lastLines));

    // Our encoder alone, on the join's command line.
    const Measured alone = measure(aloneCommand, scratch + QStringLiteral("/alone.log"), stopKilobytes);
    const Numbers aloneNumbers = readNumbers(theOutput(aloneFolder), scratch);
    const Seen aloneSeen = self(alone);
    printRow("asapi.dll alone", alone.wall, alone.cpu, alone.maxrssKilobytes, &aloneSeen, aloneNumbers.text(), alone.ended);
    if (!alone.ok)
        std::printf("%s\n", qPrintable(alone.lastLines));

    // The baseline.
    const Measured baseline = measure(ffmpegCommand, scratch + QStringLiteral("/ffmpeg.log"), stopKilobytes);
    const Numbers baselineNumbers = readNumbers(theOutput(ffmpegFolder), scratch);
    const Seen baselineSeen = self(baseline);
    printRow("ffmpeg -f concat -c copy (baseline)", baseline.wall, baseline.cpu, baseline.maxrssKilobytes, &baselineSeen,
             baselineNumbers.text(), baseline.ended);
    if (!baseline.ok)
        std::printf("%s\n", qPrintable(baseline.lastLines));

    if (encoderArguments > 0)
        std::printf("\n(the program started its encoder with %d arguments)\n", encoderArguments);
    if (job.wall > 0 && baseline.wall > 0)
        std::printf("The job took %.2f times ffmpeg's wall time; our encoder alone %.2f times.\n", job.wall / baseline.wall,
                    alone.wall / baseline.wall);

    // A poll may come too late for the last of a peak; the job's peak bounds both processes.
    const auto goal = [](qint64 seen, qint64 bound) {
        if (bound >= 0 && megabytes(bound) < GoalMb)
            return QStringLiteral("met");
        if (seen >= 0 && megabytes(seen) >= GoalMb)
            return QStringLiteral("NOT met");
        return QStringLiteral("not shown (over the goal at most for less than %1 ms)").arg(PollMilliseconds);
    };
    const QString bound = QStringLiteral(", at most %1 (the job's peak)").arg(megabytesText(jobPeak));
    std::printf("\nAgainst the goal (each under %.0f MB resident):\n", GoalMb);
    std::printf("  %-26s %-48s %s\n", "velmora (in the job)", qPrintable(megabytesText(itself.peakKilobytes) + QStringLiteral(" seen") + bound),
                qPrintable(goal(itself.peakKilobytes, jobPeak)));
    std::printf("  %-26s %-48s %s\n", "its encoder (in the job)", qPrintable(megabytesText(encoderInJob) + QStringLiteral(" seen") + bound),
                qPrintable(goal(encoderInJob, jobPeak)));
    std::printf("  %-26s %-48s %s\n", "our encoder alone", qPrintable(megabytesText(alone.maxrssKilobytes)),
                qPrintable(goal(alone.maxrssKilobytes, alone.maxrssKilobytes)));

    int failed = 0;
    if (!job.ok || !jobNumbers.ok()) {
        std::printf("FAILED: the job through the program: %s; pictures: %s\n", qPrintable(job.ended), qPrintable(jobNumbers.text()));
        failed = 1;
    }
    if (!alone.ok || !aloneNumbers.ok()) {
        std::printf("FAILED: our encoder alone: %s; pictures: %s\n", qPrintable(alone.ended), qPrintable(aloneNumbers.text()));
        failed = 1;
    }
    return failed;
}
