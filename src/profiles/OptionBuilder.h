#pragma once

#include "profiles/EncoderArgs.h"
#include "profiles/OutputSettingsView.h"

namespace velmora::profiles {

// The option fragment of the join: video encoder and its options, audio encoder and its
// options, channels, scaling and sample rate, from the current output settings and the
// values of the selected profile file. The text begins with a blank and ends with the sample
// rate; every field's text is used as it stands.
EncoderArgs GetEncoderOptions(const OutputSettingsView &settings, const QString &profilePath);

// Whether the profile joins without re-encoding: its video codec is "copy". Such a job
// converts nothing; the join takes the inputs themselves.
bool CopiesStreams(const OutputSettingsView &settings, const QString &profilePath);

// The output picture size, "width:height": the size list's value, or the manual fields.
QString GetOutputSize(const OutputSettingsView &settings, const QString &profilePath);

} // namespace velmora::profiles
