#include "app/TerminalJoin.h"

#include "app/AppTexts.h"
#include "app/TerminalOptions.h"
#include "app/TerminalProgress.h"
#include "job/EncoderRunner.h"
#include "job/JobDriver.h"
#include "job/JobTexts.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Seams.h"
#include "platform/SleepInhibitor.h"
#include "platform/TerminationSignals.h"
#include "prefs/IniFile.h"
#include "prefs/PrefKeys.h"
#include "prefs/ProgramFolder.h"
#include "prefs/SavedChoices.h"
#include "profiles/LoadedProfile.h"
#include "profiles/ProfileList.h"
#include "tasks/InputPaths.h"
#include "tasks/MediaProbe.h"
#include "tasks/RowTrim.h"
#include "tasks/TaskRows.h"
#include "platform/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <functional>

#include <unistd.h>

namespace velmora::app {

namespace {

void complain(const QString &text)
{
    WriteText(stderr, QStringLiteral("velmora: ") + text + QLatin1Char('\n'));
}

// What the job would show in message boxes goes to standard error; nothing is ever opened
// or powered off, and a question about replacing a file is answered No (the command line
// has said what to do with an existing output before the job asks).
class TerminalSeams final : public platform::MessageBoxes,
                            public platform::Shell,
                            public platform::FileDialogs,
                            public platform::PowerControl
{
public:
    std::function<void()> beforeWriting;
    bool declinedOverwrite = false;
    bool acceptLosses = false;
    QString completion; // the job's closing notice
    QString firstMessage; // in English

    void notice(QWidget *, const QString &title, const QString &text) override
    {
        if (title == platform::translated(job::texts::CompleteTitle)) {
            completion = text;
            return;
        }
        say(title, text, QString());
    }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        if (title == platform::translated(job::texts::FileExistsTitle)) {
            declinedOverwrite = true;
            return false;
        }
        // What a join that copies cannot keep is said either way; the command line answers.
        if (title == platform::translated(job::texts::CopyLossesTitle)) {
            const QString differs = text.left(text.lastIndexOf(QStringLiteral("\n\n")));
            if (acceptLosses) {
                tell(title, differs, QString()); // a note, not the job's result
                return true;
            }
            say(title, differs + QCoreApplication::translate("Velmora", "\nJoin with --accept-losses to join them anyway."), QString());
            return false;
        }
        say(title, text, QString());
        return false;
    }
    void error(QWidget *, const QString &title, const QString &text, const QString &details) override
    {
        say(title, text, details);
    }
    void open(const QString &) override {}
    QStringList openFiles(QWidget *, const QString &) override { return {}; }
    std::optional<QString> saveFile(QWidget *, const platform::SaveFileRequest &) override { return std::nullopt; }
    std::optional<QString> selectFolder(QWidget *, const QString &, const QString &) override { return std::nullopt; }
    void powerOff() override {}

private:
    void say(const QString &title, const QString &text, const QString &details)
    {
        if (firstMessage.isEmpty())
            firstMessage = platform::inEnglish(text); // for the JSON line, which scripts read
        tell(title, text, details);
    }
    void tell(const QString &title, const QString &text, const QString &details)
    {
        if (beforeWriting)
            beforeWriting();
        complain(title + QStringLiteral(": ") + text);
        if (!details.isEmpty())
            WriteText(stderr, details + QLatin1Char('\n'));
    }
};

// The window's part in a job, without a window; the computer does not sleep while it runs.
class TerminalHost final : public job::JobHost
{
public:
    TerminalHost(QString output, QString profilePath, QString extension, QString fallbackTempDir)
        : m_output(std::move(output))
        , m_profilePath(std::move(profilePath))
        , m_extension(std::move(extension))
        , m_fallbackTempDir(std::move(fallbackTempDir))
        , m_sleep(texts::ProductName)
    {
    }

    QWidget *ownerWindow() override { return nullptr; }
    QString outputFileText() const override { return m_output; }
    void setOutputFileText(const QString &text) override { m_output = text; }
    void focusOutputFile() override {}
    void focusTaskList() override {}
    void LockControls() override {}
    void UnlockControls() override {}
    QString selectedProfilePath() const override { return m_profilePath; }
    QString outputExtension() const override { return m_extension; }
    QString fallbackTempDir() const override { return m_fallbackTempDir; }
    void closeForJob() override {}
    void jobBegins() override { m_sleep.hold(platform::translated(job::texts::SleepInhibitReason)); }
    void jobEnds(const job::JobReport &) override { m_sleep.release(); }

private:
    QString m_output;
    QString m_profilePath;
    QString m_extension;
    QString m_fallbackTempDir;
    platform::SleepInhibitor m_sleep;
};

// The general settings of a join from a terminal: the temporary folder and the rule for an
// existing output; the completion actions are the window's, never a terminal's.
class TerminalSettings final : public prefs::GeneralSettingsView
{
public:
    TerminalSettings(QString tempDir, prefs::OverwriteRule rule)
        : m_tempDir(std::move(tempDir))
        , m_rule(rule)
    {
    }
    QString tempDirText() const override { return m_tempDir; }
    bool openOutputFolder() const override { return false; }
    bool exitProgram() const override { return false; }
    bool turnOffComputer() const override { return false; }
    prefs::OverwriteRule overwriteRule() const override { return m_rule; }

private:
    QString m_tempDir;
    prefs::OverwriteRule m_rule;
};

QString profileNames(const QList<profiles::ProfileEntry> &profiles)
{
    QString text;
    for (const profiles::ProfileEntry &profile : profiles)
        text += QStringLiteral("  ") + profile.name + QLatin1Char('\n');
    return text;
}

TerminalProgress::Style styleFor(ProgressMode mode)
{
    switch (mode) {
    case ProgressMode::Bar: return TerminalProgress::Style::Bar;
    case ProgressMode::Plain: return TerminalProgress::Style::Plain;
    case ProgressMode::Json: return TerminalProgress::Style::Json;
    case ProgressMode::None: return TerminalProgress::Style::None;
    case ProgressMode::Auto: break;
    }
    return ::isatty(::fileno(stdout)) ? TerminalProgress::Style::Bar : TerminalProgress::Style::Plain;
}

QString fullPath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

class TerminalJoin
{
public:
    TerminalJoin(const TerminalRequest &request, const QString &appDir)
        : m_request(request)
        , m_folder(appDir, prefs::ProgramFolder::FirstStart::ReadShipped)
        , m_style(styleFor(request.progress))
    {
    }

    int run();

private:
    std::optional<QString> chooseProfile();
    // The closing JSON object, for the progress that writes JSON; the exit status.
    int finish(const char *result, int status, const QString &message = QString(), const job::JobReport *joined = nullptr);

    const TerminalRequest &m_request;
    const prefs::ProgramFolder m_folder;
    const TerminalProgress::Style m_style;
    TerminalSeams m_seams;
    bool m_interrupted = false;
    double m_elapsed = 0;
};

std::optional<QString> TerminalJoin::chooseProfile()
{
    const QList<profiles::ProfileEntry> profiles = profiles::discoverProfiles(m_folder.profilesDir());
    if (m_request.profile.isEmpty()) {
        QStringList names;
        for (const profiles::ProfileEntry &profile : profiles)
            names.append(profile.name);
        const int index = profiles::ChosenProfile(m_folder.preferencesFile(), names);
        if (index >= 0 && index < profiles.size())
            return m_folder.profilesDir() + profiles.at(index).fileName;
        complain(QCoreApplication::translate("Velmora", "No profile is chosen in the settings: name one with --profile. The profiles are:\n")
                 + profileNames(profiles).chopped(1));
        return std::nullopt;
    }
    if (auto found = profiles::FindProfile(profiles, m_folder.profilesDir(), m_request.profile))
        return found;
    complain(QCoreApplication::translate("Velmora", "There is no profile \"%1\". The profiles are:\n").arg(m_request.profile) + profileNames(profiles).chopped(1));
    return std::nullopt;
}

int TerminalJoin::finish(const char *result, int status, const QString &message, const job::JobReport *joined)
{
    if (m_style == TerminalProgress::Style::Json) {
        QString line = QStringLiteral("{\"result\":\"%1\",\"status\":%2").arg(QLatin1String(result)).arg(status);
        if (joined)
            line += QStringLiteral(",\"output\":%1,\"seconds\":%2").arg(JsonString(joined->output)).arg(joined->seconds, 0, 'f', 2);
        if (!message.isEmpty())
            line += QStringLiteral(",\"message\":") + JsonString(message);
        WriteText(stdout, line + QStringLiteral(",\"elapsed\":%1}\n").arg(m_elapsed, 0, 'f', 1));
    }
    return status;
}

int TerminalJoin::run()
{
    tasks::UseUtf8FileNames();
    platform::rememberTranslations();
    platform::TerminationSignals termination;
    job::JobDriver *running = nullptr;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, [&] {
        m_interrupted = true;
        if (running)
            running->requestStop();
    });

    const std::optional<QString> profilePath = chooseProfile();
    if (!profilePath)
        return exitstatus::Usage;
    const profiles::LoadedProfile profile(*profilePath);

    QList<tasks::ListEntry> named;
    try {
        named = m_request.listFile.isEmpty() ? tasks::CommandLineEntries(m_request.inputs)
                                              : tasks::ListEntries(tasks::ReadListFile(m_request.listFile));
    } catch (const velmora::Error &error) {
        complain(error.text());
        return exitstatus::Usage;
    }
    // Each file with the trim its list line came with: a folder's files are whole.
    tasks::InputFiles inputs;
    QList<tasks::Trim> trims;
    for (const tasks::ListEntry &entry : named) {
        const tasks::InputFiles each = tasks::ExpandInputs({entry.path});
        inputs.files << each.files;
        inputs.missing << each.missing;
        inputs.unsupported << each.unsupported;
        for (qsizetype i = 0; i < each.files.size(); ++i)
            trims << (tasks::ClassifyInput(entry.path).kind == tasks::NamedInput::Kind::File ? entry.trim : tasks::Trim());
    }
    for (const QString &missing : inputs.missing)
        complain(QCoreApplication::translate("Velmora", "There is no file or folder \"%1\".").arg(missing));
    if (!inputs.missing.isEmpty())
        return exitstatus::Usage;
    for (const QString &unsupported : inputs.unsupported)
        complain(QCoreApplication::translate("Velmora", "%1 is left out: Velmora does not take files of its type.").arg(unsupported));

    m_seams.acceptLosses = m_request.acceptLosses;
    platform::installMessageBoxes(&m_seams);
    platform::installShell(&m_seams);
    platform::installFileDialogs(&m_seams);
    platform::installPowerControl(&m_seams);

    tasks::TaskRows rows;
    for (qsizetype i = 0; i < inputs.files.size(); ++i) {
        const QString &file = inputs.files[i];
        QCoreApplication::processEvents();
        if (m_interrupted)
            return finish("stopped", exitstatus::Stopped);
        try {
            rows.AddTaskFile(file);
            if (!trims[i].keepsWhole())
                tasks::SetRowTrim(rows, rows.count() - 1, trims[i]);
        } catch (const std::exception &error) {
            static const char *const cannotAdd = QT_TRANSLATE_NOOP("Velmora", "%1 cannot be added: %2");
            const QString why = QString::fromUtf8(error.what());
            complain(QCoreApplication::translate("Velmora", cannotAdd).arg(file, why));
            return finish("refused", exitstatus::Refused, QLatin1String(cannotAdd).arg(file, why));
        }
    }

    const prefs::IniFile preferences(m_folder.preferencesFile());
    const prefs::SavedChoices choices = prefs::ReadChoices(preferences, prefs::section::Main, prefs::DefaultAutoOpenDir);
    const QString output = m_request.output.isEmpty() ? choices.outputFile : fullPath(m_request.output);
    const QString tempDir = m_request.tempDir.isEmpty()
                                ? preferences.readString(prefs::section::Main, prefs::key::TempDir, m_folder.defaultTempDir())
                                : platform::IncludeBackslash(fullPath(m_request.tempDir));
    TerminalHost host(output, *profilePath, profile.outputExtension(), m_folder.defaultTempDir());
    const TerminalSettings settings(tempDir, m_request.rule.value_or(choices.rule()));
    job::EncoderRunner runner(m_folder.encoderPath());
    TerminalProgress progress(m_style, rows, stdout);
    m_seams.beforeWriting = [&progress] { progress.endLine(); };
    job::JobDriver driver(host, rows, profile, settings, runner, progress);

    QCoreApplication::processEvents();
    if (m_interrupted)
        return finish("stopped", exitstatus::Stopped);
    running = &driver;
    try {
        driver.tbtnStartClick();
    } catch (const std::exception &error) {
        running = nullptr;
        progress.endLine();
        const QString text = error.what();
        complain(text);
        return finish("failed", exitstatus::Failed, text);
    }
    running = nullptr;
    progress.endLine();
    m_elapsed = progress.elapsed();

    const job::JobReport &report = driver.report();
    switch (report.outcome) {
    case job::JobOutcome::Joined: {
        // The closing notice's first line is the success; what follows are warnings.
        QStringList lines = m_seams.completion.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!lines.isEmpty())
            lines.removeFirst();
        for (const QString &warning : std::as_const(lines))
            complain(QCoreApplication::translate("Velmora", "warning: ") + warning);
        if (m_style == TerminalProgress::Style::Plain || m_style == TerminalProgress::Style::Bar)
            WriteText(stdout, QCoreApplication::translate("Velmora", "Joined %1 files into %2 (%3 s).\n").arg(rows.count()).arg(report.output).arg(report.seconds, 0, 'f', 1));
        return finish("joined", exitstatus::Success, QString(), &report);
    }
    case job::JobOutcome::Stopped: return finish("stopped", exitstatus::Stopped);
    case job::JobOutcome::Refused: {
        QString text = m_seams.firstMessage;
        if (m_seams.declinedOverwrite) {
            static const char *const kept = QT_TRANSLATE_NOOP("Velmora", "%1 exists and is kept as it is. Join with --overwrite to replace it, "
                                                                         "or with --rename to join into a new name.");
            complain(QCoreApplication::translate("Velmora", kept).arg(host.outputFileText()));
            text = QLatin1String(kept).arg(host.outputFileText()); // scripts read the JSON line in English
        } else if (m_request.output.isEmpty() && output.isEmpty()) {
            complain(QCoreApplication::translate("Velmora", "Name the output file with --output."));
        }
        return finish("refused", m_interrupted ? exitstatus::Stopped : exitstatus::Refused, text);
    }
    case job::JobOutcome::Failed:
    case job::JobOutcome::None: break;
    }
    return finish("failed", m_interrupted ? exitstatus::Stopped : exitstatus::Failed, m_seams.firstMessage);
}

} // namespace

int RunTerminal(const QStringList &arguments, const QString &appDir)
{
    // A reader that goes away (velmora ... | head) ends the progress lines, not the job.
    std::signal(SIGPIPE, SIG_IGN);
    const TerminalRequest request = ParseTerminalRequest(arguments);
    switch (request.action) {
    case TerminalRequest::Action::Help: WriteText(stdout, TerminalHelp()); return exitstatus::Success;
    case TerminalRequest::Action::Version:
        WriteText(stdout, QStringLiteral("Velmora %1\n").arg(QStringLiteral(VELMORA_VERSION)));
        return exitstatus::Success;
    case TerminalRequest::Action::Wrong:
        complain(request.wrong + QCoreApplication::translate("Velmora", "\nSee velmora --help."));
        return exitstatus::Usage;
    case TerminalRequest::Action::ListProfiles: {
        const prefs::ProgramFolder folder(appDir, prefs::ProgramFolder::FirstStart::ReadShipped);
        for (const profiles::ProfileEntry &profile : profiles::discoverProfiles(folder.profilesDir()))
            WriteText(stdout, profile.name + QLatin1Char('\n'));
        return exitstatus::Success;
    }
    case TerminalRequest::Action::Join: break;
    }
    TerminalJoin join(request, appDir);
    return join.run();
}

} // namespace velmora::app
