#include "job/CommandLines.h"
#include "job/PositionReader.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace velmora::job;
using Pass = PositionReader::Pass;

namespace {

QByteArray recorded(const char *name)
{
    QFile file(QStringLiteral(VELMORA_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Missing recorded output %s", name);
    return file.readAll();
}

// The recorded output cut as a pipe would hand it over: after every line break.
QList<QByteArray> linesOf(const QByteArray &output)
{
    QList<QByteArray> chunks;
    qsizetype start = 0;
    for (qsizetype i = 0; i < output.size(); ++i) {
        if (output.at(i) == '\n' || output.at(i) == '\r') {
            chunks << output.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < output.size())
        chunks << output.mid(start);
    return chunks;
}

// The positions of the status lines, read independently of the reader.
QList<double> statusPositions(const QList<QByteArray> &chunks, int skipped)
{
    static const QRegularExpression status(QStringLiteral("Pos:\\s*([0-9.]+)s"));
    QList<double> positions;
    for (qsizetype i = skipped; i < chunks.size(); ++i) {
        const auto match = status.match(QString::fromLatin1(chunks.at(i)));
        if (match.hasMatch())
            positions << match.captured(1).toDouble();
    }
    return positions;
}

} // namespace

class tst_PositionReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordedConversion()
    {
        const QList<QByteArray> chunks = linesOf(recorded("mencoder-convert.txt"));
        PositionReader reader(Pass::Conversion, QLocale::c());
        QList<double> handed;
        double last = -1;
        for (const QByteArray &chunk : chunks) {
            if (const auto position = reader.takeChunk(chunk)) {
                handed << *position;
                last = *position;
            }
        }
        // Every chunk from the 21st on hands a position once a status line was seen; a chunk
        // without one repeats the last.
        QList<double> expected;
        double current = -1;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            static const QRegularExpression status(QStringLiteral("Pos:\\s*([0-9.]+)s"));
            const auto match = status.match(QString::fromLatin1(chunks.at(i)));
            if (i >= PositionReader::SkippedChunks && match.hasMatch())
                current = match.captured(1).toDouble();
            if (i >= PositionReader::SkippedChunks && current >= 0)
                expected << current;
        }
        QCOMPARE(handed, expected);
        QVERIFY(handed.size() > 40);
        QCOMPARE(last, statusPositions(chunks, 0).constLast());
        QVERIFY(qAbs(last - 3.0) < 0.2);
    }

    void recordedJoinInBigReads()
    {
        // Reads of 4095 bytes: several status lines a chunk, the first "Pos:" of each counts.
        const QByteArray output = recorded("mencoder-join.txt");
        PositionReader reader(Pass::Join, QLocale::c());
        QList<double> handed;
        for (qsizetype at = 0; at < output.size(); at += 4095) {
            const QByteArray chunk = output.mid(at, 4095);
            if (const auto position = reader.takeChunk(chunk))
                handed << *position;
        }
        QVERIFY(handed.isEmpty()); // fewer than twenty-one reads: none is examined
        // Cut line by line instead, the join's positions only grow and reach the whole length.
        reader.beginPass(Pass::Join);
        double previous = 0;
        int count = 0;
        for (const QByteArray &chunk : linesOf(output)) {
            if (const auto position = reader.takeChunk(chunk)) {
                QVERIFY(*position >= previous);
                previous = *position;
                ++count;
            }
        }
        QVERIFY(count > 100);
        QVERIFY(qAbs(previous - 4.9) < 0.05);
    }

    void rules_data()
    {
        QTest::addColumn<int>("pass");
        QTest::addColumn<QStringList>("chunks");   // after twenty skipped ones
        QTest::addColumn<QList<double>>("handed"); // -1: nothing handed for that chunk
        QTest::addColumn<QString>("locale");
        QTest::newRow("plain") << int(Pass::Conversion) << QStringList{"Pos:   1.5s  45f", "Pos:   2.0s"} << QList<double>{1.5, 2.0} << "C";
        QTest::newRow("first of several lines")
            << int(Pass::Conversion) << QStringList{"Pos: 1.0s 30f\rPos: 1.1s 33f\r"} << QList<double>{1.0} << "C";
        QTest::newRow("no Pos repeats the last")
            << int(Pass::Conversion) << QStringList{"Pos: 3.0s", "Skipping frame!", "more"} << QList<double>{3.0, 3.0, 3.0} << "C";
        QTest::newRow("no Pos before any") << int(Pass::Conversion) << QStringList{"hello", "Pos: 1.0s"} << QList<double>{-1, 1.0} << "C";
        QTest::newRow("conversion goes back") << int(Pass::Conversion) << QStringList{"Pos: 5.0s", "Pos: 2.0s"} << QList<double>{5.0, 2.0} << "C";
        QTest::newRow("join never goes back") << int(Pass::Join) << QStringList{"Pos: 5.0s", "Pos: 2.0s", "Pos: 6.0s"} << QList<double>{5.0, 5.0, 6.0} << "C";
        QTest::newRow("zero byte ends the text")
            << int(Pass::Conversion) << QStringList{QString::fromLatin1("Pos: 4.0s", 9) + QChar(0) + "Pos: 9.0s", "no status"} << QList<double>{4.0, 4.0} << "C";
        QTest::newRow("no s after Pos") << int(Pass::Conversion) << QStringList{"Pos: 1.0s", "Pos: 7.0"} << QList<double>{1.0, -1} << "C";
        QTest::newRow("not a number") << int(Pass::Conversion) << QStringList{"Pos: 1.0s", "Pos: abcs"} << QList<double>{1.0, -1} << "C";
        QTest::newRow("point in a comma locale") << int(Pass::Conversion) << QStringList{"Pos: 2.5s"} << QList<double>{2.5} << "de_DE";
        QTest::newRow("comma in a comma locale") << int(Pass::Conversion) << QStringList{"Pos: 2,5s"} << QList<double>{2.5} << "de_DE";
        QTest::newRow("comma in a point locale") << int(Pass::Conversion) << QStringList{"Pos: 2,5s"} << QList<double>{-1} << "C";
        QTest::newRow("infinity is no position") << int(Pass::Conversion) << QStringList{"Pos: inf s"} << QList<double>{-1} << "C";
    }
    void rules()
    {
        QFETCH(int, pass);
        QFETCH(QStringList, chunks);
        QFETCH(QList<double>, handed);
        QFETCH(QString, locale);
        PositionReader reader{static_cast<Pass>(pass), QLocale(locale)};
        for (int i = 0; i < PositionReader::SkippedChunks; ++i)
            QVERIFY(!reader.takeChunk("Pos: 99.0s"));
        QCOMPARE(chunks.size(), handed.size());
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            const auto position = reader.takeChunk(chunks.at(i).toLatin1());
            QCOMPARE(position.value_or(-1), handed.at(i));
        }
    }

    void positionTextCarriesOverBetweenRuns()
    {
        PositionReader reader(Pass::Conversion, QLocale::c());
        for (int i = 0; i < 21; ++i)
            reader.takeChunk("Pos: 7.0s");
        reader.beginRun();
        for (int i = 0; i < 20; ++i)
            reader.takeChunk("starting");
        QCOMPARE(reader.takeChunk("no status yet").value_or(-1), 7.0);
        reader.beginPass(Pass::Join);
        for (int i = 0; i < 20; ++i)
            reader.takeChunk("starting");
        QVERIFY(!reader.takeChunk("no status yet"));
    }

    void commandLines()
    {
        EncoderArgs fragment;
        fragment.words({"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:autoaspect", "-oac", "pcm", "", ""});
        const EncoderArgs convert = ConversionCommand("/v/my clip.avi", "/tmp/j/0.mkv", fragment, "16/9");
        // The fragment's empty words show as blanks and are no arguments; the part records the
        // words themselves.
        QCOMPARE(convert.text(), QString(R"( "/v/my clip.avi" -o "/tmp/j/0.mkv" -ovc lavc -lavcopts vcodec=mpeg4:aspect=16/9 -oac pcm   )"
                                         R"(-ofps 30 -info "srcform=%14%/v/my clip.avi:comment=%52%-ovc lavc -lavcopts vcodec=mpeg4:autoaspect -oac pcm")"));
        QCOMPARE(convert.arguments(), (QStringList{"/v/my clip.avi", "-o", "/tmp/j/0.mkv", "-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:aspect=16/9",
                                                 "-oac", "pcm", "-ofps", "30", "-info",
                                                 "srcform=%14%/v/my clip.avi:comment=%52%-ovc lavc -lavcopts vcodec=mpeg4:autoaspect -oac pcm"}));
        // Without a shape the profile's own aspect stays.
        QVERIFY(ConversionCommand("/v/a.mp4", "/tmp/j/1.mkv", fragment).arguments().contains("vcodec=mpeg4:autoaspect"));
        // The name's length counts bytes: a colon or a letter beyond ASCII stays inside it.
        QCOMPARE(SourceInfo(QString::fromUtf8("/v/Café: 2.mp4")), QString::fromUtf8("srcform=%15%/v/Café: 2.mp4"));
        EncoderArgs options;
        options.words({"-ovc", "lavc"});
        const EncoderArgs join = JoinCommand({"/tmp/j/0.avi", "/tmp/j/1.avi"}, "/v/say \"hi\".avi", options);
        QCOMPARE(join.text(), QString(R"( "/tmp/j/0.avi" "/tmp/j/1.avi" -o "/v/say "hi".avi"  -ovc lavc)"));
        QCOMPARE(join.arguments(), (QStringList{"/tmp/j/0.avi", "/tmp/j/1.avi", "-o", "/v/say \"hi\".avi", "-ovc", "lavc"}));
    }
};

QTEST_GUILESS_MAIN(tst_PositionReader)
#include "tst_positionreader.moc"
