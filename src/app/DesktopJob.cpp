#include "app/DesktopJob.h"

#include "app/AppTexts.h"
#include "job/JobTexts.h"
#include "job/OutputNames.h"
#include "platform/Paths.h"
#include "platform/Seams.h"
#include "tasks/TimeText.h"
#include "platform/Translation.h"

#include <QDir>

#include <algorithm>

namespace velmora::app {

QString PlayTimeText(double seconds)
{
    const qint64 whole = std::max<qint64>(0, tasks::RoundHalfEven(seconds));
    const qint64 hours = whole / 3600;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(whole / 60 % 60, hours > 0 ? 2 : 1, 10, QLatin1Char('0')).arg(whole % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QString::number(hours) + QLatin1Char(':') + minutesAndSeconds : minutesAndSeconds;
}

std::optional<platform::Notice> EndNotice(const job::JobReport &report)
{
    platform::Notice notice;
    switch (report.outcome) {
    case job::JobOutcome::Joined: {
        const QString folder = job::OutputFolder(report.output);
        notice.summary = platform::translated(texts::JoinedNotice)
                             .arg(report.rows)
                             .arg(platform::ExtractFileName(report.output), PlayTimeText(report.seconds));
        notice.body = QDir::toNativeSeparators(folder);
        notice.actionKey = QStringLiteral("open-folder");
        notice.actionLabel = platform::translated(texts::OpenFolderAction);
        notice.onAction = [folder] { platform::shell().open(folder); };
        return notice;
    }
    case job::JobOutcome::Failed:
        if (report.failureTitle.isEmpty())
            return std::nullopt; // the encoder could not start: its message box has said so
        notice.summary = report.failureTitle;
        notice.body = report.failureText.section(QLatin1Char('\n'), 0, 0);
        return notice;
    case job::JobOutcome::Stopped:
    case job::JobOutcome::Refused:
    case job::JobOutcome::None: break;
    }
    return std::nullopt;
}

DesktopJob::DesktopJob()
    : m_sleep(texts::ProductName)
    , m_notifications(texts::ProductName, DesktopFileId)
    , m_launcher(DesktopFileId)
{
}

void DesktopJob::begins()
{
    m_running = true;
    m_sleep.hold(platform::translated(job::texts::SleepInhibitReason));
    m_launcher.progress(0);
    m_notifications.prepare();
}

void DesktopJob::progress(int percent)
{
    if (m_running)
        m_launcher.progress(percent / 100.0);
}

void DesktopJob::ends(const job::JobReport &report, bool windowActive)
{
    m_running = false;
    m_sleep.release();
    m_launcher.hide();
    if (windowActive)
        return;
    if (const std::optional<platform::Notice> notice = EndNotice(report))
        m_notifications.notify(*notice);
}

} // namespace velmora::app
