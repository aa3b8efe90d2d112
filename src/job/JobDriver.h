#pragma once

#include "job/CommandLines.h"
#include "job/EncoderRunner.h"
#include "job/JobState.h"
#include "job/PositionReader.h"
#include "job/SharedRate.h"
#include "tasks/TaskItem.h"
#include "tasks/Trim.h"
#include "job/ProgressView.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QTemporaryDir;
class QWidget;

namespace velmora::tasks {
class TaskListView;
}
namespace velmora::profiles {
class OutputSettingsView;
}
namespace velmora::prefs {
class GeneralSettingsView;
}

namespace velmora::job {

// How the last job ended, for whoever started it without a window to look at.
enum class JobOutcome {
    None,    // no job ran yet, or it ended by an error raised through Start
    Refused, // a check before the start said no: nothing ran, nothing was touched
    Failed,  // an encoder run or an output check failed, or the encoder could not start
    Stopped, // Stop, in either pass
    Joined,  // the output is in place and plays as long as what went in
};

struct JobReport
{
    JobOutcome outcome = JobOutcome::None;
    int rows = 0;       // the rows the job took
    QString output;     // the output's final name, once joined
    double seconds = 0; // its play time, as measured before it took that name
    QString failureTitle; // a failure's message, as the error box shows it
    QString failureText;
};

// What the job needs of the main window.
class JobHost
{
public:
    virtual ~JobHost() = default;
    virtual QWidget *ownerWindow() = 0;
    virtual QString outputFileText() const = 0;
    virtual void setOutputFileText(const QString &text) = 0;
    virtual void focusOutputFile() = 0;
    virtual void focusTaskList() = 0;
    // The controls a job must not be disturbed by are locked while it runs, Stop is not.
    virtual void LockControls() = 0;
    virtual void UnlockControls() = 0;
    // The selected profile's file, as the profile list found it.
    virtual QString selectedProfilePath() const = 0;
    // "." and the type of the profile last loaded; empty before the first load.
    virtual QString outputExtension() const = 0;
    // Where intermediates go when the temporary folder cannot be used: "temp" in the program
    // folder, or the user's own cache when that folder is shared.
    virtual QString fallbackTempDir() const = 0;
    // Closes the main window for the job's own completion actions.
    virtual void closeForJob() = 0;
    // The job proper begins (its work folder made, its first encoder next) and ends, however it
    // ends: joined, failed, stopped, or by an error raised through Start. The end comes before
    // the closing message, which may wait long for its OK, and at most once for each beginning.
    virtual void jobBegins() {}
    virtual void jobEnds(const JobReport &report) { Q_UNUSED(report); }
};

// The join job that Start runs: checks, the conversion pass (each task into an intermediate
// file in a private folder), the join pass (into a new name beside the output, which takes
// the output's name only when the join succeeded), Stop in either pass, failures, clean-up
// and the completion actions. It runs inside Start's click handler; the runner keeps the
// window served meanwhile.
class JobDriver
{
public:
    JobDriver(JobHost &host, tasks::TaskListView &tasks, const profiles::OutputSettingsView &outputSettings,
              const prefs::GeneralSettingsView &generalSettings, EncoderRunner &runner, ProgressView &display);
    ~JobDriver();

    void tbtnStartClick();

    // True from the moment the controls are locked until they are unlocked again.
    bool isActive() const { return m_active; }
    // Where the job is. After a Stop during the conversion it stays "stop requested" until
    // the next Start.
    JobState state() const { return m_state; }
    // The one way to stop a job, for the Stop button and for closing the program: a running
    // job is asked to stop and its encoder ends; otherwise nothing happens. True when the
    // request was taken.
    bool requestStop();
    const JobReport &report() const { return m_report; }

private:
    enum class Outcome { Done, Ended };

    bool checksPass(QString &output);
    bool makeWorkFolder();
    // Converts every row into its part of the join, encoded as options asks.
    Outcome ConversionPass(const EncoderArgs &options);
    void JoinPass(const QString &output, const QString &profilePath);
    // The join of a profile that copies: straight from the rows' own files, in one pass.
    void CopyJoinPass(const QString &output, const QString &profilePath);
    // The join line run and its output checked and put in place, for both kinds of join.
    // onPosition: where the join has got to. The output's final name; nothing when the job
    // ended without one.
    // trims: for a join that copies, each file's.
    std::optional<QString> runJoin(const QStringList &files, const QString &output, const QString &profilePath,
                 const std::function<void(double)> &onPosition, const QList<tasks::Trim> &trims = {});
    void completionActions(const QString &finalOutput);

    // Runs the encoder once with the command, and logs the command and how the run ended.
    RunResult runEncoder(const EncoderArgs &command, const std::function<void(double)> &onPosition);
    // A failed run's details: what the job found first, the encoder's last lines, then the
    // command line that ran.
    QString failureDetails(const RunResult &result, const QString &found = QString()) const;
    QString intermediate(int row) const;
    // Whether the encoder in the program folder is our own, which takes a rate factor for the
    // picture and a moment to end at (an encoder put there by the user may not).
    bool encoderIsOurOwn();
    // Converts the start of a row at the reference factor, to learn how busy its pictures are.
    void lookAt(SharedRate &rate, int row, const tasks::ltvItemData &data, const EncoderArgs &options, const QString &shape);
    void setStatus(int row, QLatin1String status);
    void setAllStatuses(QLatin1String status);
    void removeWorkFolder();
    void cancelConversion(int row);
    void cancelJoin();
    void fail(QLatin1String title, const QString &text, const QString &details);
    void endOrderly();
    // Tells the host that the job it was told of has ended, once.
    void ended();

    JobHost &m_host;
    tasks::TaskListView &m_tasks;
    const profiles::OutputSettingsView &m_outputSettings;
    const prefs::GeneralSettingsView &m_generalSettings;
    EncoderRunner &m_runner;
    ProgressView &m_display;
    PositionReader m_reader;
    std::unique_ptr<QTemporaryDir> m_work;
    bool m_partsCopied = false;     // our encoder's join would copy the parts of this job
    double m_converted = 0;         // the intermediates' play time together, as measured
    double m_allowance = 0;         // how much shorter than that the joined file may play
    bool m_copying = false;         // the profile joins without re-encoding
    QStringList m_shortInputs;      // inputs that gave less than their listed length
    QString m_commandLine;          // the last encoder command line, as the log shows it
    bool m_active = false;
    bool m_began = false; // the host was told that the job began, not yet that it ended
    JobState m_state = JobState::Idle;
    JobReport m_report;
};

} // namespace velmora::job
