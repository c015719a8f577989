// A whole settings file of any content: reading every entry the game uses,
// writing, and deleting sections never crash, what was written reads back,
// and every entry of a section the game did not touch reads the same after
// the save as before it.
#include "store/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kApp = QStringLiteral("TaviqGame");

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Every section and key that QSettings finds in the file, as the store reads
// them from a folder of its own.
QList<std::pair<QString, QString>> entries(const QByteArray &bytes, const QString &folder, QStringList *values)
{
    QList<std::pair<QString, QString>> found;
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/taviqgame.ini");
    if (!put(path, bytes))
        return found;
    {
        QSettings settings(path, QSettings::IniFormat);
        for (const QString &group : settings.childGroups()) {
            settings.beginGroup(group);
            for (const QString &key : settings.childKeys())
                found.append({group, key});
            settings.endGroup();
        }
    }
    const SettingsStore store(folder);
    for (const auto &[section, key] : found)
        values->append(store.read(kApp, section, key, QStringLiteral("<none>")));
    return found;
}

bool touched(const QString &section)
{
    return section.compare(QStringLiteral("Times"), Qt::CaseInsensitive) == 0
           || section.compare(QStringLiteral("Names"), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int round = 0;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/taviq-fuzz-XXXXXX"));
    if (!dir.isValid())
        return 0;
    const QByteArray original(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    SettingsStore store(dir.filePath(QStringLiteral("store")));
    QDir().mkpath(store.folder());
    if (!put(store.filePath(kApp), original))
        return 0;

    const QString sections[] = {QStringLiteral("Difficulty"), QStringLiteral("Times"), QStringLiteral("Names")};
    const QString keys[] = {QStringLiteral("Diff"), QStringLiteral("Timelimit"), QStringLiteral("Easy"),
                            QStringLiteral("medium"), QStringLiteral("hard")};
    for (const QString &section : sections) {
        for (const QString &key : keys)
            (void)store.read(QStringLiteral("Taviqgame"), section, key, QStringLiteral("default"));
    }
    const bool saved = static_cast<bool>(store.write(
        kApp, {{QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 10")},
               {QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Ann")}}));
    if (saved && store.read(kApp, QStringLiteral("times"), QStringLiteral("TIMELIMIT"), QString()) != u" 10")
        std::abort();
    if (saved) {
        // What the file held outside the two sections reads the same.
        QFile file(store.filePath(kApp));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        QStringList before;
        QStringList after;
        const auto was = entries(original, dir.filePath(QStringLiteral("was%1").arg(++round)), &before);
        const auto is = entries(file.readAll(), dir.filePath(QStringLiteral("is%1").arg(round)), &after);
        for (qsizetype i = 0; i < was.size(); ++i) {
            // Only what the store can name: no empty names, no separators.
            const bool nameable = !was[i].first.isEmpty() && !was[i].second.isEmpty()
                                  && !was[i].first.contains(u'\\') && !was[i].second.contains(u'\\');
            if (touched(was[i].first) || !nameable)
                continue;
            const qsizetype j = is.indexOf(was[i]);
            if (j < 0 || after[j] != before[i])
                std::abort();
        }
        SettingsStore fresh(store.folder());
        if (fresh.read(kApp, QStringLiteral("Names"), QStringLiteral("easy"), QString()) != u"Ann")
            std::abort();
    }
    store.deleteSection(kApp, QStringLiteral("Names"));
    return 0;
}
