#include "tasks/ColumnSizer.h"
#include "tasks/TaskOrder.h"

#include <QtTest>

using namespace velmora::tasks;

namespace {

// "A*BC*" -> rows A (selected), B, C (selected)
std::vector<bool> selectionOf(const QString &rows)
{
    std::vector<bool> selected;
    for (const QChar c : rows) {
        if (c == '*')
            selected.back() = true;
        else
            selected.push_back(false);
    }
    return selected;
}

QString render(const Reorder &r)
{
    QString rows;
    for (size_t i = 0; i < r.order.size(); ++i) {
        rows += QChar('A' + r.order[i]);
        if (r.selected[i])
            rows += '*';
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(ColumnSizer::Widths)

class tst_TaskOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moves_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("up");
        QTest::addColumn<QString>("down");
        QTest::newRow("first two selected") << "A*B*C" << "B*AC" << "CA*B*";
        QTest::newRow("last two selected") << "AB*C*" << "B*C*A" << "ACB*";
        QTest::newRow("first row alone stays") << "A*BC" << "A*BC" << "BA*C";
        QTest::newRow("last row alone stays") << "ABC*" << "AC*B" << "ABC*";
        QTest::newRow("nothing selected") << "ABC" << "ABC" << "ABC";
        QTest::newRow("all selected") << "A*B*C*" << "B*C*A" << "CA*B*";
        QTest::newRow("apart") << "A*BC*D" << "A*C*BD" << "BA*DC*";
        QTest::newRow("single row") << "A*" << "A*" << "A*";
        QTest::newRow("empty") << "" << "" << "";
    }
    void moves()
    {
        QFETCH(QString, before);
        QFETCH(QString, up);
        QFETCH(QString, down);
        QCOMPARE(render(MoveUp(selectionOf(before))), up);
        QCOMPARE(render(MoveDown(selectionOf(before))), down);
    }

    void dropsAt_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("after");
        QTest::newRow("rows 4 and 5 to the top") << "ABCD*E*" << 0 << "D*E*ABC";
        QTest::newRow("to the end") << "A*B*CDE" << 5 << "CDEA*B*";
        QTest::newRow("apart, gathered in the middle") << "A*BCD*E" << 3 << "BCA*D*E";
        QTest::newRow("onto themselves") << "AB*C*D" << 2 << "AB*C*D";
        QTest::newRow("just after themselves") << "AB*C*D" << 3 << "AB*C*D";
        QTest::newRow("down past one") << "AB*C*DE" << 4 << "ADB*C*E";
        QTest::newRow("one row up") << "ABC*" << 1 << "AC*B";
        QTest::newRow("nothing selected") << "ABC" << 0 << "ABC";
        QTest::newRow("out of range") << "A*BC" << 4 << "A*BC";
        QTest::newRow("below zero") << "A*BC" << -1 << "A*BC";
        QTest::newRow("empty") << "" << 0 << "";
    }
    void dropsAt()
    {
        QFETCH(QString, before);
        QFETCH(int, target);
        QFETCH(QString, after);
        QCOMPARE(render(MoveTo(selectionOf(before), target)), after);
    }

    void arranged_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QString>("after");
        QTest::newRow("reversed, selection follows") << "A*BC*" << QList<int>{2, 1, 0} << "C*BA*";
        QTest::newRow("unchanged") << "AB*" << QList<int>{0, 1} << "AB*";
        QTest::newRow("rotated") << "AB*CD" << QList<int>{1, 2, 3, 0} << "B*CDA";
    }
    void arranged()
    {
        QFETCH(QString, before);
        QFETCH(QList<int>, order);
        QFETCH(QString, after);
        QCOMPARE(render(Arranged(std::vector<int>(order.begin(), order.end()), selectionOf(before))), after);
    }

    void columnSizing_data()
    {
        QTest::addColumn<QList<int>>("widths"); // the list's widths, resize after resize
        QTest::addColumn<ColumnSizer::Widths>("rule");
        QTest::addColumn<ColumnSizer::Widths>("shown");
        const ColumnSizer::Widths start = {350, 90, 80, 150};
        QTest::newRow("first resize only records") << QList<int>{770} << start << start;
        QTest::newRow("770 to 870") << QList<int>{770, 870} << ColumnSizer::Widths{399, 107, 95, 169}
                                    << ColumnSizer::Widths{399, 107, 95, 169};
        QTest::newRow("no change") << QList<int>{770, 770} << start << start;
        QTest::newRow("halves go to even") << QList<int>{770, 780} << ColumnSizer::Widths{355, 92, 82, 152}
                                           << ColumnSizer::Widths{355, 92, 82, 152};
        QTest::newRow("narrower, below the minimum") << QList<int>{770, 200} << ColumnSizer::Widths{71, -7, -6, 42}
                                                     << ColumnSizer::Widths{71, 20, 20, 42};
        QTest::newRow("and back") << QList<int>{770, 200, 770} << start << start;
    }
    void columnSizing()
    {
        QFETCH(QList<int>, widths);
        QFETCH(ColumnSizer::Widths, rule);
        QFETCH(ColumnSizer::Widths, shown);
        ColumnSizer sizer({350, 90, 80, 150});
        for (const int width : widths)
            sizer.resize(width);
        QCOMPARE(sizer.widths(), rule);
        QCOMPARE(sizer.shown(), shown);
        QCOMPARE(sizer.tag(), widths.constLast());
    }

    void draggedColumnIsTheNewStart()
    {
        ColumnSizer sizer({350, 90, 80, 150});
        sizer.resize(770);
        sizer.columnDragged(0, 300);
        sizer.columnDragged(1, 90); // unchanged
        sizer.resize(870);
        QCOMPARE(sizer.widths(), (ColumnSizer::Widths{349, 107, 95, 169}));
    }
};

QTEST_GUILESS_MAIN(tst_TaskOrder)
#include "tst_taskorder.moc"
