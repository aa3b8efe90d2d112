#include "job/CommandLines.h"

namespace velmora::job {

namespace {
QString quoted(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}
} // namespace

EncoderArgs ConversionCommand(const QString &input, const QString &intermediate, const QString &size)
{
    EncoderArgs command;
    command.add(QStringLiteral(" ") + quoted(input), {input})
        .add(QStringLiteral(" -o ") + quoted(intermediate), {QStringLiteral("-o"), intermediate})
        .add(ConversionOptions + size, {QStringLiteral("-oac"), QStringLiteral("mp3lame"), QStringLiteral("-ovc"),
                                        QStringLiteral("lavc"), QStringLiteral("-ofps"), QStringLiteral("30"),
                                        QStringLiteral("-vf"), QStringLiteral("scale=") + size});
    return command;
}

EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options)
{
    EncoderArgs command;
    for (const QString &file : intermediates)
        command.add(QStringLiteral(" ") + quoted(file), {file});
    command.add(QStringLiteral(" -o ") + quoted(outputName) + QLatin1Char(' '), {QStringLiteral("-o"), outputName});
    return command.append(options);
}

} // namespace velmora::job
