#include "profiles/OutputSettings.h"

#include "platform/GuardedCall.h"
#include "platform/Logging.h"
#include "platform/Seams.h"
#include "prefs/IniFile.h"
#include "profiles/LoadedProfile.h"
#include "profiles/OptionBuilder.h"
#include "profiles/ProfileTexts.h"
#include "profiles/WholeNumber.h"

#include "ui_OutputSettings.h"
#include "platform/Translation.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace velmora::profiles {

TopSettingForm::TopSettingForm(QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TopSettingForm>())
{
    ui->setupUi(this);
    // In the order Cancel puts them back. A typed-in list gets its position back before its
    // text: the option builder reads the position of some of them (ABR CBR Bitrate) and the
    // text of others.
    m_snapshot = platform::FieldSnapshot({ui->cmbVcodec, ui->cmbVbitrate, ui->cmbAspect, ui->rdbSelectSize,
                                          ui->cmbVideoSize, ui->rdbManualSize, ui->edtWidth, ui->edtHeight,
                                          ui->cmbAcodec, ui->cmbAbitrate, ui->cmbEncodeTo, ui->cmbQuality,
                                          ui->cmbBitrate, ui->cmbChannels, ui->cmbSrate});
    FormCreate();
}

TopSettingForm::~TopSettingForm() = default;

void TopSettingForm::FormCreate()
{
    // The two audio panels share one place, and so do the quality and bitrate pairs (the
    // form lays them out so); the MP3 panel and the quality pair wait for their rules.
    ui->panMP3->hide();
    ui->labBitrate->hide();
    ui->cmbBitrate->hide();

    // The labels of the panels line up with those of the dialog.
    const QList<QLabel *> leftLabels = {ui->labVcodec, ui->labVbitrate, ui->labAcodec, ui->labAbitrate,
                                        ui->labEncodeTo, ui->labQuality, ui->labBitrate, ui->labChannels};
    int labelWidth = 0;
    for (const QLabel *label : leftLabels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QLabel *label : leftLabels)
        label->setMinimumWidth(labelWidth);

    for (const Section section : AllSections) {
        QComboBox *combo = list(section);
        combo->installEventFilter(this);
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
        if (section == Section::AudioCodec) {
            connect(combo, &QComboBox::activated, this, &TopSettingForm::cmbAcodecChange);
        } else if (section == Section::Mp3Encode) {
            connect(combo, &QComboBox::activated, this, &TopSettingForm::cmbEncodeToChange);
        } else {
            connect(combo, &QComboBox::activated, this, [this, section] { cmbVcodecChange(section); });
            // Every keystroke in an editable list is a change; text the program puts in is not.
            if (combo->lineEdit())
                connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, section] { cmbVcodecChange(section); });
        }
    }
    connect(ui->btnOK, &QPushButton::clicked, this, &TopSettingForm::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TopSettingForm::btnCancelClick);
}

QComboBox *TopSettingForm::list(Section section) const
{
    switch (section) {
    case Section::VideoCodec: return ui->cmbVcodec;
    case Section::VideoSize: return ui->cmbVideoSize;
    case Section::VideoBitrate: return ui->cmbVbitrate;
    case Section::Aspect: return ui->cmbAspect;
    case Section::AudioCodec: return ui->cmbAcodec;
    case Section::Mp3Encode: return ui->cmbEncodeTo;
    case Section::VbrQuality: return ui->cmbQuality;
    case Section::AbrCbrBitrate: return ui->cmbBitrate;
    case Section::AudioBitrate: return ui->cmbAbitrate;
    case Section::SampleRate: return ui->cmbSrate;
    case Section::Channels: return ui->cmbChannels;
    }
    return nullptr;
}

int TopSettingForm::selectedIndex(Section section) const { return list(section)->currentIndex(); }
QString TopSettingForm::currentText(Section section) const { return list(section)->currentText(); }
bool TopSettingForm::sizeFromList() const { return ui->rdbSelectSize->isChecked(); }
QString TopSettingForm::manualWidth() const { return ui->edtWidth->text(); }
QString TopSettingForm::manualHeight() const { return ui->edtHeight->text(); }

void TopSettingForm::LoadProfile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return;
    m_profilePath = path;
    // One read of the file for the whole load.
    const prefs::IniSnapshot profile(path);
    m_outputExtension = ProfileOutputExtension(profile);
    qCInfo(profilesLog).noquote() << "Loading profile" << path << "for" << m_outputExtension << "files";
    for (const Section section : AllSections) {
        loadSection(profile, section);
        if (section == Section::AudioCodec)
            applyAudioCodecRule();
        else if (section == Section::Mp3Encode)
            applyMp3ModeRule();
    }
    m_copies = CopiesStreams(*this, path);
    applyCopyRule();
}

void TopSettingForm::applyCopyRule()
{
    for (const Section section : AllSections) {
        if (section != Section::VideoCodec && section != Section::AudioCodec)
            list(section)->setEnabled(!m_copies);
    }
    for (QWidget *field : {static_cast<QWidget *>(ui->rdbSelectSize), static_cast<QWidget *>(ui->rdbManualSize),
                           static_cast<QWidget *>(ui->edtWidth), static_cast<QWidget *>(ui->edtHeight)})
        field->setEnabled(!m_copies);
}

void TopSettingForm::loadSection(const prefs::IniSnapshot &profile, Section section)
{
    const ProfileSection loaded = ReadProfileSection(profile, section);
    QComboBox *combo = list(section);
    combo->clear();
    combo->addItems(loaded.captions);
    combo->setCurrentIndex(loaded.index);
}

bool TopSettingForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        for (const Section section : AllSections) {
            QComboBox *combo = list(section);
            if (watched == combo || watched == combo->lineEdit()) {
                cmbVcodecEnter(section);
                break;
            }
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void TopSettingForm::cmbVcodecEnter(Section section)
{
    platform::runGuarded(this, [this, section] { showDescription(section); });
}

void TopSettingForm::cmbVcodecChange(Section section)
{
    platform::runGuarded(this, [this, section] { showDescription(section); });
}

void TopSettingForm::cmbAcodecChange()
{
    platform::runGuarded(this, [this] { applyAudioCodecRule(); });
}

void TopSettingForm::cmbEncodeToChange()
{
    platform::runGuarded(this, [this] { applyMp3ModeRule(); });
}

void TopSettingForm::showDescription(Section section)
{
    const QString description = prefs::IniFile(m_profilePath).readString(sectionName(section), key::Description, QString());
    ui->memDescription->setPlainText(description + QLatin1Char('\n') + platform::translated(texts::CurrentValue) + currentText(section));
}

void TopSettingForm::applyAudioCodecRule()
{
    const bool mp3 = ui->cmbAcodec->currentText() == texts::Mp3Caption;
    ui->panMP3->setVisible(mp3);
    ui->panLavc->setVisible(!mp3);
    showDescription(Section::AudioCodec);
}

void TopSettingForm::applyMp3ModeRule()
{
    const bool quality = ui->cmbEncodeTo->currentIndex() == 0;
    ui->labQuality->setVisible(quality);
    ui->cmbQuality->setVisible(quality);
    ui->labBitrate->setVisible(!quality);
    ui->cmbBitrate->setVisible(!quality);
    showDescription(Section::Mp3Encode);
}

void TopSettingForm::FormShow()
{
    m_snapshot.take();
}

bool TopSettingForm::check(bool passed, QLatin1String title, QLatin1String text, QWidget *focus)
{
    if (passed)
        return true;
    platform::messageBoxes().notice(this, platform::translated(title), platform::translated(text));
    focus->setFocus();
    return false;
}

void TopSettingForm::btnOKClick()
{
    platform::runGuarded(this, [this] {
        if (m_copies) {
            close();
            return;
        }
        const bool manual = ui->rdbManualSize->isChecked();
        const auto whole = [](const QString &text) { return parseWholeNumber(text).has_value(); };
        // The audio bitrate field cannot take the focus while the MP3 panel covers it; the
        // audio codec list is the way to it then.
        QWidget *audioBitrateFocus = ui->panLavc->isHidden() ? static_cast<QWidget *>(ui->cmbAcodec) : ui->cmbAbitrate;
        if (!check(whole(ui->cmbVbitrate->currentText()), texts::InvalidVideoBitrateTitle, texts::InvalidVideoBitrateText, ui->cmbVbitrate)
            || !check(!manual || whole(ui->edtWidth->text()), texts::InvalidWidthTitle, texts::InvalidWidthText, ui->edtWidth)
            || !check(!manual || whole(ui->edtHeight->text()), texts::InvalidHeightTitle, texts::InvalidHeightText, ui->edtHeight)
            || !check(whole(ui->cmbSrate->currentText()), texts::InvalidSampleRateTitle, texts::InvalidSampleRateText, ui->cmbSrate)
            || !check(whole(ui->cmbAbitrate->currentText()), texts::InvalidAudioBitrateTitle, texts::InvalidAudioBitrateText,
                      audioBitrateFocus))
            return;
        if (ui->cmbAcodec->currentText() == texts::Mp2Caption
            && *parseWholeNumber(ui->cmbAbitrate->currentText()) > texts::Mp2Limit) {
            platform::messageBoxes().notice(this, platform::translated(texts::InvalidAudioBitrateTitle), platform::translated(texts::Mp2LimitText));
            ui->cmbAbitrate->setEditText(texts::Mp2LimitValue);
            audioBitrateFocus->setFocus();
            return;
        }
        close();
    });
}

void TopSettingForm::btnCancelClick()
{
    platform::runGuarded(this, [this] {
        close();
        m_snapshot.restore();
        applyAudioCodecRule();
        applyMp3ModeRule();
    });
}

} // namespace velmora::profiles
