#include "platform/FolderPicker.h"

#include "platform/Seams.h"

#include <QFileInfo>

namespace velmora::platform {

bool SelectFolder(QWidget *owner, const QString &title, QString &folder)
{
    const QString initial = !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
    const std::optional<QString> chosen = fileDialogs().selectFolder(owner, title, initial);
    if (!chosen)
        return false;
    folder = *chosen;
    return true;
}

} // namespace velmora::platform
