#include "tasks/TaskList.h"

#include <QTreeWidget>
#include <QtTest>

using namespace velmora::tasks;

namespace {

// A list with one row: caption "/v/a.avi", sub-items "00:01:15.5", "640x480", "OK", "a",
// "four", "" (5), "00:00:07" (6), "x" (7), "1:2:3" (8), "" (9).
struct OneRow
{
    OneRow()
        : list(&control, nullptr)
    {
        auto *row = new QTreeWidgetItem(QStringList{"/v/a.avi", "00:01:15.5", "640x480", "OK", "a", "four", "", "00:00:07", "x", "1:2:3", ""});
        control.addTopLevelItem(row);
    }
    QTreeWidget control;
    TaskList list;
};

ltvItemData marked()
{
    ltvItemData data;
    data.InputFile = "keep";
    for (int i = 0; i < ltvItemData::SubItems; ++i)
        data.subItem(i) = "keep";
    for (const int i : {0, 5, 6, 7, 8, 9})
        *data.seconds(i) = 99;
    return data;
}

} // namespace

class tst_TaskItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void get_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("texts");   // caption, then sub-items 0 to 9
        QTest::addColumn<QList<double>>("numbers"); // LengthSeconds, Extra5 to Extra9
        const QString k = "keep";
        QTest::newRow("-2: everything") << -2 << QStringList{"/v/a.avi", "00:01:15.5", "640x480", "OK", "a", "four", "", "00:00:07", "x", "1:2:3", ""}
                                        << QList<double>{75.5, -1, 7, -1, 3723, -1};
        QTest::newRow("-1: the caption") << -1 << QStringList{"/v/a.avi", k, k, k, k, k, k, k, k, k, k} << QList<double>{99, 99, 99, 99, 99, 99};
        QTest::newRow("0: length and its seconds") << 0 << QStringList{k, "00:01:15.5", k, k, k, k, k, k, k, k, k}
                                                   << QList<double>{75.5, 99, 99, 99, 99, 99};
        QTest::newRow("2: the status alone") << 2 << QStringList{k, k, k, "OK", k, k, k, k, k, k, k} << QList<double>{99, 99, 99, 99, 99, 99};
        QTest::newRow("5: empty text, -1") << 5 << QStringList{k, k, k, k, k, k, "", k, k, k, k} << QList<double>{99, -1, 99, 99, 99, 99};
        QTest::newRow("6: a time text") << 6 << QStringList{k, k, k, k, k, k, k, "00:00:07", k, k, k} << QList<double>{99, 99, 7, 99, 99, 99};
        QTest::newRow("10: nothing") << 10 << QStringList{k, k, k, k, k, k, k, k, k, k, k} << QList<double>{99, 99, 99, 99, 99, 99};
        QTest::newRow("-3: nothing") << -3 << QStringList{k, k, k, k, k, k, k, k, k, k, k} << QList<double>{99, 99, 99, 99, 99, 99};
    }
    void get()
    {
        QFETCH(int, field);
        QFETCH(QStringList, texts);
        QFETCH(QList<double>, numbers);
        OneRow one;
        ltvItemData data = marked();
        one.list.GetTaskItem(0, field, data);
        QStringList read{data.InputFile};
        for (int i = 0; i < ltvItemData::SubItems; ++i)
            read << data.subItem(i);
        QCOMPARE(read, texts);
        QCOMPARE((QList<double>{data.LengthSeconds, data.Extra5Seconds, data.Extra6Seconds, data.Extra7Seconds,
                                data.Extra8Seconds, data.Extra9Seconds}),
                 numbers);
    }

    void set_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("-2: caption and all ten") << -2 << QStringList{"new", "n0", "n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8", "n9"};
        QTest::newRow("-1: caption") << -1 << QStringList{"new", "00:01:15.5", "640x480", "OK", "a", "four", "", "00:00:07", "x", "1:2:3", ""};
        QTest::newRow("2: status") << 2 << QStringList{"/v/a.avi", "00:01:15.5", "640x480", "n2", "a", "four", "", "00:00:07", "x", "1:2:3", ""};
        QTest::newRow("11: nothing") << 11 << QStringList{"/v/a.avi", "00:01:15.5", "640x480", "OK", "a", "four", "", "00:00:07", "x", "1:2:3", ""};
    }
    void set()
    {
        QFETCH(int, field);
        QFETCH(QStringList, row);
        OneRow one;
        ltvItemData data;
        data.InputFile = "new";
        for (int i = 0; i < ltvItemData::SubItems; ++i)
            data.subItem(i) = "n" + QString::number(i);
        one.list.SetTaskItem(0, field, data);
        QStringList texts;
        for (int column = 0; column < 11; ++column)
            texts << one.control.topLevelItem(0)->text(column);
        QCOMPARE(texts, row);
        QCOMPARE(one.control.columnCount(), 11);
        QVERIFY(one.control.isColumnHidden(4) && !one.control.isColumnHidden(3));
    }
};

QTEST_MAIN(tst_TaskItem)
#include "tst_taskitem.moc"
