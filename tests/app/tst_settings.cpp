#include "app/AppRun.h"
#include "prefs/Settings.h"
#include "support/FakeSeams.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace velmora;
using velmora::prefs::OverwriteRule;
using velmora::test::AppRun;
using velmora::test::FakeSeams;
using velmora::test::TestFolder;

namespace {

struct SettingsRun : AppRun
{
    using AppRun::AppRun;

    prefs::TSettingForm &dialog() { return program.SettingForm(); }
    template<typename T = QWidget>
    T *control(const char *name) { return dialog().findChild<T *>(QLatin1String(name)); }
    QLineEdit *field(const char *name) { return control<QLineEdit>(name); }
    bool checked(const char *name) { return control<QAbstractButton>(name)->isChecked(); }
    // On the button's left end, where the indicator is: a long button's middle may be blank.
    void click(const char *name)
    {
        QAbstractButton *button = control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    void open()
    {
        action("tbtnSetting")->trigger();
        QVERIFY(dialog().isVisible());
        QVERIFY(!main().isEnabled());
    }

    // The six states, in the dialog's order, as "101010".
    QString states()
    {
        QString result;
        for (const char *name : {"chkOpenDir", "chkExit", "chkTurnoff", "rdbAsk", "rdbOverWrite", "rdbRename"})
            result += checked(name) ? '1' : '0';
        return result;
    }
};

} // namespace

class tst_Settings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts()
    {
        FakeSeams seams;
        TestFolder folder;
        SettingsRun run(folder);
        QCOMPARE(run.dialog().windowTitle(), QString("Settings"));
        QCOMPARE(run.control<QCheckBox>("chkOpenDir")->text(), QString("Open the output directory when the task is completed. "));
        QCOMPARE(run.control<QRadioButton>("rdbRename")->text(), QString("Not overwrite (Rename to <Filename> + Index"));
        QCOMPARE(run.control<QPushButton>("btnDefault")->text(), QString("&Load Default"));
    }

    void startWithoutPreferences()
    {
        FakeSeams seams;
        TestFolder folder;
        SettingsRun run(folder);
        QCOMPARE(run.field("edtTempDir")->text(), folder.path() + "/temp/");
        QCOMPARE(run.field("edtOutputFile")->text(), QString());
        QCOMPARE(run.states(), QString("100100"));
        QCOMPARE(run.dialog().overwriteRule(), OverwriteRule::Ask);
        QCOMPARE(run.dialog().tempDirText(), folder.path() + "/temp/");
    }

    void overwriteRuleFromPreferences_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("radios");
        QTest::addColumn<int>("rule");
        QTest::newRow("ask and overwrite: overwrite wins") << QByteArray("Ask=1\r\nOverwrite=1\r\nRename=0") << "010" << int(OverwriteRule::Overwrite);
        QTest::newRow("none") << QByteArray("Ask=0\r\nOverwrite=0\r\nRename=0") << "000" << int(OverwriteRule::None);
        QTest::newRow("all three: the last wins") << QByteArray("Ask=1\r\nOverwrite=1\r\nRename=1") << "001" << int(OverwriteRule::Rename);
        QTest::newRow("rename alone") << QByteArray("Ask=0\r\nRename=1") << "001" << int(OverwriteRule::Rename);
        QTest::newRow("missing keys: ask") << QByteArray("Version=1.5") << "100" << int(OverwriteRule::Ask);
    }
    void overwriteRuleFromPreferences()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QString, radios);
        QFETCH(int, rule);
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\n" + keys + "\r\nAuto Open Dir=0\r\nAuto Exit=1\r\n");
        SettingsRun run(folder);
        QCOMPARE(run.states(), "010" + radios);
        QCOMPARE(int(run.dialog().overwriteRule()), rule);
    }

    void clickingKeepsOneChoice()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\nAsk=0\r\n");
        SettingsRun run(folder);
        run.open();
        QCOMPARE(run.states().right(3), QString("000"));
        run.click("rdbRename");
        QCOMPARE(run.states().right(3), QString("001"));
        run.click("rdbRename"); // a checked button stays checked
        QCOMPARE(run.states().right(3), QString("001"));
        run.click("rdbAsk");
        QCOMPARE(run.states().right(3), QString("100"));
    }

    void overwriteChoicesAreRadioButtonsToAssistiveTechnology()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\nAsk=0\r\n"); // none of the three checked
        SettingsRun run(folder);
        run.open();
        QCOMPARE(run.states().right(3), QString("000"));
        for (const char *name : {"rdbAsk", "rdbOverWrite", "rdbRename"}) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(run.control<QRadioButton>(name));
            QVERIFY(accessible);
            QCOMPARE(accessible->role(), QAccessible::RadioButton);
        }
        run.click("rdbOverWrite");
        QCOMPARE(run.states().right(3), QString("010"));
        // Exclusive as they are, the program can still clear all three.
        run.click("btnCancel");
        QCOMPARE(run.states().right(3), QString("000"));
    }

    void outputFileTravelsWithTheMainWindow()
    {
        FakeSeams seams;
        TestFolder folder;
        SettingsRun run(folder);
        run.outputField()->setText("/videos/typed.avi");
        run.open();
        QCOMPARE(run.field("edtOutputFile")->text(), QString("/videos/typed.avi"));
        run.field("edtOutputFile")->setText("/videos/changed.avi");
        run.click("btnCancel");
        QVERIFY(!run.dialog().isVisible());
        QVERIFY(run.main().isEnabled());
        QCOMPARE(run.outputField()->text(), QString("/videos/typed.avi"));
        QCOMPARE(run.field("edtOutputFile")->text(), QString("/videos/typed.avi"));

        run.open();
        run.field("edtOutputFile")->setText("/videos/chosen.avi");
        run.click("btnOK");
        QCOMPARE(run.outputField()->text(), QString("/videos/chosen.avi"));
    }

    void titleBarCloseKeepsButDoesNotSave()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\nTemp Dir=/old/\r\n");
        SettingsRun run(folder);
        run.open();
        run.field("edtTempDir")->setText("/new/");
        run.dialog().close();
        QVERIFY(run.main().isEnabled());
        QCOMPARE(run.dialog().tempDirText(), QString("/new/"));
        QCOMPARE(folder.read("Preferences.ini"), QByteArray("[Main]\r\nTemp Dir=/old/\r\n"));
    }

    void loadDefaultThenCancel()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\nTemp Dir=/work/\r\nAuto Open Dir=0\r\nAsk=0\r\nRename=1\r\n"
                                        "[Default]\r\nOutput File=/factory/out.avi\r\nAuto Open Dir=1\r\nAuto Exit=1\r\n"
                                        "Auto Turn Off=1\r\nAsk=0\r\nOverwrite=1\r\n");
        SettingsRun run(folder);
        run.outputField()->setText("/mine.avi");
        run.open();
        QCOMPARE(run.states(), QString("000001"));
        seams.messages.answers << false << true;
        run.click("btnDefault"); // No: nothing changes
        QCOMPARE(run.states(), QString("000001"));
        run.click("btnDefault");
        QCOMPARE(seams.messages.shown.at(1).title, QString("Load Default"));
        QCOMPARE(seams.messages.shown.at(1).text, QString("Are you sure to load the default preferences?"));
        QCOMPARE(run.states(), QString("111010"));
        QCOMPARE(run.field("edtOutputFile")->text(), QString("/factory/out.avi"));
        QCOMPARE(run.field("edtTempDir")->text(), QString("/work/")); // the temporary folder is not a default
        run.click("btnCancel");
        QCOMPARE(run.states(), QString("000001"));
        QCOMPARE(run.field("edtOutputFile")->text(), QString("/mine.avi"));
    }

    void cancelPutsBackEachField_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"edtOutputFile", "edtTempDir", "chkOpenDir", "chkExit", "chkTurnoff", "rdbAsk", "rdbOverWrite",
                                 "rdbRename"})
            QTest::newRow(name) << QString(name);
    }
    void cancelPutsBackEachField()
    {
        QFETCH(QString, name);
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "[Main]\r\nOutput File=/videos/out.avi\r\nTemp Dir=/work/\r\nAuto Exit=1\r\n"
                                        "Ask=0\r\nOverwrite=1\r\n");
        SettingsRun run(folder);
        const auto fields = [&run] {
            return QStringList{run.field("edtOutputFile")->text(), run.field("edtTempDir")->text(), run.states()};
        };
        const QStringList before = fields();
        QCOMPARE(before, (QStringList{"/videos/out.avi", "/work/", "110010"}));
        run.open();
        if (QLineEdit *edit = run.field(qPrintable(name)))
            edit->setText("/changed/");
        else if (run.checked(qPrintable(name)) && name.startsWith("rdb")) // a checked choice goes by choosing another
            run.click("rdbRename");
        else
            run.click(qPrintable(name));
        QVERIFY(fields() != before);
        run.click("btnCancel");
        QCOMPARE(fields(), before);
    }

    void loadDefaultWithoutDefaultSection()
    {
        FakeSeams seams;
        TestFolder folder;
        SettingsRun run(folder);
        run.open();
        QVERIFY(run.checked("chkOpenDir")); // the first-start fallback of Main
        seams.messages.answers << true;
        run.click("btnDefault");
        QCOMPARE(run.states(), QString("000100"));
    }

    void okWritesEightKeysInOrder()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.write("Preferences.ini", "; kept\r\n[Main]\r\nVersion=1.5\r\nAuto Exit=0\r\n\r\n[Default]\r\nAsk=1\r\n");
        SettingsRun run(folder);
        run.open();
        run.field("edtOutputFile")->setText("/videos/out.avi");
        run.field("edtTempDir")->setText("/scratch/");
        run.click("chkExit");
        run.click("rdbOverWrite");
        run.click("btnOK");
        QVERIFY(!run.dialog().isVisible());
        QCOMPARE(folder.read("Preferences.ini"),
                 QByteArray("; kept\r\n[Main]\r\nVersion=1.5\r\nAuto Exit=1\r\nOutput File=/videos/out.avi\r\n"
                            "Temp Dir=/scratch/\r\nAuto Open Dir=1\r\nAuto Turn Off=0\r\nAsk=0\r\nOverwrite=1\r\n"
                            "Rename=0\r\n\r\n[Default]\r\nAsk=1\r\n"));
    }

    void refusedWriteOnOk()
    {
        FakeSeams seams;
        TestFolder folder;
        folder.mkdir("Preferences.ini");
        SettingsRun run(folder);
        run.open();
        run.field("edtOutputFile")->setText("/videos/out.avi");
        run.click("btnOK");
        QCOMPARE(seams.messages.texts(), QStringList{"Unable to write to " + folder.file("Preferences.ini")});
        QCOMPARE(run.outputField()->text(), QString("/videos/out.avi")); // updated before the write
        QVERIFY(run.dialog().isVisible());
    }

    void browseButtons()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString scratch = folder.mkdir("scratch");
        SettingsRun run(folder);
        seams.dialogs.saveAnswers << QString("/videos/first") << QString("/videos/second.mp4");
        run.child<QPushButton>("bbtnBrowser")->click(); // the main window's Browse, same dialog object
        run.open();
        run.click("SpeedButton1");
        QCOMPARE(seams.dialogs.saveRequests.at(1).initialPath, QString("/videos/first.avi"));
        QCOMPARE(seams.dialogs.saveRequests.at(1).filter, run.main().SaveDialog1().filter());
        QCOMPARE(run.field("edtOutputFile")->text(), QString("/videos/second.mp4"));

        seams.dialogs.folderAnswers << scratch << std::nullopt;
        run.click("SpeedButton2");
        QCOMPARE(seams.dialogs.folderRequests.at(0), (std::pair<QString, QString>("Select the output directory.", "")));
        QCOMPARE(run.field("edtTempDir")->text(), scratch + "/");
        run.click("SpeedButton2");
        QCOMPARE(run.field("edtTempDir")->text(), scratch + "/");
    }
};

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
