// Adding files and ordering a long task list.
//
// 1. Probing: a folder of 500 small clips added through the task list (the library inside
//    the program), next to the `mediainfo` command-line tool run once per file on the same
//    clips. Goal: in-process probing at least ten times cheaper per file.
// 2. Adding 10,000 files to the main window's list, as Add Directory adds them: with the rows'
//    thumbnails off (the list as it was before it had them) and on, one after the other in this
//    process; how soon the rows in view show their thumbnails, and how soon those at the list's
//    end do once it is scrolled there. Rows with thumbnails are taller, so fewer are painted;
//    the same adds into a list not shown give the rows' own cost. Goal: adding as fast with
//    thumbnails as without, and the rows in view filled in within a second.
// 3. List operations on 10,000 rows through the main window: Move Up and Move Down with
//    every row selected, rows dropped at the top, the Sort menu by name and in reverse,
//    Remove with every other row selected, Clear. Goal: each under 1 s.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_tasklist

#include "app/Main.h"
#include "app/Program.h"
#include "BenchSupport.h"
#include "support/Clips.h"
#include "support/FakeSeams.h"
#include "support/TestFolder.h"
#include "tasks/ThumbnailLoader.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

using namespace velmora;

namespace {

// Adds the folder to a list that is not shown, so nothing is painted and no thumbnail asked
// for; the cost per file in ms.
double addedOutOfView(const QString &folder, int files, bool thumbnails = true)
{
    QTreeWidget control;
    tasks::TaskList list(&control, nullptr);
    list.showThumbnails(thumbnails);
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

// One add of a folder into the list in view, timed from its start.
struct Added
{
    double ms = 0;              // until the last row was added
    double firstThumbnail = -1; // until the first thumbnail came
    double allInView = -1;      // until every row in view had its thumbnail or the placeholder
    int inView = 0;
    double scrolledEnd = -1; // from a scroll to the list's end until the rows in view there had theirs
    int inViewAtEnd = 0;
};

// The files of the rows the list shows.
QStringList filesInView(QTreeWidget *control)
{
    QStringList files;
    for (QTreeWidgetItem *item = control->itemAt(QPoint(1, 1)); item && control->visualItemRect(item).top() < control->viewport()->height();
         item = control->itemBelow(item))
        files << item->text(0);
    return files;
}

// When the last of the files' thumbnails came, waiting up to a minute for them; -1 when they did not.
double allCame(const QStringList &files, const QHash<QString, double> &came)
{
    QDeadlineTimer deadline(60000);
    const auto latest = [&] {
        double last = 0;
        for (const QString &file : files) {
            if (!came.contains(file))
                return -1.0;
            last = std::max(last, came.value(file));
        }
        return last;
    };
    while (latest() < 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return latest();
}

// Adds the folder to the main window's list, emptied first, with thumbnails on or off; with
// them, then scrolls to the list's end.
Added addInView(tasks::TaskList &list, QTreeWidget *control, const QString &folder, int files, bool thumbnails)
{
    list.clear();
    // A list of its own each time: the thumbnails kept from the run before would come at once.
    list.showThumbnails(false);
    list.showThumbnails(thumbnails);
    control->scrollToTop();
    QCoreApplication::processEvents();
    Added added;
    QElapsedTimer timer;
    QHash<QString, double> came;
    QMetaObject::Connection arrivals;
    if (thumbnails) {
        arrivals = QObject::connect(list.thumbnails(), &tasks::ThumbnailLoader::thumbnailReady,
                                    [&](const QString &file) { came.insert(file, timer.nsecsElapsed() / 1e6); });
    }
    timer.start();
    list.AddTaskFolder(folder);
    QCoreApplication::processEvents();
    added.ms = timer.nsecsElapsed() / 1e6;
    if (list.count() != files)
        std::printf("  warning: %d of %d files were added\n", list.count(), files);
    if (thumbnails) {
        for (const double at : std::as_const(came))
            added.firstThumbnail = added.firstThumbnail < 0 ? at : std::min(added.firstThumbnail, at);
        const QStringList shown = filesInView(control);
        added.inView = static_cast<int>(shown.size());
        added.allInView = allCame(shown, came);
        const double scrolled = timer.nsecsElapsed() / 1e6;
        control->scrollToBottom();
        QCoreApplication::processEvents();
        const QStringList atEnd = filesInView(control);
        added.inViewAtEnd = static_cast<int>(atEnd.size());
        const double last = allCame(atEnd, came);
        if (last >= 0)
            added.scrolledEnd = last - scrolled;
    }
    QObject::disconnect(arrivals);
    return added;
}

// The times of two runs each with thumbnails off and on, in ms.
struct Compared
{
    QList<double> off, on;
};

Compared offOnOnOff(const std::function<double(bool thumbnails)> &run)
{
    Compared compared;
    for (const bool thumbnails : {false, true, true, false})
        (thumbnails ? compared.on : compared.off) << run(thumbnails);
    return compared;
}

void printCompared(const char *where, const Compared &compared, int files)
{
    const double off = (compared.off[0] + compared.off[1]) / 2;
    const double on = (compared.on[0] + compared.on[1]) / 2;
    std::printf("  %s\n", where);
    std::printf("    thumbnails off (as before): %8.0f ms   %6.3f ms per file   (runs: %.0f, %.0f ms)\n", off, off / files, compared.off[0],
                compared.off[1]);
    std::printf("    thumbnails on:              %8.0f ms   %6.3f ms per file   (runs: %.0f, %.0f ms; %+.1f%%; goal: about 0)\n", on,
                on / files, compared.on[0], compared.on[1], (on / off - 1) * 100);
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
    const double inProgram = addedOutOfView(clips.path(), Clips);
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
    tasks::TaskList &tasks = program.MainForm().Tasks();
    QTreeWidget *list = program.MainForm().findChild<QTreeWidget *>(QStringLiteral("ltvTask"));

    // Names of one clip: what is measured is the list, not the disk.
    test::TestFolder many;
    const QString oneClip = test::copyClip(many.file(QStringLiteral("source.avi")));
    const QString manyFolder = many.mkdir(QStringLiteral("files"));
    for (int i = 0; i < Rows; ++i) {
        const QString name = manyFolder + QStringLiteral("/clip%1.avi").arg(i, 5, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(oneClip).constData(), QFile::encodeName(name).constData()) != 0) {
            std::printf("Cannot make %s\n", qPrintable(name));
            return 1;
        }
    }
    // Off, on, on, off: a machine that slows down or speeds up over the runs weighs on both alike.
    std::printf("Adding %d files (Add Directory's way), thumbnails off and on, runs off-on-on-off\n", Rows);
    QList<Added> withThumbnails;
    const Compared inView = offOnOnOff([&](bool thumbnails) {
        const Added added = addInView(tasks, list, manyFolder, Rows, thumbnails);
        if (thumbnails)
            withThumbnails << added;
        return added.ms;
    });
    printCompared("to the main window's list", inView, Rows);
    for (const Added &with : std::as_const(withThumbnails)) {
        std::printf("    a run with thumbnails: the first shown %.0f ms after the add began, all %d rows in view %.0f ms after it began;\n"
                    "    scrolled to the end, all %d rows there %.0f ms after the scroll   (goal: under 1000 each)\n",
                    with.firstThumbnail, with.inView, with.allInView, with.inViewAtEnd, with.scrolledEnd);
    }
    // Out of view nothing is painted, and the rows are as tall either way: what the thumbnails'
    // rows cost by themselves.
    printCompared("to a list not shown", offOnOnOff([&](bool thumbnails) { return addedOutOfView(manyFolder, Rows, thumbnails) * Rows; }),
                  Rows);

    // The operations below on the list as it was before it had thumbnails.
    tasks.clear();
    tasks.showThumbnails(false);

    const auto trigger = [&](const char *name) {
        program.MainForm().findChild<QAction *>(QLatin1String(name))->trigger();
    };
    fillRows(list, Rows);
    for (const char *name : {"tbtnUp", "tbtnDown", "tbtnSort", "tbtnRemove", "tbtnClear"})
        program.MainForm().findChild<QAction *>(QLatin1String(name))->setEnabled(true); // as adding would
    std::printf("List operations on %d rows (goal: each under 1000 ms)\n", Rows);
    list->selectAll();
    std::printf("  Move Up, all selected:          %8.1f ms\n", timed([&] { trigger("tbtnUp"); }));
    std::printf("  Move Down, all selected:        %8.1f ms\n", timed([&] { trigger("tbtnDown"); }));
    list->clearSelection();
    for (int row = 0; row < Rows; row += 2)
        list->topLevelItem(row)->setSelected(true);
    std::printf("  Move Up, every other selected:  %8.1f ms\n", timed([&] { trigger("tbtnUp"); }));
    std::printf("  Dropped at the top, the same:   %8.1f ms\n", timed([&] { tasks.dropSelected(0); }));
    std::printf("  Sort by file name:              %8.1f ms\n", timed([&] { trigger("mnuSortByName"); }));
    std::printf("  Reverse order:                  %8.1f ms\n", timed([&] { trigger("mnuSortReverse"); }));
    std::printf("  Remove, every other selected:   %8.1f ms\n", timed([&] { trigger("tbtnRemove"); }));
    const int left = list->topLevelItemCount();
    std::printf("  Clear, %d rows left:          %8.1f ms\n", left, timed([&] { trigger("tbtnClear"); }));
    if (left != Rows / 2 || list->topLevelItemCount() != 0)
        std::printf("  warning: the operations did not run as expected\n");
    return 0;
}
