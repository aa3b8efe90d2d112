#include "tasks/MediaProbe.h"
#include "tasks/TimeText.h"
#include "platform/Error.h"

#include <QtTest>

using namespace velmora::tasks;

class tst_TimeText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondsToText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("75 s") << 75.0 << "00:01:15";
        QTest::newRow("tenths") << 3725.4 << "01:02:05.4";
        QTest::newRow("hundred hours") << 360000.0 << "100:00:00";
        QTest::newRow("half a tenth rounds to even, down") << 90061.25 << "25:01:01.2";
        QTest::newRow("half a tenth rounds to even, up") << 0.75 << "00:00:00.8";
        QTest::newRow("fraction rounding to nothing is left off") << 5.04 << "00:00:05";
        QTest::newRow("zero") << 0.0 << "00:00:00";
        QTest::newRow("ten tenths carry into the seconds") << 5.96 << "00:00:06";
        QTest::newRow("carry into the minutes") << 59.96 << "00:01:00";
        QTest::newRow("carry into the hours") << 3599.97 << "01:00:00";
        QTest::newRow("just under the carry") << 5.94 << "00:00:05.9";
    }
    void secondsToText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(SecondsToTimeText(seconds), text);
    }

    void clockText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0:00:00.000";
        QTest::newRow("minutes and milliseconds") << 83.456 << "0:01:23.456";
        QTest::newRow("hours are not padded") << 43205.0 << "12:00:05.000";
        QTest::newRow("half a millisecond rounds up") << 2.0625 << "0:00:02.063";
        QTest::newRow("rounding carries into the minutes") << 59.9996 << "0:01:00.000";
        QTest::newRow("below zero is zero") << -2.0 << "0:00:00.000";
    }
    void clockText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(ClockText(seconds), text);
    }

    void textToSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("with tenths") << "00:01:15.5" << 75.5;
        QTest::newRow("short parts") << "1:2:3" << 3723.0;
        QTest::newRow("long hours") << "100:00:00" << 360000.0;
        QTest::newRow("two parts") << "01:02" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("seconds begin with a point") << "00:00:.5" << -1.0;
        QTest::newRow("four parts") << "1:2:3:4" << -1.0;
        QTest::newRow("letters") << "aa:bb:cc" << -1.0;
        QTest::newRow("decimal minutes") << "00:1.5:00" << -1.0;
        QTest::newRow("decimal comma") << "00:00:05,5" << -1.0;
        QTest::newRow("seconds past 59 still count") << "00:00:75" << 75.0;
        QTest::newRow("trailing point") << "00:00:05." << 5.0;
    }
    void textToSeconds()
    {
        QFETCH(QString, text);
        QFETCH(double, seconds);
        QCOMPARE(TimeTextToSeconds(text), seconds);
    }

    void everyWrittenTextReadsBack()
    {
        for (int tenths = 0; tenths < 40000; tenths += 7) {
            const double seconds = tenths / 10.0;
            QCOMPARE(qRound(TimeTextToSeconds(SecondsToTimeText(seconds)) * 10), tenths);
        }
    }

    void playTime_data()
    {
        QTest::addColumn<QString>("milliseconds");
        QTest::addColumn<double>("seconds");
        QTest::newRow("whole") << "75000" << 75.0;
        QTest::newRow("fraction") << "3725400.000" << 3725.4;
        QTest::newRow("empty fails") << "" << -1.0;
        QTest::newRow("word fails") << "n/a" << -1.0;
    }
    void playTime()
    {
        QFETCH(QString, milliseconds);
        QFETCH(double, seconds);
        if (seconds >= 0) {
            QCOMPARE(PlayTimeToSeconds(milliseconds), seconds);
            return;
        }
        try {
            PlayTimeToSeconds(milliseconds);
            QFAIL("no error");
        } catch (const velmora::Error &error) {
            QCOMPARE(error.text(), QStringLiteral("'%1' is not a valid floating point value").arg(milliseconds));
        }
    }
};

QTEST_GUILESS_MAIN(tst_TimeText)
#include "tst_timetext.moc"
