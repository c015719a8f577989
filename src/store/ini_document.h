#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <map>
#include <optional>
#include <vector>

// A settings file as its bytes and an index of its section headers: lines of
// "[section]" headers, "key=value" entries and anything else, kept and
// ignored. Of an entry found more than once the last counts. An edit changes
// only the lines it must (docs/settings-store.md).
class IniDocument
{
public:
    IniDocument() = default;
    explicit IniDocument(QByteArray bytes) : m_bytes(std::move(bytes)) { index(); }

    const QByteArray &bytes() const { return m_bytes; }

    // The entry's text, or nothing when it is absent or cannot be read.
    std::optional<QString> value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const { return !sections(section).empty(); }

    // Both say whether the bytes changed.
    bool set(const QString &section, const QString &key, const QString &value);
    bool removeSections(const QString &section);

private:
    enum class Kind { Header, Entry, Other };
    // A line by its byte offsets: [text, end) without the line end (and a
    // byte-order mark), `next` where the next line begins.
    struct Line
    {
        qsizetype text = 0, end = 0, next = 0;
        Kind kind = Kind::Other;
        QByteArrayView name, value;
    };

    void index();
    Line lineAt(qsizetype begin) const;
    QByteArray lineEnd(const Line &line) const;
    const std::vector<quint32> &sections(const QString &section) const;
    qsizetype sectionEnd(quint32 header) const;
    std::optional<Line> entry(const QString &section, const QString &key) const;
    void replace(qsizetype from, qsizetype to, const QByteArray &with);

    QByteArray m_bytes;
    // Byte offsets: no file the store reads reaches 1 GiB.
    std::vector<quint32> m_headers;
    mutable std::map<QString, std::vector<quint32>> m_sections;
};
