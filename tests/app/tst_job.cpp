// Whole jobs through the real main window with the real encoder on tiny clips.
#include "app/JobRun.h"
#include "support/BrokenClips.h"
#include "support/FakeSeams.h"
#include "support/MediaCheck.h"
#include "tasks/MediaProbe.h"
#include "tasks/TimeText.h"

#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>

#include <algorithm>

using namespace velmora;
using velmora::test::FakeSeams;
using velmora::test::JobFolder;
using velmora::test::JobRun;
using velmora::test::ShownMessage;

namespace {
double seconds(const QString &file)
{
    return tasks::TimeTextToSeconds(tasks::ProbeMedia(file).length);
}
} // namespace

class tst_Job : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completedJoin()
    {
        FakeSeams seams;
        JobFolder job(3);
        job.folder.write("scratch/0.avi", "someone else's file");
        JobRun run(job);
        const QString output = job.outputDir + "/joined.avi";
        QCOMPARE(run.outputField()->text(), output);
        // Our own encoder's conversions make parts that the join only copies: the conversion
        // pass is nearly the whole job on the total bar, and the join its last few percent.
        QList<int> conversionTotal, joinTotal;
        auto *title = run.child<QLabel>("labProcessTitle");
        connect(run.child<QProgressBar>("pgbTotal"), &QProgressBar::valueChanged, this, [&](int value) {
            (title->text().startsWith("Final Step") ? joinTotal : conversionTotal) << value;
        });
        run.start();

        QVERIFY2(!conversionTotal.isEmpty() && *std::max_element(conversionTotal.begin(), conversionTotal.end()) >= 90,
                 qPrintable(QString::number(conversionTotal.isEmpty() ? -1 : conversionTotal.constLast())));
        QVERIFY(!joinTotal.isEmpty());
        for (const int value : std::as_const(joinTotal))
            QVERIFY2(value >= 98, qPrintable(QString::number(value)));

        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Notice);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Complete"));
        QCOMPARE(seams.messages.shown.at(0).text, QString("The joining is completed successfully."));
        QCOMPARE(seams.shell.opened, QStringList{job.outputDir}); // "open the folder" is on by default
        QCOMPARE(run.statuses(), (QStringList{"Complete", "Complete", "Complete"}));
        QCOMPARE(run.child<QProgressBar>("pgbCurrent")->value(), 100);
        QCOMPARE(run.child<QProgressBar>("pgbTotal")->value(), 100);
        QCOMPARE(run.child<QLabel>("labCurProgress")->text(), QString("100%"));
        QCOMPARE(run.child<QLabel>("labTotalProgress")->text(), QString("100%"));
        QVERIFY(run.idleAgain());
        QCOMPARE(run.leftInTemp(), QStringList{"0.avi"});
        QCOMPARE(job.folder.read("scratch/0.avi"), QByteArray("someone else's file"));
        QCOMPARE(run.leftInOutput(), QStringList{"joined.avi"});

        double inputs = 0;
        for (const QString &input : job.inputs)
            inputs += seconds(input);
        QVERIFY2(qAbs(seconds(output) - inputs) <= 0.5, qPrintable(QString::number(seconds(output))));
        QCOMPARE(tasks::ProbeMedia(output).size, QString("320x240"));
        // The picture moves from frame to frame, and the sound lasts as long as the picture.
        // (The first and third clips are the same file: copied, their pictures are the same too.)
        const QList<QByteArray> frames = test::grayFrames(output, 32, 24);
        qsizetype moved = 0;
        for (qsizetype i = 1; i < frames.size(); ++i)
            moved += frames.at(i) != frames.at(i - 1);
        QVERIFY2(frames.size() > 60 && moved > frames.size() * 3 / 4,
                 qPrintable(QStringLiteral("%1 of %2 frames differ from the one before").arg(moved).arg(frames.size())));
        QVERIFY(qAbs(test::audioSeconds(output) - test::videoSeconds(output)) < 0.1);
    }

    void cutOffInputIsNamedAtCompletion()
    {
        // A file that ends early: its header promises three seconds, a third of it is there.
        FakeSeams seams;
        JobFolder job(2);
        test::ClipSpec longer;
        longer.seconds = 3;
        QFile clip(test::sharedClip(longer));
        QVERIFY(clip.open(QIODevice::ReadOnly));
        job.folder.write("in/clip 1.avi", clip.readAll().left(clip.size() / 3));
        JobRun run(job);
        QCOMPARE(run.list()->topLevelItem(1)->text(1), QString("00:00:03"));
        run.check("chkOpenDir", false);
        run.start();
        QCOMPARE(run.statuses(), (QStringList{"Complete", "Complete"}));
        QCOMPARE(seams.messages.shown.size(), 1);
        const QStringList lines = seams.messages.shown.at(0).text.split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), QString("The joining is completed successfully."));
        static const QRegularExpression named(QStringLiteral("^clip 1\\.avi gave (\\d+\\.\\d) s of its 3\\.0 s; the file may be damaged\\.$"));
        const QRegularExpressionMatch match = named.match(lines.at(1));
        QVERIFY2(match.hasMatch(), qPrintable(lines.at(1)));
        QVERIFY(match.captured(1).toDouble() < 2.0);
        QVERIFY(qAbs(seconds(job.outputDir + "/joined.avi") - 1.0 - match.captured(1).toDouble()) < 0.2);
    }

    void cutOffMp4IsNamedAtCompletion()
    {
        // An MP4 for the web, its index at the front, of which a download kept half: the index
        // still says 4 s.
        const QString clip = test::halfNumberedClip("mp4");
        const QString name = "cut.mp4";
        FakeSeams seams;
        JobFolder job(3);
        job.inputs[1] = job.folder.file("in/" + name);
        QVERIFY(QFile::copy(clip, job.inputs[1]));
        JobRun run(job);
        QCOMPARE(run.list()->topLevelItem(1)->text(1), QString("00:00:04"));
        run.check("chkOpenDir", false);
        run.start();
        QCOMPARE(run.statuses(), (QStringList{"Complete", "Complete", "Complete"}));
        QCOMPARE(seams.messages.shown.size(), 1);
        const QStringList lines = seams.messages.shown.at(0).text.split('\n');
        QVERIFY2(lines.size() == 2, qPrintable(seams.messages.shown.at(0).text));
        QCOMPARE(lines.at(0), QString("The joining is completed successfully."));
        const QRegularExpression named("^" + QRegularExpression::escape(name) + " gave (\\d+\\.\\d) s of its 4\\.0 s; the file may be damaged\\.$");
        const QRegularExpressionMatch match = named.match(lines.at(1));
        QVERIFY2(match.hasMatch(), qPrintable(lines.at(1)));
        qInfo("%s", qPrintable(lines.at(1)));
        // What it gave is what survived of it, as ffmpeg plays it.
        const double survived = test::videoSeconds(clip) - test::frameTimes(clip).value(0);
        QVERIFY2(qAbs(match.captured(1).toDouble() - survived) < 0.3,
                 qPrintable(QStringLiteral("%1 s of the %2 s that survived").arg(match.captured(1)).arg(survived)));
    }

    void extensionIsAppended_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("another extension") << "joined.mp4" << "joined.mp4.avi";
        QTest::newRow("no extension") << "joined" << "joined.avi";
        QTest::newRow("capitals only") << "JOINED.AVI" << "JOINED.AVI";
    }
    void extensionIsAppended()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        FakeSeams seams;
        JobFolder job;
        JobRun run(job);
        run.outputField()->setText(job.outputDir + "/" + typed);
        run.start();
        QCOMPARE(run.outputField()->text(), job.outputDir + "/" + written);
        QCOMPARE(run.leftInOutput(), QStringList{written});
    }

    void overwriteRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("replaced"); // files whose content the job wrote
        QTest::newRow("ask, no") << "rdbAsk" << false << QStringList{};
        QTest::newRow("ask, yes") << "rdbAsk" << true << QStringList{"joined.avi"};
        QTest::newRow("overwrite") << "rdbOverWrite" << false << QStringList{"joined.avi"};
        QTest::newRow("rename counts up") << "rdbRename" << false << QStringList{"joined_2.avi"};
    }
    void overwriteRules()
    {
        QFETCH(QString, rule);
        QFETCH(bool, answer);
        QFETCH(QStringList, replaced);
        FakeSeams seams;
        JobFolder job;
        job.folder.write("out/joined.avi", "my old video");
        job.folder.write("out/joined_1.avi", "my other video");
        JobRun run(job);
        run.check(qPrintable(rule), true);
        seams.messages.answers << answer;
        run.start();
        if (rule == "rdbAsk") {
            QCOMPARE(seams.messages.shown.at(0).title, QString("File Exists"));
            QCOMPARE(seams.messages.shown.at(0).text,
                     QString("The output file is existent. Do you want to continue and overwrite it? \n\r"
                             "Click \"No\" to specify another output filename."));
        }
        if (replaced.isEmpty()) {
            QCOMPARE(seams.messages.shown.size(), 1);
            QCOMPARE(QApplication::focusWidget(), run.outputField());
            QCOMPARE(run.statuses(), (QStringList{"OK", "OK"}));
        }
        const QStringList expected = QStringList{"joined.avi", "joined_1.avi"} + (rule == "rdbRename" ? QStringList{"joined_2.avi"} : QStringList{});
        QCOMPARE(run.leftInOutput(), expected);
        for (const QString &name : expected) {
            const bool written = replaced.contains(name);
            QCOMPARE(job.folder.read("out/" + name).startsWith("RIFF"), written);
        }
        QCOMPARE(job.folder.read("out/joined_1.avi"), QByteArray("my other video"));
        QVERIFY(run.idleAgain());
    }
};

QTEST_MAIN(tst_Job)
#include "tst_job.moc"
