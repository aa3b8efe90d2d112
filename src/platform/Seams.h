#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace velmora::platform {

// Every message box, shell "open", file or folder dialog and power-off of the program goes
// through one of these interfaces. The application installs the real ones (QtSeams.h);
// tests install recording or scripted ones, so that no test ever opens a real dialog.

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Information icon and an OK button: notices and refusals.
    virtual void notice(QWidget *owner, const QString &title, const QString &text) = 0;
    // Question icon with Yes and No; true for Yes.
    virtual bool question(QWidget *owner, const QString &title, const QString &text) = 0;
    // Error icon and an OK button; details (for example an encoder's last lines) may be empty.
    virtual void error(QWidget *owner, const QString &title, const QString &text, const QString &details) = 0;
};

class Shell
{
public:
    virtual ~Shell() = default;
    // The shell's "open": a file with its associated program, a folder, a web or "mailto:"
    // address. Its result is never looked at.
    virtual void open(const QString &target) = 0;
};

struct SaveFileRequest
{
    QString filter;        // "Description|patterns|..." as the filter texts are written
    QString defaultSuffix; // added to a name typed without an extension
    QString initialPath;   // the folder and file name the dialog starts on
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Existing files, several may be chosen; an empty list when cancelled.
    virtual QStringList openFiles(QWidget *owner, const QString &filter) = 0;
    virtual std::optional<QString> saveFile(QWidget *owner, const SaveFileRequest &request) = 0;
    // A folder; initialFolder is preselected when it exists.
    virtual std::optional<QString> selectFolder(QWidget *owner, const QString &title, const QString &initialFolder) = 0;
};

class PowerControl
{
public:
    virtual ~PowerControl() = default;
    // Asks the system to power the computer off.
    virtual void powerOff() = 0;
};

// The installed seams (not owned). Using one that was never installed is a programming
// error and aborts, so that a test cannot reach a real dialog by accident.
MessageBoxes &messageBoxes();
Shell &shell();
FileDialogs &fileDialogs();
PowerControl &powerControl();

void installMessageBoxes(MessageBoxes *seam);
void installShell(Shell *seam);
void installFileDialogs(FileDialogs *seam);
void installPowerControl(PowerControl *seam);

} // namespace velmora::platform
