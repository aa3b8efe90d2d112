#include "app/DesktopJob.h"
#include "app/Main.h"
#include "app/Program.h"
#include "app/TerminalJoin.h"
#include "app/TerminalOptions.h"
#include "platform/QtSeams.h"
#include "platform/TerminationSignals.h"
#include "platform/Translation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    velmora::platform::TerminationSignals::catchSignals();
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    // A join from a terminal, the profile list, the help and the version need no display:
    // they run on the core application alone.
    if (velmora::app::IsTerminalCommand(arguments)) {
        const QCoreApplication application(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("velmora"));
        velmora::platform::InstallTranslators(velmora::platform::TranslationsDir(QCoreApplication::applicationDirPath()));
        return velmora::app::RunTerminal(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath());
    }
    QApplication application(argc, argv);
    // The user's language, before the first window or text is made.
    velmora::platform::InstallTranslators(velmora::platform::TranslationsDir(QCoreApplication::applicationDirPath()));
    // The desktop groups the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName(velmora::app::DesktopFileId);
    velmora::platform::installQtSeams();
    velmora::app::Program program(QCoreApplication::applicationDirPath(), application.arguments().mid(1));
    velmora::platform::TerminationSignals termination;
    QObject::connect(&termination, &velmora::platform::TerminationSignals::terminationRequested, &program.MainForm(),
                     &velmora::app::TMainForm::closeFromOutside);
    program.show();
    return application.exec();
}
