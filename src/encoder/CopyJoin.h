#pragma once

#include "encoder/CommandLine.h"
#include "encoder/Join.h"

namespace velmora::encoder {

// A join that copies: each input's picture and sound packets go into the output as they
// are, one input after another, each placed where the picture of the one before it ended.
// The inputs must match (see CopyCheck.h); what does not is refused before anything is
// written. At each join the sound keeps to its picture within half a sound packet:
// - sound before an input's first picture (an encoder's priming) is left out, but for the
//   first input into a file whose edit list skips it (MP4, QuickTime);
// - sound past an input's last picture is left out;
// - an input's sound that would begin over the end of the sound before it is moved on by
//   the overlap once, for all of that input, or its first packet is left out where it lies
//   mostly under the sound before; the next input starts afresh from its picture, so the
//   offset never builds up;
// - a gap where an input's sound is shorter than its picture stays a gap.
void runCopyJoin(const EncodeJob &job, Reporter &reporter);

} // namespace velmora::encoder
