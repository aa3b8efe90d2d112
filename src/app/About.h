#pragma once

#include "platform/SecondaryWindow.h"

#include <functional>
#include <memory>

namespace Ui {
class TAboutForm;
}

class QLabel;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QString &appVersion);
    void onClick(QLabel *label, std::function<void()> handler);

    std::unique_ptr<Ui::TAboutForm> ui;
    QList<std::pair<QLabel *, std::function<void()>>> m_clickable;
};

} // namespace velmora::app
