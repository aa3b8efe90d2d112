// A whole job through the real main window, against the encoder's own time.
//
// Five 15 s clips are joined by pressing Start in the main window, with our encoder as the
// program folder's asapi.dll. The same conversion and join arguments are then run directly,
// one after another. Printed: both wall times and their ratio (goal: the job adds under 2 %),
// and the longest time the window's event loop went unserved during the job (goal: under
// 100 ms), measured by a 5 ms timer.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_job [rounds]

#include "app/Main.h"
#include "app/Program.h"
#include "job/CommandLines.h"
#include "job/CopyMatch.h"
#include "profiles/OptionBuilder.h"
#include "prefs/Settings.h"
#include "profiles/OutputSettings.h"
#include "support/Clips.h"
#include "support/FakeSeams.h"
#include "support/TestFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace velmora;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    test::FakeSeams seams;
    test::TestFolder folder;
    folder.mkdir("Profiles");
    QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/DivX Compatible - Normal Quality.bpf"),
                folder.file("Profiles/DivX Compatible - Normal Quality.bpf"));
    QFile::link(QStringLiteral(VELMORA_ENCODER), folder.file("asapi.dll"));
    const QString scratch = folder.mkdir("scratch");
    const QString out = folder.mkdir("out");
    folder.write("Preferences.ini", ("[Main]\r\nTemp Dir=" + scratch + "/\r\nAuto Open Dir=0\r\nOutput File=" + out + "/joined.avi\r\n").toUtf8());
    QStringList inputs;
    // Long enough that a job takes seconds: our encoder converts these clips many times
    // faster than they play.
    const double seconds = 15;
    for (int i = 0; i < 5; ++i) {
        test::ClipSpec spec;
        spec.size = i % 2 ? "480x270" : "640x480";
        spec.rate = i % 2 ? 30 : 25;
        spec.seconds = seconds;
        spec.tone = 300 + 100 * i;
        inputs << test::copyClip(folder.file(QStringLiteral("in/clip%1.avi").arg(i)), spec);
    }

    app::Program program(folder.path(), inputs);
    program.show();
    // Later rounds overwrite the output of the first.
    program.SettingForm().findChild<QAbstractButton *>(QStringLiteral("rdbOverWrite"))->setChecked(true);
    const QString profile = folder.file("Profiles/DivX Compatible - Normal Quality.bpf");
    profiles::TopSettingForm &settings = program.opSettingForm();
    const QString size = profiles::GetOutputSize(settings, profile);
    const auto direct = [](const QStringList &arguments) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral(VELMORA_ENCODER), arguments);
        process.waitForFinished(-1);
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            std::printf("warning: the encoder run directly failed\n");
    };

    QList<double> jobTimes, directTimes;
    qint64 longestGap = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer gap;
        QTimer watch;
        watch.setTimerType(Qt::PreciseTimer);
        QObject::connect(&watch, &QTimer::timeout, [&] { longestGap = std::max(longestGap, gap.restart()); });
        seams.messages.shown.clear();
        QElapsedTimer timer;
        timer.start();
        gap.start();
        watch.start(5);
        program.MainForm().findChild<QAction *>(QStringLiteral("tbtnStart"))->trigger();
        watch.stop();
        jobTimes << timer.nsecsElapsed() / 1e6;
        if (seams.messages.texts() != QStringList{"The joining is completed successfully."})
            std::printf("warning: the job said %s\n", qPrintable(seams.messages.texts().join(" / ")));

        // The same work with the same arguments, straight: the encoder's own time.
        QStringList intermediates;
        timer.restart();
        for (const QString &input : inputs) {
            const QString file = scratch + QStringLiteral("/direct%1.mkv").arg(intermediates.size());
            direct(job::ConversionCommand(input, file, profiles::GetEncoderOptions(settings, profile), job::PictureShape(inputs.constFirst()))
                       .arguments());
            intermediates << file;
        }
        direct(job::JoinCommand(intermediates, out + "/direct.avi", profiles::GetEncoderOptions(settings, profile)).arguments());
        directTimes << timer.nsecsElapsed() / 1e6;
    }
    std::sort(jobTimes.begin(), jobTimes.end());
    std::sort(directTimes.begin(), directTimes.end());
    const double jobMs = jobTimes.at(jobTimes.size() / 2);
    const double directMs = directTimes.at(directTimes.size() / 2);

    std::printf("A job of five %g s clips (%s) with our encoder (%s), median of %d rounds\n", seconds, qPrintable(size),
                VELMORA_ENCODER, rounds);
    std::printf("  encoder run directly:        %8.1f ms\n", directMs);
    std::printf("  Start in the main window:    %8.1f ms   (%+.2f %%; goal under +2 %%)\n", jobMs, (jobMs / directMs - 1) * 100);
    std::printf("  longest unserved event loop: %8lld ms   (goal under 100 ms)\n", static_cast<long long>(longestGap));
    return 0;
}
