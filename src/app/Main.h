#pragma once

#include "job/EncoderRunner.h"
#include "job/JobDriver.h"
#include "job/ProgressDisplay.h"
#include "platform/SaveDialog.h"
#include "prefs/GeneralSettings.h"
#include "prefs/ProgramFolder.h"
#include "tasks/TaskList.h"
#include "tasks/Trim.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

class QMenu;

namespace Ui {
class TMainForm;
}

namespace velmora::prefs {
class TSettingForm;
}
namespace velmora::profiles {
class TopSettingForm;
}

namespace velmora::app {

class TAboutForm;
class TPreviewForm;
class DesktopJob;

// The main window: toolbar, task list, output row, progress display.
class TMainForm : public QMainWindow, public prefs::OutputFileField, public job::JobHost
{
    Q_OBJECT

public:
    // folder is the program folder; arguments are the command line without the program.
    TMainForm(const prefs::ProgramFolder &folder, const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The secondary windows, made by the program body after this one.
    void attachWindows(TAboutForm *about, profiles::TopSettingForm *outputSettings, prefs::TSettingForm *settings);

    const prefs::ProgramFolder &folder() const { return m_folder; }
    const QString &AppVersion() const { return m_appVersion; }
    QString EncoderPath() const { return m_folder.encoderPath(); }
    platform::SaveDialog &SaveDialog1() { return m_saveDialog; }

    // OutputFileField, for the general settings dialog
    QString outputFileText() const override;
    void setOutputFileText(const QString &text) override;
    platform::SaveDialog &outputSaveDialog() override { return m_saveDialog; }

    // JobHost, for the join job
    QWidget *ownerWindow() override { return this; }
    void focusOutputFile() override;
    void focusTaskList() override;
    void LockControls() override;
    void UnlockControls() override;
    QString selectedProfilePath() const override;
    // Whether the selected profile joins without re-encoding, by the rule the job follows.
    bool selectedProfileCopies() const;
    QString outputExtension() const override;
    QString fallbackTempDir() const override { return m_folder.defaultTempDir(); }
    void closeForJob() override;
    void jobBegins() override;
    void jobEnds(const job::JobReport &report) override;
    // The session or the user ended the program from outside: a running job stops without a
    // question, then the window closes as usual, saving the preferences.
    void closeFromOutside();

    job::ProgressDisplay &Progress() { return *m_progress; }
    bool jobActive() const { return m_job && m_job->isActive(); }
    // The job that Start runs; none before the secondary windows are attached.
    const job::JobDriver *job() const { return m_job.get(); }
    tasks::TaskList &Tasks() { return *m_tasks; }
    QMenu *ppmTask() const { return m_ppmTask; }
    job::EncoderRunner &Runner() { return m_runner; }
    // The preview window; none before a row was first previewed.
    TPreviewForm *previewForm() const { return m_previewForm.get(); }

    // The user chose the part of a row's clip to keep in the preview.
    void rowTrimChosen(int row, std::optional<double> start, std::optional<double> end);
    // The kept parts chosen so far, by input file; a row not listed is kept whole.
    tasks::Trim rowTrim(int row) const;
    const QTimer &timerTime() const { return m_timerTime; }
    // What the desktop is told of the job: the sleep inhibitor, taskbar progress, notifications.
    const DesktopJob &desktopJob() const { return *m_desktopJob; }

public Q_SLOTS:
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void tbtnRemoveClick();
    void tbtnClearClick();
    void tbtnUpClick();
    void tbtnDownClick();
    // An entry of the Sort menu, on the toolbar or in the task list's context menu.
    void sortTasks(tasks::SortKey key);
    void ltvTaskDblClick();
    void ppmTaskPopup();
    void ppmOpenClick();
    void tbtnPreviewClick();
    // Writes the task list, trims included, as a list file the program reads back.
    void tbtnSaveListClick();
    void tbtnStopClick();
    void tbtnStartClick();
    void timerTimeTimer();
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void bbtnSettingClick();
    void tbtnSettingClick();
    void tbtnAboutClick();
    void tbtnHelpClick();
    void cmbProfileChange();
    void labCompanyClick();
    void Image1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void LoadMainPreferences();
    void SaveMainPreferences();

    void setupToolbar();
    void connectHandlers();
    void fillProfileList();
    void takeCommandLineFiles();
    void setTaskButtonsEnabled(bool enabled);
    void setJobLocked(bool locked);
    // Closing while a job runs: the job stops, and the window closes once Start has cleaned up.
    void stopJobThenClose();
    void applyEnablingRule();
    void setupTaskMenu();
    void ltvTaskKeyDown(QKeyEvent *event);
    // Preview needs a selected row and no job running.
    void updatePreviewAction();
    void previewRow(int row);

    std::unique_ptr<Ui::TMainForm> ui;
    prefs::ProgramFolder m_folder;
    QStringList m_arguments;
    QString m_appVersion;
    QString m_openDialogFilter;
    platform::SaveDialog m_saveDialog;
    std::unique_ptr<tasks::TaskList> m_tasks;
    QMenu *m_ppmTask = nullptr;
    job::EncoderRunner m_runner;
    std::unique_ptr<job::ProgressDisplay> m_progress;
    std::unique_ptr<job::JobDriver> m_job;
    std::unique_ptr<DesktopJob> m_desktopJob;
    bool m_closeWhenJobEnds = false; // the user asked to exit during a job
    bool m_closingForJob = false;    // the close needs no question
    QTimer m_timerTime;
    bool m_shown = false;
    bool m_locked = false; // a job runs

    QPointer<TAboutForm> m_aboutForm;
    std::unique_ptr<TAboutForm> m_ownAboutForm; // made here only when the program body made none
    QPointer<profiles::TopSettingForm> m_opSettingForm;
    QPointer<prefs::TSettingForm> m_settingForm;

    std::unique_ptr<TPreviewForm> m_previewForm; // made on the first preview
    int m_previewRow = -1;                       // the row the preview shows
};

} // namespace velmora::app
