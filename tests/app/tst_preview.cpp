#include "app/AppRun.h"
#include "app/Preview.h"
#include "app/TrimSlider.h"
#include "support/ClipCache.h"
#include "support/FakeSeams.h"
#include "support/InputKinds.h"
#include "tasks/TimeText.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QVideoWidget>

using namespace velmora;
using velmora::test::AppRun;
using velmora::test::FakeSeams;
using velmora::test::TestFolder;

namespace {

// 3 s of 30 fps H.264 with a key picture every second, and a tone.
QString keyedClip()
{
    return test::ffmpegClip("preview-g30.mp4", {"-f", "lavfi", "-i", "testsrc2=s=320x240:r=30:d=3", "-f", "lavfi", "-i", "sine=d=3",
                                                "-c:v", "libx264", "-g", "30", "-keyint_min", "30", "-sc_threshold", "0", "-pix_fmt",
                                                "yuv420p", "-c:a", "aac"});
}

// The same in an MPEG transport stream, whose clock starts 1.4 s before its first picture.
QString keyedTransportStream()
{
    return test::ffmpegClip("preview-g30.ts", {"-f", "lavfi", "-i", "testsrc2=s=320x240:r=30:d=3", "-f", "lavfi", "-i", "sine=d=3",
                                               "-c:v", "mpeg2video", "-g", "30", "-c:a", "mp2"});
}

// The keyed clip shown in a preview of its own and active, so that its keys work.
bool showKeyedClip(app::TPreviewForm &preview, bool copying = false)
{
    preview.open(keyedClip(), 3.0, std::nullopt, std::nullopt, copying);
    return QTest::qWaitForWindowActive(&preview);
}

template<typename T = QWidget>
T *control(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("No %s in the preview", name);
    return found;
}

// Moves the position as the user drags the slider: the player seeks there.
void seek(app::TPreviewForm &preview, int milliseconds)
{
    control<QSlider>(&preview, "sldPosition")->setValue(milliseconds);
}

std::optional<double> argument(const QList<QVariant> &signal, int index)
{
    return signal.at(index).value<std::optional<double>>();
}

// -1 in a table is "none".
std::optional<double> given(double seconds)
{
    return seconds == -1.0 ? std::nullopt : std::optional<double>(seconds);
}

} // namespace

class tst_Preview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensFromTheMainWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("toolbar") << "toolbar";
        QTest::newRow("context menu") << "menu";
        QTest::newRow("double-click on the row") << "double-click";
        QTest::newRow("Enter on the list") << "enter";
    }
    void opensFromTheMainWindow()
    {
        QFETCH(QString, how);
        FakeSeams seams;
        TestFolder folder;
        QStringList paths;
        for (const QString name : {"first.mp4", "second.mp4"}) {
            paths << folder.file(name);
            QVERIFY(QFile::copy(keyedClip(), paths.constLast()));
        }
        AppRun run(folder, paths);
        QTreeWidget *list = run.list();
        QVERIFY(!run.action("tbtnPreview")->isEnabled());
        if (how == "double-click") {
            // A double-click's first press selects the row under it.
            const QPoint row = list->visualItemRect(list->topLevelItem(1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        } else {
            list->setCurrentItem(list->topLevelItem(1));
            QVERIFY(run.action("tbtnPreview")->isEnabled());
            if (how == "toolbar") {
                run.action("tbtnPreview")->trigger();
            } else if (how == "menu") {
                run.main().ppmTaskPopup();
                QAction *entry = run.main().ppmTask()->findChild<QAction *>("ppmPreview");
                QVERIFY(entry->isEnabled());
                entry->trigger();
            } else {
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Return);
            }
        }
        app::TPreviewForm *preview = run.main().previewForm();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QVERIFY(!run.main().isEnabled());
        QCOMPARE(preview->path(), paths.at(1));
        QCOMPARE(preview->player().source(), QUrl::fromLocalFile(paths.at(1)));
        QCOMPARE(preview->windowTitle(), QString("Preview - second.mp4"));
        QVERIFY(seams.shell.opened.isEmpty());
        QVERIFY(seams.messages.shown.isEmpty());

        QTest::keyClick(preview, Qt::Key_Escape);
        QVERIFY(!preview->isVisible());
        QVERIFY(run.main().isEnabled());
        QCOMPARE(preview->player().playbackState(), QMediaPlayer::StoppedState);
    }

    void everyKindOfFilePlays_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<bool>("sound");
        for (const test::InputKind &kind : test::inputKinds())
            QTest::newRow(qPrintable(kind.extension)) << test::inputKindClip(kind) << (kind.sampleRate > 0);
    }
    void everyKindOfFilePlays()
    {
        QFETCH(QString, clip);
        QFETCH(bool, sound);
        app::TPreviewForm preview(nullptr);
        // The player found its demuxer and decoders when it loads the clip before the window shows
        // an error. (Some readers complain at the very end of a file; that comes after.)
        bool loaded = false;
        connect(&preview.player(), &QMediaPlayer::mediaStatusChanged, this,
                [&loaded](QMediaPlayer::MediaStatus status) { loaded = loaded || status == QMediaPlayer::LoadedMedia; });
        preview.open(clip, test::InputKind::Seconds, std::nullopt, std::nullopt, false);
        auto *status = control<QLabel>(&preview, "lblStatus");
        QTRY_VERIFY_WITH_TIMEOUT(loaded || !status->text().isEmpty(), 20000);
        QVERIFY2(loaded, qPrintable(status->text()));
        // The tracks are told apart a moment after the clip loads, on a busy machine later still.
        QTRY_VERIFY_WITH_TIMEOUT(preview.player().hasVideo() || clip.endsWith(".y4m"), 10000);
        // Qt 6.4's GStreamer backend now and then loads a raw y4m clip without linking its
        // picture; the other kinds must always show one.
        if (!preview.player().hasVideo())
            QSKIP("the GStreamer backend loaded the y4m clip without its picture this time");
        QTRY_COMPARE_WITH_TIMEOUT(preview.player().hasAudio(), sound, 10000);
    }

    void timeStartsAtTheFirstPicture_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::newRow("mp4") << keyedClip();
        QTest::newRow("transport stream") << keyedTransportStream();
    }
    void timeStartsAtTheFirstPicture()
    {
        QFETCH(QString, clip);
        app::TPreviewForm preview(nullptr);
        double latest = -1; // the latest position the window showed while playing
        connect(&preview.player(), &QMediaPlayer::positionChanged, this, [&] {
            if (preview.player().mediaStatus() != QMediaPlayer::EndOfMedia)
                latest = tasks::TimeTextToSeconds(control<QLabel>(&preview, "lblTime")->text().section(" / ", 0, 0));
        });
        preview.open(clip, 3.0, std::nullopt, std::nullopt, false);
        QTRY_COMPARE_WITH_TIMEOUT(preview.player().mediaStatus(), QMediaPlayer::EndOfMedia, 20000);
        // Played to its end, and not past it: the clock of a transport stream starts 0.7 s before
        // its first picture, as ffmpeg writes it.
        QVERIFY2(latest > 2.5 && latest <= 3.05, qPrintable(QString::number(latest)));
        // A key picture's time is where the slider shows it.
        QTRY_VERIFY(preview.keyPictures());
        QCOMPARE(preview.keyPictures()->times, (std::vector<double>{0.0, 1.0, 2.0}));
    }

    void everyControlIsNamedForTheKeyboardAndScreenReaders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("accessibleName");
        const int button = QAccessible::Button;
        QTest::newRow("play") << "btnPlay" << button << "Pause"; // playing
        QTest::newRow("back") << "btnStepBack" << button << "One Picture Back";
        QTest::newRow("forward") << "btnStepForward" << button << "One Picture Forward";
        QTest::newRow("set start") << "btnSetStart" << button << "Set Start";
        QTest::newRow("set end") << "btnSetEnd" << button << "Set End";
        QTest::newRow("clear") << "btnClear" << button << "Clear";
        QTest::newRow("close") << "btnClose" << button << "Close";
        QTest::newRow("position") << "sldPosition" << int(QAccessible::Slider) << "Position";
        QTest::newRow("volume") << "sldVolume" << int(QAccessible::Slider) << "Volume";
    }
    void everyControlIsNamedForTheKeyboardAndScreenReaders()
    {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, accessibleName);
        app::TPreviewForm preview(nullptr);
        preview.open(keyedClip(), 3.0, 1.0, std::nullopt, false); // a start, so that Clear is enabled
        auto *widget = preview.findChild<QWidget *>(name);
        QVERIFY(widget);
        QTRY_COMPARE(widget->accessibleName(), accessibleName);
        QCOMPARE(int(QAccessible::queryAccessibleInterface(widget)->role()), role);
        QVERIFY(widget->isEnabled());
        QVERIFY(widget->focusPolicy() & Qt::TabFocus);
        // And nothing in the window goes without a name.
        for (QWidget *child : preview.findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractButton *>(child) || qobject_cast<QAbstractSlider *>(child) || qobject_cast<QLabel *>(child)
                || qobject_cast<QVideoWidget *>(child))
                QVERIFY2(!child->objectName().isEmpty() && !child->accessibleName().isEmpty(), child->metaObject()->className());
        }
    }

    void spaceTogglesPlaying()
    {
        app::TPreviewForm preview(nullptr);
        QVERIFY(showKeyedClip(preview));
        QCOMPARE(preview.player().playbackState(), QMediaPlayer::PlayingState);
        // Wherever the focus is: here on a button, which Space would otherwise press.
        control(&preview, "btnSetEnd")->setFocus();
        QTest::keyClick(&preview, Qt::Key_Space);
        QCOMPARE(preview.player().playbackState(), QMediaPlayer::PausedState);
        QCOMPARE(control<QPushButton>(&preview, "btnPlay")->text(), QString("Play"));
        QTest::keyClick(&preview, Qt::Key_Space);
        QCOMPARE(preview.player().playbackState(), QMediaPlayer::PlayingState);
        QCOMPARE(control<QPushButton>(&preview, "btnPlay")->text(), QString("Pause"));
    }

    void stepsOnePicture_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("Right") << int(Qt::Key_Right) << 1033;
        QTest::newRow("period") << int(Qt::Key_Period) << 1033;
        QTest::newRow("Left") << int(Qt::Key_Left) << 967;
        QTest::newRow("comma") << int(Qt::Key_Comma) << 967;
    }
    void stepsOnePicture()
    {
        QFETCH(int, key);
        QFETCH(int, milliseconds);
        app::TPreviewForm preview(nullptr);
        QVERIFY(showKeyedClip(preview));
        QTRY_VERIFY(preview.keyPictures()); // with them the clip's picture rate
        preview.player().pause();
        seek(preview, 1000);
        QTest::keyClick(&preview, Qt::Key(key));
        QCOMPARE(control<QSlider>(&preview, "sldPosition")->value(), milliseconds);
        QCOMPARE(control<QLabel>(&preview, "lblTime")->text(), QString("0:00:0%1 / 0:00:03.000").arg(milliseconds / 1000.0, 0, 'f', 3));
        QCOMPARE(preview.player().playbackState(), QMediaPlayer::PausedState);
    }

    void keysSetTheKeptPart_data()
    {
        QTest::addColumn<QStringList>("steps"); // a number seeks there (ms), I and O are keys, "clear" the button
        QTest::addColumn<int>("signals");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("refused");
        QTest::newRow("start") << QStringList{"500", "I"} << 1 << 0.5 << -1.0 << false;
        QTest::newRow("end") << QStringList{"2000", "O"} << 1 << -1.0 << 2.0 << false;
        QTest::newRow("start and end") << QStringList{"500", "I", "2000", "O"} << 2 << 0.5 << 2.0 << false;
        QTest::newRow("clear") << QStringList{"500", "I", "2000", "O", "clear"} << 3 << -1.0 << -1.0 << false;
        QTest::newRow("start at the beginning is the whole clip") << QStringList{"500", "I", "0", "I"} << 2 << -1.0 << -1.0 << false;
        QTest::newRow("end before the start") << QStringList{"1500", "I", "1000", "O"} << 1 << 1.5 << -1.0 << true;
        QTest::newRow("start after the end") << QStringList{"1000", "O", "1500", "I"} << 1 << -1.0 << 1.0 << true;
    }
    void keysSetTheKeptPart()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, signals);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(bool, refused);
        app::TPreviewForm preview(nullptr);
        QVERIFY(showKeyedClip(preview));
        preview.player().pause();
        QSignalSpy chosen(&preview, &app::TPreviewForm::trimChosen);
        // No events between the steps: the player's own position cannot come in between.
        for (const QString &step : steps) {
            if (step == "I" || step == "O")
                QTest::keyClick(&preview, step == "I" ? Qt::Key_I : Qt::Key_O);
            else if (step == "clear")
                QTest::mouseClick(control<QPushButton>(&preview, "btnClear"), Qt::LeftButton);
            else
                seek(preview, step.toInt());
        }
        QCOMPARE(chosen.count(), signals);
        QCOMPARE(chosen.last().at(0).toString(), keyedClip());
        QCOMPARE(argument(chosen.last(), 1), given(start));
        QCOMPARE(argument(chosen.last(), 2), given(end));
        QCOMPARE(preview.trim(), tasks::Trim({given(start), given(end)}));
        QCOMPARE(!control<QLabel>(&preview, "lblStatus")->text().isEmpty(), refused);
    }

    void copyProfileStartsAtAKeyPicture_data()
    {
        QTest::addColumn<bool>("copying");
        QTest::addColumn<int>("moment");
        QTest::addColumn<double>("start");
        QTest::addColumn<QString>("note");
        const QString copyNote = "This profile joins without re-encoding: a clip can only start at a key picture (marked under the slider).";
        QTest::newRow("re-encoding: anywhere") << false << 1500 << 1.5 << QString();
        QTest::newRow("copying: back to the key picture")
            << true << 1500 << 1.0
            << "The start moved back from 0:00:01.500 to the key picture at 0:00:01.000: without re-encoding a clip can only start at a "
               "key picture.";
        QTest::newRow("copying: on a key picture") << true << 2000 << 2.0 << copyNote;
    }
    void copyProfileStartsAtAKeyPicture()
    {
        QFETCH(bool, copying);
        QFETCH(int, moment);
        QFETCH(double, start);
        QFETCH(QString, note);
        app::TPreviewForm preview(nullptr);
        QVERIFY(showKeyedClip(preview, copying));
        QTRY_VERIFY(preview.keyPictures());
        QCOMPARE(control<app::TrimSlider>(&preview, "sldPosition")->keyMarks(), (std::vector<int>{0, 1000, 2000}));
        preview.player().pause();
        QSignalSpy chosen(&preview, &app::TPreviewForm::trimChosen);
        seek(preview, moment);
        QTest::keyClick(&preview, Qt::Key_I);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(argument(chosen.last(), 1), std::optional<double>(start));
        QCOMPARE(control<QLabel>(&preview, "lblKeyNote")->text(), note);
    }

    void startWaitsForTheKeyPictures()
    {
        app::TPreviewForm preview(nullptr);
        QSignalSpy chosen(&preview, &app::TPreviewForm::trimChosen);
        preview.open(keyedClip(), 3.0, std::nullopt, std::nullopt, true);
        preview.player().pause();
        // The search runs on its own thread and reports through the event loop, which has not run yet.
        seek(preview, 2500);
        QTest::mouseClick(control<QPushButton>(&preview, "btnSetStart"), Qt::LeftButton);
        QCOMPARE(chosen.count(), 0);
        QVERIFY(control<QLabel>(&preview, "lblKeyNote")->text().startsWith("The start goes to the key picture at or before 0:00:02.500"));
        QTRY_COMPARE(chosen.count(), 1);
        QCOMPARE(argument(chosen.last(), 1), std::optional<double>(2.0));
    }

    void trimsGoBackToTheMainWindow()
    {
        FakeSeams seams;
        TestFolder folder;
        const QString path = folder.file("clip.mp4");
        QVERIFY(QFile::copy(keyedClip(), path));
        AppRun run(folder, {path});
        run.list()->setCurrentItem(run.list()->topLevelItem(0));
        run.action("tbtnPreview")->trigger();
        app::TPreviewForm *preview = run.main().previewForm();
        QTRY_COMPARE(QApplication::activeWindow(), preview);
        preview->player().pause();
        seek(*preview, 500);
        QSignalSpy chosen(preview, &app::TPreviewForm::trimChosen);
        QTest::keyClick(preview, Qt::Key_I);
        QCOMPARE(run.main().rowTrim(0), tasks::Trim({0.5, std::nullopt}));
        // The row keeps it: its Length is the part kept, with the span in its tooltip.
        QCOMPARE(run.list()->topLevelItem(0)->text(1), QString("00:00:02.5"));
        QVERIFY2(run.list()->topLevelItem(0)->toolTip(1).startsWith("Trimmed: 00:00:00.500 to 00:00:03.000 of "),
                 qPrintable(run.list()->topLevelItem(0)->toolTip(1)));
        preview->close();

        // Shown again, the row keeps its part.
        run.action("tbtnPreview")->trigger();
        QCOMPARE(preview->trim(), tasks::Trim({0.5, std::nullopt}));
        QCOMPARE(control<QLabel>(preview, "lblTrim")->text(), QString("Keeps 0:00:00.500 to 0:00:03.000 (0:00:02.500)"));
        QTest::mouseClick(control<QPushButton>(preview, "btnClear"), Qt::LeftButton);
        QCOMPARE(run.main().rowTrim(0), tasks::Trim());
        QVERIFY(run.list()->topLevelItem(0)->toolTip(1).isEmpty());
    }

    void copyingFollowsTheSelectedProfile_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("copying");
        QTest::newRow("re-encoding") << "Small Files for the Web.bpf" << false;
        QTest::newRow("copying") << "Same as the Inputs - No Re-encoding (fastest).bpf" << true;
    }
    void copyingFollowsTheSelectedProfile()
    {
        QFETCH(QString, profile);
        QFETCH(bool, copying);
        FakeSeams seams;
        TestFolder folder;
        folder.mkdir("Profiles");
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/") + profile, folder.file("Profiles/" + profile)));
        AppRun run(folder, {keyedClip()});
        QCOMPARE(run.main().selectedProfileCopies(), copying);
        run.list()->setCurrentItem(run.list()->topLevelItem(0));
        run.action("tbtnPreview")->trigger();
        QCOMPARE(!control<QLabel>(run.main().previewForm(), "lblKeyNote")->text().isEmpty(), copying);
    }
};

QTEST_MAIN(tst_Preview)
#include "tst_preview.moc"
