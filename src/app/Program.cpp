#include "app/Program.h"

#include "app/About.h"
#include "app/Main.h"
#include "platform/Logging.h"
#include "prefs/Settings.h"
#include "profiles/OutputSettings.h"
#include "tasks/MediaProbe.h"

#include <QScreen>

namespace velmora::app {

Program::Program(const QString &appDir, const QStringList &arguments)
{
    tasks::UseUtf8FileNames();
    const prefs::ProgramFolder folder(appDir);
    qCInfo(appLog).noquote() << "Program folder" << folder.appDir() << "- preferences" << folder.preferencesFile()
                             << "- temporary files" << folder.defaultTempDir();
    m_mainForm = std::make_unique<TMainForm>(folder, arguments);
    m_aboutForm = std::make_unique<TAboutForm>(m_mainForm->AppVersion(), m_mainForm.get());
    m_opSettingForm = std::make_unique<profiles::TopSettingForm>(m_mainForm.get());
    m_settingForm = std::make_unique<prefs::TSettingForm>(folder, m_mainForm.get(), m_mainForm.get());
    m_mainForm->attachWindows(m_aboutForm.get(), m_opSettingForm.get(), m_settingForm.get());
}

Program::~Program()
{
    // The secondary windows go before the main window they refer to.
    m_settingForm.reset();
    m_opSettingForm.reset();
    m_aboutForm.reset();
    m_mainForm.reset();
}

void Program::show()
{
    // The main window opens in the centre of the screen.
    if (const QScreen *screen = m_mainForm->screen()) {
        QRect frame = m_mainForm->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_mainForm->move(frame.topLeft());
    }
    m_mainForm->show();
}

} // namespace velmora::app
