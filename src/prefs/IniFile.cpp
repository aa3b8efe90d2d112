#include "prefs/IniFile.h"

#include "platform/Error.h"
#include "platform/Logging.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QCoreApplication>

namespace velmora::prefs {

namespace {

// One line of the file, as byte offsets: [begin, end) is its text without the line break,
// next is where the following line begins.
struct Line
{
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

class Document
{
public:
    explicit Document(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
        qsizetype pos = 0;
        // A UTF-8 byte order mark belongs to no line's text.
        if (m_bytes.startsWith("\xEF\xBB\xBF"))
            pos = 3;
        while (pos < m_bytes.size()) {
            const qsizetype newline = m_bytes.indexOf('\n', pos);
            Line line;
            line.begin = pos;
            line.next = newline < 0 ? m_bytes.size() : newline + 1;
            line.end = newline < 0 ? m_bytes.size() : newline;
            if (line.end > line.begin && m_bytes.at(line.end - 1) == '\r')
                --line.end;
            m_lines << line;
            pos = line.next;
        }
    }

    const QByteArray &bytes() const { return m_bytes; }
    const QList<Line> &lines() const { return m_lines; }

    QString text(const Line &line) const
    {
        return QString::fromUtf8(m_bytes.constData() + line.begin, line.end - line.begin);
    }

    // The section name of a "[name]" line.
    std::optional<QString> sectionName(const Line &line) const
    {
        const QString trimmed = text(line).trimmed();
        if (!trimmed.startsWith(QLatin1Char('[')))
            return std::nullopt;
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        return trimmed.mid(1, close - 1).trimmed();
    }

    // The key name of a "key=value" line.
    std::optional<QString> keyName(const Line &line) const
    {
        const QString lineText = text(line);
        const qsizetype equals = lineText.indexOf(QLatin1Char('='));
        if (equals < 0)
            return std::nullopt;
        const QString key = lineText.left(equals).trimmed();
        if (key.isEmpty())
            return std::nullopt;
        return key;
    }

    // Line index range [first, last) of the first section of that name, the header excluded.
    std::optional<std::pair<qsizetype, qsizetype>> findSection(const QString &section) const
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const auto name = sectionName(m_lines.at(i));
            if (!name || name->compare(section, Qt::CaseInsensitive) != 0)
                continue;
            qsizetype last = i + 1;
            while (last < m_lines.size() && !sectionName(m_lines.at(last)))
                ++last;
            return std::make_pair(i + 1, last);
        }
        return std::nullopt;
    }

    std::optional<qsizetype> findKey(const std::pair<qsizetype, qsizetype> &range, const QString &key) const
    {
        for (qsizetype i = range.first; i < range.second; ++i) {
            const auto name = keyName(m_lines.at(i));
            if (name && name->compare(key, Qt::CaseInsensitive) == 0)
                return i;
        }
        return std::nullopt;
    }

    std::optional<QString> value(const QString &section, const QString &key) const
    {
        const auto range = findSection(section);
        if (!range)
            return std::nullopt;
        const auto index = findKey(*range, key);
        if (!index)
            return std::nullopt;
        const QString lineText = text(m_lines.at(*index));
        return lineText.mid(lineText.indexOf(QLatin1Char('=')) + 1).trimmed();
    }

    // The line break that added lines get: the one the file already uses, CRLF for a file
    // that has none yet.
    QByteArray lineBreak() const
    {
        const qsizetype newline = m_bytes.indexOf('\n');
        if (newline > 0 && m_bytes.at(newline - 1) == '\r')
            return "\r\n";
        if (newline >= 0)
            return "\n";
        return "\r\n";
    }

    QByteArray withValue(const QString &section, const QString &key, const QString &value) const
    {
        const QByteArray eol = lineBreak();
        const QByteArray valueBytes = value.toUtf8();
        QByteArray result = m_bytes;

        const auto range = findSection(section);
        if (!range) {
            if (!result.isEmpty() && !result.endsWith('\n'))
                result += eol;
            result += '[' + section.toUtf8() + ']' + eol + key.toUtf8() + '=' + valueBytes + eol;
            return result;
        }

        if (const auto index = findKey(*range, key)) {
            // Keep the key as the file spells it, with its blanks around "="; replace the value.
            const Line &line = m_lines.at(*index);
            qsizetype valueStart = m_bytes.indexOf('=', line.begin) + 1;
            while (valueStart < line.end && (m_bytes.at(valueStart) == ' ' || m_bytes.at(valueStart) == '\t'))
                ++valueStart;
            result.replace(valueStart, line.end - valueStart, valueBytes);
            return result;
        }

        // A new key goes after the last line of its section that is not blank.
        qsizetype after = range->first - 1;
        for (qsizetype i = range->first; i < range->second; ++i) {
            if (!text(m_lines.at(i)).trimmed().isEmpty())
                after = i;
        }
        const Line &line = m_lines.at(after);
        const QByteArray entry = key.toUtf8() + '=' + valueBytes;
        if (line.next == line.end) // the file's last line, without a line break
            result.insert(line.next, eol + entry);
        else
            result.insert(line.next, entry + eol);
        return result;
    }

private:
    QByteArray m_bytes;
    QList<Line> m_lines;
};

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QString> readValue(const QString &path, const QString &section, const QString &key)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return Document(*bytes).value(section, key);
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const auto value = readValue(m_path, section, key);
    return value ? value->left(MaxTextLength) : def;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const auto value = readValue(m_path, section, key);
    if (!value)
        return def;
    return parseIniInteger(value->left(MaxTextLength)).value_or(def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

IniSnapshot::IniSnapshot(const QString &path)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return;
    const Document document(*bytes);
    QHash<QString, QString> *current = nullptr;
    for (const Line &line : document.lines()) {
        if (const auto name = document.sectionName(line)) {
            // A later section of a name already seen is never read.
            const QString lower = name->toLower();
            current = m_sections.contains(lower) ? nullptr : &m_sections[lower];
            continue;
        }
        const auto key = document.keyName(line);
        if (!current || !key || current->contains(key->toLower()))
            continue;
        const QString text = document.text(line);
        current->insert(key->toLower(), text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed());
    }
}

std::optional<QString> IniSnapshot::value(const QString &section, const QString &key) const
{
    const auto found = m_sections.constFind(section.toLower());
    if (found == m_sections.constEnd())
        return std::nullopt;
    const auto entry = found->constFind(key.toLower());
    if (entry == found->constEnd())
        return std::nullopt;
    return entry->left(IniFile::MaxTextLength);
}

QString IniSnapshot::readString(const QString &section, const QString &key, const QString &def) const
{
    return value(section, key).value_or(def);
}

int IniSnapshot::readInteger(const QString &section, const QString &key, int def) const
{
    const auto text = value(section, key);
    return text ? parseIniInteger(*text).value_or(def) : def;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString fullPath = QFileInfo(m_path).absoluteFilePath();
    const auto refuse = [&fullPath] { return velmora::Error(QCoreApplication::translate("Velmora", "Unable to write to %1").arg(fullPath)); };

    // A file that is there but cannot be read must not be replaced by the one line we know.
    QByteArray current;
    if (QFileInfo::exists(m_path)) {
        const auto bytes = readBytes(m_path);
        if (!bytes)
            throw refuse();
        current = *bytes;
    }

    // A line break inside the value would turn the rest of it into lines of their own.
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    const QByteArray updated = Document(current).withValue(section, key, oneLine);
    QSaveFile file(m_path);
    // Replaced whole through a new file beside it where the folder allows; in place where
    // only the file itself may be written (a shared program folder).
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(updated) != updated.size() || !file.commit()) {
        qCInfo(prefsLog).noquote() << "Could not write" << m_path << "-" << file.errorString();
        throw refuse();
    }
    qCDebug(prefsLog).noquote() << "Wrote" << section << key << "=" << oneLine << "to" << m_path;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

std::optional<int> parseIniInteger(const QString &text)
{
    bool ok = false;
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(2);
        for (const QChar c : digits) {
            if (!isAsciiDigit(c) && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
                return std::nullopt;
        }
        const quint32 value = digits.toUInt(&ok, 16);
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isAsciiDigit(c) && !(i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))))
            return std::nullopt;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace velmora::prefs
