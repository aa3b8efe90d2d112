#include "tasks/InputTypes.h"

#include "platform/FileFilter.h"
#include "platform/Paths.h"

namespace velmora::tasks {

const QStringList &InputExtensions()
{
    static const QStringList extensions = {
        QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mpeg"), QStringLiteral(".mp4"),
        QStringLiteral(".wmv"), QStringLiteral(".mov"), QStringLiteral(".vob"), QStringLiteral(".asf"),
    };
    return extensions;
}

QString InputMask()
{
    QString mask;
    for (const QString &ext : InputExtensions())
        mask += QLatin1Char('*') + ext + QLatin1Char(';');
    return mask;
}

QString OpenDialogFilter()
{
    const QString mask = InputMask();
    return QStringLiteral("All Support Files(") + mask + QStringLiteral(")|") + mask + QLatin1Char('|')
        + platform::extensionFilterEntries(InputExtensions()) + platform::allFilesFilterEntry();
}

bool IsSupportedExtension(const QString &path)
{
    const QString ext = platform::ExtractFileExt(path).toLower();
    return !ext.isEmpty() && InputExtensions().contains(ext);
}

} // namespace velmora::tasks
