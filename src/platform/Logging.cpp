#include "platform/Logging.h"

namespace velmora {
Q_LOGGING_CATEGORY(appLog, "velmora.app", QtWarningMsg)
Q_LOGGING_CATEGORY(prefsLog, "velmora.prefs", QtWarningMsg)
Q_LOGGING_CATEGORY(tasksLog, "velmora.tasks", QtWarningMsg)
Q_LOGGING_CATEGORY(profilesLog, "velmora.profiles", QtWarningMsg)
Q_LOGGING_CATEGORY(jobLog, "velmora.job", QtWarningMsg)
Q_LOGGING_CATEGORY(encoderLog, "velmora.encoder", QtWarningMsg)
Q_LOGGING_CATEGORY(desktopLog, "velmora.desktop", QtWarningMsg)
} // namespace velmora
