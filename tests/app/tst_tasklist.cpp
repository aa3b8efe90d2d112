#include "app/AppRun.h"
#include "app/Drops.h"
#include "app/Preview.h"
#include "platform/FileFilter.h"
#include "support/Clips.h"
#include "support/FakeSeams.h"
#include "support/InputKinds.h"
#include "support/Threads.h"
#include "tasks/InputTypes.h"
#include "tasks/TimeText.h"

#include <QHeaderView>
#include <QMenu>
#include <QTimer>

using namespace velmora;
using velmora::test::AppRun;
using velmora::test::ClipSpec;
using velmora::test::drop;
using velmora::test::dropOn;
using velmora::test::FakeSeams;
using velmora::test::InputKind;
using velmora::test::ShownMessage;
using velmora::test::TestFolder;

namespace {

// Copies of one tiny clip under the given names; their full paths.
QStringList clips(const TestFolder &folder, const QStringList &names)
{
    return test::copyClips(folder.path(), names);
}

void select(QTreeWidget *list, const QList<int> &rows)
{
    list->clearSelection();
    for (const int row : rows)
        list->topLevelItem(row)->setSelected(true);
}

} // namespace

class tst_TaskList : public QObject
{
    Q_OBJECT

    // A clip of every kind of file the list takes and a text file, in a folder shared by the
    // tests: "01 clip.avi", "02 clip.mpg", ... in the order of the input types, so that name
    // order is that order too. Kinds the probe cannot measure (NUT) are left out: one would end
    // the adding with its error.
    TestFolder m_kinds;
    QString m_kindsFolder;
    QStringList m_kindClips;
    QStringList m_kindSizes;

private Q_SLOTS:
    void initTestCase()
    {
        m_kindsFolder = m_kinds.mkdir("every kind");
        int number = 0;
        for (const InputKind &kind : test::inputKinds()) {
            ++number;
            const QString path = m_kindsFolder + QStringLiteral("/%1 clip").arg(number, 2, 10, QLatin1Char('0')) + kind.extension;
            QVERIFY(QFile::copy(test::inputKindClip(kind), path));
            m_kindClips << path;
            m_kindSizes << kind.size;
        }
        m_kinds.write("every kind/notes.txt", "Not a video.\n");
    }

    void everyKindIsAdded_data()
    {
        QTest::addColumn<QString>("route");
        for (const char *route : {"command line", "command line, the folder", "list file", "drop", "drop, the folder", "Add Directory"})
            QTest::newRow(route) << QString(route);
    }
    void everyKindIsAdded()
    {
        QFETCH(QString, route);
        FakeSeams seams;
        TestFolder folder;
        const QStringList files = QStringList(m_kindClips) << m_kindsFolder + "/notes.txt";
        QStringList arguments;
        if (route == "command line")
            arguments = files;
        else if (route == "command line, the folder")
            arguments = QStringList{m_kindsFolder};
        else if (route == "list file")
            arguments = QStringList{folder.write("list.tmp", files.join('\n').toUtf8() + '\n')};
        AppRun run(folder, arguments);
        if (route == "drop")
            drop(&run.main(), files);
        else if (route == "drop, the folder")
            drop(&run.main(), {m_kindsFolder});
        else if (route == "Add Directory") {
            seams.dialogs.folderAnswers << m_kindsFolder;
            run.action("tbtnAddDir")->trigger();
        }

        QCOMPARE(seams.messages.texts(), QStringList{});
        QCOMPARE(run.rows(), m_kindClips);
        for (int row = 0; row < m_kindClips.size(); ++row) {
            QTreeWidgetItem *item = run.list()->topLevelItem(row);
            const QString name = QFileInfo(item->text(0)).fileName();
            QVERIFY2(qAbs(tasks::TimeTextToSeconds(item->text(1)) - InputKind::Seconds) < 0.1, qPrintable(name + ": " + item->text(1)));
            QCOMPARE(item->text(2), m_kindSizes.at(row));
            QCOMPARE(item->text(3), QString("OK"));
        }
        QVERIFY(run.taskButtonsEnabled());
    }

    void addFilesKeepsTheDialogsOrder()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString a = test::copyClip(folder.file("A.avi"));
        const QString b = test::copyClip(folder.file("B clip.part1.mpg"));
        const QString c = test::copyClip(folder.file("C.avi"));
        AppRun run(folder);
        QVERIFY(!run.taskButtonsEnabled());
        seams.dialogs.openAnswers << QStringList{a, b, c};
        run.action("tbtnAddFile")->trigger();

        QCOMPARE(seams.dialogs.openFilters, QStringList{tasks::OpenDialogFilter()});
        QCOMPARE(run.rows(), (QStringList{a, b, c}));
        QTreeWidgetItem *row = run.list()->topLevelItem(1);
        QCOMPARE(row->text(1), QString("00:00:01"));
        QCOMPARE(row->text(2), QString("320x240"));
        QCOMPARE(row->text(3), QString("OK"));
        QCOMPARE(row->text(4), QString("B clip.part1")); // hidden: the base name
        QVERIFY(run.taskButtonsEnabled());
        QVERIFY(!run.child("panltvTask")->isVisible());
        QVERIFY(seams.messages.shown.isEmpty());
    }

    void openDialogFilterText()
    {
        const QString all = "*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;*.mkv;*.webm;*.flv;*.f4v;*.ts;*.mts;*.m2ts;"
                            "*.m2v;*.m4v;*.3gp;*.3g2;*.ogv;*.ogg;*.dv;*.mxf;*.divx;*.xvid;*.nut;*.rm;*.rmvb;*.y4m;";
        QCOMPARE(tasks::OpenDialogFilter(),
                 "All Support Files(" + all + ")|" + all
                     + "|AVI Files (*.avi)|*.avi|"
                       "MPG Files (*.mpg)|*.mpg|MPEG Files (*.mpeg)|*.mpeg|MP4 Files (*.mp4)|*.mp4|"
                       "WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB Files (*.vob)|*.vob|"
                       "ASF Files (*.asf)|*.asf|MKV Files (*.mkv)|*.mkv|WEBM Files (*.webm)|*.webm|"
                       "FLV Files (*.flv)|*.flv|F4V Files (*.f4v)|*.f4v|TS Files (*.ts)|*.ts|MTS Files (*.mts)|*.mts|"
                       "M2TS Files (*.m2ts)|*.m2ts|M2V Files (*.m2v)|*.m2v|M4V Files (*.m4v)|*.m4v|"
                       "3GP Files (*.3gp)|*.3gp|3G2 Files (*.3g2)|*.3g2|OGV Files (*.ogv)|*.ogv|OGG Files (*.ogg)|*.ogg|"
                       "DV Files (*.dv)|*.dv|MXF Files (*.mxf)|*.mxf|DIVX Files (*.divx)|*.divx|"
                       "XVID Files (*.xvid)|*.xvid|NUT Files (*.nut)|*.nut|RM Files (*.rm)|*.rm|"
                       "RMVB Files (*.rmvb)|*.rmvb|Y4M Files (*.y4m)|*.y4m|All Files (*.*)|*.*");

        // As the file dialog gets it: every type in the first entry, one entry per type, all files last.
        const QStringList dialog = platform::toQtNameFilters(tasks::OpenDialogFilter());
        QCOMPARE(dialog.size(), 31);
        QCOMPARE(dialog.constFirst(), "All Support Files (" + QString(all).replace(';', ' ').trimmed() + ")");
        QCOMPARE(dialog.at(9), QString("MKV Files (*.mkv)"));
        QCOMPARE(dialog.constLast(), QString("All Files (*)"));
    }

    void duplicates_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("yes adds it again") << true << 4;
        QTest::newRow("no adds nothing, the rest of the batch goes on") << false << 3;
    }
    void duplicates()
    {
        QFETCH(bool, answer);
        QFETCH(int, rows);
        FakeSeams seams;
        TestFolder folder;
        const QString lower = test::copyClip(folder.file("a.avi"));
        const QString upper = test::copyClip(folder.file("A.avi"));
        const QString other = test::copyClip(folder.file("b.avi"));
        AppRun run(folder);
        seams.dialogs.openAnswers << QStringList{lower} << QStringList{upper, lower, other};
        seams.messages.answers << answer;
        run.action("tbtnAddFile")->trigger();
        run.action("tbtnAddFile")->trigger();
        // Only the exact same text asks: a.avi and A.avi are different files here.
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, ShownMessage::Question);
        QCOMPARE(seams.messages.shown.at(0).title, QString("Already Listed"));
        QCOMPARE(seams.messages.shown.at(0).text,
                 QString("This file has been added to the Task List already. Are you sure to add it again?"));
        QCOMPARE(run.list()->topLevelItemCount(), rows);
        QCOMPARE(run.rows().constLast(), other);
    }

    void moves_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("up, first two selected") << "tbtnUp" << QList<int>{0, 1} << QStringList{"B*", "A", "C"};
        QTest::newRow("up, last two selected") << "tbtnUp" << QList<int>{1, 2} << QStringList{"B*", "C*", "A"};
        QTest::newRow("down, last two selected") << "tbtnDown" << QList<int>{1, 2} << QStringList{"A", "C", "B*"};
        QTest::newRow("nothing selected") << "tbtnDown" << QList<int>{} << QStringList{"A", "B", "C"};
    }
    void moves()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, after);
        FakeSeams seams;
        TestFolder folder;
        const QStringList paths = clips(folder, {"A.avi", "B.avi", "C.avi"});
        AppRun run(folder, paths);
        QCOMPARE(run.rows(), paths);
        select(run.list(), selected);
        run.action(qPrintable(button))->trigger();
        QStringList expected;
        for (QString row : after)
            expected << row.replace(QRegularExpression("^([ABC])"), folder.file("\\1.avi"));
        QCOMPARE(run.rows(), expected);
        // Every text of a row moves with it, the length and hidden base name too.
        for (int row = 0; row < 3; ++row) {
            QTreeWidgetItem *item = run.list()->topLevelItem(row);
            QCOMPARE(item->text(4) + ".avi", QFileInfo(item->text(0)).fileName());
            QCOMPARE(item->text(3), QString("OK"));
        }
    }

    void keys()
    {
        FakeSeams seams;
        TestFolder folder;
        const QStringList paths = clips(folder, {"A.avi", "B.avi", "C.avi"});
        AppRun run(folder, paths);
        select(run.list(), {0, 2});
        QTest::keyClick(run.list(), Qt::Key_Delete);
        QCOMPARE(run.rows(), QStringList{paths.at(1)});
        QVERIFY(run.taskButtonsEnabled()); // rows are left
        QTest::keyClick(run.list(), Qt::Key_Backspace);
        QCOMPARE(run.list()->topLevelItemCount(), 0);
        QVERIFY(!run.taskButtonsEnabled());
        QVERIFY(seams.messages.shown.isEmpty());
    }

    void removeEverySelectedRow()
    {
        FakeSeams seams;
        TestFolder folder;
        const QStringList paths = clips(folder, {"A.avi", "B.avi", "C.avi", "D.avi", "E.avi"});
        AppRun run(folder, paths);
        select(run.list(), {0, 1, 3});
        run.action("tbtnRemove")->trigger();
        QCOMPARE(run.rows(), (QStringList{paths.at(2), paths.at(4)}));
        run.list()->selectAll();
        run.action("tbtnRemove")->trigger();
        QCOMPARE(run.list()->topLevelItemCount(), 0);
        QVERIFY(!run.taskButtonsEnabled());
    }

    void addFolder()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString videos = folder.mkdir("videos");
        for (const char *name : {"c.Mp4", "B.AVI", "a.mpg", ".hidden.avi", "notes.txt", "x.flv", "sub/inner.avi"})
            test::copyClip(videos + "/" + name);
        AppRun run(folder);
        seams.dialogs.folderAnswers << videos << std::nullopt;
        run.action("tbtnAddDir")->trigger();
        QCOMPARE(seams.dialogs.folderRequests.at(0).first, QString("Add a directory to the Task List"));
        QCOMPARE(seams.dialogs.folderRequests.at(0).second, QString());
        QCOMPARE(run.rows(), (QStringList{videos + "/a.mpg", videos + "/B.AVI", videos + "/c.Mp4", videos + "/x.flv"}));
        QVERIFY(run.taskButtonsEnabled());
        QCOMPARE(QApplication::focusWidget(), run.list());
        run.action("tbtnAddDir")->trigger(); // cancelled
        QCOMPARE(run.list()->topLevelItemCount(), 4);
    }

    void commandLine()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString one = test::copyClip(folder.file("one.avi"));
        const QString two = test::copyClip(folder.file("two.MOV"));
        const QString flv = test::copyClip(folder.file("three.flv"));
        const QString videos = folder.mkdir("videos");
        test::copyClip(videos + "/four.wmv");
        AppRun run(folder, {one, folder.file("missing.avi"), flv, two, videos});
        QCOMPARE(run.rows(), (QStringList{one, flv, two, videos + "/four.wmv"}));
        QVERIFY(!run.child("panltvTask")->isVisible());
        QVERIFY(run.taskButtonsEnabled());
    }

    void relativeCommandLinePathsBecomeFull()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString clip = test::copyClip(folder.file("videos/one.avi"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder.path());
        AppRun run(folder, {"videos/one.avi", "videos"});
        QDir::setCurrent(before);
        QCOMPARE(run.rows(), QStringList{clip});
        // The folder offers the same file again, under the same full path: it asks (No).
        QCOMPARE(seams.messages.texts(), QStringList{"This file has been added to the Task List already. Are you sure to add it again?"});
    }

    void listFile_data()
    {
        QTest::addColumn<QByteArray>("lineBreak");
        QTest::newRow("line feeds") << QByteArray("\n");
        QTest::newRow("carriage returns too") << QByteArray("\r\n");
    }
    void listFile()
    {
        QFETCH(QByteArray, lineBreak);
        FakeSeams seams;
        TestFolder folder;
        const QString one = test::copyClip(folder.file("my clips/one.avi"));
        const QString videos = folder.mkdir("videos");
        test::copyClip(videos + "/two.mpeg");
        const QString list = folder.write("LIST.TMP", one.toUtf8() + lineBreak + lineBreak + "/nowhere/x.avi" + lineBreak
                                                          + videos.toUtf8() + lineBreak);
        AppRun run(folder, {list, folder.file("ignored.avi")});
        QCOMPARE(run.rows(), (QStringList{one, videos + "/two.mpeg"}));
        QVERIFY(QFileInfo::exists(list));
    }

    // Save List writes what the list holds, trims included, and the list file reads back the
    // same rows; a list without trims is one path a line.
    void saveListReadsBack_data()
    {
        QTest::addColumn<bool>("trimmed");
        QTest::newRow("no trims") << false;
        QTest::newRow("a trimmed row") << true;
    }
    void saveListReadsBack()
    {
        QFETCH(bool, trimmed);
        FakeSeams seams;
        TestFolder folder;
        const QString one = test::copyClip(folder.file("my clips/one.avi"));
        const QString two = test::copyClip(folder.file("two.mpeg"));
        const QByteArray trim = trimmed ? QByteArray("#velmora-trim start=0.200 end=0.900\n") : QByteArray();
        const QByteArray text = one.toUtf8() + '\n' + trim + two.toUtf8() + '\n';
        AppRun run(folder, {folder.write("in.tmp", text)});
        QCOMPARE(run.rows(), (QStringList{one, two}));
        if (trimmed) {
            QCOMPARE(run.list()->topLevelItem(1)->text(1), QString("00:00:00.7"));
            QVERIFY(!run.list()->topLevelItem(1)->toolTip(1).isEmpty());
        }
        seams.dialogs.saveAnswers << folder.file("saved.tmp");
        run.action("tbtnSaveList")->trigger();
        QCOMPARE(seams.messages.texts(), QStringList{});
        QFile saved(folder.file("saved.tmp"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), text);

        AppRun again(folder, {folder.file("saved.tmp")});
        QCOMPARE(again.rows(), (QStringList{one, two}));
        QCOMPARE(again.list()->topLevelItem(1)->text(1), run.list()->topLevelItem(1)->text(1));
    }

    void unreadableListFile()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString list = folder.file("gone.tmp");
        AppRun run(folder, {list});
        QCOMPARE(seams.messages.texts(), QStringList{"Cannot open file \"" + list + "\". No such file or directory"});
        QCOMPARE(run.list()->topLevelItemCount(), 0);
        QVERIFY(run.main().isVisible());
        QCOMPARE(run.main().windowTitle(), QString("Velmora V1.5"));
    }

    void failedProbeStopsTheBatch()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString good = test::copyClip(folder.file("good.avi"));
        const QString broken = folder.write("broken.avi", "");
        const QString later = test::copyClip(folder.file("later.avi"));
        AppRun run(folder);
        seams.dialogs.openAnswers << QStringList{good, broken, later};
        run.action("tbtnAddFile")->trigger();
        QCOMPARE(seams.messages.texts(), QStringList{"'' is not a valid floating point value"});
        QCOMPARE(run.rows(), QStringList{good});
        QVERIFY(run.taskButtonsEnabled());
    }

    void drops()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString upper = test::copyClip(folder.file("LOUD.AVI"));
        const QString flv = test::copyClip(folder.file("clip.flv"));
        const QString videos = folder.mkdir("videos");
        test::copyClip(videos + "/a.vob");
        test::copyClip(videos + "/deeper/b.avi");
        AppRun run(folder);
        drop(&run.main(), {flv, upper, videos});
        QCOMPARE(run.rows(), (QStringList{flv, upper, videos + "/a.vob"}));
        QVERIFY(run.taskButtonsEnabled());
    }

    void dropAnywhereOnTheWindow_data()
    {
        QTest::addColumn<QString>("where");
        for (const char *name : {"ltvTask", "edtOutputFile", "cmbProfile", "Image1", "panBottomLeft"})
            QTest::newRow(name) << QString(name);
    }
    void dropAnywhereOnTheWindow()
    {
        QFETCH(QString, where);
        FakeSeams seams;
        TestFolder folder;
        const QString first = test::copyClip(folder.file("first.avi"));
        const QString dropped = test::copyClip(folder.file("dropped.avi"));
        AppRun run(folder, {first});
        if (where == "panBottomLeft") { // the progress panel, in the bottom row's place
            run.child("panBottomCenter")->hide();
            run.child("panBottomLeft")->show();
        }
        run.outputField()->setText("/v/joined.avi");
        QWidget *target = run.child(qPrintable(where));
        if (auto *list = qobject_cast<QAbstractScrollArea *>(target))
            target = list->viewport();
        QVERIFY(target && target->isVisible());
        dropOn(target, {dropped});
        QCOMPARE(run.rows(), (QStringList{first, dropped}));
        QCOMPARE(run.outputField()->text(), QString("/v/joined.avi"));
    }

    void closingStopsAddingAFolder()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString videos = folder.mkdir("videos");
        for (int i = 0; i < 20; ++i)
            test::copyClip(videos + QStringLiteral("/clip %1.avi").arg(i, 2, 10, QLatin1Char('0')));
        AppRun run(folder);
        seams.dialogs.folderAnswers << videos;
        // The window is closed while the folder is being added.
        QObject::connect(run.list()->model(), &QAbstractItemModel::rowsInserted, &run.main(), [&run] {
            if (run.list()->topLevelItemCount() == 2)
                QTimer::singleShot(0, &run.main(), [&run] { run.main().close(); });
        });
        run.action("tbtnAddDir")->trigger();
        QVERIFY(!run.main().isVisible());
        QVERIFY2(run.list()->topLevelItemCount() <= 3, qPrintable(QString::number(run.list()->topLevelItemCount())));
    }

    void closingEndsTheThumbnailWork()
    {
        FakeSeams seams;
        TestFolder folder;
        const QStringList paths = clips(folder, {"a.avi", "b.avi", "c.avi"});
        AppRun run(folder, paths);
        QCOMPARE(run.list()->topLevelItemCount(), 3);
        // The rows in view are asked for when painted; their threads stay until the window closes.
        QTRY_VERIFY(test::threadsNamed("thumbnails") > 0);
        run.main().close();
        QVERIFY(!run.main().isVisible());
        // Joined by then; the system may list an ended thread a moment longer.
        QTRY_COMPARE(test::threadsNamed("thumbnails"), 0);
    }

    void dropWhileTheListIsDisabled()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString clip = test::copyClip(folder.file("clip.avi"));
        AppRun run(folder);
        run.list()->setEnabled(false);
        drop(&run.main(), {clip});
        QCOMPARE(run.list()->topLevelItemCount(), 0);
        QVERIFY(!run.child("panltvTask")->isVisible()); // any drop hides the welcome panel
    }

    void longDroppedPathIsReadWhole()
    {
        FakeSeams seams;
        TestFolder folder;
        QString relative;
        while (folder.file(relative).size() < 300)
            relative += "a folder with a long name/";
        const QString clip = test::copyClip(folder.file(relative + "clip.avi"));
        QVERIFY(clip.size() > 253);
        AppRun run(folder);
        drop(&run.main(), {clip});
        QCOMPARE(run.rows(), QStringList{clip});
    }

    void openFromTheMenu()
    {
        FakeSeams seams;
        TestFolder folder;
        const QStringList paths = clips(folder, {"A.avi", "B.avi", "C.avi"});
        AppRun run(folder, paths);
        QAction *open = run.main().ppmTask()->findChild<QAction *>("ppmOpen");
        open->trigger();
        QVERIFY(seams.shell.opened.isEmpty());
        select(run.list(), {2, 1});
        // The first selected row opens.
        open->trigger();
        QCOMPARE(seams.shell.opened, QStringList{paths.at(1)});
    }

    void doubleClickBelowTheRowsPreviewsTheSelectedRow()
    {
        FakeSeams seams;
        TestFolder folder;
        const QStringList paths = clips(folder, {"A.avi", "B.avi", "C.avi"});
        AppRun run(folder, paths);
        QTest::mouseDClick(run.list()->viewport(), Qt::LeftButton, {}, QPoint(5, 200));
        QVERIFY(!run.main().previewForm());
        select(run.list(), {2, 1});
        QTest::mouseDClick(run.list()->viewport(), Qt::LeftButton, {}, QPoint(5, 200));
        QVERIFY(run.main().previewForm() && run.main().previewForm()->isVisible());
        QCOMPARE(run.main().previewForm()->path(), paths.at(1));
        QVERIFY(seams.shell.opened.isEmpty());
    }

    void popupMenu()
    {
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder);
        QMenu *menu = run.main().ppmTask();
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << (action->isSeparator() ? QString("-") : action->text());
        QCOMPARE(texts, (QStringList{"Open", "Preview", "-", "Add Files...", "Add Directorys...", "Save List...", "Sort", "-", "Remove", "Clear"}));
        const auto enabled = [menu](const char *name) { return menu->findChild<QAction *>(name)->isEnabled(); };

        run.main().ppmTaskPopup();
        QVERIFY(!enabled("ppmOpen") && !enabled("ppmPreview") && !enabled("ppmRemove") && !enabled("ppmClear") && !enabled("ppmSaveList"));
        QVERIFY(enabled("ppmAddFiles") && enabled("ppmAddDir"));

        seams.dialogs.openAnswers << QStringList{test::copyClip(folder.file("a.avi"))};
        menu->findChild<QAction *>("ppmAddFiles")->trigger();
        run.main().ppmTaskPopup();
        QVERIFY(!enabled("ppmOpen") && !enabled("ppmPreview") && !enabled("ppmRemove") && enabled("ppmClear") && enabled("ppmSaveList"));
        select(run.list(), {0});
        run.main().ppmTaskPopup();
        QVERIFY(enabled("ppmOpen") && enabled("ppmPreview") && enabled("ppmRemove") && enabled("ppmClear"));
    }

    void columnsFollowTheListWidth()
    {
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder);
        QHeaderView *header = run.list()->header();
        QCOMPARE(header->sectionSize(0), 350); // the first resize only recorded the width
        const int width = run.list()->width();
        run.main().resize(run.main().width() + 100, run.main().height());
        QTRY_COMPARE(run.list()->width(), width + 100);
        QCOMPARE(header->sectionSize(0), 350 + 49);
        QCOMPARE(header->sectionSize(1), 90 + 17);
        QCOMPARE(header->sectionSize(2), 80 + 15);
        QCOMPARE(header->sectionSize(3), 150 + 19);
        run.main().resize(run.main().width() - 600, run.main().height());
        QTRY_VERIFY(run.list()->width() < width);
        for (int column = 0; column < 4; ++column)
            QVERIFY(header->sectionSize(column) >= 20);
    }
};

QTEST_MAIN(tst_TaskList)
#include "tst_tasklist.moc"
