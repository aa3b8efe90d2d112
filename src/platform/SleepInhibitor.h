#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace velmora::platform {

// Keeps the computer from suspending while it is held.
//
// Outside a sandbox it is logind's inhibitor lock ("sleep:idle", mode "block") on the system
// bus: logind hands back a file descriptor, and the lock lasts as long as that descriptor is
// open anywhere. It is opened close-on-exec, so an encoder the program starts never keeps it,
// and it closes with the process however the process ends. "sleep" refuses a suspend asked for
// by the desktop's power settings or the user; "idle" keeps logind's own idle action (and the
// desktops that follow logind's idle hint) from trying one. The screen may still blank.
//
// In a Flatpak or Snap sandbox, where the system bus is out of reach, it is the desktop
// portal's Inhibit on the session bus (suspend and idle), which lasts until its request is
// closed or the program's bus connection ends.
//
// The request is asked without waiting: the answer arrives while events are served (a job
// serves them all the time). Without a bus or a service nothing is held, and the log says why;
// nothing else ever fails for it.
class SleepInhibitor final : public QObject
{
    Q_OBJECT

public:
    enum class Route { Logind, Portal };
    // The portal inside a sandbox, logind elsewhere.
    static Route routeHere();

    // who: the program's name, as the inhibitor lists show it.
    explicit SleepInhibitor(QString who, Route route = routeHere(), QObject *parent = nullptr);
    ~SleepInhibitor() override;
    SleepInhibitor(const SleepInhibitor &) = delete;
    SleepInhibitor &operator=(const SleepInhibitor &) = delete;

    // Asks for the lock with why as its reason; nothing when it is already held or asked for.
    void hold(const QString &why);
    // Lets go of the lock, also of one whose answer has not come yet.
    void release();
    // Whether the lock is in place: asked for, answered and not let go since.
    bool isHeld() const;

private:
    void answered(QDBusPendingCallWatcher *call);
    void closePortalRequest(const QString &handle);

    QString m_who;
    Route m_route;
    bool m_wanted = false;
    QDBusPendingCallWatcher *m_pending = nullptr;
    QDBusUnixFileDescriptor m_lock; // logind's
    QString m_request;              // the portal's request object
};

} // namespace velmora::platform
