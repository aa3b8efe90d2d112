#include "platform/LauncherEntry.h"

#include "platform/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include <algorithm>
#include <cmath>

namespace velmora::platform {

LauncherEntry::LauncherEntry(const QString &desktopFileId)
    : m_appUri(QStringLiteral("application://") + desktopFileId + QStringLiteral(".desktop"))
{
}

void LauncherEntry::progress(double fraction)
{
    const double held = std::clamp(fraction, 0.0, 1.0);
    if (static_cast<int>(std::floor(held * 100)) == m_percent)
        return;
    update(held, true);
}

void LauncherEntry::hide()
{
    if (m_percent >= 0)
        update(0, false);
}

void LauncherEntry::update(double fraction, bool visible)
{
    m_percent = visible ? static_cast<int>(std::floor(fraction * 100)) : -1;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/example/velmora/LauncherEntry"),
                                                     QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    signal << m_appUri
           << QVariantMap{{QStringLiteral("progress"), fraction}, {QStringLiteral("progress-visible"), visible}};
    if (!bus.send(signal))
        qCInfo(desktopLog).noquote() << "No taskbar progress:" << bus.lastError().message();
}

} // namespace velmora::platform
