#include "job/PositionReader.h"

#include <QRegularExpression>

namespace velmora::job {

PositionReader::PositionReader(Pass pass, QLocale locale)
    : m_pass(pass)
    , m_locale(std::move(locale))
{
}

void PositionReader::beginPass(Pass pass)
{
    m_pass = pass;
    m_positionText.clear();
    beginRun();
}

void PositionReader::beginRun()
{
    m_chunks = 0;
    m_position = 0;
    m_ownEncoder = false;
}

std::optional<double> PositionReader::takeChunk(const QByteArray &chunk)
{
    const int counter = m_chunks++;
    if (counter == 0)
        m_ownEncoder = chunk.startsWith(OwnEncoderLine);
    if (counter < SkippedChunks && !m_ownEncoder)
        return std::nullopt;
    // A zero byte ends the chunk's text.
    const qsizetype zero = chunk.indexOf('\0');
    const QByteArray text = zero < 0 ? chunk : chunk.left(zero);
    const qsizetype pos = text.indexOf("Pos:");
    if (pos >= 0) {
        const QByteArray rest = text.mid(pos + 4);
        const qsizetype s = rest.indexOf('s');
        m_positionText = s < 0 ? QByteArray() : rest.left(s);
    }
    const std::optional<double> value = convert(m_positionText);
    if (!value)
        return std::nullopt;
    if (m_pass == Pass::Conversion || *value > m_position)
        m_position = *value;
    return m_position;
}

std::optional<double> PositionReader::convert(const QByteArray &text) const
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    QString trimmed = QString::fromLatin1(text).trimmed();
    // MEncoder writes a point; the user's own decimal separator is taken too.
    const QString separator = m_locale.decimalPoint();
    if (separator != QLatin1String(".") && !trimmed.contains(QLatin1Char('.')))
        trimmed.replace(separator, QStringLiteral("."));
    if (!number.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace velmora::job
