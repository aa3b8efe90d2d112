#include "app/About.h"
#include "app/AppRun.h"
#include "support/FakeSeams.h"

#include <QLabel>
#include <QPushButton>

using namespace velmora;
using velmora::test::AppRun;
using velmora::test::FakeSeams;
using velmora::test::TestFolder;

class tst_About : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheVersion()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\nVersion=2.0\r\n");
        AppRun run(folder);
        app::TAboutForm &about = run.program.AboutForm();
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.findChild<QLabel *>("labVersion")->text(), QString("Version 2.0"));
        QCOMPARE(about.findChild<QLabel *>("labProgramName")->text(), QString("Velmora"));
        QVERIFY(about.findChild<QLabel *>("labCopyright")->text().contains("Velmora"));
        QCOMPARE(about.findChild<QLabel *>("labRightsReserved")->text(), QString("All rights reserved."));
        QCOMPARE(run.main().windowTitle(), QString("Velmora V2.0"));
    }

    void opensAndClosesAgain()
    {
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder);
        app::TAboutForm &about = run.program.AboutForm();
        for (int round = 0; round < 3; ++round) {
            run.action("tbtnAbout")->trigger();
            QVERIFY(about.isVisible());
            QVERIFY(!run.main().isEnabled());
            if (round == 1)
                about.close(); // the title bar's close
            else
                QTest::mouseClick(about.findChild<QPushButton *>("btnOK"), Qt::LeftButton);
            QVERIFY(!about.isVisible());
            QVERIFY(run.main().isEnabled());
        }
    }

    void links_data()
    {
        QTest::addColumn<QString>("window"); // "about" or "main"
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("opened");
        QTest::newRow("web address") << "about" << "labWebsite" << "https://velmora.example.org";
        QTest::newRow("more") << "about" << "labMore" << "https://velmora.example.org";
        QTest::newRow("tech support") << "about" << "btnTech" << "mailto:velmora-support@example.org";
        QTest::newRow("sales support") << "about" << "btnSales" << "mailto:velmora-sales@example.org";
        QTest::newRow("first product") << "about" << "labProduct1" << "https://velmora.example.org/splitter";
        QTest::newRow("second product") << "about" << "labProduct2" << "https://velmora.example.org/converter";
        QTest::newRow("third product") << "about" << "labProduct3" << "https://velmora.example.org/snapshot";
        QTest::newRow("maker on the welcome panel") << "main" << "labCompany" << "https://velmora.example.org";
        QTest::newRow("logo") << "main" << "Image1" << "https://velmora.example.org";
    }
    void links()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, opened);
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder);
        QWidget *owner = &run.main();
        if (window == "about") {
            run.action("tbtnAbout")->trigger();
            owner = &run.program.AboutForm();
        }
        QWidget *target = owner->findChild<QWidget *>(control);
        QVERIFY(target);
        QVERIFY(!target->accessibleName().isEmpty() || !target->property("text").toString().isEmpty());
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(seams.shell.opened, QStringList{opened});
    }
};

QTEST_MAIN(tst_About)
#include "tst_about.moc"
