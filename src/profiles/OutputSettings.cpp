#include "profiles/OutputSettings.h"

#include "platform/GuardedCall.h"
#include "platform/Seams.h"
#include "prefs/IniFile.h"
#include "profiles/ProfileTexts.h"
#include "profiles/WholeNumber.h"

#include "ui_OutputSettings.h"

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
    m_outputExtension = QLatin1Char('.') + profile.readString(key::Main, key::Type, DefaultType);
    for (const Section section : AllSections) {
        loadSection(profile, section);
        if (section == Section::AudioCodec)
            applyAudioCodecRule();
        else if (section == Section::Mp3Encode)
            applyMp3ModeRule();
    }
}

void TopSettingForm::loadSection(const prefs::IniSnapshot &profile, Section section)
{
    const QString name = sectionName(section);
    QComboBox *combo = list(section);
    combo->clear();
    const int items = std::min(profile.readInteger(name, key::Items, 0), MaxItems);
    QStringList captions;
    for (int position = 0; position < items; ++position)
        captions << profile.readString(name, key::Caption + QString::number(position), QString());
    combo->addItems(captions);
    const int index = profile.readInteger(name, key::Index, -1);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
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
    ui->memDescription->setPlainText(description + QLatin1Char('\n') + texts::CurrentValue + currentText(section));
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
    m_snapshot.vcodec = ui->cmbVcodec->currentIndex();
    m_snapshot.aspect = ui->cmbAspect->currentIndex();
    m_snapshot.videoSize = ui->cmbVideoSize->currentIndex();
    m_snapshot.acodec = ui->cmbAcodec->currentIndex();
    m_snapshot.encodeTo = ui->cmbEncodeTo->currentIndex();
    m_snapshot.quality = ui->cmbQuality->currentIndex();
    m_snapshot.channels = ui->cmbChannels->currentIndex();
    m_snapshot.vbitrateIndex = ui->cmbVbitrate->currentIndex();
    m_snapshot.abitrateIndex = ui->cmbAbitrate->currentIndex();
    m_snapshot.bitrateIndex = ui->cmbBitrate->currentIndex();
    m_snapshot.srateIndex = ui->cmbSrate->currentIndex();
    m_snapshot.vbitrate = ui->cmbVbitrate->currentText();
    m_snapshot.width = ui->edtWidth->text();
    m_snapshot.height = ui->edtHeight->text();
    m_snapshot.abitrate = ui->cmbAbitrate->currentText();
    m_snapshot.bitrate = ui->cmbBitrate->currentText();
    m_snapshot.srate = ui->cmbSrate->currentText();
    m_snapshot.selectSize = ui->rdbSelectSize->isChecked();
    m_snapshot.manualSize = ui->rdbManualSize->isChecked();
}

bool TopSettingForm::check(bool passed, QLatin1String title, QLatin1String text, QWidget *focus)
{
    if (passed)
        return true;
    platform::messageBoxes().notice(this, title, text);
    focus->setFocus();
    return false;
}

void TopSettingForm::btnOKClick()
{
    platform::runGuarded(this, [this] {
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
            platform::messageBoxes().notice(this, texts::InvalidAudioBitrateTitle, texts::Mp2LimitText);
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
        const Snapshot &s = m_snapshot;
        // A typed-in list gets its position back before its text: the option builder reads
        // the position of some of them (ABR CBR Bitrate) and the text of others.
        ui->cmbVcodec->setCurrentIndex(s.vcodec);
        ui->cmbVbitrate->setCurrentIndex(s.vbitrateIndex);
        ui->cmbVbitrate->setEditText(s.vbitrate);
        ui->cmbAspect->setCurrentIndex(s.aspect);
        ui->rdbSelectSize->setChecked(s.selectSize);
        ui->cmbVideoSize->setCurrentIndex(s.videoSize);
        ui->rdbManualSize->setChecked(s.manualSize);
        ui->edtWidth->setText(s.width);
        ui->edtHeight->setText(s.height);
        ui->cmbAcodec->setCurrentIndex(s.acodec);
        ui->cmbAbitrate->setCurrentIndex(s.abitrateIndex);
        ui->cmbAbitrate->setEditText(s.abitrate);
        ui->cmbEncodeTo->setCurrentIndex(s.encodeTo);
        ui->cmbQuality->setCurrentIndex(s.quality);
        ui->cmbBitrate->setCurrentIndex(s.bitrateIndex);
        ui->cmbBitrate->setEditText(s.bitrate);
        ui->cmbChannels->setCurrentIndex(s.channels);
        ui->cmbSrate->setCurrentIndex(s.srateIndex);
        ui->cmbSrate->setEditText(s.srate);
        applyAudioCodecRule();
        applyMp3ModeRule();
    });
}

} // namespace velmora::profiles
