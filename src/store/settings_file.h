#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

class QLockFile;

// The settings file on the disk: where its content really lives, reading it
// without ever blocking, the lock that keeps two copies of the game from
// saving at once, and replacing its content all or nothing. Every failure
// comes back with the system's reason.

// Enough of a file's state to tell that somebody has changed it.
struct FileStamp
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// The file that a settings path stands for: the path itself, or the file its
// symbolic links lead to (dotfile managers link settings files into place).
struct FileTarget
{
    enum class Kind { Missing, Regular, Other };
    QString path;
    Kind kind = Kind::Missing;
    // Why a target of another kind (a folder, a pipe, a device) is no
    // settings file.
    QString reason;
};
FileTarget resolveTarget(const QString &path);

struct FileRead
{
    enum class Outcome { Read, Absent, Refused };
    Outcome outcome = Outcome::Absent;
    QByteArray bytes;
    FileStamp stamp;
    QString reason;
};
// Reads a regular file whole. Anything else at the path (a pipe, a device, a
// socket, a folder) is never opened.
FileRead readSettingsFile(const FileTarget &target);
FileStamp stampOf(const QString &path);

// The lock of a save, taken within `wait`. A lock file whose holder no longer
// runs, or that is empty or unreadable, is broken at once. Where no lock can
// be made at all (a read-only folder), the save goes on without one.
class SaveLock
{
public:
    SaveLock(const QString &targetPath, std::chrono::milliseconds wait);
    ~SaveLock();
    SaveLock(const SaveLock &) = delete;
    SaveLock &operator=(const SaveLock &) = delete;

    // False when another program holds the lock: the save must wait for
    // another time.
    bool mayWrite() const { return m_refusal.isEmpty(); }
    QString refusal() const { return m_refusal; }
    // Why the save goes on without the lock, if it does.
    QString warning() const { return m_warning; }

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_refusal;
    QString m_warning;
};

// Makes `bytes` the content of the regular file `targetPath` (or creates it):
// a private temporary file next to it is written, flushed, checked for its
// size and read back, then renamed over it. Where the folder does not allow
// that, the file is written in place after its new size has been reserved.
// Returns the reason when the file could not be replaced; it then holds its
// old content byte for byte.
QString replaceFileContent(const QString &targetPath, const QByteArray &bytes);

// Keeps `bytes` in a new file next to `targetPath`, named after it with
// ".unreadable" (then "-2", "-3", ...). Returns the copy's path, or an empty
// text with `reason` set.
QString copyAside(const QString &targetPath, const QByteArray &bytes, QString *reason);
