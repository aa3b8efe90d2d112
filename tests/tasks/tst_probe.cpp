#include "platform/Error.h"
#include "support/Clips.h"
#include "support/InputKinds.h"
#include "support/TestFolder.h"
#include "tasks/InputTypes.h"
#include "tasks/MediaProbe.h"
#include "tasks/TimeText.h"

#include <QtTest>

#include <clocale>

using namespace velmora;
using velmora::test::ClipSpec;
using velmora::test::InputKind;
using velmora::test::TestFolder;

Q_DECLARE_METATYPE(velmora::test::ClipSpec)
Q_DECLARE_METATYPE(velmora::test::InputKind)

namespace {

// The text of the error the probe raises for the file; empty when it measured the file.
QString probeError(const QString &path)
{
    try {
        tasks::ProbeMedia(path);
    } catch (const velmora::Error &error) {
        return error.text();
    }
    return {};
}

} // namespace

class tst_Probe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Started from a shell without a language: file names must still reach the library whole.
        std::setlocale(LC_ALL, "C");
        tasks::UseUtf8FileNames(); // as the program does at start-up
    }

    void measuresRealClips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ClipSpec>("spec");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("size");
        ClipSpec video;
        video.seconds = 2;
        ClipSpec wide;
        wide.size = "480x270";
        wide.rate = 30;
        wide.seconds = 3;
        ClipSpec silent;
        silent.audio = false;
        ClipSpec audioOnly;
        audioOnly.video = false;
        QTest::newRow("video with sound") << "clip.avi" << video << 2.0 << "320x240";
        QTest::newRow("another size and rate") << "wide.mpg" << wide << 3.0 << "480x270";
        QTest::newRow("no sound") << "silent.avi" << silent << 1.0 << "320x240";
        QTest::newRow("sound only") << "tone.avi" << audioOnly << 1.0 << "x";
        QTest::newRow("blanks and other letters") << QString::fromUtf8("My Vidéo – 映像 clip.avi") << video << 2.0 << "320x240";
    }
    void measuresRealClips()
    {
        QFETCH(QString, name);
        QFETCH(ClipSpec, spec);
        QFETCH(double, seconds);
        QFETCH(QString, size);
        TestFolder folder;
        const QString path = test::copyClip(folder.file(name), spec);
        const tasks::ProbeResult probe = tasks::ProbeMedia(path);
        QCOMPARE(probe.size, size);
        const double measured = tasks::TimeTextToSeconds(probe.length);
        QVERIFY2(qAbs(measured - seconds) < 0.2, qPrintable(probe.length));
    }

    void everyInputExtensionHasAKindOfClip()
    {
        QStringList extensions;
        for (const InputKind &kind : test::inputKinds())
            extensions << kind.extension;
        QCOMPARE(extensions, tasks::InputExtensions());
    }

    void measuresEveryInputKind_data()
    {
        QTest::addColumn<InputKind>("kind");
        for (const InputKind &kind : test::inputKinds())
            QTest::newRow(qPrintable(kind.extension)) << kind;
    }
    void measuresEveryInputKind()
    {
        QFETCH(InputKind, kind);
        const QString clip = test::inputKindClip(kind);
        const tasks::ProbeResult probe = tasks::ProbeMedia(clip);
        QCOMPARE(probe.size, kind.size);
        const double measuredSeconds = tasks::TimeTextToSeconds(probe.length);
        QVERIFY2(qAbs(measuredSeconds - InputKind::Seconds) < 0.1, qPrintable(probe.length));
    }

    void unreadableFilesFail_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::newRow("zero bytes") << QByteArray("");
        QTest::newRow("text named .avi") << QByteArray("These are not the pictures you are looking for.\n");
        QTest::newRow("missing file") << QByteArray();
    }
    void unreadableFilesFail()
    {
        QFETCH(QByteArray, content);
        TestFolder folder;
        const QString path = folder.file("broken.avi");
        if (!content.isNull())
            folder.write("broken.avi", content);
        QCOMPARE(probeError(path), QString("'' is not a valid floating point value"));
    }
};

QTEST_GUILESS_MAIN(tst_Probe)
#include "tst_probe.moc"
