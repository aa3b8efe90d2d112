#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::test {

// Writes the text of a profile file, section by section.
class ProfileText
{
public:
    ProfileText &type(const QString &type);
    // captions with their values (values may be shorter or empty); index -2 leaves "Index" out.
    ProfileText &section(const QString &name, const QStringList &captions, int index, const QStringList &values = {},
                         const QString &description = {});
    ProfileText &line(const QString &text);
    QByteArray bytes() const { return m_text.toUtf8(); }

    // A profile with every section filled: MP3 audio in VBR mode, 640x480, 1200 kbit/s.
    static ProfileText complete();

private:
    QString m_text;
};

} // namespace velmora::test
