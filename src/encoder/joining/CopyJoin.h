#pragma once

#include "encoder/CommandLine.h"
#include "encoder/joining/Join.h"

extern "C" {
#include <libavutil/rational.h>
}

namespace velmora::encoder {

// A join that copies: each input's packets go into the output as they are, one input after
// another, each placed where the picture of the one before it ended. The output has the
// inputs' picture, every sound and subtitle track with its language, title and flags, the
// files they carry (fonts), their chapters and the first input's tags (what the camera
// wrote). The inputs must match (see CopyCheck.h); what does not is refused before anything
// is written, and what the output cannot hold is named in a note. Inputs are opened one at a
// time, so neither memory nor open files grow with their number.
// - Decoding times the container does not keep (Matroska's) are worked out (DecodeTimes.h).
// - An input cut between key pictures (an edit list) starts exactly at its cut where it is
//   the first into a file with edit lists (MP4, QuickTime); otherwise at the key picture
//   before the cut.
// - The sound of each track is placed as CopiedSound.h says, the subtitles as
//   CopiedSubtitles.h says.
void runCopyJoin(const EncodeJob &job, Reporter &reporter);

// The same for the parts a conversion made for this join (see Parts.h), all at frameRate: the
// output counts its pictures in whole frames and carries the tags of the file the first part
// was made from.
void runPartsJoin(const EncodeJob &job, AVRational frameRate, Reporter &reporter);

} // namespace velmora::encoder
