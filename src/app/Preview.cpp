#include "app/Preview.h"

#include "app/AppTexts.h"
#include "platform/GuardedCall.h"
#include "tasks/TimeText.h"

#include "ui_Preview.h"
#include "platform/Translation.h"

#include <QFileInfo>
#include <QMediaMetaData>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <utility>

namespace velmora::app {

namespace {

// When neither the file nor the player states a picture rate, a step is a picture at this one.
constexpr double FallbackFramesPerSecond = 25;

int milliseconds(double seconds)
{
    return static_cast<int>(std::llround(seconds * 1000));
}

std::optional<int> milliseconds(std::optional<double> seconds)
{
    return seconds ? std::optional<int>(milliseconds(*seconds)) : std::nullopt;
}

} // namespace

TPreviewForm::TPreviewForm(QWidget *mainWindow)
    : SecondaryWindow(mainWindow)
    , ui(std::make_unique<Ui::TPreviewForm>())
{
    ui->setupUi(this);
    m_player.setAudioOutput(&m_audio);
    m_player.setVideoOutput(ui->vidPicture);
    connectHandlers();
    FormCreate();
}

TPreviewForm::~TPreviewForm()
{
    stopFindingKeyPictures();
    m_keyFinder.waitForFinished();
}

void TPreviewForm::FormCreate()
{
    ui->btnPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    ui->btnStepBack->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    ui->btnStepForward->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    ui->lblVolume->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));
    ui->sldPosition->setSingleStep(100);
    ui->sldPosition->setPageStep(5000);
    sldVolumeChange(ui->sldVolume->value());
    // The notes keep their room when empty, so that the picture does not jump when one comes.
    ui->lblKeyNote->setMinimumHeight(2 * fontMetrics().lineSpacing());
    ui->lblStatus->setMinimumHeight(fontMetrics().lineSpacing());
}

void TPreviewForm::connectHandlers()
{
    using Handler = void (TPreviewForm::*)();
    const std::pair<QPushButton *, Handler> buttons[] = {
        {ui->btnPlay, &TPreviewForm::btnPlayClick},         {ui->btnStepBack, &TPreviewForm::btnStepBackClick},
        {ui->btnStepForward, &TPreviewForm::btnStepForwardClick}, {ui->btnSetStart, &TPreviewForm::btnSetStartClick},
        {ui->btnSetEnd, &TPreviewForm::btnSetEndClick},     {ui->btnClear, &TPreviewForm::btnClearClick},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
    connect(ui->btnClose, &QPushButton::clicked, this, &QWidget::close);

    // The keys work wherever the focus is in the window; Escape closes it as any dialog.
    const std::pair<QKeySequence, Handler> keys[] = {
        {Qt::Key_Space, &TPreviewForm::btnPlayClick},      {Qt::Key_Left, &TPreviewForm::btnStepBackClick},
        {Qt::Key_Comma, &TPreviewForm::btnStepBackClick},  {Qt::Key_Right, &TPreviewForm::btnStepForwardClick},
        {Qt::Key_Period, &TPreviewForm::btnStepForwardClick}, {Qt::Key_I, &TPreviewForm::btnSetStartClick},
        {Qt::Key_O, &TPreviewForm::btnSetEndClick},
    };
    for (const auto &[key, handler] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, handler);

    connect(ui->sldPosition, &QSlider::valueChanged, this, &TPreviewForm::sldPositionChange);
    connect(ui->sldVolume, &QSlider::valueChanged, this, &TPreviewForm::sldVolumeChange);
    connect(&m_player, &QMediaPlayer::positionChanged, this, &TPreviewForm::playerPositionChange);
    connect(&m_player, &QMediaPlayer::durationChanged, this, &TPreviewForm::playerDurationChange);
    connect(&m_player, &QMediaPlayer::playbackStateChanged, this, &TPreviewForm::playerStateChange);
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, &TPreviewForm::playerStatusChange);
    connect(&m_player, &QMediaPlayer::errorOccurred, this, &TPreviewForm::playerError);
    connect(&m_keyFinder, &QFutureWatcher<tasks::KeyPictures>::finished, this, &TPreviewForm::keyPicturesFound);
}

void TPreviewForm::open(const QString &path, double lengthSeconds, std::optional<double> start, std::optional<double> end,
                        bool copyProfile)
{
    stopFindingKeyPictures();
    m_path = path;
    m_lengthSeconds = std::max(lengthSeconds, 0.0);
    m_copying = copyProfile;
    m_trim = {start, end};
    m_positionMs = 0;
    m_originMs = 0;
    m_loaded = false;
    m_reloaded = false;
    m_keys.reset();
    m_startWaitingForKeys.reset();

    setWindowTitle(platform::translated(texts::PreviewTitle).arg(QFileInfo(path).fileName()));
    ui->lblStatus->clear();
    ui->sldPosition->setKeyMarks({});
    ui->sldPosition->setRange(0, milliseconds(m_lengthSeconds));
    showPosition();
    showTrim();
    showKeyNote();

    m_player.setSource(QUrl::fromLocalFile(path));
    findKeyPictures();
    present();
    m_player.play();
}

void TPreviewForm::FormShow()
{
    ui->btnPlay->setFocus();
}

void TPreviewForm::FormClose()
{
    // The file is let go: nothing keeps it open while the window is hidden.
    m_player.stop();
    m_player.setSource(QUrl());
    stopFindingKeyPictures();
}

void TPreviewForm::btnPlayClick()
{
    platform::runGuarded(this, [this] {
        if (m_player.playbackState() == QMediaPlayer::PlayingState)
            m_player.pause();
        else
            m_player.play();
    });
}

void TPreviewForm::btnStepBackClick()
{
    platform::runGuarded(this, [this] { step(-1); });
}

void TPreviewForm::btnStepForwardClick()
{
    platform::runGuarded(this, [this] { step(+1); });
}

void TPreviewForm::btnSetStartClick()
{
    platform::runGuarded(this, [this] { placeStart(position()); });
}

void TPreviewForm::btnSetEndClick()
{
    platform::runGuarded(this, [this] { choose(tasks::WithEnd(m_trim, position(), m_lengthSeconds)); });
}

void TPreviewForm::btnClearClick()
{
    platform::runGuarded(this, [this] {
        m_startWaitingForKeys.reset();
        choose(tasks::Trim{});
        showKeyNote();
    });
}

void TPreviewForm::sldPositionChange(int milliseconds)
{
    // Only the user moves the slider with its signals on: the player's positions are shown quietly.
    platform::runGuarded(this, [this, milliseconds] { seekTo(milliseconds / 1000.0); });
}

void TPreviewForm::sldVolumeChange(int volume)
{
    platform::runGuarded(this, [this, volume] {
        m_audio.setVolume(float(QAudio::convertVolume(volume / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale)));
    });
}

void TPreviewForm::playerPositionChange(qint64 milliseconds)
{
    // While the user drags the handle, the handle stays where the user holds it.
    if (ui->sldPosition->isSliderDown())
        return;
    m_positionMs = std::max<qint64>(milliseconds - m_originMs, 0);
    showPosition();
}

void TPreviewForm::playerDurationChange(qint64 milliseconds)
{
    if (milliseconds <= 0)
        return;
    m_lengthSeconds = milliseconds / 1000.0;
    ui->sldPosition->setRange(0, int(milliseconds));
    showPosition();
    showTrim();
}

void TPreviewForm::playerStateChange(QMediaPlayer::PlaybackState state)
{
    const bool playing = state == QMediaPlayer::PlayingState;
    const QString caption = playing ? platform::translated(texts::PreviewPause) : platform::translated(texts::PreviewPlay);
    ui->btnPlay->setText(caption);
    ui->btnPlay->setAccessibleName(caption);
    ui->btnPlay->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void TPreviewForm::playerStatusChange(QMediaPlayer::MediaStatus status)
{
    if (status != QMediaPlayer::LoadedMedia && status != QMediaPlayer::BufferedMedia)
        return;
    if (!m_loaded) {
        // The player's clock may start before the first picture: in MPEG program and transport
        // streams it starts at the stream's first clock reference. The clip's own time starts at
        // the picture the player shows first, as the key pictures' times do.
        m_originMs = std::max<qint64>(m_player.position(), 0);
        m_positionMs = 0;
        showPosition();
    }
    m_loaded = true;
}

void TPreviewForm::playerError(QMediaPlayer::Error, const QString &text)
{
    // Now and then the player's pipeline starts its data before its parts are joined up, and
    // gives up on a clip it reads well; a second try reads it.
    if (!m_loaded && !m_reloaded && !m_path.isEmpty()) {
        m_reloaded = true;
        m_player.setSource(QUrl());
        m_player.setSource(QUrl::fromLocalFile(m_path));
        m_player.play();
        return;
    }
    ui->lblStatus->setText(platform::translated(texts::PreviewCannotPlay).arg(text));
}

void TPreviewForm::findKeyPictures()
{
    auto stop = std::make_shared<std::atomic_bool>(false);
    m_stopKeyFinder = stop;
    m_keyFinder.setFuture(QtConcurrent::run([path = m_path, stop] { return tasks::ListKeyPictures(path, stop.get()); }));
}

void TPreviewForm::stopFindingKeyPictures()
{
    if (m_stopKeyFinder)
        m_stopKeyFinder->store(true);
}

void TPreviewForm::keyPicturesFound()
{
    // A search given up (the window closed, or another clip opened) leaves nothing to show.
    if (!m_stopKeyFinder || m_stopKeyFinder->load())
        return;
    platform::runGuarded(this, [this] {
        m_keys = m_keyFinder.result();
        std::vector<int> marks;
        marks.reserve(m_keys->times.size());
        for (const double time : m_keys->times)
            marks.push_back(milliseconds(time));
        ui->sldPosition->setKeyMarks(std::move(marks));
        if (const std::optional<double> moment = std::exchange(m_startWaitingForKeys, std::nullopt))
            placeStart(*moment);
        else
            showKeyNote();
    });
}

double TPreviewForm::framesPerSecond() const
{
    if (m_keys && m_keys->framesPerSecond > 0)
        return m_keys->framesPerSecond;
    const double stated = m_player.metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    return stated > 0 ? stated : FallbackFramesPerSecond;
}

void TPreviewForm::step(int pictures)
{
    m_player.pause();
    seekTo(tasks::StepPicture(position(), framesPerSecond(), pictures, m_lengthSeconds));
}

void TPreviewForm::seekTo(double seconds)
{
    m_positionMs = milliseconds(seconds);
    m_player.setPosition(m_originMs + m_positionMs);
    showPosition();
}

bool TPreviewForm::choose(const tasks::Trim &trim)
{
    QString refusal;
    switch (tasks::CheckTrim(trim, m_lengthSeconds)) {
    case tasks::TrimFault::None:
        break;
    case tasks::TrimFault::EndNotAfterStart:
        refusal = trim.end != m_trim.end ? platform::translated(texts::PreviewEndBeforeStart).arg(tasks::ClockText(*trim.start))
                                         : platform::translated(texts::PreviewStartAfterEnd).arg(tasks::ClockText(*trim.end));
        break;
    case tasks::TrimFault::StartOutsideClip:
    case tasks::TrimFault::EndOutsideClip:
        refusal = platform::translated(texts::PreviewOutsideClip);
        break;
    }
    ui->lblStatus->setText(refusal);
    if (!refusal.isEmpty())
        return false;
    m_trim = trim;
    showTrim();
    Q_EMIT trimChosen(m_path, m_trim.start, m_trim.end);
    return true;
}

void TPreviewForm::placeStart(double moment)
{
    if (m_copying && !m_keys) {
        m_startWaitingForKeys = moment;
        showKeyNote(platform::translated(texts::PreviewStartWaits).arg(tasks::ClockText(moment)));
        return;
    }
    const tasks::StartChoice choice = tasks::ChooseStart(moment, m_copying, m_keys ? m_keys->times : std::vector<double>{});
    if (!choose(tasks::WithStart(m_trim, choice.seconds)))
        return;
    if (choice.movedToKey)
        showKeyNote(platform::translated(texts::PreviewStartMoved).arg(tasks::ClockText(moment), tasks::ClockText(choice.seconds)));
    else
        showKeyNote();
}

void TPreviewForm::showPosition()
{
    const QSignalBlocker quiet(ui->sldPosition);
    ui->sldPosition->setValue(int(m_positionMs));
    ui->lblTime->setText(QString(texts::PreviewTime).arg(tasks::ClockText(position()), tasks::ClockText(m_lengthSeconds)));
}

void TPreviewForm::showTrim()
{
    ui->sldPosition->setKeptPart(milliseconds(m_trim.start), milliseconds(m_trim.end));
    ui->lblTrim->setText(m_trim.keepsWhole()
                             ? platform::translated(texts::PreviewKeepsWhole).arg(tasks::ClockText(m_lengthSeconds))
                             : platform::translated(texts::PreviewKeepsPart)
                                   .arg(tasks::ClockText(m_trim.start.value_or(0)), tasks::ClockText(m_trim.end.value_or(m_lengthSeconds)),
                                        tasks::ClockText(m_trim.keptSeconds(m_lengthSeconds))));
    ui->btnClear->setEnabled(!m_trim.keepsWhole());
}

void TPreviewForm::showKeyNote(const QString &text)
{
    QString note = text;
    if (note.isEmpty() && m_copying) {
        if (!m_keys)
            note = platform::translated(texts::PreviewFindingKeys);
        else if (m_keys->times.empty())
            note = platform::translated(texts::PreviewKeysUnknown);
        else if (!m_keys->complete)
            note = platform::translated(texts::PreviewKeysPartly).arg(tasks::ClockText(m_keys->times.back()));
        else
            note = platform::translated(texts::PreviewCopyNote);
    }
    ui->lblKeyNote->setText(note);
}

} // namespace velmora::app
