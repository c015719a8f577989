#pragma once

#include "save_failure.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

// Enough of a file's state to tell that somebody has changed it.
struct FileStamp
{
    bool exists = false;
    quint64 device = 0, inode = 0;
    // The ctime changes with every write, rename or change of mode; nobody can set it.
    qint64 size = 0, modifiedNs = 0, changedNs = 0;
    bool operator==(const FileStamp &) const = default;
};
FileStamp stampOf(const QString &path);

// The regular file a path stands for past symbolic links, or the `problem`.
struct FileTarget
{
    QString path;
    bool exists = false;
    std::optional<SaveFailure> problem;
};
FileTarget resolveTarget(const QString &path);

// Reads a regular file whole into `bytes`; never blocks, opens nothing else.
std::optional<SaveFailure> readRegularFile(const QString &path, QByteArray &bytes);

// A QLockFile beside the file taken within `wait`, or why not; whatever at its
// path is not a regular file is removed first.
struct SaveLock
{
    std::unique_ptr<QLockFile> lock;
    std::optional<SaveFailure> failure;
};
SaveLock takeSaveLock(const QString &targetPath, std::chrono::milliseconds wait);

// Replaces the file's content, all or nothing: a checked file renamed over it.
std::optional<SaveFailure> replaceFileContent(const QString &targetPath, const QByteArray &bytes);

// Keeps `bytes` in a new file `<targetPath>.unreadable` (then "-2", ...).
std::optional<SaveFailure> copyAside(const QString &targetPath, const QByteArray &bytes, QString *copy);
