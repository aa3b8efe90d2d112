#include "app/Main.h"

#include "app/About.h"
#include "app/AppTexts.h"
#include "app/Artwork.h"
#include "app/OutputTypes.h"
#include "job/JobTexts.h"
#include "platform/FolderPicker.h"
#include "platform/GuardedCall.h"
#include "platform/Paths.h"
#include "platform/Seams.h"
#include "prefs/IniFile.h"
#include "prefs/PrefKeys.h"
#include "prefs/Settings.h"
#include "profiles/OutputSettings.h"
#include "profiles/ProfileList.h"
#include "tasks/InputTypes.h"
#include "tasks/TaskTexts.h"

#include "ui_Main.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QShowEvent>
#include <QToolButton>
#include <QUrl>

namespace velmora::app {

namespace {
constexpr int ProfileFileRole = Qt::UserRole;
constexpr int OutputRowWidth = 607;
constexpr int WelcomePanelWidth = 768;
constexpr tasks::ColumnSizer::Widths ColumnWidths = {350, 90, 80, 150};
} // namespace

TMainForm::TMainForm(const prefs::ProgramFolder &folder, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TMainForm>())
    , m_folder(folder)
    , m_arguments(arguments)
    , m_columnSizer(ColumnWidths)
    , m_runner(folder.encoderPath())
{
    ui->setupUi(this);
    m_progress = std::make_unique<job::ProgressDisplay>(job::ProgressWidgets{
        ui->panBottomCenter, ui->panBottomLeft, ui->labProcessTitle, ui->labConvertingFile, ui->labElapsed, ui->labRemaining,
        ui->pgbCurrent, ui->pgbTotal, ui->labCurProgress, ui->labTotalProgress, &m_timerTime});
    m_tasks = std::make_unique<tasks::TaskList>(ui->ltvTask, this);
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
    const std::pair<QAction *, Glyph> buttons[] = {
        {ui->tbtnAddFile, Glyph::AddFile}, {ui->tbtnAddDir, Glyph::AddDir},   {ui->tbtnUp, Glyph::MoveUp},
        {ui->tbtnDown, Glyph::MoveDown},   {ui->tbtnRemove, Glyph::Remove},   {ui->tbtnClear, Glyph::Clear},
        {ui->tbtnStart, Glyph::Start},     {ui->tbtnStop, Glyph::Stop},       {ui->tbtnSetting, Glyph::Setting},
        {ui->tbtnAbout, Glyph::About},     {ui->tbtnHelp, Glyph::Help},
    };
    for (const auto &[action, glyph] : buttons) {
        action->setIcon(toolbarIcon(glyph));
        // The button carries the action's name too, and its hint as its accessible name.
        if (QWidget *button = ui->Toolbar1->widgetForAction(action)) {
            button->setObjectName(action->objectName());
            button->setAccessibleName(action->toolTip());
            button->setFixedSize(56, 54);
        }
    }
    setWindowIcon(applicationIcon());
    ui->imgbannerbk->setPixmap(bannerBackground());
    ui->image3->setPixmap(welcomePicture());
    ui->Image1->setPixmap(logoPicture());
}

void TMainForm::connectHandlers()
{
    connect(ui->bbtnBrowser, &QPushButton::clicked, this, &TMainForm::bbtnBrowserClick);
    connect(ui->bbtnOpen, &QPushButton::clicked, this, &TMainForm::bbtnOpenClick);
    connect(ui->bbtnSetting, &QPushButton::clicked, this, &TMainForm::bbtnSettingClick);
    connect(ui->tbtnSetting, &QAction::triggered, this, &TMainForm::tbtnSettingClick);
    connect(ui->tbtnAbout, &QAction::triggered, this, &TMainForm::tbtnAboutClick);
    connect(ui->tbtnHelp, &QAction::triggered, this, &TMainForm::tbtnHelpClick);
    connect(ui->cmbProfile, &QComboBox::activated, this, &TMainForm::cmbProfileChange);
    connect(ui->tbtnAddFile, &QAction::triggered, this, &TMainForm::tbtnAddFileClick);
    connect(ui->tbtnAddDir, &QAction::triggered, this, &TMainForm::tbtnAddDirClick);
    connect(ui->tbtnRemove, &QAction::triggered, this, &TMainForm::tbtnRemoveClick);
    connect(ui->tbtnClear, &QAction::triggered, this, &TMainForm::tbtnClearClick);
    connect(ui->tbtnUp, &QAction::triggered, this, &TMainForm::tbtnUpClick);
    connect(ui->tbtnDown, &QAction::triggered, this, &TMainForm::tbtnDownClick);
    connect(ui->tbtnStop, &QAction::triggered, this, &TMainForm::tbtnStopClick);
    connect(ui->tbtnStart, &QAction::triggered, this, &TMainForm::tbtnStartClick);
    connect(&m_timerTime, &QTimer::timeout, this, &TMainForm::timerTimeTimer);
    connect(ui->ltvTask, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        ppmTaskPopup();
        m_ppmTask->popup(ui->ltvTask->viewport()->mapToGlobal(position));
    });
    ui->ltvTask->installEventFilter(this);
    ui->ltvTask->viewport()->installEventFilter(this);
    ui->labCompany->installEventFilter(this);
    ui->Image1->installEventFilter(this);
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
    m_ppmTask = new QMenu(this);
    m_ppmTask->setObjectName(QStringLiteral("ppmTask"));
    const auto add = [this](const char *name, QLatin1String text, void (TMainForm::*handler)()) {
        QAction *action = m_ppmTask->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
    };
    add("ppmOpen", tasks::texts::MenuOpen, &TMainForm::ltvTaskDblClick);
    m_ppmTask->addSeparator();
    add("ppmAddFiles", tasks::texts::MenuAddFiles, &TMainForm::tbtnAddFileClick);
    add("ppmAddDir", tasks::texts::MenuAddFolder, &TMainForm::tbtnAddDirClick);
    m_ppmTask->addSeparator();
    add("ppmRemove", tasks::texts::MenuRemove, &TMainForm::tbtnRemoveClick);
    add("ppmClear", tasks::texts::MenuClear, &TMainForm::tbtnClearClick);
}

void TMainForm::FormCreate()
{
    // 1, 2: the program folder; the encoder lies in it.
    ui->edtOutputFile->setText(m_folder.appDir());

    // 3: the task list's header colour and the welcome panel.
    ui->ltvTask->header()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: rgb(243, 243, 243); }"));
    ui->ltvTask->header()->setSectionsClickable(false);
    ui->ltvTask->header()->setSectionsMovable(false);
    ui->panltvTask->setMaximumWidth(WelcomePanelWidth);

    // 4: the version shown in the caption.
    const prefs::IniFile preferences(m_folder.preferencesFile());
    m_appVersion = preferences.readString(prefs::section::Main, prefs::key::Version, prefs::DefaultVersion);

    // 5: product texts.
    QCoreApplication::setApplicationName(texts::ProductName);
    setWindowTitle(texts::ProductName + QStringLiteral(" V") + m_appVersion);
    ui->labProgramName->setText(texts::ProductName);
    ui->labCompany->setText(texts::MakerName + QStringLiteral("  ") + texts::MakerWebsite);

    // 6: the output file save dialog.
    m_saveDialog.setFilter(SaveDialogFilter());
    m_saveDialog.setDefaultExt(texts::SaveDefaultExt);

    // 7: the open dialog's filter.
    m_openDialogFilter = tasks::OpenDialogFilter();

    // 8: the profile list.
    fillProfileList();

    // 9: files named on the command line.
    takeCommandLineFiles();

    // 10: a list that holds rows can be ordered, emptied and joined.
    if (ui->ltvTask->topLevelItemCount() > 0)
        setTaskButtonsEnabled(true);

    // 11: files and folders may be dropped on the window.
    setAcceptDrops(true);

    // 12: the output row is shown, the progress display waits for a job.
    ui->panBottomCenter->setFixedWidth(OutputRowWidth);
    ui->panBottomLeft->setFixedWidth(OutputRowWidth);
    ui->panBottomLeft->hide();

    // 13: column widths.
    for (int column = 0; column < tasks::ColumnSizer::Columns; ++column)
        ui->ltvTask->setColumnWidth(column, ColumnWidths[static_cast<size_t>(column)]);
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
    applyEnablingRule();
}

void TMainForm::applyEnablingRule()
{
    if (m_tasks->count() > 0)
        setTaskButtonsEnabled(true);
}

void TMainForm::setTaskButtonsEnabled(bool enabled)
{
    for (QAction *action : {ui->tbtnUp, ui->tbtnDown, ui->tbtnRemove, ui->tbtnClear, ui->tbtnStart})
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
        const int index = preferences.readInteger(prefs::section::Main, prefs::key::Profile, prefs::DefaultProfile);
        ui->cmbProfile->setCurrentIndex(index >= 0 && index < ui->cmbProfile->count() ? index : -1);
        cmbProfileChange();
    }
    ui->edtOutputFile->setText(preferences.readString(prefs::section::Main, prefs::key::OutputFile, QString()));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (jobActive() && !m_closingForJob) {
        // The encoder must not outlive the window: a running job stops first, and the
        // window closes once Start has cleaned up.
        event->ignore();
        if (!m_closeWhenJobEnds && platform::messageBoxes().question(this, job::texts::ExitTitle, job::texts::ExitText)) {
            m_closeWhenJobEnds = true;
            JobState = job::JobState::StopRequested;
            m_runner.TerminateEncoder();
        }
        return;
    }
    // The program ends even when the preferences could not be written: the message says so.
    platform::runGuarded(this, [this] { FormClose(); });
    event->accept();
    m_tasks->stopAdding();
}

void TMainForm::closeFromOutside()
{
    if (jobActive()) {
        m_closeWhenJobEnds = true;
        JobState = job::JobState::StopRequested;
        m_runner.TerminateEncoder();
        return;
    }
    close();
}

void TMainForm::closeForJob()
{
    m_closingForJob = true;
    close();
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
        const QString output = ui->edtOutputFile->text();
        if (QFileInfo(output).isFile()) {
            platform::shell().open(output);
            return;
        }
        // An empty folder part names no folder (QDir would take it as the working folder).
        const QString folder = platform::ExtractFilePath(output);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            platform::shell().open(folder);
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

} // namespace velmora::app

namespace velmora::app {

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
        if (platform::SelectFolder(this, tasks::texts::AddFolderTitle, folder))
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
    platform::runGuarded(this, [this] {
        if (m_tasks->selectedCount() > 0)
            m_tasks->applyReorder(tasks::MoveUp(m_tasks->selection()));
    });
}

void TMainForm::tbtnDownClick()
{
    platform::runGuarded(this, [this] {
        if (m_tasks->selectedCount() > 0)
            m_tasks->applyReorder(tasks::MoveDown(m_tasks->selection()));
    });
}

void TMainForm::ltvTaskDblClick()
{
    platform::runGuarded(this, [this] {
        const int first = m_tasks->firstSelected();
        if (first < 0)
            return;
        tasks::ltvItemData data;
        m_tasks->GetTaskItem(first, tasks::field::Caption, data);
        platform::shell().open(data.InputFile);
    });
}

void TMainForm::ppmTaskPopup()
{
    const bool anySelected = m_tasks->selectedCount() > 0;
    m_ppmTask->findChild<QAction *>(QStringLiteral("ppmOpen"))->setEnabled(anySelected);
    m_ppmTask->findChild<QAction *>(QStringLiteral("ppmRemove"))->setEnabled(anySelected);
    m_ppmTask->findChild<QAction *>(QStringLiteral("ppmClear"))->setEnabled(m_tasks->count() > 0);
    m_ppmTask->findChild<QAction *>(QStringLiteral("ppmAddFiles"))->setEnabled(true);
    m_ppmTask->findChild<QAction *>(QStringLiteral("ppmAddDir"))->setEnabled(true);
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
    for (QAction *action : {ui->tbtnAddFile, ui->tbtnAddDir, ui->tbtnUp, ui->tbtnDown, ui->tbtnRemove, ui->tbtnClear,
                            ui->tbtnStart, ui->tbtnSetting})
        action->setEnabled(false);
    ui->tbtnStop->setEnabled(true);
    ui->ltvTask->setEnabled(false);
}

void TMainForm::UnlockControls()
{
    for (QAction *action : {ui->tbtnAddFile, ui->tbtnAddDir, ui->tbtnUp, ui->tbtnDown, ui->tbtnRemove, ui->tbtnClear,
                            ui->tbtnStart, ui->tbtnSetting})
        action->setEnabled(true);
    ui->tbtnStop->setEnabled(false);
    ui->ltvTask->setEnabled(true);
}

QString TMainForm::selectedProfilePath() const
{
    // The file the profile list found, so that the name's letter case is the disk's.
    const int index = ui->cmbProfile->currentIndex();
    const QString fileName = index >= 0 ? ui->cmbProfile->itemData(index, ProfileFileRole).toString()
                                        : ui->cmbProfile->currentText() + QStringLiteral(".bpf");
    return m_folder.profilesDir() + fileName;
}

QString TMainForm::outputExtension() const
{
    return m_opSettingForm ? m_opSettingForm->outputExtension() : QString();
}

void TMainForm::tbtnStopClick()
{
    platform::runGuarded(this, [this] {
        if (JobState != job::JobState::Running)
            return;
        JobState = job::JobState::StopRequested;
        m_runner.TerminateEncoder();
    });
}

void TMainForm::ltvTaskKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace)
        tbtnClearClick();
    else if (event->key() == Qt::Key_Delete)
        tbtnRemoveClick();
}

void TMainForm::ltvTaskResize()
{
    QHeaderView *header = ui->ltvTask->header();
    for (int column = 0; column < tasks::ColumnSizer::Columns; ++column)
        m_columnSizer.columnDragged(column, header->sectionSize(column));
    m_columnSizer.resize(ui->ltvTask->width());
    const tasks::ColumnSizer::Widths shown = m_columnSizer.shown();
    for (int column = 0; column < tasks::ColumnSizer::Columns; ++column)
        ui->ltvTask->setColumnWidth(column, shown[static_cast<size_t>(column)]);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->ltvTask) {
        if (event->type() == QEvent::Resize)
            ltvTaskResize();
        else if (event->type() == QEvent::KeyPress)
            ltvTaskKeyDown(static_cast<QKeyEvent *>(event));
    } else if (watched == ui->ltvTask->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ltvTaskDblClick();
        return true;
    } else if (event->type() == QEvent::MouseButtonRelease && (watched == ui->labCompany || watched == ui->Image1)) {
        if (watched == ui->labCompany)
            labCompanyClick();
        else
            Image1Click();
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
    platform::runGuarded(this, [this, &urls] {
        for (const QUrl &url : urls) {
            if (!url.isLocalFile())
                continue;
            const QString path = url.toLocalFile();
            if (QFileInfo(path).isDir())
                m_tasks->AddTaskFolder(path);
            else if (tasks::IsSupportedExtension(path))
                m_tasks->AddTaskFile(path);
        }
    });
    applyEnablingRule();
}

} // namespace velmora::app
