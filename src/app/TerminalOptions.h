#pragma once

#include "prefs/GeneralSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora::app {

// How a join from a terminal shows its progress.
enum class ProgressMode { Auto, Bar, Plain, Json, None };

// What the command line asks for when it is not the window's.
struct TerminalRequest
{
    enum class Action { Join, ListProfiles, Help, Version, Wrong };
    Action action = Action::Wrong;
    QString wrong; // what is wrong with the command line, for Wrong

    // For Join; unset options take the preferences' values.
    QString profile; // a name of the profile list or a profile file's path
    QString output;
    std::optional<prefs::OverwriteRule> rule; // Ask stands for --keep
    bool acceptLosses = false; // a join that copies goes on where it cannot keep everything
    QString tempDir;
    ProgressMode progress = ProgressMode::Auto;
    QStringList inputs;
    QString listFile;
};

// True when the arguments are for the terminal (a join, the profile list, help or the
// version) rather than files for the window to open: one of them is an option of ours.
bool IsTerminalCommand(const QStringList &arguments);

// The arguments without the program's name.
TerminalRequest ParseTerminalRequest(const QStringList &arguments);

// The help text of the terminal's command line.
QString TerminalHelp();

} // namespace velmora::app
