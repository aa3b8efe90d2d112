#include "profiles/ProfileList.h"

#include "platform/Logging.h"
#include "platform/Paths.h"
#include "prefs/IniFile.h"
#include "prefs/PrefKeys.h"

#include <QDir>

#include <algorithm>

namespace velmora::profiles {

QList<ProfileEntry> discoverProfiles(const QString &profilesDir)
{
    QStringList names = QDir(profilesDir).entryList(QDir::Files, QDir::Unsorted);
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QList<ProfileEntry> profiles;
    for (const QString &name : std::as_const(names)) {
        if (platform::ExtractFileExt(name).toLower() == QLatin1String(".bpf"))
            profiles.append({platform::StripExtension(name), name});
    }
    qCInfo(profilesLog).noquote() << "Found" << profiles.size() << "profiles in" << profilesDir;
    return profiles;
}

int ChosenProfile(const QString &preferencesFile, const QStringList &names)
{
    const prefs::IniSnapshot preferences(preferencesFile);
    if (preferences.value(prefs::section::Main, prefs::key::Profile))
        return preferences.readInteger(prefs::section::Main, prefs::key::Profile, prefs::DefaultProfile);
    const qsizetype plays = names.indexOf(FirstStartProfile);
    return plays < 0 ? prefs::DefaultProfile : int(plays);
}

} // namespace velmora::profiles
