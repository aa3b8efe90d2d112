#pragma once

#include "platform/SecondaryWindow.h"
#include "prefs/ProgramFolder.h"

#include <memory>

namespace Ui {
class TSettingForm;
}

namespace velmora::prefs {

// The general settings dialog: default output file, temporary folder, what happens after a
// job, and the rule for an output file that exists already.
class TSettingForm : public platform::SecondaryWindow
{
    Q_OBJECT

public:
    TSettingForm(const ProgramFolder &folder, QWidget *mainWindow);
    ~TSettingForm() override;

private:
    std::unique_ptr<Ui::TSettingForm> ui;
    ProgramFolder m_folder;
};

} // namespace velmora::prefs
