// Where the preferences and the temporary folder are: beside the program where it may be
// written, in the user's own folders where the program folder is shared and read-only.
#include "prefs/IniFile.h"
#include "prefs/ProgramFolder.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>


using velmora::prefs::IniFile;
using velmora::prefs::ProgramFolder;
using velmora::test::TestFolder;
using velmora::test::makeReadOnly;
using velmora::test::undoReadOnly;

class tst_ProgramFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writableProgramFolderKeepsItsPreferences()
    {
        TestFolder folder;
        const QString app = folder.mkdir("app");
        folder.write("app/Preferences.ini", "[Main]\r\nVersion=1.5\r\n");
        const ProgramFolder program(app, folder.file("config"), folder.file("cache"));
        QVERIFY(!program.perUserPreferences());
        QCOMPARE(program.preferencesFile(), app + "/Preferences.ini");
        QCOMPARE(program.defaultTempDir(), app + "/temp/");
        QCOMPARE(program.profilesDir(), app + "/Profiles/");
        QVERIFY(!QFileInfo::exists(folder.file("config")));
    }

    void sharedProgramFolderGivesEachUserTheirOwn()
    {
        TestFolder folder;
        const QString app = folder.mkdir("app");
        folder.write("app/Preferences.ini", "[Main]\r\nVersion=1.5\r\n\r\n[Default]\r\nAsk=1\r\n");
        if (!makeReadOnly(app))
            QSKIP("this process cannot make a folder it cannot write");
        const auto undo = qScopeGuard([&] { undoReadOnly(app); });

        const ProgramFolder first(app, folder.file("config"), folder.file("cache"));
        QVERIFY(first.perUserPreferences());
        QCOMPARE(first.preferencesFile(), folder.file("config/velmora/Preferences.ini"));
        QCOMPARE(first.defaultTempDir(), folder.file("cache/velmora/"));
        QCOMPARE(first.profilesDir(), app + "/Profiles/"); // the program's own files stay where they are
        // The shipped preferences, the Default section too, are the user's starting point.
        QCOMPARE(folder.read("config/velmora/Preferences.ini"), folder.read("app/Preferences.ini"));
        const QFileDevice::Permissions mode = QFile::permissions(first.preferencesFile());
        QVERIFY(mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(!(mode & (QFileDevice::WriteGroup | QFileDevice::WriteOther)));

        // What the user changed is kept at the next start, not copied over again.
        IniFile(first.preferencesFile()).writeString("Main", "Output File", "/v/mine.avi");
        const ProgramFolder second(app, folder.file("config"), folder.file("cache"));
        QCOMPARE(IniFile(second.preferencesFile()).readString("Main", "Output File", {}), QString("/v/mine.avi"));
        QCOMPARE(IniFile(app + "/Preferences.ini").readString("Main", "Output File", "none"), QString("none"));
    }
};

QTEST_GUILESS_MAIN(tst_ProgramFolder)
#include "tst_programfolder.moc"
