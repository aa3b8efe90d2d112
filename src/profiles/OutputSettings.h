#pragma once

#include "platform/SecondaryWindow.h"

#include <memory>

namespace Ui {
class TopSettingForm;
}

namespace velmora::profiles {

// The output settings dialog. Its lists and fields are the current output settings: a
// profile load fills them, the user edits them here, and a job reads them when it starts.
class TopSettingForm : public platform::SecondaryWindow
{
    Q_OBJECT

public:
    explicit TopSettingForm(QWidget *mainWindow);
    ~TopSettingForm() override;

    // Loads one profile file into the current output settings.
    void LoadProfile(const QString &path);

    const QString &profilePath() const { return m_profilePath; }

private:
    std::unique_ptr<Ui::TopSettingForm> ui;
    QString m_profilePath;
};

} // namespace velmora::profiles
