#include "platform/SleepInhibitor.h"

#include "platform/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QVariantMap>

namespace velmora::platform {

namespace {

const QString LogindService = QStringLiteral("org.freedesktop.login1");
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");

// The portal's flags: 4 suspend, 8 idle (1 logout and 2 user switch stay free).
constexpr uint PortalSuspendAndIdle = 4 | 8;

QDBusConnection busOf(SleepInhibitor::Route route)
{
    return route == SleepInhibitor::Route::Logind ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
}

const char *nameOf(SleepInhibitor::Route route)
{
    return route == SleepInhibitor::Route::Logind ? "logind" : "the desktop portal";
}

} // namespace

SleepInhibitor::Route SleepInhibitor::routeHere()
{
    const bool sandboxed = QFileInfo::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP");
    return sandboxed ? Route::Portal : Route::Logind;
}

SleepInhibitor::SleepInhibitor(QString who, Route route, QObject *parent)
    : QObject(parent)
    , m_who(std::move(who))
    , m_route(route)
{
}

SleepInhibitor::~SleepInhibitor()
{
    release();
}

void SleepInhibitor::hold(const QString &why)
{
    m_wanted = true;
    if (m_pending || isHeld())
        return;
    QDBusConnection bus = busOf(m_route);
    if (!bus.isConnected()) {
        qCInfo(desktopLog).noquote() << "No sleep inhibitor: no bus for" << nameOf(m_route) << "-" << bus.lastError().message();
        return;
    }
    QDBusMessage call;
    if (m_route == Route::Logind) {
        call = QDBusMessage::createMethodCall(LogindService, QStringLiteral("/org/freedesktop/login1"),
                                              QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        call << QStringLiteral("sleep:idle") << m_who << why << QStringLiteral("block");
    } else {
        call = QDBusMessage::createMethodCall(PortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
                                              QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        call << QString() << PortalSuspendAndIdle << QVariantMap{{QStringLiteral("reason"), why}};
    }
    m_pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(m_pending, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::answered);
}

void SleepInhibitor::answered(QDBusPendingCallWatcher *call)
{
    m_pending = nullptr;
    call->deleteLater();
    if (call->isError()) {
        qCInfo(desktopLog).noquote() << "No sleep inhibitor from" << nameOf(m_route) << "-" << call->error().message();
        return;
    }
    if (m_route == Route::Logind) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
        m_lock = reply.value();
    } else {
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        m_request = reply.value().path();
    }
    // Let go before the answer came: what it brought goes at once.
    if (!m_wanted) {
        release();
        return;
    }
    qCInfo(desktopLog) << "Holding a sleep inhibitor from" << nameOf(m_route);
}

void SleepInhibitor::release()
{
    m_wanted = false;
    if (m_lock.isValid()) {
        m_lock = QDBusUnixFileDescriptor(); // the last copy of the descriptor closes
        qCInfo(desktopLog) << "Let go of the sleep inhibitor";
    }
    if (!m_request.isEmpty()) {
        closePortalRequest(m_request);
        m_request.clear();
        qCInfo(desktopLog) << "Let go of the sleep inhibitor";
    }
}

void SleepInhibitor::closePortalRequest(const QString &handle)
{
    const QDBusMessage close = QDBusMessage::createMethodCall(PortalService, handle, QStringLiteral("org.freedesktop.portal.Request"),
                                                              QStringLiteral("Close"));
    busOf(m_route).send(close);
}

bool SleepInhibitor::isHeld() const
{
    return m_lock.isValid() || !m_request.isEmpty();
}

} // namespace velmora::platform
