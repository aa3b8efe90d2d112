#include "job/OutputNames.h"
#include "job/Progress.h"
#include "job/ProgressDisplay.h"
#include "support/TestFolder.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <QtTest>

using namespace velmora::job;
using velmora::test::TestFolder;

class tst_Progress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bars_data()
    {
        QTest::addColumn<QString>("pass");
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("row");   // the row's duration (conversion)
        QTest::addColumn<double>("done");  // duration converted before this row
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("current"); // -1: left as it was
        QTest::addColumn<int>("whole");
        QTest::newRow("conversion, half a row") << "convert" << 5.0 << 10.0 << 0.0 << 40.0 << 50 << 6;
        QTest::newRow("conversion, halves to even") << "convert" << 2.5 << 100.0 << 0.0 << 100.0 << 2 << 1;
        QTest::newRow("conversion, second row") << "convert" << 10.0 << 10.0 << 30.0 << 40.0 << 100 << 50;
        QTest::newRow("conversion, past the duration") << "convert" << 15.0 << 10.0 << 30.0 << 40.0 << 100 << 56;
        QTest::newRow("conversion, row of no length") << "convert" << 3.0 << 0.0 << 0.0 << 40.0 << -1 << 4;
        QTest::newRow("conversion, nothing of any length") << "convert" << 3.0 << 0.0 << 0.0 << 0.0 << -1 << -1;
        QTest::newRow("join, start") << "join" << 0.0 << 0.0 << 0.0 << 40.0 << 0 << 50;
        QTest::newRow("join, a quarter") << "join" << 10.0 << 0.0 << 0.0 << 40.0 << 25 << 62;
        QTest::newRow("join, end") << "join" << 40.0 << 0.0 << 0.0 << 40.0 << 100 << 100;
        QTest::newRow("join, past the end") << "join" << 80.0 << 0.0 << 0.0 << 40.0 << 100 << 100;
        QTest::newRow("join, no length") << "join" << 8.0 << 0.0 << 0.0 << 0.0 << -1 << -1;
    }
    void bars()
    {
        QFETCH(QString, pass);
        QFETCH(double, position);
        QFETCH(double, row);
        QFETCH(double, done);
        QFETCH(double, total);
        QFETCH(int, current);
        QFETCH(int, whole);
        const bool join = pass == "join";
        const auto c = join ? JoinCurrent(position, total) : ConversionCurrent(position, row);
        const auto t = join ? JoinTotal(position, total) : ConversionTotal(done, position, total);
        QCOMPARE(c.value_or(-1), current);
        QCOMPARE(t.value_or(-1), whole);
    }

    void barPositions()
    {
        QCOMPARE(BarPosition(-20), 0);
        QCOMPARE(BarPosition(1e300), 100);
        QCOMPARE(BarPosition(std::numeric_limits<double>::infinity()), 100);
        QCOMPARE(BarPosition(std::numeric_limits<double>::quiet_NaN()), 0);
        QCOMPARE(BarPosition(12.5), 12);
        QCOMPARE(BarPosition(13.5), 14);
    }

    void remaining_data()
    {
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<int>("bar");
        QTest::addColumn<qint64>("previous");
        QTest::addColumn<qint64>("remaining");
        QTest::newRow("a quarter after 30 s") << qint64(30) << 25 << qint64(0) << qint64(90);
        QTest::newRow("half after 60 s") << qint64(60) << 50 << qint64(0) << qint64(60);
        QTest::newRow("bar at 0 keeps the estimate") << qint64(45) << 0 << qint64(17) << qint64(17);
        QTest::newRow("done") << qint64(80) << 100 << qint64(5) << qint64(0);
        QTest::newRow("rounds halves to even") << qint64(1) << 80 << qint64(0) << qint64(0); // 0.25
        QTest::newRow("rounds up") << qint64(3) << 80 << qint64(0) << qint64(1);              // 0.75
    }
    void remaining()
    {
        QFETCH(qint64, elapsed);
        QFETCH(int, bar);
        QFETCH(qint64, previous);
        QFETCH(qint64, remaining);
        QCOMPARE(RemainingSeconds(elapsed, bar, previous), remaining);
    }

    void display()
    {
        QWidget outputRow, panel;
        QLabel title, file, elapsed, remaining, currentLabel, totalLabel;
        QProgressBar current, total;
        QTimer timer;
        ProgressDisplay display({&outputRow, &panel, &title, &file, &elapsed, &remaining, &current, &total, &currentLabel,
                                 &totalLabel, &timer});
        elapsed.setText("00:00:00");
        display.conversionBegins();
        QCOMPARE(title.text(), QString("Prepare (Converting):"));
        QVERIFY(elapsed.text().isEmpty() && remaining.text().isEmpty()); // empty until the first tick
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 1000);
        QVERIFY(outputRow.isHidden() && !panel.isHidden());

        display.tick();
        QCOMPARE(elapsed.text(), QString("00:00:01"));
        QCOMPARE(remaining.text(), QString("00:00:00")); // the total bar is still at 0

        display.rowBegins(0, "clip.avi");
        QCOMPARE(file.text(), QString("clip.avi"));
        display.conversionPosition(25.0, 10.0, 0.0, 50.0); // past the row: held at 100
        QCOMPARE(current.value(), 100);
        QCOMPARE(currentLabel.text(), QString("100%"));
        QCOMPARE(total.value(), 25);
        QCOMPARE(totalLabel.text(), QString("25%"));
        for (int i = 1; i < 30; ++i)
            display.tick();
        QCOMPARE(elapsed.text(), QString("00:00:30"));
        QCOMPARE(remaining.text(), QString("00:01:30"));

        display.rowEnded();
        QCOMPARE(current.value(), 0);
        QCOMPARE(currentLabel.text(), QString("0%"));
        display.joinBegins();
        QCOMPARE(title.text(), QString("Final Step: Joining all files..."));
        QVERIFY(file.isHidden());
        QCOMPARE(total.value(), 25); // until the join's first position
        display.joinPosition(25.0, 50.0);
        QCOMPARE(current.value(), 50);
        QCOMPARE(total.value(), 75);
        display.joinCompleted();
        QCOMPARE(totalLabel.text(), QString("100%"));
        QVERIFY(!timer.isActive());
        display.showOutputRow();
        QVERIFY(!outputRow.isHidden() && panel.isHidden());
    }

    void renameTargets()
    {
        TestFolder folder;
        const QString output = folder.write("out/joined.avi", "x");
        QCOMPARE(RenameTarget(output, ".avi"), folder.file("out/joined_1.avi"));
        folder.write("out/joined_1.avi", "x");
        folder.mkdir("out/joined_2.avi");
        QVERIFY(QFile::link(folder.file("gone"), folder.file("out/joined_3.avi")));
        QCOMPARE(RenameTarget(output, ".avi"), folder.file("out/joined_4.avi"));
        QCOMPARE(RenameTarget(folder.file("out/clip.part1.AVI"), ".avi"), folder.file("out/clip.part1_1.avi"));
        const QString joining = JoiningName(output);
        QVERIFY(joining.startsWith(folder.file("out/joined.joining-")));
        QVERIFY(joining.endsWith(".avi"));
        QVERIFY(!Occupied(joining));
    }
};

QTEST_MAIN(tst_Progress)
#include "tst_progress.moc"
