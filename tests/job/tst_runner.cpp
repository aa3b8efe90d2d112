#include "job/CommandLines.h"
#include "support/EncoderJobs.h"
#include "job/EncoderRunner.h"
#include "support/Clips.h"
#include "support/FakeEncoder.h"
#include "support/FakeSeams.h"
#include "tasks/MediaProbe.h"

#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QtTest>

using namespace velmora;
using velmora::job::EncoderRunner;
using velmora::job::PositionReader;
using velmora::job::RunResult;
using End = velmora::job::RunResult::End;

namespace {

struct Run
{
    RunResult result;
    QList<double> positions;
};

Run runWith(EncoderRunner &runner, const QStringList &arguments = {}, PositionReader::Pass pass = PositionReader::Pass::Conversion,
            QLocale locale = QLocale::c())
{
    PositionReader reader(pass, locale);
    Run run;
    QWidget owner;
    run.result = runner.RunEncoder(arguments, reader, [&run](double position) { run.positions << position; }, &owner);
    return run;
}

} // namespace

class tst_Runner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationName("Velmora"); // as the main window sets it
        tasks::UseUtf8FileNames();                        // as the program does at start-up
    }

    void positionsAfterTwentyChunks()
    {
        test::FakeEncoder fake;
        fake.script("lines 25 starting 4\npos 1 10 1 4\n");
        EncoderRunner runner(fake.program());
        const Run run = runWith(runner, {"in.avi", "-o", "out.avi"});
        QVERIFY(run.result.succeeded());
        QCOMPARE(fake.arguments(0), (QStringList{"in.avi", "-o", "out.avi"}));
        QVERIFY(!run.positions.isEmpty());
        QCOMPARE(run.positions.constLast(), 10.0);
        QVERIFY(!run.positions.contains(0.0));
    }

    void chunksWithoutStatusKeepTheLastPosition()
    {
        test::FakeEncoder fake;
        fake.script("lines 21 starting 4\npos 3 3 1 4\nlines 25 Skipping 4\n");
        EncoderRunner runner(fake.program());
        const Run run = runWith(runner);
        QVERIFY(run.positions.size() > 10);
        for (const double position : run.positions)
            QCOMPARE(position, 3.0);
    }

    void zeroByteEndsTheChunk()
    {
        test::FakeEncoder fake;
        fake.script("lines 21 starting 4\nraw Pos: 4.0s\\0Pos: 9.0s\\r\nsleep 20\nsay done\n");
        EncoderRunner runner(fake.program());
        const Run run = runWith(runner);
        QVERIFY(run.positions.contains(4.0));
        QVERIFY(!run.positions.contains(9.0));
    }

    void decimalComma_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("read");
        QTest::newRow("point, comma locale") << "pos" << "de_DE" << true;
        QTest::newRow("comma, comma locale") << "comma" << "de_DE" << true;
        QTest::newRow("comma, point locale") << "comma" << "C" << false;
    }
    void decimalComma()
    {
        QFETCH(QString, command);
        QFETCH(QString, locale);
        QFETCH(bool, read);
        test::FakeEncoder fake;
        fake.script("lines 21 starting 4\n" + command + " 1.5 1.5 1 4\n");
        EncoderRunner runner(fake.program());
        const Run run = runWith(runner, {}, PositionReader::Pass::Conversion, QLocale(locale));
        QCOMPARE(run.positions.contains(1.5), read);
    }

    void silenceKeepsTheWindowServed()
    {
        test::FakeEncoder fake;
        fake.script("sleep 1500\nsay done\n");
        EncoderRunner runner(fake.program());
        int ticks = 0;
        QTimer timer;
        timer.setInterval(50);
        QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start();
        const Run run = runWith(runner);
        QVERIFY(run.result.succeeded());
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    }

    void endings_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("success") << "say all done" << int(End::Exited) << 0;
        QTest::newRow("exit code") << "say Error parsing option\nexit 3" << int(End::Exited) << 3;
        QTest::newRow("crash") << "say about to fall\ncrash" << int(End::Crashed) << -1;
    }
    void endings()
    {
        QFETCH(QString, script);
        QFETCH(int, end);
        QFETCH(int, exitCode);
        test::FakeEncoder fake;
        fake.script(script + "\n");
        EncoderRunner runner(fake.program());
        const Run run = runWith(runner);
        QCOMPARE(int(run.result.end), end);
        if (exitCode >= 0)
            QCOMPARE(run.result.exitCode, exitCode);
        QVERIFY(!run.result.lastLines().isEmpty());
        QVERIFY(!runner.isRunning());
    }

    void stopDuringARun()
    {
        test::FakeEncoder fake;
        fake.script("say working\nhang\n");
        EncoderRunner runner(fake.program());
        QTimer::singleShot(300, &runner, [&runner] { runner.TerminateEncoder(); });
        const Run run = runWith(runner);
        QCOMPARE(run.result.end, End::Stopped);
        QVERIFY(!runner.isRunning());
        runner.TerminateEncoder(); // nothing runs: nothing happens
        // The next run is not taken for stopped.
        fake.script("say again\n");
        QCOMPARE(runWith(runner).result.end, End::Exited);
    }

    void encoderMissing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no file") << "missing";
        QTest::newRow("not executable") << "plain";
        QTest::newRow("link to nothing") << "dangling";
    }
    void encoderMissing()
    {
        QFETCH(QString, kind);
        test::FakeSeams seams;
        test::TestFolder folder;
        const QString path = folder.file("asapi.dll");
        if (kind == "plain")
            folder.write("asapi.dll", "MZ not a program");
        else if (kind == "dangling")
            QVERIFY(QFile::link(folder.file("gone"), path));
        EncoderRunner runner(path);
        const Run run = runWith(runner);
        QCOMPARE(run.result.end, End::CouldNotStart);
        QCOMPARE(seams.messages.texts(), QStringList{"Error. Please re-install Velmora"});
        QCOMPARE(seams.messages.shown.at(0).title, QString("Velmora"));
    }

    void realConversionAndJoin()
    {
        test::TestFolder folder;
        test::ClipSpec small;
        small.seconds = 2;
        test::ClipSpec wide;
        wide.size = "480x270";
        wide.rate = 30;
        wide.sampleRate = 22050;
        wide.seconds = 2;
        const QString first = test::copyClip(folder.file(QString::fromUtf8("my \"quoted\" vidéo/clip é 1.avi")), small);
        const QString second = test::copyClip(folder.file("plain/clip2.avi"), wide);
        const QString work = folder.mkdir(QString::fromUtf8("work dir ü"));
        EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        QStringList intermediates;
        for (const QString &input : {first, second}) {
            const QString intermediate = work + QStringLiteral("/%1.avi").arg(intermediates.size());
            const Run run = runWith(runner, test::conversionCommand(input, intermediate, "320:240").arguments());
            QVERIFY2(run.result.succeeded(), qPrintable(run.result.lastLines()));
            // A two-second clip converts in a fraction of a second, within the chunks the job
            // passes over; the status text must still come through the pipe.
            QVERIFY(run.result.output.contains("Pos:"));
            for (const double position : run.positions)
                QVERIFY(position >= 0 && position <= 2.2);
            QCOMPARE(tasks::ProbeMedia(intermediate).size, QString("320x240"));
            intermediates << intermediate;
        }
        profiles::EncoderArgs options;
        options.words({"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3", "-oac", "mp3lame",
                         "-lameopts", "vbr=2:q=6", "-channels", "2", "-vf", "scale=320:240", "-srate", "44100"});
        const QString output = folder.file(QString::fromUtf8("out \"joined\" é.avi"));
        const Run run = runWith(runner, job::JoinCommand(intermediates, output, options).arguments(), PositionReader::Pass::Join);
        QVERIFY2(run.result.succeeded(), qPrintable(run.result.lastLines()));
        const tasks::ProbeResult probe = tasks::ProbeMedia(output);
        QCOMPARE(probe.size, QString("320x240"));
        for (qsizetype i = 1; i < run.positions.size(); ++i)
            QVERIFY(run.positions.at(i) >= run.positions.at(i - 1));
    }
};

QTEST_MAIN(tst_Runner)
#include "tst_runner.moc"
