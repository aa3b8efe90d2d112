// Putting the task list in order on the real main window: rows dragged with the mouse, the
// Sort menu, the keys, and a join that takes the rows in their new order.
#include "app/CopyFolder.h"
#include "app/JobRun.h"
#include "support/ClipCache.h"
#include "support/Clips.h"
#include "support/FakeSeams.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>

using namespace velmora;
using velmora::test::AppRun;
using velmora::test::FakeSeams;
using velmora::test::TestFolder;

namespace {

QPoint rowCentre(QTreeWidget *list, int row)
{
    return list->visualItemRect(list->topLevelItem(row)).center();
}

// Where a mouse at this height lets rows go: above the middle of a row, before it; the
// bottom of the list, after the last.
QPoint dropPoint(QTreeWidget *list, int target)
{
    const int rows = list->topLevelItemCount();
    if (target >= rows)
        return QPoint(40, list->visualItemRect(list->topLevelItem(rows - 1)).bottom() + 6);
    return QPoint(40, list->visualItemRect(list->topLevelItem(target)).top() + 2);
}

// Clicks the rows: the first alone, each other with Ctrl, as a user picks them.
void clickRows(QTreeWidget *list, const QList<int> &rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                          rowCentre(list, rows.at(i)));
}

// Presses on a row, moves in steps to the drop point and lets go there.
void drag(QTreeWidget *list, int from, const QPoint &to, bool escape = false)
{
    QWidget *viewport = list->viewport();
    const QPoint start = rowCentre(list, from);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(viewport, start + (to - start) * step / 4);
    if (escape)
        QTest::keyClick(list, Qt::Key_Escape);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
}

// The rows' file names, "*" after a selected one.
QStringList names(AppRun &run)
{
    QStringList result;
    for (const QString &row : run.rows())
        result << QFileInfo(row).fileName();
    return result;
}

// H.264 and AAC in MP4, half a second at 160x120, made once per build folder.
QString tinyClip()
{
    return test::ffmpegClip("roworder-tiny.mp4", {"-f", "lavfi", "-i", "testsrc2=s=160x120:r=30", "-f", "lavfi", "-i",
                                                  "sine=f=440:r=48000", "-t", "0.5", "-pix_fmt", "yuv420p", "-c:v", "libx264",
                                                  "-preset", "ultrafast", "-c:a", "aac", "-ac", "2"});
}

} // namespace

class tst_RowOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dragRows_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("from");   // the row pressed on
        QTest::addColumn<int>("target"); // where it is let go, as a row to go before
        QTest::addColumn<QStringList>("after");
        QTest::newRow("rows 4 and 5 to the top") << QList<int>{3, 4} << 4 << 0 << QStringList{"D*", "E*", "A", "B", "C"};
        QTest::newRow("apart, to the end") << QList<int>{0, 2} << 0 << 5 << QStringList{"B", "D", "E", "A*", "C*"};
        QTest::newRow("one, down past two") << QList<int>{1} << 1 << 4 << QStringList{"A", "C", "D", "B*", "E"};
        QTest::newRow("an unselected row, pressed and dragged alone") << QList<int>{0, 1} << 3 << 1
                                                                      << QStringList{"A", "D*", "B", "C", "E"};
        QTest::newRow("onto themselves") << QList<int>{1, 2} << 2 << 2 << QStringList{"A", "B*", "C*", "D", "E"};
    }
    void dragRows()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, from);
        QFETCH(int, target);
        QFETCH(QStringList, after);
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder, test::copyClips(folder.path(), {"A.avi", "B.avi", "C.avi", "D.avi", "E.avi"}));
        QTreeWidget *list = run.list();
        // A trimmed row and every row's own item go where the row goes.
        run.main().rowTrimChosen(from, 0.25, std::nullopt);
        QTreeWidgetItem *pressed = list->topLevelItem(from);
        const QString trimTip = pressed->toolTip(1);
        QVERIFY(!trimTip.isEmpty());
        clickRows(list, selected);
        drag(list, from, dropPoint(list, target));
        QStringList expected = after;
        expected.replaceInStrings(QRegularExpression("^([A-E])"), "\\1.avi");
        QCOMPARE(names(run), expected);
        QCOMPARE(list->indexOfTopLevelItem(pressed), after.indexOf(QRegularExpression(QString(QChar('A' + from)) + "\\*?")));
        QCOMPARE(pressed->toolTip(1), trimTip);
        QCOMPARE(list->findChild<QWidget *>("ltvTaskDropLine")->isVisible(), false);
        QVERIFY(seams.messages.shown.isEmpty());
    }

    void clickOrEscapeMovesNothing()
    {
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder, test::copyClips(folder.path(), {"A.avi", "B.avi", "C.avi"}));
        QTreeWidget *list = run.list();
        clickRows(list, {0, 2});
        // Escape during a drag lets the rows go where they were.
        drag(list, 2, dropPoint(list, 0), true);
        QCOMPARE(names(run), (QStringList{"A.avi*", "B.avi", "C.avi*"}));
        // A click on a selected row without a drag selects that row alone.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(list, 2));
        QCOMPARE(names(run), (QStringList{"A.avi", "B.avi", "C.avi*"}));
        // Shift extends the selection as before.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(list, 0));
        QCOMPARE(names(run), (QStringList{"A.avi*", "B.avi*", "C.avi*"}));
    }

    void draggedRowsAreJoinedInTheirNewOrder()
    {
        const QString clip = tinyClip();
        FakeSeams seams;
        test::CopyFolder job(test::CopyProfile, QStringList(5, clip), {"clip 1.mp4", "clip 2.mp4", "clip 3.mp4", "clip 4.mp4", "clip 5.mp4"});
        test::JobRun app(job);
        QTreeWidget *list = app.list();
        // Rows 4 and 5: a click on the one, Shift and a click on the other; then both to the top.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(list, 3));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(list, 4));
        drag(list, 3, dropPoint(list, 0));
        QCOMPARE(names(app), (QStringList{"clip 4.mp4*", "clip 5.mp4*", "clip 1.mp4", "clip 2.mp4", "clip 3.mp4"}));
        app.start();
        QCOMPARE(seams.messages.shown.size(), 1);
        QVERIFY2(seams.messages.shown.at(0).title == "Complete", qPrintable(seams.messages.shown.at(0).text + seams.messages.shown.at(0).details));
        QStringList titles;
        for (const test::Chapter &chapter : test::chapters(job.output))
            titles << chapter.title;
        QCOMPARE(titles, (QStringList{"clip 4", "clip 5", "clip 1", "clip 2", "clip 3"}));
    }

    void sortMenu_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("after");
        // Names, modification times and the clips' creation_time tags each give another order:
        // b was filmed first, then d (a QuickTime creation date with its offset), then c (no
        // tag: its modification time), then a.
        QTest::newRow("by recording time, toolbar") << "mnuSortByTime" << QStringList{"b.mp4", "d.mov", "c.mp4*", "a.mkv"};
        QTest::newRow("by recording time, context menu") << "ppmSortByTime" << QStringList{"b.mp4", "d.mov", "c.mp4*", "a.mkv"};
        QTest::newRow("by file name") << "mnuSortByName" << QStringList{"a.mkv", "b.mp4", "c.mp4*", "d.mov"};
        QTest::newRow("reversed") << "ppmSortReverse" << QStringList{"d.mov", "b.mp4", "c.mp4*", "a.mkv"};
    }
    void sortMenu()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, after);
        FakeSeams seams;
        TestFolder folder;
        const QList<std::pair<QString, QString>> clips{
            {"a.mkv", test::taggedClip("a.mkv", {"-metadata", "creation_time=2024-05-03T08:00:00Z"})},
            {"c.mp4", test::taggedClip("c.mp4", {})},
            {"b.mp4", test::taggedClip("b.mp4", {"-metadata", "creation_time=2024-05-01T10:00:00Z"})},
            {"d.mov", test::taggedClip("d.mov", {"-movflags", "use_metadata_tags", "-metadata", "com.apple.quicktime.creationdate=2024-05-01T12:30:00+0200"})},
        };
        // Modified in the order c, a, d and b: neither names nor these agree with the tags.
        const QStringList modified{"2024-06-01T00:00:00Z", "2024-05-02T00:00:00Z", "2024-06-03T00:00:00Z", "2024-06-02T00:00:00Z"};
        QStringList paths;
        for (qsizetype i = 0; i < clips.size(); ++i) {
            paths << folder.file(clips.at(i).first);
            QVERIFY(QFile::copy(clips.at(i).second, paths.constLast()));
            test::setModified(paths.constLast(), modified.at(i));
        }
        AppRun run(folder, paths);
        run.list()->topLevelItem(1)->setSelected(true);
        QAction *entry = run.main().findChild<QAction *>(action);
        QVERIFY(entry);
        if (action.startsWith("ppm"))
            run.main().ppmTaskPopup();
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QCOMPARE(names(run), after);
        QVERIFY(seams.messages.shown.isEmpty());
    }

    void sortFollowsTheList()
    {
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder);
        auto *button = run.main().findChild<QToolButton *>("tbtnSort");
        QVERIFY(button);
        QCOMPARE(button->accessibleName(), QString("Sort"));
        QCOMPARE(button->popupMode(), QToolButton::InstantPopup);
        auto *menu = run.action("tbtnSort")->menu<QMenu *>();
        QCOMPARE(menu->objectName(), QString("mnuSort"));
        QStringList entries;
        for (QAction *entry : menu->actions())
            entries << entry->text();
        QCOMPARE(entries, (QStringList{"By File Name", "By Recording Time", "Reverse Order"}));
        QCOMPARE(run.list()->findChild<QWidget *>("ltvTaskDropLine")->accessibleName(), QString("Drop position"));
        QVERIFY(!run.action("tbtnSort")->isEnabled()); // nothing to sort
        run.main().ppmTaskPopup();
        QVERIFY(!run.action("ppmSortMenu")->isEnabled());

        const QStringList paths = test::copyClips(folder.path(), {"clip10.avi", "Clip1.avi", "clip2.avi"});
        seams.dialogs.openAnswers << paths;
        run.action("tbtnAddFile")->trigger();
        QVERIFY(run.action("tbtnSort")->isEnabled());
        run.main().ppmTaskPopup();
        QVERIFY(run.action("ppmSortMenu")->isEnabled());
        run.action("mnuSortByName")->trigger();
        QCOMPARE(names(run), (QStringList{"Clip1.avi", "clip2.avi", "clip10.avi"}));
        // From the keyboard (the Menu key, Shift+F10), the list's menu holds Sort too: toolbar
        // buttons take no focus.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(10, 10));
        QCoreApplication::sendEvent(run.list(), &menuKey);
        QVERIFY(run.main().ppmTask()->isVisible());
        QVERIFY(run.main().ppmTask()->actions().contains(run.action("ppmSortMenu")));
        run.main().ppmTask()->close();

        // A job running: no sorting, as no moving.
        run.main().LockControls();
        QVERIFY(!run.action("tbtnSort")->isEnabled());
        run.main().UnlockControls();
        QVERIFY(run.action("tbtnSort")->isEnabled());
    }

    void keysMoveRows_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << QStringList{"A.avi", "C.avi*", "B.avi"};
        QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << QStringList{"A.avi", "B.avi", "C.avi*"};
    }
    void keysMoveRows()
    {
        QFETCH(int, key);
        QFETCH(QStringList, after);
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder, test::copyClips(folder.path(), {"A.avi", "B.avi", "C.avi"}));
        run.main().activateWindow();
        run.list()->setFocus();
        run.list()->setCurrentItem(run.list()->topLevelItem(2));
        QTest::keyClick(run.list(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(names(run), after);
    }
};

QTEST_MAIN(tst_RowOrder)
#include "tst_roworder.moc"
