#include "prefs/ProgramFolder.h"

#include "platform/Paths.h"
#include "prefs/PrefKeys.h"

#include <QDir>

namespace velmora::prefs {

ProgramFolder::ProgramFolder(const QString &folder)
    : m_appDir(platform::IncludeBackslash(QDir::toNativeSeparators(folder)))
{
}

QString ProgramFolder::preferencesFile() const { return m_appDir + PreferencesFileName; }
QString ProgramFolder::encoderPath() const { return m_appDir + QStringLiteral("asapi.dll"); }
QString ProgramFolder::profilesDir() const { return m_appDir + QStringLiteral("Profiles") + QDir::separator(); }
QString ProgramFolder::helpFile() const { return m_appDir + QStringLiteral("Tavisol.html"); }
QString ProgramFolder::defaultTempDir() const { return m_appDir + QStringLiteral("temp") + QDir::separator(); }

} // namespace velmora::prefs
