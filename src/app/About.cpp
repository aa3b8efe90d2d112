#include "app/About.h"

#include "app/AppTexts.h"
#include "app/Artwork.h"
#include "platform/Clicks.h"
#include "platform/GuardedCall.h"
#include "platform/Seams.h"

#include "ui_About.h"
#include "platform/Translation.h"

namespace velmora::app {

TAboutForm::TAboutForm(const QString &appVersion, QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    setFixedSize(503, 290);
    connect(ui->btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);
    connect(ui->btnTech, &QPushButton::clicked, this, &TAboutForm::btnTechClick);
    connect(ui->btnSales, &QPushButton::clicked, this, &TAboutForm::btnSalesClick);
    platform::onClick(ui->labWebsite, [this] { labWebsiteClick(); });
    platform::onClick(ui->labMore, [this] { labMoreClick(); });
    FormCreate(appVersion);
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::FormCreate(const QString &appVersion)
{
    ui->imgbk->setPixmap(welcomePicture());
    ui->imgbk->setStyleSheet(QStringLiteral("background: white;"));
    ui->Image2->setPixmap(bannerBackground());
    ui->labProgramName->setText(texts::ProductName);
    ui->labVersion->setText(platform::translated(texts::VersionPrefix) + appVersion);
    ui->labCopyright->setText(texts::MakerNotice);
    ui->labWebsite->setText(texts::MakerWebsite);
    QLabel *const productLabels[] = {ui->labProduct1, ui->labProduct2, ui->labProduct3};
    for (size_t i = 0; i < std::size(productLabels); ++i) {
        const texts::Product &product = texts::Products[i];
        productLabels[i]->setText(platform::translated(product.name));
        productLabels[i]->setAccessibleName(platform::translated(product.name));
        platform::onClick(productLabels[i], [this, page = QString(product.page)] {
            platform::runGuarded(this, [&page] { platform::shell().open(page); });
        });
    }
}

void TAboutForm::btnOKClick()
{
    close();
}

void TAboutForm::btnTechClick()
{
    platform::runGuarded(this, [] { platform::shell().open(texts::MailTo + texts::TechSupportAddress); });
}

void TAboutForm::btnSalesClick()
{
    platform::runGuarded(this, [] { platform::shell().open(texts::MailTo + texts::SalesAddress); });
}

void TAboutForm::labWebsiteClick()
{
    platform::runGuarded(this, [this] { platform::shell().open(ui->labWebsite->text()); });
}

void TAboutForm::labMoreClick()
{
    platform::runGuarded(this, [] { platform::shell().open(texts::MakerWebsite); });
}

} // namespace velmora::app
