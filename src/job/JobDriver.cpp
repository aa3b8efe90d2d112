#include "job/JobDriver.h"

#include "job/CopyMatch.h"
#include "job/JobScope.h"
#include "job/JobTexts.h"
#include "job/OutputNames.h"
#include "job/Progress.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/Seams.h"
#include "prefs/GeneralSettings.h"
#include "profiles/OptionBuilder.h"
#include "profiles/OutputSettingsView.h"
#include "tasks/MediaProbe.h"
#include "tasks/RowTrim.h"
#include "tasks/TaskListView.h"
#include "tasks/TimeText.h"
#include "platform/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velmora::job {

namespace {

double durationOf(const tasks::ltvItemData &row)
{
    return std::max(0.0, row.LengthSeconds); // a length that does not read counts as nothing
}

bool hasContent(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

// A file's play time as the task list measures one; nothing when it does not read.
std::optional<double> playTime(const QString &path)
{
    try {
        const double seconds = tasks::TimeTextToSeconds(tasks::ProbeMedia(path).length);
        return seconds > 0 ? std::optional<double>(seconds) : std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

// More than this much shorter than expected, a file has lost part of its content.
constexpr double Shortfall = 0.5;
// And for each input of a join that copies (the inputs, or the parts), whose stated lengths
// may count sound that runs past the picture.
constexpr double CopyAllowance = 0.05;

QString seconds(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

JobDriver::JobDriver(JobHost &host, tasks::TaskListView &tasks, const profiles::OutputSettingsView &outputSettings,
                     const prefs::GeneralSettingsView &generalSettings, EncoderRunner &runner, ProgressView &display)
    : m_host(host)
    , m_tasks(tasks)
    , m_outputSettings(outputSettings)
    , m_generalSettings(generalSettings)
    , m_runner(runner)
    , m_display(display)
{
}

JobDriver::~JobDriver() = default;

bool JobDriver::requestStop()
{
    if (m_state != JobState::Running)
        return false;
    m_state = JobState::StopRequested;
    m_runner.TerminateEncoder();
    return true;
}

void JobDriver::tbtnStartClick()
{
    m_report = JobReport();
    QString output;
    if (!checksPass(output)) {
        if (m_report.outcome != JobOutcome::Stopped)
            m_report.outcome = JobOutcome::Refused;
        return;
    }
    JobScope scope(m_active, m_state, m_host, m_display, [this] {
        removeWorkFolder();
        ended();
    });
    if (!makeWorkFolder()) {
        m_report.outcome = JobOutcome::Refused;
        platform::messageBoxes().notice(m_host.ownerWindow(), platform::translated(texts::TempFolderTitle), platform::translated(texts::TempFolderText));
        return;
    }
    m_report.rows = m_tasks.count();
    m_began = true;
    m_host.jobBegins();
    const QString profilePath = m_host.selectedProfilePath();
    if (m_copying) {
        CopyJoinPass(output, profilePath);
        return;
    }
    // Each row is converted as the join would encode it, so the join only copies the parts.
    const EncoderArgs options = profiles::GetEncoderOptions(m_outputSettings, profilePath);
    m_partsCopied = PartsJoinByCopy(options.arguments(), m_host.outputExtension());
    if (ConversionPass(options) == Outcome::Done)
        JoinPass(output, profilePath);
}

bool JobDriver::checksPass(QString &output)
{
    QWidget *owner = m_host.ownerWindow();
    if (m_tasks.count() < 2) {
        platform::messageBoxes().notice(owner, platform::translated(texts::AddMoreTitle), platform::translated(texts::AddMoreText));
        return false;
    }
    m_host.focusTaskList();
    output = m_host.outputFileText();
    // The folder must be named in full: an empty or relative folder part would mean the
    // working folder, which the user never chose.
    const QString folder = platform::ExtractFilePath(output);
    if (folder.isEmpty() || QDir::isRelativePath(folder) || !QFileInfo(folder).isDir()) {
        platform::messageBoxes().notice(owner, platform::translated(texts::NoOutputPathTitle), platform::translated(texts::NoOutputPathText));
        m_host.focusOutputFile();
        return false;
    }
    if (platform::ExtractFileName(output).isEmpty()) {
        platform::messageBoxes().notice(owner, platform::translated(texts::NoFileNameTitle), platform::translated(texts::NoFileNameText));
        m_host.focusOutputFile();
        return false;
    }
    const QString extension = m_host.outputExtension();
    if (platform::ExtractFileExt(output).toLower() != extension.toLower()) {
        output += extension;
        m_host.setOutputFileText(output);
    }
    // A join that copies must find the rows alike before anything runs.
    m_copying = profiles::CopiesStreams(m_outputSettings, m_host.selectedProfilePath());
    if (m_copying) {
        QStringList inputs;
        QList<tasks::Trim> trims;
        for (int row = 0; row < m_tasks.count(); ++row) {
            tasks::ltvItemData data;
            m_tasks.GetTaskItem(row, tasks::field::All, data);
            inputs << data.InputFile;
            trims << tasks::TrimOf(data);
        }
        // A check of many files takes a while: the window stays served and Stop gives it up.
        m_host.LockControls();
        m_active = true;
        m_state = JobState::Running;
        const CopyMatch match = MatchForCopy(inputs, output, [this] { return m_state == JobState::StopRequested; }, trims);
        m_state = JobState::Idle;
        m_active = false;
        m_host.UnlockControls();
        if (match.stopped) {
            qCInfo(jobLog) << "The check before joining without re-encoding was stopped";
            m_report.outcome = JobOutcome::Stopped;
            return false;
        }
        if (!match.refusal.isEmpty()) {
            qCInfo(jobLog).noquote() << "Not joined without re-encoding:" << match.refusal;
            platform::messageBoxes().notice(owner, platform::translated(texts::CopyRefusedTitle), match.refusal);
            m_host.focusTaskList();
            return false;
        }
        // Nothing is left out, or comes back, without the user's word.
        if (!match.losses.isEmpty()) {
            qCInfo(jobLog).noquote() << "Joined without re-encoding, the output will differ:" << match.losses.join(QLatin1Char(' '));
            QStringList lines;
            for (const QString &loss : match.losses)
                lines << QStringLiteral("- ") + loss;
            if (!platform::messageBoxes().question(owner, platform::translated(texts::CopyLossesTitle), platform::translated(texts::CopyLossesText).arg(lines.join(QLatin1Char('\n'))))) {
                m_host.focusTaskList();
                return false;
            }
        }
        // The copy leaves out sound past each picture's end: the pictures' length is what
        // the output must play, within a little for each join.
        m_converted = match.pictureSeconds;
        m_allowance = Shortfall + CopyAllowance * m_tasks.count();
    }
    if (Occupied(output) && m_generalSettings.overwriteRule() == prefs::OverwriteRule::Ask
        && !platform::messageBoxes().question(owner, platform::translated(texts::FileExistsTitle), platform::translated(texts::FileExistsText))) {
        m_host.focusOutputFile();
        return false;
    }
    return true;
}

bool JobDriver::makeWorkFolder()
{
    // A private folder of the job's own inside the temporary folder, so that no file of
    // anyone else is ever touched; the program folder's "temp" when that fails.
    const QString text = m_generalSettings.tempDirText();
    if (text.trimmed().isEmpty())
        return false;
    for (const QString &base : {platform::IncludeBackslash(text), m_host.fallbackTempDir()}) {
        if (!QFileInfo(base).isDir())
            QDir().mkdir(base); // one level: the parent must exist
        if (!QFileInfo(base).isDir())
            continue;
        auto folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("velmora-job-XXXXXX"));
        if (folder->isValid()) {
            m_work = std::move(folder);
            return true;
        }
    }
    return false;
}

bool JobDriver::encoderIsOurOwn()
{
    // One that cannot run is left to the conversion to report.
    if (!QFileInfo(m_runner.program()).isExecutable())
        return false;
    PositionReader reader;
    const RunResult result = m_runner.RunEncoder({QStringLiteral("--version")}, reader, {}, m_host.ownerWindow());
    m_runner.TerminateEncoder();
    return result.succeeded() && result.output.startsWith("velmora-encoder (Velmora)");
}

RunResult JobDriver::runEncoder(const EncoderArgs &command, const std::function<void(double)> &onPosition)
{
    m_commandLine = QLatin1Char('"') + m_runner.program() + QLatin1Char('"') + command.text();
    qCInfo(jobLog).noquote() << "Running" << m_commandLine;
    qCInfo(jobLog) << "Arguments:" << command.arguments();
    const RunResult result = m_runner.RunEncoder(command.arguments(), m_reader, onPosition, m_host.ownerWindow());
    qCInfo(jobLog).noquote() << "The encoder" << result.describe();
    return result;
}

QString JobDriver::failureDetails(const RunResult &result, const QString &found) const
{
    QStringList parts{found, result.lastLines(), platform::translated(texts::CommandLineText).arg(m_commandLine)};
    parts.removeAll(QString());
    return parts.join(QLatin1Char('\n'));
}

QString JobDriver::intermediate(int row) const
{
    // Matroska keeps every picture's own time (B-frames' too) and the codecs' setup as written.
    return m_work->filePath(QString::number(row) + QStringLiteral(".mkv"));
}

void JobDriver::setStatus(int row, QLatin1String status)
{
    tasks::ltvItemData data;
    data.Status = platform::translated(status);
    m_tasks.SetTaskItem(row, tasks::field::Status, data);
}

void JobDriver::setAllStatuses(QLatin1String status)
{
    for (int row = 0; row < m_tasks.count(); ++row)
        setStatus(row, status);
}

void JobDriver::removeWorkFolder()
{
    if (m_work) {
        m_work->remove();
        m_work.reset();
    }
}

JobDriver::Outcome JobDriver::ConversionPass(const EncoderArgs &options)
{
    m_display.conversionBegins();
    m_state = JobState::Running;
    double done = 0;
    double total = 0;
    for (int row = 0; row < m_tasks.count(); ++row) {
        tasks::ltvItemData data;
        m_tasks.GetTaskItem(row, tasks::field::All, data);
        total += durationOf(data);
    }
    m_reader.beginPass(PositionReader::Pass::Conversion);
    m_converted = 0;
    m_shortInputs.clear();

    // Where the profile keeps the first video's shape, every part gets it: parts of one shape
    // join without being encoded again.
    QString shape;
    if (m_tasks.count() > 0) {
        tasks::ltvItemData first;
        m_tasks.GetTaskItem(0, tasks::field::All, first);
        shape = PictureShape(first.InputFile);
    }

    const int rows = m_tasks.count();
    // Where the profile's picture encoder can, the parts share the join's bitrate.
    std::optional<SharedRate> rate;
    std::optional<double> lastFactor;
    if (rows > 1 && encoderIsOurOwn()) {
        if (const std::optional<double> kbps = SharedPictureRate(options.arguments(), m_host.outputExtension())) {
            QList<double> lengths;
            for (int row = 0; row < rows; ++row) {
                tasks::ltvItemData data;
                m_tasks.GetTaskItem(row, tasks::field::All, data);
                lengths << durationOf(data);
            }
            rate.emplace(*kbps, lengths);
        }
    }

    for (int row = 0; row < rows; ++row) {
        QCoreApplication::processEvents();
        // A Stop pressed while no encoder ran: this row does not start.
        if (m_state == JobState::StopRequested) {
            cancelConversion(row);
            return Outcome::Ended;
        }
        tasks::ltvItemData data;
        m_tasks.GetTaskItem(row, tasks::field::All, data);
        const double duration = durationOf(data);
        setStatus(row, texts::StatusConverting);
        m_display.rowBegins(row, platform::ExtractFileName(data.InputFile));
        std::optional<double> factor;
        if (rate) {
            lookAt(*rate, row, data, options, shape);
            if (m_state == JobState::StopRequested) {
                cancelConversion(row);
                return Outcome::Ended;
            }
            factor = rate->factorFor(row);
            if (!factor && row == 0)
                rate.reset(); // every part at the fragment's bitrate: the parts must all be alike
            else if (!factor)
                factor = lastFactor;
            lastFactor = factor;
        }
        const EncoderArgs command = ConversionCommand(data.InputFile, intermediate(row), options, shape, factor, tasks::TrimOf(data));
        const RunResult result = runEncoder(command, [&](double position) {
            // Our own encoder makes parts that the join only copies: the conversion is nearly
            // all of the job.
            if (row == 0 && m_reader.ownEncoder() && m_partsCopied)
                m_display.conversionShare(CopyingJoinShare);
            m_display.conversionPosition(position, duration, done, total);
        });
        if (result.end == RunResult::End::CouldNotStart) {
            setStatus(row, texts::StatusFailed);
            endOrderly();
            return Outcome::Ended;
        }
        if (m_state == JobState::StopRequested) {
            cancelConversion(row);
            return Outcome::Ended;
        }
        if (!result.succeeded() || !hasContent(intermediate(row))) {
            setStatus(row, texts::StatusFailed);
            fail(texts::ConversionFailedTitle, platform::translated(texts::ConversionFailedText).arg(data.InputFile), failureDetails(result));
            return Outcome::Ended;
        }
        // Measured, not trusted: a damaged input converts to less than its listed length.
        const std::optional<double> converted = playTime(intermediate(row));
        if (!converted) {
            setStatus(row, texts::StatusFailed);
            fail(texts::ConversionFailedTitle, platform::translated(texts::ConversionFailedText).arg(data.InputFile),
                 failureDetails(result, platform::translated(texts::ConvertedUnreadableText)));
            return Outcome::Ended;
        }
        qCInfo(jobLog) << "Converted" << data.InputFile << "to" << *converted << "s of its" << duration << "s";
        m_converted += *converted;
        if (factor) {
            const std::optional<double> kbits = PictureKbits(intermediate(row));
            qCInfo(jobLog) << "Part" << row << "at rate factor" << *factor << "holds" << kbits.value_or(0) << "kbit of picture";
            rate->converted(row, *factor, *converted, kbits.value_or(0));
        }
        if (*converted < duration - Shortfall)
            m_shortInputs << platform::translated(texts::ShortInputText).arg(platform::ExtractFileName(data.InputFile), seconds(*converted), seconds(duration));
        done += duration;
        setStatus(row, texts::StatusWaiting);
        if (row != rows - 1)
            m_display.rowEnded();
        m_runner.TerminateEncoder();
    }
    return Outcome::Done;
}

void JobDriver::lookAt(SharedRate &rate, int row, const tasks::ltvItemData &data, const EncoderArgs &options, const QString &shape)
{
    const QString &input = data.InputFile;
    const double duration = durationOf(data);
    // Enough to know, and little enough to cost: the first row's look has nothing else to go
    // by, the later ones are measured against what the parts before them took.
    const double longest = row == 0 ? 3.0 : 1.0;
    const double seconds = std::min(longest, duration / 6);
    if (seconds < 0.2)
        return;
    const QString look = m_work->filePath(QStringLiteral("look.mkv"));
    const RunResult result =
        runEncoder(LookCommand(input, look, options, shape, seconds, SharedRate::Reference, tasks::TrimOf(data)), [](double) {});
    std::optional<double> kbits;
    if (result.succeeded() && m_state != JobState::StopRequested)
        kbits = PictureKbits(look);
    QFile::remove(look);
    m_runner.TerminateEncoder();
    qCInfo(jobLog) << "Looked at" << seconds << "s of" << input << ":" << result.describe() << kbits.value_or(0) << "kbit";
    if (kbits.has_value())
        rate.looked(row, seconds, kbits.value());
}

void JobDriver::JoinPass(const QString &output, const QString &profilePath)
{
    // The join goes on from the conversion's state: a Stop already asked for still counts.
    m_display.joinBegins();
    m_reader.beginPass(PositionReader::Pass::Join);
    double total = 0;
    QStringList files;
    for (int row = 0; row < m_tasks.count(); ++row) {
        QCoreApplication::processEvents();
        tasks::ltvItemData data;
        m_tasks.GetTaskItem(row, tasks::field::All, data);
        setStatus(row, texts::StatusJoining);
        total += durationOf(data);
        files << intermediate(row);
    }
    // A part's sound may run past its picture by up to a packet, which a join that copies leaves
    // out: a little for each part.
    m_allowance = Shortfall + CopyAllowance * m_tasks.count();
    const auto finalOutput = runJoin(files, output, profilePath, [&](double position) { m_display.joinPosition(position, total); });
    if (!finalOutput)
        return;
    for (int row = 0; row < m_tasks.count(); ++row) {
        QCoreApplication::processEvents();
        setStatus(row, texts::StatusComplete);
    }
    completionActions(*finalOutput);
}

void JobDriver::CopyJoinPass(const QString &output, const QString &profilePath)
{
    m_display.copyBegins();
    m_state = JobState::Running;
    m_reader.beginPass(PositionReader::Pass::Join);
    m_shortInputs.clear();
    QStringList files;
    QList<tasks::Trim> trims;
    QStringList names;
    QList<double> starts; // where each row begins in the join, by the listed lengths
    double total = 0;
    for (int row = 0; row < m_tasks.count(); ++row) {
        tasks::ltvItemData data;
        m_tasks.GetTaskItem(row, tasks::field::All, data);
        setStatus(row, texts::StatusWaiting);
        files << data.InputFile;
        trims << tasks::TrimOf(data);
        names << platform::ExtractFileName(data.InputFile);
        starts << total;
        total += durationOf(data);
    }
    starts << total;
    // Each row is "Joining" while the join is in it and "Complete" once the join is past it.
    int current = -1;
    const auto reach = [&](int row) {
        for (int done = std::max(current, 0); done < row; ++done)
            setStatus(done, texts::StatusComplete);
        current = row;
        setStatus(row, texts::StatusJoining);
        m_display.rowBegins(row, names.at(row));
    };
    reach(0);
    const auto finalOutput = runJoin(files, output, profilePath, [&](double position) {
        int row = current;
        while (row + 1 < names.size() && position >= starts.at(row + 1))
            ++row;
        if (row != current)
            reach(row);
        m_display.copyPosition(position, starts.at(current), starts.at(current + 1) - starts.at(current), total);
    }, trims);
    if (!finalOutput)
        return;
    for (int row = std::max(current, 0); row < m_tasks.count(); ++row)
        setStatus(row, texts::StatusComplete);
    m_display.rowBegins(static_cast<int>(names.size()) - 1, names.constLast());
    completionActions(*finalOutput);
}

std::optional<QString> JobDriver::runJoin(const QStringList &files, const QString &output, const QString &profilePath,
                        const std::function<void(double)> &onPosition, const QList<tasks::Trim> &trims)
{
    const EncoderArgs options = profiles::GetEncoderOptions(m_outputSettings, profilePath);
    if (m_state == JobState::StopRequested) {
        cancelJoin();
        return std::nullopt;
    }

    const QString finalOutput = Occupied(output) && m_generalSettings.overwriteRule() == prefs::OverwriteRule::Rename
                                    ? RenameTarget(output, m_host.outputExtension())
                                    : output;
    const QString joining = JoiningName(finalOutput);
    const RunResult result = runEncoder(JoinCommand(files, joining, options, trims), onPosition);
    if (result.end == RunResult::End::CouldNotStart) {
        QFile::remove(joining);
        setAllStatuses(texts::StatusFailed);
        endOrderly();
        return std::nullopt;
    }
    if (m_state == JobState::StopRequested) {
        QFile::remove(joining);
        cancelJoin();
        return std::nullopt;
    }
    if (!result.succeeded() || !hasContent(joining)) {
        QFile::remove(joining);
        setAllStatuses(texts::StatusFailed);
        fail(texts::JoiningFailedTitle, platform::translated(texts::JoiningFailedText).arg(finalOutput), failureDetails(result));
        return std::nullopt;
    }
    // The output must hold what went in before it takes the output's name: an encoder may end
    // well after a write that failed.
    const std::optional<double> joined = playTime(joining);
    if (!joined || *joined < m_converted - m_allowance) {
        QFile::remove(joining);
        setAllStatuses(texts::StatusFailed);
        const QString measured = joined ? platform::translated(texts::JoinedShortText).arg(seconds(*joined), seconds(m_converted))
                                        : platform::translated(texts::JoinedUnreadableText);
        fail(texts::JoiningFailedTitle, platform::translated(texts::JoiningFailedText).arg(finalOutput), failureDetails(result, measured));
        return std::nullopt;
    }
    // The joined file takes the output's name in one step, replacing a file the rule lets go.
    if (std::rename(QFile::encodeName(joining).constData(), QFile::encodeName(finalOutput).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        setAllStatuses(texts::StatusFailed);
        fail(texts::JoiningFailedTitle,
             platform::translated(texts::JoiningFailedText).arg(finalOutput) + QLatin1Char('\n') + platform::translated(texts::JoinedFileKeptText).arg(joining, reason),
             QString());
        return std::nullopt;
    }

    qCInfo(jobLog) << "Joined" << *joined << "s into" << finalOutput;
    m_report.output = finalOutput;
    m_report.seconds = *joined;
    m_display.joinCompleted();
    removeWorkFolder();
    return finalOutput;
}

void JobDriver::completionActions(const QString &finalOutput)
{
    m_report.outcome = JobOutcome::Joined;
    ended();
    if (m_generalSettings.turnOffComputer()) {
        platform::powerControl().powerOff();
        m_host.closeForJob();
        return;
    }
    if (m_generalSettings.exitProgram()) {
        m_host.closeForJob();
        return;
    }
    QString text = platform::translated(texts::CompleteText);
    for (const QString &shortInput : std::as_const(m_shortInputs))
        text += QLatin1Char('\n') + shortInput;
    platform::messageBoxes().notice(m_host.ownerWindow(), platform::translated(texts::CompleteTitle), text);
    if (m_generalSettings.openOutputFolder())
        platform::shell().open(OutputFolder(finalOutput));
    m_state = JobState::Idle;
    m_display.showOutputRow();
}

void JobDriver::cancelConversion(int row)
{
    qCInfo(jobLog) << "The conversion was stopped at row" << row;
    m_report.outcome = JobOutcome::Stopped;
    ended();
    m_display.stopTimer();
    setStatus(row, texts::StatusStop);
    removeWorkFolder();
    platform::messageBoxes().notice(m_host.ownerWindow(), platform::translated(texts::CancelTitle), platform::translated(texts::ConversionCanceledText));
    m_display.showOutputRow();
    // The state stays "stop requested" until the next Start.
}

void JobDriver::cancelJoin()
{
    qCInfo(jobLog) << "The join was stopped";
    m_report.outcome = JobOutcome::Stopped;
    ended();
    m_display.stopTimer();
    setAllStatuses(texts::StatusStop);
    removeWorkFolder();
    platform::messageBoxes().notice(m_host.ownerWindow(), platform::translated(texts::CancelTitle), platform::translated(texts::JoiningCanceledText));
    m_display.showOutputRow();
    m_state = JobState::Idle;
}

void JobDriver::fail(QLatin1String title, const QString &text, const QString &details)
{
    qCInfo(jobLog).noquote() << title << "-" << text;
    m_report.outcome = JobOutcome::Failed;
    m_report.failureTitle = platform::translated(title);
    m_report.failureText = text;
    ended();
    m_display.stopTimer();
    platform::messageBoxes().error(m_host.ownerWindow(), platform::translated(title), text, details);
    endOrderly();
}

void JobDriver::endOrderly()
{
    m_report.outcome = JobOutcome::Failed;
    ended();
    m_display.stopTimer();
    removeWorkFolder();
    m_display.showOutputRow();
    m_state = JobState::Idle;
}

void JobDriver::ended()
{
    if (!m_began)
        return;
    m_began = false;
    m_host.jobEnds(m_report);
}

} // namespace velmora::job
