#include "BenchSupport.h"
#include <cstdlib>
#include <cstdio>

#include <algorithm>

#include <sys/resource.h>
#include <sys/time.h>

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

// One 29.97 clip among whole rates, as a camera and a phone would mix them.
const ClipKind BusyClips[BusyClipCount] = {
    {QStringLiteral("30"), -0.743643887037151, 0.131825904205330, 7, 220},
    {QStringLiteral("30000/1001"), -1.250660000000000, 0.020120000000000, 11, 247},
    {QStringLiteral("25"), 0.001643721971153, -0.822467633298876, 13, 262},
    {QStringLiteral("24"), -0.101100000000000, 0.956300000000000, 17, 294},
    {QStringLiteral("30"), 0.324504641849769, 0.048551011292808, 19, 330},
    {QStringLiteral("25"), -0.750000000000000, 0.100000000000000, 23, 196},
};

QStringList busyClipArguments(int i, int seconds, const QString &output)
{
    const ClipKind &kind = BusyClips[i];
    const QString rate = kind.rate;
    const QString fractal = QStringLiteral("mandelbrot=size=640x360:rate=%1:maxiter=128:start_x=%2:start_y=%3:start_scale=3:"
                                           "end_scale=0.05:end_pts=80:outer=normalized_iteration_count")
                                .arg(rate)
                                .arg(kind.x, 0, 'f', 15)
                                .arg(kind.y, 0, 'f', 15);
    const QString life = QStringLiteral("life=size=320x180:rate=%1:ratio=0.15:mold=25:seed=%2:life_color=#d8b070:"
                                        "death_color=#102030:mold_color=#405060")
                             .arg(rate)
                             .arg(kind.seed);
    const QString card = QStringLiteral("testsrc2=size=480x270:rate=%1").arg(rate);
    const QString tune = QStringLiteral("aevalsrc='0.25*sin(2*PI*%1*pow(2,floor(mod(t*2,8))/12)*t)*(0.7+0.3*sin(2*PI*3*t))"
                                        "+0.1*sin(2*PI*55*t)|0.25*sin(2*PI*%2*pow(2,floor(mod(t*2+3,8))/12)*t)"
                                        "*(0.7+0.3*sin(2*PI*2*t))+0.1*sin(2*PI*55*t)':s=48000:c=stereo")
                             .arg(kind.note)
                             .arg(kind.note * 3 / 2);
    const QString graph = QStringLiteral(
                              "[0:v]scale=1280:720:flags=bicubic,format=gbrp[m];"
                              "[1:v]scale=1280:720:flags=bilinear,format=gbrp,gblur=sigma=3[l];"
                              "[m][l]blend=all_mode=softlight:all_opacity=0.6[ml];"
                              "[2:v]format=gbrp[t];"
                              "[ml][t]overlay=x='(W-w)/2+300*sin(t*0.7+%1)':y='(H-h)/2+150*sin(t*1.1+%1)'[o];"
                              "[o]noise=alls=4:allf=t,scale=out_color_matrix=bt709:out_range=tv,format=yuv420p,"
                              "setparams=range=tv:color_primaries=bt709:color_trc=bt709:colorspace=bt709[v]")
                              .arg(i);
    return {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), fractal,
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), life,
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), card,
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), tune,
            QStringLiteral("-filter_complex"), graph, QStringLiteral("-map"), QStringLiteral("[v]"),
            QStringLiteral("-map"), QStringLiteral("3:a"), QStringLiteral("-t"), QString::number(seconds),
            QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("fast"),
            QStringLiteral("-crf"), QStringLiteral("20"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
            QStringLiteral("-colorspace"), QStringLiteral("bt709"), QStringLiteral("-color_primaries"), QStringLiteral("bt709"),
            QStringLiteral("-color_trc"), QStringLiteral("bt709"), QStringLiteral("-color_range"), QStringLiteral("tv"),
            QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-b:a"), QStringLiteral("160k"),
            QStringLiteral("-ar"), QStringLiteral("48000"), QStringLiteral("-ac"), QStringLiteral("2"),
            QStringLiteral("-f"), QStringLiteral("mp4"), output};
}

namespace {
std::function<void()> g_cleanup;
} // namespace

void onGiveUp(std::function<void()> cleanup)
{
    g_cleanup = std::move(cleanup);
}

void giveUp(const QString &what, const Ran &ran)
{
    std::fflush(stdout);
    std::fprintf(stderr, "\nCannot go on: %s\n", qPrintable(what));
    const QList<QByteArray> lines = ran.err.trimmed().split('\n');
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - 15); i < lines.size(); ++i)
        std::fprintf(stderr, "  | %s\n", lines.at(i).constData());
    if (g_cleanup)
        g_cleanup();
    std::exit(1);
}

Ran mustRun(const QString &program, const QStringList &arguments, const QString &scratch, bool keepOutput)
{
    const Ran ran = run(program, arguments, scratch, keepOutput);
    if (!ran.ok)
        giveUp(commandText(program, arguments), ran);
    return ran;
}

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

} // namespace velmora::bench
