#pragma once

// Files for the tests that keep a settings store: scratch folders, whole
// files read and written, copies that a fresh store parses anew, and every
// entry of a settings file as a settings reader finds it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>

// A template for QTemporaryDir. Every save of the store reaches the disk
// before it returns, which costs tens of milliseconds on a real disk: the
// folders live in memory where the system offers such a place.
inline QString scratchTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/taviq-test-XXXXXX");
}

// The whole file; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Writes the whole file, creating its folder.
inline bool putFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

// Copies the files of `from` into the folder `to` and returns `to`. A store
// on the copy parses its file afresh: a file already opened in this process
// under its own path would be served from memory.
inline QString copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files | QDir::Hidden)) {
        QFile::remove(to + u'/' + name);
        QFile::copy(source.filePath(name), to + u'/' + name);
    }
    return to;
}

// Everything in a folder, hidden files included, by name.
inline QStringList folderContents(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// --- A settings file as a settings reader finds it ---------------------------

// Everything a settings reader finds in a file: each key path ("Group/key")
// with its value, and whether the file parsed cleanly.
struct IniEntries
{
    QMap<QString, QVariant> values;
    QSettings::Status status = QSettings::NoError;
    bool readable = false;
    // Whether the file held paths that name nothing (no empty group or key
    // name may be asked for, so they are left out of `values`), and what they
    // come to with the empty names left out: a writer may keep them in that
    // form.
    bool unaddressable = false;
    QStringList collapsed;
};

inline IniEntries readIniEntries(const QString &path)
{
    IniEntries entries;
    QTemporaryDir dir(scratchTemplate());
    const QString copy = dir.filePath(QFileInfo(path).fileName());
    if (!dir.isValid() || !QFileInfo(path).isFile() || !putFile(copy, fileBytes(path)))
        return entries;
    QSettings settings(copy, QSettings::IniFormat);
    for (const QString &key : settings.allKeys()) {
        const QStringList parts = key.split(u'/');
        if (key.isEmpty() || parts.contains(QString())) {
            entries.unaddressable = true;
            entries.collapsed << key.split(u'/', Qt::SkipEmptyParts).join(u'/');
            continue;
        }
        // A list of texts, whichever of the two list types the reader made.
        QVariant value = settings.value(key);
        if (value.typeId() == QMetaType::QVariantList) {
            const QVariantList items = value.toList();
            if (std::all_of(items.cbegin(), items.cend(),
                            [](const QVariant &item) { return item.typeId() == QMetaType::QString; }))
                value = value.toStringList();
        }
        entries.values.insert(key, value);
    }
    // Groups are parsed as they are first asked for: the status is complete
    // only now.
    entries.status = settings.status();
    entries.readable = true;
    return entries;
}

// A value as a text, the way a reader of texts takes it: a value with commas
// reads as a list and stands for its items joined by ", ".
inline QString valueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
