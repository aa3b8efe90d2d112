#pragma once

#include <optional>

#include "profiles/EncoderArgs.h"
#include "tasks/RowTrim.h"

#include <QStringList>

namespace velmora::job {

using profiles::EncoderArgs;

// Converts one input into its part of the join: encoded as the join's option fragment asks
// (codecs, bitrates, picture size, sample rate), at 30 frames a second, with the picture shape
// `shape` ("W/H", the first row's) where the fragment asks for the first video's
// (autoaspect). The part names the input it was made from and records the fragment it was
// made for (-info srcform and comment): the join copies parts that were made for its own
// options, and names its chapters and takes its tags from the inputs.
// With a rate factor, the picture is encoded at that factor rather than the fragment's
// bitrate (-x264encopts crf=F), the join's bitrate being shared among its parts.
// A trimmed row is converted from its start for its kept length (-ss START -endpos LENGTH).
EncoderArgs ConversionCommand(const QString &input, const QString &part, const EncoderArgs &options, const QString &shape = QString(),
                              std::optional<double> factor = std::nullopt, const tasks::Trim &trim = {});

// A look at how busy an input's pictures are: its first `seconds` encoded as its conversion
// would be, at rate factor `factor`, into `look`.
EncoderArgs LookCommand(const QString &input, const QString &look, const EncoderArgs &options, const QString &shape, double seconds,
                        double factor, const tasks::Trim &trim = {});

// The -info value naming the input and the options: srcform=%<bytes>%<full path>, and with
// options, :comment=%<bytes>%<the fragment's words, one blank between>.
QString SourceInfo(const QString &input, const EncoderArgs &options = EncoderArgs());

// Joins the intermediate files (or, for a profile that copies, the inputs), in order, into outputName, encoded as options says.
// trims: for a profile that copies, each input's, written after it as -ss and -endpos.
EncoderArgs JoinCommand(const QStringList &intermediates, const QString &outputName, const EncoderArgs &options,
                        const QList<tasks::Trim> &trims = {});

} // namespace velmora::job
