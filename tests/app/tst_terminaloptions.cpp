// The terminal's command line and its progress lines, without a process.
#include "app/TerminalOptions.h"
#include "app/TerminalProgress.h"
#include "tasks/TaskRows.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cstdio>

using namespace velmora::app;
using velmora::prefs::OverwriteRule;

Q_DECLARE_METATYPE(TerminalRequest::Action)

class TerminalOptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void terminalOrWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("terminal");
        QTest::newRow("files") << QStringList{"a.mp4", "b.mp4"} << false;
        QTest::newRow("list file") << QStringList{"list.tmp"} << false;
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("a file named like an option") << QStringList{"--joined.mp4"} << false;
        QTest::newRow("join") << QStringList{"--join", "a.mp4"} << true;
        QTest::newRow("join after the files") << QStringList{"a.mp4", "b.mp4", "--join"} << true;
        QTest::newRow("progress with its value") << QStringList{"--progress=json", "a.mp4"} << true;
        QTest::newRow("help") << QStringList{"-h"} << true;
        QTest::newRow("version") << QStringList{"--version"} << true;
        QTest::newRow("profiles") << QStringList{"--list-profiles"} << true;
    }
    void terminalOrWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, terminal);
        QCOMPARE(IsTerminalCommand(arguments), terminal);
    }

    void wrongUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown option") << QStringList{"--join", "--fast", "a", "b"} << "fast";
        QTest::newRow("no inputs") << QStringList{"--join"} << "Name the videos";
        QTest::newRow("inputs and a list") << QStringList{"--join", "--list", "l.tmp", "a"} << "not both";
        QTest::newRow("two rules") << QStringList{"--join", "--keep", "--rename", "a", "b"} << "Choose one";
        QTest::newRow("unknown progress") << QStringList{"--join", "--progress=fancy", "a", "b"} << "fancy";
        QTest::newRow("profile twice") << QStringList{"--join", "--profile", "x", "--profile", "y", "a"} << "more than once";
        QTest::newRow("empty output") << QStringList{"--join", "--output=", "a", "b"} << "--output";
        QTest::newRow("missing value") << QStringList{"--join", "a", "--output"} << "output";
        QTest::newRow("options without join") << QStringList{"--profile", "x", "a"} << "--join";
        QTest::newRow("profiles with inputs") << QStringList{"--list-profiles", "a"} << "nothing else";
    }
    void wrongUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const TerminalRequest request = ParseTerminalRequest(arguments);
        QCOMPARE(request.action, TerminalRequest::Action::Wrong);
        QVERIFY2(request.wrong.contains(said), qPrintable(request.wrong));
    }

    void joinRequest()
    {
        const TerminalRequest request = ParseTerminalRequest(
            {"a.mp4", "--join", "--profile", "MP4 - Same as the Inputs", "--output=out", "--rename", "--temp-dir", "/t",
             "--progress", "json", "b c.mp4", "--", "--odd name.mp4"});
        QCOMPARE(request.action, TerminalRequest::Action::Join);
        QCOMPARE(request.profile, QStringLiteral("MP4 - Same as the Inputs"));
        QCOMPARE(request.output, QStringLiteral("out"));
        QCOMPARE(request.rule, std::optional(OverwriteRule::Rename));
        QCOMPARE(request.tempDir, QStringLiteral("/t"));
        QCOMPARE(request.progress, ProgressMode::Json);
        QCOMPARE(request.inputs, (QStringList{"a.mp4", "b c.mp4", "--odd name.mp4"}));

        const TerminalRequest plain = ParseTerminalRequest({"--join", "--keep", "--list", "l.tmp"});
        QCOMPARE(plain.rule, std::optional(OverwriteRule::Ask)); // the rule that asks, answered No
        QCOMPARE(plain.progress, ProgressMode::Auto);
        QCOMPARE(plain.listFile, QStringLiteral("l.tmp"));
        QCOMPARE(ParseTerminalRequest({"--join", "a", "b"}).rule, std::nullopt);
    }

    void progressLines()
    {
        ProgressPoint point{QStringLiteral("convert"), 2, 6, 41.54, 12.34, RemainingAt(12.34, 41.54), QStringLiteral("clip \"2\".mp4")};
        const QJsonObject object = QJsonDocument::fromJson(ProgressJson(point).toUtf8()).object();
        QCOMPARE(object.value("pass").toString(), QStringLiteral("convert"));
        QCOMPARE(object.value("row").toInt(), 2);
        QCOMPARE(object.value("rows").toInt(), 6);
        QCOMPARE(object.value("percent").toDouble(), 41.5);
        QCOMPARE(object.value("elapsed").toDouble(), 12.3);
        QCOMPARE(object.value("remaining").toDouble(), 17.4);
        point.remaining.reset();
        QVERIFY(QJsonDocument::fromJson(ProgressJson(point).toUtf8()).object().value("remaining").isNull());

        for (const int width : {40, 80, 200}) {
            const QString line = ProgressBarLine(point, width);
            QVERIFY2(line.size() <= width, qPrintable(line));
            QVERIFY2(line.startsWith(QStringLiteral("Converting 2/6 [")), qPrintable(line));
        }
        QVERIFY(ProgressBarLine(point, 200).contains(QStringLiteral(" 41.5%  00:00:12 elapsed  --:--:-- left  clip \"2\".mp4")));
    }

    // What a job reports on its way: the percent of the whole never goes back, and the join
    // pass names the row it has reached by the rows' listed lengths.
    void percentNeverGoesBack()
    {
        std::FILE *out = std::tmpfile();
        QVERIFY(out);
        velmora::tasks::TaskRows rows; // no rows: the conversion and join below bring their own totals
        TerminalProgress progress(TerminalProgress::Style::Json, rows, out);
        progress.conversionBegins();
        progress.rowBegins(0, QStringLiteral("a.mp4"));
        progress.conversionPosition(5.4, 5.0, 0, 10); // the row converts past its listed length
        progress.rowBegins(1, QStringLiteral("b.mp4"));
        progress.conversionPosition(0.1, 5.0, 5.0, 10);
        progress.joinBegins();
        progress.joinPosition(1, 10);
        progress.joinCompleted();
        std::rewind(out);
        QByteArray text;
        char buffer[4096];
        for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
            text.append(buffer, static_cast<qsizetype>(read));
        std::fclose(out);
        double last = -1;
        QStringList passes;
        for (const QByteArray &line : text.split('\n')) {
            if (line.isEmpty())
                continue;
            const QJsonObject object = QJsonDocument::fromJson(line).object();
            QVERIFY2(!object.isEmpty(), line.constData());
            QVERIFY2(object.value("percent").toDouble() >= last, line.constData());
            last = object.value("percent").toDouble();
            passes << object.value("pass").toString();
        }
        QCOMPARE(last, 100.0);
        QVERIFY(passes.contains("convert") && passes.constLast() == QStringLiteral("join"));
    }
};

QTEST_GUILESS_MAIN(TerminalOptionsTest)
#include "tst_terminaloptions.moc"
