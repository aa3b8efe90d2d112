#pragma once

#include "profiles/EncoderArgs.h"

#include <QStringList>

namespace velmora::job {

using profiles::EncoderArgs;

// Converts one input into an intermediate file of the common form (MP3 sound, 30 frames a
// second, the output picture size).
EncoderArgs ConversionCommand(const QString &input, const QString &intermediate, const QString &size);

// Joins the intermediate files, in order, into outputName, encoded as options says.
EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options);

} // namespace velmora::job
