#pragma once

#include "job/JobDriver.h"
#include "platform/DesktopNotifications.h"
#include "platform/LauncherEntry.h"
#include "platform/SleepInhibitor.h"

#include <QLatin1String>

#include <optional>

namespace velmora::app {

// The desktop's own name for the program: its desktop file's, its icon's and its AppStream id.
inline constexpr QLatin1String DesktopFileId{"org.example.velmora.Velmora"};

// A play time as a player shows it, to the second: "0:07", "12:04", "1:02:05".
QString PlayTimeText(double seconds);

// What a notification says of a job's end: the output joined (with Open Folder), or the
// failure's title and the first line of its message. Nothing for a job the user stopped or
// that never ran: the user was there to see it.
std::optional<platform::Notice> EndNotice(const job::JobReport &report);

// The window's job as the desktop sees it: the computer does not sleep while it runs, the
// taskbar entry shows its progress, and when it ends with the window in the background a
// notification says how. The terminal join holds only the sleep inhibitor.
class DesktopJob final
{
public:
    DesktopJob();

    void begins();
    // The whole job's progress, as the total bar shows it.
    void progress(int percent);
    void ends(const job::JobReport &report, bool windowActive);

    const platform::SleepInhibitor &sleepInhibitor() const { return m_sleep; }

private:
    platform::SleepInhibitor m_sleep;
    platform::DesktopNotifications m_notifications;
    platform::LauncherEntry m_launcher;
    bool m_running = false;
};

} // namespace velmora::app
