#include "support/FakeDesktopBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSocketNotifier>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace velmora::test {

namespace {

const QString FakesConnection = QStringLiteral("velmora-test-fakes");

void serve(QDBusConnection bus, const QString &service, const QString &path, QObject *object)
{
    if (!bus.registerObject(path, object, QDBusConnection::ExportAllSlots))
        qWarning("Cannot register %s on the private bus", qPrintable(path));
    if (!service.isEmpty() && !bus.registerService(service))
        qWarning("Cannot own %s on the private bus", qPrintable(service));
}

} // namespace

PrivateBus::PrivateBus()
{
    // A session bus's rules, without the service folders the system's session bus reads.
    const QString config = m_folder.write(
        QStringLiteral("bus.conf"),
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <listen>unix:dir=%1</listen>\n"
                       "  <auth>EXTERNAL</auth>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n"
                       "    <allow own=\"*\"/>\n"
                       "  </policy>\n"
                       "</busconfig>\n")
            .arg(m_folder.path())
            .toUtf8());
    m_daemon.setProgram(QStringLiteral("dbus-daemon"));
    m_daemon.setArguments({QStringLiteral("--config-file=") + config, QStringLiteral("--print-address"), QStringLiteral("--nofork")});
    m_daemon.start(QIODevice::ReadOnly);
    QByteArray printed;
    while (!printed.contains('\n') && m_daemon.waitForReadyRead(10000))
        printed += m_daemon.readAllStandardOutput();
    m_address = QString::fromUtf8(printed).trimmed();
    if (m_address.isEmpty()) {
        qWarning("dbus-daemon did not start: %s", m_daemon.readAllStandardError().constData());
        return;
    }
    QDBusConnection::connectToBus(m_address, FakesConnection);
}

PrivateBus::~PrivateBus()
{
    QDBusConnection::disconnectFromBus(FakesConnection);
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QDBusConnection PrivateBus::fakes() const
{
    return QDBusConnection(FakesConnection);
}

void PrivateBus::standInForSystemAndSession() const
{
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}

FakeLogind::FakeLogind(const QDBusConnection &bus)
    : m_bus(bus)
{
    serve(m_bus, QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"), this);
}

FakeLogind::~FakeLogind()
{
    m_bus.unregisterService(QStringLiteral("org.freedesktop.login1"));
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    for (auto &watch : m_watches) {
        const int end = static_cast<int>(watch->socket());
        watch.reset();
        ::close(end);
    }
}

int FakeLogind::openLocks() const
{
    return static_cast<int>(std::count_if(m_locks.begin(), m_locks.end(), [](const Lock &lock) { return lock.open; }));
}

QDBusUnixFileDescriptor FakeLogind::Inhibit(const QString &what, const QString &who, const QString &why, const QString &mode)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        qFatal("pipe2 failed");
    const qsizetype index = m_locks.size();
    m_locks.append(Lock{what, who, why, mode, true});
    // Readable with nothing to read: every copy of the other end is closed.
    auto watch = std::make_unique<QSocketNotifier>(ends[0], QSocketNotifier::Read);
    connect(watch.get(), &QSocketNotifier::activated, this, [this, index](QSocketDescriptor socket) {
        char byte;
        if (::read(static_cast<int>(socket), &byte, 1) == 0) {
            m_locks[index].open = false;
            m_watches[static_cast<size_t>(index)]->setEnabled(false);
        }
    });
    m_watches.push_back(std::move(watch));
    QDBusUnixFileDescriptor handed(ends[1]); // a copy of its own
    ::close(ends[1]);
    return handed;
}

// One Inhibit request of the portal, at the path its Inhibit returned.
class FakePortalRequest final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    FakePortalRequest(FakePortal &portal, qsizetype index)
        : m_portal(portal)
        , m_index(index)
    {
    }

public Q_SLOTS:
    void Close() { m_portal.m_requests[m_index].closed = true; }

private:
    FakePortal &m_portal;
    qsizetype m_index;
};

FakePortal::FakePortal(const QDBusConnection &bus)
    : m_bus(bus)
{
    serve(m_bus, QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"), this);
}

FakePortal::~FakePortal()
{
    m_bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    for (qsizetype index = 0; index < m_requests.size(); ++index)
        m_bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop/request/test/%1").arg(index));
}

QDBusObjectPath FakePortal::Inhibit(const QString &window, uint flags, const QVariantMap &options)
{
    const qsizetype index = m_requests.size();
    m_requests.append(Request{window, flags, options, false});
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/test/%1").arg(index);
    m_objects.push_back(std::make_unique<FakePortalRequest>(*this, index));
    serve(m_bus, QString(), path, m_objects.back().get());
    return QDBusObjectPath(path);
}

FakeNotifications::FakeNotifications(const QDBusConnection &bus)
    : m_bus(bus)
{
    serve(m_bus, QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"), this);
}

FakeNotifications::~FakeNotifications()
{
    m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

QStringList FakeNotifications::GetCapabilities()
{
    return capabilities;
}

uint FakeNotifications::Notify(const QString &appName, uint, const QString &appIcon, const QString &summary, const QString &body,
                               const QStringList &actions, const QVariantMap &hints, int)
{
    const uint id = static_cast<uint>(m_shown.size()) + 41;
    m_shown.append(Shown{id, appName, appIcon, summary, body, actions, hints});
    return id;
}

void FakeNotifications::CloseNotification(uint) {}

void FakeNotifications::invoke(uint id, const QString &key)
{
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                     QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
    signal << id << key;
    m_bus.send(signal);
}

LauncherListener::LauncherListener(const QDBusConnection &bus)
{
    QDBusConnection(bus).connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"),
                                 this, SLOT(update(QString,QVariantMap)));
}

void LauncherListener::update(const QString &appUri, const QVariantMap &properties)
{
    m_updates.append(Update{appUri, properties.value(QStringLiteral("progress"), -1.0).toDouble(),
                            properties.value(QStringLiteral("progress-visible")).toBool()});
}

} // namespace velmora::test

#include "FakeDesktopBus.moc"
