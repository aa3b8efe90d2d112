#include "platform/SaveDialog.h"

#include "platform/Paths.h"
#include "platform/Seams.h"

namespace velmora::platform {

std::optional<QString> SaveDialog::execute(QWidget *owner)
{
    std::optional<QString> chosen = fileDialogs().saveFile(owner, {m_filter, m_defaultExt, m_fileName});
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    QString path = *chosen;
    if (!m_defaultExt.isEmpty() && !ExtractFileName(path).contains(QLatin1Char('.')))
        path += QLatin1Char('.') + m_defaultExt;
    m_fileName = path;
    return path;
}

} // namespace velmora::platform
