#pragma once

#include "platform/Seams.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace velmora::test {

// What a message box was asked to show.
struct ShownMessage
{
    enum Kind { Notice, Question, Error } kind;
    QString title;
    QString text;
    QString details;
};

class RecordingMessageBoxes final : public platform::MessageBoxes
{
public:
    QList<ShownMessage> shown;
    QQueue<bool> answers;       // answers to questions, in order
    bool defaultAnswer = false; // once the queue is empty
    std::function<void()> onShow; // runs while the box would be open

    void notice(QWidget *, const QString &title, const QString &text) override;
    bool question(QWidget *, const QString &title, const QString &text) override;
    void error(QWidget *, const QString &title, const QString &text, const QString &details) override;

    QStringList texts() const;
};

class RecordingShell final : public platform::Shell
{
public:
    QStringList opened;
    void open(const QString &target) override { opened << target; }
};

class ScriptedFileDialogs final : public platform::FileDialogs
{
public:
    QQueue<QStringList> openAnswers;
    QQueue<std::optional<QString>> saveAnswers;
    QQueue<std::optional<QString>> folderAnswers;
    QList<platform::SaveFileRequest> saveRequests;
    QStringList openFilters;
    QList<std::pair<QString, QString>> folderRequests; // title, initial folder

    QStringList openFiles(QWidget *, const QString &filter) override;
    std::optional<QString> saveFile(QWidget *, const platform::SaveFileRequest &request) override;
    std::optional<QString> selectFolder(QWidget *, const QString &title, const QString &initialFolder) override;
};

class RecordingPowerControl final : public platform::PowerControl
{
public:
    int powerOffs = 0;
    void powerOff() override { ++powerOffs; }
};

// Installs all four fakes for its lifetime.
class FakeSeams
{
public:
    FakeSeams();
    ~FakeSeams();
    FakeSeams(const FakeSeams &) = delete;
    FakeSeams &operator=(const FakeSeams &) = delete;

    RecordingMessageBoxes messages;
    RecordingShell shell;
    ScriptedFileDialogs dialogs;
    RecordingPowerControl power;
};

} // namespace velmora::test
