#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <functional>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger files are no settings files the game wrote; they are left alone.
constexpr qint64 kLargestFile = qint64(1) << 30;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

FileStamp stampFrom(const struct stat &st)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<quint64>(st.st_dev);
    stamp.inode = static_cast<quint64>(st.st_ino);
    stamp.size = static_cast<qint64>(st.st_size);
    stamp.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("the settings file is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("the settings file is a pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("the settings file is a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("the settings file is a device");
    return QStringLiteral("the settings file is not a regular file");
}

bool writeAll(int fd, const char *data, qint64 size, qint64 offset, int *error)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, static_cast<size_t>(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? errno : EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// Reads the open file back and compares it with what was written.
QString checkWritten(int fd, const QByteArray &bytes)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return systemReason(errno);
    if (st.st_size != bytes.size())
        return QStringLiteral("the file came out %1 bytes long instead of %2").arg(st.st_size).arg(bytes.size());
    QByteArray back(bytes.size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < back.size()) {
        const ssize_t n = ::pread(fd, back.data() + done, static_cast<size_t>(back.size() - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemReason(errno);
        if (n == 0)
            break;
        done += n;
    }
    if (done != back.size() || back != bytes)
        return QStringLiteral("the file read back is not what was written");
    return {};
}

// Writes `bytes` at the start of the open file, takes the further step
// `adjust` (which returns non-zero, with errno set, when it fails), flushes the
// file to the disk, reads it back and closes it. Returns why it failed.
QString writeChecked(int fd, const QByteArray &bytes, const std::function<int()> &adjust)
{
    QString reason;
    int error = 0;
    if (!writeAll(fd, bytes.constData(), bytes.size(), 0, &error))
        reason = systemReason(error);
    if (reason.isEmpty() && adjust() != 0)
        reason = systemReason(errno);
    if (reason.isEmpty() && ::fsync(fd) != 0)
        reason = systemReason(errno);
    if (reason.isEmpty())
        reason = checkWritten(fd, bytes);
    if (::close(fd) != 0 && reason.isEmpty())
        reason = systemReason(errno);
    return reason;
}

// Writes the file over its old content, for a folder in which no new file can
// be made. The new size is reserved first, so that a full disk stops the save
// before a byte of the old content is lost.
QString writeInPlace(const QString &targetPath, const QByteArray &bytes)
{
    const int fd = ::open(encoded(targetPath).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return systemReason(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return QStringLiteral("the settings file is not a regular file");
    }
    if (!bytes.isEmpty()) {
        const int reserved = ::posix_fallocate(fd, 0, bytes.size());
        if (reserved != 0) {
            ::close(fd);
            return systemReason(reserved);
        }
    }
    return writeChecked(fd, bytes, [&] { return ::ftruncate(fd, bytes.size()); });
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileTarget resolveTarget(const QString &path)
{
    FileTarget target{path, FileTarget::Kind::Missing, {}};
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(encoded(target.path).constData(), &st) != 0) {
            if (errno != ENOENT) {
                target.kind = FileTarget::Kind::Other;
                target.reason = systemReason(errno);
            }
            return target;
        }
        if (S_ISREG(st.st_mode)) {
            target.kind = FileTarget::Kind::Regular;
            return target;
        }
        if (!S_ISLNK(st.st_mode)) {
            target.kind = FileTarget::Kind::Other;
            target.reason = kindOf(st.st_mode);
            return target;
        }
        const QString link = QFile::symLinkTarget(target.path);
        if (link.isEmpty())
            break;
        target.path = link;
    }
    target.kind = FileTarget::Kind::Other;
    target.reason = QStringLiteral("the settings file's symbolic links lead nowhere");
    return target;
}

FileStamp stampOf(const QString &path)
{
    struct stat st {};
    if (::stat(encoded(path).constData(), &st) != 0)
        return {};
    return stampFrom(st);
}

FileRead readSettingsFile(const FileTarget &target)
{
    FileRead result;
    if (target.kind == FileTarget::Kind::Missing)
        return result;
    result.outcome = FileRead::Outcome::Refused;
    if (target.kind == FileTarget::Kind::Other) {
        result.reason = target.reason;
        return result;
    }
    // Not blocking: should a pipe have taken the file's place since it was
    // looked at, opening it must not wait for a writer.
    const int fd = ::open(encoded(target.path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        result.reason = systemReason(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.reason = kindOf(st.st_mode);
        ::close(fd);
        return result;
    }
    if (st.st_size > kLargestFile) {
        result.reason = QStringLiteral("the settings file is larger than 1 GiB");
        ::close(fd);
        return result;
    }
    QByteArray bytes(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since it was measured.
            if (bytes.size() >= kLargestFile)
                break;
            bytes.resize(bytes.size() + 4096);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.reason = systemReason(errno);
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    ::close(fd);
    result.outcome = FileRead::Outcome::Read;
    result.bytes = std::move(bytes);
    result.stamp = stampFrom(st);
    return result;
}

SaveLock::SaveLock(const QString &targetPath, std::chrono::milliseconds wait)
{
    const QString lockPath = targetPath + QStringLiteral(".lock");
    const QByteArray name = encoded(lockPath);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0) {
        qint64 pid = 0;
        QString host;
        QString application;
        // A lock file that tells who holds it is left to QLockFile, which
        // breaks it when its holder no longer runs. Anything else there (an
        // empty or unreadable file, a folder, a pipe) is no lock of ours.
        const bool telling = S_ISREG(st.st_mode) && QLockFile(lockPath).getLockInfo(&pid, &host, &application);
        if (!telling && (S_ISDIR(st.st_mode) ? ::rmdir(name.constData()) : ::unlink(name.constData())) != 0) {
            m_warning = QStringLiteral("saved without the lock %1, which could not be removed: %2")
                            .arg(QDir::toNativeSeparators(lockPath), systemReason(errno));
            return;
        }
    }
    m_lock = std::make_unique<QLockFile>(lockPath);
    // Only a holder that is still running keeps the lock, however old it is.
    m_lock->setStaleLockTime(std::chrono::milliseconds::zero());
    if (m_lock->tryLock(wait))
        return;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host;
        QString application;
        m_lock->getLockInfo(&pid, &host, &application);
        m_refusal = QStringLiteral("another program (process %1) is saving the settings file").arg(pid);
        break;
    }
    case QLockFile::PermissionError:
        // Nobody can lock a file in a folder nobody may write to.
        break;
    default:
        m_warning = QStringLiteral("saved without the lock %1, which could not be made")
                        .arg(QDir::toNativeSeparators(lockPath));
        break;
    }
    m_lock.reset();
}

SaveLock::~SaveLock() = default;

QString replaceFileContent(const QString &targetPath, const QByteArray &bytes)
{
    // A file its owner has made read-only stays as it is, although its
    // folder would let a new file take its place.
    if (::faccessat(AT_FDCWD, encoded(targetPath).constData(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return systemReason(errno);
    const QFileInfo info(targetPath);
    const QString folder = info.absolutePath();
    QByteArray pattern = encoded(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if ((error == EACCES || error == EPERM || error == EROFS) && info.isFile())
            return writeInPlace(targetPath, bytes);
        return systemReason(error);
    }
    // The new file is readable as the old one was; a new one as the user's
    // files usually are.
    struct stat old;
    mode_t mode = 0;
    if (::stat(encoded(targetPath).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    QString reason = writeChecked(fd, bytes, [&] { return ::fchmod(fd, mode); });
    if (reason.isEmpty() && ::rename(pattern.constData(), encoded(targetPath).constData()) != 0)
        reason = systemReason(errno);
    if (!reason.isEmpty()) {
        ::unlink(pattern.constData());
        return reason;
    }
    syncFolder(folder);
    return {};
}

QString copyAside(const QString &targetPath, const QByteArray &bytes, QString *reason)
{
    for (int n = 1; n < 1000; ++n) {
        const QString copy = targetPath + QStringLiteral(".unreadable")
                             + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        const int fd = ::open(encoded(copy).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            *reason = systemReason(errno);
            return {};
        }
        const QString problem = writeChecked(fd, bytes, [] { return 0; });
        if (!problem.isEmpty()) {
            ::unlink(encoded(copy).constData());
            *reason = problem;
            return {};
        }
        return copy;
    }
    *reason = QStringLiteral("no free name for the copy");
    return {};
}
