#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace velmora::prefs {

// An INI file on disk, read and written key by key. Opening touches nothing; every read
// goes to the file as it is on disk at that moment and every write reaches the disk before
// it returns. Section and key names match without regard to case; a write changes only the
// one line it concerns (or adds it) and leaves every other byte of the file as it was.
class IniFile
{
public:
    static constexpr qsizetype MaxTextLength = 2047;

    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    // Reads never fail: a missing file, section or key, or an unreadable value, gives def.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;

    // A write the system refuses raises velmora::Error "Unable to write to <full path>".
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

private:
    QString m_path;
};

// An INI file read once, for many reads of what it held at that moment (a whole profile at
// a load). The reads follow IniFile's rules: the first section of a name, the first key of
// a name in it, without regard to case.
class IniSnapshot
{
public:
    explicit IniSnapshot(const QString &path);

    QString readString(const QString &section, const QString &key, const QString &def) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    // The key's text; nothing where the file does not hold the key.
    std::optional<QString> value(const QString &section, const QString &key) const;

private:
    QHash<QString, QHash<QString, QString>> m_sections; // by lower-case names
};

// Integer text as the INI files hold it: decimal with an optional sign, or hexadecimal after
// "0x" or "0X" (when longer than two characters), fitting 32 bits. Anything else: nothing.
std::optional<int> parseIniInteger(const QString &text);

} // namespace velmora::prefs
