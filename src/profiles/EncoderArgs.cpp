#include "profiles/EncoderArgs.h"

namespace velmora::profiles {

EncoderArgs &EncoderArgs::word(const QString &word)
{
    m_words.append({word, false});
    return *this;
}

EncoderArgs &EncoderArgs::words(const QStringList &words)
{
    for (const QString &one : words)
        word(one);
    return *this;
}

EncoderArgs &EncoderArgs::path(const QString &path)
{
    m_words.append({path, true});
    return *this;
}

EncoderArgs &EncoderArgs::append(const EncoderArgs &other)
{
    m_words += other.m_words;
    return *this;
}

QString EncoderArgs::text() const
{
    QString text;
    for (const Word &word : m_words) {
        text += QLatin1Char(' ');
        text += word.isPath ? QLatin1Char('"') + word.value + QLatin1Char('"') : word.value;
    }
    return text;
}

QStringList EncoderArgs::arguments() const
{
    QStringList arguments;
    for (const Word &word : m_words) {
        if (!word.value.isEmpty())
            arguments << word.value;
    }
    return arguments;
}

} // namespace velmora::profiles
