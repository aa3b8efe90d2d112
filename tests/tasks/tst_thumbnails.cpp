#include "support/BrokenClips.h"
#include "support/ClipCache.h"
#include "support/Clips.h"
#include "support/FakeSeams.h"
#include "support/TestFolder.h"
#include "support/Threads.h"
#include "tasks/TaskList.h"
#include "tasks/Thumbnail.h"
#include "tasks/ThumbnailLoader.h"

#include <QRandomGenerator>
#include <QTreeWidget>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <thread>
#include <utility>

using namespace velmora;
using tasks::ThumbnailKey;
using tasks::ThumbnailLoader;
using test::TestFolder;
using Status = ThumbnailLoader::Status;

namespace {

const QStringList H264 = {"-c:v", "libx264", "-g", "250", "-bf", "2", "-pix_fmt", "yuv420p"};

// Pictures whose left half is red and right half blue, `seconds` long at 25 per second.
QString twoColours(const QString &size, double seconds)
{
    return QStringLiteral("color=c=red:s=%1:r=25:d=%2,drawbox=x=iw/2:y=0:w=iw/2:h=ih:c=blue:t=fill").arg(size).arg(seconds);
}

// A clip of the pictures encoded as `output` says, with a tone as long when soundSeconds is given.
QString clip(const QString &name, const QString &pictures, const QStringList &output, double soundSeconds = 0)
{
    QStringList arguments{"-f", "lavfi", "-i", pictures};
    if (soundSeconds > 0)
        arguments << "-f" << "lavfi" << "-i" << QStringLiteral("sine=duration=%1").arg(soundSeconds);
    return test::ffmpegClip(name, arguments + output);
}

// 5 s that fade in from black over their first 0.4 s, H.264 with B-frames and a single key
// picture, in MP4 with AAC sound.
QString fadeMp4()
{
    return clip("thumb_fade.mp4", twoColours("160x90", 5) + ",fade=in:st=0:d=0.4", H264 + QStringList{"-c:a", "aac"}, 5);
}

// The same in MPEG-4 part 2 and MP3, in Matroska: its clock counts milliseconds, and only the
// container knows the length.
QString fadeMkv()
{
    return clip("thumb_fade.mkv", twoColours("160x90", 5) + ",fade=in:st=0:d=0.4",
                {"-c:v", "mpeg4", "-g", "300", "-q:v", "3", "-c:a", "libmp3lame"}, 5);
}

// A phone's clip: the pictures as the sensor stored them, and a display matrix that turns them
// by `rotate` degrees as ffmpeg's rotate tag counts them.
QString turnedClip(int rotate)
{
    const QString stored = clip("thumb_stored.mp4", twoColours("160x90", 1), H264);
    const QString name = QStringLiteral("thumb_turned%1.mp4").arg(rotate);
    return test::cachedClip(name, [&](const QString &partial) {
        test::runFfmpeg({"-i", stored, "-c", "copy", "-metadata:s:v:0", QStringLiteral("rotate=%1").arg(rotate), partial}, partial, name);
    });
}

// An AVI whose header is whole (MediaInfo measures it) and whose pictures are all zero bytes.
QString wipedAvi()
{
    return test::cachedClip("thumb_wiped.avi", [](const QString &partial) {
        QFile source(test::testPatternAvi());
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray bytes = source.readAll();
        const qsizetype pictures = bytes.indexOf("movi") + 4;
        QVERIFY(pictures > 4);
        bytes.replace(pictures, bytes.size() - pictures, QByteArray(bytes.size() - pictures, '\0'));
        QFile out(partial);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    });
}

QString soundOnly()
{
    test::ClipSpec tone;
    tone.video = false;
    return test::sharedClip(tone);
}

// Where the picture lies in a thumbnail: every pixel not of the background.
QRect pictureIn(const QImage &thumbnail)
{
    QRect found;
    for (int y = 0; y < thumbnail.height(); ++y) {
        for (int x = 0; x < thumbnail.width(); ++x) {
            if ((thumbnail.pixel(x, y) & RGB_MASK) != (tasks::ThumbnailBackground & RGB_MASK))
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

// The colours a quarter and three quarters along the picture's long side: left and right, or
// top and bottom.
std::pair<QColor, QColor> halves(const QImage &thumbnail, const QRect &picture)
{
    const QPoint centre = picture.center();
    if (picture.width() >= picture.height())
        return {thumbnail.pixelColor(picture.left() + picture.width() / 4, centre.y()),
                thumbnail.pixelColor(picture.left() + picture.width() * 3 / 4, centre.y())};
    return {thumbnail.pixelColor(centre.x(), picture.top() + picture.height() / 4),
            thumbnail.pixelColor(centre.x(), picture.top() + picture.height() * 3 / 4)};
}

bool near(const QColor &seen, const QColor &expected)
{
    return qAbs(seen.red() - expected.red()) <= 60 && qAbs(seen.green() - expected.green()) <= 60
           && qAbs(seen.blue() - expected.blue()) <= 60;
}

QImage pictureOf(const QIcon &icon)
{
    return icon.pixmap(tasks::ThumbnailBox).toImage().convertToFormat(QImage::Format_RGB32);
}

// A named pipe in place of a file. A thumbnail thread that opens it waits there until the test
// lets it on, so the requests after it queue up behind it.
class Gate
{
public:
    explicit Gate(const QString &path)
        : m_path(path)
    {
        if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            qFatal("Cannot make the named pipe %s", qPrintable(path));
    }
    ~Gate() { letOn(); }
    Gate(const Gate &) = delete;
    Gate &operator=(const Gate &) = delete;

    QString path() const { return m_path; }

    // Whether a reader holds the pipe open, waiting up to a generous time for one.
    bool waitForReader()
    {
        QDeadlineTimer deadline(30000);
        while (m_writer < 0 && !deadline.hasExpired()) {
            m_writer = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
            if (m_writer < 0)
                QTest::qWait(5);
        }
        return m_writer >= 0;
    }

    // From now on the reader gets a byte of text now and then, for as long as it reads: it
    // never sees the end, but is never held up for long either.
    void drip()
    {
        const int writer = std::exchange(m_writer, -1);
        m_drip = std::thread([writer] {
            while (::write(writer, "x", 1) == 1)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ::close(writer);
        });
    }

    // The reader reads a line of text and the end of the file.
    void letOn()
    {
        if (m_writer >= 0) {
            const char text[] = "Not a picture.\n";
            if (::write(m_writer, text, sizeof text - 1) < 0)
                qWarning("Cannot write to the named pipe");
            ::close(m_writer);
            m_writer = -1;
        }
        if (m_drip.joinable())
            m_drip.join();
    }

private:
    QString m_path;
    int m_writer = -1;
    std::thread m_drip;
};

} // namespace

class tst_Thumbnails : public QObject
{
    Q_OBJECT

    TestFolder m_scratch;

private Q_SLOTS:
    void initTestCase()
    {
        // A pipe whose reader has gone says so to its writer, and ends nothing.
        std::signal(SIGPIPE, SIG_IGN);
    }

    void picturesOfRealClips_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QColor>("first"); // left, or top of an upright picture
        QTest::addColumn<QColor>("second");
        const QColor red(Qt::red);
        const QColor blue(Qt::blue);
        QTest::newRow("fading in from black, B-frames, one key picture") << fadeMp4() << QSize(64, 36) << red << blue;
        QTest::newRow("fading in from black, Matroska's clock") << fadeMkv() << QSize(64, 36) << red << blue;
        // As ffmpeg's player shows them: turned a quarter counter-clockwise, the right half is on top.
        QTest::newRow("phone held upright") << turnedClip(90) << QSize(20, 36) << blue << red;
        QTest::newRow("phone held upright the other way") << turnedClip(270) << QSize(20, 36) << red << blue;
        QTest::newRow("phone upside down") << turnedClip(180) << QSize(64, 36) << blue << red;
        QTest::newRow("stored 4:3, shown 16:9") << clip("thumb_anamorphic.mp4", twoColours("120x90", 1) + ",setsar=4/3", H264)
                                                << QSize(64, 36) << red << blue;
        QTest::newRow("square pixels, 4:3") << clip("thumb_square.mp4", twoColours("120x90", 1), H264) << QSize(48, 36) << red
                                            << blue;
        QTest::newRow("a single picture") << clip("thumb_single.mp4", twoColours("160x90", 1), H264 + QStringList{"-frames:v", "1"})
                                          << QSize(64, 36) << red << blue;
    }
    void picturesOfRealClips()
    {
        QFETCH(QString, path);
        QFETCH(QSize, picture);
        QFETCH(QColor, first);
        QFETCH(QColor, second);
        const QImage thumbnail = tasks::MakeThumbnail(path);
        QCOMPARE(thumbnail.size(), tasks::ThumbnailBox);
        const QRect found = pictureIn(thumbnail);
        QVERIFY2(qAbs(found.width() - picture.width()) <= 1 && qAbs(found.height() - picture.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2").arg(found.width()).arg(found.height())));
        // In the middle of the box.
        QVERIFY(qAbs(found.left() - (tasks::ThumbnailBox.width() - 1 - found.right())) <= 1);
        QVERIFY(qAbs(found.top() - (tasks::ThumbnailBox.height() - 1 - found.bottom())) <= 1);
        const auto [seenFirst, seenSecond] = halves(thumbnail, found);
        QVERIFY2(near(seenFirst, first), qPrintable(seenFirst.name()));
        QVERIFY2(near(seenSecond, second), qPrintable(seenSecond.name()));
    }

    void filesWithoutAPictureGiveNone_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("text named .mp4") << m_scratch.write("notes.mp4", "These are not the pictures you are looking for.\n");
        QTest::newRow("zero bytes") << m_scratch.write("empty.mp4", "");
        QTest::newRow("no such file") << m_scratch.file("missing.mp4");
        QTest::newRow("sound only") << soundOnly();
        QTest::newRow("MP4 cut off before its index") << test::cutClip("thumb_fade_cut.mp4", fadeMp4(), 0.6);
        QTest::newRow("AVI whose pictures were wiped") << wipedAvi();
    }
    void filesWithoutAPictureGiveNone()
    {
        QFETCH(QString, path);
        QVERIFY(tasks::MakeThumbnail(path).isNull());
    }

    void cutOffDownloadsStillShowAPicture_data()
    {
        QTest::addColumn<QString>("container");
        for (const char *container : {"mp4", "mkv", "ts"})
            QTest::newRow(container) << QString(container);
    }
    void cutOffDownloadsStillShowAPicture()
    {
        QFETCH(QString, container);
        // Their headers tell the whole length: a tenth of it lies in the half that is there.
        QVERIFY(!tasks::MakeThumbnail(test::halfNumberedClip(container)).isNull());
    }

    void damagedFilesEnd_data()
    {
        QTest::addColumn<QString>("path");
        const QStringList sources = {fadeMp4(), fadeMkv(), test::testPatternAvi()};
        for (const QString &source : sources) {
            QFile in(source);
            QVERIFY(in.open(QIODevice::ReadOnly));
            const QByteArray whole = in.readAll();
            for (const int seed : {1, 2, 3, 4}) {
                // One byte in a hundred changed, the same ones every run.
                QByteArray bytes = whole;
                QRandomGenerator random(static_cast<quint32>(seed));
                for (qsizetype at = 0; at < bytes.size(); ++at) {
                    if (random.bounded(100) == 0)
                        bytes[at] = static_cast<char>(random.bounded(256));
                }
                const QString name = QStringLiteral("%1 damaged %2.%3").arg(QFileInfo(source).baseName()).arg(seed).arg(QFileInfo(source).suffix());
                QTest::newRow(qPrintable(name)) << m_scratch.write(name, bytes);
            }
        }
    }
    void damagedFilesEnd()
    {
        QFETCH(QString, path);
        // A picture of what could be decoded, or none; it ends, and nothing breaks.
        const QImage thumbnail = tasks::MakeThumbnail(path);
        QVERIFY(thumbnail.isNull() || thumbnail.size() == tasks::ThumbnailBox);
    }

    void severalThreadsAtOnce()
    {
        const QStringList files = {fadeMp4(), turnedClip(90), wipedAvi(), m_scratch.write("text.mp4", "Not a clip.\n"),
                                   test::testPatternAvi()};
        QList<QImage> alone;
        for (const QString &file : files)
            alone << tasks::MakeThumbnail(file);
        constexpr int Threads = 4;
        std::vector<QList<QImage>> made(Threads);
        std::vector<std::thread> threads;
        for (int thread = 0; thread < Threads; ++thread) {
            threads.emplace_back([&, thread] {
                for (int round = 0; round < 3; ++round) {
                    // Each thread starts at another file.
                    for (int i = 0; i < files.size(); ++i)
                        made[thread] << tasks::MakeThumbnail(files[(i + thread) % files.size()]);
                }
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        for (int thread = 0; thread < Threads; ++thread) {
            for (int i = 0; i < made[thread].size(); ++i)
                QVERIFY(made[thread][i] == alone[(i + thread) % files.size()]);
        }
    }

    void loaderDeliversOnTheWindowsThread()
    {
        ThumbnailLoader loader;
        const ThumbnailKey made = ThumbnailKey::of(fadeMp4());
        const ThumbnailKey failed = ThumbnailKey::of(wipedAvi());
        bool elsewhere = false;
        connect(&loader, &ThumbnailLoader::thumbnailReady, this, [&] { elsewhere = elsewhere || QThread::currentThread() != thread(); });

        QCOMPARE(loader.status(made), Status::NotAsked);
        QCOMPARE(loader.thumbnail(made).cacheKey(), loader.loadingIcon().cacheKey());
        QCOMPARE(loader.status(made), Status::Waiting);
        loader.thumbnail(failed);
        QTRY_COMPARE(loader.waiting(), 0);
        QVERIFY(!elsewhere);
        QCOMPARE(loader.status(made), Status::Made);
        QCOMPARE(loader.status(failed), Status::Failed);
        QCOMPARE(pictureOf(loader.thumbnail(made)), tasks::MakeThumbnail(made.path));
        QCOMPARE(loader.thumbnail(failed).cacheKey(), loader.placeholderIcon().cacheKey());
        // The placeholder is a mark of its own, neither empty nor the loading look.
        const QImage placeholder = pictureOf(loader.placeholderIcon());
        QVERIFY(placeholder != pictureOf(loader.loadingIcon()));
        QVERIFY(pictureIn(placeholder).contains(placeholder.rect().center()));
        // The same file changed since is asked for anew.
        QCOMPARE(loader.status(ThumbnailKey{made.path, made.size + 1, made.modified}), Status::NotAsked);
    }

    void loaderMakesTheNewestRequestFirst()
    {
        TestFolder folder;
        ThumbnailLoader loader(tasks::ThumbnailBox, 1);
        Gate gate(folder.file("gate.mp4"));
        QStringList delivered;
        connect(&loader, &ThumbnailLoader::thumbnailReady, this, [&](const QString &path) { delivered << QFileInfo(path).fileName(); });
        loader.thumbnail(ThumbnailKey::of(gate.path()));
        QVERIFY(gate.waitForReader());
        QList<ThumbnailKey> keys;
        for (int i = 1; i <= 5; ++i) {
            const QString path = folder.file(QStringLiteral("%1.mp4").arg(i));
            QVERIFY(QFile::copy(fadeMp4(), path));
            keys << ThumbnailKey::of(path);
            loader.thumbnail(keys.last());
        }
        loader.thumbnail(keys[1]); // shown again
        gate.letOn();
        QTRY_COMPARE(delivered.size(), 6);
        QCOMPARE(delivered, (QStringList{"gate.mp4", "2.mp4", "5.mp4", "4.mp4", "3.mp4", "1.mp4"}));
    }

    void loaderKeepsOnlyTheLatestRequestsWaiting()
    {
        TestFolder folder;
        ThumbnailLoader loader(tasks::ThumbnailBox, 1);
        Gate gate(folder.file("gate.mp4"));
        loader.thumbnail(ThumbnailKey::of(gate.path()));
        QVERIFY(gate.waitForReader());
        constexpr int GivenUp = 10;
        QList<ThumbnailKey> keys;
        for (int i = 0; i < ThumbnailLoader::MostWaiting + GivenUp; ++i) {
            keys << ThumbnailKey::of(folder.file(QStringLiteral("missing %1.mp4").arg(i)));
            loader.thumbnail(keys.last());
        }
        QCOMPARE(loader.waiting(), 1 + ThumbnailLoader::MostWaiting);
        gate.letOn();
        QTRY_COMPARE(loader.waiting(), 0);
        // Those given up are asked for again when their rows are shown again.
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(loader.status(keys[i]), i < GivenUp ? Status::NotAsked : Status::Failed);
    }

    void destroyingTheLoaderEndsItsWork()
    {
        TestFolder folder;
        QCOMPARE(test::threadsNamed("thumbnails"), 0);
        Gate inHand(folder.file("in hand.mp4"));
        std::vector<std::unique_ptr<Gate>> queued;
        auto loader = std::make_unique<ThumbnailLoader>(tasks::ThumbnailBox, 1);
        loader->thumbnail(ThumbnailKey::of(inHand.path()));
        QVERIFY(inHand.waitForReader());
        for (int i = 0; i < 20; ++i) {
            queued.push_back(std::make_unique<Gate>(folder.file(QStringLiteral("queued %1.mp4").arg(i))));
            loader->thumbnail(ThumbnailKey::of(queued.back()->path()));
        }
        QCOMPARE(test::threadsNamed("thumbnails"), 1);
        // The file in hand would be read for hours: only the loader's end ends it. Had the thread
        // gone on to a queued one, it would wait at it for good.
        inHand.drip();
        loader.reset();
        // Joined by then; the system may list an ended thread a moment longer.
        QTRY_COMPARE(test::threadsNamed("thumbnails"), 0);
        // What the thread had said before it ended is not delivered to a loader that is gone.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void rowsShowTheirOwnFilesThumbnail()
    {
        test::FakeSeams seams;
        TestFolder folder;
        const QStringList sources = {fadeMp4(), turnedClip(90), wipedAvi(), soundOnly()};
        const QStringList names = {"a fade.mp4", "b phone.mp4", "c wiped.avi", "d tone.avi"};
        QTreeWidget control;
        control.resize(640, 400);
        tasks::TaskList list(&control, nullptr);
        for (int i = 0; i < sources.size(); ++i) {
            const QString path = folder.file(names[i]);
            QVERIFY(QFile::copy(sources[i], path));
            list.AddTaskFile(path);
        }
        QCOMPARE(list.count(), 4);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        ThumbnailLoader *loader = list.thumbnails();
        QVERIFY(loader);
        const auto shownAsMade = [&] {
            // Each row shows its own file's thumbnail, the placeholder for those without a picture.
            for (int row = 0; row < control.topLevelItemCount(); ++row) {
                const QTreeWidgetItem *item = control.topLevelItem(row);
                const QImage made = tasks::MakeThumbnail(item->text(0));
                const QImage shown = pictureOf(item->icon(0));
                if (shown != (made.isNull() ? pictureOf(loader->placeholderIcon()) : made))
                    return false;
            }
            return true;
        };
        QTRY_VERIFY(shownAsMade());
        list.applyReorder({{3, 2, 0, 1}, {false, true, false, false}});
        QCOMPARE(QFileInfo(control.topLevelItem(0)->text(0)).fileName(), QString("d tone.avi"));
        QVERIFY(shownAsMade());
        list.removeSelected();
        QCOMPARE(list.count(), 3);
        QVERIFY(shownAsMade());
        list.clear();
        QCOMPARE(loader->waiting(), 0);
    }
};

QTEST_MAIN(tst_Thumbnails)
#include "tst_thumbnails.moc"
