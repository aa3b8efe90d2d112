#include "job/CopyMatch.h"

#include "encoder/joining/CopyCheck.h"

#include <QFile>

namespace velmora::job {

CopyMatch MatchForCopy(const QStringList &inputs, const QString &output)
{
    std::vector<std::string> paths;
    for (const QString &input : inputs)
        paths.push_back(QFile::encodeName(input).toStdString());
    CopyMatch match;
    match.refusal = QString::fromStdString(encoder::copyRefusal(paths, QFile::encodeName(output).toStdString(), &match.pictureSeconds));
    return match;
}

} // namespace velmora::job
