// Build helper: writes the game's icon as PNG files in the usual sizes of the
// freedesktop icon theme:  write_icons OUTPUT_FOLDER
#include "windows/game_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcIcons, "game.icons")

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        qCCritical(lcIcons, "usage: write_icons OUTPUT_FOLDER");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder) || !gameIconImage(size).save(folder + QStringLiteral("/org.example.TaviqGame.png"))) {
            qCCritical(lcIcons, "could not write the %dx%d icon", size, size);
            return 1;
        }
    }
    return 0;
}
