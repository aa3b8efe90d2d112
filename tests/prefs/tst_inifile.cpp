#include "platform/Error.h"
#include "prefs/IniFile.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using velmora::prefs::IniFile;
using velmora::prefs::IniSnapshot;
using velmora::test::TestFolder;

class tst_IniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[Main]\r\nVersion=2.0\r\n") << "Main" << "Version" << "2.0";
        QTest::newRow("blanks around key, value and section")
            << QByteArray("[ Main ]\r\n  Version = 2.0  \r\n") << "Main" << "Version" << "2.0";
        QTest::newRow("names ignore case") << QByteArray("[MAIN]\r\nvErSiOn=3\r\n") << "main" << "VERSION" << "3";
        QTest::newRow("line feeds only") << QByteArray("[Main]\nVersion=4\n") << "Main" << "Version" << "4";
        QTest::newRow("no line break at the end") << QByteArray("[Main]\r\nVersion=5") << "Main" << "Version" << "5";
        QTest::newRow("missing key") << QByteArray("[Main]\r\nProfile=1\r\n") << "Main" << "Version" << "dflt";
        QTest::newRow("key of another section")
            << QByteArray("[Default]\r\nVersion=9\r\n[Main]\r\n") << "Main" << "Version" << "dflt";
        QTest::newRow("missing section") << QByteArray("[Default]\r\nVersion=9\r\n") << "Main" << "Version" << "dflt";
        QTest::newRow("first of two equal keys") << QByteArray("[Main]\r\nA=1\r\nA=2\r\n") << "Main" << "A" << "1";
        QTest::newRow("equals sign inside the value")
            << QByteArray("[Main]\r\nOutput File=/v/a=b.avi\r\n") << "Main" << "Output File" << "/v/a=b.avi";
        QTest::newRow("empty value") << QByteArray("[Main]\r\nOutput File=\r\n") << "Main" << "Output File" << "";
        QTest::newRow("comment is no key") << QByteArray("[Main]\r\n;Version=7\r\n") << "Main" << "Version" << "dflt";
        QTest::newRow("UTF-8 letters") << QByteArray("[Main]\r\nOutput File=/v/Vid\xC3\xA9o \xE6\x98\xA0.avi\r\n")
                                       << "Main" << "Output File" << QString::fromUtf8("/v/Vid\xC3\xA9o \xE6\x98\xA0.avi");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Main]\r\nVersion=6\r\n") << "Main" << "Version" << "6";
        QTest::newRow("section without closing bracket")
            << QByteArray("[Main\r\nVersion=8\r\n") << "Main" << "Version" << "dflt";
    }
    void readText()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestFolder folder;
        const IniFile ini(folder.write("p.ini", content));
        QCOMPARE(ini.readString(section, key, "dflt"), expected);
        // A file read once for many reads follows the same rules.
        QCOMPARE(IniSnapshot(ini.path()).readString(section, key, "dflt"), expected);
    }

    void readInteger_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("12") << 12;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("plus sign") << QByteArray("+7") << 7;
        QTest::newRow("hexadecimal") << QByteArray("0x2") << 2;
        QTest::newRow("hexadecimal capital X") << QByteArray("0X1f") << 31;
        QTest::newRow("all bits") << QByteArray("0xFFFFFFFF") << -1;
        QTest::newRow("hex too wide") << QByteArray("0x100000000") << 99;
        QTest::newRow("0x alone") << QByteArray("0x") << 99;
        QTest::newRow("word") << QByteArray("two") << 99;
        QTest::newRow("digits then letters") << QByteArray("12abc") << 99;
        QTest::newRow("inner blank") << QByteArray("1 2") << 99;
        QTest::newRow("too large") << QByteArray("2147483648") << 99;
        QTest::newRow("smallest") << QByteArray("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("empty") << QByteArray("") << 99;
        QTest::newRow("decimal point") << QByteArray("1.5") << 99;
        QTest::newRow("other digits") << QByteArray("\xD9\xA3") << 99;
    }
    void readInteger()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        TestFolder folder;
        const IniFile ini(folder.write("p.ini", "[Main]\r\nProfile=" + value + "\r\n"));
        QCOMPARE(ini.readInteger("Main", "Profile", 99), expected);
        QCOMPARE(IniSnapshot(ini.path()).readInteger("Main", "Profile", 99), expected);
    }

    void readBool_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("Auto Exit=1") << false << true;
        QTest::newRow("5 is true") << QByteArray("Auto Exit=5") << false << true;
        QTest::newRow("-1 is true") << QByteArray("Auto Exit=-1") << false << true;
        QTest::newRow("0") << QByteArray("Auto Exit=0") << true << false;
        QTest::newRow("hex zero") << QByteArray("Auto Exit=0x0") << true << false;
        QTest::newRow("word gives the default") << QByteArray("Auto Exit=yes") << false << false;
        QTest::newRow("word gives the default, true") << QByteArray("Auto Exit=no") << true << true;
        QTest::newRow("missing gives the default") << QByteArray("Other=0") << true << true;
    }
    void readBool()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, def);
        QFETCH(bool, expected);
        TestFolder folder;
        const IniFile ini(folder.write("p.ini", "[Main]\r\n" + line + "\r\n"));
        QCOMPARE(ini.readBool("Main", "Auto Exit", def), expected);
    }

    void readMissingFileOrFolderGivesDefaults()
    {
        TestFolder folder;
        QCOMPARE(IniFile(folder.file("none.ini")).readString("Main", "Version", "1.5"), QString("1.5"));
        QCOMPARE(IniFile(folder.file("none.ini")).readInteger("Main", "Profile", 0), 0);
        QCOMPARE(IniFile(folder.mkdir("dir.ini")).readBool("Main", "Ask", true), true);
    }

    void readTextIsCutAt2047Characters()
    {
        TestFolder folder;
        const QByteArray longValue(3000, 'a');
        const IniFile ini(folder.write("p.ini", "[Main]\r\nOutput File=" + longValue + "\r\n"));
        QCOMPARE(ini.readString("Main", "Output File", {}), QString(2047, 'a'));
    }

    void readsSeeChangesMadeBehindTheirBack()
    {
        TestFolder folder;
        const IniFile ini(folder.write("p.ini", "[Main]\r\nProfile=1\r\n"));
        QCOMPARE(ini.readInteger("Main", "Profile", 0), 1);
        folder.write("p.ini", "[Main]\r\nProfile=2\r\n");
        QCOMPARE(ini.readInteger("Main", "Profile", 0), 2);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "Main" << "Profile" << "1" << QByteArray("[Main]\r\nProfile=1\r\n");
        QTest::newRow("empty file") << QByteArray("") << "Main" << "Profile" << "1" << QByteArray("[Main]\r\nProfile=1\r\n");
        QTest::newRow("value replaced in place, all else kept")
            << QByteArray("; my notes\r\n[Main]\r\nProfile=0\r\nOutput File=x\r\n\r\n[Extra]\r\nKeep=me\r\n")
            << "Main" << "Profile" << "5"
            << QByteArray("; my notes\r\n[Main]\r\nProfile=5\r\nOutput File=x\r\n\r\n[Extra]\r\nKeep=me\r\n");
        QTest::newRow("key spelled and spaced as the file has it")
            << QByteArray("[main]\r\n  profile = 0  \r\n") << "Main" << "Profile" << "5"
            << QByteArray("[main]\r\n  profile = 5\r\n");
        QTest::newRow("missing key at the end of its section")
            << QByteArray("[Main]\r\nVersion=1.5\r\n\r\n[Default]\r\nAsk=1\r\n") << "Main" << "Profile" << "3"
            << QByteArray("[Main]\r\nVersion=1.5\r\nProfile=3\r\n\r\n[Default]\r\nAsk=1\r\n");
        QTest::newRow("missing key in an empty section")
            << QByteArray("[Main]\r\n[Default]\r\n") << "Main" << "Profile" << "3"
            << QByteArray("[Main]\r\nProfile=3\r\n[Default]\r\n");
        QTest::newRow("only a Default section: kept in place, Main appended")
            << QByteArray("[Default]\r\nAsk=1\r\n; factory values\r\n") << "Main" << "Profile" << "-1"
            << QByteArray("[Default]\r\nAsk=1\r\n; factory values\r\n[Main]\r\nProfile=-1\r\n");
        QTest::newRow("section appended after a last line without line break")
            << QByteArray("[Default]\r\nAsk=1") << "Main" << "Profile" << "0"
            << QByteArray("[Default]\r\nAsk=1\r\n[Main]\r\nProfile=0\r\n");
        QTest::newRow("key added after a last line without line break")
            << QByteArray("[Main]\r\nA=1") << "Main" << "B" << "2" << QByteArray("[Main]\r\nA=1\r\nB=2");
        QTest::newRow("line feed file gets line feeds")
            << QByteArray("[Main]\nA=1\n") << "Main" << "B" << "2" << QByteArray("[Main]\nA=1\nB=2\n");
        QTest::newRow("line feed file, new section")
            << QByteArray("[Main]\nA=1\n") << "Default" << "B" << "2" << QByteArray("[Main]\nA=1\n[Default]\nB=2\n");
        QTest::newRow("byte order mark kept")
            << QByteArray("\xEF\xBB\xBF[Main]\r\nA=1\r\n") << "Main" << "A" << "2" << QByteArray("\xEF\xBB\xBF[Main]\r\nA=2\r\n");
        QTest::newRow("other bytes untouched")
            << QByteArray("[Main]\r\nName=caf\xE9\r\nA=1\r\n") << "Main" << "A" << "2"
            << QByteArray("[Main]\r\nName=caf\xE9\r\nA=2\r\n");
        QTest::newRow("UTF-8 value") << QByteArray() << "Main" << "Output File" << QString::fromUtf8("/v/\xC3\xA9t\xC3\xA9.avi")
                                     << QByteArray("[Main]\r\nOutput File=/v/\xC3\xA9t\xC3\xA9.avi\r\n");
        QTest::newRow("line breaks in a value stay on its line")
            << QByteArray("[Main]\r\nA=1\r\n") << "Main" << "Output File" << "/v/a\n[Main]\r\nProfile=9"
            << QByteArray("[Main]\r\nA=1\r\nOutput File=/v/a [Main]  Profile=9\r\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TestFolder folder;
        if (!before.isNull())
            folder.write("p.ini", before);
        IniFile ini(folder.file("p.ini"));
        ini.writeString(section, key, value);
        QCOMPARE(folder.read("p.ini"), after);
        QCOMPARE(ini.readString(section, key, "dflt"), QString(value).replace('\r', ' ').replace('\n', ' '));
    }

    void integersAndBooleansAreWrittenAsDecimals()
    {
        TestFolder folder;
        IniFile ini(folder.file("p.ini"));
        ini.writeInteger("Main", "Profile", -1);
        ini.writeBool("Main", "Ask", true);
        ini.writeBool("Main", "Rename", false);
        QCOMPARE(folder.read("p.ini"), QByteArray("[Main]\r\nProfile=-1\r\nAsk=1\r\nRename=0\r\n"));
    }

    void writeThroughSymbolicLinkKeepsTheLink()
    {
        TestFolder folder;
        const QString target = folder.write("real/p.ini", "[Main]\r\nA=1\r\n");
        QVERIFY(QFile::link(target, folder.file("p.ini")));
        IniFile(folder.file("p.ini")).writeString("Main", "A", "2");
        QVERIFY(QFileInfo(folder.file("p.ini")).isSymLink());
        QCOMPARE(folder.read("real/p.ini"), QByteArray("[Main]\r\nA=2\r\n"));
    }

    void writeKeepsPermissions()
    {
        TestFolder folder;
        const QString path = folder.write("p.ini", "[Main]\r\nA=1\r\n");
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, permissions));
        IniFile(path).writeString("Main", "A", "2");
        const QFileDevice::Permissions modeBits(0x7077); // owner, group, others; not "this user"
        QCOMPARE(QFile::permissions(path) & modeBits, permissions);
    }

    void refusedWrite_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("folder at the file's path") << "folder";
        QTest::newRow("parent is a file") << "parent-file";
        QTest::newRow("parent missing") << "parent-missing";
        QTest::newRow("link into a missing folder") << "dangling";
    }
    void refusedWrite()
    {
        QFETCH(QString, setup);
        TestFolder folder;
        QString path = folder.file("p.ini");
        if (setup == "folder") {
            folder.mkdir("p.ini");
            folder.write("p.ini/keep.txt", "mine");
        } else if (setup == "parent-file") {
            folder.write("plain", "x");
            path = folder.file("plain/p.ini");
        } else if (setup == "parent-missing") {
            path = folder.file("nowhere/p.ini");
        } else {
            QVERIFY(QFile::link(folder.file("gone/p.ini"), path));
        }
        IniFile ini(path);
        try {
            ini.writeInteger("Main", "Profile", 1);
            QFAIL("the write was not refused");
        } catch (const velmora::Error &error) {
            QCOMPARE(error.text(), "Unable to write to " + path);
        }
        if (setup == "folder")
            QCOMPARE(folder.read("p.ini/keep.txt"), QByteArray("mine"));
        if (setup == "parent-file")
            QCOMPARE(folder.read("plain"), QByteArray("x"));
    }

    void writeWhereOnlyTheFileIsWritable()
    {
        // A shared program folder: nobody may add a file to it, but the preferences file itself
        // was made writable for everyone.
        TestFolder folder;
        const QString app = folder.mkdir("app");
        const QString path = folder.write("app/Preferences.ini", "[Main]\r\nVersion=1.5\r\n");
        QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(app).constData(), 0555) == 0);
        const auto restore = qScopeGuard([&] { ::chmod(QFile::encodeName(app).constData(), 0755); });

        const auto write = [&path] {
            try {
                IniFile(path).writeString("Main", "Output File", "/v/out.avi");
                return true;
            } catch (const velmora::Error &) {
                return false;
            }
        };
        if (::geteuid() != 0) {
            QVERIFY(write());
        } else {
            // Root writes anywhere: the write runs in a child that has become nobody.
            const passwd *nobody = ::getpwnam("nobody");
            if (!nobody)
                QSKIP("there is no user 'nobody' to write as");
            const pid_t child = ::fork();
            if (child == 0) {
                if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                    ::_exit(3);
                ::_exit(write() ? 0 : 1);
            }
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child);
            QVERIFY(WIFEXITED(status));
            if (WEXITSTATUS(status) == 3)
                QSKIP("could not become the user 'nobody'");
            QCOMPARE(WEXITSTATUS(status), 0);
        }
        QCOMPARE(folder.read("app/Preferences.ini"), QByteArray("[Main]\r\nVersion=1.5\r\nOutput File=/v/out.avi\r\n"));
        QCOMPARE(QDir(app).entryList(QDir::Files | QDir::Hidden), QStringList{"Preferences.ini"});
    }

    void refusedWriteLeavesEarlierWrites()
    {
        TestFolder folder;
        const QString real = folder.mkdir("real");
        QVERIFY(QFile::link(real + "/p.ini", folder.file("p.ini")));
        IniFile ini(folder.file("p.ini"));
        ini.writeString("Main", "Output File", "/v/out.avi");
        // The folder behind the link goes away: the next write has nowhere to go.
        QVERIFY(QDir(folder.path()).rename("real", "moved"));
        QVERIFY_THROWS_EXCEPTION(velmora::Error, ini.writeString("Main", "Temp Dir", "/tmp/"));
        QCOMPARE(folder.read("moved/p.ini"), QByteArray("[Main]\r\nOutput File=/v/out.avi\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_inifile.moc"
