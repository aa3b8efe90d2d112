#include "app/Program.h"

#include "app/About.h"
#include "app/Main.h"
#include "prefs/Settings.h"
#include "profiles/OutputSettings.h"

#include <QScreen>

namespace velmora::app {

Program::Program(const QString &appDir, const QStringList &arguments)
{
    const prefs::ProgramFolder folder(appDir);
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
