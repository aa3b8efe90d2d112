#pragma once

#include "encoder/CommandLine.h"
#include "encoder/reading/Probe.h"
#include "encoder/writing/Output.h"

#include <string>
#include <vector>

namespace velmora::encoder {

// Whether a join of parts can copy their sound and keep it in sync: copied, the sound at a join
// may be off its picture by half a packet, and past 20 ms lips and voice part visibly. So not
// for sound in longer packets (WMA's 46 ms at 44.1 kHz, AC-3's 48 ms at 32 kHz); frameSize:
// the samples a packet holds where the stream states it.
bool soundJoinsInSync(AVCodecID codec, int sampleRate, int frameSize = 0);

// Whether a join's inputs are the parts a conversion made for it: any of them names the file
// it was made from (SourceNameKey).
bool madeFromSources(std::vector<InputInfo> &inputs);

// Why the parts cannot go into the output the plan describes as they are; empty when they
// can. They can when each records the join line's own options (MadeWithKey) and holds one
// picture and one sound track, in the plan's codecs, picture size, shape, pixel format, frame
// rate, sample rate and channels, with the first part's setup data (parameter sets). The
// answer is the note that names the first part that differs, as "2.mkv was made with other
// settings: the join re-encodes."
std::string partsDiffer(const EncodeJob &job, const OutputPlan &plan, std::vector<InputInfo> &inputs);

} // namespace velmora::encoder
