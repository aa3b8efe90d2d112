#pragma once

#include <QString>

namespace velmora::platform {

// The program's progress on its taskbar entry or dock icon: the com.canonical.Unity.LauncherEntry
// signal on the session bus, which KDE's task manager and docks such as Dash to Dock and Plank
// read. A desktop without a reader ignores it. Sent only when the whole percent changes, so a
// job's hundreds of positions a second make at most a hundred signals.
class LauncherEntry
{
public:
    // desktopFileId: the desktop file's name without ".desktop".
    explicit LauncherEntry(const QString &desktopFileId);

    // fraction: 0 to 1; shows the progress.
    void progress(double fraction);
    // Takes the progress off the entry.
    void hide();

private:
    void update(double fraction, bool visible);

    QString m_appUri;
    int m_percent = -1; // what the entry shows; -1 none
};

} // namespace velmora::platform
