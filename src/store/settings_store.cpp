#include "settings_store.h"

#include "ini_document.h"
#include "settings_file.h"
#include "store_log.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

using namespace std::chrono_literals;

// How long a save waits for another copy of the game to finish its own, so
// that a read and a save together never take two seconds.
constexpr auto kLockWait = 1500ms;

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

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
    bool keepOnFailure = true;
    // Sections of which one must be there for the save to make sense.
    QStringList requiredSections;
};

struct SettingsStore::Document
{
    QString path;
    // The file as read: where it lives, its stamp, why it could not be read,
    // and the bytes of a file that is no text, to be kept aside.
    QString target;
    FileStamp stamp;
    std::optional<SaveFailure> unreadable;
    QByteArray notText;
    IniDocument ini;
    QList<ChangeSet> pending;

    void load(const FileTarget &where)
    {
        FileRead file = readSettingsFile(where);
        target = where.path;
        stamp = file.stamp;
        unreadable = file.failure;
        const bool text = IniDocument::isText(file.bytes);
        notText = text ? QByteArray() : file.bytes;
        ini = IniDocument(text ? std::move(file.bytes) : QByteArray());
        if (unreadable)
            warn("could not read", path, unreadable->logText(path));
    }

    // The entry as the file holds it with `sets` applied on top.
    QString value(const QList<ChangeSet> &sets, const QString &section, const QString &key,
                  const QString &defaultValue) const
    {
        std::optional<std::optional<QString>> changed;
        for (const ChangeSet &set : sets) {
            for (const Change &change : set.changes) {
                if (sameName(change.section, section) && (change.deleteSection || sameName(change.key, key)))
                    changed = change.deleteSection ? std::nullopt : std::optional(change.value);
            }
        }
        return changed ? changed->value_or(defaultValue) : ini.value(section, key).value_or(defaultValue);
    }

    bool sectionExists(const QString &section) const
    {
        bool exists = ini.hasSection(section);
        for (const ChangeSet &set : pending) {
            for (const Change &change : set.changes)
                exists = sameName(change.section, section) ? !change.deleteSection : exists;
        }
        return exists;
    }

    // The sets that pass their checks on the file as it is now, each on top
    // of those before it; `refused` tells whether `last` failed its own.
    QList<ChangeSet> passing(const QList<ChangeSet> &sets, const ChangeSet *last, bool *refused) const
    {
        QList<ChangeSet> passed;
        for (const ChangeSet &set : sets) {
            const Reader reader = [&](const QString &section, const QString &key, const QString &defaultValue) {
                return value(passed, section, key, defaultValue);
            };
            if (!set.check || set.check(reader))
                passed.append(set);
            else if (&set == last)
                *refused = true;
            else
                warn("dropped a change kept since a failed save of", path, QStringLiteral("the file differs now"));
        }
        return passed;
    }
};

SettingsStore::SettingsStore(QString folder)
    : m_folder(std::move(folder))
{
}

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
    const Document &doc = document(application);
    return doc.value(doc.pending, section, key, defaultValue);
}

void SettingsStore::refresh(const QString &application)
{
    Document &doc = document(application);
    const FileTarget where = resolveTarget(doc.path);
    if (!doc.unreadable && where.path == doc.target && stampOf(where.path) == doc.stamp)
        return;
    doc.load(where);
    bool refused = false;
    doc.pending = doc.passing(doc.pending, nullptr, &refused);
}

namespace {

SaveResult save(SettingsStore::Document &doc, const ChangeSet &set)
{
    const QList<ChangeSet> before = doc.pending + QList<ChangeSet>{set};
    const auto fail = [&](const SaveFailure &failure, const QList<ChangeSet> &kept) {
        warn("could not save", doc.path, failure.logText(doc.path));
        doc.pending.clear();
        for (const ChangeSet &one : kept) {
            if (one.keepOnFailure)
                doc.pending.append(one);
        }
        return SaveResult{SaveResult::Status::Failed, failure};
    };
    const QString folder = QFileInfo(doc.path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail({SaveFailure::What::MakeFolder, folder, {}, 0}, before);
    FileTarget where = resolveTarget(doc.path);
    if (where.problem)
        return fail(*where.problem, before);
    const SaveLock lock(where.path, kLockWait);
    if (lock.failure())
        return fail(*lock.failure(), before);
    // Another copy of the game may have saved since the file was read.
    where = resolveTarget(doc.path);
    if (doc.unreadable || where.path != doc.target || stampOf(where.path) != doc.stamp)
        doc.load(where);
    if (doc.unreadable)
        return fail(*doc.unreadable, before);

    const QStringList &required = set.requiredSections;
    if (!required.isEmpty() && std::none_of(required.begin(), required.end(), [&](const QString &section) {
            return doc.sectionExists(section);
        }))
        return {SaveResult::Status::Missing, {}};
    bool refused = false;
    const QList<ChangeSet> passed = doc.passing(before, &before.last(), &refused);
    const SaveResult done{refused ? SaveResult::Status::Refused : SaveResult::Status::Saved, {}};
    // The file is edited in memory, without a copy of a large one; a save
    // that fails reads it back as it still is.
    bool changed = !passed.isEmpty() && !doc.notText.isEmpty();
    for (const ChangeSet &one : passed) {
        for (const SettingsStore::Change &change : one.changes) {
            changed |= change.deleteSection ? doc.ini.removeSections(change.section)
                                            : doc.ini.set(change.section, change.key, change.value);
        }
    }
    if (!changed) {
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
    if (failure) {
        doc.load(where);
        return fail(*failure, passed);
    }
    if (!copy.isEmpty())
        warn("kept what could not be read of", doc.path, QStringLiteral("in ") + QDir::toNativeSeparators(copy));
    doc.pending.clear();
    doc.target = where.path;
    doc.stamp = stampOf(where.path);
    doc.notText.clear();
    return done;
}

} // namespace

SaveResult SettingsStore::write(const QString &application, const QString &section, const QString &key,
                                const QString &value)
{
    return write(application, {{section, key, value, false}});
}

SaveResult SettingsStore::write(const QString &application, const QList<Change> &changes, const Check &check)
{
    return save(document(application), {changes, check, true, {}});
}

SaveResult SettingsStore::deleteSections(const QString &application, const QStringList &sections)
{
    // Asked again under the lock, should another copy have saved meanwhile.
    refresh(application);
    Document &doc = document(application);
    if (std::none_of(sections.begin(), sections.end(), [&](const QString &s) { return doc.sectionExists(s); }))
        return {SaveResult::Status::Missing, {}};
    QList<Change> changes;
    for (const QString &section : sections)
        changes.append({section, {}, {}, true});
    // A deletion that cannot be saved is taken back, so that nobody is shown
    // the scores as erased while the file still holds them.
    return save(doc, {changes, {}, false, sections});
}
