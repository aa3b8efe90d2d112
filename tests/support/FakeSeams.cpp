#include "support/FakeSeams.h"

namespace velmora::test {

void RecordingMessageBoxes::notice(QWidget *, const QString &title, const QString &text)
{
    shown.append({ShownMessage::Notice, title, text, {}});
    if (onShow)
        onShow();
}

bool RecordingMessageBoxes::question(QWidget *, const QString &title, const QString &text)
{
    shown.append({ShownMessage::Question, title, text, {}});
    if (onShow)
        onShow();
    return answers.isEmpty() ? defaultAnswer : answers.dequeue();
}

void RecordingMessageBoxes::error(QWidget *, const QString &title, const QString &text, const QString &details)
{
    shown.append({ShownMessage::Error, title, text, details});
    if (onShow)
        onShow();
}

QStringList RecordingMessageBoxes::texts() const
{
    QStringList result;
    for (const ShownMessage &message : shown)
        result << message.text;
    return result;
}

QStringList ScriptedFileDialogs::openFiles(QWidget *, const QString &filter)
{
    openFilters << filter;
    return openAnswers.isEmpty() ? QStringList() : openAnswers.dequeue();
}

std::optional<QString> ScriptedFileDialogs::saveFile(QWidget *, const platform::SaveFileRequest &request)
{
    saveRequests << request;
    return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
}

std::optional<QString> ScriptedFileDialogs::selectFolder(QWidget *, const QString &title, const QString &initialFolder)
{
    folderRequests.append({title, initialFolder});
    return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.dequeue();
}

FakeSeams::FakeSeams()
{
    platform::installMessageBoxes(&messages);
    platform::installShell(&shell);
    platform::installFileDialogs(&dialogs);
    platform::installPowerControl(&power);
}

FakeSeams::~FakeSeams()
{
    platform::installMessageBoxes(nullptr);
    platform::installShell(nullptr);
    platform::installFileDialogs(nullptr);
    platform::installPowerControl(nullptr);
}

} // namespace velmora::test
