#pragma once

#include "encoder/CommandLine.h"
#include "encoder/reading/Probe.h"
#include "encoder/writing/Output.h"

#include <string>
#include <vector>

namespace velmora::encoder {

// The container and encoders a command line asks for, checked before any file is opened.
struct CodecChoice
{
    const Container *container = nullptr;
    bool intermediate = false;
    const AVCodec *video = nullptr;
    const AVCodec *audio = nullptr;
};

// Throws UsageError for an unknown codec, an unknown output type, or a codec the container
// cannot hold.
CodecChoice chooseCodecs(const EncodeJob &job);

// Every value the output is written with, from the command line and the inputs. Values an
// encoder or container refuses are brought to the nearest they take, each with a note.
OutputPlan makePlan(const EncodeJob &job, const CodecChoice &choice, const std::vector<InputInfo> &inputs,
                    std::vector<std::string> &notes);

} // namespace velmora::encoder
