#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using What = SaveFailure::What;

// Larger files are no settings files the game wrote; they are left alone.
constexpr qint64 kLargestFile = qint64(1) << 30;
// A save holds the lock for well under this; a lock that tells no running
// holder of this machine and is older than this is taken over.
constexpr auto kStaleLock = 5s;

SaveFailure failed(What what, const QString &path, int error = 0)
{
    return {what, path, error ? QString::fromLocal8Bit(std::strerror(error)) : QString(), 0};
}

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

What kindOf(mode_t mode)
{
    return S_ISDIR(mode) ? What::IsFolder : S_ISFIFO(mode) ? What::IsPipe : S_ISSOCK(mode) ? What::IsSocket
         : S_ISCHR(mode) || S_ISBLK(mode) ? What::IsDevice : What::IsOther;
}

// Writes `bytes` into the new, empty file `fd`, syncs it, reads it back and
// closes it. Returns errno, or EIO when it does not read back as written.
int writeChecked(int fd, const QByteArray &bytes)
{
    QFile file;
    errno = 0;
    const bool written = file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)
                      && file.write(bytes) == bytes.size();
    int error = written ? 0 : errno ? errno : EIO;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (!error && !file.seek(0))
        error = EIO;
    for (QByteArrayView rest = bytes; !error;) {
        const QByteArray piece = file.read(1 << 16);
        if (!rest.startsWith(piece) || file.error() != QFileDevice::NoError || (piece.isEmpty() && !rest.isEmpty()))
            error = EIO;
        if (piece.isEmpty())
            break;
        rest = rest.sliced(piece.size());
    }
    if (!file.isOpen())
        ::close(fd);
    file.close();
    if (!error && file.error() != QFileDevice::NoError)
        error = EIO;
    return error;
}

// Why no lock file can be made, which QLockFile does not tell: a file made
// and written the same way, and removed again.
int lockError(const QByteArray &name)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    const int error = ::write(fd, "0\n", 2) == 2 && ::fsync(fd) == 0 ? EIO : errno;
    ::close(fd);
    ::unlink(name.constData());
    return error;
}

} // namespace

FileStamp stampOf(const QString &path)
{
    struct stat st {};
    if (::stat(encoded(path).constData(), &st) != 0)
        return {};
    return {true, quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

FileTarget resolveTarget(const QString &path)
{
    FileTarget target{path, false, {}};
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(encoded(target.path).constData(), &st) != 0) {
            if (errno != ENOENT)
                target.problem = failed(What::ReadFile, target.path, errno);
            return target;
        }
        if (!S_ISLNK(st.st_mode)) {
            target.exists = S_ISREG(st.st_mode);
            if (!target.exists)
                target.problem = failed(kindOf(st.st_mode), target.path);
            return target;
        }
        target.path = QFile::symLinkTarget(target.path);
        if (target.path.isEmpty())
            break;
    }
    target.problem = failed(What::LinksLeadNowhere, path);
    return target;
}

std::optional<SaveFailure> readRegularFile(const QString &path, QByteArray &bytes)
{
    // Not blocking: should a pipe have taken the file's place since it was
    // looked at, opening it must not wait for a writer.
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat st {};
    QFile file;
    std::optional<SaveFailure> failure;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        failure = failed(What::ReadFile, path, errno);
    else if (!S_ISREG(st.st_mode))
        failure = failed(kindOf(st.st_mode), path);
    else if (st.st_size >= kLargestFile || (bytes = file.readAll()).size() >= kLargestFile)
        failure = failed(What::TooLarge, path);
    else if (file.error() != QFileDevice::NoError)
        failure = failed(What::ReadFile, path);
    if (fd >= 0 && !file.isOpen())
        ::close(fd);
    return failure;
}

SaveLock takeSaveLock(const QString &targetPath, std::chrono::milliseconds wait)
{
    const QString lockPath = targetPath + QStringLiteral(".lock");
    const QByteArray name = encoded(lockPath);
    // Qt would wait for ever on a pipe there, and never take over a folder.
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)
        && (S_ISDIR(st.st_mode) ? ::rmdir(name.constData()) : ::unlink(name.constData())) != 0)
        return {nullptr, failed(What::ClearLock, lockPath, errno)};
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(kStaleLock);
    // Every 10 ms: Qt's wait doubles its pauses from 100 ms and misses gaps.
    for (const QDeadlineTimer deadline(wait); !lock->tryLock(0);) {
        if (lock->error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        QThread::msleep(10);
    }
    if (lock->isLocked())
        return {std::move(lock), std::nullopt};
    if (lock->error() != QLockFile::LockFailedError)
        return {nullptr, failed(What::TakeLock, lockPath,
                                lock->error() == QLockFile::PermissionError ? EACCES : lockError(name))};
    SaveFailure held = failed(What::LockHeld, lockPath);
    QString host, application;
    // A process of another machine is named by nothing here.
    if (!lock->getLockInfo(&held.holder, &host, &application) || host != QSysInfo::machineHostName())
        held.holder = 0;
    return {nullptr, held};
}

std::optional<SaveFailure> replaceFileContent(const QString &targetPath, const QByteArray &bytes)
{
    const QByteArray target = encoded(targetPath);
    // A file made read-only stays so, although its folder would let a new one replace it.
    if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return failed(What::WriteFile, targetPath, errno);
    // The temporary files of saves that were cut short go first.
    const QFileInfo info(targetPath);
    const QDir folder = info.absoluteDir();
    const QString prefix = u'.' + info.fileName() + u'.';
    const auto files = QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive;
    for (const QString &name : folder.entryList({prefix + QStringLiteral("??????")}, files)) {
        if (std::all_of(name.end() - 6, name.end(), [](QChar c) { return c < u'\x80' && c.isLetterOrNumber(); }))
            ::unlink(encoded(folder.filePath(name)).constData());
    }
    QByteArray temporary = encoded(folder.filePath(prefix + QStringLiteral("XXXXXX")));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failed(What::WriteFile, targetPath, errno);
    // The old file's mode, owner and group where this user may give them; else the umask's.
    struct stat old {};
    const bool hadOld = ::stat(target.constData(), &old) == 0;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    // Only root gives a file away: the saver's own file, then.
    if (hadOld && ::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {}
    ::fchmod(fd, hadOld ? old.st_mode & 07777 : 0666 & ~mask);
    int error = writeChecked(fd, bytes);
    const What what = error ? What::WriteFile : What::ReplaceFile;
    if (!error && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.constData());
        return failed(what, targetPath, error);
    }
    const int folderFd = ::open(encoded(folder.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return std::nullopt;
}

std::optional<SaveFailure> copyAside(const QString &targetPath, const QByteArray &bytes, QString *copy)
{
    for (int n = 1; n < 1000; ++n) {
        *copy = targetPath + QStringLiteral(".unreadable") + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        const int fd = ::open(encoded(*copy).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        const int error = fd < 0 ? errno : writeChecked(fd, bytes);
        if (error && fd >= 0)
            ::unlink(encoded(*copy).constData());
        return error ? std::optional(failed(What::CopyAside, *copy, error)) : std::nullopt;
    }
    return failed(What::CopyAside, targetPath, EEXIST);
}
