#pragma once

#include <QString>

namespace velmora::test {

// A clip made with ffmpeg whose frames and sound can be told apart again after they went
// through an encoder: read them back with the functions of MediaCheck.h.
//
// Frame n of every clip is at n / rate (to the millisecond in mkv), none missing. The beep of a
// Flash clip is on time to the sample as ffmpeg decodes it; the steady tone of the others starts
// the MP3 encoder's delay late in an avi (1105 samples: 25 ms at 44.1 kHz).
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

    int sampleRate = 44100; // 0: no sound track at all; otherwise a stereo track at this rate
    // avi: MPEG-4 part 2 with MP3 sound (16-bit PCM for Flash clips: AVI cannot mark the MP3
    // encoder's delay, which would make the beep late); mp4, mov: H.264 with AAC, whose
    // delay an edit list skips; mkv: H.264 with AAC, whose sound starts 1024 samples before zero
    // with the encoder's delay in them.
    QString container = QStringLiteral("avi");
    // 90 or 270 (mp4 and mov only): stored turned sideways with a display matrix that turns it
    // back, as phones do. 90 means the player turns the stored picture a quarter clockwise.
    int rotate = 0;

    // Names the clip in the cache folder: file-name safe, different for every different clip.
    QString key() const;
};

// The clip, made once per build folder and shared by every test that asks for the same one.
QString markedClip(const MarkedClip &spec = {});

// A clip's description in one call, for the tables of the tests.
MarkedClip markedSpec(MarkedClip::Picture picture, const QString &size, const QString &rate, double seconds, int sampleRate,
                      const QString &container = QStringLiteral("avi"), double flashAt = 1.0);

} // namespace velmora::test
