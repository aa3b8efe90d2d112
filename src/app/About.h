#pragma once

#include "platform/SecondaryWindow.h"

#include <memory>

namespace Ui {
class TAboutForm;
}

namespace velmora::app {

// The About box.
class TAboutForm : public platform::SecondaryWindow
{
    Q_OBJECT

public:
    TAboutForm(const QString &appVersion, QWidget *mainWindow);
    ~TAboutForm() override;

private:
    std::unique_ptr<Ui::TAboutForm> ui;
};

} // namespace velmora::app
