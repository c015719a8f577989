#include "settings_store.h"

#include "ini_text.h"
#include "settings_file.h"
#include "store_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrl>
#include <QVariant>

#include <optional>

namespace {

using namespace std::chrono_literals;

// How long a save waits for another copy of the game to finish its own.
constexpr auto kLockWait = 1000ms;

// A section as QSettings reads it: its name as spelled, and its own keys in
// QSettings' order.
struct Group
{
    QString name;
    QList<std::pair<QString, QVariant>> keys;
};
using Groups = QList<Group>;

struct ChangeSet
{
    QList<SettingsStore::Change> changes;
    SettingsStore::Check check;
    bool keepOnFailure = true;
    // A section that must be there for the save to make sense.
    QString requiredSection;
};

// The name as it already stands among `names`, or `name` itself when none
// matches without regard to case.
QString existingSpelling(const QStringList &names, const QString &name)
{
    for (const QString &candidate : names) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return name;
}

// Section and key names are used as they are; QSettings treats slashes and
// backslashes as separators, so they are kept out of names.
bool usableName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

QString asText(const QVariant &value, const QString &defaultValue)
{
    // A hand-written value with unquoted commas reads as a list: take it back
    // as the text that was written. Anything that is no text at all (a
    // rectangle, say) reads as the default.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (value.typeId() == QMetaType::QVariantList) {
        QStringList items;
        for (const QVariant &item : value.toList()) {
            if (item.typeId() != QMetaType::QString)
                return defaultValue;
            items << item.toString();
        }
        return items.join(QStringLiteral(", "));
    }
    if (value.isValid() && value.canConvert<QString>())
        return value.toString();
    return defaultValue;
}

// QSettings reads and writes only files, so the text it is to read goes to a
// private scratch file first.
class Scratch
{
public:
    explicit Scratch(const QByteArray &text)
        : m_file(QDir::tempPath() + QStringLiteral("/taviq-settings-XXXXXX.ini"))
    {
        m_ok = m_file.open() && m_file.write(text) == text.size() && m_file.flush();
        if (!m_ok)
            m_reason = m_file.errorString();
        m_file.close();
    }
    bool ok() const { return m_ok; }
    QString reason() const { return m_reason; }
    QString path() const { return m_file.fileName(); }
    QByteArray bytes()
    {
        QFile file(m_file.fileName());
        if (!file.open(QIODevice::ReadOnly)) {
            m_ok = false;
            m_reason = file.errorString();
            return {};
        }
        return file.readAll();
    }

private:
    QTemporaryFile m_file;
    bool m_ok = false;
    QString m_reason;
};

std::optional<Groups> parseSections(const QByteArray &text, QString *reason)
{
    Groups groups;
    if (text.trimmed().isEmpty())
        return groups;
    Scratch scratch(text);
    if (!scratch.ok()) {
        *reason = QStringLiteral("no room to read it: %1").arg(scratch.reason());
        return std::nullopt;
    }
    QSettings settings(scratch.path(), QSettings::IniFormat);
    for (const QString &name : settings.childGroups()) {
        Group group{name, {}};
        settings.beginGroup(name);
        for (const QString &key : settings.childKeys())
            group.keys.append({key, settings.value(key)});
        settings.endGroup();
        groups.append(group);
    }
    return groups;
}

// An entry as read from parsed sections: the first section and key that
// match without regard to case. Empty when there is none.
std::optional<QVariant> lookUp(const Groups &groups, const QString &section, const QString &key)
{
    for (const Group &group : groups) {
        if (group.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const auto &[name, value] : group.keys) {
            if (name.compare(key, Qt::CaseInsensitive) == 0)
                return value;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

// What the changes make of one entry: the value written last, or nothing when
// its section was deleted afterwards. Empty when the changes do not touch it.
std::optional<std::optional<QString>> changedEntry(const QList<ChangeSet> &sets, const QString &section,
                                                   const QString &key)
{
    std::optional<std::optional<QString>> result;
    for (const ChangeSet &set : sets) {
        for (const SettingsStore::Change &change : set.changes) {
            if (change.section.compare(section, Qt::CaseInsensitive) != 0)
                continue;
            if (change.deleteSection)
                result = std::optional<QString>();
            else if (change.key.compare(key, Qt::CaseInsensitive) == 0)
                result = std::optional<QString>(change.value);
        }
    }
    return result;
}

// Applies the changes to INI text through QSettings and gives the text it
// writes, after checking that every change reads back from it.
std::optional<QByteArray> applyChanges(const QByteArray &text, const QList<ChangeSet> &sets, QString *reason)
{
    Scratch scratch(text);
    if (!scratch.ok()) {
        *reason = QStringLiteral("no room to prepare it: %1").arg(scratch.reason());
        return std::nullopt;
    }
    {
        QSettings settings(scratch.path(), QSettings::IniFormat);
        // The scratch file is private: nothing is gained by replacing it
        // atomically, which would flush it to the disk.
        settings.setAtomicSyncRequired(false);
        for (const ChangeSet &set : sets) {
            for (const SettingsStore::Change &change : set.changes) {
                const QStringList groups = settings.childGroups();
                if (change.deleteSection) {
                    for (const QString &group : groups) {
                        if (group.compare(change.section, Qt::CaseInsensitive) == 0)
                            settings.remove(group);
                    }
                    continue;
                }
                const QString group = existingSpelling(groups, change.section);
                settings.beginGroup(group);
                settings.setValue(existingSpelling(settings.childKeys(), change.key), change.value);
                settings.endGroup();
            }
        }
        settings.sync();
    }
    const QByteArray written = scratch.bytes();
    if (!scratch.ok()) {
        *reason = scratch.reason();
        return std::nullopt;
    }
    const std::optional<Groups> back = parseSections(written, reason);
    if (!back)
        return std::nullopt;
    QList<SettingsStore::Change> all;
    for (const ChangeSet &set : sets)
        all += set.changes;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const SettingsStore::Change &change = all[i];
        bool same = true;
        if (change.deleteSection) {
            // Gone, unless a later change writes to the section again.
            bool rewritten = false;
            for (const SettingsStore::Change &later : all.sliced(i + 1))
                rewritten = rewritten || later.section.compare(change.section, Qt::CaseInsensitive) == 0;
            for (const Group &group : *back)
                same = same && (rewritten || group.name.compare(change.section, Qt::CaseInsensitive) != 0);
        } else {
            const auto expected = changedEntry(sets, change.section, change.key);
            const auto found = lookUp(*back, change.section, change.key);
            same = expected->has_value() ? found && asText(*found, QString()) == **expected : !found;
        }
        if (!same) {
            *reason = QStringLiteral("the entry %1/%2 would not read back").arg(change.section, change.key);
            return std::nullopt;
        }
    }
    return written;
}

void warn(const QString &what, const QString &path, const QString &reason)
{
    qCWarning(lcStore).noquote() << what << QDir::toNativeSeparators(path) + QStringLiteral(":") << reason;
}

} // namespace

struct SettingsStore::Document
{
    QString path;
    bool loaded = false;
    // What reading the file gave, and why it could not be read.
    FileRead::Outcome outcome = FileRead::Outcome::Absent;
    QString refusal;
    QString target;
    FileStamp stamp;
    QByteArray bytes;
    IniLayout layout;
    // The sections parsed so far, by name folded to lower case; for a file
    // that is not plain, the whole file under the empty name.
    std::map<QString, std::optional<Groups>> parsed;
    QString parseProblem;
    // Changes in force that the file does not hold yet.
    QList<ChangeSet> pending;

    void load(const FileTarget &where)
    {
        const FileRead file = readSettingsFile(where);
        loaded = true;
        outcome = file.outcome;
        refusal = file.reason;
        target = where.path;
        stamp = outcome == FileRead::Outcome::Read ? file.stamp : stampOf(where.path);
        bytes = file.bytes;
        layout = scanIni(bytes);
        parsed.clear();
        parseProblem.clear();
        if (outcome == FileRead::Outcome::Refused)
            warn(QStringLiteral("could not read"), path, refusal);
    }

    void ensureLoaded()
    {
        if (!loaded)
            load(resolveTarget(path));
    }

    // Byte ranges of the sections named `section` in a plain file.
    QList<std::pair<qsizetype, qsizetype>> ranges(const QString &section) const
    {
        QList<std::pair<qsizetype, qsizetype>> found;
        const auto &sections = layout.sections;
        for (qsizetype i = 0; i < sections.size(); ++i) {
            const auto &s = sections[i];
            if (!sameSectionName(QByteArrayView(bytes).sliced(s.nameBegin, s.nameLength), section))
                continue;
            const qsizetype end = i + 1 < sections.size() ? sections[i + 1].begin : bytes.size();
            found.append({s.begin, end - s.begin});
        }
        return found;
    }

    // The parsed sections that `section` may name; empty when the file could
    // not be parsed.
    const std::optional<Groups> &groups(const QString &section)
    {
        const QString name = layout.plain ? section.toCaseFolded() : QString();
        auto it = parsed.find(name);
        if (it != parsed.end())
            return it->second;
        QByteArray text;
        if (!layout.plain) {
            text = bytes;
        } else {
            for (const auto &[begin, length] : ranges(section))
                text += QByteArrayView(bytes).sliced(begin, length);
        }
        QString reason;
        auto result = parseSections(text, &reason);
        if (!result) {
            parseProblem = reason;
            warn(QStringLiteral("could not read"), path, reason);
        }
        return parsed.emplace(name, std::move(result)).first->second;
    }

    // The entry as the file holds it with `sets` applied on top.
    QString value(const QList<ChangeSet> &sets, const QString &section, const QString &key,
                  const QString &defaultValue)
    {
        if (!usableName(section) || !usableName(key))
            return defaultValue;
        if (const auto changed = changedEntry(sets, section, key))
            return changed->value_or(defaultValue);
        const auto &found = groups(section);
        const auto stored = found ? lookUp(*found, section, key) : std::nullopt;
        return stored ? asText(*stored, defaultValue) : defaultValue;
    }

    bool sectionExists(const QString &section)
    {
        bool exists = false;
        if (const auto &found = groups(section)) {
            for (const Group &group : *found)
                exists = exists || group.name.compare(section, Qt::CaseInsensitive) == 0;
        }
        for (const ChangeSet &set : pending) {
            for (const Change &change : set.changes) {
                if (change.section.compare(section, Qt::CaseInsensitive) == 0)
                    exists = !change.deleteSection;
            }
        }
        return exists;
    }

    // The file's new content with the change sets applied.
    std::optional<QByteArray> rewritten(const QList<ChangeSet> &sets, QString *reason)
    {
        if (!layout.plain) {
            if (!groups(QString())) {
                *reason = parseProblem;
                return std::nullopt;
            }
            return applyChanges(bytes, sets, reason);
        }
        // Only the sections that change go through QSettings; every other
        // line stays as it is.
        QStringList touched;
        for (const ChangeSet &set : sets) {
            for (const Change &change : set.changes) {
                if (!touched.contains(change.section, Qt::CaseInsensitive))
                    touched.append(change.section);
            }
        }
        QList<std::pair<qsizetype, qsizetype>> replaced;
        QByteArray text;
        for (const QString &section : touched) {
            if (!groups(section)) {
                *reason = parseProblem;
                return std::nullopt;
            }
            replaced += ranges(section);
        }
        std::sort(replaced.begin(), replaced.end());
        for (const auto &[begin, length] : replaced)
            text += QByteArrayView(bytes).sliced(begin, length);
        auto sections = applyChanges(text, sets, reason);
        if (!sections)
            return std::nullopt;

        QByteArray result;
        result.reserve(bytes.size() + sections->size() + 1);
        qsizetype from = 0;
        bool inserted = false;
        const auto insert = [&] {
            if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
                result += '\n';
            result += *sections;
            inserted = true;
        };
        for (const auto &[begin, length] : replaced) {
            result += QByteArrayView(bytes).sliced(from, begin - from);
            if (!inserted)
                insert();
            from = begin + length;
        }
        result += QByteArrayView(bytes).sliced(from);
        if (!inserted)
            insert();
        return result;
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
    const QString base = !configured.isEmpty() && QDir::isAbsolutePath(configured)
                             ? configured
                             : QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base) + QStringLiteral("/taviq");
}

QString SettingsStore::filePath(const QString &application) const
{
    // One file per application; the file name is lower-cased so that every
    // spelling of the application name finds the same file.
    QString name = QString::fromLatin1(
        QUrl::toPercentEncoding(application.toLower(), QByteArray(), QByteArrayLiteral("./~%")));
    if (name.isEmpty())
        name = QStringLiteral("default");
    return m_folder + u'/' + name + QStringLiteral(".ini");
}

SettingsStore::Document &SettingsStore::document(const QString &application) const
{
    const QString path = filePath(application);
    auto &slot = m_documents[path];
    if (!slot) {
        slot = std::make_unique<Document>();
        slot->path = path;
    }
    slot->ensureLoaded();
    return *slot;
}

QString SettingsStore::read(const QString &application, const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    Document &doc = document(application);
    return doc.value(doc.pending, section, key, defaultValue);
}

namespace {

// The change sets that pass their checks on the file as `doc` holds it now,
// each on top of the ones before it. Sets that fail are left out; the new
// set's fate is told in `newRefused`.
QList<ChangeSet> passingSets(SettingsStore::Document &doc, const QList<ChangeSet> &sets, const ChangeSet *newSet,
                             bool *newRefused)
{
    QList<ChangeSet> passed;
    for (const ChangeSet &set : sets) {
        const SettingsStore::Reader reader = [&](const QString &section, const QString &key,
                                                 const QString &defaultValue) {
            return doc.value(passed, section, key, defaultValue);
        };
        if (!set.check || set.check(reader)) {
            passed.append(set);
        } else if (&set == newSet) {
            *newRefused = true;
        } else {
            warn(QStringLiteral("did not save a change kept since a failed save of"), doc.path,
                 QStringLiteral("the file holds another value now"));
        }
    }
    return passed;
}

} // namespace

void SettingsStore::refresh(const QString &application)
{
    Document &doc = document(application);
    const FileTarget where = resolveTarget(doc.path);
    if (where.path == doc.target && stampOf(where.path) == doc.stamp)
        return;
    doc.load(where);
    bool unused = false;
    doc.pending = passingSets(doc, doc.pending, nullptr, &unused);
}

namespace {

SaveResult save(SettingsStore::Document &doc, const ChangeSet &set)
{
    const auto fail = [&](const QString &reason, const QList<ChangeSet> &kept) {
        warn(QStringLiteral("could not save"), doc.path, reason);
        doc.pending.clear();
        for (const ChangeSet &one : kept) {
            if (one.keepOnFailure)
                doc.pending.append(one);
        }
        return SaveResult{SaveResult::Status::Failed, reason};
    };
    const QList<ChangeSet> before = doc.pending + QList<ChangeSet>{set};
    for (const SettingsStore::Change &change : set.changes) {
        if (!usableName(change.section) || (!change.deleteSection && !usableName(change.key)))
            return fail(QStringLiteral("an entry is badly named"), doc.pending);
    }
    if (!QDir().mkpath(QFileInfo(doc.path).absolutePath()))
        return fail(QStringLiteral("its folder cannot be made"), before);

    FileTarget where = resolveTarget(doc.path);
    if (where.kind == FileTarget::Kind::Other)
        return fail(where.reason, before);
    const SaveLock lock(where.path, kLockWait);
    if (!lock.mayWrite())
        return fail(lock.refusal(), before);
    if (!lock.warning().isEmpty())
        qCWarning(lcStore).noquote() << lock.warning();

    // Another copy of the game may have saved since the file was read.
    where = resolveTarget(doc.path);
    if (where.path != doc.target || stampOf(where.path) != doc.stamp)
        doc.load(where);
    if (doc.outcome == FileRead::Outcome::Refused)
        return fail(doc.refusal, before);

    if (!set.requiredSection.isEmpty() && !doc.sectionExists(set.requiredSection))
        return {SaveResult::Status::Missing, {}};
    bool refused = false;
    const QList<ChangeSet> passed = passingSets(doc, before, &before.last(), &refused);
    const SaveResult done{refused ? SaveResult::Status::Refused : SaveResult::Status::Saved, {}};
    if (passed.isEmpty()) {
        doc.pending.clear();
        return done;
    }

    QString reason;
    const std::optional<QByteArray> content = doc.rewritten(passed, &reason);
    if (!content)
        return fail(reason, passed);
    QString copy;
    if (!doc.layout.carriesOver && doc.outcome == FileRead::Outcome::Read) {
        // What the store cannot carry over is kept once, before the new
        // content replaces it.
        copy = copyAside(where.path, doc.bytes, &reason);
        if (copy.isEmpty())
            return fail(QStringLiteral("its unreadable content could not be copied aside: %1").arg(reason), passed);
    }
    reason = replaceFileContent(where.path, *content);
    if (!reason.isEmpty()) {
        // The file keeps its content, so it needs no copy yet.
        if (!copy.isEmpty())
            QFile::remove(copy);
        return fail(reason, passed);
    }
    if (!copy.isEmpty()) {
        qCWarning(lcStore).noquote() << "kept what could not be read of" << QDir::toNativeSeparators(doc.path)
                                     << "in" << QDir::toNativeSeparators(copy);
    }

    doc.pending.clear();
    doc.outcome = FileRead::Outcome::Read;
    doc.refusal.clear();
    doc.target = where.path;
    doc.stamp = stampOf(where.path);
    doc.bytes = *content;
    doc.layout = scanIni(doc.bytes);
    doc.parsed.clear();
    doc.parseProblem.clear();
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

SaveResult SettingsStore::deleteSection(const QString &application, const QString &section)
{
    Document &doc = document(application);
    if (!usableName(section) || !doc.sectionExists(section))
        return {SaveResult::Status::Missing, {}};
    // A deletion that could not be saved is taken back, so that nobody is
    // shown the scores as erased while the file still holds them.
    return save(doc, {{{section, QString(), QString(), true}}, {}, false, section});
}
