#include "app/Main.h"
#include "app/Program.h"
#include "platform/QtSeams.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    velmora::platform::TerminationSignals::catchSignals();
    QApplication application(argc, argv);
    // The desktop groups the window with its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.velmora.Velmora"));
    velmora::platform::installQtSeams();
    velmora::app::Program program(QCoreApplication::applicationDirPath(), application.arguments().mid(1));
    velmora::platform::TerminationSignals termination;
    QObject::connect(&termination, &velmora::platform::TerminationSignals::terminationRequested, &program.MainForm(),
                     &velmora::app::TMainForm::closeFromOutside);
    program.show();
    return application.exec();
}
