#pragma once

#include "encoder/CommandLine.h"

#include <cstdint>
#include <string>

namespace velmora::encoder {

// Where a run reports to: notes (one line each) and its position. A run stops when asked
// through Stopping.h.
class Reporter
{
public:
    virtual ~Reporter() = default;
    virtual void note(const std::string &line) = 0;
    virtual void position(double seconds, std::int64_t frames, bool final) = 0;
    virtual void expect(double totalSeconds) = 0;
};

// Runs a parsed command line to its end: each input, one after another, decoded, fitted to
// the output's picture and sound and encoded into the one output file. Throws UsageError
// before anything is opened when the line asks for what cannot be done, and Failure (the
// output then removed) when an input or the output fails.
void runJob(const EncodeJob &job, Reporter &reporter);

} // namespace velmora::encoder
