// The sleep inhibitor against a fake logind and a fake desktop portal on a private bus.
#include "platform/SleepInhibitor.h"
#include "support/FakeDesktopBus.h"

#include <QProcess>
#include <QtTest>

using namespace velmora;
using platform::SleepInhibitor;
using test::FakeLogind;
using test::FakePortal;
using test::PrivateBus;

Q_DECLARE_METATYPE(SleepInhibitor::Route)

class tst_SleepInhibitor : public QObject
{
    Q_OBJECT

    PrivateBus m_bus;

    // Whether the service's last lock is still in force.
    static bool lastHeld(const FakeLogind &logind, const FakePortal &portal, SleepInhibitor::Route route)
    {
        if (route == SleepInhibitor::Route::Logind)
            return !logind.locks().isEmpty() && logind.locks().constLast().open;
        return !portal.requests().isEmpty() && !portal.requests().constLast().closed;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_bus.isRunning());
        m_bus.standInForSystemAndSession();
    }

    void routes_data()
    {
        QTest::addColumn<SleepInhibitor::Route>("route");
        QTest::newRow("logind") << SleepInhibitor::Route::Logind;
        QTest::newRow("portal") << SleepInhibitor::Route::Portal;
    }

    // Asked with who and why; held until let go, and let go for the service too.
    void heldUntilReleased_data() { routes_data(); }
    void heldUntilReleased()
    {
        QFETCH(SleepInhibitor::Route, route);
        FakeLogind logind(m_bus.fakes());
        FakePortal portal(m_bus.fakes());
        SleepInhibitor inhibitor(QStringLiteral("Velmora"), route);
        inhibitor.hold(QStringLiteral("Joining videos"));
        inhibitor.hold(QStringLiteral("Joining videos")); // asked once
        QTRY_VERIFY(inhibitor.isHeld());
        QVERIFY(lastHeld(logind, portal, route));
        if (route == SleepInhibitor::Route::Logind) {
            QCOMPARE(logind.locks().size(), 1);
            QCOMPARE(logind.locks().constFirst().fields(), (QStringList{"sleep:idle", "Velmora", "Joining videos", "block"}));
            QVERIFY(portal.requests().isEmpty());
        } else {
            QCOMPARE(portal.requests().size(), 1);
            QCOMPARE(portal.requests().constFirst().flags, 4u | 8u); // suspend and idle
            QCOMPARE(portal.requests().constFirst().options.value("reason").toString(), QStringLiteral("Joining videos"));
            QVERIFY(logind.locks().isEmpty());
        }
        inhibitor.release();
        QVERIFY(!inhibitor.isHeld());
        QTRY_VERIFY(!lastHeld(logind, portal, route));

        // And again for the next job.
        inhibitor.hold(QStringLiteral("Joining videos"));
        QTRY_VERIFY(lastHeld(logind, portal, route));
    }

    // Let go before the service answered: what the answer brings is given back at once.
    void releasedBeforeTheAnswer_data() { routes_data(); }
    void releasedBeforeTheAnswer()
    {
        QFETCH(SleepInhibitor::Route, route);
        FakeLogind logind(m_bus.fakes());
        FakePortal portal(m_bus.fakes());
        SleepInhibitor inhibitor(QStringLiteral("Velmora"), route);
        inhibitor.hold(QStringLiteral("Joining videos"));
        inhibitor.release();
        QTRY_COMPARE(logind.locks().size() + portal.requests().size(), 1);
        QTRY_VERIFY(!lastHeld(logind, portal, route));
        QVERIFY(!inhibitor.isHeld());
    }

    // A program the holder starts (the encoder) does not inherit the lock: letting go is
    // letting go even while it runs.
    void aChildProcessDoesNotKeepTheLock()
    {
        FakeLogind logind(m_bus.fakes());
        FakePortal portal(m_bus.fakes());
        SleepInhibitor inhibitor(QStringLiteral("Velmora"), SleepInhibitor::Route::Logind);
        inhibitor.hold(QStringLiteral("Joining videos"));
        QTRY_VERIFY(inhibitor.isHeld());
        QProcess child;
        child.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(child.waitForStarted());
        inhibitor.release();
        QTRY_VERIFY_WITH_TIMEOUT(!lastHeld(logind, portal, SleepInhibitor::Route::Logind), 3000);
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();
        child.waitForFinished();
    }

    // No service to ask: nothing is held, and nothing else happens.
    void noServiceNothingHeld_data() { routes_data(); }
    void noServiceNothingHeld()
    {
        QFETCH(SleepInhibitor::Route, route);
        SleepInhibitor inhibitor(QStringLiteral("Velmora"), route);
        inhibitor.hold(QStringLiteral("Joining videos"));
        QTest::qWait(200);
        QVERIFY(!inhibitor.isHeld());
        inhibitor.release();
    }
};

QTEST_GUILESS_MAIN(tst_SleepInhibitor)
#include "tst_sleepinhibitor.moc"
