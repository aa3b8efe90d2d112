#include "job/CommandLines.h"

#include <algorithm>

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

namespace {

// The line up to -ofps: input, output, and the fragment with the first row's shape.
EncoderArgs partCommand(const QString &input, const QString &part, const EncoderArgs &options, const QString &shape)
{
    EncoderArgs own = options;
    if (!shape.isEmpty())
        own.replacePiece(QStringLiteral("-lavcopts"), QStringLiteral("autoaspect"), QStringLiteral("aspect=") + shape);
    EncoderArgs command;
    command.path(input).word(QStringLiteral("-o")).path(part);
    command.append(own);
    command.words({QStringLiteral("-ofps"), QStringLiteral("30")});
    return command;
}

QString secondsWord(double seconds)
{
    return QString::number(seconds, 'f', 3);
}

// -ss and -endpos for a trim; an end alone is a length from the clip's start.
QStringList trimWords(const tasks::Trim &trim, std::optional<double> longest = std::nullopt)
{
    QStringList words;
    const double start = trim.start.value_or(0.0);
    if (start > 0)
        words << QStringLiteral("-ss") << secondsWord(start);
    std::optional<double> length;
    if (trim.end)
        length = std::max(0.0, *trim.end - start);
    if (longest)
        length = length ? std::min(*length, *longest) : *longest;
    if (length)
        words << QStringLiteral("-endpos") << secondsWord(*length);
    return words;
}

QStringList factorWords(double factor)
{
    return {QStringLiteral("-x264encopts"), QStringLiteral("crf=") + QString::number(factor, 'f', 2)};
}

} // namespace

EncoderArgs ConversionCommand(const QString &input, const QString &part, const EncoderArgs &options, const QString &shape,
                              std::optional<double> factor, const tasks::Trim &trim)
{
    EncoderArgs command = partCommand(input, part, options, shape);
    command.words(trimWords(trim));
    if (factor)
        command.words(factorWords(*factor));
    command.word(QStringLiteral("-info")).path(SourceInfo(input, options));
    return command;
}

EncoderArgs LookCommand(const QString &input, const QString &look, const EncoderArgs &options, const QString &shape, double seconds,
                        double factor, const tasks::Trim &trim)
{
    EncoderArgs command = partCommand(input, look, options, shape);
    command.words(trimWords(trim, seconds));
    return command.words(factorWords(factor));
}

EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options,
                        const QList<tasks::Trim> &trims)
{
    EncoderArgs command;
    for (qsizetype i = 0; i < intermediates.size(); ++i) {
        command.path(intermediates.at(i));
        if (i < trims.size()) {
            for (const QString &word : trimWords(trims.at(i)))
                command.word(word);
        }
    }
    // The options follow after a blank of their own, as the joining line has always read.
    command.word(QStringLiteral("-o")).path(outputName).word(QString());
    return command.append(options);
}

} // namespace velmora::job
