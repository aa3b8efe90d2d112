#include "platform/QtSeams.h"

#include "platform/FileFilter.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace velmora::platform {

namespace {

class QtMessageBoxes final : public MessageBoxes
{
public:
    void notice(QWidget *owner, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
        box.exec();
    }

    bool question(QWidget *owner, const QString &title, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
        return box.exec() == QMessageBox::Yes;
    }

    void error(QWidget *owner, const QString &title, const QString &text, const QString &details) override
    {
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, owner);
        if (!details.isEmpty())
            box.setDetailedText(details);
        box.exec();
    }
};

class QtShell final : public Shell
{
public:
    void open(const QString &target) override
    {
        static const QStringList schemes = {QStringLiteral("http:"), QStringLiteral("https:"),
                                            QStringLiteral("mailto:"), QStringLiteral("file:")};
        for (const QString &scheme : schemes) {
            if (target.startsWith(scheme, Qt::CaseInsensitive)) {
                QDesktopServices::openUrl(QUrl(target));
                return;
            }
        }
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
    }
};

class QtFileDialogs final : public FileDialogs
{
public:
    QStringList openFiles(QWidget *owner, const QString &filter) override
    {
        QFileDialog dialog(owner);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        applyDialogFilter(dialog, filter);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }

    std::optional<QString> saveFile(QWidget *owner, const SaveFileRequest &request) override
    {
        QFileDialog dialog(owner);
        configureSaveDialog(dialog, request);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> selectFolder(QWidget *owner, const QString &title, const QString &initialFolder) override
    {
        QFileDialog dialog(owner, title);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (!initialFolder.isEmpty() && QFileInfo(initialFolder).isDir())
            dialog.setDirectory(initialFolder);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    }
};

class LogindPowerControl final : public PowerControl
{
public:
    void powerOff() override
    {
        QDBusInterface manager(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                               QStringLiteral("org.freedesktop.login1.Manager"), QDBusConnection::systemBus());
        if (manager.isValid()) {
            const QDBusMessage reply = manager.call(QStringLiteral("PowerOff"), true);
            if (reply.type() != QDBusMessage::ErrorMessage)
                return;
        }
        QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
    }
};

} // namespace

void applyDialogFilter(QFileDialog &dialog, const QString &filter)
{
    const QStringList nameFilters = toQtNameFilters(filter);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty())
        dialog.selectNameFilter(nameFilters.constFirst());
}

void configureSaveDialog(QFileDialog &dialog, const SaveFileRequest &request)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Choosing a name is no promise to replace it: the job asks, under the overwrite rule.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    applyDialogFilter(dialog, request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialPath.isEmpty()) {
        const QFileInfo initial(request.initialPath);
        if (initial.isDir()) {
            dialog.setDirectory(initial.absoluteFilePath());
        } else {
            if (initial.absoluteDir().exists())
                dialog.setDirectory(initial.absolutePath());
            dialog.selectFile(initial.fileName());
        }
    }
}

void installQtSeams()
{
    static QtMessageBoxes messages;
    static QtShell shellSeam;
    static QtFileDialogs dialogs;
    static LogindPowerControl power;
    installMessageBoxes(&messages);
    installShell(&shellSeam);
    installFileDialogs(&dialogs);
    installPowerControl(&power);
}

} // namespace velmora::platform
