#include "platform/SecondaryWindow.h"

#include "platform/GuardedCall.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QWindow>

namespace velmora::platform {

SecondaryWindow::SecondaryWindow(QWidget *mainWindow, QWidget *parent)
    : QDialog(parent)
    , m_mainWindow(mainWindow)
{
    // No parent widget: a disabled parent would disable its child windows too.
    setWindowModality(Qt::ApplicationModal);
}

void SecondaryWindow::present()
{
    if (m_mainWindow) {
        // Keep the window above the main window and centre it there.
        winId();
        m_mainWindow->winId();
        if (windowHandle() && m_mainWindow->windowHandle())
            windowHandle()->setTransientParent(m_mainWindow->windowHandle());
        adjustSize();
        const QRect main = m_mainWindow->frameGeometry();
        move(main.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void SecondaryWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
    runGuarded(this, [this] { FormShow(); });
}

void SecondaryWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
    runGuarded(this, [this] { FormClose(); });
}

} // namespace velmora::platform
