#include "app/TerminalProgress.h"

#include "tasks/TaskListView.h"
#include "tasks/TimeText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <sys/ioctl.h>
#include <unistd.h>

namespace velmora::app {

namespace {

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

QString clockText(double seconds)
{
    return tasks::SecondsToTimeText(std::floor(std::max(0.0, seconds)));
}

QString passTitle(const QString &pass)
{
    if (pass == QLatin1String("convert"))
        return QCoreApplication::translate("Velmora", "Converting");
    if (pass == QLatin1String("copy"))
        return QCoreApplication::translate("Velmora", "Copying");
    return QCoreApplication::translate("Velmora", "Joining");
}

// A share of the whole, held between 0 and 1; nothing measured counts as nothing.
double share(double part, double whole)
{
    if (!(whole > 0) || std::isnan(part))
        return 0;
    return std::clamp(part / whole, 0.0, 1.0);
}

// The terminal's width in characters; 80 when it does not say.
int terminalWidth(std::FILE *out)
{
    winsize size{};
    if (::ioctl(::fileno(out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    bool ok = false;
    const int columns = qEnvironmentVariableIntValue("COLUMNS", &ok);
    return ok && columns > 0 ? columns : 80;
}

} // namespace

void WriteText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

QString JsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

std::optional<double> RemainingAt(double elapsed, double percent)
{
    if (!(percent > 0))
        return std::nullopt;
    return elapsed * (100 - percent) / percent;
}

QString ProgressJson(const ProgressPoint &point)
{
    return QStringLiteral("{\"pass\":%1,\"row\":%2,\"rows\":%3,\"percent\":%4,\"elapsed\":%5,\"remaining\":%6}")
        .arg(JsonString(point.pass))
        .arg(point.row)
        .arg(point.rows)
        .arg(number(point.percent), number(point.elapsed), point.remaining ? number(*point.remaining) : QStringLiteral("null"));
}

QString ProgressBarLine(const ProgressPoint &point, int width)
{
    const QString head = QStringLiteral("%1 %2/%3 ").arg(passTitle(point.pass)).arg(point.row).arg(point.rows);
    QString tail = QCoreApplication::translate("Velmora", " %1%  %2 elapsed  %3 left")
                       .arg(number(point.percent).rightJustified(5), clockText(point.elapsed),
                            point.remaining ? clockText(*point.remaining) : QStringLiteral("--:--:--"));
    if (!point.file.isEmpty())
        tail += QStringLiteral("  ") + point.file;
    constexpr int MinimumBar = 10;
    int barWidth = std::clamp(width - static_cast<int>(head.size() + tail.size()) - 2, MinimumBar, 40);
    const int filled = static_cast<int>(std::lround(barWidth * std::clamp(point.percent, 0.0, 100.0) / 100));
    QString line = head + QLatin1Char('[') + QString(filled, QLatin1Char('#')) + QString(barWidth - filled, QLatin1Char('-'))
                   + QLatin1Char(']') + tail;
    if (line.size() > width && width > 0)
        line.truncate(width);
    return line;
}

QString ProgressPlainLine(const ProgressPoint &point)
{
    if (point.pass == QLatin1String("join"))
        return QCoreApplication::translate("Velmora", "Joining %1 files").arg(point.rows);
    return QStringLiteral("%1 %2/%3: %4").arg(passTitle(point.pass)).arg(point.row).arg(point.rows).arg(point.file);
}

TerminalProgress::TerminalProgress(Style style, const tasks::TaskListView &rows, std::FILE *out)
    : m_style(style)
    , m_rows(rows)
    , m_out(out)
{
    m_tick.setInterval(1000);
    QObject::connect(&m_tick, &QTimer::timeout, [this] { show(true); });
}

double TerminalProgress::elapsed() const
{
    return m_clock.isValid() ? static_cast<double>(m_clock.elapsed()) / 1000 : 0;
}

void TerminalProgress::begin(const QString &pass)
{
    m_pass = pass;
    m_row = 0;
    m_file.clear();
    m_percent = 0;
    m_shownPercent = -1;
    m_clock.start();
    if (m_style == Style::Bar)
        m_tick.start();
}

void TerminalProgress::conversionBegins()
{
    m_share = job::EvenShare;
    begin(QStringLiteral("convert"));
}

void TerminalProgress::conversionShare(int percent)
{
    m_share = percent;
}

void TerminalProgress::copyBegins()
{
    begin(QStringLiteral("copy"));
}

void TerminalProgress::rowBegins(int row, const QString &fileName)
{
    if (row + 1 == m_row && fileName == m_file)
        return;
    m_row = row + 1;
    m_file = fileName;
    if (m_style == Style::Plain)
        write(ProgressPlainLine(point()) + QLatin1Char('\n'));
    show(true);
}

void TerminalProgress::reach(double percent)
{
    m_percent = std::clamp(std::max(m_percent, percent), 0.0, 100.0);
    show(false);
}

void TerminalProgress::conversionPosition(double position, double rowDuration, double done, double total)
{
    // Within its row: a row that converts past its listed length stays at the row's end.
    const double within = rowDuration > 0 ? std::clamp(position, 0.0, rowDuration) : 0.0;
    reach(share(done + within, total) * m_share);
}

void TerminalProgress::rowEnded()
{
}

void TerminalProgress::joinBegins()
{
    m_pass = QStringLiteral("join");
    m_file.clear();
    m_starts.clear();
    double start = 0;
    for (int row = 0; row < m_rows.count(); ++row) {
        tasks::ltvItemData data;
        m_rows.GetTaskItem(row, tasks::field::All, data);
        m_starts << start;
        start += std::max(0.0, data.LengthSeconds);
    }
    m_row = m_rows.count() > 0 ? 1 : 0;
    m_percent = std::max(m_percent, double(m_share));
    if (m_style == Style::Plain)
        write(ProgressPlainLine(point()) + QLatin1Char('\n'));
    show(true);
}

void TerminalProgress::copyPosition(double position, double, double, double total)
{
    reach(share(position, total) * 100);
}

void TerminalProgress::joinPosition(double position, double total)
{
    int row = 1;
    while (row < m_starts.size() && position >= m_starts.at(row))
        ++row;
    m_row = row;
    reach(m_share + share(position, total) * (100 - m_share));
}

void TerminalProgress::joinCompleted()
{
    m_row = m_rows.count();
    m_percent = 100;
    show(true);
    m_tick.stop();
    endLine();
}

void TerminalProgress::stopTimer()
{
    m_tick.stop();
}

void TerminalProgress::showOutputRow()
{
    m_tick.stop();
    endLine();
}

ProgressPoint TerminalProgress::point() const
{
    const double seconds = elapsed();
    return {m_pass, m_row, m_rows.count(), m_percent, seconds, RemainingAt(seconds, m_percent), m_file};
}

void TerminalProgress::show(bool always)
{
    if (m_pass.isEmpty())
        return;
    const qint64 now = m_clock.isValid() ? m_clock.elapsed() : 0;
    switch (m_style) {
    case Style::Bar: {
        if (!always && now - m_shownAt < 100)
            return;
        write(QStringLiteral("\r") + ProgressBarLine(point(), terminalWidth(m_out) - 1) + QStringLiteral("\x1b[K"));
        m_lineOpen = true;
        break;
    }
    case Style::Json:
        // Every change of pass or row, and otherwise a line each half percent or second.
        if (!always && m_percent - m_shownPercent < 0.5 && now - m_shownAt < 1000)
            return;
        write(ProgressJson(point()) + QLatin1Char('\n'));
        break;
    case Style::Plain:
    case Style::None: return;
    }
    m_shownPercent = m_percent;
    m_shownAt = now;
}

void TerminalProgress::endLine()
{
    if (m_lineOpen) {
        write(QStringLiteral("\n"));
        m_lineOpen = false;
    }
}

void TerminalProgress::write(const QString &text)
{
    WriteText(m_out, text);
}

} // namespace velmora::app
