#pragma once

#include "profiles/OutputSettingsView.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace velmora::prefs {
class IniSnapshot;
}

namespace velmora::profiles {

struct ProfileEntry;

// A list takes at most this many entries of a profile; the rest are ignored.
inline constexpr int MaxProfileItems = 1000;

// One section of a profile as a load gives it: its captions, and the position the profile
// selects (-1 when its Index is missing or out of range).
struct ProfileSection
{
    QStringList captions;
    int index = -1;
};
ProfileSection ReadProfileSection(const prefs::IniSnapshot &profile, Section section);

// "." and the profile's type: what an output file's name must end in.
QString ProfileOutputExtension(const prefs::IniSnapshot &profile);

// A profile's output settings exactly as loading it sets them, without a dialog: each list
// at the position the profile selects, the picture size from the size list.
class LoadedProfile final : public OutputSettingsView
{
public:
    explicit LoadedProfile(const QString &path);

    const QString &path() const { return m_path; }
    const QString &outputExtension() const { return m_outputExtension; }

    int selectedIndex(Section section) const override;
    QString currentText(Section section) const override;
    bool sizeFromList() const override { return true; }
    QString manualWidth() const override { return QString(); }
    QString manualHeight() const override { return QString(); }

private:
    QString m_path;
    QString m_outputExtension;
    std::array<ProfileSection, AllSections.size()> m_sections;
};

// The profile a user names: a name as the profile list shows it, without regard to case, or
// the path of a profile file. Nothing when neither matches.
std::optional<QString> FindProfile(const QList<ProfileEntry> &profiles, const QString &profilesDir, const QString &nameOrPath);

} // namespace velmora::profiles
