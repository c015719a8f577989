// A whole settings file of any content: reading every entry the game uses,
// writing, and deleting sections never crash, and what was written reads back.
#include "store/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString folder = QDir::tempPath() + QStringLiteral("/taviq-fuzz-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(folder);
    SettingsStore store(folder);
    const QString path = store.filePath(QStringLiteral("TaviqGame"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }

    const QString sections[] = {QStringLiteral("Difficulty"), QStringLiteral("Times"), QStringLiteral("Names")};
    const QString keys[] = {QStringLiteral("Diff"), QStringLiteral("Timelimit"), QStringLiteral("Easy"),
                            QStringLiteral("medium"), QStringLiteral("hard")};
    for (const QString &section : sections) {
        for (const QString &key : keys)
            (void)store.read(QStringLiteral("Taviqgame"), section, key, QStringLiteral("default"));
    }
    if (store.write(QStringLiteral("TaviqGame"), QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 10"))) {
        if (store.read(QStringLiteral("TaviqGame"), QStringLiteral("times"), QStringLiteral("TIMELIMIT"), QString())
            != QStringLiteral(" 10"))
            std::abort();
    }
    store.deleteSection(QStringLiteral("TaviqGame"), QStringLiteral("Names"));
    return 0;
}
