#include "app/About.h"

#include "ui_About.h"

namespace velmora::app {

TAboutForm::TAboutForm(const QString &appVersion, QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TAboutForm>())
{
    Q_UNUSED(appVersion);
    ui->setupUi(this);
}

TAboutForm::~TAboutForm() = default;

} // namespace velmora::app
