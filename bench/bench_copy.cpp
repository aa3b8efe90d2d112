// A join without re-encoding against the same job re-encoding, both through the real main
// window with our encoder.
//
// Six 20 s 720p clips from one phone (H.264 High and AAC in MP4, made once by ffmpeg and kept)
// are joined by pressing Start, first with the "Same as the Inputs - No Re-encoding (fastest)"
// profile, then with "MP4 - H.264 and AAC (plays everywhere)" as loaded. Printed: both wall
// times, and how many times faster the copy is (goal: at least 50).
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_copy [rounds of the copy]

#include "BenchSupport.h"
#include "app/Main.h"
#include "app/Program.h"
#include "support/FakeSeams.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {

constexpr int Clips = 6;
constexpr int Seconds = 20;

QStringList phoneClips(const QString &folder)
{
    QDir().mkpath(folder);
    QStringList clips;
    for (int i = 0; i < Clips; ++i) {
        const QString path = folder + QStringLiteral("/phone%1.mp4").arg(i);
        const bench::Ran made = bench::makeOnce(path, [&](const QString &partial) {
            return bench::run(QStringLiteral(VELMORA_FFMPEG),
                              {"-nostdin", "-y", "-v", "error", "-ss", QString::number(i * Seconds), "-f", "lavfi", "-i",
                               "testsrc2=s=1280x720:r=30", "-ss", QString::number(i * Seconds), "-f", "lavfi", "-i",
                               "sine=f=440:r=48000:beep_factor=2", "-t", QString::number(Seconds), "-c:v", "libx264", "-preset",
                               "veryfast", "-profile:v", "high", "-g", "60", "-c:a", "aac", "-b:a", "128k", "-ac", "2", partial},
                              folder);
        });
        if (!made.ok)
            std::printf("warning: clip %d could not be made: %s\n", i, made.err.constData());
        clips << path;
    }
    return clips;
}

// One job by Start in a program folder holding only this profile; its wall time in seconds.
double timedJob(const QString &profile, const QStringList &clips, test::FakeSeams &seams, QString &output)
{
    test::TestFolder folder;
    folder.mkdir("Profiles");
    QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/") + profile, folder.file("Profiles/" + profile));
    QFile::link(QStringLiteral(VELMORA_ENCODER), folder.file("asapi.dll"));
    const QString scratch = folder.mkdir("scratch");
    const QString out = folder.mkdir("out");
    folder.write("Preferences.ini",
                 ("[Main]\r\nTemp Dir=" + scratch + "/\r\nAuto Open Dir=0\r\nOutput File=" + out + "/joined\r\n").toUtf8());
    app::Program program(folder.path(), clips);
    program.show();
    seams.messages.shown.clear();
    QElapsedTimer timer;
    timer.start();
    program.MainForm().findChild<QAction *>(QStringLiteral("tbtnStart"))->trigger();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (seams.messages.texts() != QStringList{"The joining is completed successfully."})
        std::printf("warning: the job said %s\n", qPrintable(seams.messages.texts().join(" / ")));
    const QStringList joined = QDir(out).entryList(QDir::Files);
    output = joined.isEmpty() ? QString() : joined.first();
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    test::FakeSeams seams;
    const QStringList clips = phoneClips(QStringLiteral(VELMORA_BENCH_CLIPS));

    QList<double> copies;
    QString copied, encoded;
    for (int round = 0; round < rounds; ++round)
        copies << timedJob(QStringLiteral("Same as the Inputs - No Re-encoding (fastest).bpf"), clips, seams, copied);
    std::sort(copies.begin(), copies.end());
    const double copy = copies.at(copies.size() / 2);
    const double encode = timedJob(QStringLiteral("MP4 - H.264 and AAC (plays everywhere).bpf"), clips, seams, encoded);

    std::printf("A job of %d %d s 720p H.264+AAC clips by Start in the main window, with our encoder\n", Clips, Seconds);
    std::printf("  \"MP4 - H.264 and AAC (plays everywhere)\" (re-encoding): %8.2f s  -> %s\n", encode, qPrintable(encoded));
    std::printf("  \"Same as the Inputs - No Re-encoding\" (median of %d):  %8.2f s  -> %s\n", rounds, copy, qPrintable(copied));
    std::printf("  the copy is %.0f times faster (goal: at least 50)\n", encode / copy);
    return 0;
}
