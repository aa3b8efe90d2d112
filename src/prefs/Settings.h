#pragma once

#include "platform/FieldSnapshot.h"
#include "platform/SecondaryWindow.h"
#include "prefs/GeneralSettings.h"
#include "prefs/GroupRadioButton.h"
#include "prefs/ProgramFolder.h"

#include <memory>

namespace Ui {
class TSettingForm;
}

namespace velmora::prefs {

class IniFile;

// The general settings dialog: default output file, temporary folder, what happens after a
// job, and the rule for an output file that exists already. Its controls are the settings in
// force for the run; Preferences.ini carries them to the next run when OK saves them.
class TSettingForm : public platform::SecondaryWindow, public GeneralSettingsView
{
    Q_OBJECT

public:
    TSettingForm(const ProgramFolder &folder, QWidget *mainWindow, OutputFileField *mainOutput);
    ~TSettingForm() override;

    // GeneralSettingsView
    QString tempDirText() const override;
    bool openOutputFolder() const override;
    bool exitProgram() const override;
    bool turnOffComputer() const override;
    OverwriteRule overwriteRule() const override;

public Q_SLOTS:
    void btnOKClick();
    void btnCancelClick();
    void btnDefaultClick();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void FormShow() override;

private:
    void FormCreate();
    void LoadPreferences();
    void SavePreferences();
    void LoadDefaults();
    void readChoices(const IniFile &preferences, const QString &section, bool openDirDefault);
    void setRule(bool ask, bool overwrite, bool rename);

    std::unique_ptr<Ui::TSettingForm> ui;
    ProgramFolder m_folder;
    OutputFileField *m_mainOutput;
    std::unique_ptr<RadioGroup> m_rule;
    // What Cancel puts back: the fields as the dialog was shown.
    platform::FieldSnapshot m_snapshot;
};

} // namespace velmora::prefs
