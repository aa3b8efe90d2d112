// A stand-in for the encoder, for tests that need failures, silence, crashes or paced output.
//
// It takes its behaviour from the folder named by VELMORA_FAKE_DIR: run n (counting from 0,
// kept in the file "runs") follows "script.<n>" if that exists, otherwise "script"; without
// either it exits with 0. It writes its arguments, one a line, to "args.<n>". Script lines:
//   say <text>                 write text and a line feed ("\0" writes a zero byte, "\r" a CR)
//   raw <text>                 write text as it stands (same escapes)
//   lines <count> <text> [ms]  write text and a line feed, count times, ms apart
//   pos <from> <to> <step> [ms]   status lines "Pos: x.xs ..." ms apart (comma: with ",")
//   comma <from> <to> <step> [ms] the same, written with a decimal comma
//   sleep <ms>
//   output [bytes]             write a file of that many bytes at the path after "-o"
//   copy <path>                write a copy of that file at the path after "-o"
//   child <seconds>            leave a child process behind that lives that long
//   exit <code>
//   crash                      die of a signal
//   hang                       wait until killed
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string unescape(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == '0' ? '\0' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

void put(const std::string &bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(1, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            std::exit(9);
        done += static_cast<size_t>(n);
    }
}

void pause(long ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string readFile(const std::string &path, bool &found)
{
    std::ifstream in(path);
    found = static_cast<bool>(in);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

} // namespace

int main(int argc, char **argv)
{
    // Asked who it is, it is some other encoder, and the question is no run of its script.
    if (argc == 2 && std::string(argv[1]) == "--version") {
        put("fake encoder 1.0\n");
        return 0;
    }
    const char *dirEnv = std::getenv("VELMORA_FAKE_DIR");
    const std::string dir = dirEnv ? dirEnv : ".";
    bool found = false;
    int run = std::atoi(readFile(dir + "/runs", found).c_str());
    std::ofstream(dir + "/runs") << run + 1;

    std::string output;
    {
        std::ofstream args(dir + "/args." + std::to_string(run));
        for (int i = 1; i < argc; ++i) {
            args << argv[i] << '\n';
            if (std::string(argv[i]) == "-o" && i + 1 < argc)
                output = argv[i + 1];
        }
    }

    std::string script = readFile(dir + "/script." + std::to_string(run), found);
    if (!found)
        script = readFile(dir + "/script", found);

    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        std::string rest;
        std::getline(words, rest);
        if (!rest.empty() && rest[0] == ' ')
            rest.erase(0, 1);
        if (command == "say") {
            put(unescape(rest) + "\n");
        } else if (command == "raw") {
            put(unescape(rest));
        } else if (command == "lines") {
            std::istringstream parts(rest);
            int count = 0;
            std::string text;
            long ms = 0;
            parts >> count >> text >> ms;
            for (int i = 0; i < count; ++i) {
                put(unescape(text) + "\n");
                pause(ms);
            }
        } else if (command == "pos" || command == "comma") {
            std::istringstream parts(rest);
            double from = 0, to = 0, step = 1;
            long ms = 0;
            parts >> from >> to >> step >> ms;
            for (double x = from; step > 0 ? x <= to + 1e-9 : x >= to - 1e-9; x += step) {
                char buffer[128];
                std::snprintf(buffer, sizeof buffer, "Pos: %5.1fs %5df ( 0%%)  0.00fps Trem:   0min   0mb  A-V:0.000 [0:0]\r",
                              x, static_cast<int>(x * 30));
                std::string status = buffer;
                if (command == "comma")
                    status[status.find('.')] = ',';
                put(status);
                pause(ms);
            }
        } else if (command == "sleep") {
            pause(std::atol(rest.c_str()));
        } else if (command == "output") {
            if (!output.empty()) {
                std::ofstream file(output, std::ios::binary);
                file << std::string(rest.empty() ? 64 : std::atol(rest.c_str()), 'x');
            }
        } else if (command == "copy") {
            if (!output.empty()) {
                std::ifstream from(rest, std::ios::binary);
                std::ofstream(output, std::ios::binary) << from.rdbuf();
            }
        } else if (command == "child") {
            // A helper of the encoder's own, with the same command line, that outlives it.
            if (::fork() == 0) {
                pause(std::atol(rest.c_str()) * 1000);
                std::_Exit(0);
            }
        } else if (command == "exit") {
            return std::atoi(rest.c_str());
        } else if (command == "crash") {
            std::signal(SIGSEGV, SIG_DFL);
            std::raise(SIGSEGV);
        } else if (command == "hang") {
            for (;;)
                pause(1000);
        }
    }
    return 0;
}
