// Stop, failures, progress and completion actions of the job, driven by the stand-in encoder.
#include "app/Drops.h"
#include "app/JobRun.h"
#include "support/FakeSeams.h"

#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QTimer>

using namespace velmora;
using velmora::test::drop;
using velmora::test::FakeEncoder;
using velmora::test::FakeSeams;
using velmora::test::JobFolder;
using velmora::test::JobRun;
using velmora::test::ShownMessage;
using velmora::test::when;

namespace {

// A run that reports positions and writes the file it was asked for: a real clip of the
// given length, as long as the one-second inputs (a conversion) or all of them (the join).
QString works(int seconds = 1)
{
    test::ClipSpec clip;
    clip.seconds = seconds;
    return QStringLiteral("lines 21 starting 2\npos 0.1 1.0 0.1 15\ncopy %1\n").arg(test::sharedClip(clip));
}
const QString Hangs = QStringLiteral("say working\nhang\n");

// Calls what (once) when a row's Status becomes status.
void onStatus(QTreeWidget *list, int row, const QString &status, std::function<void()> what)
{
    auto fired = std::make_shared<bool>(false);
    QObject::connect(list->model(), &QAbstractItemModel::dataChanged, list, [=] {
        if (!*fired && list->topLevelItem(row)->text(3) == status) {
            *fired = true;
            what();
        }
    });
}

// The processes whose command line names something of the folder: an encoder, or what it started.
QStringList processesNaming(const QString &folder)
{
    QStringList found;
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile commandLine("/proc/" + pid + "/cmdline");
        if (pid.toInt() > 0 && pid.toInt() != QCoreApplication::applicationPid() && commandLine.open(QIODevice::ReadOnly)
            && commandLine.readAll().contains(folder.toLocal8Bit()))
            found << pid;
    }
    return found;
}

} // namespace

class tst_JobControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void liveProgressInBothPasses()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2)); // the join
        JobFolder job(2, &fake);
        JobRun run(job);
        QList<int> conversionTotal, joinTotal, current;
        auto *title = run.child<QLabel>("labProcessTitle");
        connect(run.child<QProgressBar>("pgbTotal"), &QProgressBar::valueChanged, this, [&](int value) {
            (title->text().startsWith("Final Step") ? joinTotal : conversionTotal) << value;
        });
        connect(run.child<QProgressBar>("pgbCurrent"), &QProgressBar::valueChanged, this, [&](int value) { current << value; });
        bool panelShown = false;
        onStatus(run.list(), 0, "Converting", [&] {
            panelShown = run.child("panBottomLeft")->isVisible() && !run.child("panBottomCenter")->isVisible();
        });
        run.start();

        QVERIFY(panelShown);
        QCOMPARE(title->text(), QString("Final Step: Joining all files..."));
        QCOMPARE(run.statuses(), (QStringList{"Complete", "Complete"}));
        QCOMPARE(fake.runs(), 3);
        QVERIFY(QSet<int>(conversionTotal.begin(), conversionTotal.end()).size() >= 3);
        QVERIFY(QSet<int>(joinTotal.begin(), joinTotal.end()).size() >= 3);
        QVERIFY(QSet<int>(current.begin(), current.end()).size() >= 5);
        for (const int value : std::as_const(conversionTotal))
            QVERIFY2(value >= 0 && value <= 50, qPrintable(QString::number(value)));
        for (const int value : std::as_const(joinTotal))
            QVERIFY2(value >= 50 && value <= 100, qPrintable(QString::number(value)));
        // The encoder got the conversion and join command lines, one argument each: each row
        // converted with the join's own options (the first clip's 4:3 shape for autoaspect) into
        // a Matroska part that records them beside its source.
        const QStringList join = fake.arguments(2);
        QVERIFY(join.at(0).endsWith("/0.mkv") && join.at(1).endsWith("/1.mkv"));
        QCOMPARE(join.at(2), QString("-o"));
        QVERIFY(join.at(3).startsWith(job.outputDir + "/joined.joining-"));
        QCOMPARE(join.at(4), QString("-ovc"));
        const QStringList options = join.mid(4);
        QStringList converted = options;
        converted.replaceInStrings(":autoaspect", ":aspect=4/3");
        QVERIFY(converted != options);
        const QString source = "srcform=%" + QString::number(job.inputs.at(1).toUtf8().size()) + "%" + job.inputs.at(1);
        const QString made = options.join(' ');
        const QStringList expected = QStringList{job.inputs.at(1), "-o", join.at(1)} + converted
                                     + QStringList{"-ofps", "30", "-info", source + ":comment=%" + QString::number(made.toUtf8().size()) + "%" + made};
        QCOMPARE(fake.arguments(1), expected);
        QCOMPARE(run.leftInOutput(), QStringList{"joined.avi"});
    }

    void stopDuringTheConversionOfRow2()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, Hangs);
        JobFolder job(5, &fake);
        job.folder.write("scratch/0.avi", "foreign");
        JobRun run(job);
        when(this, [&] { return fake.runs() == 3; }, [&] { run.stop(); });
        run.start();
        QCOMPARE(run.statuses(), (QStringList{"Waiting for joining", "Waiting for joining", "Stop", "OK", "OK"}));
        QCOMPARE(fake.runs(), 3); // no join
        QCOMPARE(seams.messages.texts(), QStringList{"The Coversion is canceled."});
        QCOMPARE(seams.messages.shown.at(0).title, QString("Cancel"));
        QCOMPARE(run.leftInTemp(), QStringList{"0.avi"});
        QCOMPARE(job.folder.read("scratch/0.avi"), QByteArray("foreign"));
        QVERIFY(run.leftInOutput().isEmpty());
        QVERIFY(!run.main().Runner().isRunning());
        QVERIFY(!run.child("panBottomLeft")->isVisible());
        QCOMPARE(run.main().job()->state(), job::JobState::StopRequested); // until the next Start
        QVERIFY(seams.shell.opened.isEmpty());
    }

    void stopDuringTheJoin()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, "output 500\nhang\n"); // a partly written output
        JobFolder job(2, &fake);
        job.folder.write("out/joined.avi", "my old video");
        JobRun run(job);
        run.check("rdbOverWrite", true);
        when(this, [&] { return fake.runs() == 3; }, [&] { run.stop(); });
        run.start();
        QCOMPARE(run.statuses(), (QStringList{"Stop", "Stop"}));
        QCOMPARE(seams.messages.texts(), QStringList{"The Joining is canceled."});
        QCOMPARE(run.leftInOutput(), QStringList{"joined.avi"});
        QCOMPARE(job.folder.read("out/joined.avi"), QByteArray("my old video"));
        QVERIFY(run.leftInTemp().isEmpty());
        QVERIFY(run.idleAgain());
    }

    // Stop acts on a running job only. Each row brings the job to its state the way a user
    // would, then runs an encoder through the window's runner and presses Stop during it.
    void stopActsOnlyOnARunningJob_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("after");
        QTest::newRow("running: stops") << int(job::JobState::Running) << int(job::RunResult::End::Stopped)
                                        << int(job::JobState::StopRequested);
        QTest::newRow("idle: nothing") << int(job::JobState::Idle) << int(job::RunResult::End::Exited) << int(job::JobState::Idle);
        QTest::newRow("already asked: nothing") << int(job::JobState::StopRequested) << int(job::RunResult::End::Exited)
                                                << int(job::JobState::StopRequested);
    }
    void stopActsOnlyOnARunningJob()
    {
        QFETCH(int, state);
        QFETCH(int, end);
        QFETCH(int, after);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        JobFolder job(2, &fake);
        JobRun run(job);
        const auto stopDuringARun = [&](int runNumber) {
            fake.script(runNumber, "say working\nsleep 600\n");
            QTimer::singleShot(100, &run.main(), [&run] { run.main().tbtnStopClick(); });
            job::PositionReader reader;
            const job::RunResult result = run.main().Runner().RunEncoder({}, reader, {}, &run.main());
            QCOMPARE(int(result.end), end);
            QCOMPARE(int(run.main().job()->state()), after);
        };
        switch (job::JobState(state)) {
        case job::JobState::Idle:
            stopDuringARun(0);
            break;
        case job::JobState::Running:
            // While the completion message is open the job still runs, and no encoder does.
            fake.script(2, works(2));
            seams.messages.onShow = [&, first = true]() mutable {
                if (!std::exchange(first, false))
                    return;
                QCOMPARE(run.main().job()->state(), job::JobState::Running);
                stopDuringARun(3);
            };
            run.start();
            QCOMPARE(seams.messages.texts().value(0), QString("The joining is completed successfully."));
            break;
        case job::JobState::StopRequested:
            // A Stop during the conversion is remembered until the next Start.
            fake.script(0, Hangs);
            when(this, [&] { return fake.runs() == 1; }, [&] { run.stop(); });
            run.start();
            QCOMPARE(run.main().job()->state(), job::JobState::StopRequested);
            stopDuringARun(1);
            break;
        }
    }

    void stopBetweenRuns_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("message");
        QTest::newRow("between two conversions") << 0 << QStringList{"Waiting for joining", "Stop", "OK"} << "The Coversion is canceled.";
        QTest::newRow("between the passes") << 2 << QStringList{"Stop", "Stop", "Stop"} << "The Joining is canceled.";
    }
    void stopBetweenRuns()
    {
        QFETCH(int, row);
        QFETCH(QStringList, statuses);
        QFETCH(QString, message);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        JobFolder job(3, &fake);
        JobRun run(job);
        // Pressed while no encoder runs: the next run does not begin.
        onStatus(run.list(), row, "Waiting for joining", [&] { run.main().tbtnStopClick(); });
        run.start();
        QCOMPARE(fake.runs(), row + 1);
        QCOMPARE(run.statuses(), statuses);
        QCOMPARE(seams.messages.texts(), QStringList{message});
        QVERIFY(run.leftInTemp().isEmpty());
        QVERIFY(run.leftInOutput().isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<int>("run");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); // {in0}, {in1}: the inputs, {out}: the output
        QTest::addColumn<QString>("details");
        QTest::newRow("conversion exits with 1") << 1 << "say Cannot open file\nexit 1" << QStringList{"Waiting for joining", "Failed"}
                                                 << "Conversion Failed" << "Velmora could not convert {in1}." << "Cannot open file";
        QTest::newRow("conversion writes nothing") << 0 << "say all fine\nexit 0" << QStringList{"Failed", "OK"}
                                                   << "Conversion Failed" << "Velmora could not convert {in0}." << "all fine";
        QTest::newRow("join crashes") << 2 << "say joining\ncrash" << QStringList{"Failed", "Failed"} << "Joining Failed"
                                      << "Velmora could not join the files into {out}." << "joining";
        QTest::newRow("join exits with 2") << 2 << "output 100\nsay Error parsing option\nexit 2" << QStringList{"Failed", "Failed"}
                                           << "Joining Failed" << "Velmora could not join the files into {out}." << "Error parsing option";
    }
    void failures()
    {
        QFETCH(int, run);
        QFETCH(QString, script);
        QFETCH(QStringList, statuses);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, details);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(run, script + "\n");
        JobFolder job(2, &fake);
        job.folder.write("scratch/0.avi", "foreign");
        JobRun jobRun(job);
        jobRun.check("chkTurnoff", true); // nothing of it may happen after a failure
        jobRun.start();
        QCOMPARE(jobRun.statuses(), statuses);
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Error);
        QCOMPARE(seams.messages.shown.at(0).title, title);
        text.replace("{in0}", job.inputs.at(0)).replace("{in1}", job.inputs.at(1)).replace("{out}", job.outputDir + "/joined.avi");
        QCOMPARE(seams.messages.shown.at(0).text, text);
        QVERIFY(seams.messages.shown.at(0).details.contains(details));
        // The details end with the command line that failed, as the log writes it.
        const QString commandLine = seams.messages.shown.at(0).details.section('\n', -1);
        QVERIFY2(commandLine.startsWith("Command line: \"" + job.folder.file("asapi.dll") + "\" "), qPrintable(commandLine));
        for (const QString &argument : fake.arguments(run))
            QVERIFY2(commandLine.contains(argument), qPrintable(argument));
        QCOMPARE(seams.power.powerOffs, 0);
        QVERIFY(jobRun.main().isVisible());
        QVERIFY(seams.shell.opened.isEmpty());
        QVERIFY(jobRun.leftInOutput().isEmpty());
        QCOMPARE(jobRun.leftInTemp(), QStringList{"0.avi"});
        QVERIFY(jobRun.idleAgain());
        QCOMPARE(fake.runs(), run + 1);
    }

    // With velmora.job on, each run's command line is logged as text and as arguments, and
    // how the run ended; with the defaults nothing is.
    void logsWhatRan_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("logged");
        QTest::newRow("quiet by default") << QString() << false;
        QTest::newRow("velmora.job on") << "velmora.job=true" << true;
    }
    void logsWhatRan()
    {
        QFETCH(QString, rules);
        QFETCH(bool, logged);
        static QStringList lines;
        lines.clear();
        QLoggingCategory::setFilterRules(rules);
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &text) {
            if (QByteArray(context.category).startsWith("velmora."))
                lines << text;
        });
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2));
        JobFolder job(2, &fake);
        JobRun run(job);
        run.start();
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(seams.messages.texts(), QStringList{"The joining is completed successfully."});
        if (!logged) {
            QVERIFY2(lines.isEmpty(), qPrintable(lines.join('\n')));
            return;
        }
        const QString encoder = '"' + job.folder.file("asapi.dll") + '"';
        QCOMPARE(lines.filter("Running " + encoder + " \"" + job.inputs.at(0) + "\" -o ").size(), 1);
        QCOMPARE(lines.filter("Running " + encoder).size(), 3);
        QCOMPARE(lines.filter("Arguments:").size(), 3);
        QVERIFY(lines.filter("Arguments:").at(0).contains(job.inputs.at(0)));
        QCOMPARE(lines.filter("The encoder exited with status 0").size(), 3);
    }

    void shortOrUnreadableOutputFailsTheJoin_data()
    {
        QTest::addColumn<QString>("join");
        QTest::addColumn<QString>("details");
        QTest::newRow("a second where two went in") << works(1) << "The joined file plays 1.0 s of the 2.0 s that were joined.";
        QTest::newRow("a file that does not play") << "output 184000\nexit 0" << "The joined file does not play.";
    }
    void shortOrUnreadableOutputFailsTheJoin()
    {
        // As from a disk that filled up under an encoder that did not notice.
        QFETCH(QString, join);
        QFETCH(QString, details);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, join + "\n");
        JobFolder job(2, &fake);
        job.folder.write("out/joined.avi", "my old video");
        JobRun run(job);
        run.check("rdbOverWrite", true);
        run.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Error);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Joining Failed"));
        QVERIFY2(seams.messages.shown.at(0).details.startsWith(details), qPrintable(seams.messages.shown.at(0).details));
        QCOMPARE(run.statuses(), (QStringList{"Failed", "Failed"}));
        QCOMPARE(run.leftInOutput(), QStringList{"joined.avi"});
        QCOMPARE(job.folder.read("out/joined.avi"), QByteArray("my old video"));
        QVERIFY(run.leftInTemp().isEmpty());
        QVERIFY(!run.main().timerTime().isActive());
        QVERIFY(run.idleAgain());
    }

    void nothingTheEncoderStartedOutlivesIt_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("Stop") << true;
        QTest::newRow("a run that ends by itself") << false;
    }
    void nothingTheEncoderStartedOutlivesIt()
    {
        QFETCH(bool, stop);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2));
        fake.script(0, stop ? QString("child 60\nhang\n") : "child 60\n" + works());
        JobFolder job(2, &fake);
        JobRun run(job);
        run.check("chkOpenDir", false);
        if (stop)
            when(this, [&] { return fake.runs() == 1; }, [&] { run.stop(); });
        run.start();
        QCOMPARE(run.statuses(), stop ? (QStringList{"Stop", "OK"}) : (QStringList{"Complete", "Complete"}));
        QCOMPARE(processesNaming(job.folder.path()), QStringList());
    }

    void dropDuringAJobChangesNothing()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(Hangs);
        JobFolder job(2, &fake);
        JobRun run(job);
        const QString more = test::copyClip(job.folder.file("in/more.avi"));
        QStringList disabled;
        when(this, [&] { return fake.runs() == 1; }, [&] {
            drop(&run.main(), {more});
            for (const char *name : {"tbtnStart", "tbtnRemove", "tbtnClear", "tbtnUp", "tbtnDown", "tbtnAddFile"}) {
                if (!run.action(name)->isEnabled())
                    disabled << name;
            }
            run.stop();
        });
        run.start();
        QCOMPARE(disabled, (QStringList{"tbtnStart", "tbtnRemove", "tbtnClear", "tbtnUp", "tbtnDown", "tbtnAddFile"}));
        QCOMPARE(run.list()->topLevelItemCount(), 2);
    }

    void secondJobAfterAStopRunsBothPasses()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(0, Hangs);
        fake.script(3, works(2)); // the second job's join
        JobFolder job(2, &fake);
        JobRun run(job);
        run.check("chkOpenDir", false);
        when(this, [&] { return fake.runs() == 1; }, [&] { run.stop(); });
        run.start();
        QCOMPARE(run.statuses(), (QStringList{"Stop", "OK"}));
        run.start();
        QCOMPARE(fake.runs(), 4);
        QCOMPARE(run.statuses(), (QStringList{"Complete", "Complete"}));
        QCOMPARE(seams.messages.texts(), (QStringList{"The Coversion is canceled.", "The joining is completed successfully."}));
        QVERIFY(run.idleAgain());
    }

    void timerCountsWhileAJobRuns_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("Stop") << "stop";
        QTest::newRow("a failure") << "fail";
    }
    void timerCountsWhileAJobRuns()
    {
        QFETCH(QString, ending);
        FakeSeams seams;
        FakeEncoder fake;
        // Two and a half seconds of steady progress, then the end chosen.
        fake.script(0, "lines 21 starting 2\npos 0.1 1.0 0.1 250\n" + QString(ending == "stop" ? "hang\n" : "exit 3\n"));
        JobFolder job(2, &fake);
        JobRun run(job);
        QStringList elapsed;
        QStringList remaining;
        bool activeWhileRunning = false;
        auto *watch = new QTimer(this);
        connect(watch, &QTimer::timeout, this, [&] {
            activeWhileRunning = activeWhileRunning || run.main().timerTime().isActive();
            const QString shown = run.child<QLabel>("labElapsed")->text();
            if (!shown.isEmpty() && !elapsed.contains(shown)) {
                elapsed << shown;
                remaining << run.child<QLabel>("labRemaining")->text();
            }
            if (ending == "stop" && elapsed.size() >= 3)
                run.stop();
        });
        watch->start(50);
        run.start();
        watch->stop();
        QVERIFY(activeWhileRunning);
        QVERIFY2(elapsed.size() >= 2, qPrintable(elapsed.join(", ")));
        QCOMPARE(elapsed.mid(0, 2), (QStringList{"00:00:01", "00:00:02"}));
        QVERIFY(!remaining.constFirst().isEmpty());
        QVERIFY(!run.main().timerTime().isActive());
        const QString last = run.child<QLabel>("labElapsed")->text();
        QTest::qWait(1200);
        QCOMPARE(run.child<QLabel>("labElapsed")->text(), last);
    }

    void missingEncoder()
    {
        FakeSeams seams;
        JobFolder job(2);
        QFile::remove(job.folder.file("asapi.dll"));
        JobRun run(job);
        run.start();
        QCOMPARE(seams.messages.texts(), QStringList{"Error. Please re-install Velmora"});
        QCOMPARE(run.statuses(), (QStringList{"Failed", "OK"}));
        QVERIFY(run.leftInTemp().isEmpty());
        QVERIFY(run.idleAgain());
    }

    void finalRenameFails()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2)); // the join
        JobFolder job(2, &fake);
        job.folder.mkdir("out/joined.avi"); // a folder stands at the output's name
        JobRun run(job);
        run.check("rdbOverWrite", true);
        run.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Joining Failed"));
        const QStringList left = run.leftInOutput();
        QCOMPARE(left.size(), 2);
        const QString kept = job.outputDir + "/" + (left.at(0) == "joined.avi" ? left.at(1) : left.at(0));
        QVERIFY(kept.contains(".joining-"));
        QCOMPARE(seams.messages.shown.at(0).text, "Velmora could not join the files into " + job.outputDir
                                                      + "/joined.avi.\nThe joined file was kept as " + kept + " (Is a directory).");
        test::ClipSpec joined;
        joined.seconds = 2;
        QCOMPARE(QFileInfo(kept).size(), QFileInfo(test::sharedClip(joined)).size());
        QCOMPARE(run.statuses(), (QStringList{"Failed", "Failed"}));
        QVERIFY(run.idleAgain());
    }

    void unusableTemporaryFolder_data()
    {
        QTest::addColumn<QString>("tempDir");      // "" for an empty text; "<file>" a file stands there
        QTest::addColumn<bool>("blockFallback");   // a file where the program folder's temp would go
        QTest::addColumn<bool>("runs");
        QTest::newRow("empty text") << "" << false << false;
        QTest::newRow("parent missing, fallback used") << "nowhere/deeper" << false << true;
        QTest::newRow("parent missing, fallback blocked") << "nowhere/deeper" << true << false;
        QTest::newRow("a file stands there") << "<file>" << true << false;
    }
    void unusableTemporaryFolder()
    {
        QFETCH(QString, tempDir);
        QFETCH(bool, blockFallback);
        QFETCH(bool, runs);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2)); // the join
        JobFolder job(2, &fake);
        if (blockFallback)
            job.folder.write("temp", "not a folder");
        JobRun run(job);
        QString text = tempDir;
        if (tempDir == "<file>")
            text = job.folder.write("scratch/file", "x");
        else if (!tempDir.isEmpty())
            text = job.folder.file(tempDir);
        run.setting<QLineEdit>("edtTempDir")->setText(text);
        run.check("chkOpenDir", false);
        run.start();
        if (runs) {
            QCOMPARE(seams.messages.texts(), QStringList{"The joining is completed successfully."});
            QVERIFY(QDir(job.folder.file("temp")).isEmpty());
            QVERIFY(fake.arguments(0).at(2).startsWith(job.folder.file("temp/velmora-job-")));
        } else {
            QCOMPARE(seams.messages.texts(),
                     QStringList{"The temporary folder cannot be used. Please specify another one in the settings."});
            QCOMPARE(seams.messages.shown.at(0).title, QString("Temporary Folder"));
            QCOMPARE(fake.runs(), 0);
            QCOMPARE(run.statuses(), (QStringList{"OK", "OK"}));
        }
        QVERIFY(run.idleAgain());
    }

    void startChecks_data()
    {
        QTest::addColumn<int>("clips");
        QTest::addColumn<QString>("output"); // relative to the output folder unless it starts with "!"
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("focusOutput");
        QTest::newRow("one row") << 1 << "joined.avi" << "Add More Videos" << false;
        QTest::newRow("folder missing") << 2 << "missing/joined.avi" << "Output path does not exist" << true;
        QTest::newRow("relative folder") << 2 << "!out/joined.avi" << "Output path does not exist" << true;
        QTest::newRow("no folder part") << 2 << "!joined.avi" << "Output path does not exist" << true;
        QTest::newRow("folder only") << 2 << "" << "Icorrect Filename" << true;
    }
    void startChecks()
    {
        QFETCH(int, clips);
        QFETCH(QString, output);
        QFETCH(QString, title);
        QFETCH(bool, focusOutput);
        FakeSeams seams;
        FakeEncoder fake;
        JobFolder job(clips, &fake);
        JobRun run(job);
        run.outputField()->setText(output.startsWith('!') ? output.mid(1) : job.outputDir + "/" + output);
        run.outputField()->setFocus();
        run.list()->setFocus();
        run.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).title, title);
        QCOMPARE(QApplication::focusWidget() == run.outputField(), focusOutput);
        QCOMPARE(fake.runs(), 0);
        QVERIFY(run.idleAgain());
    }

    void completionActions_data()
    {
        QTest::addColumn<bool>("turnOff");
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<bool>("closed");
        QTest::newRow("turn off and exit") << true << true << true << true;
        QTest::newRow("exit and open folder") << false << true << true << true;
        QTest::newRow("open folder only") << false << false << true << false;
        QTest::newRow("nothing") << false << false << false << false;
    }
    void completionActions()
    {
        QFETCH(bool, turnOff);
        QFETCH(bool, exit);
        QFETCH(bool, openDir);
        QFETCH(bool, closed);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2)); // the join
        JobFolder job(2, &fake);
        JobRun run(job);
        run.check("chkTurnoff", turnOff);
        run.check("chkExit", exit);
        run.check("chkOpenDir", openDir);
        int openedWhenMessageShown = -1;
        seams.messages.onShow = [&] { openedWhenMessageShown = seams.shell.opened.size(); };
        run.start();
        QCOMPARE(seams.power.powerOffs, turnOff ? 1 : 0);
        QCOMPARE(!run.main().isVisible(), closed);
        if (closed) {
            QVERIFY(seams.messages.shown.isEmpty());
            QVERIFY(seams.shell.opened.isEmpty());
            // The ordinary close ran: the preferences were written.
            QVERIFY(job.folder.read("Preferences.ini").contains("Profile=0"));
        } else {
            QCOMPARE(seams.messages.texts(), QStringList{"The joining is completed successfully."});
            QCOMPARE(openedWhenMessageShown, 0); // the folder opens after the message
            QCOMPARE(seams.shell.opened, openDir ? QStringList{job.outputDir} : QStringList{});
            QVERIFY(run.idleAgain());
        }
    }

    void closingDuringAJob_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("no: the job goes on") << false;
        QTest::newRow("yes: stop, then close") << true;
    }
    void closingDuringAJob()
    {
        QFETCH(bool, answer);
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, works(2)); // the join
        fake.script(1, answer ? Hangs : QString("sleep 400\n") + works());
        JobFolder job(2, &fake);
        JobRun run(job);
        run.check("chkOpenDir", false);
        seams.messages.answers << answer;
        bool stillShownAfterNo = false;
        when(this, [&] { return fake.runs() == 2; }, [&] {
            run.main().close();
            stillShownAfterNo = run.main().isVisible();
        });
        run.start();
        QCOMPARE(seams.messages.shown.at(0).title, QString("Exit"));
        QCOMPARE(seams.messages.shown.at(0).text, QString("A task is running. Do you want to stop it and exit?"));
        QVERIFY(!run.main().Runner().isRunning());
        QVERIFY(stillShownAfterNo);
        if (answer) {
            QVERIFY(!run.main().isVisible());
            QCOMPARE(run.statuses(), (QStringList{"Waiting for joining", "Stop"}));
            QCOMPARE(fake.runs(), 2);
            QVERIFY(run.leftInTemp().isEmpty());
        } else {
            QVERIFY(run.main().isVisible());
            QCOMPARE(run.statuses(), (QStringList{"Complete", "Complete"}));
            QCOMPARE(seams.messages.texts().constLast(), QString("The joining is completed successfully."));
            // Idle, the window closes without a question.
            run.main().close();
            QVERIFY(!run.main().isVisible());
            QCOMPARE(seams.messages.shown.size(), 2);
        }
    }

    // The session ends, or a signal asks the program to end, during a job: the job stops by
    // the same path as Stop, without a question, and the window closes once it has.
    void endedFromOutsideDuringAJob()
    {
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(1, Hangs);
        JobFolder job(2, &fake);
        JobRun run(job);
        when(this, [&] { return fake.runs() == 2; }, [&] { run.main().closeFromOutside(); });
        run.start();
        QVERIFY(!run.main().isVisible());
        QVERIFY(!run.main().Runner().isRunning());
        QCOMPARE(run.statuses(), (QStringList{"Waiting for joining", "Stop"}));
        QCOMPARE(seams.messages.texts(), QStringList{"The Coversion is canceled."});
        QCOMPARE(fake.runs(), 2);
        QVERIFY(run.leftInTemp().isEmpty());
        QVERIFY(run.leftInOutput().isEmpty());
    }
};

QTEST_MAIN(tst_JobControl)
#include "tst_jobcontrol.moc"
