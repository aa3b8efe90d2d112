#include "job/SharedRate.h"

#include <QtTest>

#include <cmath>

using namespace velmora::job;

namespace {

// What a part of this busyness (kbit a second at the reference factor) takes a second at a
// factor, as x264 roughly does.
double takes(double busyness, double factor)
{
    return busyness * std::exp2((SharedRate::Reference - factor) / SharedRate::Step);
}

} // namespace

class tst_SharedRate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstFactor_data()
    {
        QTest::addColumn<double>("kbps");
        QTest::addColumn<double>("looked"); // kbit a second at the reference factor
        QTest::addColumn<double>("factor");
        QTest::newRow("as busy as asked") << 5000.0 << 5000.0 << 23.0;
        QTest::newRow("twice as busy") << 5000.0 << 10000.0 << 29.0;
        QTest::newRow("half as busy") << 5000.0 << 2500.0 << 17.0;
        QTest::newRow("far too busy: the lowest quality") << 500.0 << 100000.0 << SharedRate::Highest;
        QTest::newRow("nearly still: the highest quality") << 8000.0 << 50.0 << SharedRate::Lowest;
    }
    void firstFactor()
    {
        QFETCH(double, kbps);
        QFETCH(double, looked);
        QFETCH(double, factor);
        SharedRate rate(kbps, {20, 20, 20});
        QVERIFY(!rate.factorFor(0)); // nothing to go on yet
        rate.looked(0, 3, looked * 3);
        QCOMPARE(*rate.factorFor(0), factor);
    }

    // Parts of different busyness, each looked at and then converted: the total comes to the
    // bitrate asked, and parts alike get factors alike.
    void partsShareTheBitrate_data()
    {
        QTest::addColumn<QList<double>>("busyness");
        QTest::addColumn<QList<double>>("seconds");
        QTest::addColumn<double>("lookBias"); // what the looks say against what the parts take
        QTest::addColumn<double>("within");   // of the bitrate asked
        QTest::newRow("six clips, the looks right") << QList<double>{5381, 3799, 7836, 4444, 5628, 3441}
                                                    << QList<double>{20, 20, 20, 20, 20, 20} << 1.0 << 0.02;
        QTest::newRow("six clips, the looks 40 % high") << QList<double>{5381, 3799, 7836, 4444, 5628, 3441}
                                                        << QList<double>{20, 20, 20, 20, 20, 20} << 1.4 << 0.1;
        QTest::newRow("a calm start, a busy end") << QList<double>{1500, 1800, 9000, 12000} << QList<double>{30, 30, 30, 30}
                                                  << 1.2 << 0.1;
        QTest::newRow("a busy start, a calm end") << QList<double>{12000, 9000, 1800, 1500} << QList<double>{30, 30, 30, 30}
                                                  << 0.8 << 0.15;
        QTest::newRow("six alike clips, the looks 40 % high") << QList<double>{5000, 5000, 5000, 5000, 5000, 5000}
                                                              << QList<double>{20, 20, 20, 20, 20, 20} << 1.4 << 0.1;
        QTest::newRow("short and long") << QList<double>{4000, 6000, 4000, 6000, 5000} << QList<double>{2, 120, 5, 60, 10} << 0.8
                                        << 0.1;
    }
    void partsShareTheBitrate()
    {
        QFETCH(QList<double>, busyness);
        QFETCH(QList<double>, seconds);
        QFETCH(double, lookBias);
        QFETCH(double, within);
        const double kbps = 5000;
        SharedRate rate(kbps, seconds);
        double spent = 0;
        double total = 0;
        QList<double> factors;
        for (int row = 0; row < busyness.size(); ++row) {
            rate.looked(row, 1, busyness[row] * lookBias);
            const std::optional<double> factor = rate.factorFor(row);
            QVERIFY(factor);
            factors << *factor;
            const double kbits = takes(busyness[row], *factor) * seconds[row];
            rate.converted(row, *factor, seconds[row], kbits);
            spent += kbits;
            total += seconds[row];
        }
        const double reached = spent / total;
        QVERIFY2(std::abs(reached - kbps) / kbps < within, qPrintable(QStringLiteral("%1 kbit/s").arg(reached)));
        // Looks that are all equally off are learned from: once one part shows how far, parts
        // alike share one quality.
        if (std::all_of(busyness.begin(), busyness.end(), [&](double each) { return each == busyness.front(); }))
            QVERIFY2(*std::max_element(factors.begin() + 1, factors.end()) - *std::min_element(factors.begin() + 1, factors.end()) < 0.5,
                     qPrintable(QStringLiteral("%1 to %2").arg(*std::min_element(factors.begin() + 1, factors.end())).arg(
                         *std::max_element(factors.begin() + 1, factors.end()))));
    }

    // A part that took far more than all the bits left still leaves the rest a factor within
    // reach; a row whose look failed or whose length is unknown still gets one.
    void overspentAndUnknowns()
    {
        SharedRate rate(1000, {10, 10, 0});
        rate.looked(0, 2, 2000);
        const double first = *rate.factorFor(0);
        rate.converted(0, first, 10, 100000);
        const std::optional<double> second = rate.factorFor(1); // no look
        QVERIFY(second);
        QVERIFY(*second > first);
        QVERIFY(*second <= SharedRate::Highest);
        rate.converted(1, *second, 10, 5000);
        QVERIFY(rate.factorFor(2));
    }
};

QTEST_GUILESS_MAIN(tst_SharedRate)
#include "tst_sharedrate.moc"
