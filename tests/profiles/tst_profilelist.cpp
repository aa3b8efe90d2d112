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
