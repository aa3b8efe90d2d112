#include "prefs/ProgramFolder.h"

#include "platform/Paths.h"
#include "prefs/PrefKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace velmora::prefs {

namespace {

// Whether this user may write the file: change it where it is, or create it in its folder.
// (Asked of the system, not read from the permission bits, which say nothing of root.)
bool canWrite(const QString &file)
{
    const QString target = QFileInfo::exists(file) ? file : QFileInfo(file).absolutePath();
    return ::access(QFile::encodeName(target).constData(), W_OK) == 0;
}

QString withSeparator(const QString &folder)
{
    return platform::IncludeBackslash(QDir::toNativeSeparators(folder));
}

} // namespace

ProgramFolder::ProgramFolder(const QString &folder, FirstStart firstStart)
    : ProgramFolder(folder, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                    QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation), firstStart)
{
}

ProgramFolder::ProgramFolder(const QString &folder, const QString &userConfigHome, const QString &userCacheHome,
                             FirstStart firstStart)
    : m_appDir(withSeparator(folder))
{
    const QString shipped = m_appDir + PreferencesFileName;
    if (canWrite(shipped) || userConfigHome.isEmpty()) {
        m_preferences = shipped;
        m_tempDir = m_appDir + QStringLiteral("temp") + QDir::separator();
        return;
    }
    m_perUser = true;
    const QString own = withSeparator(userConfigHome) + QStringLiteral("velmora") + QDir::separator();
    m_preferences = own + PreferencesFileName;
    if (!QFileInfo::exists(m_preferences) && firstStart == FirstStart::ReadShipped) {
        m_preferences = shipped;
    } else if (!QFileInfo::exists(m_preferences)) {
        // The first start of this user: the shipped preferences are the starting point.
        QDir().mkpath(own);
        if (QFile::copy(shipped, m_preferences))
            QFile::setPermissions(m_preferences, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    // The user's own cache, never a folder that another user could have made first.
    const QString cache = userCacheHome.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : userCacheHome;
    m_tempDir = withSeparator(cache) + QStringLiteral("velmora") + QDir::separator();
}

QString ProgramFolder::encoderPath() const { return m_appDir + QStringLiteral("asapi.dll"); }
QString ProgramFolder::profilesDir() const { return m_appDir + QStringLiteral("Profiles") + QDir::separator(); }
QString ProgramFolder::helpFile() const { return m_appDir + QStringLiteral("Tavisol.html"); }

} // namespace velmora::prefs
