#include "platform/FileFilter.h"

#include <QtTest>

using namespace velmora::platform;

class tst_FileFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qtNameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one type and all files")
            << "AVI Files (*.avi)|*.avi|All Files (*.*)|*.*" << QStringList{"AVI Files (*.avi)", "All Files (*)"};
        QTest::newRow("semicolon list in the description")
            << "All Support Files(*.avi;*.mpg;)|*.avi;*.mpg;|MPG Files (*.mpg)|*.mpg"
            << QStringList{"All Support Files (*.avi *.mpg)", "MPG Files (*.mpg)"};
        QTest::newRow("description without patterns") << "Videos|*.avi;*.mov" << QStringList{"Videos (*.avi *.mov)"};
        QTest::newRow("description and pattern differ")
            << "Clips (*.avi)|*.mov" << QStringList{"Clips (*.mov)"};
        QTest::newRow("a dangling description is no entry") << "AVI Files (*.avi)|*.avi|Odd" << QStringList{"AVI Files (*.avi)"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void qtNameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(toQtNameFilters(filter), expected);
    }

    void entriesForExtensions()
    {
        QCOMPARE(extensionFilterEntries({".avi", ".mpeg"}) + allFilesFilterEntry(),
                 QStringLiteral("AVI Files (*.avi)|*.avi|MPEG Files (*.mpeg)|*.mpeg|All Files (*.*)|*.*"));
    }
};

QTEST_GUILESS_MAIN(tst_FileFilter)
#include "tst_filefilter.moc"
