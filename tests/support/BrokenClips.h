#pragma once

#include <QString>
#include <QStringList>

// Inputs broken in the ways real files are: pieces of streams put one after the other, files
// cut off in the middle, damaged bytes, and transport streams with more than one programme.
// Each is made once per build folder, from the clips of MarkedClips.h where it can be, and
// shared like them.
namespace velmora::test {

// The files' bytes one after the other, as `cat` puts them together.
QString catClip(const QString &name, const QStringList &parts);

// The first fraction of the file's bytes, as a download or a copy that broke off leaves it.
QString cutClip(const QString &name, const QString &source, double fraction);

// The clip copied stream for stream into an MP4 whose index is at the front (+faststart), as
// files for the web are: a cut-off copy still tells the whole play time.
QString faststartClip(const QString &name, const QString &source);

// A numbered 4 s clip at 30 fps with sound (MarkedClip) in this container (mp4 with its index at
// the front, mkv or ts), cut to half its bytes: its header, where it has one, still says 4 s.
QString halfNumberedClip(const QString &container);

// The FLV clip with sound tags' times moved, as flipped bits in them leave them: from the first
// at or after atSeconds on, one tag after the other by each of shiftsMs (milliseconds). With
// claimedSeconds, its header's play time says that instead.
QString strayTimeFlv(const QString &name, const QString &source, double atSeconds, const QList<int> &shiftsMs,
                     double claimedSeconds = 0);

// Whether zzuf, which damages the bytes a program reads, is installed.
bool haveZzuf();
// The clip as a program reads it under `zzuf -s seed -r ratio`: the same damage every time.
QString zzufClip(const QString &name, const QString &source, int seed, double ratio);

// 2 s of ffmpeg's testsrc2 at 320x240 and 25 fps in MPEG-4 part 2 with a 440 Hz tone in MP3, in AVI.
QString testPatternAvi();

// A transport stream of two programmes: A holds the picture and the 440 Hz tone of `picture` (a
// ts MarkedClip of that many seconds), B a 1 kHz tone alone. B's tone is the file's first stream
// and B the first programme, so a reader that takes the first sound it meets takes B's.
QString twoProgrammeTs(const QString &picture, double seconds);

} // namespace velmora::test
