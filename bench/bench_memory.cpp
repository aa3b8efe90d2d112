// Peak memory of the conversion line on long inputs, against ffmpeg doing the same conversion.
//
// Three kinds of long input, each as long as the length given (default two hours):
//  - sound under a one-frame cover picture: an MP4 whose video track holds a single 320x240
//    H.264 frame, with AAC stereo sound at 64 kbit/s (a sine) for the whole length;
//  - pictures without sound: an MP4 of 160x120 H.264 at 30 frames a second (testsrc);
//  - a transport stream whose clock jumps one hour forward halfway: MPEG-2 video (160x120, 25
//    frames a second) and MP2 sound, two halves of half the length each put together with cat,
//    the second made with -output_ts_offset so that its times start one hour after the end of
//    the first.
// Each input is converted with the job's conversion line (our encoder, into <n>.avi at 320x240
// and 30 frames a second) and then with the ffmpeg program as a user would type the same
// conversion, both under /usr/bin/time -v, one after the other. Printed for each run: its peak
// resident memory ("Maximum resident set size"), wall and CPU time (user + system), how it
// ended, and the output's play time as ffprobe sees it: the file's duration and the end of the
// last packet of its video and of its sound track. Goal: our encoder stays under 300 MB
// resident for each kind at two hours. A missed goal, a failed run or a stopped one is only
// reported; the program fails only when the inputs cannot be made.
//
// A run is stopped (and reported so) after three times the input's length in wall time (the
// length ffprobe gives where that is longer, as across the jump; at least five minutes), and
// when it holds more than half the memory that was available at the start: a runaway must not
// take the machine with it.
//
// The inputs are made once with the ffmpeg program (two hours take some minutes) and kept under
// <build>/bench/long-inputs, or in the folder given.
//
// Run: build/bench/bench_memory [seconds [input folder [encoder]]]   (default: 7200, two hours)

#include "BenchSupport.h"
#include "job/CommandLines.h"
#include "support/EncoderJobs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <signal.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

const QString Ffmpeg = QStringLiteral(VELMORA_FFMPEG);
const QString Ffprobe = QStringLiteral(VELMORA_FFPROBE);
const QString TimeProgram = QStringLiteral("/usr/bin/time");

const QString OutputSize = QStringLiteral("320:240");
constexpr double DefaultSeconds = 7200;
constexpr double JumpSeconds = 3600;
constexpr double LeastWallSeconds = 300;

// Goal.
constexpr double GoalMb = 300;
constexpr double GoalSeconds = 7200;

// MB = 10^6 bytes; /usr/bin/time and /proc count kilobytes of 1024 bytes.
double megabytes(qint64 kilobytes)
{
    return kilobytes * 1024.0 / 1e6;
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

QStringList lavfi(const QString &graph)
{
    return {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), graph};
}

[[noreturn]] void cannotGoOn(const QString &what, const Ran &ran)
{
    std::fprintf(stderr, "\nCannot go on: %s\n", qPrintable(what));
    const QList<QByteArray> lines = ran.err.trimmed().split('\n');
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - 15); i < lines.size(); ++i)
        std::fprintf(stderr, "  | %s\n", lines.at(i).constData());
    std::exit(1);
}

// --- the inputs ----------------------------------------------------------------------------

const QStringList Quiet{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")};

QStringList coverArguments(double seconds, const QString &output)
{
    return Quiet + lavfi(QStringLiteral("testsrc=size=320x240:rate=25:duration=0.04"))
           + lavfi(QStringLiteral("sine=frequency=440:sample_rate=44100:duration=") + number(seconds))
           + QStringList{QStringLiteral("-map"), QStringLiteral("0:v"), QStringLiteral("-map"), QStringLiteral("1:a"),
                         QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("veryfast"),
                         QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-c:a"), QStringLiteral("aac"),
                         QStringLiteral("-b:a"), QStringLiteral("64k"), QStringLiteral("-ac"), QStringLiteral("2"),
                         QStringLiteral("-f"), QStringLiteral("mp4"), output};
}

QStringList silentArguments(double seconds, const QString &output)
{
    return Quiet + lavfi(QStringLiteral("testsrc=size=160x120:rate=30:duration=") + number(seconds))
           + QStringList{QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("veryfast"),
                         QStringLiteral("-crf"), QStringLiteral("30"), QStringLiteral("-g"), QStringLiteral("300"),
                         QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-f"), QStringLiteral("mp4"), output};
}

// One half of the transport stream, its times moved on by offset seconds.
QStringList halfArguments(double seconds, double offset, const QString &output)
{
    QStringList arguments = Quiet + lavfi(QStringLiteral("testsrc=size=160x120:rate=25:duration=") + number(seconds))
                            + lavfi(QStringLiteral("sine=frequency=330:sample_rate=48000:duration=") + number(seconds))
                            + QStringList{QStringLiteral("-c:v"), QStringLiteral("mpeg2video"), QStringLiteral("-b:v"),
                                          QStringLiteral("64k"), QStringLiteral("-g"), QStringLiteral("25"),
                                          QStringLiteral("-c:a"), QStringLiteral("mp2"), QStringLiteral("-b:a"),
                                          QStringLiteral("48k"), QStringLiteral("-ac"), QStringLiteral("1")};
    if (offset > 0)
        arguments << QStringLiteral("-output_ts_offset") << number(offset);
    return arguments + QStringList{QStringLiteral("-f"), QStringLiteral("mpegts"), output};
}

// Puts files together one after the other, with cat.
Ran concatenated(const QStringList &parts, const QString &output)
{
    QProcess cat;
    cat.setStandardInputFile(QProcess::nullDevice());
    cat.setStandardOutputFile(output);
    cat.start(QStringLiteral("cat"), parts);
    Ran ran;
    if (!cat.waitForStarted(-1)) {
        ran.err = cat.errorString().toUtf8();
        return ran;
    }
    cat.waitForFinished(-1);
    ran.err = cat.readAllStandardError();
    ran.ok = cat.exitStatus() == QProcess::NormalExit && cat.exitCode() == 0;
    return ran;
}

struct Kind
{
    QString title;
    QString stem;
    QString extension;
    // The ffmpeg command lines that make it (for its name and to show), and the making itself.
    std::function<QList<QStringList>(const QString &output)> commands;
    std::function<Ran(const QString &output)> make;
};

QList<Kind> kinds(double seconds, const QString &scratch)
{
    const double half = seconds / 2;
    const QString first = scratch + QStringLiteral("/first-half.ts");
    const QString second = scratch + QStringLiteral("/second-half.ts");
    const auto jumpCommands = [=](const QString &) {
        return QList<QStringList>{halfArguments(half, 0, first), halfArguments(half, half + JumpSeconds, second)};
    };
    return {
        {QStringLiteral("Sound under a one-frame cover picture"), QStringLiteral("cover"), QStringLiteral(".mp4"),
         [=](const QString &output) { return QList<QStringList>{coverArguments(seconds, output)}; },
         [=](const QString &output) { return run(Ffmpeg, coverArguments(seconds, output), scratch); }},
        {QStringLiteral("Pictures without a sound track"), QStringLiteral("silent"), QStringLiteral(".mp4"),
         [=](const QString &output) { return QList<QStringList>{silentArguments(seconds, output)}; },
         [=](const QString &output) { return run(Ffmpeg, silentArguments(seconds, output), scratch); }},
        {QStringLiteral("Transport stream whose clock jumps one hour forward halfway"), QStringLiteral("jump"), QStringLiteral(".ts"),
         jumpCommands,
         [=](const QString &output) {
             for (const QStringList &arguments : jumpCommands(output)) {
                 const Ran ran = run(Ffmpeg, arguments, scratch);
                 if (!ran.ok)
                     return ran;
             }
             const Ran ran = concatenated({first, second}, output);
             QFile::remove(first);
             QFile::remove(second);
             return ran;
         }},
    };
}

QString kindPath(const Kind &kind, double seconds, const QString &folder)
{
    QStringList words;
    for (const QStringList &command : kind.commands(QStringLiteral("OUTPUT")))
        words += command;
    return folder + QLatin1Char('/') + kind.stem + QLatin1Char('-') + number(seconds) + QStringLiteral("s-") + hashOf(words)
           + kind.extension;
}

// --- what ffprobe sees ---------------------------------------------------------------------

// Seconds; negative where there is nothing to tell.
struct PlayTime
{
    double file = -1;  // the container's duration
    double video = -1; // the end of the latest video packet
    double sound = -1; // the end of the latest sound packet
    qint64 videoPackets = 0;
};

PlayTime playTime(const QString &file, const QString &scratch)
{
    PlayTime time;
    const Ran ran = run(Ffprobe,
                        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                         QStringLiteral("format=duration:packet=codec_type,pts_time,dts_time,duration_time"),
                         QStringLiteral("-of"), QStringLiteral("compact"), file},
                        scratch, true);
    for (const QByteArray &line : ran.out.split('\n')) {
        QHash<QByteArray, QByteArray> fields;
        const QList<QByteArray> parts = line.trimmed().split('|');
        for (const QByteArray &part : parts) {
            const qsizetype equals = part.indexOf('=');
            if (equals > 0)
                fields.insert(part.left(equals), part.mid(equals + 1));
        }
        bool ok = false;
        if (parts.first() == "format") {
            const double duration = fields.value("duration").toDouble(&ok);
            if (ok)
                time.file = duration;
            continue;
        }
        if (parts.first() != "packet")
            continue;
        double at = fields.value("pts_time").toDouble(&ok);
        if (!ok)
            at = fields.value("dts_time").toDouble(&ok);
        if (!ok)
            continue;
        const double end = at + std::max(0.0, fields.value("duration_time").toDouble());
        if (fields.value("codec_type") == "video") {
            time.video = std::max(time.video, end);
            ++time.videoPackets;
        } else if (fields.value("codec_type") == "audio") {
            time.sound = std::max(time.sound, end);
        }
    }
    return time;
}

QString secondsText(double seconds)
{
    return seconds < 0 ? QStringLiteral("none") : QString::number(seconds, 'f', 2) + QStringLiteral(" s");
}

// --- a measured run ------------------------------------------------------------------------

struct Limits
{
    double seconds = 0;   // wall time
    qint64 kilobytes = 0; // resident
};

struct Measured
{
    bool ok = false; // ended by itself with exit status 0
    QString ended;
    qint64 peakKilobytes = -1;
    double wall = -1;
    double cpu = -1;
    QString lastLines; // of what the program wrote
};

// The first process that pid started, 0 when none is there (yet, or any more).
qint64 childOf(qint64 pid)
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!children.open(QIODevice::ReadOnly))
        return 0;
    return children.readAll().trimmed().split(' ').first().toLongLong();
}

qint64 residentKilobytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression resident(QStringLiteral("VmRSS:\\s*(\\d+) kB"));
    return resident.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// What /usr/bin/time -v wrote, read into measured.
void readReport(const QString &report, Measured &measured)
{
    QFile file(report);
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const auto value = [&text](const QString &label) {
        const QRegularExpression line(QLatin1Char('^') + QRegularExpression::escape(label) + QStringLiteral(":\\s*(\\S+)$"),
                                      QRegularExpression::MultilineOption);
        return line.match(text).captured(1);
    };
    bool ok = false;
    const qint64 peak = value(QStringLiteral("\tMaximum resident set size (kbytes)")).toLongLong(&ok);
    if (ok)
        measured.peakKilobytes = peak;
    const double user = value(QStringLiteral("\tUser time (seconds)")).toDouble(&ok);
    bool sysOk = false;
    const double system = value(QStringLiteral("\tSystem time (seconds)")).toDouble(&sysOk);
    if (ok && sysOk)
        measured.cpu = user + system;
    const QString elapsed = value(QStringLiteral("\tElapsed (wall clock) time (h:mm:ss or m:ss)"));
    if (!elapsed.isEmpty()) {
        double wall = 0;
        for (const QString &part : elapsed.split(QLatin1Char(':')))
            wall = wall * 60 + part.toDouble();
        measured.wall = wall;
    }
    static const QRegularExpression signalLine(QStringLiteral("^Command terminated by signal (\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch signal = signalLine.match(text);
    if (signal.hasMatch()) {
        measured.ended = QStringLiteral("killed by signal ") + signal.captured(1);
        return;
    }
    const QString status = value(QStringLiteral("\tExit status"));
    measured.ended = status.isEmpty() ? QStringLiteral("no report from time") : QStringLiteral("exit ") + status;
    measured.ok = status == QStringLiteral("0");
}

// Runs program under /usr/bin/time -v, its output (both channels) into a file, and stops it at
// the limits. While it runs, a line each minute tells how far it is.
Measured measure(const QString &program, const QStringList &arguments, const Limits &limits, const QString &scratch)
{
    const QString report = scratch + QStringLiteral("/time.txt");
    const QString log = scratch + QStringLiteral("/output.log");
    QFile::remove(report);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(log);
    process.start(TimeProgram, QStringList{QStringLiteral("-v"), QStringLiteral("-o"), report, program} + arguments);
    Measured measured;
    if (!process.waitForStarted(-1)) {
        measured.ended = QStringLiteral("could not start: ") + process.errorString();
        return measured;
    }
    QElapsedTimer clock;
    clock.start();
    QString stopped;
    qint64 stoppedAt = 0;
    qint64 nextNote = 60000;
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(250)) {
        const qint64 child = childOf(process.processId());
        const qint64 resident = child ? residentKilobytes(child) : 0;
        if (stopped.isEmpty()) {
            if (clock.elapsed() > limits.seconds * 1000)
                stopped = QStringLiteral("TIMEOUT: stopped after %1 s").arg(limits.seconds, 0, 'f', 0);
            else if (resident > limits.kilobytes)
                stopped = QStringLiteral("STOPPED: over %1 MB resident").arg(megabytes(limits.kilobytes), 0, 'f', 0);
            if (!stopped.isEmpty()) {
                // The program itself, so that time still reports on it.
                if (child)
                    ::kill(static_cast<pid_t>(child), SIGKILL);
                else
                    process.kill();
                stoppedAt = clock.elapsed();
            }
        } else if (clock.elapsed() - stoppedAt > 30000) {
            process.kill();
        }
        if (clock.elapsed() >= nextNote) {
            std::printf("      ... %.0f min, %.1f MB resident\n", clock.elapsed() / 60000.0, megabytes(resident));
            std::fflush(stdout);
            nextNote += 60000;
        }
    }
    readReport(report, measured);
    if (measured.wall < 0)
        measured.wall = clock.elapsed() / 1000.0;
    if (!stopped.isEmpty()) {
        measured.ok = false;
        measured.ended = stopped + QStringLiteral(" (") + measured.ended + QLatin1Char(')');
    }
    measured.lastLines = logTail(log, 3);
    QFile::remove(log);
    return measured;
}

void printRow(const char *who, const Measured &measured, const PlayTime &output, bool withGoal, double seconds)
{
    QString peak = measured.peakKilobytes < 0 ? QStringLiteral("?") : QString::number(megabytes(measured.peakKilobytes), 'f', 1) + QStringLiteral(" MB");
    QString goal;
    if (withGoal) {
        const bool met = measured.ok && measured.peakKilobytes >= 0 && megabytes(measured.peakKilobytes) < GoalMb;
        goal = QStringLiteral("goal: < %1 MB %2").arg(GoalMb, 0, 'f', 0).arg(met ? QStringLiteral("met") : QStringLiteral("NOT met"));
        if (seconds != GoalSeconds)
            goal += QStringLiteral("*");
    }
    std::printf("  %-12s %11s  %-22s %9.1f s %9.1f s   %10s %10s %10s   %s\n", who, qPrintable(peak), qPrintable(goal), measured.wall,
                measured.cpu, qPrintable(secondsText(output.file)), qPrintable(secondsText(output.video)),
                qPrintable(secondsText(output.sound)), qPrintable(measured.ended));
    if (!measured.ok && !measured.lastLines.isEmpty())
        std::printf("%s\n", qPrintable(measured.lastLines));
    std::fflush(stdout);
}

qint64 availableKilobytes()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression available(QStringLiteral("MemAvailable:\\s*(\\d+) kB"));
    return available.match(QString::fromLatin1(meminfo.readAll())).captured(1).toLongLong();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : DefaultSeconds;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(VELMORA_BENCH_LONG_INPUTS);
    const QString encoder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(VELMORA_ENCODER);
    if (seconds < 2) {
        std::fprintf(stderr, "usage: bench_memory [seconds [input folder [encoder]]]   (seconds: at least 2; default %.0f)\n",
                     DefaultSeconds);
        return 2;
    }
    if (!QFileInfo(encoder).isExecutable())
        cannotGoOn(QStringLiteral("no encoder at ") + encoder, {});
    if (!QFileInfo(TimeProgram).isExecutable())
        cannotGoOn(QStringLiteral("no ") + TimeProgram + QStringLiteral(" (Debian package \"time\")"), {});
    QTemporaryDir work;
    if (!work.isValid())
        cannotGoOn(QStringLiteral("no temporary folder"), {});
    const QString scratch = work.path();

    Limits limits;
    limits.kilobytes = availableKilobytes() / 2;
    if (limits.kilobytes <= 0)
        limits.kilobytes = 4 * 1024 * 1024;

    std::printf("Peak resident memory of the conversion line on inputs of %s s (%.2f h), next to ffmpeg doing the same conversion\n",
                qPrintable(number(seconds)), seconds / 3600);
    std::printf("Inputs kept in %s\n", qPrintable(folder));
    std::printf("Each run is stopped after three times the input's length or over %.0f MB resident (half the memory available now)\n"
                "MB = 10^6 bytes; times in seconds; \"out\": the output's play time as ffprobe sees it\n",
                megabytes(limits.kilobytes));
    std::fflush(stdout);

    const QList<Kind> all = kinds(seconds, scratch);
    QStringList inputs;
    for (const Kind &kind : all) {
        const QString path = kindPath(kind, seconds, folder);
        if (!QFileInfo(path).isFile()) {
            std::printf("  making %s (%s) ...\n", qPrintable(QFileInfo(path).fileName()), qPrintable(kind.title.toLower()));
            std::fflush(stdout);
            QElapsedTimer clock;
            clock.start();
            const Ran ran = makeOnce(path, kind.make);
            if (!ran.ok)
                cannotGoOn(QStringLiteral("could not make ") + path, ran);
            std::printf("    made in %.0f s, %.1f MB\n", clock.elapsed() / 1000.0, QFileInfo(path).size() / 1e6);
            std::fflush(stdout);
        }
        inputs << path;
    }
    std::printf("\nMade with:\n");
    for (int i = 0; i < all.size(); ++i)
        for (const QStringList &command : all.at(i).commands(inputs.at(i)))
            std::printf("  %s\n", qPrintable(commandText(Ffmpeg, command)));
    std::printf("  cat <first half> <second half> > <transport stream>\n");

    const auto ours = [](const QString &input, const QString &output) {
        return test::conversionCommand(input, output, OutputSize).arguments();
    };
    const auto baseline = [](const QString &input, const QString &output) {
        return QStringList{QStringLiteral("-i"), input, QStringLiteral("-vf"), QStringLiteral("scale=320:240"), QStringLiteral("-r"),
                           QStringLiteral("30"), QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                           QStringLiteral("ultrafast"), QStringLiteral("-crf"), QStringLiteral("14"), QStringLiteral("-c:a"),
                           QStringLiteral("pcm_s16le"), output};
    };
    std::printf("\nOur encoder (%s), the job's conversion line:\n  %s\n", qPrintable(encoder),
                qPrintable(commandText(encoder, ours(QStringLiteral("<input>"), scratch + QStringLiteral("/<n>.avi")))));
    std::printf("ffmpeg, the same conversion as a user would type it:\n  %s\n",
                qPrintable(commandText(Ffmpeg, baseline(QStringLiteral("<input>"), QStringLiteral("OUT.avi")))));

    QList<Measured> results;
    for (int i = 0; i < all.size(); ++i) {
        const PlayTime input = playTime(inputs.at(i), scratch);
        limits.seconds = std::max(LeastWallSeconds, 3 * std::max(seconds, input.file));
        const auto upTo = [](double end) { return end < 0 ? QStringLiteral("none") : QStringLiteral("up to ") + secondsText(end); };
        std::printf("\n%d. %s: %s s long (ffprobe: file %s; video: %lld packets, %s; sound: %s)\n", i + 1, qPrintable(all.at(i).title),
                    qPrintable(number(seconds)), qPrintable(secondsText(input.file)), static_cast<long long>(input.videoPackets),
                    qPrintable(upTo(input.video)), qPrintable(upTo(input.sound)));
        std::printf("  %-12s %11s  %-22s %11s %11s   %10s %10s %10s   %s (stopped after %.0f s)\n", "", "peak RSS", "", "wall",
                    "CPU", "out: file", "video", "sound", "ended", limits.seconds);
        std::fflush(stdout);
        const QString oursOutput = scratch + QStringLiteral("/%1.avi").arg(i);
        const QString baselineOutput = scratch + QStringLiteral("/OUT%1.avi").arg(i);
        const struct
        {
            const char *who;
            QString program;
            QStringList arguments;
            QString output;
        } sides[] = {{"our encoder", encoder, ours(inputs.at(i), oursOutput), oursOutput},
                     {"ffmpeg", Ffmpeg, baseline(inputs.at(i), baselineOutput), baselineOutput}};
        for (const auto &side : sides) {
            const Measured measured = measure(side.program, side.arguments, limits, scratch);
            // Outputs of long inputs are large: each goes once it has been looked at.
            const PlayTime made = QFileInfo(side.output).size() > 0 ? playTime(side.output, scratch) : PlayTime{};
            QFile::remove(side.output);
            const bool isOurs = side.program == encoder;
            printRow(side.who, measured, made, isOurs, seconds);
            if (isOurs)
                results << measured;
        }
    }

    std::printf("\nOur encoder against the goal (under %.0f MB resident at %.0f s):\n", GoalMb, GoalSeconds);
    for (int i = 0; i < all.size(); ++i) {
        const Measured &measured = results.at(i);
        std::printf("  %-60s %10.1f MB   %s\n", qPrintable(all.at(i).title), megabytes(measured.peakKilobytes), qPrintable(measured.ended));
    }
    if (seconds != GoalSeconds)
        std::printf("* this run's inputs last %s s; the goal is for %.0f s\n", qPrintable(number(seconds)), GoalSeconds);
    return 0;
}
