#pragma once

#include <QString>

namespace velmora::prefs {

// The program folder and the fixed files beside the program. appDir always ends in the
// platform's separator.
class ProgramFolder
{
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString &folder);

    const QString &appDir() const { return m_appDir; }
    QString preferencesFile() const;
    QString encoderPath() const;
    QString profilesDir() const;
    QString helpFile() const;
    QString defaultTempDir() const;

private:
    QString m_appDir;
};

} // namespace velmora::prefs
