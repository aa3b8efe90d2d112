#include "app/About.h"
#include "app/AppRun.h"
#include "app/Main.h"
#include "app/Program.h"
#include "platform/FileFilter.h"
#include "platform/GuardedCall.h"
#include "platform/QtSeams.h"
#include "prefs/Settings.h"
#include "profiles/OutputSettings.h"
#include "support/FakeEncoder.h"
#include "support/FakeSeams.h"
#include "support/TestFolder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace velmora;
using velmora::test::FakeSeams;
using velmora::test::ShownMessage;
using velmora::test::TestFolder;

using Run = velmora::test::AppRun;

class tst_MainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartWithoutPreferences()
    {
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        QCOMPARE(run.main().windowTitle(), QString("Velmora V1.5"));
        QCOMPARE(run.outputField()->text(), QString());
        QVERIFY(seams.messages.shown.isEmpty());
        QVERIFY(!run.child("panBottomLeft")->isVisible());
        QVERIFY(run.child("panBottomCenter")->isVisible());
        QVERIFY(run.child("panltvTask")->isVisible());
        QCOMPARE(run.child<QLabel>("labProgramName")->text(), QString("Velmora"));
        QCOMPARE(run.profiles()->count(), 0);
    }

    void toolbarAtStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("add files") << "tbtnAddFile" << "Add Video Files" << true;
        QTest::newRow("add folder") << "tbtnAddDir" << "Add Directory" << true;
        QTest::newRow("up") << "tbtnUp" << "Move Up" << false;
        QTest::newRow("down") << "tbtnDown" << "Move Down" << false;
        QTest::newRow("sort") << "tbtnSort" << "Sort" << false;
        QTest::newRow("remove") << "tbtnRemove" << "Remove" << false;
        QTest::newRow("clear") << "tbtnClear" << "Clear" << false;
        QTest::newRow("preview") << "tbtnPreview" << "Preview" << false;
        QTest::newRow("start") << "tbtnStart" << "Start" << false;
        QTest::newRow("stop") << "tbtnStop" << "Stop" << false;
        QTest::newRow("settings") << "tbtnSetting" << "General Settings" << true;
        QTest::newRow("about") << "tbtnAbout" << "About" << true;
        QTest::newRow("help") << "tbtnHelp" << "Help" << true;
    }
    void toolbarAtStart()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        auto *button = run.main().findChild<QToolButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->isEnabled(), enabled);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->accessibleName(), hint);
        QCOMPARE(button->iconSize(), QSize(48, 48));
        // Never a blank button, in either state.
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QImage picture = button->icon().pixmap(QSize(48, 48), mode).toImage();
            QVERIFY(!picture.isNull());
            QVERIFY(picture.pixelColor(24, 24).alpha() > 0 || picture.pixelColor(12, 24).alpha() > 0);
        }
    }

    void taskListAtStart()
    {
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        auto *list = run.child<QTreeWidget>("ltvTask");
        QCOMPARE(list->headerItem()->text(0), QString("Input File"));
        QCOMPARE(list->headerItem()->text(1), QString("Length"));
        QCOMPARE(list->headerItem()->text(2), QString("Size"));
        QCOMPARE(list->headerItem()->text(3), QString("Status"));
        const int widths[] = {350, 90, 80, 150};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(list->columnWidth(column), widths[column]);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!list->isSortingEnabled());
        QVERIFY(!list->header()->sectionsClickable());
        QVERIFY(run.main().acceptDrops());
    }

    void versionFromPreferences_data()
    {
        QTest::addColumn<QByteArray>("preferences");
        QTest::addColumn<QString>("caption");
        QTest::newRow("2.0") << QByteArray("[Main]\r\nVersion=2.0\r\n") << "Velmora V2.0";
        QTest::newRow("blanks around") << QByteArray("[Main]\r\nVersion = 2.0\r\n") << "Velmora V2.0";
        QTest::newRow("only Default") << QByteArray("[Default]\r\nVersion=9\r\n") << "Velmora V1.5";
    }
    void versionFromPreferences()
    {
        QFETCH(QByteArray, preferences);
        QFETCH(QString, caption);
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", preferences);
        Run run(folder);
        QCOMPARE(run.main().windowTitle(), caption);
        QCOMPARE(run.main().AppVersion(), caption.mid(9));
    }

    // A first start chooses the profile that plays everywhere where the folder has it, else the
    // first; a choice made then survives a restart.
    void profileAndOutputFileRoundTrip_data()
    {
        QTest::addColumn<bool>("playsEverywhere");
        QTest::addColumn<QString>("firstChoice");
        QTest::newRow("shipped profiles") << true << "MP4 - H.264 and AAC (plays everywhere)";
        QTest::newRow("own profiles only") << false << "Alpha";
    }
    void profileAndOutputFileRoundTrip()
    {
        QFETCH(bool, playsEverywhere);
        QFETCH(QString, firstChoice);
        FakeSeams seams;
        TestFolder folder;
        for (const char *name : {"Alpha.bpf", "beta.bpf", "Gamma.bpf"})
            folder.write(QStringLiteral("Profiles/") + name, "[Main]\r\nType=avi\r\n");
        if (playsEverywhere)
            folder.write("Profiles/MP4 - H.264 and AAC (plays everywhere).bpf", "[Main]\r\nType=mp4\r\n");
        {
            Run first(folder);
            QCOMPARE(first.profiles()->currentText(), firstChoice);
            QCOMPARE(first.program.opSettingForm().profilePath(), folder.file("Profiles/" + firstChoice + ".bpf"));
            first.chooseProfile(2);
            first.outputField()->setText("/videos/joined.avi");
            first.main().close();
        }
        QCOMPARE(folder.read("Preferences.ini"), QByteArray("[Main]\r\nProfile=2\r\nOutput File=/videos/joined.avi\r\n"));
        Run second(folder);
        QCOMPARE(second.profiles()->currentText(), QString("Gamma"));
        QCOMPARE(second.program.opSettingForm().profilePath(), folder.file("Profiles/Gamma.bpf"));
        QCOMPARE(second.outputField()->text(), QString("/videos/joined.avi"));
    }

    void profileFileNamesKeepTheirCase()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Profiles/Web.BPF", "[Main]\r\nType=mp4\r\n");
        folder.write("Profiles/Tv.Low.bpf", "[Main]\r\n");
        Run run(folder);
        QCOMPARE(run.profiles()->itemText(0), QString("Tv.Low"));
        QCOMPARE(run.profiles()->itemText(1), QString("Web"));
        run.chooseProfile(1);
        QCOMPARE(run.program.opSettingForm().profilePath(), folder.file("Profiles/Web.BPF"));
        QCOMPARE(run.program.opSettingForm().outputExtension(), QString(".mp4"));
    }

    void storedProfileOutsideTheList_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::newRow("none selected at close") << QByteArray("-1");
        QTest::newRow("past the end") << QByteArray("7");
        QTest::newRow("hexadecimal") << QByteArray("0x5");
    }
    void storedProfileOutsideTheList()
    {
        QFETCH(QByteArray, profile);
        FakeSeams seams;
        TestFolder folder;
        folder.write("Profiles/Only.bpf", "[Main]\r\n");
        folder.write("Preferences.ini", "[Main]\r\nProfile=" + profile + "\r\n");
        Run run(folder);
        QCOMPARE(run.profiles()->currentIndex(), -1);
        QVERIFY(run.program.opSettingForm().profilePath().isEmpty());
    }

    void closingWithoutProfilesStoresMinusOne()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Default]\r\nAsk=1\r\n; factory values\r\n");
        Run(folder).main().close();
        QCOMPARE(folder.read("Preferences.ini"),
                 QByteArray("[Default]\r\nAsk=1\r\n; factory values\r\n[Main]\r\nProfile=-1\r\nOutput File=\r\n"));
    }

    void refusedWriteAtCloseIsShownAndTheProgramEnds()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.mkdir("Preferences.ini");
        Run run(folder);
        QVERIFY(run.main().close());
        QVERIFY(!run.main().isVisible());
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Error);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Velmora"));
        QCOMPARE(seams.messages.shown.at(0).text, "Unable to write to " + folder.file("Preferences.ini"));
    }

    void errorInAHandlerEndsOnlyThatOperation()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("out/joined.avi", "x");
        Run run(folder);
        QVERIFY(!platform::runGuarded(&run.main(), [] { throw velmora::Error("Something went wrong"); }));
        QCOMPARE(seams.messages.texts(), QStringList{"Something went wrong"});
        // The window goes on working.
        run.outputField()->setText(folder.file("out/joined.avi"));
        QTest::mouseClick(run.child<QPushButton>("bbtnOpen"), Qt::LeftButton);
        QCOMPARE(seams.shell.opened, QStringList{folder.file("out/joined.avi")});
    }

    void saveDialogFilter()
    {
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        const QString filter = run.main().SaveDialog1().filter();
        QCOMPARE(filter, QString("AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|MP4 Files (*.mp4)|*.mp4|"
                                 "WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB Files (*.vob)|*.vob|"
                                 "ASF Files (*.asf)|*.asf|FLV Files (*.flv)|*.flv|MKV Files (*.mkv)|*.mkv|"
                                 "WEBM Files (*.webm)|*.webm|All Files (*.*)|*.*"));
        QCOMPARE(run.main().SaveDialog1().defaultExt(), QString("avi"));

        // The real dialog opens on the first entry and lists the .avi file under it.
        TestFolder videos;
        videos.write("clip.avi", "x");
        videos.write("clip.mpg", "x");
        videos.write("notes.txt", "x");
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        platform::configureSaveDialog(dialog, {filter, "avi", videos.file("joined.avi")});
        QCOMPARE(dialog.nameFilters().size(), 11);
        QCOMPARE(dialog.nameFilters().constFirst(), QString("AVI Files (*.avi)"));
        QCOMPARE(dialog.nameFilters().constLast(), QString("All Files (*)"));
        QCOMPARE(dialog.selectedNameFilter(), QString("AVI Files (*.avi)"));
        QCOMPARE(dialog.defaultSuffix(), QString("avi"));
        // Choosing an existing file asks nothing here: the job asks, under the overwrite rule.
        QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        auto *view = dialog.findChild<QAbstractItemView *>("listView");
        QVERIFY(view);
        const auto listed = [view] {
            QStringList names;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                names << view->model()->index(row, 0, view->rootIndex()).data().toString();
            return names;
        };
        QTRY_COMPARE(listed(), QStringList{"clip.avi"});
    }

    void browse()
    {
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        seams.dialogs.saveAnswers << QString("/videos/joined") << std::nullopt << QString("/videos/other.mp4");
        QPushButton *browse = run.child<QPushButton>("bbtnBrowser");

        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(run.outputField()->text(), QString("/videos/joined.avi"));
        QCOMPARE(seams.dialogs.saveRequests.at(0).filter, run.main().SaveDialog1().filter());
        QCOMPARE(seams.dialogs.saveRequests.at(0).defaultSuffix, QString("avi"));

        QTest::mouseClick(browse, Qt::LeftButton); // cancelled: nothing changes
        QCOMPARE(run.outputField()->text(), QString("/videos/joined.avi"));
        QCOMPARE(seams.dialogs.saveRequests.at(1).initialPath, QString("/videos/joined.avi"));

        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(run.outputField()->text(), QString("/videos/other.mp4"));
    }

    void open_data()
    {
        QTest::addColumn<QString>("output");  // inside the test folder; "" for an empty field
        QTest::addColumn<QString>("opened");  // "" when nothing is opened, "." for the test folder
        QTest::newRow("file exists") << "out/joined.avi" << "out/joined.avi";
        QTest::newRow("only the folder exists") << "out/new.avi" << "out/";
        QTest::newRow("neither exists") << "missing/new.avi" << "";
        QTest::newRow("field names a folder: its parent opens") << "out" << ".";
        QTest::newRow("empty field") << "" << "";
    }
    void open()
    {
        QFETCH(QString, output);
        QFETCH(QString, opened);
        FakeSeams seams;
        TestFolder folder;
        folder.write("out/joined.avi", "x");
        Run run(folder);
        run.outputField()->setText(output.isEmpty() ? QString() : folder.file(output));
        QTest::mouseClick(run.child<QPushButton>("bbtnOpen"), Qt::LeftButton);
        const QString target = opened == "." ? folder.path() + '/' : folder.file(opened);
        const QStringList expected = opened.isEmpty() ? QStringList() : QStringList{target};
        QCOMPARE(seams.shell.opened, expected);
        QVERIFY(seams.messages.shown.isEmpty());
    }

    void openWithAFileNameOnly()
    {
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        run.outputField()->setText("joined.avi"); // no folder part: the working folder is not meant
        QTest::mouseClick(run.child<QPushButton>("bbtnOpen"), Qt::LeftButton);
        QVERIFY(seams.shell.opened.isEmpty());
    }

    void secondaryWindowsDisableTheMainWindow_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("general settings") << "tbtnSetting" << "SettingForm" << "Settings";
        QTest::newRow("output settings") << "bbtnSetting" << "opSettingForm" << "Output Settings";
        QTest::newRow("about") << "tbtnAbout" << "AboutForm" << "About";
    }
    void secondaryWindowsDisableTheMainWindow()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        QWidget *secondary = nullptr;
        for (QWidget *candidate : QApplication::topLevelWidgets()) {
            if (candidate->objectName() == window)
                secondary = candidate;
        }
        QVERIFY(secondary);
        QCOMPARE(secondary->windowTitle(), caption);
        for (int round = 0; round < 2; ++round) {
            if (auto *button = run.child<QPushButton>(qPrintable(trigger)))
                button->click();
            else
                run.action(qPrintable(trigger))->trigger();
            QVERIFY(secondary->isVisible());
            QCOMPARE(secondary->windowModality(), Qt::ApplicationModal);
            QVERIFY(!run.main().isEnabled());
            secondary->close();
            QVERIFY(!secondary->isVisible());
            QVERIFY(run.main().isEnabled());
        }
    }

    void helpOpensTheHelpPage()
    {
        FakeSeams seams;
        TestFolder folder;
        Run run(folder);
        run.action("tbtnHelp")->trigger();
        QCOMPARE(seams.shell.opened, QStringList{folder.file("Tavisol.html")});
    }
};

QTEST_MAIN(tst_MainForm)
#include "tst_mainform.moc"
