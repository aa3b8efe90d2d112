// The join from a terminal, through the real program and encoder started as a user starts
// them, with no display at all: what it writes, how it ends, and what it leaves on disk.
#include "profiles/ProfileList.h"
#include "support/FakeEncoder.h"
#include "support/ClipCache.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/OutputChecks.h"
#include "support/TestFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>

using namespace velmora;
using velmora::test::TestFolder;

namespace {

const QString Mp4Profile = QStringLiteral("MP4 - H.264 and AAC (plays everywhere)");
const QString CopyProfile = QStringLiteral("Same as the Inputs - No Re-encoding (fastest)");

struct Finished
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QList<QJsonObject> jsonLines(const QByteArray &out)
{
    QList<QJsonObject> objects;
    for (const QByteArray &line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject()) {
            qWarning("not a JSON object: %s", line.constData());
            return {};
        }
        objects << document.object();
    }
    return objects;
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Processes still running whose command line names the text: an encoder left behind.
QStringList processesNaming(const QString &text)
{
    QStringList found;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (pid.toInt() > 0 && cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(text.toUtf8()))
            found << pid;
    }
    return found;
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace

class TerminalJoinTest : public QObject
{
    Q_OBJECT

private:
    // A program folder of the test's own, so that its preferences are the test's: the program
    // itself (the program folder is where the program is), the encoder and the shipped profiles.
    QTemporaryDir m_program;
    QString m_preferences;
    QStringList m_profileNames;
    QStringList m_clips;   // three 2 s numbered clips, in three containers

    QString program() const { return m_program.filePath(QStringLiteral("velmora")); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        return environment;
    }

    void start(QProcess &process, const QStringList &arguments, const QString &workingFolder = QString()) const
    {
        process.setProcessEnvironment(environment());
        if (!workingFolder.isEmpty())
            process.setWorkingDirectory(workingFolder);
        process.start(program(), arguments);
    }

    Finished run(const QStringList &arguments, const QString &workingFolder = QString()) const
    {
        QProcess process;
        start(process, arguments, workingFolder);
        if (!process.waitForFinished(240000)) {
            process.kill();
            process.waitForFinished();
            qWarning("velmora %s did not end", qPrintable(arguments.join(' ')));
            return {};
        }
        Finished finished{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                          process.readAllStandardOutput(), process.readAllStandardError()};
        return finished;
    }

    void writePreferences(const QString &output, const QString &tempDir)
    {
        const int profile = static_cast<int>(m_profileNames.indexOf(Mp4Profile));
        const QString text = QStringLiteral("[Main]\r\nVersion=1.5\r\nProfile=%1\r\nOutput File=%2\r\nTemp Dir=%3\r\n"
                                            "Auto Open Dir=1\r\nAuto Exit=1\r\nAuto Turn Off=1\r\nAsk=1\r\nOverwrite=0\r\nRename=0\r\n")
                                 .arg(profile)
                                 .arg(output, tempDir);
        QFile file(m_preferences);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    QList<int> expectedNumbers() const
    {
        QList<int> numbers;
        for (int number = 0; number < 150; ++number)
            numbers << number;
        return numbers;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_program.isValid());
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_PROGRAM), program()));
        QVERIFY(QFile::setPermissions(program(), QFile::permissions(QStringLiteral(VELMORA_PROGRAM))));
        QVERIFY(QFile::link(QStringLiteral(VELMORA_ENCODER), m_program.filePath(QStringLiteral("asapi.dll"))));
        const QString profiles = m_program.filePath(QStringLiteral("Profiles"));
        QVERIFY(QDir().mkpath(profiles));
        const QString shipped = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");
        for (const QString &name : QDir(shipped).entryList(QDir::Files))
            QVERIFY(QFile::copy(shipped + QLatin1Char('/') + name, profiles + QLatin1Char('/') + name));
        for (const profiles::ProfileEntry &entry : profiles::discoverProfiles(profiles + QLatin1Char('/')))
            m_profileNames << entry.name;
        QVERIFY(m_profileNames.contains(Mp4Profile));
        m_preferences = m_program.filePath(QStringLiteral("Preferences.ini"));
        writePreferences(QString(), QString());

        // Frames 0-49, 50-99 and 100-149, each clip in a container of its own, 25 frames a second.
        int first = 0;
        for (const QString &container : {QStringLiteral("mp4"), QStringLiteral("mkv"), QStringLiteral("avi")}) {
            test::MarkedClip clip;
            clip.container = container;
            clip.firstNumber = first;
            clip.seconds = 2.0;
            m_clips << test::markedClip(clip);
            first += 50;
        }
    }

    // The three clips, joined as a script asks for it: every line a JSON object, the percent
    // never back, the last object naming the output, and the output holding every picture.
    void jsonProgressOfAJoin()
    {
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("temp"));
        writePreferences(folder.file(QStringLiteral("default.mp4")), temp + QLatin1Char('/'));
        const QByteArray preferences = fileHash(m_preferences);
        QVERIFY(!preferences.isEmpty());

        const Finished finished = run(QStringList{"--join", "--profile", Mp4Profile.toUpper(), "--output", "holiday",
                                                  "--progress=json"}
                                          + m_clips,
                                      folder.path());
        QVERIFY2(finished.status == 0, finished.err.constData());
        const QList<QJsonObject> objects = jsonLines(finished.out);
        QVERIFY2(objects.size() >= 3, finished.out.constData());
        double percent = -1;
        QStringList passes;
        for (qsizetype index = 0; index + 1 < objects.size(); ++index) {
            const QJsonObject &object = objects.at(index);
            QVERIFY2(object.value("percent").toDouble() >= percent, finished.out.constData());
            percent = object.value("percent").toDouble();
            QCOMPARE(object.value("rows").toInt(), 3);
            QVERIFY(object.value("row").toInt() >= 1 && object.value("row").toInt() <= 3);
            if (!passes.contains(object.value("pass").toString()))
                passes << object.value("pass").toString();
        }
        QCOMPARE(passes, (QStringList{"convert", "join"}));
        QCOMPARE(percent, 100.0);

        // The output takes the profile's extension, beside where the program was started.
        const QString output = folder.file(QStringLiteral("holiday.mp4"));
        const QJsonObject last = objects.constLast();
        QCOMPARE(last.value("result").toString(), QStringLiteral("joined"));
        QCOMPARE(last.value("output").toString(), output);
        QVERIFY(std::abs(last.value("seconds").toDouble() - 6.0) < 0.25);

        const QList<int> shown = test::frameNumbers(output);
        const QString wrong = test::everyNumberInOrder(shown, expectedNumbers());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY(std::abs(test::videoSeconds(output) - 6.0) < 0.1);
        const QString sound = test::soundAsLongAsPicture(output);
        QVERIFY2(sound.isEmpty(), qPrintable(sound));

        // Nothing else: no intermediates, no default output, the preferences as they were.
        QCOMPARE(filesUnder(temp), QStringList());
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("default.mp4"))));
        QCOMPARE(fileHash(m_preferences), preferences);
        QVERIFY(finished.err.isEmpty());
    }

    // Refused before anything runs: the status says which kind, standard error says why, and
    // nothing is made.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("one input") << QStringList{"--join", "--output", "OUT", "CLIP0"} << 3
                                   << "Please add at least 2 videos to the task for joining.";
        QTest::newRow("no output folder") << QStringList{"--join", "--output", "/nonexistent/out.mp4", "CLIP0", "CLIP1"} << 3
                                          << "The output path does not exist.";
        QTest::newRow("no output at all") << QStringList{"--join", "CLIP0", "CLIP1"} << 3 << "--output";
        QTest::newRow("copy of unlike inputs") << QStringList{"--join", "--profile", CopyProfile, "--output", "OUT", "CLIP0", "CLIP2"}
                                               << 3 << "cannot be joined without re-encoding";
        QTest::newRow("a damaged input") << QStringList{"--join", "--output", "OUT", "CLIP0", "DAMAGED"} << 3 << "cannot be added";
        QTest::newRow("a missing input") << QStringList{"--join", "--output", "OUT", "CLIP0", "/nonexistent/b.mp4"} << 2
                                         << "There is no file or folder \"/nonexistent/b.mp4\".";
        QTest::newRow("unknown option") << QStringList{"--join", "--faster", "CLIP0", "CLIP1"} << 2 << "faster";
        QTest::newRow("two rules") << QStringList{"--join", "--keep", "--overwrite", "CLIP0", "CLIP1"} << 2 << "Choose one";
        QTest::newRow("unreadable list") << QStringList{"--join", "--list", "/nonexistent/list.tmp"} << 2 << "Cannot open file";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("temp"));
        writePreferences(QString(), temp + QLatin1Char('/'));
        const TestFolder inputs;
        const QString damaged = inputs.write(QStringLiteral("damaged.mp4"), QByteArray(4096, '\x7f'));
        for (QString &argument : arguments) {
            argument.replace(QStringLiteral("CLIP0"), m_clips.at(0));
            argument.replace(QStringLiteral("CLIP1"), m_clips.at(1));
            argument.replace(QStringLiteral("CLIP2"), m_clips.at(2));
            argument.replace(QStringLiteral("DAMAGED"), damaged);
            argument.replace(QStringLiteral("OUT"), folder.file(QStringLiteral("out.mp4")));
        }
        const Finished finished = run(arguments << "--progress=json", folder.path());
        QVERIFY2(finished.status == status, finished.err.constData());
        QVERIFY2(QString::fromUtf8(finished.err).contains(said), finished.err.constData());
        QCOMPARE(filesUnder(folder.path()), QStringList());
    }

    // What a join without re-encoding cannot keep as the inputs have it (a clip trimmed between
    // key pictures starts earlier) is said on standard error; the command line says whether to
    // go on.
    void lossesNeedConsent_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("refused") << false;
        QTest::newRow("--accept-losses") << true;
    }
    void lossesNeedConsent()
    {
        QFETCH(bool, accept);
        const QString trimmed = test::ffmpegClip("terminal-trimmed.mp4", {"-ss", "1.0", "-i", m_clips.at(0), "-c", "copy"});
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("temp"));
        writePreferences(QString(), temp + QLatin1Char('/'));
        QStringList arguments{"--join", "--profile", CopyProfile, "--output", folder.file("out.mkv"), "--progress=none", m_clips.at(0), trimmed};
        if (accept)
            arguments << "--accept-losses";
        const Finished finished = run(arguments, folder.path());
        const QString said = QString::fromUtf8(finished.err);
        QVERIFY2(said.contains("velmora: Not Everything Can Be Kept: ") && said.contains("terminal-trimmed.mp4: it starts 1.000 s (25 pictures) before where it was cut"),
                 finished.err.constData());
        QCOMPARE(said.contains("Join with --accept-losses to join them anyway."), !accept);
        QCOMPARE(finished.status, accept ? 0 : 3);
        QCOMPARE(filesUnder(folder.path()), accept ? QStringList{folder.file("out.mkv")} : QStringList());
    }

    // Trims in a join that copies, from a list file. A part can only start at a key picture:
    // where the trim starts between two, that is said before anything runs and needs consent.
    // Each part starts at the key picture at or before its trim's start, its pictures decoded
    // from there are the input's own, and its sound goes with them.
    void copiedTrims_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("refused") << false;
        QTest::newRow("--accept-losses") << true;
    }
    void copiedTrims()
    {
        QFETCH(bool, accept);
        // Two numbered clips, 4 s at 30 frames a second, a key picture every second, B-frames.
        QStringList clips;
        for (int i = 0; i < 2; ++i) {
            test::MarkedClip spec;
            spec.container = QStringLiteral("mp4");
            spec.rate = QStringLiteral("30");
            spec.seconds = 4.0;
            spec.sampleRate = 48000;
            spec.firstNumber = 200 * i;
            clips << test::ffmpegClip(QStringLiteral("terminal-gop-%1.mp4").arg(i),
                                      {"-i", test::markedClip(spec), "-c:v", "libx264", "-preset", "veryfast", "-g", "30", "-bf", "2",
                                       "-sc_threshold", "0", "-c:a", "copy"});
        }
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("temp"));
        writePreferences(QString(), temp + QLatin1Char('/'));
        // The first from 1.5 s (between the key pictures at 1 s and 2 s) to 3 s; the second
        // from its key picture at 2 s to 3.5 s.
        const QString list = folder.write(QStringLiteral("trimmed.tmp"), ("#velmora-trim start=1.500 end=3.000\n" + clips.at(0)
                                                                          + "\n#velmora-trim start=2.000 end=3.500\n" + clips.at(1) + "\n")
                                                                             .toUtf8());
        const QString output = folder.file(QStringLiteral("out.mkv"));
        QStringList arguments{"--join", "--profile", CopyProfile, "--output", output, "--progress=none", "--list", list};
        if (accept)
            arguments << "--accept-losses";
        const Finished finished = run(arguments, folder.path());
        const QString said = QString::fromUtf8(finished.err);
        QVERIFY2(said.contains("terminal-gop-0.mp4: its trim starts at 1.500 s, between key pictures: a join without re-encoding "
                               "starts it at the key picture at 1.000 s"),
                 finished.err.constData());
        QVERIFY2(!said.contains("terminal-gop-1.mp4"), finished.err.constData());
        QCOMPARE(finished.status, accept ? 0 : 3);
        if (!accept) {
            QCOMPARE(filesUnder(folder.path()), QStringList{list});
            return;
        }
        QCOMPARE(filesUnder(temp), QStringList());

        // Frames 30 to 89 of the first (1 s to 3 s), then 60 to 104 of the second (2 s to 3.5 s),
        // decoded just as from the inputs. A part may show up to two pictures more at its end
        // (two B-frames): the last ones before the end are decoded from a picture shown after it.
        const QStringList first = test::frameHashes(clips.at(0), QStringLiteral("v"));
        const QStringList second = test::frameHashes(clips.at(1), QStringLiteral("v"));
        QCOMPARE(first.size(), 120);
        const QStringList joined = test::frameHashes(output, QStringLiteral("v"));
        qsizetype firstPart = -1;
        for (qsizetype kept = 60; kept <= 62 && firstPart < 0; ++kept) {
            const qsizetype rest = joined.size() - kept;
            if (rest >= 45 && rest <= 47 && joined == first.mid(30, kept) + second.mid(60, rest))
                firstPart = kept;
        }
        QVERIFY2(firstPart > 0, qPrintable(QStringLiteral("%1 pictures, not the inputs' from their key pictures").arg(joined.size())));
        QList<int> numbers;
        for (int n = 30; n < 30 + firstPart; ++n)
            numbers << n;
        for (int n = 260; numbers.size() < joined.size(); ++n)
            numbers << n;
        QCOMPARE(test::frameNumbers(output), numbers);
        // The sound lasts as the pictures do: nothing from before either part's key picture.
        const double pictures = test::videoSeconds(output);
        QVERIFY2(std::abs(pictures - joined.size() / 30.0) <= 1.0 / 30 + 1e-3, qPrintable(QString::number(pictures)));
        const double sound = test::audioSeconds(output);
        QVERIFY2(std::abs(sound - pictures) <= 0.05, qPrintable(QStringLiteral("sound %1 s, pictures %2 s").arg(sound).arg(pictures)));
    }

    // A profile the program does not know: wrong usage, and every profile it knows is listed.
    void unknownProfile()
    {
        const Finished finished = run({"--join", "--profile", "MP5 - the future", m_clips.at(0), m_clips.at(1)});
        QCOMPARE(finished.status, 2);
        for (const QString &name : std::as_const(m_profileNames))
            QVERIFY2(finished.err.contains("\n  " + name.toUtf8()), finished.err.constData());
        const Finished listed = run({"--list-profiles"});
        QCOMPARE(listed.status, 0);
        QCOMPARE(QString::fromUtf8(listed.out), m_profileNames.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    // An output that exists: kept as it is by --keep and by the preferences' Ask; another name,
    // counting up, for --rename.
    void existingOutput()
    {
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("temp"));
        writePreferences(QString(), temp + QLatin1Char('/'));
        const QString output = folder.write(QStringLiteral("out.mp4"), QByteArray("someone's film"));
        const QStringList join = QStringList{"--join", "--output", output, "--progress=none"} + m_clips.mid(0, 2);

        for (const QStringList &keep : {QStringList{"--keep"}, QStringList{}}) {
            const Finished finished = run(join + keep);
            QVERIFY2(finished.status == 3, finished.err.constData());
            QVERIFY2(finished.err.contains("exists and is kept as it is"), finished.err.constData());
            QVERIFY(finished.out.isEmpty());
            QCOMPARE(folder.read(QStringLiteral("out.mp4")), QByteArray("someone's film"));
        }
        for (const QString &renamed : {QStringLiteral("out_1.mp4"), QStringLiteral("out_2.mp4")}) {
            const Finished finished = run(join + QStringList{"--rename"});
            QVERIFY2(finished.status == 0, finished.err.constData());
            QVERIFY(QFile::exists(folder.file(renamed)));
            QVERIFY(std::abs(test::videoSeconds(folder.file(renamed)) - 4.0) < 0.1);
        }
        QCOMPARE(folder.read(QStringLiteral("out.mp4")), QByteArray("someone's film"));
        QCOMPARE(filesUnder(temp), QStringList());
    }

    // A list file as the window reads one: one path a line, "\r\n" or "\n", a folder among them.
    void listFile()
    {
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("temp"));
        writePreferences(folder.file(QStringLiteral("default")), temp + QLatin1Char('/'));
        const QString clips = folder.mkdir(QStringLiteral("more clips"));
        QVERIFY(QFile::copy(m_clips.at(2), clips + QStringLiteral("/c.avi")));
        QVERIFY(QFile::copy(m_clips.at(1), clips + QStringLiteral("/B.mkv")));
        const QString list = folder.write(QStringLiteral("joins.tmp"), (m_clips.at(0) + "\r\n" + clips + "\n").toUtf8());
        const Finished finished = run({"--join", "--list", list, "--progress=plain"});
        QVERIFY2(finished.status == 0, finished.err.constData());
        // The output comes from the preferences, with the profile's extension.
        const QString output = folder.file(QStringLiteral("default.mp4"));
        QVERIFY2(finished.out.contains("Converting 1/3: "), finished.out.constData());
        QVERIFY2(finished.out.contains("Joined 3 files into " + output.toUtf8()), finished.out.constData());
        const QString wrong = test::everyNumberInOrder(test::frameNumbers(output), expectedNumbers());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // An encoder that fails: the status says so, and standard error carries what the window's
    // failure details show, the encoder's last lines and the command line that ran.
    void encoderFails_data()
    {
        QTest::addColumn<bool>("inJoin");
        QTest::addColumn<QString>("said");
        QTest::newRow("converting") << false << "Conversion Failed: Velmora could not convert INPUT.";
        QTest::newRow("joining") << true << "Joining Failed: Velmora could not join the files into OUTPUT.";
    }
    void encoderFails()
    {
        QFETCH(bool, inJoin);
        QFETCH(QString, said);
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("work"));
        const QString encoder = m_program.filePath(QStringLiteral("asapi.dll"));
        test::FakeEncoder fake;
        QVERIFY(QFile::remove(encoder));
        fake.installAs(encoder);
        const auto restore = qScopeGuard([&] {
            QFile::remove(encoder);
            QFile::link(QStringLiteral(VELMORA_ENCODER), encoder);
        });
        const QString failing = QStringLiteral("say [h264 @ 0x5581] Invalid NAL unit size\nsay Error: %1: the input ends early\nexit 2");
        if (inJoin) {
            // Two conversions that give real intermediates, then a join that fails.
            fake.script(0, QStringLiteral("copy %1\nexit 0").arg(m_clips.at(2)));
            fake.script(1, QStringLiteral("copy %1\nexit 0").arg(m_clips.at(2)));
            fake.script(2, failing.arg(QStringLiteral("joined")));
        } else {
            fake.script(failing.arg(m_clips.at(0)));
        }
        const QString output = folder.file(QStringLiteral("out.mp4"));
        const Finished finished = run(QStringList{"--join", "--output", output, "--temp-dir", temp, "--progress=json"} + m_clips.mid(0, 2));
        QCOMPARE(finished.status, 1);
        const QString err = QString::fromUtf8(finished.err);
        QVERIFY2(err.contains(said.replace(QStringLiteral("INPUT"), m_clips.at(0)).replace(QStringLiteral("OUTPUT"), output)),
                 qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("Invalid NAL unit size\nError: ")), qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("Command line: \"") + encoder + QStringLiteral("\" ")), qPrintable(err));
        QCOMPARE(jsonLines(finished.out).constLast().value("result").toString(), QStringLiteral("failed"));
        QCOMPARE(filesUnder(folder.path()), QStringList());
    }

    // Started with hang-ups ignored, as nohup starts it: the session that ends does not end the join.
    void hangupIgnoredByTheStarter()
    {
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("work"));
        QProcess process;
        process.setChildProcessModifier([] { std::signal(SIGHUP, SIG_IGN); });
        start(process, QStringList{"--join", "--output", folder.file("out.mp4"), "--temp-dir", temp, "--progress=json"}
                           + m_clips.mid(0, 2));
        QVERIFY(process.waitForReadyRead(30000));
        ::kill(static_cast<pid_t>(process.processId()), SIGHUP);
        QVERIFY(process.waitForFinished(240000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(jsonLines(process.readAllStandardOutput()).constLast().value("result").toString(), QStringLiteral("joined"));
        QVERIFY(std::abs(test::videoSeconds(folder.file("out.mp4")) - 4.0) < 0.1);
    }

    // Ctrl+C or a SIGTERM in the middle: the job's own Stop. No encoder is left running, no
    // intermediate or output is left behind, and the status says it was stopped.
    void interrupted_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("pass");
        QTest::newRow("Ctrl+C while converting") << int(SIGINT) << "convert";
        QTest::newRow("SIGTERM while joining") << int(SIGTERM) << "join";
    }
    void interrupted()
    {
        QFETCH(int, signal);
        QFETCH(QString, pass);
        TestFolder folder;
        const QString temp = folder.mkdir(QStringLiteral("work"));
        test::MarkedClip spec;
        spec.container = QStringLiteral("mp4");
        spec.size = QStringLiteral("640x480");
        spec.seconds = 12;
        const QString longClip = test::markedClip(spec);
        QProcess process;
        start(process, {"--join", "--output", folder.file("out.mp4"), "--temp-dir", temp, "--progress=json", longClip, longClip,
                        longClip});
        QVERIFY(process.waitForStarted());
        // Once the pass is under way, with an encoder running.
        QByteArray out;
        const QByteArray marker = "\"pass\":\"" + pass.toUtf8() + "\"";
        while (!out.contains(marker) && process.state() == QProcess::Running) {
            process.waitForReadyRead(1000);
            out += process.readAllStandardOutput();
        }
        QVERIFY2(out.contains(marker), out.constData());
        QTRY_VERIFY_WITH_TIMEOUT(!processesNaming(temp).isEmpty(), 10000);
        ::kill(static_cast<pid_t>(process.processId()), signal);
        QVERIFY(process.waitForFinished(20000));
        out += process.readAllStandardOutput();
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 130);
        QCOMPARE(jsonLines(out).constLast().value("result").toString(), QStringLiteral("stopped"));
        QCOMPARE(processesNaming(temp), QStringList());
        QCOMPARE(filesUnder(folder.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TerminalJoinTest)
#include "tst_terminaljoin.moc"
