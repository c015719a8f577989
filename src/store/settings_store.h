#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user persistent store: application / section / key -> text.
//
// Each application is one INI file in the store's folder. Application, section
// and key names compare without regard to letter case; an entry keeps the
// spelling it was first written with. Every write reaches the disk before the
// call returns. Whatever the file holds, reading never fails: content that is
// not a text reads as the text it stands for, or as the default.
class SettingsStore
{
public:
    // A store kept in `folder` (created on the first write).
    explicit SettingsStore(QString folder);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The per-user folder the game uses: "taviq" in the user's configuration
    // folder (XDG_CONFIG_HOME, ~/.config by default).
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    // The file that holds the entries of `application`.
    QString filePath(const QString &application) const;

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue) const;
    // False, with a line on standard error, when the value could not be saved.
    bool write(const QString &application, const QString &section, const QString &key,
               const QString &value);
    // False when there was no such section (nothing changes) or when the file
    // could not be changed (reported on standard error).
    bool deleteSection(const QString &application, const QString &section);

private:
    QString m_folder;
};
