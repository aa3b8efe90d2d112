#pragma once

#include "prefs/GeneralSettings.h"

#include <QString>

namespace velmora::prefs {

class IniFile;

// The general choices one section of the preferences holds ([Main], or the factory values in
// [Default]), each with its fallback.
struct SavedChoices
{
    QString outputFile;
    bool openDir = false;
    bool exit = false;
    bool turnOff = false;
    bool ask = false;
    bool overwrite = false;
    bool rename = false;

    // The three rule keys as the settings dialog's buttons take them, one after the other: the
    // last one set wins, and none may be set.
    OverwriteRule rule() const;
};

SavedChoices ReadChoices(const IniFile &preferences, const QString &section, bool openDirDefault);

} // namespace velmora::prefs
