#include "support/ProfileText.h"

namespace velmora::test {

ProfileText &ProfileText::type(const QString &type)
{
    m_text += QStringLiteral("[Main]\r\nType=%1\r\n").arg(type);
    return *this;
}

ProfileText &ProfileText::section(const QString &name, const QStringList &captions, int index, const QStringList &values,
                                  const QString &description)
{
    m_text += QStringLiteral("[%1]\r\nItems=%2\r\n").arg(name).arg(captions.size());
    for (qsizetype i = 0; i < captions.size(); ++i) {
        m_text += QStringLiteral("Caption%1=%2\r\n").arg(i).arg(captions.at(i));
        if (i < values.size())
            m_text += QStringLiteral("value%1=%2\r\n").arg(i).arg(values.at(i));
    }
    if (index != -2)
        m_text += QStringLiteral("Index=%1\r\n").arg(index);
    if (!description.isEmpty())
        m_text += QStringLiteral("Description=%1\r\n").arg(description);
    return *this;
}

ProfileText &ProfileText::line(const QString &text)
{
    m_text += text + QStringLiteral("\r\n");
    return *this;
}

ProfileText ProfileText::complete()
{
    ProfileText text;
    text.type(QStringLiteral("avi"))
        .section(QStringLiteral("Video Codec"), {"MPEG-4", "MS-MPEG-4"}, 0, {"mpeg4", "msmpeg4"}, "The picture's codec.")
        .section(QStringLiteral("Video Size"), {"640x480", "320x240"}, 0, {"640:480", "320:240"}, "The picture's size.")
        .section(QStringLiteral("Video Bitrate"), {"800", "1200"}, 1, {}, "Kilobits a second.")
        .section(QStringLiteral("Aspect"), {"Auto", "4:3", "16:9"}, 0, {"", "4/3", "16/9"}, "Shape of the picture.")
        .section(QStringLiteral("Audio Codec"), {"MP3", "PCM"}, 0, {"mp3", "pcm"}, "The sound's codec.")
        .section(QStringLiteral("MP3 Encode"), {"VBR", "ABR", "CBR"}, 0, {"vbr", "abr", "cbr"}, "How MP3 spends its bits.")
        .section(QStringLiteral("VBR Quality"), {"High", "Normal"}, 1, {"2", "6"}, "Lower is better.")
        .section(QStringLiteral("ABR CBR Bitrate"), {"128", "192"}, 0, {"128", "192"}, "MP3 kilobits a second.")
        .section(QStringLiteral("Audio Bitrate"), {"128", "192"}, 0, {}, "Kilobits a second.")
        .section(QStringLiteral("Sample Rate"), {"44100", "48000"}, 0, {}, "Samples a second.")
        .section(QStringLiteral("Channels"), {"Mono", "Stereo"}, 1, {"1", "2"}, "Mono or stereo.");
    return text;
}

} // namespace velmora::test
