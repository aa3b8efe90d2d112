#include "job/ProgressDisplay.h"

#include "job/JobTexts.h"
#include "job/Progress.h"
#include "tasks/TimeText.h"
#include "platform/Translation.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>

namespace velmora::job {

ProgressDisplay::ProgressDisplay(const ProgressWidgets &widgets)
    : m_w(widgets)
{
    m_w.current->setRange(0, 100);
    m_w.total->setRange(0, 100);
    m_w.timer->setInterval(1000);
}

void ProgressDisplay::setBars(std::optional<int> current, std::optional<int> total)
{
    if (current)
        m_w.current->setValue(*current);
    if (total)
        m_w.total->setValue(*total);
    // The labels are read back from the bars, after both.
    m_w.currentPercent->setText(QString::number(m_w.current->value()) + QLatin1Char('%'));
    m_w.totalPercent->setText(QString::number(m_w.total->value()) + QLatin1Char('%'));
}

void ProgressDisplay::conversionBegins()
{
    m_w.processTitle->setText(platform::translated(texts::ConvertingTitle));
    m_w.convertingFile->show();
    m_w.convertingFile->clear();
    m_w.elapsed->clear();
    m_w.remaining->clear();
    m_w.current->setValue(0);
    m_w.total->setValue(0);
    m_w.currentPercent->setText(QStringLiteral("0%"));
    m_w.totalPercent->setText(QStringLiteral("0%"));
    m_w.outputRow->hide();
    m_w.progressPanel->show();
    m_elapsed = 0;
    m_remaining = 0;
    m_share = EvenShare;
    m_w.timer->start();
}

void ProgressDisplay::conversionShare(int percent)
{
    m_share = percent;
}

void ProgressDisplay::rowBegins(int, const QString &fileName)
{
    m_w.convertingFile->setText(fileName);
}

void ProgressDisplay::conversionPosition(double position, double rowDuration, double done, double total)
{
    setBars(ConversionCurrent(position, rowDuration), ConversionTotal(done, position, total, m_share));
}

void ProgressDisplay::rowEnded()
{
    m_w.current->setValue(0);
    m_w.currentPercent->setText(QStringLiteral("0%"));
}

void ProgressDisplay::joinBegins()
{
    m_w.processTitle->setText(platform::translated(texts::JoiningTitle));
    m_w.convertingFile->hide();
    m_w.outputRow->hide();
    m_w.progressPanel->show();
}

void ProgressDisplay::copyBegins()
{
    conversionBegins();
    m_w.processTitle->setText(platform::translated(texts::CopyingTitle));
}

void ProgressDisplay::copyPosition(double position, double rowStart, double rowDuration, double total)
{
    setBars(ConversionCurrent(std::max(0.0, position - rowStart), rowDuration), JoinCurrent(position, total));
}

void ProgressDisplay::joinPosition(double position, double total)
{
    setBars(JoinCurrent(position, total), JoinTotal(position, total, m_share));
}

void ProgressDisplay::joinCompleted()
{
    setBars(100, 100);
    m_w.timer->stop();
}

void ProgressDisplay::stopTimer()
{
    m_w.timer->stop();
}

void ProgressDisplay::showOutputRow()
{
    m_w.progressPanel->hide();
    m_w.outputRow->show();
}

void ProgressDisplay::tick()
{
    ++m_elapsed;
    m_w.elapsed->setText(tasks::SecondsToTimeText(static_cast<double>(m_elapsed)));
    m_remaining = RemainingSeconds(m_elapsed, m_w.total->value(), m_remaining);
    m_w.remaining->setText(tasks::SecondsToTimeText(static_cast<double>(m_remaining)));
}

} // namespace velmora::job
