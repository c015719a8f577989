#include "ini_document.h"

#include "ini_values.h"

#include <algorithm>

namespace {

bool sameName(QByteArrayView raw, const QString &wanted)
{
    // A plain name, the usual case, is compared without making a text of it.
    raw = raw.trimmed();
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return c > ' ' && c < 0x7f && c != '%'; }))
        return QLatin1StringView(raw).compare(wanted, Qt::CaseInsensitive) == 0;
    const QString name = readIniName(raw);
    return !name.isEmpty() && name.compare(wanted, Qt::CaseInsensitive) == 0;
}

} // namespace

void IniDocument::index()
{
    m_headers.clear();
    m_sections.clear();
    for (qsizetype at = 0; at < m_bytes.size();) {
        const Line line = lineAt(at);
        if (line.kind == Kind::Header)
            m_headers.push_back(quint32(at));
        at = line.next;
    }
}

QByteArray IniDocument::lineEnd(const Line &line) const { return m_bytes.sliced(line.end, line.next - line.end); }

IniDocument::Line IniDocument::lineAt(qsizetype begin) const
{
    Line line{begin, begin, begin, Kind::Other, {}, {}};
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    if (begin == 0 && m_bytes.startsWith("\xEF\xBB\xBF"))
        line.text = 3;
    line.end = line.text;
    while (line.end < size && data[line.end] != '\n' && data[line.end] != '\r')
        ++line.end;
    line.next = line.end + (line.end + 1 < size && data[line.end] == '\r' && data[line.end + 1] == '\n' ? 2 : 1);
    line.next = std::min(line.next, size);
    const QByteArrayView text = QByteArrayView(data + line.text, line.end - line.text).trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        const QByteArrayView after = close < 0 ? QByteArrayView() : text.sliced(close + 1).trimmed();
        if (close > 0 && (after.isEmpty() || after.front() == ';')) {
            line.kind = Kind::Header;
            line.name = text.sliced(1, close - 1);
        }
    } else if (const qsizetype equals = text.indexOf('=');
               equals > 0 && !text.startsWith(';') && !text.startsWith('#')) {
        line.kind = Kind::Entry;
        line.name = text.first(equals);
        line.value = text.sliced(equals + 1);
    }
    return line;
}

const std::vector<quint32> &IniDocument::sections(const QString &section) const
{
    const QString folded = section.toCaseFolded();
    if (const auto found = m_sections.find(folded); found != m_sections.end())
        return found->second;
    std::vector<quint32> headers;
    std::copy_if(m_headers.begin(), m_headers.end(), std::back_inserter(headers),
                 [&](quint32 header) { return sameName(lineAt(header).name, section); });
    return m_sections.emplace(folded, std::move(headers)).first->second;
}

qsizetype IniDocument::sectionEnd(quint32 header) const
{
    const auto next = std::upper_bound(m_headers.begin(), m_headers.end(), header);
    return next == m_headers.end() ? m_bytes.size() : qsizetype(*next);
}

std::optional<IniDocument::Line> IniDocument::entry(const QString &section, const QString &key) const
{
    std::optional<Line> found;
    for (quint32 header : sections(section)) {
        for (qsizetype at = lineAt(header).next; at < sectionEnd(header);) {
            const Line line = lineAt(at);
            if (line.kind == Kind::Entry && sameName(line.name, key))
                found = line;
            at = line.next;
        }
    }
    return found;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const std::optional<Line> line = entry(section, key);
    return line ? readIniValue(line->value) : std::nullopt;
}


void IniDocument::replace(qsizetype from, qsizetype to, const QByteArray &with)
{
    m_bytes.replace(from, to - from, with);
    index();
}

bool IniDocument::set(const QString &section, const QString &key, const QString &value)
{
    const QByteArray written = writeIniValue(value);
    if (const std::optional<Line> line = entry(section, key)) {
        // The key and the blanks after '=' stay as they are written.
        const QByteArrayView old = line->value;
        const auto from = std::find_if(old.begin(), old.end(), [](char c) { return c != ' ' && c != '\t'; });
        if (QByteArrayView(from, old.end()) == written)
            return false;
        replace(from - m_bytes.constData(), line->end, written);
        return true;
    }
    // After the section's last entry, before the comments and blank lines
    // that lead to the next section; or a new section after the last line.
    const std::vector<quint32> &headers = sections(section);
    const qsizetype stop = headers.empty() ? m_bytes.size() : sectionEnd(headers.back());
    Line last = lineAt(headers.empty() ? 0 : headers.back());
    for (Line line = last; line.next < stop;) {
        line = lineAt(line.next);
        last = headers.empty() || line.kind == Kind::Entry ? line : last;
    }
    // A new line ends as the line before it (or else the first line) does, so
    // that a lone CR never meets the LF of the line after.
    QByteArray eol = lineEnd(last).isEmpty() ? lineEnd(lineAt(0)) : lineEnd(last);
    eol = eol.isEmpty() ? QByteArray("\n") : eol;
    const QByteArray newEntry = writeIniName(key) + '=' + written;
    if (!headers.empty()) {
        replace(last.next, last.next, lineEnd(last).isEmpty() ? eol + newEntry + eol : newEntry + eol);
        return true;
    }
    // Parted from the line before by a blank line.
    const QByteArray before = m_bytes.isEmpty() || last.text == last.end ? QByteArray()
                            : last.next == last.end ? eol + eol : eol;
    replace(m_bytes.size(), m_bytes.size(), before + '[' + writeIniName(section) + ']' + eol + newEntry + eol);
    return true;
}

bool IniDocument::removeSections(const QString &section)
{
    const std::vector<quint32> headers = sections(section);
    if (headers.empty())
        return false;
    QByteArray kept;
    qsizetype from = 0;
    for (quint32 header : headers) {
        for (qsizetype at = header; at < sectionEnd(header);) {
            const Line line = lineAt(at);
            if (at == header || line.kind == Kind::Entry) {
                kept += QByteArrayView(m_bytes).sliced(from, line.text - from);
                from = line.next;
            }
            at = line.next;
        }
    }
    m_bytes = kept.append(QByteArrayView(m_bytes).sliced(from));
    index();
    return true;
}
