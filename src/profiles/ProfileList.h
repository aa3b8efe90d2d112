#pragma once

#include <QList>
#include <QString>

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

} // namespace velmora::profiles
