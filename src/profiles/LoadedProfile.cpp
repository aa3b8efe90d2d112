#include "profiles/LoadedProfile.h"

#include "platform/Paths.h"
#include "prefs/IniFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfileTexts.h"

#include <QFileInfo>

#include <algorithm>

namespace velmora::profiles {

ProfileSection ReadProfileSection(const prefs::IniSnapshot &profile, Section section)
{
    const QString name = sectionName(section);
    ProfileSection loaded;
    const int items = std::min(profile.readInteger(name, key::Items, 0), MaxProfileItems);
    for (int position = 0; position < items; ++position)
        loaded.captions << profile.readString(name, key::Caption + QString::number(position), QString());
    const int index = profile.readInteger(name, key::Index, -1);
    loaded.index = index >= 0 && index < loaded.captions.size() ? index : -1;
    return loaded;
}

QString ProfileOutputExtension(const prefs::IniSnapshot &profile)
{
    return QLatin1Char('.') + profile.readString(key::Main, key::Type, DefaultType);
}

LoadedProfile::LoadedProfile(const QString &path)
    : m_path(path)
{
    const prefs::IniSnapshot profile(path);
    m_outputExtension = ProfileOutputExtension(profile);
    for (const Section section : AllSections)
        m_sections.at(static_cast<size_t>(section)) = ReadProfileSection(profile, section);
}

int LoadedProfile::selectedIndex(Section section) const
{
    return m_sections.at(static_cast<size_t>(section)).index;
}

QString LoadedProfile::currentText(Section section) const
{
    const ProfileSection &loaded = m_sections.at(static_cast<size_t>(section));
    return loaded.index >= 0 ? loaded.captions.at(loaded.index) : QString();
}

std::optional<QString> FindProfile(const QList<ProfileEntry> &profiles, const QString &profilesDir, const QString &nameOrPath)
{
    for (const ProfileEntry &profile : profiles) {
        if (profile.name.compare(nameOrPath, Qt::CaseInsensitive) == 0)
            return profilesDir + profile.fileName;
    }
    const QFileInfo file(nameOrPath);
    if (platform::ExtractFileExt(nameOrPath).toLower() == ProfileExtension && file.isFile())
        return file.absoluteFilePath();
    return std::nullopt;
}

} // namespace velmora::profiles
