#include "prefs/Settings.h"

#include "platform/FolderPicker.h"
#include "platform/GuardedCall.h"
#include "platform/Paths.h"
#include "platform/SaveDialog.h"
#include "platform/Seams.h"
#include "prefs/IniFile.h"
#include "prefs/PrefKeys.h"
#include "prefs/SavedChoices.h"
#include "prefs/SettingsTexts.h"

#include "ui_Settings.h"
#include "platform/Translation.h"

namespace velmora::prefs {

TSettingForm::TSettingForm(const ProgramFolder &folder, QWidget *mainWindow, OutputFileField *mainOutput)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TSettingForm>())
    , m_folder(folder)
    , m_mainOutput(mainOutput)
{
    ui->setupUi(this);
    m_rule = std::make_unique<RadioGroup>(QList<QRadioButton *>{ui->rdbAsk, ui->rdbOverWrite, ui->rdbRename});
    // What Cancel puts back, in this order. The buttons go back as a load sets them (setRule):
    // under the group rule, so that "no rule chosen" comes back too.
    m_snapshot = platform::FieldSnapshot({ui->edtOutputFile, ui->edtTempDir, ui->chkOpenDir, ui->chkExit, ui->chkTurnoff,
                                          ui->rdbAsk, ui->rdbOverWrite, ui->rdbRename},
                                         &RadioGroup::set);
    connect(ui->btnOK, &QPushButton::clicked, this, &TSettingForm::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TSettingForm::btnCancelClick);
    connect(ui->btnDefault, &QPushButton::clicked, this, &TSettingForm::btnDefaultClick);
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &TSettingForm::SpeedButton1Click);
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &TSettingForm::SpeedButton2Click);
    platform::runGuarded(mainWindow, [this] { FormCreate(); });
}

TSettingForm::~TSettingForm() = default;

void TSettingForm::FormCreate()
{
    LoadPreferences();
}

QString TSettingForm::tempDirText() const { return ui->edtTempDir->text(); }
bool TSettingForm::openOutputFolder() const { return ui->chkOpenDir->isChecked(); }
bool TSettingForm::exitProgram() const { return ui->chkExit->isChecked(); }
bool TSettingForm::turnOffComputer() const { return ui->chkTurnoff->isChecked(); }

OverwriteRule TSettingForm::overwriteRule() const
{
    switch (m_rule->checkedIndex()) {
    case 0: return OverwriteRule::Ask;
    case 1: return OverwriteRule::Overwrite;
    case 2: return OverwriteRule::Rename;
    default: return OverwriteRule::None;
    }
}

void TSettingForm::setRule(bool ask, bool overwrite, bool rename)
{
    // In this order, each under the group rule: the last one set wins, none may remain.
    RadioGroup::set(ui->rdbAsk, ask);
    RadioGroup::set(ui->rdbOverWrite, overwrite);
    RadioGroup::set(ui->rdbRename, rename);
}

void TSettingForm::readChoices(const IniFile &preferences, const QString &section, bool openDirDefault)
{
    const SavedChoices choices = ReadChoices(preferences, section, openDirDefault);
    ui->edtOutputFile->setText(choices.outputFile);
    ui->chkOpenDir->setChecked(choices.openDir);
    ui->chkExit->setChecked(choices.exit);
    ui->chkTurnoff->setChecked(choices.turnOff);
    setRule(choices.ask, choices.overwrite, choices.rename);
}

void TSettingForm::LoadPreferences()
{
    const IniFile preferences(m_folder.preferencesFile());
    readChoices(preferences, section::Main, DefaultAutoOpenDir);
    ui->edtTempDir->setText(preferences.readString(section::Main, key::TempDir, m_folder.defaultTempDir()));
}

void TSettingForm::SavePreferences()
{
    IniFile preferences(m_folder.preferencesFile());
    preferences.writeString(section::Main, key::OutputFile, ui->edtOutputFile->text());
    preferences.writeString(section::Main, key::TempDir, ui->edtTempDir->text());
    preferences.writeBool(section::Main, key::AutoOpenDir, ui->chkOpenDir->isChecked());
    preferences.writeBool(section::Main, key::AutoExit, ui->chkExit->isChecked());
    preferences.writeBool(section::Main, key::AutoTurnOff, ui->chkTurnoff->isChecked());
    preferences.writeBool(section::Main, key::Ask, ui->rdbAsk->isChecked());
    preferences.writeBool(section::Main, key::Overwrite, ui->rdbOverWrite->isChecked());
    preferences.writeBool(section::Main, key::Rename, ui->rdbRename->isChecked());
}

void TSettingForm::LoadDefaults()
{
    if (!platform::messageBoxes().question(this, platform::translated(texts::LoadDefaultTitle), platform::translated(texts::LoadDefaultQuestion)))
        return;
    // The factory values have no temporary folder.
    readChoices(IniFile(m_folder.preferencesFile()), section::Default, FactoryAutoOpenDir);
}

void TSettingForm::FormShow()
{
    if (m_mainOutput)
        ui->edtOutputFile->setText(m_mainOutput->outputFileText());
    m_snapshot.take();
}

void TSettingForm::btnOKClick()
{
    platform::runGuarded(this, [this] {
        if (m_mainOutput)
            m_mainOutput->setOutputFileText(ui->edtOutputFile->text());
        SavePreferences();
        close();
    });
}

void TSettingForm::btnCancelClick()
{
    platform::runGuarded(this, [this] {
        close();
        m_snapshot.restore();
    });
}

void TSettingForm::btnDefaultClick()
{
    platform::runGuarded(this, [this] { LoadDefaults(); });
}

void TSettingForm::SpeedButton1Click()
{
    platform::runGuarded(this, [this] {
        if (!m_mainOutput)
            return;
        if (const auto chosen = m_mainOutput->outputSaveDialog().execute(this))
            ui->edtOutputFile->setText(*chosen);
    });
}

void TSettingForm::SpeedButton2Click()
{
    platform::runGuarded(this, [this] {
        QString folder;
        if (platform::SelectFolder(this, platform::translated(texts::SelectOutputDirectory), folder))
            ui->edtTempDir->setText(platform::IncludeBackslash(folder));
    });
}

} // namespace velmora::prefs
