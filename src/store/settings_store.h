#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <memory>

// How a save ended.
struct SaveResult
{
    enum class Status {
        Saved,
        // Deleting a section that is not there.
        Missing,
        // The save's own check found that it no longer made sense: nothing
        // was written.
        Refused,
        // The file could not be written; it holds what it held before.
        Failed,
    };
    Status status = Status::Saved;
    // Why a save failed, in the system's words.
    QString reason;
    explicit operator bool() const { return status == Status::Saved; }
};

// The per-user persistent store: application / section / key -> text.
//
// Each application is one INI file in the store's folder. Application, section
// and key names compare without regard to letter case; an entry keeps the
// spelling it was first written with. The file is read once, when first
// needed, and reads are served from that copy. Every save takes the file's
// lock, reads the file again if another program changed it, applies only the
// changes this store made, and replaces the file all or nothing before it
// returns. Sections the game does not touch are kept byte for byte where the
// file allows it; QSettings reads and writes the rest.
//
// A save that fails is reported on standard error (category "game.store").
// Its changes stay in force for this run: reads see them, and the next save
// tries them again, unless the save was a section's deletion.
class SettingsStore
{
public:
    // One entry to write, or, with deleteSection set, a whole section to delete.
    struct Change
    {
        QString section;
        QString key;
        QString value;
        bool deleteSection = false;
    };
    // Reads an entry as the file holds it when a save runs.
    using Reader = std::function<QString(const QString &section, const QString &key, const QString &defaultValue)>;
    // Decides, under the save's lock and on the file as it is then, whether a
    // save still makes sense.
    using Check = std::function<bool(const Reader &)>;

    // A store kept in `folder` (created on the first save).
    explicit SettingsStore(QString folder);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The per-user folder the game uses: "taviq" in the user's configuration
    // folder ($XDG_CONFIG_HOME when that is an absolute path, else
    // ~/.config).
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    // The file that holds the entries of `application`.
    QString filePath(const QString &application) const;

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue) const;
    // Reads the file again if another program has changed it since.
    void refresh(const QString &application);

    SaveResult write(const QString &application, const QString &section, const QString &key,
                     const QString &value);
    // Saves every change at once, or none. With a check, the save goes ahead
    // only if the check passes on the file as it is under the lock; a failed
    // save keeps its changes in force as any other does.
    SaveResult write(const QString &application, const QList<Change> &changes, const Check &check = {});
    // Missing when there is no such section. A deletion that cannot be saved
    // is taken back.
    SaveResult deleteSection(const QString &application, const QString &section);

    struct Document;

private:
    Document &document(const QString &application) const;

    QString m_folder;
    mutable std::map<QString, std::unique_ptr<Document>> m_documents;
};
