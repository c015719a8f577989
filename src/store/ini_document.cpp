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

IniDocument::IniDocument(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    index();
}

bool IniDocument::isText(QByteArrayView bytes)
{
    return !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF") && !bytes.contains('\0');
}

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

IniDocument::Line IniDocument::lineAt(qsizetype begin) const
{
    Line line{begin, begin, begin, begin, Kind::Other, {}, {}};
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

bool IniDocument::hasSection(const QString &section) const { return !sections(section).empty(); }

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
    // A new line ends as the line before it does, so that a lone CR never
    // meets the LF of the line after; as the file's first line, where that
    // line has no end.
    const Line first = lineAt(0);
    const QByteArray eol = first.next > first.end ? m_bytes.sliced(first.end, first.next - first.end) : "\n";
    const QByteArray newEntry = writeIniName(key) + '=' + written;
    const std::vector<quint32> &headers = sections(section);
    if (!headers.empty()) {
        // After the section's last entry, before the comments and blank lines
        // that lead to the next section.
        Line last = lineAt(headers.back());
        for (Line line = last; line.next < sectionEnd(headers.back());) {
            line = lineAt(line.next);
            last = line.kind == Kind::Entry ? line : last;
        }
        const QByteArray lineEnd = m_bytes.sliced(last.end, last.next - last.end);
        replace(last.next, last.next, lineEnd.isEmpty() ? eol + newEntry + eol : newEntry + lineEnd);
        return true;
    }
    // A new section at the end, after a blank line, its lines ending as the
    // last line does.
    QByteArray text;
    QByteArray end = eol;
    if (!m_bytes.isEmpty()) {
        Line last = lineAt(0);
        while (last.next < m_bytes.size())
            last = lineAt(last.next);
        end = last.next > last.end ? m_bytes.sliced(last.end, last.next - last.end) : eol;
        text = last.next == last.end ? end + end : last.end > last.text ? end : QByteArray();
    }
    replace(m_bytes.size(), m_bytes.size(), text + '[' + writeIniName(section) + ']' + end + newEntry + end);
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
