#include "app/TerminalOptions.h"

#include <QCoreApplication>
#include <QCommandLineParser>

#include <array>

namespace velmora::app {

namespace {

struct Options
{
    QCommandLineOption join{QStringLiteral("join"), QCoreApplication::translate("Velmora", "Join the inputs into one file, without a window.")};
    QCommandLineOption profile{QStringLiteral("profile"),
                               QCoreApplication::translate("Velmora", "The output profile: a name as the Profile list shows it (letter case does not "
                                              "matter) or a .bpf file. Default: the profile last chosen in the window."),
                               QStringLiteral("NAME|FILE.bpf")};
    QCommandLineOption output{QStringLiteral("output"),
                              QCoreApplication::translate("Velmora", "The output file; its extension follows the profile's type. Default: the "
                                             "output file last used in the window."),
                              QStringLiteral("FILE")};
    QCommandLineOption overwrite{QStringLiteral("overwrite"), QCoreApplication::translate("Velmora", "Replace an output file that exists.")};
    QCommandLineOption rename{QStringLiteral("rename"),
                              QCoreApplication::translate("Velmora", "When the output file exists, join into a new name that counts up.")};
    QCommandLineOption keep{QStringLiteral("keep"),
                            QCoreApplication::translate("Velmora", "When the output file exists, leave it and do not join (exit status 3). Without "
                                           "one of these three, the rule of the settings applies, with Ask taken as --keep.")};
    QCommandLineOption acceptLosses{QStringLiteral("accept-losses"),
                                    QCoreApplication::translate("Velmora", "Join without re-encoding even where the output cannot hold everything as the "
                                                   "inputs do (a track its type cannot hold, a clip cut between key pictures); "
                                                   "what differs is said on standard error. Without it, such a join is refused "
                                                   "(exit status 3).")};
    QCommandLineOption tempDir{QStringLiteral("temp-dir"),
                               QCoreApplication::translate("Velmora", "The folder for the converted intermediates. Default: the settings' "
                                              "temporary folder."),
                               QStringLiteral("DIR")};
    QCommandLineOption progress{QStringLiteral("progress"),
                                QCoreApplication::translate("Velmora", "How progress shows: auto (a bar on a terminal, plain lines otherwise), "
                                               "bar, plain, json (one object a line) or none (errors only)."),
                                QStringLiteral("MODE"), QStringLiteral("auto")};
    QCommandLineOption list{QStringLiteral("list"), QCoreApplication::translate("Velmora", "Join the files a list file names, one path a line."),
                            QStringLiteral("FILE.tmp")};
    QCommandLineOption listProfiles{QStringLiteral("list-profiles"), QCoreApplication::translate("Velmora", "Print the profiles' names, one a line.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("Velmora", "Print this help.")};
    QCommandLineOption version{QStringLiteral("version"), QCoreApplication::translate("Velmora", "Print the program's version.")};

    std::array<const QCommandLineOption *, 13> all() const
    {
        return {&join, &profile, &output, &overwrite, &rename, &keep, &acceptLosses, &tempDir, &progress, &list, &listProfiles, &help, &version};
    }

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(QCoreApplication::translate("Velmora", "Velmora joins several video files into one."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const QCommandLineOption *option : all())
            parser.addOption(*option);
        parser.addPositionalArgument(QStringLiteral("INPUT"), QCoreApplication::translate("Velmora", "Videos or folders of videos, in the order to join."),
                                     QStringLiteral("[INPUT...]"));
    }
};

TerminalRequest wrong(const QString &text)
{
    TerminalRequest request;
    request.action = TerminalRequest::Action::Wrong;
    request.wrong = text;
    return request;
}

std::optional<ProgressMode> progressMode(const QString &text)
{
    const std::array<std::pair<const char *, ProgressMode>, 5> modes = {{{"auto", ProgressMode::Auto},
                                                                          {"bar", ProgressMode::Bar},
                                                                          {"plain", ProgressMode::Plain},
                                                                          {"json", ProgressMode::Json},
                                                                          {"none", ProgressMode::None}}};
    for (const auto &[name, mode] : modes) {
        if (text == QLatin1String(name))
            return mode;
    }
    return std::nullopt;
}

} // namespace

bool IsTerminalCommand(const QStringList &arguments)
{
    const Options options;
    for (const QString &argument : arguments) {
        for (const QCommandLineOption *option : options.all()) {
            for (const QString &name : option->names()) {
                const QString written = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
                if (argument == written || (name.size() > 1 && argument.startsWith(written + QLatin1Char('='))))
                    return true;
            }
        }
    }
    return false;
}

TerminalRequest ParseTerminalRequest(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    if (!parser.parse(QStringList{QStringLiteral("velmora")} + arguments))
        return wrong(parser.errorText());

    TerminalRequest request;
    if (parser.isSet(options.help)) {
        request.action = TerminalRequest::Action::Help;
        return request;
    }
    if (parser.isSet(options.version)) {
        request.action = TerminalRequest::Action::Version;
        return request;
    }
    const bool joining = parser.isSet(options.join);
    if (parser.isSet(options.listProfiles)) {
        if (joining || !parser.positionalArguments().isEmpty())
            return wrong(QCoreApplication::translate("Velmora", "--list-profiles takes nothing else."));
        request.action = TerminalRequest::Action::ListProfiles;
        return request;
    }
    if (!joining)
        return wrong(QCoreApplication::translate("Velmora", "These options belong to --join."));

    request.action = TerminalRequest::Action::Join;
    for (const QCommandLineOption *single : {&options.profile, &options.output, &options.tempDir, &options.progress, &options.list}) {
        if (parser.values(*single).size() > 1)
            return wrong(QCoreApplication::translate("Velmora", "--%1 is given more than once.").arg(single->names().constLast()));
    }
    int rules = 0;
    for (const auto &[option, rule] : {std::pair{&options.overwrite, prefs::OverwriteRule::Overwrite},
                                       std::pair{&options.rename, prefs::OverwriteRule::Rename},
                                       std::pair{&options.keep, prefs::OverwriteRule::Ask}}) {
        if (parser.isSet(*option)) {
            request.rule = rule;
            ++rules;
        }
    }
    if (rules > 1)
        return wrong(QCoreApplication::translate("Velmora", "Choose one of --overwrite, --rename and --keep."));
    const auto mode = progressMode(parser.value(options.progress));
    if (!mode)
        return wrong(QCoreApplication::translate("Velmora", "--progress takes auto, bar, plain, json or none, not \"%1\".").arg(parser.value(options.progress)));
    request.progress = *mode;
    request.acceptLosses = parser.isSet(options.acceptLosses);
    request.profile = parser.value(options.profile);
    request.output = parser.value(options.output);
    request.tempDir = parser.value(options.tempDir);
    request.listFile = parser.value(options.list);
    request.inputs = parser.positionalArguments();
    if (parser.isSet(options.profile) && request.profile.isEmpty())
        return wrong(QCoreApplication::translate("Velmora", "--profile names no profile."));
    if (parser.isSet(options.output) && request.output.isEmpty())
        return wrong(QCoreApplication::translate("Velmora", "--output names no file."));
    if (parser.isSet(options.tempDir) && request.tempDir.isEmpty())
        return wrong(QCoreApplication::translate("Velmora", "--temp-dir names no folder."));
    if (parser.isSet(options.list) && !request.inputs.isEmpty())
        return wrong(QCoreApplication::translate("Velmora", "Name the inputs or a list file, not both."));
    if (!parser.isSet(options.list) && request.inputs.isEmpty())
        return wrong(QCoreApplication::translate("Velmora", "Name the videos to join, or a list file with --list."));
    return request;
}

QString TerminalHelp()
{
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    QString text = parser.helpText();
    text.remove(0, text.indexOf(QLatin1Char('\n')) + 1); // Qt's own usage line, which knows one form only
    text.prepend(QCoreApplication::translate("Velmora", "Usage: velmora --join [options] INPUT... | --list FILE.tmp\n"
                                "       velmora --list-profiles\n"
                                "       velmora --help | --version\n"
                                "       velmora [FILE|FOLDER]...   (the window, with these in its task list)\n"));
    text += QCoreApplication::translate("Velmora", "\nExit status:\n"
                           "  0    joined, and the output plays as long as the inputs\n"
                           "  1    the join failed\n"
                           "  2    wrong usage, an unknown profile or an input that does not exist\n"
                           "  3    refused before it began: the output exists, the inputs do not match a\n"
                           "       profile that copies (or it cannot keep all they hold, without\n"
                           "       --accept-losses), fewer than two inputs, no output folder\n"
                           "  130  stopped by Ctrl+C (SIGINT) or SIGTERM\n");
    return text;
}

} // namespace velmora::app
