#include "platform/Paths.h"

#include <QtTest>

using namespace velmora::platform;

class tst_Paths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void includeBackslash_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/home/ann/videos" << "/home/ann/videos/";
        QTest::newRow("already ends in one") << "/home/ann/videos/" << "/home/ann/videos/";
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("relative") << "temp" << "temp/";
    }
    void includeBackslash()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(IncludeBackslash(folder), expected);
    }

    void nameParts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("two dots") << "/v/clip.part1.avi" << "/v/" << "clip.part1.avi" << ".avi" << "/v/clip.part1";
        QTest::newRow("no dot") << "/v/README" << "/v/" << "README" << "" << "/v/README";
        QTest::newRow("dot in folder only") << "/v.d/clip" << "/v.d/" << "clip" << "" << "/v";
        QTest::newRow("no folder") << "joined.avi" << "" << "joined.avi" << ".avi" << "joined";
        QTest::newRow("trailing dot") << "/v/a." << "/v/" << "a." << "." << "/v/a";
        QTest::newRow("capitals kept") << "/v/A.AVI" << "/v/" << "A.AVI" << ".AVI" << "/v/A";
    }
    void nameParts()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, stripped);
        QCOMPARE(ExtractFilePath(path), folder);
        QCOMPARE(ExtractFileName(path), name);
        QCOMPARE(ExtractFileExt(path), ext);
        QCOMPARE(StripExtension(path), stripped);
    }
};

QTEST_GUILESS_MAIN(tst_Paths)
#include "tst_paths.moc"
