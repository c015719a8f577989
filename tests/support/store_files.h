#pragma once

// Files for the tests that keep a settings store: scratch folders, whole
// files read and written, copies that a fresh store parses anew, and a file's
// lines.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>


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

// The lines of a text, each without its line end: LF, CR LF or a lone CR.
inline QList<QByteArrayView> linesOf(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        lines.append(bytes.sliced(begin, i - begin));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < bytes.size())
        lines.append(bytes.sliced(begin));
    return lines;
}

// Whether every line of `before` but those `edited` stands in `after`, in
// the same order. A UTF-8 byte order mark that starts either text marks its
// encoding and is no part of its first line.
template <typename Edited>
inline bool keepsLines(QByteArrayView before, QByteArrayView after, Edited edited)
{
    const auto text = [](QByteArrayView bytes) {
        return bytes.startsWith(QByteArrayView("\xEF\xBB\xBF")) ? bytes.sliced(3) : bytes;
    };
    const QList<QByteArrayView> now = linesOf(text(after));
    qsizetype at = 0;
    for (const QByteArrayView line : linesOf(text(before))) {
        if (edited(line))
            continue;
        while (at < now.size() && now[at] != line)
            ++at;
        if (at++ == now.size())
            return false;
    }
    return true;
}
