#include "settings_store.h"

#include "ini_document.h"
#include "settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>

#include <utility>

namespace {

using namespace std::chrono_literals;

// Failed saves and reads and copies aside, on standard error as "game.store: ...".
Q_LOGGING_CATEGORY(lcStore, "game.store")

// How long a save waits for another copy of the game to finish its own, so
// that a read and a save together never take two seconds.
constexpr auto kLockWait = 1500ms;

void warn(const char *what, const QString &path, const QString &reason)
{
    qCWarning(lcStore).noquote() << what << QDir::toNativeSeparators(path) + u':' << reason;
}

} // namespace

QString SaveFailure::logText(const QString &file) const
{
    static const char *const steps[] = {
        "the folder could not be made", "it could not be read", "it is a folder", "it is a pipe",
        "it is a socket", "it is a device", "it is not a regular file", "its symbolic links lead nowhere",
        "it is larger than 1 GiB", "the lock's path could not be cleared", "the lock could not be made",
        "the lock is held", "its content could not be copied aside", "it could not be written",
        "it could not be replaced",
    };
    QString text = QLatin1StringView(steps[int(what)]);
    if (path != file)
        text += QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(path));
    if (holder)
        text += QStringLiteral(" by process %1").arg(holder);
    return detail.isEmpty() ? text : text + QStringLiteral(": ") + detail;
}

// One save's changes, kept in force until the file holds them.
struct ChangeSet
{
    QList<SettingsStore::Change> changes;
    SettingsStore::Check check;
    // A deletion that cannot be saved is taken back, so that nobody is shown
    // the scores as erased while the file still holds them.
    bool keepOnFailure = true;
};

struct SettingsStore::Document
{
    QString path;
    // The file as read: its path past links, its stamp, why it was unreadable, bytes that are no text.
    QString target;
    FileStamp stamp;
    std::optional<SaveFailure> unreadable;
    QByteArray notText;
    // The file's lines with the changes not saved yet made to them.
    IniDocument ini;
    QList<ChangeSet> pending;
    bool unsaved = false;

    void load(const FileTarget &where)
    {
        QByteArray bytes;
        target = where.path;
        stamp = stampOf(where.path);
        unreadable = where.problem ? where.problem : where.exists ? readRegularFile(where.path, bytes) : std::nullopt;
        const bool text = !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF") && !bytes.contains('\0');
        notText = text ? QByteArray() : bytes;
        ini = IniDocument(text ? std::move(bytes) : QByteArray());
        unsaved = false;
        if (unreadable)
            warn("could not read", path, unreadable->logText(path));
        for (const ChangeSet &set : std::exchange(pending, {})) {
            if (!apply(set))
                warn("dropped a change kept since a failed save of", path, QStringLiteral("the file differs now"));
        }
    }

    // Makes the changes of `set` if its check passes on the lines as they are.
    bool apply(const ChangeSet &set)
    {
        const Reader reader = [this](const QString &section, const QString &key, const QString &defaultValue) {
            return ini.value(section, key).value_or(defaultValue);
        };
        if (set.check && !set.check(reader))
            return false;
        for (const Change &change : set.changes) {
            unsaved |= change.deleteSection ? ini.removeSections(change.section)
                                            : ini.set(change.section, change.key, change.value);
        }
        pending.append(set);
        return true;
    }

    bool changedSince(const FileTarget &where) const
    {
        return unreadable || where.path != target || stampOf(where.path) != stamp;
    }

    bool hasAny(const QStringList &sections) const
    {
        return std::any_of(sections.begin(), sections.end(), [&](const QString &s) { return ini.hasSection(s); });
    }
};

SettingsStore::SettingsStore(QString folder) : m_folder(std::move(folder)) {}
SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFolder()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base = QDir::isAbsolutePath(configured) ? configured : QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base) + QStringLiteral("/taviq");
}

QString SettingsStore::filePath(const QString &application) const
{
    // One file per application, named in lower case so that every spelling
    // of the application's name finds it.
    const QString name = QString::fromLatin1(QUrl::toPercentEncoding(application.toLower(), {}, "./~%"));
    return m_folder + u'/' + (name.isEmpty() ? QStringLiteral("default") : name) + QStringLiteral(".ini");
}

SettingsStore::Document &SettingsStore::document(const QString &application) const
{
    const QString path = filePath(application);
    auto &slot = m_documents[path];
    if (!slot) {
        slot = std::make_unique<Document>();
        slot->path = path;
        slot->load(resolveTarget(path));
    }
    return *slot;
}

QString SettingsStore::read(const QString &application, const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    return document(application).ini.value(section, key).value_or(defaultValue);
}

void SettingsStore::refresh(const QString &application)
{
    Document &doc = document(application);
    const FileTarget where = resolveTarget(doc.path);
    if (doc.changedSince(where))
        doc.load(where);
}

namespace {

// Saves `set` with the changes kept from failed saves; a deletion only when
// one of the `required` sections is there.
SaveResult save(SettingsStore::Document &doc, const ChangeSet &set, const QStringList &required = {})
{
    FileTarget where;
    // Before the file is edited in memory, the changes stay in force; after,
    // the file is read back as it still is.
    const auto fail = [&](const SaveFailure &failure, bool edited = false) {
        warn("could not save", doc.path, failure.logText(doc.path));
        doc.pending.removeIf([](const ChangeSet &one) { return !one.keepOnFailure; });
        if (edited)
            doc.load(where);
        else if (set.keepOnFailure)
            doc.apply(set);
        return SaveResult{SaveResult::Status::Failed, failure};
    };
    const QString folder = QFileInfo(doc.path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail({SaveFailure::What::MakeFolder, folder, {}, 0});
    where = resolveTarget(doc.path);
    if (where.problem)
        return fail(*where.problem);
    const SaveLock lock = takeSaveLock(where.path, kLockWait);
    if (lock.failure)
        return fail(*lock.failure);
    // Another copy of the game may have saved since the file was read.
    where = resolveTarget(doc.path);
    if (doc.changedSince(where))
        doc.load(where);
    if (doc.unreadable)
        return fail(*doc.unreadable);
    if (!required.isEmpty() && !doc.hasAny(required))
        return {SaveResult::Status::Missing, {}};
    const SaveResult done{doc.apply(set) ? SaveResult::Status::Saved : SaveResult::Status::Refused, {}};
    if (!doc.unsaved) {
        doc.pending.clear();
        return done;
    }
    // A file that is no text is kept once, before new content replaces it.
    QString copy;
    std::optional<SaveFailure> failure;
    if (!doc.notText.isEmpty())
        failure = copyAside(where.path, doc.notText, &copy);
    if (!failure && (failure = replaceFileContent(where.path, doc.ini.bytes())) && !copy.isEmpty())
        QFile::remove(copy);
    if (failure)
        return fail(*failure, true);
    if (!copy.isEmpty())
        warn("kept what could not be read of", doc.path, QStringLiteral("in ") + QDir::toNativeSeparators(copy));
    doc.pending.clear();
    doc.target = where.path;
    doc.stamp = stampOf(where.path);
    doc.notText.clear();
    doc.unsaved = false;
    return done;
}

} // namespace

SaveResult SettingsStore::write(const QString &application, const QList<Change> &changes, const Check &check)
{
    return save(document(application), {changes, check, true});
}

SaveResult SettingsStore::deleteSections(const QString &application, const QStringList &sections)
{
    // Asked again under the lock, should another copy have saved meanwhile.
    refresh(application);
    if (!document(application).hasAny(sections))
        return {SaveResult::Status::Missing, {}};
    QList<Change> changes;
    for (const QString &section : sections)
        changes.append({section, {}, {}, true});
    return save(document(application), {changes, {}, false}, sections);
}
