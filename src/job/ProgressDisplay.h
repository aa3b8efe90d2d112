#pragma once

#include "job/Progress.h"
#include "job/ProgressView.h"

#include <QtGlobal>

#include <optional>

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

// The main window's progress: the job's moments on its bars and labels, and the timer's tick.
class ProgressDisplay final : public ProgressView
{
public:
    explicit ProgressDisplay(const ProgressWidgets &widgets);

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

    // timerTimeTimer: one more second elapsed, and a new estimate.
    void tick();

    qint64 elapsedSeconds() const { return m_elapsed; }
    qint64 remainingSeconds() const { return m_remaining; }

private:
    void setBars(std::optional<int> current, std::optional<int> total);

    ProgressWidgets m_w;
    qint64 m_elapsed = 0;
    int m_share = EvenShare;
    qint64 m_remaining = 0;
};

} // namespace velmora::job
