#pragma once

#include "platform/FieldSnapshot.h"
#include "platform/SecondaryWindow.h"
#include "profiles/LoadedProfile.h"
#include "profiles/OutputSettingsView.h"

#include <QList>
#include <QString>

#include <memory>

class QComboBox;

namespace velmora::prefs {
class IniSnapshot;
}

namespace Ui {
class TopSettingForm;
}

namespace velmora::profiles {

// The output settings dialog. Its lists and fields are the current output settings: a
// profile load fills them, the user edits them here, and a job reads them when it starts,
// whether or not the dialog was ever shown.
class TopSettingForm : public platform::SecondaryWindow, public OutputSettingsView
{
    Q_OBJECT

public:
    // A list takes at most this many entries of a profile; the rest are ignored.
    static constexpr int MaxItems = MaxProfileItems;

    explicit TopSettingForm(QWidget *mainWindow);
    ~TopSettingForm() override;

    // Loads one profile file into the current output settings; a missing file changes nothing.
    void LoadProfile(const QString &path);

    const QString &profilePath() const { return m_profilePath; }
    // "." and the profile's type, empty until the first load.
    const QString &outputExtension() const { return m_outputExtension; }

    QComboBox *list(Section section) const;

    // OutputSettingsView
    int selectedIndex(Section section) const override;
    QString currentText(Section section) const override;
    bool sizeFromList() const override;
    QString manualWidth() const override;
    QString manualHeight() const override;

public Q_SLOTS:
    void btnOKClick();
    void btnCancelClick();

protected:
    void FormShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void cmbVcodecEnter(Section section);
    void cmbVcodecChange(Section section);
    void cmbAcodecChange();
    void cmbEncodeToChange();
    void showDescription(Section section);
    void applyAudioCodecRule();
    void applyMp3ModeRule();
    // A profile that copies the inputs' streams has nothing to set but its two codecs: the
    // other fields are off, and OK checks none of them.
    void applyCopyRule();
    void loadSection(const prefs::IniSnapshot &profile, Section section);
    // One check of OK: true when it passed, otherwise the message was shown.
    bool check(bool passed, QLatin1String title, QLatin1String text, QWidget *focus);

    std::unique_ptr<Ui::TopSettingForm> ui;
    QString m_profilePath;
    QString m_outputExtension;
    bool m_copies = false;
    // What Cancel puts back: the fields as the dialog was shown.
    platform::FieldSnapshot m_snapshot;
};

} // namespace velmora::profiles
