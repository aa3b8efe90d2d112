#include "platform/Seams.h"

#include <QtGlobal>

namespace velmora::platform {

namespace {
MessageBoxes *g_messageBoxes = nullptr;
Shell *g_shell = nullptr;
FileDialogs *g_fileDialogs = nullptr;
PowerControl *g_powerControl = nullptr;

template<typename T>
T &installed(T *seam, const char *name)
{
    if (!seam)
        qFatal("No %s seam is installed", name);
    return *seam;
}
} // namespace

MessageBoxes &messageBoxes() { return installed(g_messageBoxes, "message box"); }
Shell &shell() { return installed(g_shell, "shell"); }
FileDialogs &fileDialogs() { return installed(g_fileDialogs, "file dialog"); }
PowerControl &powerControl() { return installed(g_powerControl, "power control"); }

void installMessageBoxes(MessageBoxes *seam) { g_messageBoxes = seam; }
void installShell(Shell *seam) { g_shell = seam; }
void installFileDialogs(FileDialogs *seam) { g_fileDialogs = seam; }
void installPowerControl(PowerControl *seam) { g_powerControl = seam; }

} // namespace velmora::platform
