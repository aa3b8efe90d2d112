#include "profiles/OptionBuilder.h"
#include "support/ProfileText.h"
#include "support/TestFolder.h"

#include <QMap>
#include <QtTest>

using namespace velmora::profiles;
using velmora::test::ProfileText;
using velmora::test::TestFolder;

namespace {

// The current output settings without a dialog: for each section the selected position and
// the list's text.
struct Settings final : OutputSettingsView
{
    QMap<Section, std::pair<int, QString>> lists;
    bool fromList = true;
    QString width, height;

    int selectedIndex(Section s) const override { return lists.value(s, {-1, QString()}).first; }
    QString currentText(Section s) const override { return lists.value(s, {-1, QString()}).second; }
    bool sizeFromList() const override { return fromList; }
    QString manualWidth() const override { return width; }
    QString manualHeight() const override { return height; }
};

} // namespace

Q_DECLARE_METATYPE(Settings)

class tst_OptionBuilder : public QObject
{
    Q_OBJECT

private:
    static QByteArray firstExampleProfile(const QString &aspectValue, const QString &audioValue, const QString &mode)
    {
        return ProfileText()
            .section("Video Codec", {"MPEG-4"}, 0, {"mpeg4"})
            .section("Video Size", {"QVGA"}, 0, {"320:240"})
            .section("Aspect", {"Auto", "4:3"}, 0, {aspectValue, "4:3"})
            .section("Audio Codec", {"x"}, 0, {audioValue})
            .section("MP3 Encode", {"m"}, 0, {mode})
            .section("VBR Quality", {"q"}, 0, {"4"})
            .section("ABR CBR Bitrate", {"128", "160"}, 1, {"128", "160"})
            .section("Channels", {"Stereo"}, 0, {"2"})
            .bytes();
    }

private Q_SLOTS:
    void options_data()
    {
        QTest::addColumn<QByteArray>("profile"); // null: no profile file at all
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("arguments");

        Settings first;
        first.lists = {{Section::VideoCodec, {0, "MPEG-4"}}, {Section::VideoBitrate, {-1, "1200"}},
                       {Section::Aspect, {0, "Auto"}},       {Section::AudioCodec, {0, "MP3"}},
                       {Section::Mp3Encode, {0, "VBR"}},     {Section::VbrQuality, {0, "4"}},
                       {Section::Channels, {0, "Stereo"}},   {Section::VideoSize, {0, "QVGA"}},
                       {Section::SampleRate, {-1, "44100"}}, {Section::AudioBitrate, {-1, "128"}}};
        QTest::newRow("first example")
            << firstExampleProfile("", "mp3", "vbr") << first
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect -oac mp3lame -lameopts vbr=2:q=4 -channels 2 -vf scale=320:240 -srate 44100"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect", "-oac", "mp3lame",
                           "-lameopts", "vbr=2:q=4", "-channels", "2", "-vf", "scale=320:240", "-srate", "44100"};

        Settings entryZero = first; // entry 0 is automatic whatever its value says
        QTest::newRow("aspect entry 0 holding a ratio")
            << firstExampleProfile("16:9", "mp3", "vbr") << entryZero
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect -oac mp3lame -lameopts vbr=2:q=4 -channels 2 -vf scale=320:240 -srate 44100"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect", "-oac", "mp3lame",
                           "-lameopts", "vbr=2:q=4", "-channels", "2", "-vf", "scale=320:240", "-srate", "44100"};

        Settings abr = first;
        abr.lists[Section::AbrCbrBitrate] = {1, "999 typed"}; // only the position counts
        QTest::newRow("abr with 160, typed text ignored")
            << firstExampleProfile("", "mp3", "abr") << abr
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect -oac mp3lame -lameopts abr:br=160 -channels 2 -vf scale=320:240 -srate 44100"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect", "-oac", "mp3lame",
                           "-lameopts", "abr:br=160", "-channels", "2", "-vf", "scale=320:240", "-srate", "44100"};

        Settings second;
        second.lists = {{Section::VideoCodec, {0, "MPEG-4"}}, {Section::VideoBitrate, {-1, "800"}},
                        {Section::Aspect, {1, "4:3"}},       {Section::AudioCodec, {0, "MP2"}},
                        {Section::AudioBitrate, {-1, "192"}}, {Section::Channels, {0, "Stereo"}},
                        {Section::SampleRate, {-1, "48000"}}};
        second.fromList = false;
        second.width = "720";
        second.height = "576";
        const QByteArray secondProfile = ProfileText()
                                             .section("Video Codec", {"MPEG-4"}, 0, {"mpeg4"})
                                             .section("Aspect", {"Auto", "4:3"}, 0, {"", "4:3"})
                                             .section("Audio Codec", {"MP2"}, 0, {"mp2"})
                                             .section("Channels", {"Stereo"}, 0, {"2"})
                                             .bytes();
        QTest::newRow("second example, aspect with a slash")
            << secondProfile << second
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3 -oac lavc -lavcopts acodec=mp2:abitrate=128 -channels 2 -vf scale=720:576 -srate 48000"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3", "-oac", "lavc",
                           "-lavcopts", "acodec=mp2:abitrate=128", "-channels", "2", "-vf", "scale=720:576", "-srate", "48000"};

        QTest::newRow("no profile loaded")
            << QByteArray() << Settings()
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=:mbd=2:aspect=16/9 -oac lavc -lavcopts acodec=ac3:abitrate= -channels 2 -vf scale=640:480 -srate "
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=:mbd=2:aspect=16/9", "-oac", "lavc",
                           "-lavcopts", "acodec=ac3:abitrate=", "-channels", "2", "-vf", "scale=640:480", "-srate"};

        const auto audio = [&](const QString &caption, const QString &bitrate) {
            Settings s = second;
            s.lists[Section::AudioCodec] = {0, caption};
            s.lists[Section::AudioBitrate] = {-1, bitrate};
            return s;
        };
        const auto lavcAudio = [](const QString &options) {
            return QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3", "-oac", "lavc",
                               "-lavcopts", options, "-channels", "2", "-vf", "scale=720:576", "-srate", "48000"};
        };
        const QString lavcText = " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3 -oac lavc -lavcopts %1 -channels 2 -vf scale=720:576 -srate 48000";
        QTest::newRow("MP2 at 128") << secondProfile << audio("MP2", "128") << lavcText.arg("acodec=mp2:abitrate=128") << lavcAudio("acodec=mp2:abitrate=128");
        QTest::newRow("MP2 at 129") << secondProfile << audio("MP2", "129") << lavcText.arg("acodec=mp2:abitrate=128") << lavcAudio("acodec=mp2:abitrate=128");
        QTest::newRow("MP2, hexadecimal 320") << secondProfile << audio("MP2", "$140") << lavcText.arg("acodec=mp2:abitrate=128") << lavcAudio("acodec=mp2:abitrate=128");
        QTest::newRow("MP2, not a number") << secondProfile << audio("MP2", "loud") << lavcText.arg("acodec=mp2:abitrate=loud") << lavcAudio("acodec=mp2:abitrate=loud");
        QTest::newRow("320 under another caption") << secondProfile << audio("AC3", "320") << lavcText.arg("acodec=mp2:abitrate=320") << lavcAudio("acodec=mp2:abitrate=320");
        QTest::newRow("mp3 in small letters is not MP3") << secondProfile << audio("mp3", "128") << lavcText.arg("acodec=mp2:abitrate=128") << lavcAudio("acodec=mp2:abitrate=128");

        Settings pcm = audio("PCM", "128");
        QTest::newRow("PCM leaves its blanks")
            << secondProfile << pcm
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3 -oac pcm   -channels 2 -vf scale=720:576 -srate 48000"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3", "-oac", "pcm",
                           "-channels", "2", "-vf", "scale=720:576", "-srate", "48000"};

        Settings noAspect = second;
        noAspect.lists[Section::Aspect] = {-1, ""};
        noAspect.height = "";
        noAspect.width = "400";
        QTest::newRow("no aspect selected, manual 400 by nothing")
            << secondProfile << noAspect
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:mbd=2:aspect=16/9 -oac lavc -lavcopts acodec=mp2:abitrate=128 -channels 2 -vf scale=400: -srate 48000"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800:mbd=2:aspect=16/9", "-oac", "lavc",
                           "-lavcopts", "acodec=mp2:abitrate=128", "-channels", "2", "-vf", "scale=400:", "-srate", "48000"};

        Settings hostile = second;
        hostile.lists[Section::VideoBitrate] = {-1, "1200 -o /home/x"};
        hostile.lists[Section::SampleRate] = {-1, "48000 -vf crop"};
        QTest::newRow("field text stays inside its option")
            << secondProfile << hostile
            << " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200 -o /home/x:mbd=2:aspect=4/3 -oac lavc -lavcopts acodec=mp2:abitrate=128 -channels 2 -vf scale=720:576 -srate 48000 -vf crop"
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=1200 -o /home/x:mbd=2:aspect=4/3", "-oac", "lavc",
                           "-lavcopts", "acodec=mp2:abitrate=128", "-channels", "2", "-vf", "scale=720:576", "-srate", "48000 -vf crop"};
    }
    void options()
    {
        QFETCH(QByteArray, profile);
        QFETCH(Settings, settings);
        QFETCH(QString, text);
        QFETCH(QStringList, arguments);
        TestFolder folder;
        const QString path = profile.isNull() ? folder.file("missing.bpf") : folder.write("p.bpf", profile);
        const EncoderArgs options = GetEncoderOptions(settings, path);
        QCOMPARE(options.text(), text);
        QCOMPARE(options.arguments(), arguments);
    }

    void outputSize_data()
    {
        QTest::addColumn<bool>("fromList");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("size");
        QTest::newRow("from the list") << true << 1 << "1" << "2" << "320:240";
        QTest::newRow("list without selection") << true << -1 << "" << "" << "640:480";
        QTest::newRow("manual") << false << 1 << "720" << "576" << "720:576";
        QTest::newRow("manual, no height") << false << 1 << "400" << "" << "400:";
    }
    void outputSize()
    {
        QFETCH(bool, fromList);
        QFETCH(int, selected);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, size);
        TestFolder folder;
        const QString path = folder.write("p.bpf", ProfileText().section("Video Size", {"VGA", "QVGA"}, 0, {"640:480", "320:240"}).bytes());
        Settings settings;
        settings.fromList = fromList;
        settings.lists[Section::VideoSize] = {selected, ""};
        settings.width = width;
        settings.height = height;
        QCOMPARE(GetOutputSize(settings, path), size);
    }
};

QTEST_GUILESS_MAIN(tst_OptionBuilder)
#include "tst_optionbuilder.moc"
