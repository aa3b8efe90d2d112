#pragma once

#include <QtGlobal>

class QLabel;
class QProgressBar;
class QTimer;
class QWidget;

namespace velmora::job {

// The main window's progress display, as the job drives it.
struct ProgressWidgets
{
    QWidget *outputRow = nullptr;     // panBottomCenter
    QWidget *progressPanel = nullptr; // panBottomLeft
    QLabel *processTitle = nullptr;
    QLabel *convertingFile = nullptr;
    QLabel *elapsed = nullptr;
    QLabel *remaining = nullptr;
    QProgressBar *current = nullptr;
    QProgressBar *total = nullptr;
    QLabel *currentPercent = nullptr;
    QLabel *totalPercent = nullptr;
    QTimer *timer = nullptr; // one tick a second
};

// The moments at which the job updates the display, and the timer's tick.
class ProgressDisplay
{
public:
    explicit ProgressDisplay(const ProgressWidgets &widgets);

    void conversionBegins();
    void rowBegins(const QString &fileName);
    void conversionPosition(double position, double rowDuration, double done, double total);
    void rowEnded();
    void joinBegins();
    // A join that copies is the job's only pass: the file being joined shows, the current bar
    // follows it and the total bar runs from 0 to 100.
    void copyBegins();
    void copyPosition(double position, double rowStart, double rowDuration, double total);
    void joinPosition(double position, double total);
    void joinCompleted();
    void stopTimer();
    void showOutputRow();

    // timerTimeTimer: one more second elapsed, and a new estimate.
    void tick();

    qint64 elapsedSeconds() const { return m_elapsed; }
    qint64 remainingSeconds() const { return m_remaining; }

private:
    void setBars(std::optional<int> current, std::optional<int> total);

    ProgressWidgets m_w;
    qint64 m_elapsed = 0;
    qint64 m_remaining = 0;
};

} // namespace velmora::job
