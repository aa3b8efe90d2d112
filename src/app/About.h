#pragma once

#include "platform/SecondaryWindow.h"

#include <memory>

namespace Ui {
class TAboutForm;
}

namespace velmora::app {

// The About box: product, version, the maker's notice and links.
class TAboutForm : public platform::SecondaryWindow
{
    Q_OBJECT

public:
    TAboutForm(const QString &appVersion, QWidget *mainWindow);
    ~TAboutForm() override;

public Q_SLOTS:
    void btnOKClick();
    void btnTechClick();
    void btnSalesClick();
    void labWebsiteClick();
    void labMoreClick();

private:
    void FormCreate(const QString &appVersion);

    std::unique_ptr<Ui::TAboutForm> ui;
};

} // namespace velmora::app
