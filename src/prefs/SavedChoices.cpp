#include "prefs/SavedChoices.h"

#include "prefs/IniFile.h"
#include "prefs/PrefKeys.h"

namespace velmora::prefs {

OverwriteRule SavedChoices::rule() const
{
    if (rename)
        return OverwriteRule::Rename;
    if (overwrite)
        return OverwriteRule::Overwrite;
    return ask ? OverwriteRule::Ask : OverwriteRule::None;
}

SavedChoices ReadChoices(const IniFile &preferences, const QString &section, bool openDirDefault)
{
    SavedChoices choices;
    choices.outputFile = preferences.readString(section, key::OutputFile, DefaultOutputFile);
    choices.openDir = preferences.readBool(section, key::AutoOpenDir, openDirDefault);
    choices.exit = preferences.readBool(section, key::AutoExit, DefaultAutoExit);
    choices.turnOff = preferences.readBool(section, key::AutoTurnOff, DefaultAutoTurnOff);
    choices.ask = preferences.readBool(section, key::Ask, DefaultAsk);
    choices.overwrite = preferences.readBool(section, key::Overwrite, DefaultOverwrite);
    choices.rename = preferences.readBool(section, key::Rename, DefaultRename);
    return choices;
}

} // namespace velmora::prefs
