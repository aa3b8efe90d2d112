#pragma once

#include <QLoggingCategory>

// One logging category per part of the program. All are quiet below warnings unless turned on,
// for example QT_LOGGING_RULES="velmora.*=true" for everything, or "velmora.job=true" for the
// command lines the job runs and how each run ended.
namespace velmora {
Q_DECLARE_LOGGING_CATEGORY(appLog)      // velmora.app: start-up, the program folder
Q_DECLARE_LOGGING_CATEGORY(prefsLog)    // velmora.prefs: preference files read and written
Q_DECLARE_LOGGING_CATEGORY(tasksLog)    // velmora.tasks: files added and measured
Q_DECLARE_LOGGING_CATEGORY(profilesLog) // velmora.profiles: profiles loaded
Q_DECLARE_LOGGING_CATEGORY(jobLog)      // velmora.job: the passes, each command line, each run's end
Q_DECLARE_LOGGING_CATEGORY(encoderLog)  // velmora.encoder: the encoder process and what it wrote
Q_DECLARE_LOGGING_CATEGORY(desktopLog)  // velmora.desktop: the sleep inhibitor, notifications and taskbar progress
} // namespace velmora
