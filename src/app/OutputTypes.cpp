#include "app/OutputTypes.h"

#include "platform/FileFilter.h"

namespace velmora::app {

const QStringList &OutputTypes()
{
    static const QStringList types = {
        QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mp4"), QStringLiteral(".wmv"),
        QStringLiteral(".mov"), QStringLiteral(".vob"), QStringLiteral(".asf"), QStringLiteral(".flv"),
        QStringLiteral(".mkv"), QStringLiteral(".webm"),
    };
    return types;
}

QString SaveDialogFilter()
{
    return platform::extensionFilterEntries(OutputTypes()) + platform::allFilesFilterEntry();
}

} // namespace velmora::app
