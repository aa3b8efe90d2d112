#pragma once

#include <stdexcept>
#include <string>

namespace velmora::encoder {

// A run that cannot go on: the file concerned and why. It ends the run with one line.
struct Failure : std::runtime_error
{
    Failure(std::string file, const std::string &reason)
        : std::runtime_error(reason)
        , file(std::move(file))
    {
    }
    std::string file;
};

// A command line that asks for what cannot be done: ends the run before any output, with
// exit status 1.
struct UsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// FFmpeg's text for an error code.
std::string errorText(int code);

} // namespace velmora::encoder
