#include "prefs/Settings.h"

#include "ui_Settings.h"

namespace velmora::prefs {

TSettingForm::TSettingForm(const ProgramFolder &folder, QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TSettingForm>())
    , m_folder(folder)
{
    ui->setupUi(this);
}

TSettingForm::~TSettingForm() = default;

} // namespace velmora::prefs
