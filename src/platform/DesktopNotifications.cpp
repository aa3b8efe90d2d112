#include "platform/DesktopNotifications.h"

#include "platform/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace velmora::platform {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage callOf(const QString &method)
{
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}

// Calls then when the answer to call has come.
void whenAnswered(QObject *context, const QDBusPendingCall &call, std::function<void(QDBusPendingCallWatcher &)> then)
{
    auto *watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [then = std::move(then)](QDBusPendingCallWatcher *answered) {
        answered->deleteLater();
        then(*answered);
    });
}

} // namespace

QString NotificationBody(const QString &text, const QStringList &capabilities)
{
    return capabilities.contains(QStringLiteral("body-markup")) ? text.toHtmlEscaped() : text;
}

DesktopNotifications::DesktopNotifications(QString appName, QString desktopEntry, QObject *parent)
    : QObject(parent)
    , m_appName(std::move(appName))
    , m_desktopEntry(std::move(desktopEntry))
{
}

bool DesktopNotifications::listen()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(desktopLog).noquote() << "No notification: no session bus -" << bus.lastError().message();
        return false;
    }
    if (!m_listening) {
        m_listening = bus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint,QString)))
                      && bus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                                     SLOT(notificationClosed(uint,uint)));
    }
    return true;
}

void DesktopNotifications::prepare()
{
    if (listen())
        withCapabilities({});
}

void DesktopNotifications::notify(const Notice &notice)
{
    if (listen())
        withCapabilities([this, notice] { send(notice); });
}

void DesktopNotifications::withCapabilities(std::function<void()> then)
{
    if (m_capabilities) {
        if (then)
            then();
        return;
    }
    // Whether the body is read as markup, asked once.
    whenAnswered(this, QDBusConnection::sessionBus().asyncCall(callOf(QStringLiteral("GetCapabilities"))),
                 [this, then = std::move(then)](QDBusPendingCallWatcher &answer) {
                     const QDBusPendingReply<QStringList> reply = answer;
                     if (!m_capabilities)
                         m_capabilities = reply.isError() ? QStringList() : reply.value();
                     if (then)
                         then();
                 });
}

void DesktopNotifications::send(const Notice &notice)
{
    QStringList actions;
    if (!notice.actionKey.isEmpty())
        actions << notice.actionKey << notice.actionLabel;
    const QVariantMap hints{{QStringLiteral("desktop-entry"), m_desktopEntry}};
    QDBusMessage call = callOf(QStringLiteral("Notify"));
    call << m_appName << 0u << m_desktopEntry << notice.summary << NotificationBody(notice.body, m_capabilities.value_or(QStringList()))
         << actions << hints << -1;
    whenAnswered(this, QDBusConnection::sessionBus().asyncCall(call), [this, notice](QDBusPendingCallWatcher &answer) {
        const QDBusPendingReply<uint> reply = answer;
        if (reply.isError()) {
            qCInfo(desktopLog).noquote() << "No notification:" << reply.error().message();
            return;
        }
        qCInfo(desktopLog).noquote() << "Notification" << reply.value() << "shown:" << notice.summary;
        if (notice.onAction)
            m_actions.insert(reply.value(), {notice.actionKey, notice.onAction});
    });
}

void DesktopNotifications::actionInvoked(uint id, const QString &key)
{
    const auto found = m_actions.constFind(id);
    if (found == m_actions.constEnd() || found->first != key)
        return; // another program's, or not ours to answer
    const std::function<void()> action = found->second;
    qCInfo(desktopLog).noquote() << "Notification" << id << "action" << key;
    action();
}

void DesktopNotifications::notificationClosed(uint id, uint)
{
    m_actions.remove(id);
}

} // namespace velmora::platform
