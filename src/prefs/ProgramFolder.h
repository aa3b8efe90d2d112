#pragma once

#include <QString>

namespace velmora::prefs {

// The program folder and the fixed files beside the program. appDir always ends in the
// platform's separator.
//
// The preferences live in the program folder when they can be written there (a portable
// copy, a build). In a shared, read-only installation each user has their own, in the
// user's configuration folder, copied from the program folder's the first time; the
// temporary folder's default is then in the user's own cache.
class ProgramFolder
{
public:
    // What a user's first start does when the user has no preferences of their own yet: copy
    // the shipped ones, or, for a run that saves nothing, read the shipped ones where they are.
    enum class FirstStart { CopyPreferences, ReadShipped };

    ProgramFolder() = default;
    // The user's folders from the environment (XDG_CONFIG_HOME, XDG_CACHE_HOME or their
    // defaults under the home folder).
    explicit ProgramFolder(const QString &folder, FirstStart firstStart = FirstStart::CopyPreferences);
    ProgramFolder(const QString &folder, const QString &userConfigHome, const QString &userCacheHome,
                  FirstStart firstStart = FirstStart::CopyPreferences);

    const QString &appDir() const { return m_appDir; }
    QString preferencesFile() const { return m_preferences; }
    bool perUserPreferences() const { return m_perUser; }
    QString encoderPath() const;
    QString profilesDir() const;
    QString helpFile() const;
    QString defaultTempDir() const { return m_tempDir; }

private:
    QString m_appDir;
    QString m_preferences;
    QString m_tempDir;
    bool m_perUser = false;
};

} // namespace velmora::prefs
