#pragma once

#include <QString>

#include <stdexcept>

namespace velmora {

// An error raised below the application: an INI write the system refused, a file that
// cannot be opened, a text that is not a number. It is not caught where it arises; the
// general error handler (GuardedCall) shows its text and ends the operation.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }

    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

} // namespace velmora
