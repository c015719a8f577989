#pragma once

#include "save_failure.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>

// How a save ended.
struct SaveResult
{
    enum class Status {
        Saved,
        Missing, // none of the sections to delete is there: nothing to save
        Refused, // the save's own check failed on the file as it is
        Failed,  // the file holds what it held before
    };
    Status status = Status::Saved;
    std::optional<SaveFailure> failure;
    explicit operator bool() const { return status == Status::Saved; }
};

// The per-user store: application / section / key -> text, names compared
// without regard to case, one INI file per application, a save all or nothing
// changing only the lines it must (docs/settings-store.md). A failed write
// stays in force and is tried again at the next save; a failed deletion not.
class SettingsStore
{
public:
    // An entry to write, or a whole section to delete.
    struct Change
    {
        QString section, key, value;
        bool deleteSection = false;
    };
    // Whether a save still makes sense on the file as it is under the lock.
    using Reader = std::function<QString(const QString &section, const QString &key, const QString &defaultValue)>;
    using Check = std::function<bool(const Reader &)>;

    explicit SettingsStore(QString folder);
    ~SettingsStore();

    // "taviq" in $XDG_CONFIG_HOME (when absolute) or ~/.config.
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    QString filePath(const QString &application) const;

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue) const;
    // Reads the file again if another program has changed it since.
    void refresh(const QString &application);

    SaveResult write(const QString &application, const QString &section, const QString &key, const QString &value)
    {
        return write(application, {{section, key, value, false}});
    }
    // Saves every change at once, or none; with a check, only if it passes.
    SaveResult write(const QString &application, const QList<Change> &changes, const Check &check = {});
    // One save; Missing when none of the sections is there.
    SaveResult deleteSections(const QString &application, const QStringList &sections);

    struct Document;

private:
    Document &document(const QString &application) const;

    QString m_folder;
    mutable std::map<QString, std::unique_ptr<Document>> m_documents;
};
