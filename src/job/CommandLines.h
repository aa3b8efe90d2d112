#pragma once

#include "profiles/EncoderArgs.h"

#include <QStringList>

namespace velmora::job {

using profiles::EncoderArgs;

// Converts one input into an intermediate file of the common form (MP3 sound, 30 frames a
// second, the output picture size), which names the input it was made from (-info srcform),
// for the chapter its part of the join gets and the tags the join keeps.
EncoderArgs ConversionCommand(const QString &input, const QString &intermediate, const QString &size);

// The -info value naming the input: srcform=%<bytes>%<full path>.
QString SourceInfo(const QString &input);

// Joins the intermediate files (or, for a profile that copies, the inputs), in order, into outputName, encoded as options says.
EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options);

} // namespace velmora::job
