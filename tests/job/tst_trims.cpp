// Trimmed rows through the job's own two lines: each of four kinds of clip converted from 1.5 s
// for 1.5 s into its part, then the parts joined. Each part must hold exactly the pictures of
// its span, in order; the flash inside the span keeps its beep within 20 ms; and the join
// lasts the spans together, within a frame a row.
#include "job/CommandLines.h"
#include "job/CopyMatch.h"
#include "support/EncoderJobs.h"
#include "support/MarkedClips.h"
#include "support/MediaCheck.h"
#include "support/OutputChecks.h"
#include "support/TestFolder.h"

#include <QtTest>

#include <cmath>

using namespace velmora;
using test::MarkedClip;

namespace {

constexpr double Start = 1.5;
constexpr double End = 3.0;
constexpr double FlashAt = 2.0; // inside the span: 0.5 s into each part

// A phone's MP4 with 90 kHz times, a browser's VP9 WebM, a camera's MPEG-2 transport stream, and
// a 29.97 fps MOV.
QList<MarkedClip> fourKinds(MarkedClip::Picture picture)
{
    const auto kind = [&](const QString &container, const QString &rate, int sampleRate) {
        return test::markedSpec(picture, QStringLiteral("320x240"), rate, 4.0, sampleRate, container, FlashAt);
    };
    MarkedClip phone = kind("mp4", "30", 48000);
    phone.timescale = 90000;
    return {phone, kind("webm", "30", 48000), kind("ts", "30", 48000), kind("mov", "30000/1001", 44100)};
}

struct Trimmed
{
    QStringList parts;
    QString output;
    QString failed; // empty when all went well
};

// The four kinds of clip with this picture, each trimmed into its part, and the parts joined.
Trimmed convertAndJoin(const test::TestFolder &folder, MarkedClip::Picture picture)
{
    const profiles::EncoderArgs options = test::divxOptions(QStringLiteral("320x240"));
    const tasks::Trim trim{Start, End};
    const QString name = picture == MarkedClip::Picture::Numbered ? QStringLiteral("numbers") : QStringLiteral("flashes");
    Trimmed trimmed;
    for (const MarkedClip &clip : fourKinds(picture)) {
        const QString input = test::markedClip(clip);
        const QString part = folder.file(QStringLiteral("%1-%2.mkv").arg(name).arg(trimmed.parts.size()));
        trimmed.failed =
            test::runEncoder(job::ConversionCommand(input, part, options, job::PictureShape(input), std::nullopt, trim).arguments());
        if (!trimmed.failed.isEmpty()) {
            trimmed.failed.prepend(input + QStringLiteral(": "));
            return trimmed;
        }
        trimmed.parts << part;
    }
    trimmed.output = folder.file(name + QStringLiteral(".avi"));
    trimmed.failed = test::runEncoder(job::JoinCommand(trimmed.parts, trimmed.output, options).arguments());
    return trimmed;
}

} // namespace

class tst_Trims : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversionLine_data()
    {
        QTest::addColumn<double>("start"); // -1: none
        QTest::addColumn<double>("end");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("start and end") << 1.5 << 3.0 << QStringList{"-ss", "1.500", "-endpos", "1.500"};
        QTest::newRow("start alone") << 2.25 << -1.0 << QStringList{"-ss", "2.250"};
        QTest::newRow("end alone: a length from the start") << -1.0 << 4.0 << QStringList{"-endpos", "4.000"};
        QTest::newRow("none") << -1.0 << -1.0 << QStringList{};
    }
    void conversionLine()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QStringList, words);
        tasks::Trim trim;
        if (start >= 0)
            trim.start = start;
        if (end >= 0)
            trim.end = end;
        const QStringList line = job::ConversionCommand("/v/in.mp4", "/t/0.mkv", test::divxOptions("320x240"), {}, std::nullopt, trim)
                                     .arguments();
        const QStringList plain = job::ConversionCommand("/v/in.mp4", "/t/0.mkv", test::divxOptions("320x240")).arguments();
        // The trim's words come after the fragment and -ofps, before -info.
        QStringList expected = plain;
        const qsizetype at = plain.indexOf("-info");
        for (qsizetype i = 0; i < words.size(); ++i)
            expected.insert(at + i, words.at(i));
        QCOMPARE(line, expected);
    }

    void exactSpans()
    {
        const test::TestFolder folder;
        const Trimmed joined = convertAndJoin(folder, MarkedClip::Picture::Numbered);
        QVERIFY2(joined.failed.isEmpty(), qPrintable(joined.failed));
        const QStringList &parts = joined.parts;
        const QList<double> rates{30, 30, 30, 30000.0 / 1001};
        for (qsizetype i = 0; i < parts.size(); ++i) {
            // The pictures whose times fall in [1.5 s, 3 s), each at least once, in order, and no other.
            const int first = int(std::ceil(Start * rates.at(i) - 1e-9));
            const int last = int(std::ceil(End * rates.at(i) - 1e-9)) - 1;
            QList<int> shown = test::frameNumbers(parts.at(i));
            QVERIFY2(!shown.isEmpty(), qPrintable(parts.at(i)));
            QCOMPARE(shown.constFirst(), first);
            QCOMPARE(shown.constLast(), last);
            QVERIFY2(std::is_sorted(shown.begin(), shown.end()), qPrintable(test::someNumbers(shown)));
            shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
            QCOMPARE(shown.size(), last - first + 1);
        }
        // The join lasts the four spans, within a frame a row.
        const double seconds = test::videoSeconds(joined.output);
        QVERIFY2(std::abs(seconds - 4 * (End - Start)) <= 4.0 / test::JobRate + 1e-6, qPrintable(QString::number(seconds)));
    }

    void flashesKeepTheirBeeps()
    {
        const test::TestFolder folder;
        const Trimmed joined = convertAndJoin(folder, MarkedClip::Picture::Flash);
        QVERIFY2(joined.failed.isEmpty(), qPrintable(joined.failed));
        const QList<double> flashes = test::flashTimes(joined.output);
        const QList<double> beeps = test::beepOnsets(joined.output);
        QCOMPARE(flashes.size(), 4);
        QCOMPARE(beeps.size(), 4);
        for (int i = 0; i < 4; ++i) {
            const double place = i * (End - Start) + (FlashAt - Start);
            QVERIFY2(std::abs(flashes.at(i) - place) <= 1.0 / test::JobRate + 1e-6,
                     qPrintable(QStringLiteral("flash %1 at %2 s, not %3 s").arg(i).arg(flashes.at(i)).arg(place)));
            QVERIFY2(std::abs(beeps.at(i) - flashes.at(i)) <= 0.020,
                     qPrintable(QStringLiteral("beep %1 at %2 s, its flash at %3 s").arg(i).arg(beeps.at(i)).arg(flashes.at(i))));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Trims)
#include "tst_trims.moc"
