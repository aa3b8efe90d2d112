#pragma once

#include "encoder/CommandLine.h"
#include "encoder/joining/Join.h"

namespace velmora::encoder {

// A join that copies: each input's picture and sound packets go into the output as they
// are, one input after another, each placed where the picture of the one before it ended.
// The inputs must match (see CopyCheck.h); what does not is refused before anything is
// written. Each input's sound keeps its own place against its picture, so sound and picture
// are as close at every join as in the inputs, and nothing builds up from join to join:
// - sound before an input's first picture (an encoder's priming) is left out, but for the
//   first input into a file whose edit list skips it (MP4, QuickTime);
// - sound that runs past an input's last picture is left out, a packet at a time;
// - a packet at an input's start that would lie over the end of the sound before is left out;
// - so a gap of less than a sound packet may stay at a join, as does a gap where an input's
//   sound is shorter than its picture: nothing is invented.
void runCopyJoin(const EncodeJob &job, Reporter &reporter);

} // namespace velmora::encoder
