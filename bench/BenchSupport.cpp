#include "BenchSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>

namespace velmora::bench {

namespace {

QString quotedForShell(const QString &argument)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=+,@%-]+$"));
    if (plain.match(argument).hasMatch())
        return argument;
    return QLatin1Char('\'') + QString(argument).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

} // namespace

QString commandText(const QString &program, const QStringList &arguments)
{
    QStringList words{quotedForShell(program)};
    for (const QString &argument : arguments)
        words << quotedForShell(argument);
    return words.join(QLatin1Char(' '));
}

Ran run(const QString &program, const QStringList &arguments, const QString &scratch, bool keepOutput)
{
    const QString base = scratch + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(keepOutput ? base + QStringLiteral(".out") : QProcess::nullDevice());
    process.setStandardErrorFile(base + QStringLiteral(".err"));
    process.start(program, arguments);
    Ran ran;
    if (process.waitForStarted(-1)) {
        process.waitForFinished(-1);
        ran.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    } else {
        ran.err = process.errorString().toUtf8();
    }
    QFile out(base + QStringLiteral(".out"));
    if (out.open(QIODevice::ReadOnly))
        ran.out = out.readAll();
    QFile err(base + QStringLiteral(".err"));
    if (err.open(QIODevice::ReadOnly))
        ran.err += err.readAll();
    out.remove();
    err.remove();
    return ran;
}

QString hashOf(const QStringList &words)
{
    return QString::fromLatin1(QCryptographicHash::hash(words.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha1).toHex().left(10));
}

Ran makeOnce(const QString &path, const std::function<Ran(const QString &partial)> &make)
{
    if (QFileInfo(path).isFile())
        return {true, {}, {}};
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    const QString partial = info.absolutePath() + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces)
                            + QStringLiteral(".partial.") + info.suffix();
    Ran ran = make(partial);
    if (ran.ok && !QFile::rename(partial, path) && !QFileInfo(path).isFile()) {
        ran.ok = false;
        ran.err += "cannot keep the file under its name";
    }
    QFile::remove(partial);
    return ran;
}

QString logTail(const QString &path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    if (file.size() > 4096)
        file.seek(file.size() - 4096);
    QStringList lines = QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    lines = lines.mid(std::max<qsizetype>(0, lines.size() - count));
    return QStringLiteral("      | ") + lines.join(QStringLiteral("\n      | "));
}

} // namespace velmora::bench
