#include "encoder/Stopping.h"

#include <atomic>
#include <climits>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace velmora::encoder {

namespace {

std::atomic<int> g_signal{0};
std::atomic<bool> g_partial{false};
char g_path[PATH_MAX];

} // namespace

void requestStop(int signal) noexcept
{
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
}

int stopSignal() noexcept
{
    return g_signal.load();
}

bool stopping() noexcept
{
    return g_signal.load() != 0;
}

int interruptedByStop(void *) noexcept
{
    return stopping() ? 1 : 0;
}

void setPartialOutput(const char *path) noexcept
{
    g_partial = false;
    if (std::strlen(path) >= sizeof g_path)
        return;
    std::strcpy(g_path, path);
    g_partial = true;
}

void clearPartialOutput() noexcept
{
    g_partial = false;
}

void removePartialOutput() noexcept
{
    if (!g_partial.exchange(false))
        return;
    struct stat status {};
    if (::lstat(g_path, &status) == 0 && S_ISREG(status.st_mode))
        ::unlink(g_path);
}

} // namespace velmora::encoder
