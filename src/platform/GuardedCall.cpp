#include "platform/GuardedCall.h"

#include "platform/Seams.h"

#include <QCoreApplication>

namespace velmora::platform {

void showError(QWidget *owner, const QString &text)
{
    messageBoxes().error(owner, QCoreApplication::applicationName(), text, QString());
}

} // namespace velmora::platform
