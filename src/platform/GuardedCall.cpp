#include "platform/GuardedCall.h"

#include "platform/Seams.h"

#include <QGuiApplication>

namespace velmora::platform {

void showError(QWidget *owner, const QString &text)
{
    messageBoxes().error(owner, QGuiApplication::applicationDisplayName(), text, QString());
}

} // namespace velmora::platform
