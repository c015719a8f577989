// A whole settings file of any content: reading every entry the game uses,
// writing and deleting sections never crash, what was written reads back,
// and the save keeps every other line of a text file, in its order; a file
// that is no text is copied aside as it was.
#include "store_files.h"

#include "store/settings_store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kApp = QStringLiteral("TaviqGame");

void check(bool ok)
{
    if (!ok)
        std::abort();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    check(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Whether the save may have rewritten the line: an entry whose key is
// Timelimit or Easy, or may read as one (a key with escapes or letters beyond
// ASCII).
bool mayBeWritten(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return false;
    const QByteArray key = line.first(equals).toByteArray().trimmed().toLower();
    return key == "timelimit" || key == "easy"
           || std::any_of(key.begin(), key.end(), [](char c) { return c == '%' || (c & 0x80); });
}

bool readsBack(const SettingsStore &store)
{
    return store.read(QStringLiteral("Taviqgame"), QStringLiteral("times"), QStringLiteral("TIMELIMIT"), {}) == u" 10"
           && store.read(kApp, QStringLiteral("NAMES"), QStringLiteral("easy"), {}) == u"Ann";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/taviq-fuzz-XXXXXX"));
    if (!dir.isValid())
        return 0;
    const QByteArray original(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const bool text = !original.contains('\0') && !original.startsWith("\xFF\xFE") && !original.startsWith("\xFE\xFF");
    SettingsStore store(dir.path());
    const QString path = store.filePath(kApp);
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly) && file.write(original) == original.size());
    }

    for (const char *section : {"Difficulty", "Times", "Names"}) {
        for (const char *key : {"Diff", "Timelimit", "Easy", "medium", "hard"})
            (void)store.read(kApp, QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("default"));
    }
    const QList<SettingsStore::Change> changes = {
        {QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 10")},
        {QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Ann")}};
    check(bool(store.write(kApp, changes)));
    check(readsBack(store) && readsBack(SettingsStore(dir.path())));

    const QByteArray saved = contents(path);
    if (text) {
        // Every line the save had no reason to touch is there, in its order.
        check(keepsLines(original, saved, mayBeWritten));
    } else {
        check(contents(path + QStringLiteral(".unreadable")) == original);
    }
    check(bool(store.write(kApp, changes)) && contents(path) == saved);
    check(!QFile::exists(path + QStringLiteral(".unreadable-2")));

    check(bool(store.deleteSections(kApp, {QStringLiteral("Names")})));
    check(store.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("none")) == u"none");
    return 0;
}
