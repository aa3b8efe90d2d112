// The encoder's reading of its command line: everything the option builder can produce,
// from every entry of every shipped profile, the conversion's own line, the fragment with
// no profile loaded, and the odd values a dialog field can leave behind.
#include "encoder/CommandLine.h"
#include "encoder/Failure.h"
#include "encoder/fitting/Plan.h"
#include "job/CommandLines.h"
#include "support/EncoderJobs.h"
#include "prefs/IniFile.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"

#include <QComboBox>
#include <QSet>
#include <QtTest>

using namespace velmora;
using encoder::AspectMode;
using encoder::AudioEncoder;
using encoder::Mp3Mode;
using profiles::Section;

Q_DECLARE_METATYPE(encoder::AspectMode)

namespace {

const QString ShippedFolder = QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles");

std::vector<std::string> toStd(const QStringList &arguments)
{
    std::vector<std::string> result;
    for (const QString &argument : arguments)
        result.push_back(argument.toStdString());
    return result;
}

encoder::ParsedCommandLine parse(const QStringList &arguments)
{
    return encoder::parseCommandLine(toStd(arguments));
}

QString notesOf(const encoder::ParsedCommandLine &parsed)
{
    QStringList lines;
    for (const std::string &note : parsed.notes)
        lines << QString::fromStdString(note);
    return lines.join(" | ");
}

// A join of two files into out.<type>, with an option fragment as the builder made it.
QStringList joinLine(const profiles::EncoderArgs &fragment, const QString &type = "avi")
{
    return job::JoinCommand({"/tmp/a/0.avi", "/tmp/a/1.avi"}, "/tmp/out." + type, fragment).arguments();
}

// The output settings with no profile loaded: every list empty, the fields empty.
class NoProfile : public profiles::OutputSettingsView
{
public:
    int selectedIndex(Section) const override { return -1; }
    QString currentText(Section) const override { return {}; }
    bool sizeFromList() const override { return true; }
    QString manualWidth() const override { return {}; }
    QString manualHeight() const override { return {}; }
};

// A fragment with one piece replaced, as a hand-edited profile or field could make it.
QStringList fragment(const QString &lavcopts = "vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect",
                     const QStringList &rest = {"-oac", "mp3lame", "-lameopts", "vbr=2:q=4", "-channels", "2", "-vf", "scale=320:240",
                                                "-srate", "44100"})
{
    return QStringList{"/tmp/in.avi", "-o", "/tmp/out.avi", "-ovc", "lavc", "-lavcopts", lavcopts} + rest;
}

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyShippedEntryParses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("sampleRate");
        QWidget main;
        for (const profiles::ProfileEntry &entry : profiles::discoverProfiles(ShippedFolder)) {
            const QString path = ShippedFolder + '/' + entry.fileName;
            profiles::TopSettingForm form(&main);
            form.LoadProfile(path);
            const QString type = prefs::IniFile(path).readString("Main", "Type", "avi");
            QSet<QString> seen;
            for (const Section section : profiles::AllSections) {
                QComboBox *list = form.list(section);
                const int loaded = list->currentIndex();
                for (int i = 0; i < list->count(); ++i) {
                    list->setCurrentIndex(i);
                    const profiles::EncoderArgs options = profiles::GetEncoderOptions(form, path);
                    if (seen.contains(options.text()))
                        continue;
                    seen.insert(options.text());
                    QTest::addRow("%s: %s = %s", qPrintable(entry.name), qPrintable(profiles::sectionName(section)),
                                  qPrintable(list->itemText(i)))
                        << joinLine(options, type) << type << profiles::GetOutputSize(form, path)
                        << form.currentText(Section::SampleRate);
                }
                list->setCurrentIndex(loaded);
            }
        }
    }
    void everyShippedEntryParses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, type);
        QFETCH(QString, size);
        QFETCH(QString, sampleRate);
        const encoder::ParsedCommandLine parsed = parse(arguments);
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        if (parsed.job.copies()) {
            // Everything but the codecs is passed over, with one note for it all.
            QVERIFY(parsed.job.copyVideo && parsed.job.copyAudio);
            QCOMPARE(parsed.notes.size(), std::size_t(1));
            QVERIFY2(parsed.notes.front().starts_with("The streams are copied as they are: vbitrate, mbd, "), qPrintable(notesOf(parsed)));
            QVERIFY(!parsed.job.scale && !parsed.job.sampleRate && !parsed.job.channels);
            return;
        }
        QVERIFY2(parsed.notes.empty(), qPrintable(notesOf(parsed)));
        QCOMPARE(parsed.job.inputs.size(), std::size_t(2));
        QVERIFY(parsed.job.scale);
        QCOMPARE(QStringLiteral("%1:%2").arg(*parsed.job.scale->width).arg(*parsed.job.scale->height), size);
        QCOMPARE(parsed.job.sampleRate.value_or(-1), sampleRate.toInt());
        // The codecs are known and the profile's container holds them.
        try {
            const encoder::CodecChoice choice = encoder::chooseCodecs(parsed.job);
            QVERIFY(!choice.intermediate);
        } catch (const encoder::UsageError &error) {
            QFAIL(error.what());
        }
    }

    void conversionLine()
    {
        const profiles::EncoderArgs options = test::divxOptions("720:480");
        const QStringList arguments = job::ConversionCommand("/tmp/in put/clip \"1\".mov", "/tmp/temp/0.mkv", options, "4/3").arguments();
        const encoder::ParsedCommandLine parsed = parse(arguments);
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QVERIFY(parsed.notes.empty());
        QCOMPARE(parsed.job.inputs, std::vector<std::string>{"/tmp/in put/clip \"1\".mov"});
        QCOMPARE(parsed.job.output, std::string("/tmp/temp/0.mkv"));
        QCOMPARE(parsed.job.fps->num, 30);
        QCOMPARE(*parsed.job.scale->width, 720);
        QCOMPARE(*parsed.job.scale->height, 480);
        // The profile's own codecs, with the first video's shape where the profile keeps it.
        const encoder::CodecChoice choice = encoder::chooseCodecs(parsed.job);
        QVERIFY(!choice.intermediate);
        QCOMPARE(std::string(choice.video->name), std::string("mpeg4"));
        QCOMPARE(std::string(choice.audio->name), std::string("libmp3lame"));
        QCOMPARE(parsed.job.video.aspectMode, encoder::AspectMode::Given);
        QCOMPARE(parsed.job.video.aspect, (encoder::Ratio{4, 3}));
        // The part names the input it was made from, for its chapter and tags in the join, and
        // records the options of the join it was made for: the join line's own, word for word.
        const encoder::ParsedCommandLine join = parse(job::JoinCommand({"/tmp/temp/0.mkv"}, "/v/out.avi", options).arguments());
        QVERIFY2(join.ok(), join.error.c_str());
        QCOMPARE(parsed.job.info, (std::vector<std::pair<std::string, std::string>>{{encoder::SourceNameKey, "/tmp/in put/clip \"1\".mov"},
                                                                                    {encoder::MadeWithKey, join.job.options}}));
        QCOMPARE(join.job.options, std::string("-ovc lavc -lavcopts vcodec=mpeg4:vbitrate=3000:mbd=2:autoaspect -oac mp3lame -lameopts "
                                               "vbr=2:q=4 -channels 2 -vf scale=720:480 -srate 44100"));
    }

    void copies_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("copies");
        QTest::addColumn<QString>("note"); // the one note, or the error when it does not parse
        QTest::newRow("MEncoder's words") << QStringList{"-ovc", "copy", "-oac", "copy"} << true << "";
        QTest::newRow("-ovc copy alone copies the sound") << QStringList{"-ovc", "copy"} << true << "";
        QTest::newRow("as the option builder writes it")
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=copy:vbitrate=Same:mbd=2:aspect=16:9", "-oac", "lavc",
                           "-lavcopts", "acodec=copy:abitrate=", "-channels", "", "-vf", "scale=", "-srate", "x", "-ofps", "30"}
            << true << "vbitrate, mbd, aspect, abitrate, -channels, -vf, -srate and -ofps do not apply and are ignored.";
        QTest::newRow("MP3 options with a copy") << QStringList{"-ovc", "copy", "-oac", "copy", "-lameopts", "cbr:br=x"} << true
                                                 << "-lameopts does not apply and is ignored.";
        QTest::newRow("picture copied, sound not") << QStringList{"-ovc", "copy", "-oac", "mp3lame"} << false
                                                   << "The picture is copied but the sound is not";
        QTest::newRow("sound copied, picture not")
            << QStringList{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4", "-oac", "copy"} << false << "The sound is copied but";
        QTest::newRow("an unknown -ovc") << QStringList{"-ovc", "raw"} << false << "only lavc and copy";
    }
    void copies()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, copies);
        QFETCH(QString, note);
        const encoder::ParsedCommandLine parsed = parse(QStringList{"/tmp/a.mp4", "/tmp/b.mp4", "-o", "/tmp/out.mkv"} + options);
        if (!copies) {
            QVERIFY(!parsed.ok());
            QVERIFY2(QString::fromStdString(parsed.error).contains(note), parsed.error.c_str());
            return;
        }
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QVERIFY(parsed.job.copyVideo && parsed.job.copyAudio);
        QCOMPARE(parsed.notes.size(), std::size_t(note.isEmpty() ? 0 : 1));
        if (!note.isEmpty())
            QVERIFY2(QString::fromStdString(parsed.notes.front()).endsWith(note), parsed.notes.front().c_str());
    }

    // In a join that copies, -ss and -endpos right after an input cut that input, as MPlayer's
    // per-file options do; a value that is not a time is said and leaves that input whole.
    void inputTrims_data()
    {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("trims"); // each input's "start/length", "-" for none
        QTest::addColumn<QString>("note");
        QTest::newRow("none") << QStringList{"/t/a.mp4", "/t/b.mp4"} << "" << "";
        QTest::newRow("the first") << QStringList{"/t/a.mp4", "-ss", "1.5", "-endpos", "1.5", "/t/b.mp4"} << "1.5/1.5 -/-" << "";
        QTest::newRow("the last, start alone") << QStringList{"/t/a.mp4", "/t/b.mp4", "-ss", "2"} << "-/- 2/-" << "";
        QTest::newRow("a start of zero is none") << QStringList{"/t/a.mp4", "-ss", "0", "-endpos", "3", "/t/b.mp4"} << "-/3 -/-" << "";
        QTest::newRow("not a time") << QStringList{"/t/a.mp4", "-ss", "soon", "/t/b.mp4"} << "-/- -/-"
                                    << "-ss after /t/a.mp4: 'soon' is not a time in seconds; it is joined from its start.";
        QTest::newRow("no length") << QStringList{"/t/a.mp4", "/t/b.mp4", "-endpos", "0"} << "-/- -/-"
                                   << "-endpos after /t/b.mp4: '0' is not a time in seconds; all of it is joined.";
    }
    void inputTrims()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QString, trims);
        QFETCH(QString, note);
        const encoder::ParsedCommandLine parsed = parse(inputs + QStringList{"-o", "/t/out.mkv", "-ovc", "copy", "-oac", "copy"});
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QCOMPARE(parsed.job.inputs.size(), std::size_t(2));
        QStringList got;
        for (const encoder::InputTrim &trim : parsed.job.inputTrims) {
            const auto text = [](const std::optional<double> &value) { return value ? QString::number(*value) : QStringLiteral("-"); };
            got << text(trim.start) + QLatin1Char('/') + text(trim.length);
        }
        QCOMPARE(got.join(QLatin1Char(' ')), trims);
        QCOMPARE(parsed.notes.size(), std::size_t(note.isEmpty() ? 0 : 1));
        if (!note.isEmpty())
            QCOMPARE(QString::fromStdString(parsed.notes.front()), note);
    }

    void infoValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values"); // key, value, key, value...; empty: refused
        QTest::newRow("plain") << "name=Holiday:artist=Ann" << QStringList{"title", "Holiday", "artist", "Ann"};
        QTest::newRow("length-prefixed, colons kept") << "srcform=%9%a:b c.mp4:comment=x"
                                                      << QStringList{encoder::SourceNameKey, "a:b c.mp4", "comment", "x"};
        QTest::newRow("length in bytes") << QString::fromUtf8("srcform=%6%é:.mp") << QStringList{encoder::SourceNameKey, QString::fromUtf8("é:.mp")};
        QTest::newRow("empty prefixed value") << "name=%0%" << QStringList{"title", ""};
        QTest::newRow("length past the end") << "srcform=%40%short" << QStringList{};
        QTest::newRow("length not at a colon") << "srcform=%2%abc" << QStringList{};
        QTest::newRow("unknown key") << "director=Me" << QStringList{};
    }
    void infoValues()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, values);
        const encoder::ParsedCommandLine parsed = parse({"/tmp/a.avi", "-o", "/tmp/b.avi", "-info", text});
        QCOMPARE(parsed.ok(), !values.isEmpty());
        QStringList got;
        for (const auto &[key, value] : parsed.job.info)
            got << QString::fromStdString(key) << QString::fromStdString(value);
        QCOMPARE(got, parsed.ok() ? values : QStringList{});
    }

    void fragmentWithoutProfile()
    {
        NoProfile none;
        const profiles::EncoderArgs options = profiles::GetEncoderOptions(none, "/nonexistent/profile.bpf");
        QCOMPARE(options.text(), QString(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=:mbd=2:aspect=16/9 -oac lavc -lavcopts "
                                       "acodec=ac3:abitrate= -channels 2 -vf scale=640:480 -srate "));
        const encoder::ParsedCommandLine parsed = parse(joinLine(options));
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        const encoder::EncodeJob &job = parsed.job;
        QCOMPARE(job.video.codec, std::string("mpeg4"));
        QVERIFY(!job.video.bitrateKbps);
        QCOMPARE(job.video.aspectMode, AspectMode::Given);
        QCOMPARE(job.video.aspect, (encoder::Ratio{16, 9}));
        QCOMPARE(job.audio.encoder, AudioEncoder::Lavc);
        QCOMPARE(job.audio.lavcCodec, std::string("ac3"));
        QVERIFY(!job.audio.lavcBitrateKbps);
        QVERIFY(!job.sampleRate);
        // One line for each default taken: both bitrates and the sample rate.
        QCOMPARE(parsed.notes.size(), std::size_t(3));
        QVERIFY(encoder::chooseCodecs(job).audio);
    }

    void pcmLeavesNoPieces()
    {
        // With PCM the builder's empty switch and options give no argument at all.
        const encoder::ParsedCommandLine parsed =
            parse(fragment("vcodec=mjpeg:vbitrate=8000:mbd=2:autoaspect", {"-oac", "pcm", "-channels", "1", "-vf", "scale=640:480", "-srate", "48000"}));
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QCOMPARE(parsed.job.audio.encoder, AudioEncoder::Pcm);
        QCOMPARE(*parsed.job.channels, 1);
    }

    void values_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("videoKbps");   // -1: the codec's own
        QTest::addColumn<int>("channels");    // -1: the default
        QTest::addColumn<int>("sampleRate");  // -1: the first input's
        QTest::addColumn<int>("width");       // -1: from the other side
        QTest::addColumn<int>("height");
        QTest::addColumn<AspectMode>("aspect");
        QTest::addColumn<double>("shape");
        QTest::addColumn<int>("notes");

        const QStringList tail = {"-oac", "mp3lame", "-lameopts", "vbr=2:q=4", "-channels", "2", "-vf", "scale=320:240", "-srate", "44100"};
        const auto with = [&tail](int at, const QString &value) {
            QStringList changed = tail;
            changed[at] = value;
            return changed;
        };
        QTest::newRow("plain") << fragment() << 800 << 2 << 44100 << 320 << 240 << AspectMode::Auto << 0.0 << 0;
        QTest::newRow("leading blanks and a sign") << fragment("vcodec=mpeg4:vbitrate=  +800:mbd=2:autoaspect") << 800 << 2
                                                   << 44100 << 320 << 240 << AspectMode::Auto << 0.0 << 0;
        QTest::newRow("dollar hexadecimal") << fragment("vcodec=mpeg4:vbitrate=$320:mbd=2:autoaspect") << 800 << 2 << 44100
                                            << 320 << 240 << AspectMode::Auto << 0.0 << 0;
        QTest::newRow("0x hexadecimal") << fragment("vcodec=mpeg4:vbitrate=0x320:mbd=2:autoaspect", with(9, "0xAC44")) << 800
                                        << 2 << 44100 << 320 << 240 << AspectMode::Auto << 0.0 << 0;
        QTest::newRow("empty bitrate") << fragment("vcodec=mpeg4:vbitrate=:mbd=2:autoaspect") << -1 << 2 << 44100 << 320 << 240
                                       << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("zero bitrate") << fragment("vcodec=mpeg4:vbitrate=0:mbd=2:autoaspect") << -1 << 2 << 44100 << 320 << 240
                                      << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("negative bitrate") << fragment("vcodec=mpeg4:vbitrate=-800:mbd=2:autoaspect") << -1 << 2 << 44100 << 320
                                          << 240 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("bitrate not a number") << fragment("vcodec=mpeg4:vbitrate=800k:mbd=2:autoaspect") << -1 << 2 << 44100
                                              << 320 << 240 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("sample rate at the end of the line") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", tail.mid(0, 9))
                                                            << 800 << 2 << -1 << 320 << 240 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("channels followed by an option") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", tail.mid(0, 5) + tail.mid(6))
                                                        << 800 << -1 << 44100 << 320 << 240 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("zero channels") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", with(5, "0")) << 800 << -1
                                       << 44100 << 320 << 240 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("negative sample rate") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", with(9, "-1")) << 800
                                              << 2 << -1 << 320 << 240 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("manual size without height") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", with(7, "scale=400:"))
                                                    << 800 << 2 << 44100 << 400 << -1 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("manual size without width") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", with(7, "scale=:300"))
                                                   << 800 << 2 << 44100 << -1 << 300 << AspectMode::Auto << 0.0 << 1;
        QTest::newRow("zero width") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect", with(7, "scale=0:300")) << 800 << 2
                                    << 44100 << -1 << 300 << AspectMode::Auto << 0.0 << 2;
        QTest::newRow("aspect with a slash") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:aspect=4/3") << 800 << 2 << 44100 << 320
                                             << 240 << AspectMode::Given << 4.0 / 3 << 0;
        QTest::newRow("aspect split at its colon") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:aspect=16:9") << 800 << 2 << 44100
                                                   << 320 << 240 << AspectMode::Given << 16.0 / 9 << 0;
        QTest::newRow("aspect as a decimal") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:aspect=2.35") << 800 << 2 << 44100
                                             << 320 << 240 << AspectMode::Given << 2.35 << 0;
        QTest::newRow("empty aspect") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:aspect=") << 800 << 2 << 44100 << 320 << 240
                                      << AspectMode::None << 0.0 << 1;
        QTest::newRow("zero aspect") << fragment("vcodec=mpeg4:vbitrate=800:mbd=2:aspect=0") << 800 << 2 << 44100 << 320 << 240
                                     << AspectMode::None << 0.0 << 1;
        QTest::newRow("aspect then more options") << fragment("aspect=16:9:vcodec=mpeg4:vbitrate=800") << 800 << 2 << 44100 << 320
                                                  << 240 << AspectMode::Given << 16.0 / 9 << 0;
    }
    void values()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, videoKbps);
        QFETCH(int, channels);
        QFETCH(int, sampleRate);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(AspectMode, aspect);
        QFETCH(double, shape);
        QFETCH(int, notes);
        const encoder::ParsedCommandLine parsed = parse(arguments);
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        const encoder::EncodeJob &job = parsed.job;
        QCOMPARE(job.video.bitrateKbps.value_or(-1), videoKbps);
        QCOMPARE(job.channels.value_or(-1), channels);
        QCOMPARE(job.sampleRate.value_or(-1), sampleRate);
        QCOMPARE(job.scale->width.value_or(-1), width);
        QCOMPARE(job.scale->height.value_or(-1), height);
        QCOMPARE(job.video.aspectMode, aspect);
        if (aspect == AspectMode::Given)
            QVERIFY(qAbs(job.video.aspect.value() - shape) < 1e-9);
        QCOMPARE(int(parsed.notes.size()), notes);
    }

    void mp3Modes_data()
    {
        QTest::addColumn<QString>("lameopts");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("kbps");
        QTest::newRow("vbr") << "vbr=2:q=6" << int(Mp3Mode::Vbr) << 6 << -1;
        QTest::newRow("best vbr") << "vbr=2:q=0" << int(Mp3Mode::Vbr) << 0 << -1;
        QTest::newRow("quality beyond 9") << "vbr=2:q=12" << int(Mp3Mode::Vbr) << 9 << -1;
        QTest::newRow("abr") << "abr:br=160" << int(Mp3Mode::Abr) << 4 << 160;
        QTest::newRow("cbr") << "cbr:br=192" << int(Mp3Mode::Cbr) << 4 << 192;
        QTest::newRow("cbr without bitrate") << "cbr:br=" << int(Mp3Mode::Cbr) << 4 << -1;
    }
    void mp3Modes()
    {
        QFETCH(QString, lameopts);
        QFETCH(int, mode);
        QFETCH(int, quality);
        QFETCH(int, kbps);
        const encoder::ParsedCommandLine parsed = parse(fragment("vcodec=mpeg4", {"-oac", "mp3lame", "-lameopts", lameopts}));
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QCOMPARE(int(parsed.job.audio.mp3Mode), mode);
        QCOMPARE(parsed.job.audio.mp3Quality, quality);
        QCOMPARE(parsed.job.audio.mp3BitrateKbps.value_or(-1), kbps);
    }

    void frameRates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("num");
        QTest::addColumn<qint64>("den");
        QTest::newRow("whole") << "30" << qint64(30) << qint64(1);
        QTest::newRow("fraction") << "30000/1001" << qint64(30000) << qint64(1001);
        QTest::newRow("NTSC as a decimal") << "29.97" << qint64(30000) << qint64(1001);
        QTest::newRow("film NTSC") << "23.976" << qint64(24000) << qint64(1001);
        QTest::newRow("other decimal") << "12.5" << qint64(25) << qint64(2);
        QTest::newRow("reduced") << "60/2" << qint64(30) << qint64(1);
    }
    void frameRates()
    {
        QFETCH(QString, text);
        QFETCH(qint64, num);
        QFETCH(qint64, den);
        const encoder::ParsedCommandLine parsed = parse({"/tmp/in.avi", "-o", "/tmp/out.avi", "-ofps", text});
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QCOMPARE(parsed.job.fps->num, num);
        QCOMPARE(parsed.job.fps->den, den);
    }

    void filterChains()
    {
        const encoder::ParsedCommandLine parsed =
            parse({"/tmp/in.avi", "-o", "/tmp/out.avi", "-vf", "crop=640:360:0:60,scale=320:180,expand=320:240"});
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QCOMPARE(parsed.job.crop->width.value_or(-1), 640);
        QCOMPARE(parsed.job.crop->y.value_or(-1), 60);
        QCOMPARE(parsed.job.scale->height.value_or(-1), 180);
        QCOMPARE(parsed.job.expand->height.value_or(-1), 240);
        QVERIFY(!parsed.job.expand->x);
    }

    // The words the job adds to a part's line: a rate factor, and for the look, an end.
    void partWords_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<double>("factor");  // -1: none
        QTest::addColumn<double>("endpos");  // -1: none
        QTest::addColumn<QString>("note");   // in the one note expected; empty: none
        QTest::newRow("a rate factor") << QStringList{"-x264encopts", "crf=21.37"} << 21.37 << -1.0 << "";
        QTest::newRow("a whole rate factor") << QStringList{"-x264encopts", "crf=30"} << 30.0 << -1.0 << "";
        QTest::newRow("a rate factor past 51") << QStringList{"-x264encopts", "crf=60"} << -1.0 << -1.0 << "51";
        QTest::newRow("a rate factor not a number") << QStringList{"-x264encopts", "crf=high"} << -1.0 << -1.0 << "high";
        QTest::newRow("an end") << QStringList{"-endpos", "2.50"} << -1.0 << 2.5 << "";
        QTest::newRow("an end of nothing") << QStringList{"-endpos", "0"} << -1.0 << -1.0 << "all of it";
        QTest::newRow("an end with no value") << QStringList{"-endpos"} << -1.0 << -1.0 << "no value";
        QTest::newRow("both, as the look writes them") << QStringList{"-endpos", "3.00", "-x264encopts", "crf=23.00"} << 23.0 << 3.0
                                                        << "";
    }
    void partWords()
    {
        QFETCH(QStringList, words);
        QFETCH(double, factor);
        QFETCH(double, endpos);
        QFETCH(QString, note);
        const encoder::ParsedCommandLine parsed = parse(fragment("vcodec=libx264:vbitrate=800:mbd=2:autoaspect") + words);
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        QCOMPARE(parsed.job.video.rateFactor.value_or(-1), factor);
        QCOMPARE(parsed.job.endSeconds.value_or(-1), endpos);
        QCOMPARE(parsed.notes.size(), note.isEmpty() ? 0u : 1u);
        if (!note.isEmpty())
            QVERIFY2(QString::fromStdString(parsed.notes.front()).contains(note), parsed.notes.front().c_str());
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("an option never written") << fragment() + QStringList{"-noskip"} << "-noskip";
        QTest::newRow("unknown -lavcopts option") << fragment("vcodec=mpeg4:vhq:vbitrate=800") << "vhq";
        QTest::newRow("MP3 mode other than vbr, abr, cbr")
            << fragment("vcodec=mpeg4", {"-oac", "mp3lame", "-lameopts", "xyz:br=160"}) << "xyz";
        QTest::newRow("MP3 mode in capitals") << fragment("vcodec=mpeg4", {"-oac", "mp3lame", "-lameopts", "CBR:br=160"}) << "CBR";
        QTest::newRow("vbr number out of range") << fragment("vcodec=mpeg4", {"-oac", "mp3lame", "-lameopts", "vbr=7:q=2"}) << "vbr";
        QTest::newRow("another audio encoder") << fragment("vcodec=mpeg4", {"-oac", "faac"}) << "faac";
        QTest::newRow("another video encoder") << QStringList{"/tmp/in.avi", "-o", "/tmp/out.avi", "-ovc", "xvid"} << "xvid";
        QTest::newRow("unknown filter") << QStringList{"/tmp/in.avi", "-o", "/tmp/out.avi", "-vf", "scale=320:240,rotate=1"}
                                        << "rotate";
        QTest::newRow("no output") << QStringList{"/tmp/in.avi", "-ovc", "lavc"} << "-o";
        QTest::newRow("no input") << QStringList{"-o", "/tmp/out.avi"} << "input";
        QTest::newRow("an x264 setting other than crf") << fragment() + QStringList{"-x264encopts", "bframes=3"} << "bframes";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const encoder::ParsedCommandLine parsed = parse(arguments);
        QVERIFY(!parsed.ok());
        QVERIFY2(QString::fromStdString(parsed.error).contains(named), parsed.error.c_str());
    }

    void codecsRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown video codec") << fragment("vcodec=mpeg5:vbitrate=800") << "mpeg5";
        QTest::newRow("unknown audio codec")
            << fragment("vcodec=mpeg4", {"-oac", "lavc", "-lavcopts", "acodec=mp7:abitrate=128"}) << "mp7";
        QTest::newRow("H.264 in AVI") << fragment("vcodec=libx264:vbitrate=800") << "AVI";
        QTest::newRow("AAC in AVI") << fragment("vcodec=mpeg4", {"-oac", "lavc", "-lavcopts", "acodec=aac:abitrate=128"}) << "AVI";
        QTest::newRow("PCM in MP4") << QStringList{"/tmp/in.avi", "-o", "/tmp/out.mp4", "-ovc", "lavc", "-lavcopts", "vcodec=libx264",
                                                   "-oac", "pcm"}
                                    << "PCM";
        QTest::newRow("MPEG-4 in WebM") << QStringList{"/tmp/in.avi", "-o", "/tmp/out.webm", "-ovc", "lavc", "-lavcopts",
                                                       "vcodec=mpeg4", "-oac", "lavc", "-lavcopts", "acodec=libopus"}
                                        << "WebM";
        QTest::newRow("H.263+ in FLV") << QStringList{"/tmp/in.avi", "-o", "/tmp/out.flv", "-ovc", "lavc", "-lavcopts",
                                                      "vcodec=h263p", "-oac", "mp3lame", "-lameopts", "cbr:br=64"}
                                       << "Flash";
        QTest::newRow("unknown file type") << QStringList{"/tmp/in.avi", "-o", "/tmp/out.xyz", "-ovc", "lavc", "-lavcopts",
                                                          "vcodec=mpeg4"}
                                           << ".xyz";
    }
    void codecsRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const encoder::ParsedCommandLine parsed = parse(arguments);
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        try {
            encoder::chooseCodecs(parsed.job);
            QFAIL("accepted");
        } catch (const encoder::UsageError &error) {
            QVERIFY2(QString(error.what()).contains(named), error.what());
        }
    }

    void codecNames_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("vcodec");
        QTest::addColumn<QString>("acodec");
        QTest::addColumn<QString>("videoEncoder");
        QTest::addColumn<QString>("audioEncoder");
        QTest::newRow("mp4 by encoder names") << "out.mp4" << "libx264" << "aac" << "libx264" << "aac";
        QTest::newRow("mp4 by codec names") << "out.mp4" << "h264" << "aac" << "libx264" << "aac";
        QTest::newRow("hevc") << "out.mp4" << "hevc" << "aac" << "libx265" << "aac";
        QTest::newRow("webm") << "out.webm" << "libvpx-vp9" << "opus" << "libvpx-vp9" << "libopus";
        QTest::newRow("av1 in mkv") << "out.mkv" << "libsvtav1" << "libopus" << "libsvtav1" << "libopus";
        QTest::newRow("dvd") << "out.mpg" << "mpeg2video" << "ac3" << "mpeg2video" << "ac3";
        QTest::newRow("wmv") << "out.wmv" << "wmv2" << "wmav2" << "wmv2" << "wmav2";
        QTest::newRow("flash") << "out.flv" << "flv" << "mp3" << "flv" << "libmp3lame";
        QTest::newRow("no extension is AVI") << "out" << "msmpeg4" << "mp2" << "msmpeg4" << "mp2";
        QTest::newRow("extension in capitals") << "OUT.AVI" << "mpeg4" << "ac3" << "mpeg4" << "ac3";
    }
    void codecNames()
    {
        QFETCH(QString, output);
        QFETCH(QString, vcodec);
        QFETCH(QString, acodec);
        QFETCH(QString, videoEncoder);
        QFETCH(QString, audioEncoder);
        const encoder::ParsedCommandLine parsed = parse({"/tmp/in.avi", "-o", "/tmp/" + output, "-ovc", "lavc", "-lavcopts",
                                                         "vcodec=" + vcodec, "-oac", "lavc", "-lavcopts", "acodec=" + acodec});
        QVERIFY2(parsed.ok(), parsed.error.c_str());
        try {
            const encoder::CodecChoice choice = encoder::chooseCodecs(parsed.job);
            QCOMPARE(QString(choice.video->name), videoEncoder);
            QCOMPARE(QString(choice.audio->name), audioEncoder);
        } catch (const encoder::UsageError &error) {
            QFAIL(error.what());
        }
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
