#pragma once

#include "platform/SecondaryWindow.h"
#include "tasks/KeyPictures.h"
#include "tasks/Trim.h"

#include <QAudioOutput>
#include <QFutureWatcher>
#include <QMediaPlayer>

#include <atomic>
#include <memory>
#include <optional>

namespace Ui {
class TPreviewForm;
}

namespace velmora::app {

// The preview of one row's clip: plays it with its sound, steps through it a picture at a
// time, and sets the part of it to keep. The clip's key pictures are found on a thread of
// their own; in a profile that copies the pictures, a start moves back to the key picture at
// or before it.
class TPreviewForm : public platform::SecondaryWindow
{
    Q_OBJECT

public:
    explicit TPreviewForm(QWidget *mainWindow);
    ~TPreviewForm() override;

    // Shows the clip and starts playing it. lengthSeconds is the row's measured length (the
    // player's own, once it knows it, takes over); start and end are the row's kept part;
    // copyProfile tells whether the selected profile joins without re-encoding.
    void open(const QString &path, double lengthSeconds, std::optional<double> start, std::optional<double> end, bool copyProfile);

    const QString &path() const { return m_path; }
    const tasks::Trim &trim() const { return m_trim; }
    QMediaPlayer &player() { return m_player; }
    // The key pictures of the clip shown, once they are found.
    const std::optional<tasks::KeyPictures> &keyPictures() const { return m_keys; }

Q_SIGNALS:
    // The user set or cleared the start or the end of the clip at path.
    void trimChosen(const QString &path, std::optional<double> start, std::optional<double> end);

public Q_SLOTS:
    void btnPlayClick();
    void btnStepBackClick();
    void btnStepForwardClick();
    void btnSetStartClick();
    void btnSetEndClick();
    void btnClearClick();
    void sldPositionChange(int milliseconds);
    void sldVolumeChange(int volume);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void FormCreate();
    void connectHandlers();
    void playerPositionChange(qint64 milliseconds);
    void playerDurationChange(qint64 milliseconds);
    void playerStateChange(QMediaPlayer::PlaybackState state);
    void playerStatusChange(QMediaPlayer::MediaStatus status);
    void playerError(QMediaPlayer::Error error, const QString &text);

    void findKeyPictures();
    void stopFindingKeyPictures();
    void keyPicturesFound();

    void step(int pictures);
    void seekTo(double seconds);
    double position() const { return m_positionMs / 1000.0; }
    double framesPerSecond() const;
    // Takes a trim the user chose: shows it and tells the main window, or shows why not.
    bool choose(const tasks::Trim &trim);
    void placeStart(double moment);
    void showPosition();
    void showTrim();
    void showKeyNote(const QString &text = {});

    std::unique_ptr<Ui::TPreviewForm> ui;
    QMediaPlayer m_player;
    QAudioOutput m_audio;

    QString m_path;
    double m_lengthSeconds = 0;
    bool m_copying = false;
    tasks::Trim m_trim;
    qint64 m_positionMs = 0; // in the clip's own time: its first picture at 0
    qint64 m_originMs = 0;   // where the player's clock shows the clip's first picture
    bool m_loaded = false;   // the player has read the clip since it was opened
    bool m_reloaded = false; // and was given it once more after an error before that

    QFutureWatcher<tasks::KeyPictures> m_keyFinder;
    std::shared_ptr<std::atomic_bool> m_stopKeyFinder;
    std::optional<tasks::KeyPictures> m_keys;
    std::optional<double> m_startWaitingForKeys; // Set Start in a copy profile before the keys were found
};

} // namespace velmora::app
