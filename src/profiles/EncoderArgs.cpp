#include "profiles/EncoderArgs.h"

#include <algorithm>

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

EncoderArgs &EncoderArgs::replacePiece(const QString &option, const QString &piece, const QString &replacement)
{
    for (qsizetype i = 0; i + 1 < m_words.size(); ++i) {
        if (m_words.at(i).isPath || m_words.at(i).value != option)
            continue;
        QStringList pieces = m_words.at(i + 1).value.split(QLatin1Char(':'));
        std::replace(pieces.begin(), pieces.end(), piece, replacement);
        m_words[i + 1].value = pieces.join(QLatin1Char(':'));
    }
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
