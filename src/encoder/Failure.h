#pragma once

#include <stdexcept>
#include <string>

namespace velmora::encoder {

// A run that cannot go on: the file concerned and why. It ends the run with one line and
// an exit status: 1 when an input gave nothing to work with (no picture at all), 2 for
// anything else.
struct Failure : std::runtime_error
{
    static constexpr int InputStatus = 1;
    static constexpr int RunStatus = 2;

    Failure(std::string file, const std::string &reason, int status = RunStatus, int code = 0)
        : std::runtime_error(reason)
        , file(std::move(file))
        , status(status)
        , code(code)
    {
    }
    std::string file;
    int status;
    int code; // FFmpeg's error code where one caused it, else 0
};

// A command line that asks for what cannot be done: ends the run before any output, with
// exit status 1.
struct UsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// FFmpeg's text for an error code.
std::string errorText(int code);

// Why a file could not be opened or created (done: "opened", "created"; verb: "open",
// "create"): the system's limit on open files is named as such, since the file is not at
// fault; otherwise "cannot <verb> it: <why>".
bool isSystemLimit(int code);
std::string openFailureText(int code, const std::string &done, const std::string &verb);

} // namespace velmora::encoder
