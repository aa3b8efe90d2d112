// What the encoder says about itself: -h and --help print the option summary, --version ours
// and FFmpeg's versions, alone on standard output with status 0. The summary is held against
// the parser both ways: each word a command line can carry is named in it, and each option it
// names is one the parser knows.
#include "encoder/CommandLine.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

struct Answer
{
    int status = -1;
    QString output;
    QString errors;
};

Answer ask(const QStringList &arguments, const QString &folder = QDir::tempPath())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VELMORA_ENCODER), arguments);
    if (!process.waitForFinished(60000))
        qFatal("the encoder did not end");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QString summary()
{
    static const QString text = ask({"--help"}).output;
    return text;
}

// The word as a command line writes it, not inside a longer one: "-o" is not "-oac", "q=" not "vqscale=".
bool names(const QString &text, const QString &word)
{
    const QString end = word.back().isLetterOrNumber() ? QStringLiteral("(?![\\w-])") : QString();
    return text.contains(QRegularExpression("(?<![\\w-])" + QRegularExpression::escape(word) + end));
}

encoder::ParsedCommandLine parse(const QStringList &options)
{
    std::vector<std::string> arguments = {"in.avi", "-o", "out.avi"};
    for (const QString &option : options)
        arguments.push_back(option.toStdString());
    return encoder::parseCommandLine(arguments);
}

// "libavcodec 59.37.100" from our --version, or the running half of ffmpeg's
// "libavcodec     59. 37.100 / 59. 37.100".
QString versionIn(const QString &text, const QString &library, bool ffmpeg)
{
    const QString pattern = ffmpeg ? "^%1\\s+[\\d. ]+/\\s*(\\d+)\\.\\s*(\\d+)\\.\\s*(\\d+)\\s*$" : "^%1\\s+(\\d+)\\.(\\d+)\\.(\\d+)\\b";
    const auto match = QRegularExpression(pattern.arg(library), QRegularExpression::MultilineOption).match(text);
    return match.hasMatch() ? match.captured(1) + '.' + match.captured(2) + '.' + match.captured(3) : QString();
}

} // namespace

class tst_Usage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersAlone_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("-h") << "-h" << "^Usage: velmora-encoder INPUT\\.\\.\\. -o OUTPUT";
        QTest::newRow("--help") << "--help" << "^Usage: velmora-encoder INPUT\\.\\.\\. -o OUTPUT";
        QTest::newRow("--version") << "--version" << "^velmora-encoder \\(Velmora\\) \\d+\\.\\d+";
    }
    void answersAlone()
    {
        QFETCH(QString, argument);
        QFETCH(QString, firstLine);
        const Answer answer = ask({argument});
        QCOMPARE(answer.status, 0);
        QCOMPARE(answer.errors, QString());
        QVERIFY2(answer.output.contains(QRegularExpression(firstLine)), qPrintable(answer.output.left(200)));
        // Neither a run's first line nor an error (the summary quotes both, never at a line's start).
        QVERIFY(!answer.output.contains(QRegularExpression("^(Error:|Velmora encoder \\()", QRegularExpression::MultilineOption)));
    }

    // Among other arguments the words mean what they always did.
    void keepsItsMeaningInALine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        QTest::newRow("-h among options") << QStringList{"in.avi", "-o", "out.avi", "-h"} << 1 << "Error: -h: unknown option.";
        QTest::newRow("--help as an input") << QStringList{"--help", "-o", "out.avi"} << 2 << "Error: --help: cannot open it";
    }
    void keepsItsMeaningInALine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, error);
        const QTemporaryDir folder;
        const Answer answer = ask(arguments, folder.path());
        QCOMPARE(answer.status, status);
        QVERIFY2(answer.errors.startsWith(error), qPrintable(answer.errors));
        QVERIFY(answer.output.startsWith("Velmora encoder (libavcodec"));
        QVERIFY(!answer.output.contains("Usage:"));
    }

    // Each word with a line the parser takes it in: a word the parser gave up fails here,
    // and so does one the summary leaves out.
    void summaryNamesEveryOption_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("options");
        const auto row = [](const QString &word, const QStringList &options) {
            QTest::newRow(qPrintable(word)) << word << options;
        };
        row("-o", {});
        row("-ovc", {"-ovc", "lavc"});
        row("lavc", {"-oac", "lavc"});
        row("copy", {"-ovc", "copy", "-oac", "copy"});
        row("-oac", {"-oac", "pcm"});
        row("mp3lame", {"-oac", "mp3lame"});
        row("pcm", {"-oac", "pcm"});
        row("-lavcopts", {"-lavcopts", "vcodec=mpeg4"});
        for (const char *key : {"vcodec=", "vbitrate=", "vqscale=", "mbd=", "keyint=", "threads=", "vmax_b_frames=",
                                   "aspect=", "acodec=", "abitrate="})
            row(key, {"-lavcopts", QString(key) + "2"});
        row("autoaspect", {"-lavcopts", "autoaspect"});
        row("vcodec=copy", {"-lavcopts", "vcodec=copy:acodec=copy"});
        row("-lameopts", {"-lameopts", "vbr=2:q=4"});
        for (const char *key : {"vbr=", "q=", "br="})
            row(key, {"-lameopts", QString(key) + "2"});
        row("abr", {"-lameopts", "abr:br=128"});
        row("cbr", {"-lameopts", "cbr:br=128"});
        row("-vf", {"-vf", "scale=320:240"});
        for (const char *filter : {"scale=", "crop=", "expand="})
            row(filter, {"-vf", QString(filter) + "320:240"});
        row("-ofps", {"-ofps", "30000/1001"});
        row("-srate", {"-srate", "44100"});
        row("-channels", {"-channels", "2"});
        row("-info", {"-info", "name=a"});
        for (const char *key : {"name", "artist", "genre", "subject", "copyright", "srcform", "comment"})
            row(key, {"-info", QString(key) + "=a"});
        row("%N%", {"-info", "srcform=%3%a:b"});
    }
    void summaryNamesEveryOption()
    {
        QFETCH(QString, word);
        QFETCH(QStringList, options);
        const encoder::ParsedCommandLine parsed = parse(options);
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QVERIFY2(names(summary(), word), qPrintable(word + " is not in the summary"));
    }

    void summaryNamesNoUnknownOption()
    {
        const QRegularExpression option("(?<![\\w-])-[a-z]+\\b");
        QSet<QString> seen;
        for (const auto &match : option.globalMatch(summary()))
            seen.insert(match.captured());
        seen.remove("-h"); // only ever alone
        QVERIFY(seen.size() >= 10);
        for (const QString &name : seen) {
            const std::string error = parse({name}).error;
            QVERIFY2(error.find("unknown option") == std::string::npos, qPrintable(name + ": " + QString::fromStdString(error)));
        }
    }

    void versionNamesRunningLibraries_data()
    {
        QTest::addColumn<QString>("library");
        for (const char *library : {"libavutil", "libavcodec", "libavformat", "libavfilter", "libswscale", "libswresample"})
            QTest::newRow(library) << library;
    }
    void versionNamesRunningLibraries()
    {
        QFETCH(QString, library);
        static const QString ours = ask({"--version"}).output;
        static const QString ffmpegs = [] {
            QProcess ffmpeg;
            ffmpeg.start(QStringLiteral(VELMORA_FFMPEG), {"-hide_banner", "-version"});
            ffmpeg.waitForFinished(60000);
            return QString::fromUtf8(ffmpeg.readAllStandardOutput());
        }();
        const QString version = versionIn(ours, library, false);
        QVERIFY2(!version.isEmpty(), qPrintable(ours));
        // ffmpeg on this machine runs on the same libraries.
        const QString expected = versionIn(ffmpegs, library, true);
        if (!expected.isEmpty())
            QCOMPARE(version, expected);
    }
};

QTEST_GUILESS_MAIN(tst_Usage)
#include "tst_usage.moc"
