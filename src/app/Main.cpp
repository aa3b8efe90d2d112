#include "app/Main.h"

#include "app/About.h"
#include "app/AppTexts.h"
#include "app/Artwork.h"
#include "app/DesktopJob.h"
#include "app/OutputTypes.h"
#include "app/Preview.h"
#include "app/TaskMenu.h"
#include "job/JobTexts.h"
#include "job/OutputNames.h"
#include "platform/Clicks.h"
#include "platform/FolderPicker.h"
#include "platform/Error.h"
#include "platform/GuardedCall.h"
#include "platform/Paths.h"
#include "platform/Seams.h"
#include "prefs/IniFile.h"
#include "prefs/PrefKeys.h"
#include "prefs/Settings.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "tasks/InputTypes.h"
#include "tasks/TaskTexts.h"

#include "ui_Main.h"
#include "platform/Translation.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QShowEvent>
#include <QToolButton>
#include <QUrl>

namespace velmora::app {

namespace {
constexpr int ProfileFileRole = Qt::UserRole;
constexpr int OutputRowWidth = 607;
constexpr int WelcomePanelWidth = 768;
} // namespace

TMainForm::TMainForm(const prefs::ProgramFolder &folder, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TMainForm>())
    , m_folder(folder)
    , m_arguments(arguments)
    , m_runner(folder.encoderPath())
{
    ui->setupUi(this);
    m_progress = std::make_unique<job::ProgressDisplay>(job::ProgressWidgets{
        ui->panBottomCenter, ui->panBottomLeft, ui->labProcessTitle, ui->labConvertingFile, ui->labElapsed, ui->labRemaining,
        ui->pgbCurrent, ui->pgbTotal, ui->labCurProgress, ui->labTotalProgress, &m_timerTime});
    m_tasks = std::make_unique<tasks::TaskList>(ui->ltvTask, this);
    m_desktopJob = std::make_unique<DesktopJob>();
    m_tasks->setWelcomePanel(ui->panltvTask);
    setupToolbar();
    setupTaskMenu();
    connectHandlers();
    platform::runGuarded(this, [this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::attachWindows(TAboutForm *about, profiles::TopSettingForm *outputSettings, prefs::TSettingForm *settings)
{
    m_aboutForm = about;
    m_opSettingForm = outputSettings;
    m_settingForm = settings;
    m_job = std::make_unique<job::JobDriver>(*this, *m_tasks, *outputSettings, *settings, m_runner, *m_progress);
}

void TMainForm::setupToolbar()
{
    decorateToolbar(ui->Toolbar1);
    // Sort opens its menu at once; the task list's context menu holds the same entries.
    ui->tbtnSort->setMenu(makeSortMenu(this, QStringLiteral("mnu"), [this](tasks::SortKey key) { sortTasks(key); }));
    if (auto *button = qobject_cast<QToolButton *>(ui->Toolbar1->widgetForAction(ui->tbtnSort)))
        button->setPopupMode(QToolButton::InstantPopup);
    setWindowIcon(applicationIcon());
    ui->imgbannerbk->setPixmap(bannerBackground());
    ui->image3->setPixmap(welcomePicture());
    ui->Image1->setPixmap(logoPicture());
}

void TMainForm::connectHandlers()
{
    using Handler = void (TMainForm::*)();
    const std::pair<QAction *, Handler> actions[] = {
        {ui->tbtnAddFile, &TMainForm::tbtnAddFileClick}, {ui->tbtnAddDir, &TMainForm::tbtnAddDirClick},
        {ui->tbtnRemove, &TMainForm::tbtnRemoveClick},   {ui->tbtnClear, &TMainForm::tbtnClearClick},
        {ui->tbtnUp, &TMainForm::tbtnUpClick},           {ui->tbtnDown, &TMainForm::tbtnDownClick},
        {ui->tbtnPreview, &TMainForm::tbtnPreviewClick}, {ui->tbtnSaveList, &TMainForm::tbtnSaveListClick},
        {ui->tbtnStop, &TMainForm::tbtnStopClick},       {ui->tbtnStart, &TMainForm::tbtnStartClick},
        {ui->tbtnSetting, &TMainForm::tbtnSettingClick}, {ui->tbtnAbout, &TMainForm::tbtnAboutClick},
        {ui->tbtnHelp, &TMainForm::tbtnHelpClick},
    };
    for (const auto &[action, handler] : actions)
        connect(action, &QAction::triggered, this, handler);
    const std::pair<QPushButton *, Handler> buttons[] = {
        {ui->bbtnBrowser, &TMainForm::bbtnBrowserClick},
        {ui->bbtnOpen, &TMainForm::bbtnOpenClick},
        {ui->bbtnSetting, &TMainForm::bbtnSettingClick},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
    connect(ui->cmbProfile, &QComboBox::activated, this, &TMainForm::cmbProfileChange);
    connect(&m_timerTime, &QTimer::timeout, this, &TMainForm::timerTimeTimer);
    connect(ui->pgbTotal, &QProgressBar::valueChanged, this, [this](int percent) { m_desktopJob->progress(percent); });
    connect(ui->ltvTask, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        ppmTaskPopup();
        m_ppmTask->popup(ui->ltvTask->viewport()->mapToGlobal(position));
    });
    connect(ui->ltvTask, &QTreeWidget::itemSelectionChanged, this, &TMainForm::updatePreviewAction);
    ui->ltvTask->installEventFilter(this);
    ui->ltvTask->viewport()->installEventFilter(this);
    platform::onClick(ui->labCompany, [this] { labCompanyClick(); });
    platform::onClick(ui->Image1, [this] { Image1Click(); });
}

QString TMainForm::outputFileText() const
{
    return ui->edtOutputFile->text();
}

void TMainForm::setOutputFileText(const QString &text)
{
    ui->edtOutputFile->setText(text);
}

void TMainForm::setupTaskMenu()
{
    m_ppmTask = makeTaskMenu(this, {[this] { ppmOpenClick(); }, [this] { tbtnPreviewClick(); }, [this] { tbtnAddFileClick(); },
                                    [this] { tbtnAddDirClick(); }, [this] { tbtnSaveListClick(); }, [this] { tbtnRemoveClick(); },
                                    [this] { tbtnClearClick(); }, [this](tasks::SortKey key) { sortTasks(key); }});
}

void TMainForm::FormCreate()
{
    // Until the preferences are read, the output field names the program folder.
    ui->edtOutputFile->setText(m_folder.appDir());

    ui->panltvTask->setMaximumWidth(WelcomePanelWidth);

    // The caption shows the version the preferences name.
    const prefs::IniFile preferences(m_folder.preferencesFile());
    m_appVersion = preferences.readString(prefs::section::Main, prefs::key::Version, prefs::DefaultVersion);
    QCoreApplication::setApplicationName(texts::ProductName);
    setWindowTitle(texts::ProductName + QStringLiteral(" V") + m_appVersion);
    ui->labProgramName->setText(texts::ProductName);
    ui->labCompany->setText(texts::MakerName + QStringLiteral("  ") + texts::MakerWebsite);

    m_saveDialog.setFilter(SaveDialogFilter());
    m_saveDialog.setDefaultExt(texts::SaveDefaultExt);
    m_openDialogFilter = tasks::OpenDialogFilter();

    // The profiles are listed before the command line's files are added, so that a file that
    // cannot be added still leaves a window ready to use.
    fillProfileList();
    takeCommandLineFiles();
    setAcceptDrops(true);

    // The output row and the progress display share one place; the progress waits for a job.
    ui->panBottomCenter->setFixedWidth(OutputRowWidth);
    ui->panBottomLeft->setFixedWidth(OutputRowWidth);
    ui->panBottomLeft->hide();
}

void TMainForm::fillProfileList()
{
    ui->cmbProfile->clear();
    for (const profiles::ProfileEntry &profile : profiles::discoverProfiles(m_folder.profilesDir()))
        ui->cmbProfile->addItem(profile.name, profile.fileName);
    ui->cmbProfile->setCurrentIndex(-1);
}

void TMainForm::takeCommandLineFiles()
{
    // A file that cannot be added ends the adding here; start-up goes on.
    platform::runGuarded(this, [this] { m_tasks->AddCommandLine(m_arguments); });
    // A list that holds rows can be ordered, emptied and joined.
    applyEnablingRule();
}

void TMainForm::applyEnablingRule()
{
    if (m_tasks->count() > 0)
        setTaskButtonsEnabled(true);
}

void TMainForm::setTaskButtonsEnabled(bool enabled)
{
    for (QAction *action : {ui->tbtnUp, ui->tbtnDown, ui->tbtnSort, ui->tbtnRemove, ui->tbtnClear, ui->tbtnSaveList, ui->tbtnStart})
        action->setEnabled(enabled);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    platform::runGuarded(this, [this] { FormShow(); });
}

void TMainForm::FormShow()
{
    LoadMainPreferences();
}

void TMainForm::LoadMainPreferences()
{
    const prefs::IniFile preferences(m_folder.preferencesFile());
    if (ui->cmbProfile->count() > 0) {
        QStringList names;
        for (int item = 0; item < ui->cmbProfile->count(); ++item)
            names.append(ui->cmbProfile->itemText(item));
        const int index = profiles::ChosenProfile(m_folder.preferencesFile(), names);
        ui->cmbProfile->setCurrentIndex(index >= 0 && index < ui->cmbProfile->count() ? index : -1);
        cmbProfileChange();
    }
    ui->edtOutputFile->setText(preferences.readString(prefs::section::Main, prefs::key::OutputFile, prefs::DefaultOutputFile));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (jobActive() && !m_closingForJob) {
        // The encoder must not outlive the window: a running job stops first, and the
        // window closes once Start has cleaned up.
        event->ignore();
        if (!m_closeWhenJobEnds && platform::messageBoxes().question(this, platform::translated(job::texts::ExitTitle), platform::translated(job::texts::ExitText)))
            stopJobThenClose();
        return;
    }
    // The program ends even when the preferences could not be written: the message says so.
    platform::runGuarded(this, [this] { FormClose(); });
    event->accept();
    m_tasks->stopAdding();
    m_tasks->stopThumbnails();
}

void TMainForm::closeFromOutside()
{
    if (jobActive())
        stopJobThenClose();
    else
        close();
}

void TMainForm::stopJobThenClose()
{
    m_closeWhenJobEnds = true;
    m_job->requestStop();
}

void TMainForm::closeForJob()
{
    m_closingForJob = true;
    close();
}

void TMainForm::jobBegins()
{
    m_desktopJob->begins();
}

void TMainForm::jobEnds(const job::JobReport &report)
{
    m_desktopJob->ends(report, isActiveWindow());
}

void TMainForm::FormClose()
{
    SaveMainPreferences();
}

void TMainForm::SaveMainPreferences()
{
    prefs::IniFile preferences(m_folder.preferencesFile());
    preferences.writeInteger(prefs::section::Main, prefs::key::Profile, ui->cmbProfile->currentIndex());
    preferences.writeString(prefs::section::Main, prefs::key::OutputFile, ui->edtOutputFile->text());
}

void TMainForm::bbtnBrowserClick()
{
    platform::runGuarded(this, [this] {
        if (const auto chosen = m_saveDialog.execute(this))
            ui->edtOutputFile->setText(*chosen);
    });
}

void TMainForm::bbtnOpenClick()
{
    platform::runGuarded(this, [this] {
        const QString target = job::OpenTargetFor(ui->edtOutputFile->text());
        if (!target.isEmpty())
            platform::shell().open(target);
    });
}

void TMainForm::bbtnSettingClick()
{
    platform::runGuarded(this, [this] {
        if (m_opSettingForm)
            m_opSettingForm->present();
    });
}

void TMainForm::tbtnSettingClick()
{
    platform::runGuarded(this, [this] {
        if (m_settingForm)
            m_settingForm->present();
    });
}

void TMainForm::tbtnAboutClick()
{
    platform::runGuarded(this, [this] {
        if (!m_aboutForm) {
            m_ownAboutForm = std::make_unique<TAboutForm>(m_appVersion, this);
            m_aboutForm = m_ownAboutForm.get();
        }
        m_aboutForm->present();
    });
}

void TMainForm::tbtnHelpClick()
{
    platform::runGuarded(this, [this] { platform::shell().open(m_folder.helpFile()); });
}

void TMainForm::labCompanyClick()
{
    platform::runGuarded(this, [] { platform::shell().open(texts::MakerWebsite); });
}

void TMainForm::Image1Click()
{
    platform::runGuarded(this, [] { platform::shell().open(texts::MakerWebsite); });
}

void TMainForm::cmbProfileChange()
{
    platform::runGuarded(this, [this] {
        if (ui->cmbProfile->currentIndex() < 0 || !m_opSettingForm)
            return;
        const QString path = selectedProfilePath();
        if (QFileInfo(path).isFile())
            m_opSettingForm->LoadProfile(path);
    });
}

void TMainForm::tbtnAddFileClick()
{
    platform::runGuarded(this, [this] {
        for (const QString &path : platform::fileDialogs().openFiles(this, m_openDialogFilter))
            m_tasks->AddTaskFile(path);
    });
    // Also after a file that could not be added: the rows added before it are there.
    applyEnablingRule();
}

void TMainForm::tbtnAddDirClick()
{
    platform::runGuarded(this, [this] {
        QString folder;
        if (platform::SelectFolder(this, platform::translated(tasks::texts::AddFolderTitle), folder))
            m_tasks->AddTaskFolder(folder);
    });
    ui->ltvTask->setFocus();
    applyEnablingRule();
}

void TMainForm::tbtnRemoveClick()
{
    platform::runGuarded(this, [this] {
        m_tasks->removeSelected();
        if (m_tasks->count() == 0)
            setTaskButtonsEnabled(false);
    });
}

void TMainForm::tbtnClearClick()
{
    platform::runGuarded(this, [this] {
        m_tasks->clear();
        setTaskButtonsEnabled(false);
    });
}

void TMainForm::tbtnUpClick()
{
    platform::runGuarded(this, [this] { m_tasks->moveSelected(tasks::MoveUp); });
}

void TMainForm::tbtnDownClick()
{
    platform::runGuarded(this, [this] { m_tasks->moveSelected(tasks::MoveDown); });
}

void TMainForm::sortTasks(tasks::SortKey key)
{
    if (m_locked)
        return;
    // By recording time each file not read before is opened; a wait cursor shows for that.
    if (key == tasks::SortKey::RecordingTime)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    platform::runGuarded(this, [this, key] { m_tasks->sortBy(key); });
    if (key == tasks::SortKey::RecordingTime)
        QGuiApplication::restoreOverrideCursor();
}

void TMainForm::ltvTaskDblClick()
{
    tbtnPreviewClick();
}

void TMainForm::ppmOpenClick()
{
    platform::runGuarded(this, [this] {
        if (const QString file = m_tasks->firstSelectedFile(); !file.isEmpty())
            platform::shell().open(file);
    });
}

void TMainForm::tbtnPreviewClick()
{
    platform::runGuarded(this, [this] {
        if (const int row = m_tasks->firstSelected(); row >= 0 && !m_locked)
            previewRow(row);
    });
}

void TMainForm::previewRow(int row)
{
    tasks::ltvItemData data;
    m_tasks->GetTaskItem(row, tasks::field::All, data);
    if (!m_previewForm) {
        m_previewForm = std::make_unique<TPreviewForm>(this);
        connect(m_previewForm.get(), &TPreviewForm::trimChosen, this,
                [this](const QString &path, std::optional<double> start, std::optional<double> end) {
                    // The preview is modal: the row it was opened for is still where it was.
                    tasks::ltvItemData shown;
                    m_tasks->GetTaskItem(m_previewRow, tasks::field::Caption, shown);
                    if (shown.InputFile == path)
                        rowTrimChosen(m_previewRow, start, end);
                });
    }
    m_previewRow = row;
    // The row's Length is what it keeps; the preview shows the whole clip.
    const tasks::Trim trim = tasks::TrimOf(data);
    m_previewForm->open(data.InputFile, tasks::WholeLength(data), trim.start, trim.end, selectedProfileCopies());
}

void TMainForm::rowTrimChosen(int row, std::optional<double> start, std::optional<double> end)
{
    // Kept in the row itself: its Length shows the part kept, the job converts just that, and
    // Save List writes it.
    m_tasks->setTrim(row, tasks::Trim{start, end});
}

tasks::Trim TMainForm::rowTrim(int row) const
{
    tasks::ltvItemData data;
    m_tasks->GetTaskItem(row, tasks::field::All, data);
    return tasks::TrimOf(data);
}

void TMainForm::tbtnSaveListClick()
{
    platform::runGuarded(this, [this] {
        if (m_tasks->count() == 0)
            return;
        platform::SaveFileRequest request;
        request.filter = platform::translated(tasks::texts::ListFileFilter);
        request.defaultSuffix = QStringLiteral("tmp");
        request.initialPath = platform::ExtractFilePath(ui->edtOutputFile->text());
        const std::optional<QString> chosen = platform::fileDialogs().saveFile(this, request);
        if (!chosen)
            return;
        QSaveFile file(*chosen);
        if (!file.open(QIODevice::WriteOnly) || file.write(tasks::ListFileText(tasks::ListEntriesOf(*m_tasks))) < 0 || !file.commit())
            throw velmora::Error(platform::translated(tasks::texts::SaveListFailedText).arg(*chosen, file.errorString()));
    });
}

void TMainForm::updatePreviewAction()
{
    ui->tbtnPreview->setEnabled(!m_locked && m_tasks->selectedCount() > 0);
}

void TMainForm::ppmTaskPopup()
{
    enableTaskMenu(m_ppmTask, m_tasks->selectedCount(), m_tasks->count());
}

void TMainForm::tbtnStartClick()
{
    platform::runGuarded(this, [this] {
        if (m_job)
            m_job->tbtnStartClick();
    });
    if (m_closeWhenJobEnds) {
        m_closeWhenJobEnds = false;
        closeForJob();
    }
}

void TMainForm::timerTimeTimer()
{
    platform::runGuarded(this, [this] { m_progress->tick(); });
}

void TMainForm::focusOutputFile()
{
    ui->edtOutputFile->setFocus();
}

void TMainForm::focusTaskList()
{
    ui->ltvTask->setFocus();
}

void TMainForm::LockControls()
{
    setJobLocked(true);
}

void TMainForm::UnlockControls()
{
    setJobLocked(false);
}

void TMainForm::setJobLocked(bool locked)
{
    for (QAction *action : {ui->tbtnAddFile, ui->tbtnAddDir, ui->tbtnUp, ui->tbtnDown, ui->tbtnSort, ui->tbtnRemove, ui->tbtnClear,
                            ui->tbtnSaveList, ui->tbtnStart, ui->tbtnSetting})
        action->setEnabled(!locked);
    ui->tbtnStop->setEnabled(locked);
    ui->ltvTask->setEnabled(!locked);
    m_locked = locked;
    updatePreviewAction();
}

QString TMainForm::selectedProfilePath() const
{
    // The file the profile list found, so that the name's letter case is the disk's.
    const int index = ui->cmbProfile->currentIndex();
    const QString fileName = index >= 0 ? ui->cmbProfile->itemData(index, ProfileFileRole).toString()
                                        : ui->cmbProfile->currentText() + QStringLiteral(".bpf");
    return m_folder.profilesDir() + fileName;
}

bool TMainForm::selectedProfileCopies() const
{
    return m_opSettingForm && profiles::CopiesStreams(*m_opSettingForm, selectedProfilePath());
}

QString TMainForm::outputExtension() const
{
    return m_opSettingForm ? m_opSettingForm->outputExtension() : QString();
}

void TMainForm::tbtnStopClick()
{
    platform::runGuarded(this, [this] {
        if (m_job)
            m_job->requestStop();
    });
}

void TMainForm::ltvTaskKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace)
        tbtnClearClick();
    else if (event->key() == Qt::Key_Delete)
        tbtnRemoveClick();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        tbtnPreviewClick();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->ltvTask) {
        if (event->type() == QEvent::Resize)
            m_tasks->followWidth();
        else if (event->type() == QEvent::KeyPress)
            ltvTaskKeyDown(static_cast<QKeyEvent *>(event));
    } else if (watched == ui->ltvTask->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ltvTaskDblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    m_tasks->hideWelcomePanel();
    if (!ui->ltvTask->isEnabled())
        return;
    const QList<QUrl> urls = event->mimeData()->urls();
    platform::runGuarded(this, [this, &urls] { m_tasks->AddDropped(urls); });
    applyEnablingRule();
}

} // namespace velmora::app
