#include "profiles/LoadedProfile.h"
#include "profiles/ProfileList.h"
#include "profiles/WholeNumber.h"
#include "support/TestFolder.h"

#include <QtTest>

using namespace velmora::profiles;
using velmora::test::TestFolder;

class tst_ProfileList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void discovery()
    {
        TestFolder folder;
        for (const char *name : {"Web.BPF", "Tv.Low.bpf", "alpha.bpf", ".hidden.bpf", "notes.txt", "Zoom.bpf.bak", "Beta.bPf"})
            folder.write(QStringLiteral("Profiles/") + name, "[Main]\r\n");
        folder.mkdir("Profiles/x.bpf");
        const QList<ProfileEntry> expected = {
            {"alpha", "alpha.bpf"}, {"Beta", "Beta.bPf"}, {"Tv.Low", "Tv.Low.bpf"}, {"Web", "Web.BPF"}};
        QCOMPARE(discoverProfiles(folder.file("Profiles")), expected);
    }

    void missingFolder()
    {
        TestFolder folder;
        QVERIFY(discoverProfiles(folder.file("Profiles")).isEmpty());
    }

    // The Profile key wins wherever it is present, read as always; without it, the profile that
    // plays everywhere, else the first.
    void chosenProfile_data()
    {
        QTest::addColumn<QByteArray>("preferences"); // empty: no file
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("chosen");
        const QStringList shipped = {"DivX Compatible - High Quality", "Editing", "MP4 - H.264 and AAC (plays everywhere)", "WebM"};
        QTest::newRow("no file") << QByteArray() << shipped << 2;
        QTest::newRow("no Profile key") << QByteArray("[Main]\r\nOutput File=x.avi\r\n") << shipped << 2;
        QTest::newRow("key in another section") << QByteArray("[Default]\r\nProfile=1\r\n") << shipped << 2;
        QTest::newRow("saved choice") << QByteArray("[main]\r\nprofile=0\r\n") << shipped << 0;
        QTest::newRow("none chosen at close") << QByteArray("[Main]\r\nProfile=-1\r\n") << shipped << -1;
        QTest::newRow("unreadable value") << QByteArray("[Main]\r\nProfile=two\r\n") << shipped << 0;
        QTest::newRow("empty value") << QByteArray("[Main]\r\nProfile=\r\n") << shipped << 0;
        QTest::newRow("not shipped") << QByteArray() << QStringList{"Mine", "Yours"} << 0;
        QTest::newRow("other letter case") << QByteArray() << QStringList{"Mine", "mp4 - h.264 and aac (plays everywhere)"} << 0;
    }
    void chosenProfile()
    {
        QFETCH(QByteArray, preferences);
        QFETCH(QStringList, names);
        QFETCH(int, chosen);
        TestFolder folder;
        if (!preferences.isEmpty())
            folder.write("Preferences.ini", preferences);
        QCOMPARE(ChosenProfile(folder.file("Preferences.ini"), names), chosen);
    }

    // A profile named from a terminal: its list name in any letter case, or a profile file.
    void findProfile_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("found"); // relative to the folder; empty: none
        QTest::newRow("list name") << "Web - Small" << "Profiles/Web - Small.BPF";
        QTest::newRow("other case") << "web - SMALL" << "Profiles/Web - Small.BPF";
        QTest::newRow("a file elsewhere") << "FOLDER/mine/Own.bpf" << "mine/Own.bpf";
        QTest::newRow("a file in any case") << "FOLDER/mine/Other.BPF" << "mine/Other.BPF";
        QTest::newRow("not a profile file") << "FOLDER/mine/notes.txt" << "";
        QTest::newRow("a missing file") << "FOLDER/mine/Gone.bpf" << "";
        QTest::newRow("part of a name") << "Web" << "";
        QTest::newRow("the file name") << "Web - Small.BPF" << "";
    }
    void findProfile()
    {
        QFETCH(QString, named);
        QFETCH(QString, found);
        TestFolder folder;
        for (const char *name : {"Profiles/Web - Small.BPF", "Profiles/Tv.bpf", "mine/Own.bpf", "mine/Other.BPF", "mine/notes.txt"})
            folder.write(name, "[Main]\r\nType=mp4\r\n");
        const QString profiles = folder.file("Profiles") + '/';
        const auto result = FindProfile(discoverProfiles(profiles), profiles, named.replace("FOLDER", folder.path()));
        QCOMPARE(result.value_or(QString()), found.isEmpty() ? QString() : folder.file(found));
    }

    // A profile as loaded without its dialog: each list at the position the profile selects,
    // none where that position is missing or past the list.
    void loadedProfile()
    {
        TestFolder folder;
        const QString path = folder.write("p.bpf", "[Main]\r\nType=webm\r\n"
                                                   "[Video Codec]\r\nItems=2\r\nCaption0=VP8\r\nCaption1=VP9\r\nIndex=1\r\n"
                                                   "[Audio Codec]\r\nItems=1\r\nCaption0=Opus\r\nIndex=3\r\n");
        const LoadedProfile profile(path);
        QCOMPARE(profile.outputExtension(), QStringLiteral(".webm"));
        QCOMPARE(profile.selectedIndex(Section::VideoCodec), 1);
        QCOMPARE(profile.currentText(Section::VideoCodec), QStringLiteral("VP9"));
        QCOMPARE(profile.selectedIndex(Section::AudioCodec), -1);
        QCOMPARE(profile.currentText(Section::AudioCodec), QString());
        QCOMPARE(profile.selectedIndex(Section::Channels), -1);
        QCOMPARE(LoadedProfile(folder.file("none.bpf")).outputExtension(), QStringLiteral(".avi"));
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "1200" << true << 1200;
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("negative") << "-100" << true << -100;
        QTest::newRow("plus") << "+5" << true << 5;
        QTest::newRow("leading blanks") << "  44100" << true << 44100;
        QTest::newRow("dollar hexadecimal") << "$4B0" << true << 1200;
        QTest::newRow("0x hexadecimal") << "0x4b0" << true << 1200;
        QTest::newRow("negative hexadecimal") << "-$10" << true << -16;
        QTest::newRow("eight hex digits") << "$FFFFFFFF" << true << -1;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("nine hex digits") << "$100000000" << false << 0;
        QTest::newRow("trailing blank") << "1200 " << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blanks only") << "   " << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("dollar only") << "$" << false << 0;
        QTest::newRow("letters") << "12k" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("blank after sign") << "- 5" << false << 0;
        QTest::newRow("other digits") << QString::fromUtf8("\xD9\xA3") << false << 0;
    }
    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto parsed = parseWholeNumber(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }
};

QTEST_GUILESS_MAIN(tst_ProfileList)
#include "tst_profilelist.moc"
