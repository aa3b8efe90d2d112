#pragma once

#include "profiles/EncoderArgs.h"

#include <QStringList>

namespace velmora::job {

using profiles::EncoderArgs;

// The fixed options of a conversion, before the picture size.
inline constexpr QLatin1String ConversionOptions{" -oac mp3lame -ovc lavc -ofps 30 -vf scale="};

// Converts one input into an intermediate file of the common form (MP3 sound, 30 frames a
// second, the output picture size). The text begins with a blank: its first word is empty,
// and the arguments leave it out.
EncoderArgs ConversionCommand(const QString &input, const QString &intermediate, const QString &size);

// Joins the intermediate files, in order, into outputName, encoded as options says.
EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options);

} // namespace velmora::job
