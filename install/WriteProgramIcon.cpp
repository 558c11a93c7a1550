// reshaper-write-icon SIZE OUT.png: the program icon painted at one size, for the installed icon theme.
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "app/ui/ProgramPictures.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::fputs("usage: reshaper-write-icon SIZE OUT.png\n", stderr);
        return 2;
    }
    // A build step: no display is needed to paint into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage icon = ProgramIconImage(std::atoi(argv[1]));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "reshaper-write-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
