#include "profiles/OptionBuilder.h"

#include "prefs/IniFile.h"
#include "profiles/ProfileTexts.h"
#include "profiles/WholeNumber.h"

namespace velmora::profiles {

namespace {

// The defaults of the section values, for a profile that lacks the key.
QString defaultValue(Section section)
{
    switch (section) {
    case Section::VideoCodec: return QStringLiteral("mpeg4");
    case Section::VideoSize: return QStringLiteral("640:480");
    case Section::Aspect: return QStringLiteral("16:9");
    case Section::AudioCodec: return QStringLiteral("ac3");
    case Section::Mp3Encode: return QStringLiteral("vbr");
    case Section::VbrQuality: return QStringLiteral("6");
    case Section::AbrCbrBitrate: return QStringLiteral("224");
    case Section::Channels: return QStringLiteral("2");
    default: return QString();
    }
}

// "value" + the selected position (value-1 with nothing selected), read from the profile.
QString value(const OutputSettingsView &settings, const prefs::IniFile &profile, Section section)
{
    return profile.readString(sectionName(section), key::Value + QString::number(settings.selectedIndex(section)),
                              defaultValue(section));
}

} // namespace

bool CopiesStreams(const OutputSettingsView &settings, const QString &profilePath)
{
    return value(settings, prefs::IniFile(profilePath), Section::VideoCodec) == QLatin1String("copy");
}

QString GetOutputSize(const OutputSettingsView &settings, const QString &profilePath)
{
    if (settings.sizeFromList())
        return value(settings, prefs::IniFile(profilePath), Section::VideoSize);
    return settings.manualWidth() + QLatin1Char(':') + settings.manualHeight();
}

EncoderArgs GetEncoderOptions(const OutputSettingsView &settings, const QString &profilePath)
{
    const prefs::IniFile profile(profilePath);
    const QString videoCodec = value(settings, profile, Section::VideoCodec);
    const QString videoBitrate = settings.currentText(Section::VideoBitrate);
    // MEncoder reads ":" inside -lavcopts as the end of an option: a ratio is written with "/".
    const QString aspect = settings.selectedIndex(Section::Aspect) == 0
                               ? QStringLiteral("autoaspect")
                               : QStringLiteral("aspect=") + value(settings, profile, Section::Aspect).replace(QLatin1Char(':'), QLatin1Char('/'));
    const QString audioCodecValue = value(settings, profile, Section::AudioCodec);
    const QString audioCaption = settings.currentText(Section::AudioCodec);
    QString audioBitrate = settings.currentText(Section::AudioBitrate);
    if (audioCaption == texts::Mp2Caption) {
        const auto bitrate = parseWholeNumber(audioBitrate);
        if (bitrate && *bitrate > texts::Mp2Limit)
            audioBitrate = texts::Mp2LimitValue;
    }
    const QString channels = value(settings, profile, Section::Channels);
    const QString mode = value(settings, profile, Section::Mp3Encode);
    const QString size = GetOutputSize(settings, profilePath);
    const QString sampleRate = settings.currentText(Section::SampleRate);

    QString encoderWord;
    QString optionSwitch;
    QString audioOptions;
    if (audioCaption == texts::Mp3Caption) {
        encoderWord = QStringLiteral("mp3lame");
        optionSwitch = QStringLiteral("-lameopts");
        if (mode == QLatin1String("vbr"))
            audioOptions = QStringLiteral("vbr=2:q=") + value(settings, profile, Section::VbrQuality);
        else
            audioOptions = mode + QStringLiteral(":br=") + value(settings, profile, Section::AbrCbrBitrate);
    } else if (audioCaption == texts::PcmCaption) {
        encoderWord = QStringLiteral("pcm");
    } else {
        encoderWord = QStringLiteral("lavc");
        optionSwitch = QStringLiteral("-lavcopts");
        audioOptions = QStringLiteral("acodec=") + audioCodecValue + QStringLiteral(":abitrate=") + audioBitrate;
    }
    const QString videoOptions = QStringLiteral("vcodec=") + videoCodec + QStringLiteral(":vbitrate=") + videoBitrate
                                 + QStringLiteral(":mbd=2:") + aspect;

    // An audio encoder without options leaves its two words empty; they still show as blanks.
    EncoderArgs options;
    options.words({QStringLiteral("-ovc"), QStringLiteral("lavc"), QStringLiteral("-lavcopts"), videoOptions})
        .words({QStringLiteral("-oac"), encoderWord, optionSwitch, audioOptions})
        .words({QStringLiteral("-channels"), channels})
        .words({QStringLiteral("-vf"), QStringLiteral("scale=") + size})
        .words({QStringLiteral("-srate"), sampleRate});
    return options;
}

} // namespace velmora::profiles
