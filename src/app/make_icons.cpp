// Writes the program's icon as PNG files for the desktop's icon theme, one a size:
// <folder>/<n>x<n>/apps/<name>.png. The build runs it; the install takes the folder.
#include "app/Artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <hicolor folder> <icon name>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder) || !velmora::app::applicationIconImage(size).save(folder + '/' + name + ".png")) {
            std::fprintf(stderr, "cannot write the %d pixel icon in %s\n", size, qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
