#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace velmora::platform {

// One desktop notification: a line that says what happened, and optionally more text and
// one action the user can choose on it.
struct Notice
{
    QString summary;
    QString body; // plain text
    QString actionKey;
    QString actionLabel;
    std::function<void()> onAction; // runs when the user chooses the action
};

// Notifications through org.freedesktop.Notifications on the session bus, as GNOME, KDE and
// the other desktops show them. Nothing is waited for: the server's answers arrive while
// events are served. Without a session bus or a server nothing is shown, and the log says why.
class DesktopNotifications final : public QObject
{
    Q_OBJECT

public:
    // appName: the name the notification shows; desktopEntry: the desktop file's id (without
    // ".desktop"), whose icon and name the desktop takes.
    DesktopNotifications(QString appName, QString desktopEntry, QObject *parent = nullptr);

    // Asks the server what it shows, ahead of the first notification, so that the notification
    // goes out at once, also just before the program ends.
    void prepare();
    void notify(const Notice &notice);

private Q_SLOTS:
    void actionInvoked(uint id, const QString &key);
    void notificationClosed(uint id, uint reason);

private:
    bool listen();
    // Asks the server what it shows; then runs after the answer, or at once when known.
    void withCapabilities(std::function<void()> then);
    void send(const Notice &notice);

    QString m_appName;
    QString m_desktopEntry;
    bool m_listening = false;
    std::optional<QStringList> m_capabilities; // the server's, once asked
    QHash<uint, std::pair<QString, std::function<void()>>> m_actions; // by notification id
};

// The body as a server shows it: with markup escaped where the server reads markup.
QString NotificationBody(const QString &text, const QStringList &capabilities);

} // namespace velmora::platform
