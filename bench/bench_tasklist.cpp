// Adding files and ordering a long task list.
//
// 1. Probing: a folder of 500 small clips added through the task list (the library inside
//    the program), next to the `mediainfo` command-line tool run once per file on the same
//    clips. Goal: in-process probing at least ten times cheaper per file.
// 2. List operations on 10,000 rows through the main window: Move Up and Move Down with
//    every row selected, Remove with every other row selected, Clear. Goal: each under 1 s.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_tasklist

#include "app/Main.h"
#include "app/Program.h"
#include "support/Clips.h"
#include "support/FakeSeams.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeWidget>

#include <cstdio>

using namespace velmora;

namespace {

double probeInProgram(const QString &folder, int files)
{
    QTreeWidget control;
    tasks::TaskList list(&control, nullptr);
    QElapsedTimer timer;
    timer.start();
    list.AddTaskFolder(folder);
    const double perFile = timer.nsecsElapsed() / 1e6 / files;
    if (list.count() != files)
        std::printf("  warning: %d of %d files were added\n", list.count(), files);
    return perFile;
}

double probeWithTool(const QString &folder, int files)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("mediainfo"));
    if (tool.isEmpty())
        return -1;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < files; ++i) {
        QProcess process;
        process.start(tool, {QStringLiteral("--Inform=General;%Duration%"), QStringLiteral("%1/clip%2.avi").arg(folder).arg(i, 3, 10, QLatin1Char('0'))});
        process.waitForFinished(-1);
    }
    return timer.nsecsElapsed() / 1e6 / files;
}

void fillRows(QTreeWidget *list, int rows)
{
    QList<QTreeWidgetItem *> items;
    items.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        auto *item = new QTreeWidgetItem(QStringList{QStringLiteral("/videos/clip%1.avi").arg(i), QStringLiteral("00:00:01"),
                                                     QStringLiteral("320x240"), QStringLiteral("OK"), QStringLiteral("clip%1").arg(i)});
        for (int column = 5; column < 11; ++column)
            item->setText(column, QString());
        items << item;
    }
    list->addTopLevelItems(items);
}

double timed(const std::function<void()> &operation)
{
    QElapsedTimer timer;
    timer.start();
    operation();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    test::FakeSeams seams;

    constexpr int Clips = 500;
    test::TestFolder clips;
    for (int i = 0; i < Clips; ++i)
        test::copyClip(clips.file(QStringLiteral("clip%1.avi").arg(i, 3, 10, QLatin1Char('0'))));
    const double inProgram = probeInProgram(clips.path(), Clips);
    const double tool = probeWithTool(clips.path(), Clips);
    std::printf("Probing %d clips\n", Clips);
    std::printf("  in the program (AddTaskFolder): %8.2f ms per file\n", inProgram);
    if (tool < 0)
        std::printf("  mediainfo command-line tool:    not found\n");
    else
        std::printf("  mediainfo command-line tool:    %8.2f ms per file   (%.1f times the program's cost; goal >= 10)\n", tool,
                    tool / inProgram);

    constexpr int Rows = 10000;
    test::TestFolder programFolder;
    app::Program program(programFolder.path(), {});
    program.show();
    QTreeWidget *list = program.MainForm().findChild<QTreeWidget *>(QStringLiteral("ltvTask"));
    const auto trigger = [&](const char *name) {
        program.MainForm().findChild<QAction *>(QLatin1String(name))->trigger();
    };
    fillRows(list, Rows);
    for (const char *name : {"tbtnUp", "tbtnDown", "tbtnRemove", "tbtnClear"})
        program.MainForm().findChild<QAction *>(QLatin1String(name))->setEnabled(true); // as adding would
    std::printf("List operations on %d rows (goal: each under 1000 ms)\n", Rows);
    list->selectAll();
    std::printf("  Move Up, all selected:          %8.1f ms\n", timed([&] { trigger("tbtnUp"); }));
    std::printf("  Move Down, all selected:        %8.1f ms\n", timed([&] { trigger("tbtnDown"); }));
    list->clearSelection();
    for (int row = 0; row < Rows; row += 2)
        list->topLevelItem(row)->setSelected(true);
    std::printf("  Move Up, every other selected:  %8.1f ms\n", timed([&] { trigger("tbtnUp"); }));
    std::printf("  Remove, every other selected:   %8.1f ms\n", timed([&] { trigger("tbtnRemove"); }));
    const int left = list->topLevelItemCount();
    std::printf("  Clear, %d rows left:          %8.1f ms\n", left, timed([&] { trigger("tbtnClear"); }));
    if (left != Rows / 2 || list->topLevelItemCount() != 0)
        std::printf("  warning: the operations did not run as expected\n");
    return 0;
}
