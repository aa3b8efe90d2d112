// velmora-encoder: Velmora's encoder, placed in the program folder as asapi.dll. It takes
// MEncoder's option syntax as Velmora writes it, joins its inputs one after another into
// one output, and writes "Pos:" status lines while it works.
#include "encoder/CommandLine.h"
#include "encoder/Failure.h"
#include "encoder/Status.h"
#include "encoder/Stopping.h"
#include "encoder/Usage.h"
#include "encoder/joining/Join.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <sys/prctl.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

using namespace velmora::encoder;

namespace {

void onSignal(int number)
{
    requestStop(number);
}

void say(int fd, const std::string &line)
{
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
}

class ConsoleReporter : public Reporter
{
public:
    void note(const std::string &line) override { say(2, line); }
    void expect(double totalSeconds) override { m_status = std::make_unique<StatusTicker>(1, totalSeconds); }
    void position(double seconds, std::int64_t frames, bool final) override
    {
        if (!m_status)
            return;
        m_status->update(seconds, frames);
        if (final)
            m_status->stop(true);
    }
    void end()
    {
        if (m_status)
            m_status->stop(false);
    }

private:
    std::unique_ptr<StatusTicker> m_status;
};

// FFmpeg's own messages: errors only, each on a line of its own, and only the first few. A
// damaged file makes a decoder complain at every frame, and what matters is our own last line.
void logLine(void *context, int level, const char *format, va_list arguments)
{
    constexpr int Shown = 20;
    if (level > AV_LOG_ERROR)
        return;
    static std::mutex mutex; // decoders log from threads of their own
    static int printPrefix = 1;
    static int count = 0;
    const std::lock_guard lock(mutex);
    char line[1024];
    av_log_format_line(context, level, format, arguments, line, sizeof line, &printPrefix);
    std::string text = ++count <= Shown ? line : count == Shown + 1 ? "(FFmpeg's further messages are left out.)\n" : "";
    [[maybe_unused]] const ssize_t written = ::write(2, text.data(), text.size());
}

// A stop takes effect within a second however busy the run is: the run itself looks for it
// at every step, and should one step take longer (a huge picture, a slow disk), this ends
// the process, with the partial output removed, a little before the second is up.
class Watchdog
{
public:
    Watchdog()
        : m_thread([this] { watch(); })
    {
    }
    ~Watchdog()
    {
        m_done = true;
        m_thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

private:
    void watch()
    {
        using namespace std::chrono_literals;
        while (!m_done && !stopping())
            std::this_thread::sleep_for(20ms);
        if (m_done)
            return;
        const auto deadline = std::chrono::steady_clock::now() + 800ms;
        while (!m_done && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        if (m_done)
            return;
        removePartialOutput();
        say(1, "");
        say(2, "Error: stopped");
        ::_exit(128 + stopSignal());
    }

    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

} // namespace

int main(int argc, char *argv[])
{
    // Ended with its parent: a job whose program went away is not carried on unseen.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGHUP, onSignal);
    av_log_set_level(AV_LOG_ERROR);
    av_log_set_callback(logLine);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Asked of the program itself: the answer alone on standard output, without the first line.
    if (const Request request = requestOf(arguments); request != Request::Run) {
        const std::string text = request == Request::Help ? usageText() : versionText();
        return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0 ? 0 : 1;
    }

    say(1, "Velmora encoder (libavcodec " AV_STRINGIFY(LIBAVCODEC_VERSION) ")");
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    for (const std::string &line : parsed.notes)
        say(2, line);
    if (!parsed.ok()) {
        say(2, "Error: " + parsed.error);
        return 1;
    }

    const Watchdog watchdog;
    ConsoleReporter reporter;
    try {
        runJob(parsed.job, reporter);
    } catch (const UsageError &error) {
        reporter.end();
        say(2, std::string("Error: ") + error.what());
        return 1;
    } catch (const Failure &failure) {
        reporter.end();
        say(1, "");
        say(2, "Error: " + failure.file + ": " + failure.what());
        return stopping() ? 128 + stopSignal() : failure.status;
    } catch (const std::exception &error) {
        reporter.end();
        say(1, "");
        say(2, std::string("Error: ") + parsed.job.output + ": " + error.what());
        return stopping() ? 128 + stopSignal() : 2;
    }
    say(1, "");
    say(1, "Done: " + parsed.job.output);
    return 0;
}
