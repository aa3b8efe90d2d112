#include "app/Program.h"
#include "platform/QtSeams.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    velmora::platform::installQtSeams();
    velmora::app::Program program(QCoreApplication::applicationDirPath(), application.arguments().mid(1));
    program.show();
    return application.exec();
}
