#include "tasks/InputTypes.h"

#include "platform/FileFilter.h"
#include "platform/Paths.h"

#include <QCoreApplication>

namespace velmora::tasks {

const QStringList &InputExtensions()
{
    // The first eight are the long-standing ones and keep their places: the open dialog lists
    // its entries in this order. The rest are the other kinds our encoder reads.
    static const QStringList extensions = {
        QStringLiteral(".avi"),  QStringLiteral(".mpg"),  QStringLiteral(".mpeg"), QStringLiteral(".mp4"),
        QStringLiteral(".wmv"),  QStringLiteral(".mov"),  QStringLiteral(".vob"),  QStringLiteral(".asf"),
        QStringLiteral(".mkv"),  QStringLiteral(".webm"), QStringLiteral(".flv"),  QStringLiteral(".f4v"),
        QStringLiteral(".ts"),   QStringLiteral(".mts"),  QStringLiteral(".m2ts"), QStringLiteral(".m2v"),
        QStringLiteral(".m4v"),  QStringLiteral(".3gp"),  QStringLiteral(".3g2"),  QStringLiteral(".ogv"),
        QStringLiteral(".ogg"),  QStringLiteral(".dv"),   QStringLiteral(".mxf"),  QStringLiteral(".divx"),
        QStringLiteral(".xvid"), QStringLiteral(".nut"),  QStringLiteral(".rm"),   QStringLiteral(".rmvb"),
        QStringLiteral(".y4m"),
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
    return QCoreApplication::translate("Velmora", "All Support Files(") + mask + QStringLiteral(")|") + mask + QLatin1Char('|')
        + platform::extensionFilterEntries(InputExtensions()) + platform::allFilesFilterEntry();
}

bool IsSupportedExtension(const QString &path)
{
    const QString ext = platform::ExtractFileExt(path).toLower();
    return !ext.isEmpty() && InputExtensions().contains(ext);
}

} // namespace velmora::tasks
