#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <map>
#include <optional>
#include <vector>

// A settings file as its bytes and an index of its section headers. Lines end
// with LF, CR LF or a lone CR; they are "[section]" headers (a ';' comment
// may follow), "key=value" entries, and comments or anything else, kept and
// ignored. Names compare without regard to case; of an entry found more than
// once, in any section of its name, the last counts. An edit changes only the
// lines it must, and a new line ends as the lines around it do.
class IniDocument
{
public:
    IniDocument() = default;
    explicit IniDocument(QByteArray bytes);

    // No NUL byte, no UTF-16 byte-order mark.
    static bool isText(QByteArrayView bytes);

    const QByteArray &bytes() const { return m_bytes; }

    // The entry's text, or nothing when it is absent or cannot be read.
    std::optional<QString> value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;

    // Replaces the entry that counts; a new key goes after the last entry of
    // the last section of its name, a new section at the end. Both say
    // whether the bytes changed.
    bool set(const QString &section, const QString &key, const QString &value);
    // Removes the headers and entries of every section of the name.
    bool removeSections(const QString &section);

private:
    enum class Kind { Header, Entry, Other };
    // A line by its byte offsets: [begin, next) whole, [text, end) without
    // the line end (and a byte-order mark).
    struct Line
    {
        qsizetype begin = 0;
        qsizetype text = 0;
        qsizetype end = 0;
        qsizetype next = 0;
        Kind kind = Kind::Other;
        QByteArrayView name;
        QByteArrayView value;
    };

    void index();
    Line lineAt(qsizetype begin) const;
    // Where the headers of the sections of that name begin.
    const std::vector<quint32> &sections(const QString &section) const;
    // Where the section under a header ends: the next header or the end.
    qsizetype sectionEnd(quint32 header) const;
    // The entry that counts, if any.
    std::optional<Line> entry(const QString &section, const QString &key) const;
    void replace(qsizetype from, qsizetype to, const QByteArray &with);

    QByteArray m_bytes;
    // Byte offsets: no file the store reads reaches 1 GiB.
    std::vector<quint32> m_headers;
    mutable std::map<QString, std::vector<quint32>> m_sections;
};
