// How a run of the encoder ends when it cannot do what it is asked: the line it leaves, its
// exit status, and nothing at the output path. Also what Stop leaves behind.
#include "job/CommandLines.h"
#include "support/EncoderJobs.h"
#include "job/EncoderRunner.h"
#include "support/Clips.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <csignal>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;

namespace {

struct Ended
{
    int status = -1;
    QString lastLine;
    QString output;
};

// Runs the encoder with its standard input left open: a run that read it would never end.
Ended encode(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(VELMORA_ENCODER), arguments);
    if (!process.waitForFinished(120000))
        qFatal("the encoder did not end");
    Ended ended;
    ended.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ended.output = QString::fromUtf8(process.readAll());
    const QStringList lines = QString(ended.output).replace('\r', '\n').split('\n', Qt::SkipEmptyParts);
    ended.lastLine = lines.isEmpty() ? QString() : lines.constLast();
    return ended;
}

QStringList joinOf(const QStringList &inputs, const QString &output, const QString &lavcopts = "vcodec=mpeg4:vbitrate=400:mbd=2:autoaspect",
                   const QStringList &more = {})
{
    return inputs + QStringList{"-o", output, "-ovc", "lavc", "-lavcopts", lavcopts, "-oac", "mp3lame", "-lameopts", "vbr=2:q=6",
                                "-channels", "2", "-vf", "scale=160:120", "-srate", "22050"}
           + more;
}

QString clip()
{
    test::ClipSpec spec;
    spec.size = "160x120";
    return test::sharedClip(spec);
}

// A folder's content, to see that a run left nothing of its own in it.
QStringList contentOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QString makeSoundOnly(const QString &path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), {"-loglevel", "error", "-y", "-f", "lavfi", "-i", "sine=duration=1", path});
    ffmpeg.waitForFinished(60000);
    return path;
}

// A Matroska file that opens and names its picture stream, but whose pictures no decoder
// makes anything of: MPEG-4 part 2 pictures labelled as H.264.
QString makeUndecodable(const QString &path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), {"-loglevel", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25",
                                                  "-t", "1", "-c:v", "mpeg4", path});
    ffmpeg.waitForFinished(60000);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        qFatal("cannot make %s", qPrintable(path));
    QByteArray bytes = file.readAll();
    bytes.replace("V_MPEG4/ISO/ASP", "V_MPEG4/ISO/AVC");
    file.seek(0);
    file.write(bytes);
    return path;
}

} // namespace

class tst_Failures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedBeforeAnyOutput_data()
    {
        QTest::addColumn<QStringList>("extra");     // arguments after the usual join
        QTest::addColumn<QString>("lavcopts");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("named");
        QTest::newRow("option never written") << QStringList{"-noskip"} << "vcodec=mpeg4" << "avi" << "-noskip";
        QTest::newRow("unknown video codec") << QStringList{} << "vcodec=divx5:vbitrate=400" << "avi" << "divx5";
        QTest::newRow("unknown sub-option") << QStringList{} << "vcodec=mpeg4:vhq" << "avi" << "vhq";
        QTest::newRow("H.264 in AVI") << QStringList{} << "vcodec=libx264" << "avi" << "AVI files cannot hold";
        QTest::newRow("MPEG-4 in WebM") << QStringList{} << "vcodec=mpeg4" << "webm" << "WebM files cannot hold";
        QTest::newRow("unknown output type") << QStringList{} << "vcodec=mpeg4" << "xyz" << ".xyz";
    }
    void refusedBeforeAnyOutput()
    {
        QFETCH(QStringList, extra);
        QFETCH(QString, lavcopts);
        QFETCH(QString, extension);
        QFETCH(QString, named);
        test::TestFolder folder;
        const QString output = folder.file("out." + extension);
        const Ended ended = encode(joinOf({clip(), clip()}, output, lavcopts, extra));
        QCOMPARE(ended.status, 1);
        QVERIFY2(ended.lastLine.contains(named), qPrintable(ended.output));
        QVERIFY(contentOf(folder.path()).isEmpty());
    }

    void brokenMp3Word()
    {
        test::TestFolder folder;
        QStringList arguments = joinOf({clip()}, folder.file("out.avi"));
        arguments[arguments.indexOf("vbr=2:q=6")] = "fast:br=128";
        const Ended ended = encode(arguments);
        QCOMPARE(ended.status, 1);
        QVERIFY2(ended.lastLine.contains("fast"), qPrintable(ended.lastLine));
        QVERIFY(contentOf(folder.path()).isEmpty());
    }

    void failuresLeaveNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("status");
        QTest::newRow("input missing") << "missing" << "cannot open" << 2;
        QTest::newRow("input not a video") << "text" << "cannot open" << 2;
        QTest::newRow("input without picture") << "sound" << "holds no picture" << 1;
        // Found out only once the first input is written: what was written goes again.
        QTest::newRow("no picture decodes") << "undecodable" << "none of its pictures could be decoded" << 1;
        QTest::newRow("output folder missing") << "nofolder" << "cannot create" << 2;
        QTest::newRow("output is an input") << "same" << "also an input" << 1;
    }
    void failuresLeaveNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFETCH(int, status);
        test::TestFolder folder;
        const QString good = test::copyClip(folder.file("in/good.avi"), test::ClipSpec{});
        QString bad = folder.file("in/bad.avi");
        QString output = folder.file("out/joined.avi");
        folder.mkdir("out");
        if (kind == "text") {
            folder.write("in/bad.avi", "This is not a video, only text that ends in .avi\n");
        } else if (kind == "sound") {
            bad = makeSoundOnly(folder.file("in/sound.wav"));
        } else if (kind == "undecodable") {
            bad = makeUndecodable(folder.file("in/broken.mkv"));
        } else if (kind == "nofolder") {
            output = folder.file("nowhere/joined.avi");
            bad = good;
        } else if (kind == "same") {
            output = bad = good;
        }
        const QByteArray before = kind == "same" ? folder.read("in/good.avi") : QByteArray();
        const QStringList inputsBefore = contentOf(folder.file("in"));

        const Ended ended = encode(joinOf({good, bad}, output));
        QVERIFY2(ended.status == status, qPrintable(ended.output));
        QVERIFY2(ended.lastLine.contains(reason), qPrintable(ended.lastLine));
        QVERIFY2(ended.lastLine.contains(kind == "nofolder" || kind == "same" ? output : bad), qPrintable(ended.lastLine));
        if (kind == "same") {
            QCOMPARE(folder.read("in/good.avi"), before);
        } else {
            QVERIFY(!QFileInfo::exists(output));
        }
        QCOMPARE(contentOf(folder.file("in")), inputsBefore);
        QVERIFY(contentOf(folder.file("out")).isEmpty());
    }

    void fullDevice()
    {
        // /dev/full takes nothing: every write fails as on a full disk. The device stays.
        const Ended ended = encode(joinOf({clip()}, "/dev/full"));
        QVERIFY(ended.status != 0);
        QVERIFY2(ended.lastLine.contains("/dev/full") && ended.lastLine.contains("No space left on device"),
                 qPrintable(ended.lastLine));
        struct stat status {};
        QVERIFY(::stat("/dev/full", &status) == 0 && S_ISCHR(status.st_mode));
    }

    void fullDisk()
    {
        test::TestFolder folder;
        const QString disk = folder.mkdir("disk");
        if (::geteuid() != 0 || ::mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=96k") != 0)
            QSKIP("a small disk can only be made by root");
        const auto unmount = qScopeGuard([&] { ::umount2(disk.toLocal8Bit().constData(), MNT_DETACH); });
        test::ClipSpec longer;
        longer.seconds = 4;
        const Ended ended = encode(joinOf({test::sharedClip(longer)}, disk + "/joined.avi", "vcodec=mpeg4:vbitrate=4000",
                                          {"-vf", "scale=640:480"}));
        QVERIFY(ended.status != 0);
        QVERIFY2(ended.lastLine.contains("joined.avi") && ended.lastLine.contains("No space left on device"),
                 qPrintable(ended.lastLine));
        QVERIFY(contentOf(disk).isEmpty());
    }

    void existingOutputReplaced()
    {
        test::TestFolder folder;
        const QString output = folder.write("joined.avi", "an older file of the same name");
        const Ended ended = encode(joinOf({clip(), clip()}, output));
        QCOMPARE(ended.status, 0);
        QVERIFY(QFileInfo(output).size() > 1000);
        QCOMPARE(contentOf(folder.path()), QStringList{"joined.avi"});
    }

    void terminatedRunRemovesItsOutput()
    {
        test::TestFolder folder;
        test::ClipSpec longer;
        longer.seconds = 30;
        longer.size = "640x480";
        const QString output = folder.file("joined.avi");
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(VELMORA_ENCODER), joinOf({test::sharedClip(longer)}, output, "vcodec=mpeg4", {"-vf", "scale=640:480"}));
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(output), 20000);
        process.terminate();
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 128 + SIGTERM);
        QVERIFY(!QFileInfo::exists(output));
    }

    void stopLeavesNoProcess()
    {
        test::TestFolder folder;
        test::ClipSpec longer;
        longer.seconds = 30;
        longer.size = "640x480";
        const QString input = test::sharedClip(longer);
        const QString intermediate = folder.file("stop-marker-0.avi");
        job::EncoderRunner runner(QStringLiteral(VELMORA_ENCODER));
        job::PositionReader reader;
        QTimer::singleShot(300, &runner, [&runner] { runner.TerminateEncoder(); });
        const job::RunResult result =
            runner.RunEncoder(test::conversionCommand(input, intermediate, "640:480").arguments(), reader, {}, nullptr);
        QCOMPARE(result.end, job::RunResult::End::Stopped);
        // No process of ours is left: none has the intermediate on its command line.
        for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile commandLine("/proc/" + pid + "/cmdline");
            if (pid.toInt() > 0 && commandLine.open(QIODevice::ReadOnly))
                QVERIFY2(!commandLine.readAll().contains(intermediate.toLocal8Bit()), qPrintable("process " + pid));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Failures)
#include "tst_failures.moc"
