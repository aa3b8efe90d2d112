#pragma once

#include <string>
#include <vector>

namespace velmora::encoder {

// What a command line asks for before any run.
enum class Request {
    Run,     // a run: the line goes to parseCommandLine
    Help,    // -h or --help: the option summary
    Version, // --version: ours and FFmpeg's libraries'
};

// -h, --help and --version count only as the whole command line. Among other arguments they
// keep the meaning they always had: "--help" is a file name to the parser (an input, or -o's
// value), and "-h" is an unknown option that ends the run with status 1.
Request requestOf(const std::vector<std::string> &arguments);

// The option summary that --help prints: every option and sub-option parseCommandLine takes,
// what the program writes while it works, and its exit statuses.
std::string usageText();

// The program's version, then FFmpeg's and each of its libraries' as running, with the
// version built against beside any that differs.
std::string versionText();

} // namespace velmora::encoder
