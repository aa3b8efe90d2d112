// The Sort menu's orders: names as people read them, moments as the files' tags write them, and
// when each clip was filmed, read from real files through the probe.
#include "support/BrokenClips.h"
#include "support/ClipCache.h"
#include "support/Clips.h"
#include "support/TestFolder.h"
#include "tasks/MediaProbe.h"
#include "tasks/TaskSort.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimeZone>
#include <QtTest>

using namespace velmora;
using namespace velmora::tasks;

namespace {

QList<int> listOf(const std::vector<int> &order)
{
    return QList<int>(order.begin(), order.end());
}

QDateTime utc(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
}

} // namespace

class tst_TaskSort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        tasks::UseUtf8FileNames(); // as the program does at start-up
    }

    void naturalOrder_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("clip2 before clip10") << QStringList{"/v/clip10.mp4", "/v/clip2.mp4", "/v/clip1.mp4"} << QList<int>{2, 1, 0};
        QTest::newRow("letters without regard to case") << QStringList{"/v/b.mp4", "/v/A.mp4", "/v/a2.mp4", "/v/C.mp4"}
                                                        << QList<int>{1, 2, 0, 3};
        QTest::newRow("by the name, not the folder") << QStringList{"/a/z.mp4", "/z/a.mp4"} << QList<int>{1, 0};
        QTest::newRow("numbers inside a name") << QStringList{"/v/GOPR0012 part 10.mp4", "/v/GOPR0012 part 9.mp4", "/v/GOPR0002.mp4"}
                                               << QList<int>{2, 1, 0};
        QTest::newRow("leading zeros") << QStringList{"/v/clip010.mp4", "/v/clip9.mp4", "/v/clip0011.mp4"} << QList<int>{1, 0, 2};
        QTest::newRow("a name that goes on after another's") << QStringList{"/v/clip1b.mp4", "/v/clip1.mp4"} << QList<int>{1, 0};
        QTest::newRow("the name, then the extension") << QStringList{"/v/a.mp4", "/v/a.avi", "/v/a 2.avi"} << QList<int>{1, 0, 2};
        QTest::newRow("digits beside letters") << QStringList{"/v/clipA.mp4", "/v/clip5.mp4"} << QList<int>{1, 0};
        QTest::newRow("equal names keep their order") << QStringList{"/b/x.mp4", "/a/x.mp4", "/c/X.mp4"} << QList<int>{0, 1, 2};
        QTest::newRow("none") << QStringList{} << QList<int>{};
    }
    void naturalOrder()
    {
        QFETCH(QStringList, paths);
        QFETCH(QList<int>, order);
        QCOMPARE(listOf(NaturalOrder(paths)), order);
    }

    void tagTimes_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("moment"); // in UTC; empty when no moment
        QTest::newRow("MediaInfo, zone first") << "UTC 2024-05-01 10:00:00" << "2024-05-01T10:00:00Z";
        QTest::newRow("MediaInfo, zone last") << "2024-05-01 10:00:00 UTC" << "2024-05-01T10:00:00Z";
        QTest::newRow("FFmpeg's creation_time") << "2024-05-01T10:00:00.000000Z" << "2024-05-01T10:00:00Z";
        QTest::newRow("milliseconds") << "2024-05-01T10:00:00.250000Z" << "2024-05-01T10:00:00.250Z";
        QTest::newRow("QuickTime's, an offset") << "2024-05-01T12:00:00+0200" << "2024-05-01T10:00:00Z";
        QTest::newRow("an offset with a colon") << "2024-05-01T12:00:00+02:00" << "2024-05-01T10:00:00Z";
        QTest::newRow("west of Greenwich") << "2024-05-01T05:30:00-0430" << "2024-05-01T10:00:00Z";
        QTest::newRow("a camera's colons") << "2024:05:01 10:00:00 UTC" << "2024-05-01T10:00:00Z";
        QTest::newRow("no seconds") << "2024-05-01T10:00Z" << "2024-05-01T10:00:00Z";
        QTest::newRow("a date alone") << "2024-05-01 UTC" << "2024-05-01T00:00:00Z";
        QTest::newRow("QuickTime's zero") << "UTC 1904-01-01 00:00:00" << "";
        QTest::newRow("Unix's zero") << "1970-01-01T00:00:00.000000Z" << "";
        QTest::newRow("no month 13") << "2024-13-01 10:00:00 UTC" << "";
        QTest::newRow("a year alone") << "2024" << "";
        QTest::newRow("words") << "yesterday" << "";
        QTest::newRow("empty") << "" << "";
    }
    void tagTimes()
    {
        QFETCH(QString, tag);
        QFETCH(QString, moment);
        const QDateTime parsed = ParseTagTime(tag);
        QCOMPARE(parsed.isValid(), !moment.isEmpty());
        if (!moment.isEmpty())
            QCOMPARE(parsed.toUTC(), utc(moment));
    }

    void localWithoutZone()
    {
        const QDateTime parsed = ParseTagTime("2024-05-01 10:00:00");
        QCOMPARE(parsed.timeSpec(), Qt::LocalTime);
        QCOMPARE(parsed.time(), QTime(10, 0));
    }

    void timeOrder_data()
    {
        QTest::addColumn<QStringList>("moments"); // empty: none
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("earliest first") << QStringList{"2024-05-03T10:00:00Z", "2024-05-01T10:00:00Z", "2024-05-02T10:00:00Z"}
                                        << QList<int>{1, 2, 0};
        QTest::newRow("zones compared as moments") << QStringList{"2024-05-01T11:00:00+02:00", "2024-05-01T10:00:00Z"}
                                                   << QList<int>{0, 1};
        QTest::newRow("without one, last in their order") << QStringList{"", "2024-05-02T10:00:00Z", "", "2024-05-01T10:00:00Z"}
                                                          << QList<int>{3, 1, 0, 2};
        QTest::newRow("equal moments keep their order") << QStringList{"2024-05-01T10:00:00Z", "2024-05-01T12:00:00+02:00"}
                                                        << QList<int>{0, 1};
    }
    void timeOrder()
    {
        QFETCH(QStringList, moments);
        QFETCH(QList<int>, order);
        std::vector<QDateTime> times;
        for (const QString &moment : moments)
            times.push_back(moment.isEmpty() ? QDateTime() : QDateTime::fromString(moment, Qt::ISODate));
        QCOMPARE(listOf(TimeOrder(times)), order);
    }

    void reversed()
    {
        QCOMPARE(listOf(ReversedOrder(3)), (QList<int>{2, 1, 0}));
        QCOMPARE(listOf(ReversedOrder(0)), QList<int>{});
    }

    void recordingTimes_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("moment"); // in UTC; empty: any
        // Each file's modification time is a month later than any tag, so that a tag that is
        // not read shows.
        QTest::newRow("MP4, creation_time") << test::taggedClip("utc.mp4", {"-metadata", "creation_time=2024-05-01T10:00:00Z"})
                                           << "2024-05-01T10:00:00Z";
        QTest::newRow("Matroska, creation_time") << test::taggedClip("utc.mkv", {"-metadata", "creation_time=2024-05-03T08:00:00Z"})
                                                 << "2024-05-03T08:00:00Z";
        QTest::newRow("QuickTime's creation date, with its offset")
            << test::taggedClip("quicktime.mov", {"-movflags", "use_metadata_tags", "-metadata", "com.apple.quicktime.creationdate=2024-05-01T12:30:00+0200"})
            << "2024-05-01T10:30:00Z";
        QTest::newRow("no tag: the modification time") << test::taggedClip("untagged.mp4", {}) << "2024-06-15T09:00:00Z";
        QTest::newRow("AVI, no tag") << test::taggedClip("untagged.avi", {}) << "2024-06-15T09:00:00Z";
        // Damaged files: the tag where it can still be read, else the file's time; from a
        // damage that leaves no telling which, any moment at all.
        const QString tagged = test::taggedClip("utc.mp4", {"-metadata", "creation_time=2024-05-01T10:00:00Z"});
        // The index (and its tag) at the end: a cut-off copy has neither.
        QTest::newRow("MP4 cut off before its index") << test::cutClip("sort-cut.mp4", tagged, 0.4) << "2024-06-15T09:00:00Z";
        QTest::newRow("MP4 with its index in front, cut off")
            << test::cutClip("sort-faststart-cut.mp4",
                             test::taggedClip("faststart.mp4", {"-movflags", "+faststart", "-metadata", "creation_time=2024-05-01T10:00:00Z"}), 0.5)
            << "2024-05-01T10:00:00Z";
        QTest::newRow("Matroska cut off in its header")
            << test::cutClip("sort-cut.mkv", test::taggedClip("utc.mkv", {"-metadata", "creation_time=2024-05-03T08:00:00Z"}), 0.02)
            << "2024-06-15T09:00:00Z";
        if (test::haveZzuf()) {
            for (int seed = 1; seed <= 6; ++seed)
                QTest::addRow("damaged MP4, seed %d", seed) << test::zzufClip(QStringLiteral("sort-zzuf-%1.mp4").arg(seed), tagged, seed, 0.01) << "";
        }
    }
    void recordingTimes()
    {
        QFETCH(QString, clip);
        QFETCH(QString, moment);
        test::TestFolder folder;
        const QString path = folder.file("clip 1." + QFileInfo(clip).suffix());
        QVERIFY(QFile::copy(clip, path));
        test::setModified(path, "2024-06-15T09:00:00Z");
        QElapsedTimer timer;
        timer.start();
        const QDateTime recorded = RecordingTime(path);
        qInfo("read in %lld ms", static_cast<long long>(timer.elapsed()));
        QVERIFY(recorded.isValid());
        if (!moment.isEmpty())
            QCOMPARE(recorded.toUTC(), utc(moment));
    }

    void goneFile()
    {
        QVERIFY(!RecordingTime("/nonexistent/clip.mp4").isValid());
    }
};

QTEST_GUILESS_MAIN(tst_TaskSort)
#include "tst_tasksort.moc"
