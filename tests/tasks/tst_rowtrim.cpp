#include "tasks/InputPaths.h"
#include "tasks/InputTypes.h"
#include "tasks/RowTrim.h"
#include "tasks/TimeText.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QtTest>

using namespace velmora::tasks;
using velmora::test::TestFolder;

namespace {

std::optional<double> side(double value)
{
    return value < 0 ? std::nullopt : std::optional<double>(value);
}

ltvItemData row(const QString &length)
{
    ltvItemData data;
    data.InputFile = QStringLiteral("/v/clip.mp4");
    data.Length = length;
    data.LengthSeconds = TimeTextToSeconds(length);
    return data;
}

} // namespace

class tst_RowTrim : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the row shows and keeps for a trim, and that clearing it brings the clip back whole.
    void rowFields_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<double>("start"); // -1: open
        QTest::addColumn<double>("end");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("tip");
        QTest::newRow("both sides") << "00:00:20" << 1.5 << 3.0 << "00:00:01.5" << "Trimmed: 00:00:01.500 to 00:00:03.000 of 00:00:20";
        QTest::newRow("start only") << "00:01:00.5" << 30.0 << -1.0 << "00:00:30.5"
                                    << "Trimmed: 00:00:30.000 to 00:01:00.500 of 00:01:00.5";
        QTest::newRow("end only") << "01:00:00" << -1.0 << 61.001 << "00:01:01" << "Trimmed: 00:00:00.000 to 00:01:01.001 of 01:00:00";
        QTest::newRow("end past the clip") << "00:00:10" << 4.0 << 12.0 << "00:00:06" << "Trimmed: 00:00:04.000 to 00:00:12.000 of 00:00:10";
        QTest::newRow("end before start keeps nothing") << "00:00:10" << 6.0 << 5.0 << "00:00:00"
                                                        << "Trimmed: 00:00:06.000 to 00:00:05.000 of 00:00:10";
    }
    void rowFields()
    {
        QFETCH(QString, length);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QString, kept);
        QFETCH(QString, tip);
        ltvItemData data = row(length);
        const Trim trim{side(start), side(end)};
        ApplyTrim(data, trim);
        QCOMPARE(data.Length, kept);
        QCOMPARE(data.LengthSeconds, TimeTextToSeconds(kept));
        QCOMPARE(TrimOf(data), trim);
        QCOMPARE(TrimToolTip(data), tip);
        // Trimmed again, it is measured against the whole clip, not the span kept before.
        ApplyTrim(data, Trim{0.0, std::nullopt});
        QCOMPARE(data.Length, SecondsToTimeText(TimeTextToSeconds(length)));
        ApplyTrim(data, Trim());
        QCOMPARE(data.Length, length);
        QCOMPARE(data.LengthSeconds, TimeTextToSeconds(length));
        QVERIFY(TrimToolTip(data).isEmpty());
        for (const int item : {TrimStartItem, TrimEndItem, WholeLengthItem})
            QVERIFY(data.subItem(item).isEmpty());
    }

    void trimLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("start"); // -1: open; -2: not a trim line
        QTest::addColumn<double>("end");
        QTest::newRow("both") << "#velmora-trim start=1.500 end=3.000" << 1.5 << 3.0;
        QTest::newRow("open end") << "#velmora-trim start=2 end=-" << 2.0 << -1.0;
        QTest::newRow("a path") << "/v/#velmora-trim start=1 end=2" << -2.0 << -2.0;
        QTest::newRow("a comment of another kind") << "#velmora-trim start=x end=2" << -2.0 << -2.0;
        QTest::newRow("a blank after it") << "#velmora-trim start=1 end=2 " << -2.0 << -2.0;
    }
    void trimLines()
    {
        QFETCH(QString, line);
        QFETCH(double, start);
        QFETCH(double, end);
        const std::optional<Trim> trim = ReadTrimLine(line);
        QCOMPARE(trim.has_value(), start != -2.0);
        if (trim)
            QCOMPARE(*trim, (Trim{side(start), side(end)}));
    }

    // Saved and read back, every row keeps its path and trim; a list without trims is one path
    // a line, as it always was; a reader that knows nothing of trims finds every path, and
    // takes a trim line for a file that is not there.
    void listFiles()
    {
        const TestFolder folder;
        const QList<ListEntry> untrimmed{{folder.file("a b.mp4"), {}}, {folder.file("ç.mkv"), {}}};
        QCOMPARE(ListFileText(untrimmed), (folder.file("a b.mp4") + "\n" + folder.file("ç.mkv") + "\n").toUtf8());

        QFile::copy(QFINDTESTDATA("tst_rowtrim.cpp"), folder.file("a b.mp4"));
        const QList<ListEntry> entries{
            {folder.file("a b.mp4"), Trim{1.5, 3.0}}, {folder.file("ç.mkv"), {}}, {folder.file("a b.mp4"), Trim{std::nullopt, 9.25}}};
        const QString list = folder.file("list.tmp");
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ListFileText(entries));
        file.close();
        const QList<ListEntry> back = CommandLineEntries({list});
        QCOMPARE(back.size(), entries.size());
        for (qsizetype i = 0; i < back.size(); ++i) {
            QCOMPARE(back.at(i).path, entries.at(i).path);
            QCOMPARE(back.at(i).trim, entries.at(i).trim);
        }
        const QStringList lines = CommandLinePaths({list});
        QCOMPARE(lines.size(), 5);
        for (const QString &line : lines) {
            const NamedInput named = ClassifyInput(line);
            QVERIFY2(line.startsWith('#') ? named.kind == NamedInput::Kind::Missing : line.endsWith(".mp4") || line.endsWith(".mkv"),
                     qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(tst_RowTrim)
#include "tst_rowtrim.moc"
