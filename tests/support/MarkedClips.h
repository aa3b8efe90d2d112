#pragma once

#include <QList>
#include <QString>

namespace velmora::test {

// A clip made with ffmpeg whose frames and sound can be told apart again after they went
// through an encoder: read them back with the functions of MediaCheck.h.
//
// Frame n of a clip is at n / rate (to the millisecond in mkv, webm and flv), none missing, unless
// its sections or its jitter put it elsewhere. The beep of a Flash clip is on time to the sample
// as ffmpeg decodes it; the steady tone of the others starts the MP3 encoder's delay late in an
// avi (1105 samples: 25 ms at 44.1 kHz).
struct MarkedClip
{
    // The stored picture size. A clip with a rotation is shown with width and height swapped.
    QString size = QStringLiteral("320x240");
    QString rate = QStringLiteral("25"); // as ffmpeg takes it: "25", "30000/1001"
    double seconds = 2.0;

    enum class Picture {
        // Every frame shows its own number (0, 1, 2, ... in display order) as wide stripes; see
        // frameNumbers(). The sound is a steady 440 Hz tone.
        Numbered,
        // Black, but white for 0.2 s from the first frame at or after flashAt; silent, but for a
        // 50 ms 1 kHz beep from exactly flashAt. See flashTimes() and beepOnsets().
        Flash,
        // The upper half white and the lower half black, as shown; a steady 440 Hz tone.
        HalfWhite,
    } picture = Picture::Numbered;
    double flashAt = 1.0;

    // Numbered: the number of the first frame; frame n shows firstNumber + n.
    int firstNumber = 0;

    // A variable frame rate: the clip's length in equal sections at these rates, one after the
    // other (rate is then unused), frame n where its section's rate puts it.
    QList<int> sectionRates;
    // Every frame after the first moved by a pseudo-random amount within +- jitter seconds, the
    // same amounts for the same seed, as a phone stamps its frames.
    double jitter = 0;
    int seed = 1;

    int sampleRate = 44100; // 0: no sound track at all; otherwise a stereo track at this rate
    double soundSeconds = 0; // how long the sound lasts; 0: as long as the picture
    // avi: MPEG-4 part 2 with MP3 sound (16-bit PCM for Flash clips: AVI cannot mark the MP3
    // encoder's delay, which would make the beep late); mp4, mov: H.264 with AAC, whose
    // delay an edit list skips; mkv: H.264 with AAC, whose sound starts 1024 samples before zero
    // with the encoder's delay in them; flv: H.264 with AAC, the whole file moved later by the
    // B-frames' delay (FLV stores no time below zero); webm: VP9 with Opus (48000 Hz only);
    // ts: MPEG-2 video with MP2 sound in an MPEG transport stream, starting at 1.4 s as ffmpeg
    // writes it.
    QString container = QStringLiteral("avi");
    // 90 or 270 (mp4 and mov only): stored turned sideways with a display matrix that turns it
    // back, as phones do. 90 means the player turns the stored picture a quarter clockwise.
    int rotate = 0;
    // mp4, mov: the video track's time scale (phones write 90000); 0 leaves it to the muxer.
    int timescale = 0;
    // ts: every time in the file this many seconds later than ffmpeg would write it.
    double timeOffset = 0;

    // Names the clip in the cache folder: file-name safe, different for every different clip.
    QString key() const;
};

// The clip, made once per build folder and shared by every test that asks for the same one.
QString markedClip(const MarkedClip &spec = {});

// A clip's description in one call, for the tables of the tests.
MarkedClip markedSpec(MarkedClip::Picture picture, const QString &size, const QString &rate, double seconds, int sampleRate,
                      const QString &container = QStringLiteral("avi"), double flashAt = 1.0);

// A song under a cover: a numbered MP4 whose picture is one frame (frame 0, lasting 1 s), with
// soundSeconds of its tone.
MarkedClip coverClip(const QString &size, double soundSeconds);

} // namespace velmora::test
