#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace velmora::prefs {
class TSettingForm;
}
namespace velmora::profiles {
class TopSettingForm;
}

namespace velmora::app {

class TMainForm;
class TAboutForm;

// The program body: the windows of one run, made in their fixed order. The main window
// comes first; the others exist, hidden, for the whole run.
class Program
{
public:
    Program(const QString &appDir, const QStringList &arguments);
    ~Program();

    TMainForm &MainForm() { return *m_mainForm; }
    TAboutForm &AboutForm() { return *m_aboutForm; }
    profiles::TopSettingForm &opSettingForm() { return *m_opSettingForm; }
    prefs::TSettingForm &SettingForm() { return *m_settingForm; }

    void show();

private:
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TAboutForm> m_aboutForm;
    std::unique_ptr<profiles::TopSettingForm> m_opSettingForm;
    std::unique_ptr<prefs::TSettingForm> m_settingForm;
};

} // namespace velmora::app
