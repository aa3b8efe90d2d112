#pragma once

#include "support/TestFolder.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <vector>

class QSocketNotifier;

namespace velmora::test {

// A D-Bus daemon of the test's own. Its configuration names no service folders, so nothing is
// ever started on it by a call: what the program says reaches only the fakes below. A test
// makes it the system and session bus of its own process (before either is first used) and of
// the programs it starts, so that no test talks to the machine's real buses.
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    QString address() const { return m_address; }
    // The fakes' own connection to it.
    QDBusConnection fakes() const;
    // DBUS_SYSTEM_BUS_ADDRESS and DBUS_SESSION_BUS_ADDRESS name this bus from now on.
    void standInForSystemAndSession() const;

private:
    TestFolder m_folder;
    QProcess m_daemon;
    QString m_address;
};

// logind's Manager: Inhibit hands out one end of a pipe and watches its own end, so that the
// lock counts as let go once no process holds the other end open.
class FakeLogind final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    struct Lock
    {
        QString what;
        QString who;
        QString why;
        QString mode;
        bool open = true;

        // what, who, why and mode
        QStringList fields() const { return {what, who, why, mode}; }
    };

    explicit FakeLogind(const QDBusConnection &bus);
    ~FakeLogind() override;

    const QList<Lock> &locks() const { return m_locks; }
    int openLocks() const;

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why, const QString &mode);

private:
    QDBusConnection m_bus;
    QList<Lock> m_locks;
    std::vector<std::unique_ptr<QSocketNotifier>> m_watches;
};

// The desktop portal's Inhibit: each call makes a Request object, which Close ends.
class FakePortal final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")

public:
    struct Request
    {
        QString window;
        uint flags = 0;
        QVariantMap options;
        bool closed = false;
    };

    explicit FakePortal(const QDBusConnection &bus);
    ~FakePortal() override;

    const QList<Request> &requests() const { return m_requests; }

public Q_SLOTS:
    QDBusObjectPath Inhibit(const QString &window, uint flags, const QVariantMap &options);

private:
    friend class FakePortalRequest;
    QDBusConnection m_bus;
    QList<Request> m_requests;
    std::vector<std::unique_ptr<QObject>> m_objects;
};

// A notification server that shows nothing and remembers everything.
class FakeNotifications final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown
    {
        uint id = 0;
        QString appName;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };

    explicit FakeNotifications(const QDBusConnection &bus);
    ~FakeNotifications() override;

    QStringList capabilities{QStringLiteral("actions"), QStringLiteral("body")};
    const QList<Shown> &shown() const { return m_shown; }
    // The user chose an action on a notification.
    void invoke(uint id, const QString &key);

public Q_SLOTS:
    QStringList GetCapabilities();
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int timeout);
    void CloseNotification(uint id);

private:
    QDBusConnection m_bus;
    QList<Shown> m_shown;
};

// What a taskbar reads of com.canonical.Unity.LauncherEntry.
class LauncherListener final : public QObject
{
    Q_OBJECT

public:
    struct Update
    {
        QString appUri;
        double progress = -1;
        bool visible = false;
    };

    explicit LauncherListener(const QDBusConnection &bus);

    const QList<Update> &updates() const { return m_updates; }

private Q_SLOTS:
    void update(const QString &appUri, const QVariantMap &properties);

private:
    QList<Update> m_updates;
};

} // namespace velmora::test
