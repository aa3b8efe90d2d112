#include "prefs/IniFile.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "profiles/WholeNumber.h"
#include "support/FakeSeams.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using velmora::profiles::Section;

namespace {
const QString ShippedFolder = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");
}

class tst_ShippedProfiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyProfile_data()
    {
        QTest::addColumn<QString>("file");
        const auto shipped = profiles::discoverProfiles(ShippedFolder);
        QVERIFY(shipped.size() >= 8);
        for (const profiles::ProfileEntry &entry : shipped)
            QTest::newRow(qPrintable(entry.name)) << entry.fileName;
    }
    void everyProfile()
    {
        QFETCH(QString, file);
        test::FakeSeams seams;
        const QString path = ShippedFolder + '/' + file;
        const prefs::IniFile ini(path);
        QWidget main;
        profiles::TopSettingForm form(&main);
        form.LoadProfile(path);
        // The output's extension is the profile's type, one the encoder writes.
        const QString type = ini.readString("Main", "Type", {});
        QVERIFY2(QStringList({"avi", "mp4", "mkv", "webm", "mov", "mpg", "wmv", "flv"}).contains(type), qPrintable(type));
        QCOMPARE(form.outputExtension(), "." + type);

        QStringList audioValues;
        for (int i = 0; i < form.list(Section::AudioCodec)->count(); ++i)
            audioValues << ini.readString("Audio Codec", "value" + QString::number(i), {});
        const bool mp3 = audioValues.contains("mp3");
        // A profile that copies offers nothing to choose but its codecs, whose only entry is "Copy".
        const bool copies = ini.readString("Video Codec", "value0", {}) == "copy";
        if (copies) {
            QCOMPARE(audioValues, QStringList{"copy"});
            QCOMPARE(form.list(Section::VideoCodec)->count(), 1);
        }
        for (const Section section : profiles::AllSections) {
            const QString name = profiles::sectionName(section);
            QComboBox *list = form.list(section);
            // The MP3 lists belong to profiles that offer MP3.
            const bool mp3List = section == Section::Mp3Encode || section == Section::VbrQuality || section == Section::AbrCbrBitrate;
            if (mp3List && !mp3) {
                QCOMPARE(list->count(), 0);
                continue;
            }
            const bool choice = section == Section::VideoSize || section == Section::VideoBitrate || section == Section::Aspect
                                || section == Section::Channels;
            QVERIFY2(list->count() >= (choice && !copies ? 2 : 1), qPrintable(name + ": no real choice"));
            const bool applies = !copies || section == Section::VideoCodec || section == Section::AudioCodec;
            QCOMPARE(list->isEnabled(), applies);
            if (!applies) {
                QVERIFY2(ini.readString(name, "Description", {}).startsWith("Does not apply"), qPrintable(name));
                continue;
            }
            QVERIFY2(list->currentIndex() >= 0, qPrintable(name + ": nothing selected"));
            QVERIFY2(!ini.readString(name, "Description", {}).isEmpty(), qPrintable(name + ": no description"));
            for (int i = 0; i < list->count(); ++i) {
                const QString caption = list->itemText(i);
                const QString value = ini.readString(name, "value" + QString::number(i), "<none>");
                QVERIFY2(!caption.isEmpty(), qPrintable(name + ": empty caption"));
                if (list->isEditable())
                    QVERIFY2(profiles::parseWholeNumber(caption), qPrintable(name + ": " + caption));
                // The option builder picks the sound encoder by these two captions: they must mean it.
                if (section == Section::AudioCodec) {
                    QCOMPARE(caption == "MP3", value == "mp3");
                    QCOMPARE(caption == "PCM", value == "pcm");
                }
                if (section == Section::SampleRate && audioValues.contains("libopus"))
                    QCOMPARE(caption, QString("48000")); // Opus sound is always 48 kHz
                if (section == Section::Aspect)
                    QVERIFY2(!value.contains(':'), qPrintable(value));
                if (section == Section::Mp3Encode) // the dialog and the options agree on the quality list
                    QCOMPARE(value == "vbr", i == 0);
                if (section != Section::VideoBitrate && section != Section::AudioBitrate && section != Section::SampleRate
                    && !(section == Section::Aspect && i == 0))
                    QVERIFY2(!value.isEmpty() && value != "<none>", qPrintable(name + ": no value for " + caption));
            }
        }

        // Every numeric field passes OK as loaded.
        form.present();
        form.findChild<QPushButton *>("btnOK")->click();
        QVERIFY(seams.messages.shown.isEmpty());
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(tst_ShippedProfiles)
#include "tst_shippedprofiles.moc"
