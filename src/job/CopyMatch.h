#pragma once

#include "tasks/Trim.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace velmora::job {

// Whether the inputs can be joined into output without re-encoding, by the encoder's own rule.
struct CopyMatch
{
    QString refusal;           // empty when they can: otherwise names the input and what differs
    QStringList losses;        // what the output will not hold as the inputs do, one line each
    double pictureSeconds = 0; // their pictures' stated play time together
    bool stopped = false;      // the check was given up before it ended
};

// Checks on a thread of its own, one input at a time, while the caller's events are served.
// stopRequested is asked between inputs (from the caller's thread): true gives the check up.
// trims: each input's, where any is trimmed.
CopyMatch MatchForCopy(const QStringList &inputs, const QString &output, const std::function<bool()> &stopRequested = {},
                       const QList<tasks::Trim> &trims = {});

// Whether our encoder's join of parts made with these options (a profile's fragment, for an
// output of this extension) copies them: it does unless their sound comes in packets too long
// to copy in sync (see the encoder's joining/Parts.h). False for options it cannot read.
bool PartsJoinByCopy(const QStringList &options, const QString &extension);

// The picture bitrate in kbit/s that options (a profile's fragment, for an output of this
// extension) ask of an encoder that can encode at a rate factor instead (x264, x265), so that
// a join's parts can share it (see SharedRate.h); nothing for any other.
std::optional<double> SharedPictureRate(const QStringList &options, const QString &extension);

// The kbit of a file's picture stream, counted beside the event loop; nothing when it does
// not read.
std::optional<double> PictureKbits(const QString &file);

// The picture's shape as the encoder sees the input (upright, as shown), "W/H" in lowest
// terms; empty when the file does not read. Found the same way, beside the event loop.
QString PictureShape(const QString &input);

} // namespace velmora::job
