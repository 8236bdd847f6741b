// huebird_icongen: writes Huebird's icon set into a folder: huebird-<size>.png for every size
// of the set, drawn by the same code the program draws its tray icon with.
//
//   huebird_icongen <icons-folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "ui/shell/AppIcon.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: huebird_icongen <icons-folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "huebird_icongen: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const int size : huebird::kAppIconSizes) {
        const QString file = QDir(folder).filePath(QStringLiteral("huebird-%1.png").arg(size));
        if (!huebird::AppIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "huebird_icongen: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
