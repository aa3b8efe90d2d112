#pragma once

#include "job/Progress.h"
#include "job/ProgressView.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace velmora::tasks {
class TaskListView;
}

namespace velmora::app {

// Where a join stands, as a terminal shows it. row counts from 1.
struct ProgressPoint
{
    QString pass; // "convert", "join" or "copy"
    int row = 0;
    int rows = 0;
    double percent = 0; // of the whole job
    double elapsed = 0; // seconds
    std::optional<double> remaining;
    QString file; // the file the pass is at, when it is at one
};

// {"pass":"convert","row":2,"rows":6,"percent":41.5,"elapsed":12.3,"remaining":17.0}
QString ProgressJson(const ProgressPoint &point);
// One line of at most width characters: pass, row, a bar, percent, elapsed and remaining time, file.
QString ProgressBarLine(const ProgressPoint &point, int width);
// "Converting 2/6: clip.mp4", "Joining 6 files", "Copying 2/6: clip.mp4".
QString ProgressPlainLine(const ProgressPoint &point);
// Writes the text as UTF-8 and flushes it, so that a reader sees each line as it comes.
void WriteText(std::FILE *stream, const QString &text);
// A string as JSON writes it, quotes and all.
QString JsonString(const QString &text);
// The estimate of the seconds still to go at a share of the whole; nothing before any share.
std::optional<double> RemainingAt(double elapsed, double percent);

// The job's progress on a terminal: a bar drawn over itself, plain lines, JSON lines, or
// nothing. The percent of the whole job never goes back: a row that converts a little longer
// than it is listed does not take back what the next row starts at.
class TerminalProgress final : public job::ProgressView
{
public:
    enum class Style { Bar, Plain, Json, None };

    TerminalProgress(Style style, const tasks::TaskListView &rows, std::FILE *out);

    void conversionBegins() override;
    void conversionShare(int percent) override;
    void rowBegins(int row, const QString &fileName) override;
    void conversionPosition(double position, double rowDuration, double done, double total) override;
    void rowEnded() override;
    void joinBegins() override;
    void copyBegins() override;
    void copyPosition(double position, double rowStart, double rowDuration, double total) override;
    void joinPosition(double position, double total) override;
    void joinCompleted() override;
    void stopTimer() override;
    void showOutputRow() override;

    // A bar being drawn ends its line, so that what is written next starts on a line of its own.
    void endLine();
    double elapsed() const;

private:
    void begin(const QString &pass);
    void reach(double percent);
    ProgressPoint point() const;
    void show(bool always);
    void write(const QString &text);

    Style m_style;
    const tasks::TaskListView &m_rows;
    std::FILE *m_out;
    QTimer m_tick;
    QElapsedTimer m_clock;
    QString m_pass;
    int m_row = 0;
    QString m_file;
    double m_percent = 0;
    int m_share = job::EvenShare; // the conversion's, of the whole job
    QList<double> m_starts; // where each row begins in the join, by the listed lengths
    double m_shownPercent = -1;
    qint64 m_shownAt = 0;
    bool m_lineOpen = false;
};

} // namespace velmora::app
