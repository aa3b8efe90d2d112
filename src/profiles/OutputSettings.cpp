#include "profiles/OutputSettings.h"

#include "ui_OutputSettings.h"

#include <QFileInfo>

namespace velmora::profiles {

TopSettingForm::TopSettingForm(QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TopSettingForm>())
{
    ui->setupUi(this);
}

TopSettingForm::~TopSettingForm() = default;

void TopSettingForm::LoadProfile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    m_profilePath = path;
}

} // namespace velmora::profiles
