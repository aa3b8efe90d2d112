// velmora-encoder: Velmora's encoder, placed in the program folder as asapi.dll. It takes
// MEncoder's option syntax as Velmora writes it, joins its inputs one after another into
// one output, and writes "Pos:" status lines while it works.
#include "encoder/CommandLine.h"
#include "encoder/Failure.h"
#include "encoder/Join.h"
#include "encoder/Status.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <sys/prctl.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

using namespace velmora::encoder;

namespace {

std::atomic<int> g_signal{0};

void onSignal(int number)
{
    g_signal = number;
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
    bool stopRequested() const override { return g_signal != 0; }
    void end()
    {
        if (m_status)
            m_status->stop(false);
    }

private:
    std::unique_ptr<StatusTicker> m_status;
};

// FFmpeg's own messages: errors only, each on a line of its own.
void logLine(void *context, int level, const char *format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    static int printPrefix = 1;
    char line[1024];
    av_log_format_line(context, level, format, arguments, line, sizeof line, &printPrefix);
    [[maybe_unused]] const ssize_t written = ::write(2, line, std::char_traits<char>::length(line));
}

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

    say(1, "Velmora encoder (libavcodec " AV_STRINGIFY(LIBAVCODEC_VERSION) ")");
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    for (const std::string &line : parsed.notes)
        say(2, line);
    if (!parsed.ok()) {
        say(2, "Error: " + parsed.error);
        return 1;
    }

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
        return g_signal ? 128 + g_signal : 2;
    } catch (const std::exception &error) {
        reporter.end();
        say(1, "");
        say(2, std::string("Error: ") + parsed.job.output + ": " + error.what());
        return 2;
    }
    say(1, "");
    say(1, "Done: " + parsed.job.output);
    return 0;
}
