#pragma once

#include <QDialog>
#include <QPointer>

namespace velmora::platform {

// A secondary window: created once, hidden when closed, shown without a blocking loop.
// While it is shown the main window is disabled (so it cannot be closed or used under it),
// and the window is application modal. However it closes, the main window is enabled again.
class SecondaryWindow : public QDialog
{
    Q_OBJECT

public:
    explicit SecondaryWindow(QWidget *mainWindow, QWidget *parent = nullptr);

    QWidget *mainWindow() const { return m_mainWindow; }

    // Shows the window over the centre of the main window and returns at once.
    void present();

protected:
    // Run after the main window was disabled, and after it was enabled again.
    virtual void FormShow() {}
    virtual void FormClose() {}

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPointer<QWidget> m_mainWindow;
};

} // namespace velmora::platform
