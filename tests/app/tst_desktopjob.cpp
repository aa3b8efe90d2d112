// What the desktop hears of a job, on a private bus with a fake logind, a fake notification
// server and a taskbar that listens: no sleep while the window's job or the terminal join runs,
// a notification at the end while the window is in the background, and the taskbar's progress.
#include "app/DesktopJob.h"
#include "app/JobRun.h"
#include "support/FakeDesktopBus.h"
#include "support/FakeSeams.h"

#include <QDir>
#include <QTimer>

#include <csignal>

using namespace velmora;
using test::FakeEncoder;
using test::FakeLogind;
using test::FakeNotifications;
using test::FakeSeams;
using test::JobFolder;
using test::JobRun;
using test::when;

namespace {

// A run that reports positions for a while (after the twenty lines before the job believes
// another encoder's positions) and writes a real clip of the given length.
QString works(int seconds = 1)
{
    test::ClipSpec clip;
    clip.seconds = seconds;
    return QStringLiteral("lines 21 starting 2\npos 0.1 1.0 0.1 20\ncopy %1\n").arg(test::sharedClip(clip));
}

// The processes whose command line names the text: an encoder left behind.
QList<int> processesNaming(const QString &text)
{
    QList<int> found;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (pid.toInt() > 0 && cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(text.toUtf8()))
            found << pid.toInt();
    }
    return found;
}

// Puts the main window in the background, behind a window of another kind, or in front.
void makeActive(JobRun &run, QWidget &other, bool active)
{
    QWidget &front = active ? static_cast<QWidget &>(run.main()) : other;
    front.show();
    front.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&front));
    QCOMPARE(run.main().isActiveWindow(), active);
}

} // namespace

class tst_DesktopJob : public QObject
{
    Q_OBJECT

    test::PrivateBus m_bus;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_bus.isRunning());
        m_bus.standInForSystemAndSession();
    }

    // What the notification says.
    void endNotice_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("action");
        const int joined = int(job::JobOutcome::Joined);
        const int failed = int(job::JobOutcome::Failed);
        QTest::newRow("joined") << joined << 724.4 << "" << "Joined 6 files into holiday.mp4 (12:04)" << "/videos/trip" << true;
        QTest::newRow("joined, over an hour") << joined << 3725.0 << "" << "Joined 6 files into holiday.mp4 (1:02:05)"
                                              << "/videos/trip" << true;
        QTest::newRow("joined, a few seconds") << joined << 7.5 << "" << "Joined 6 files into holiday.mp4 (0:08)" << "/videos/trip"
                                               << true;
        QTest::newRow("failed: title and first line")
            << failed << 0.0 << "Velmora could not convert /videos/a.mp4.\nIt was cut short." << "Conversion Failed"
            << "Velmora could not convert /videos/a.mp4." << false;
        QTest::newRow("failed without a message (the encoder did not start)") << failed << 0.0 << "" << "" << "" << false;
        QTest::newRow("stopped by the user") << int(job::JobOutcome::Stopped) << 0.0 << "" << "" << "" << false;
        QTest::newRow("refused") << int(job::JobOutcome::Refused) << 0.0 << "" << "" << "" << false;
    }
    void endNotice()
    {
        QFETCH(int, outcome);
        QFETCH(double, seconds);
        QFETCH(QString, failure);
        QFETCH(QString, summary);
        QFETCH(QString, body);
        QFETCH(bool, action);
        FakeSeams seams;
        job::JobReport report;
        report.outcome = job::JobOutcome(outcome);
        report.rows = 6;
        if (report.outcome == job::JobOutcome::Joined)
            report.output = QStringLiteral("/videos/trip/holiday.mp4");
        if (!failure.isEmpty())
            report.failureTitle = QStringLiteral("Conversion Failed");
        report.failureText = failure;
        report.seconds = seconds;
        const std::optional<platform::Notice> notice = app::EndNotice(report);
        QCOMPARE(notice.has_value(), !summary.isEmpty());
        if (!notice)
            return;
        QCOMPARE(notice->summary, summary);
        QCOMPARE(notice->body, body);
        QCOMPARE(bool(notice->onAction), action);
        if (action) {
            QCOMPARE(notice->actionLabel, QStringLiteral("Open Folder"));
            notice->onAction();
            QCOMPARE(seams.shell.opened, QStringList{"/videos/trip"});
        }
    }

    // The window's job holds the lock from its start to its end, however it ends, and lets go
    // before its closing message waits for the user.
    void noSleepDuringTheWindowsJob_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("completed") << "completed";
        QTest::newRow("stopped") << "stopped";
        QTest::newRow("failed") << "failed";
    }
    void noSleepDuringTheWindowsJob()
    {
        QFETCH(QString, end);
        FakeLogind logind(m_bus.fakes());
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(1, end == "stopped" ? QStringLiteral("say working\nhang\n") : works());
        fake.script(2, end == "failed" ? QStringLiteral("lines 21 starting 2\npos 0.1 1.0 0.1 20\nsay Invalid data\nexit 1") : works(2));
        JobFolder job(2, &fake);
        JobRun run(job);
        int heldWhileRunning = -1;
        when(this, [&] { return logind.openLocks() == 1 && fake.runs() >= 2; }, [&] {
            heldWhileRunning = logind.openLocks();
            if (end == "stopped")
                run.stop();
        });
        bool heldUnderTheMessage = true;
        seams.messages.onShow = [&] { heldUnderTheMessage = run.main().desktopJob().sleepInhibitor().isHeld(); };
        run.start();
        QCOMPARE(heldWhileRunning, 1);
        QCOMPARE(seams.messages.shown.size(), 1);
        QVERIFY(!heldUnderTheMessage);
        QTRY_COMPARE(logind.openLocks(), 0);
        QCOMPARE(logind.locks().size(), 1);
        QCOMPARE(logind.locks().constFirst().fields(), (QStringList{"sleep:idle", "Velmora", "Joining videos", "block"}));
    }

    // A notification when the window is in the background, none when it is in front; its
    // Open Folder opens the output's folder. The taskbar follows the job meanwhile. There is
    // no logind on the bus here: the jobs run as ever.
    void notificationAtTheEnd_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("fails");
        QTest::newRow("in the background: joined") << false << false;
        QTest::newRow("in the background: failed") << false << true;
        QTest::newRow("in front: joined") << true << false;
    }
    void notificationAtTheEnd()
    {
        QFETCH(bool, active);
        QFETCH(bool, fails);
        FakeNotifications notifications(m_bus.fakes());
        test::LauncherListener taskbar(m_bus.fakes());
        FakeSeams seams;
        FakeEncoder fake;
        fake.script(works());
        fake.script(2, fails ? QStringLiteral("say Invalid data\nexit 1") : works(2));
        JobFolder job(2, &fake);
        JobRun run(job);
        run.check("chkOpenDir", false);
        QWidget other;
        makeActive(run, other, active);
        QList<int> bar;
        connect(run.child<QProgressBar>("pgbTotal"), &QProgressBar::valueChanged, this, [&](int value) { bar << value; });
        run.start();
        QCOMPARE(seams.messages.shown.size(), 1);

        if (active) {
            QTest::qWait(500); // the time a notification takes many times over
            QCOMPARE(notifications.shown().size(), 0);
        } else {
            QTRY_COMPARE(notifications.shown().size(), 1);
            const FakeNotifications::Shown &shown = notifications.shown().constFirst();
            QCOMPARE(shown.appName, QStringLiteral("Velmora"));
            QCOMPARE(shown.appIcon, QStringLiteral("org.example.velmora.Velmora"));
            QCOMPARE(shown.hints.value("desktop-entry").toString(), QStringLiteral("org.example.velmora.Velmora"));
            if (fails) {
                QCOMPARE(shown.summary, QStringLiteral("Joining Failed"));
                QCOMPARE(shown.body, QStringLiteral("Velmora could not join the files into %1/joined.avi.").arg(job.outputDir));
                QVERIFY(shown.actions.isEmpty());
            } else {
                QCOMPARE(shown.summary, QStringLiteral("Joined 2 files into joined.avi (0:02)"));
                QCOMPARE(shown.body, job.outputDir);
                QCOMPARE(shown.actions, (QStringList{"open-folder", "Open Folder"}));
                // Another notification's action, or another action, is not ours.
                notifications.invoke(shown.id + 1, QStringLiteral("open-folder"));
                notifications.invoke(shown.id, QStringLiteral("default"));
                notifications.invoke(shown.id, QStringLiteral("open-folder"));
                QTRY_COMPARE(seams.shell.opened, QStringList{job.outputDir});
            }
        }

        // The taskbar: each whole percent the total bar showed while the job ran, from 0, once;
        // then the progress taken off.
        QTRY_VERIFY(!taskbar.updates().isEmpty() && !taskbar.updates().constLast().visible);
        QList<int> shown;
        for (const test::LauncherListener::Update &update : taskbar.updates()) {
            QCOMPARE(update.appUri, QStringLiteral("application://org.example.velmora.Velmora.desktop"));
            if (update.visible)
                shown << qRound(update.progress * 100);
        }
        QList<int> expected{0};
        for (const int value : std::as_const(bar)) {
            if (value != expected.constLast())
                expected << value;
        }
        QCOMPARE(shown, expected);
        QVERIFY(expected.size() >= 3);
        if (!fails)
            QCOMPARE(expected.constLast(), 100);
    }

    // The terminal join holds the lock too, and a kill lets go of it: the descriptor dies with
    // the process, and the encoder it started (still running) never had it.
    void terminalJoinKilled()
    {
        FakeLogind logind(m_bus.fakes());
        FakeEncoder fake;
        fake.script(QStringLiteral("say working\nhang\n"));
        test::TestFolder folder;
        const QString program = folder.file(QStringLiteral("velmora"));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_PROGRAM), program));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(QStringLiteral(VELMORA_PROGRAM))));
        fake.installAs(folder.file(QStringLiteral("asapi.dll")));
        folder.mkdir(QStringLiteral("Profiles"));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/Small Files for the Web.bpf"),
                            folder.file(QStringLiteral("Profiles/Small Files for the Web.bpf"))));
        folder.write(QStringLiteral("Preferences.ini"), "[Main]\r\n");
        const QString work = folder.mkdir(QStringLiteral("work"));
        const QStringList inputs{test::copyClip(folder.file(QStringLiteral("in/a.avi"))), test::copyClip(folder.file(QStringLiteral("in/b.avi")))};

        QProcess join;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        join.setProcessEnvironment(environment);
        join.start(program, QStringList{"--join", "--profile", "Small Files for the Web", "--output", folder.file("out.avi"), "--temp-dir",
                                        work, "--progress=none"}
                                + inputs);
        QVERIFY(join.waitForStarted());
        // The encoder's command line names the job's private folder; the program's names only work.
        const QString parts = work + QStringLiteral("/velmora-job-");
        QTRY_VERIFY_WITH_TIMEOUT(logind.openLocks() == 1 && !processesNaming(parts).isEmpty(), 30000);
        QCOMPARE(logind.locks().constFirst().fields(), (QStringList{"sleep:idle", "Velmora", "Joining videos", "block"}));

        ::kill(static_cast<pid_t>(join.processId()), SIGKILL);
        QVERIFY(join.waitForFinished());
        QTRY_COMPARE_WITH_TIMEOUT(logind.openLocks(), 0, 5000);
        const QList<int> encoders = processesNaming(parts);
        QVERIFY(!encoders.isEmpty()); // still running, and not holding it
        for (const int pid : encoders)
            ::kill(pid, SIGKILL);
    }
};

QTEST_MAIN(tst_DesktopJob)
#include "tst_desktopjob.moc"
