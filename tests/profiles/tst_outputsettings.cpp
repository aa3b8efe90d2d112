#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "support/FakeSeams.h"
#include "support/ProfileText.h"
#include "support/TestFolder.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace velmora;
using velmora::profiles::Section;
using velmora::test::FakeSeams;
using velmora::test::ProfileText;
using velmora::test::TestFolder;

namespace {

// The dialog over a stand-in main window, with one profile loaded.
struct Dialog
{
    explicit Dialog(const QByteArray &profile = ProfileText::complete().bytes())
        : form(&main)
    {
        main.show();
        path = folder.write("Profiles/Test.bpf", profile);
        form.LoadProfile(path);
    }

    template<typename T = QWidget>
    T *child(const char *name) { return form.findChild<T *>(QLatin1String(name)); }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }
    bool shown(const char *name) { return child(name)->isVisibleTo(&form); }
    QString description() { return child<QPlainTextEdit>("memDescription")->toPlainText(); }

    // As the user picks an entry.
    void pick(const char *name, int index)
    {
        combo(name)->setCurrentIndex(index);
        Q_EMIT combo(name)->activated(index);
    }

    void open()
    {
        form.present();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    TestFolder folder;
    QWidget main;
    profiles::TopSettingForm form;
    QString path;
};

} // namespace

class tst_OutputSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadFillsEveryList()
    {
        Dialog d(ProfileText::complete().line("[Main]").line("Type=mp4").bytes());
        QCOMPARE(d.form.outputExtension(), QString(".avi")); // the first Main section counts
        QCOMPARE(d.form.profilePath(), d.path);
        QCOMPARE(d.combo("cmbVcodec")->count(), 2);
        QCOMPARE(d.combo("cmbVcodec")->currentText(), QString("MPEG-4"));
        QCOMPARE(d.combo("cmbVbitrate")->currentText(), QString("1200"));
        QCOMPARE(d.combo("cmbChannels")->currentIndex(), 1);
        QCOMPARE(d.form.currentText(Section::SampleRate), QString("44100"));
        QVERIFY(d.combo("cmbVbitrate")->isEditable());
        QVERIFY(!d.combo("cmbVcodec")->isEditable());
        QCOMPARE(d.combo("cmbAspect")->toolTip(), QString("Aspect"));
        QCOMPARE(d.combo("cmbBitrate")->toolTip(), QString("ABR CBR Bitrate"));
    }

    void outputExtensionFromType()
    {
        TestFolder folder;
        QWidget main;
        profiles::TopSettingForm form(&main);
        QCOMPARE(form.outputExtension(), QString());
        form.LoadProfile(folder.write("a.bpf", "[Main]\r\nType=mp4\r\n"));
        QCOMPARE(form.outputExtension(), QString(".mp4"));
        form.LoadProfile(folder.write("b.bpf", "[Other]\r\n"));
        QCOMPARE(form.outputExtension(), QString(".avi"));
        form.LoadProfile(folder.file("missing.bpf")); // changes nothing
        QCOMPARE(form.profilePath(), folder.file("b.bpf"));
    }

    void sectionContents_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("text");
        QTest::newRow("index past the items")
            << QByteArray("Items=3\r\nCaption0=a\r\nCaption1=b\r\nCaption2=c\r\nIndex=5\r\n") << QStringList{"a", "b", "c"} << -1 << "";
        QTest::newRow("index -1") << QByteArray("Items=2\r\nCaption0=a\r\nCaption1=b\r\nIndex=-1\r\n") << QStringList{"a", "b"} << -1 << "";
        QTest::newRow("no index") << QByteArray("Items=1\r\nCaption0=a\r\n") << QStringList{"a"} << -1 << "";
        QTest::newRow("more items than captions")
            << QByteArray("Items=3\r\nCaption1=b\r\nIndex=2\r\n") << QStringList{"", "b", ""} << 2 << "";
        QTest::newRow("items not a number") << QByteArray("Items=three\r\nCaption0=a\r\nIndex=0\r\n") << QStringList{} << -1 << "";
        QTest::newRow("names ignore case") << QByteArray("ITEMS=2\r\ncaption0=a\r\nCAPTION1=b\r\nindex=1\r\n") << QStringList{"a", "b"} << 1 << "b";
        QTest::newRow("hexadecimal index") << QByteArray("Items=2\r\nCaption0=a\r\nCaption1=b\r\nIndex=0x1\r\n") << QStringList{"a", "b"} << 1 << "b";
        QTest::newRow("missing section") << QByteArray() << QStringList{} << -1 << "";
    }
    void sectionContents()
    {
        QFETCH(QByteArray, section);
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        QFETCH(QString, text);
        Dialog d(section.isNull() ? QByteArray("[Main]\r\n") : "[Video Bitrate]\r\n" + section);
        QComboBox *list = d.combo("cmbVbitrate"); // an editable list: its field shows the selection
        QStringList listed;
        for (int i = 0; i < list->count(); ++i)
            listed << list->itemText(i);
        QCOMPARE(listed, entries);
        QCOMPARE(list->currentIndex(), selected);
        QCOMPARE(list->currentText(), text);
    }

    void secondProfileKeepsTheSizeChoice()
    {
        FakeSeams seams;
        Dialog d;
        d.child<QRadioButton>("rdbManualSize")->setChecked(true);
        d.child<QLineEdit>("edtWidth")->setText("400");
        d.child<QLineEdit>("edtHeight")->setText("300");
        d.form.LoadProfile(d.folder.write("Profiles/Other.bpf",
                                          ProfileText().section("Video Codec", {"FLV"}, 0, {"flv"}).bytes()));
        QCOMPARE(d.combo("cmbVcodec")->currentText(), QString("FLV"));
        QCOMPARE(d.combo("cmbVideoSize")->count(), 0);
        QVERIFY(d.child<QRadioButton>("rdbManualSize")->isChecked());
        QCOMPARE(d.form.manualWidth(), QString("400"));
        QCOMPARE(d.form.manualHeight(), QString("300"));
        QVERIFY(!d.form.sizeFromList());
    }

    void panelsFollowTheLoadedSelections_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("mp3Panel");
        QTest::addColumn<bool>("qualityList");
        QTest::newRow("MP3, VBR") << "MP3" << 0 << true << true;
        QTest::newRow("MP3, ABR") << "MP3" << 1 << true << false;
        QTest::newRow("MP3, no mode") << "MP3" << -1 << true << false;
        QTest::newRow("PCM") << "PCM" << 0 << false << true;
        QTest::newRow("small letters are not MP3") << "mp3" << 0 << false << true;
    }
    void panelsFollowTheLoadedSelections()
    {
        QFETCH(QString, codec);
        QFETCH(int, mode);
        QFETCH(bool, mp3Panel);
        QFETCH(bool, qualityList);
        Dialog d(ProfileText()
                     .section("Audio Codec", {codec}, 0, {"x"}, "Audio.")
                     .section("MP3 Encode", {"VBR", "ABR"}, mode, {"vbr", "abr"}, "Modes of MP3.")
                     .bytes());
        QCOMPARE(d.shown("panMP3"), mp3Panel);
        QCOMPARE(d.shown("panLavc"), !mp3Panel);
        // Inside the MP3 panel, shown or not, one pair holds the place.
        QCOMPARE(!d.child("cmbQuality")->isHidden(), qualityList);
        QCOMPARE(!d.child("labQuality")->isHidden(), qualityList);
        QCOMPARE(!d.child("cmbBitrate")->isHidden(), !qualityList);
        QCOMPARE(!d.child("labBitrate")->isHidden(), !qualityList);
        // The MP3 mode rule came last, so its section describes itself.
        QCOMPARE(d.description(), "Modes of MP3.\nCurrent Value: " + d.combo("cmbEncodeTo")->currentText());
    }

    void okChecks_data()
    {
        QTest::addColumn<QStringList>("edits"); // "name=text" for fields, "manual" for the manual size
        QTest::addColumn<QString>("title");     // "" when the dialog closes
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::newRow("as loaded") << QStringList{} << "" << "" << "";
        QTest::newRow("hexadecimal bitrate") << QStringList{"cmbVbitrate=$4B0"} << "" << "" << "";
        QTest::newRow("negative bitrate") << QStringList{"cmbVbitrate=-100"} << "" << "" << "";
        QTest::newRow("zero bitrate") << QStringList{"cmbVbitrate=0"} << "" << "" << "";
        QTest::newRow("bitrate with a blank after")
            << QStringList{"cmbVbitrate=1200 "} << "Invalid Video Bitrate" << "The video bitrate is invalid." << "cmbVbitrate";
        QTest::newRow("list size ignores the fields") << QStringList{"edtWidth=", "edtHeight=x"} << "" << "" << "";
        QTest::newRow("manual, empty width")
            << QStringList{"manual", "edtWidth=", "edtHeight=300"} << "Invalid Width" << "The output width is invalid." << "edtWidth";
        QTest::newRow("manual, bad height")
            << QStringList{"manual", "edtWidth=400", "edtHeight=3OO"} << "Invalid Height" << "The output height is invalid." << "edtHeight";
        QTest::newRow("manual, both fine") << QStringList{"manual", "edtWidth=400", "edtHeight=300"} << "" << "" << "";
        QTest::newRow("sample rate")
            << QStringList{"cmbSrate=44.1k"} << "Invalid Sample Rate" << "The sample rate is invalid." << "cmbSrate";
        QTest::newRow("checks in order")
            << QStringList{"cmbVbitrate=fast", "cmbSrate=high"} << "Invalid Video Bitrate" << "The video bitrate is invalid." << "cmbVbitrate";
        QTest::newRow("audio bitrate under PCM")
            << QStringList{"codec=1", "cmbAbitrate=loud"} << "Invalid Audio Bitrate" << "The Audio bitrate is invalid." << "cmbAbitrate";
        QTest::newRow("audio bitrate under MP3: the codec list takes the focus")
            << QStringList{"cmbAbitrate=loud"} << "Invalid Audio Bitrate" << "The Audio bitrate is invalid." << "cmbAcodec";
        QTest::newRow("MP2 at 128") << QStringList{"codec=2", "cmbAbitrate=128"} << "" << "" << "";
        QTest::newRow("MP2 above 128")
            << QStringList{"codec=2", "cmbAbitrate=160"} << "Invalid Audio Bitrate"
            << "The maximum value of audio bitrate for MP2 codec is 128" << "cmbAbitrate";
        QTest::newRow("320 under another codec") << QStringList{"codec=1", "cmbAbitrate=320"} << "" << "" << "";
    }
    void okChecks()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        FakeSeams seams;
        Dialog d;
        d.combo("cmbAcodec")->addItem("MP2");
        d.open();
        for (const QString &edit : edits) {
            const QString name = edit.section('=', 0, 0);
            const QString value = edit.section('=', 1);
            if (edit == "manual")
                d.child<QRadioButton>("rdbManualSize")->setChecked(true);
            else if (name == "codec")
                d.pick("cmbAcodec", value.toInt());
            else if (auto *combo = d.combo(qPrintable(name)))
                combo->setEditText(value);
            else
                d.child<QLineEdit>(qPrintable(name))->setText(value);
        }
        d.child<QPushButton>("btnOK")->click();
        if (title.isEmpty()) {
            QVERIFY(seams.messages.shown.isEmpty());
            QVERIFY(!d.form.isVisible());
            QVERIFY(d.main.isEnabled());
            return;
        }
        QCOMPARE(seams.messages.shown.size(), 1);
        QCOMPARE(seams.messages.shown.at(0).kind, test::ShownMessage::Notice);
        QCOMPARE(seams.messages.shown.at(0).title, title);
        QCOMPARE(seams.messages.shown.at(0).text, text);
        QVERIFY(d.form.isVisible());
        QCOMPARE(d.form.focusWidget(), d.child(qPrintable(focus)));
    }

    void mp2LimitSetsTheFieldAndASecondOkCloses()
    {
        FakeSeams seams;
        Dialog d;
        d.combo("cmbAcodec")->addItem("MP2");
        d.open();
        d.pick("cmbAcodec", 2);
        d.combo("cmbAbitrate")->setEditText("160");
        d.child<QPushButton>("btnOK")->click();
        QCOMPARE(d.combo("cmbAbitrate")->currentText(), QString("128"));
        QVERIFY(d.form.isVisible());
        d.child<QPushButton>("btnOK")->click();
        QVERIFY(!d.form.isVisible());
        QCOMPARE(seams.messages.shown.size(), 1);
    }

    void cancelPutsBackWhatTheDialogHeld()
    {
        FakeSeams seams;
        Dialog d;
        d.open();
        d.child<QRadioButton>("rdbManualSize")->setChecked(true);
        d.child<QLineEdit>("edtWidth")->setText("123");
        d.pick("cmbAcodec", 1); // PCM: the MP3 panel goes
        QVERIFY(!d.shown("panMP3"));
        d.pick("cmbVcodec", 1);
        d.pick("cmbEncodeTo", 2);
        d.combo("cmbVbitrate")->setEditText("999");
        d.combo("cmbSrate")->setEditText("8000");
        d.child<QPushButton>("btnCancel")->click();
        QVERIFY(!d.form.isVisible());
        QVERIFY(d.main.isEnabled());
        QVERIFY(d.child<QRadioButton>("rdbSelectSize")->isChecked());
        QVERIFY(!d.child<QRadioButton>("rdbManualSize")->isChecked());
        QCOMPARE(d.form.manualWidth(), QString());
        QCOMPARE(d.combo("cmbAcodec")->currentText(), QString("MP3"));
        QVERIFY(d.shown("panMP3"));
        QVERIFY(d.shown("cmbQuality"));
        QCOMPARE(d.combo("cmbVcodec")->currentIndex(), 0);
        QCOMPARE(d.combo("cmbEncodeTo")->currentIndex(), 0);
        QCOMPARE(d.combo("cmbVbitrate")->currentText(), QString("1200"));
        QCOMPARE(d.combo("cmbSrate")->currentText(), QString("44100"));

        // Each showing takes a new snapshot.
        d.open();
        d.pick("cmbChannels", 0);
        d.child<QPushButton>("btnOK")->click();
        d.open();
        d.pick("cmbChannels", 1);
        d.child<QPushButton>("btnCancel")->click();
        QCOMPARE(d.combo("cmbChannels")->currentIndex(), 0);
    }

    void returnInATypedInListAddsNoEntry_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"cmbVbitrate", "cmbAbitrate", "cmbBitrate", "cmbSrate"})
            QTest::newRow(name) << QString(name);
    }
    void returnInATypedInListAddsNoEntry()
    {
        QFETCH(QString, name);
        FakeSeams seams;
        Dialog d;
        d.open();
        d.pick("cmbEncodeTo", 2); // the ABR CBR list shows
        QComboBox *list = d.combo(qPrintable(name));
        const int count = list->count();
        const int index = list->currentIndex();
        list->setFocus();
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), "999");
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        QCOMPARE(list->count(), count);
        QCOMPARE(list->currentIndex(), index);
        QCOMPARE(list->currentText(), QString("999"));
    }

    void cancelPutsBackWhatTheJobReads_data()
    {
        QTest::addColumn<int>("section");
        for (const Section section : profiles::AllSections)
            QTest::newRow(qPrintable(profiles::sectionName(section))) << int(section);
    }
    void cancelPutsBackWhatTheJobReads()
    {
        QFETCH(int, section);
        FakeSeams seams;
        QFile shipped(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/Flash-Style Video.bpf"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        Dialog d(shipped.readAll());
        const auto options = [&d] {
            return profiles::GetEncoderOptions(d.form, d.path).text() + " / " + profiles::GetOutputSize(d.form, d.path);
        };
        const QString before = options();
        d.open();
        QComboBox *list = d.form.list(Section(section));
        const int index = list->currentIndex();
        const QString text = list->currentText();
        const int other = (index + 1) % list->count();
        list->setCurrentIndex(other);
        Q_EMIT list->activated(other);
        if (list->isEditable())
            list->setEditText("777");
        d.child<QPushButton>("btnCancel")->click();
        QCOMPARE(options(), before);
        QCOMPARE(list->currentIndex(), index);
        QCOMPARE(list->currentText(), text);
    }

    void cancelPutsBackTheSizeFields_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"rdbSelectSize", "rdbManualSize", "edtWidth", "edtHeight"})
            QTest::newRow(name) << QString(name);
    }
    void cancelPutsBackTheSizeFields()
    {
        QFETCH(QString, name);
        FakeSeams seams;
        Dialog d;
        d.child<QRadioButton>("rdbManualSize")->setChecked(true);
        d.child<QLineEdit>("edtWidth")->setText("400");
        d.child<QLineEdit>("edtHeight")->setText("300");
        const auto fields = [&d] {
            return QStringList{d.form.sizeFromList() ? "list" : "-",
                               d.child<QRadioButton>("rdbManualSize")->isChecked() ? "manual" : "-", d.form.manualWidth(),
                               d.form.manualHeight()};
        };
        const QStringList before = fields();
        d.open();
        if (auto *edit = d.child<QLineEdit>(qPrintable(name)))
            edit->setText("1");
        else if (name == "rdbManualSize") // a checked radio button is only cleared by checking another
            d.child<QRadioButton>("rdbSelectSize")->setChecked(true);
        else
            d.child<QRadioButton>(qPrintable(name))->setChecked(true);
        QVERIFY(fields() != before);
        d.child<QPushButton>("btnCancel")->click();
        QCOMPARE(fields(), before);
    }

    void eachListDescribesItsOwnSection_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("section"); // as profile files name it
        QTest::newRow("cmbVcodec") << "cmbVcodec" << "Video Codec";
        QTest::newRow("cmbVideoSize") << "cmbVideoSize" << "Video Size";
        QTest::newRow("cmbVbitrate") << "cmbVbitrate" << "Video Bitrate";
        QTest::newRow("cmbAspect") << "cmbAspect" << "Aspect";
        QTest::newRow("cmbAcodec") << "cmbAcodec" << "Audio Codec";
        QTest::newRow("cmbEncodeTo") << "cmbEncodeTo" << "MP3 Encode";
        QTest::newRow("cmbQuality") << "cmbQuality" << "VBR Quality";
        QTest::newRow("cmbBitrate") << "cmbBitrate" << "ABR CBR Bitrate";
        QTest::newRow("cmbAbitrate") << "cmbAbitrate" << "Audio Bitrate";
        QTest::newRow("cmbSrate") << "cmbSrate" << "Sample Rate";
        QTest::newRow("cmbChannels") << "cmbChannels" << "Channels";
    }
    void eachListDescribesItsOwnSection()
    {
        QFETCH(QString, list);
        QFETCH(QString, section);
        FakeSeams seams;
        // Every section of the profile has a description of its own.
        ProfileText profile;
        for (const Section each : profiles::AllSections) {
            const QString name = profiles::sectionName(each);
            profile.section(name, {name + " 0", name + " 1"}, 0, {}, "About " + name + ".");
        }
        Dialog d(profile.bytes());
        QCOMPARE(d.combo(qPrintable(list))->currentText(), section + " 0"); // loaded from its own section
        d.open();
        d.pick(qPrintable(list), 1);
        QCOMPARE(d.description(), "About " + section + ".\nCurrent Value: " + section + " 1");
    }

    void enormousItemsCount()
    {
        // A list is cut at a thousand entries, and the load reads the file once: a count of
        // two billion once kept the program from starting.
        FakeSeams seams;
        Dialog d(ProfileText::complete().line("[Video Codec]").bytes());
        QByteArray text = ProfileText::complete().bytes();
        text.replace("[Video Codec]\r\nItems=2", "[Video Codec]\r\nItems=2147483647");
        QVERIFY(text.contains("Items=2147483647"));
        const QString path = d.folder.write("Profiles/Huge.bpf", text);
        d.form.LoadProfile(path);
        QCOMPARE(d.combo("cmbVcodec")->count(), profiles::TopSettingForm::MaxItems);
        QCOMPARE(d.combo("cmbVcodec")->itemText(0), QString("MPEG-4"));
        QCOMPARE(d.combo("cmbVcodec")->itemText(999), QString());
    }

    void closeBoxKeepsTheEdits()
    {
        FakeSeams seams;
        Dialog d;
        d.open();
        d.combo("cmbVbitrate")->setEditText("not checked");
        d.form.close();
        QVERIFY(seams.messages.shown.isEmpty());
        QCOMPARE(d.form.currentText(Section::VideoBitrate), QString("not checked"));
    }

    void descriptionFollowsTheListInUse()
    {
        FakeSeams seams;
        Dialog d;
        d.open();
        d.pick("cmbChannels", 0);
        QCOMPARE(d.description(), QString("Mono or stereo.\nCurrent Value: Mono"));
        QComboBox *bitrate = d.combo("cmbVbitrate");
        bitrate->setFocus();
        QCOMPARE(d.description(), QString("Kilobits a second.\nCurrent Value: 1200"));
        bitrate->lineEdit()->selectAll();
        QTest::keyClick(bitrate->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(d.description(), QString("Kilobits a second.\nCurrent Value: "));
        QTest::keyClicks(bitrate->lineEdit(), "15");
        QCOMPARE(d.description(), QString("Kilobits a second.\nCurrent Value: 15"));
        QTest::keyClick(bitrate->lineEdit(), Qt::Key_0);
        QCOMPARE(d.description(), QString("Kilobits a second.\nCurrent Value: 150"));
    }

    void descriptionWithoutAProfile()
    {
        FakeSeams seams;
        QWidget main;
        profiles::TopSettingForm form(&main);
        form.present();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.list(Section::Aspect)->setFocus();
        QCOMPARE(form.findChild<QPlainTextEdit *>("memDescription")->toPlainText(), QString("\nCurrent Value: "));
    }
};

QTEST_MAIN(tst_OutputSettings)
#include "tst_outputsettings.moc"
