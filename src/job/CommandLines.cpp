#include "job/CommandLines.h"

#include "platform/Paths.h"

#include <QFileInfo>

namespace velmora::job {

QString SourceInfo(const QString &input)
{
    // The path as it is, colons and all, with its length in bytes ahead of it: the join titles
    // the input's chapter with its name and keeps the tags the file carries (when and where it
    // was filmed).
    const QString name = QFileInfo(input).absoluteFilePath();
    return QStringLiteral("srcform=%") + QString::number(name.toUtf8().size()) + QLatin1Char('%') + name;
}

EncoderArgs ConversionCommand(const QString &input, const QString &intermediate, const QString &size)
{
    EncoderArgs command;
    command.path(input).word(QStringLiteral("-o")).path(intermediate);
    command.words({QStringLiteral("-oac"), QStringLiteral("mp3lame"), QStringLiteral("-ovc"), QStringLiteral("lavc"),
                   QStringLiteral("-ofps"), QStringLiteral("30"), QStringLiteral("-vf"), QStringLiteral("scale=") + size});
    command.word(QStringLiteral("-info")).path(SourceInfo(input));
    return command;
}

EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options)
{
    EncoderArgs command;
    for (const QString &file : intermediates)
        command.path(file);
    // The options follow after a blank of their own, as the joining line has always read.
    command.word(QStringLiteral("-o")).path(outputName).word(QString());
    return command.append(options);
}

} // namespace velmora::job
