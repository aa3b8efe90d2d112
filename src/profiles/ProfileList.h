#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::profiles {

struct ProfileEntry
{
    QString name;     // shown in the profile list: the file name cut at its last "."
    QString fileName; // the file as found in the profile folder
    bool operator==(const ProfileEntry &) const = default;
};

// The profiles in a folder: plain, visible files whose extension, lower-cased, is ".bpf",
// ordered by file name without regard to case. A missing folder gives an empty list.
QList<ProfileEntry> discoverProfiles(const QString &profilesDir);

// The profile a first start chooses, the one that plays everywhere.
inline constexpr QLatin1String FirstStartProfile{"MP4 - H.264 and AAC (plays everywhere)"};

// The index in names (the profile list's) of the profile the preferences file chooses: its
// Profile key's where the file holds that key (read as it always was), else the first start's
// profile, else the first profile.
int ChosenProfile(const QString &preferencesFile, const QStringList &names);

} // namespace velmora::profiles
