#include "job/CommandLines.h"

#include "platform/Paths.h"

#include <QFileInfo>

namespace velmora::job {

namespace {

// A value of -info taken as it is, colons and all, with its length in bytes ahead of it.
QString counted(const QString &key, const QString &text)
{
    return key + QStringLiteral("=%") + QString::number(text.toUtf8().size()) + QLatin1Char('%') + text;
}

} // namespace

QString SourceInfo(const QString &input, const EncoderArgs &options)
{
    // The join titles the input's chapter with its name and keeps the tags the file carries
    // (when and where it was filmed); it copies a part made for its own options.
    QString info = counted(QStringLiteral("srcform"), QFileInfo(input).absoluteFilePath());
    const QStringList words = options.arguments();
    if (!words.isEmpty())
        info += QLatin1Char(':') + counted(QStringLiteral("comment"), words.join(QLatin1Char(' ')));
    return info;
}

EncoderArgs ConversionCommand(const QString &input, const QString &part, const EncoderArgs &options, const QString &shape)
{
    EncoderArgs own = options;
    if (!shape.isEmpty())
        own.replacePiece(QStringLiteral("-lavcopts"), QStringLiteral("autoaspect"), QStringLiteral("aspect=") + shape);
    EncoderArgs command;
    command.path(input).word(QStringLiteral("-o")).path(part);
    command.append(own);
    command.words({QStringLiteral("-ofps"), QStringLiteral("30")});
    command.word(QStringLiteral("-info")).path(SourceInfo(input, options));
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
