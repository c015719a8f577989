#include "ini_text.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

QByteArrayView trimmed(QByteArrayView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isBlank(line[begin]))
        ++begin;
    while (end > begin && isBlank(line[end - 1]))
        --end;
    return line.sliced(begin, end - begin);
}

// Whether a line ends where it seems to: no open quote and no backslash at its
// end, either of which makes Qt's reader run on into the next line.
bool standsAlone(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            if (++i == line.size())
                return false;
        } else if (line[i] == '"') {
            quoted = !quoted;
        }
    }
    return !quoted;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        char32_t code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (n - i <= more)
            return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char follow = p[i + k];
            if ((follow & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (follow & 0x3F);
        }
        if ((more == 2 && code < 0x800) || (more == 3 && code < 0x10000) || code > 0x10FFFF
            || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

IniLayout scanIni(QByteArrayView text)
{
    IniLayout layout;
    if (text.startsWith("\xEF\xBB\xBF") || text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")
        || text.contains('\0') || !isValidUtf8(text)) {
        layout.carriesOver = false;
        layout.plain = false;
    }

    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        const qsizetype begin = pos;
        qsizetype end = pos;
        while (end < n && text[end] != '\n' && text[end] != '\r')
            ++end;
        pos = end;
        if (pos < n && text[pos] == '\r')
            ++pos;
        if (pos < n && text[pos] == '\n')
            ++pos;

        const QByteArrayView line = trimmed(text.sliced(begin, end - begin));
        if (line.isEmpty())
            continue;
        const char first = line.front();
        if (first == ';')
            continue;
        if (first == '#') {
            layout.plain = layout.plain && standsAlone(line);
            continue;
        }
        if (first == '[') {
            // A comment may follow the header.
            const qsizetype comment = line.indexOf(';');
            const QByteArrayView header = comment > 0 ? trimmed(line.first(comment)) : line;
            if (header.back() != ']') {
                layout.carriesOver = false;
                layout.plain = false;
                continue;
            }
            if (header.size() != line.size())
                layout.plain = false;
            const QByteArrayView inner = line.sliced(1, line.size() - 2);
            const QByteArrayView name = trimmed(inner);
            // Names Qt would read differently from how they stand: escapes,
            // quotes, a comment mark, more brackets, and the unnamed section.
            for (char c : inner) {
                if (c == '%' || c == '\\' || c == '"' || c == ';' || c == '[' || c == ']')
                    layout.plain = false;
            }
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                layout.plain = false;
            const qsizetype nameBegin = name.data() - text.data();
            layout.sections.append({begin, nameBegin, name.size()});
            continue;
        }
        if (!line.contains('=')) {
            layout.carriesOver = false;
            layout.plain = false;
            continue;
        }
        layout.plain = layout.plain && standsAlone(line);
    }
    layout.plain = layout.plain && layout.carriesOver;
    return layout;
}

bool sameSectionName(QByteArrayView name, const QString &wanted)
{
    bool asciiWanted = true;
    for (QChar c : wanted)
        asciiWanted = asciiWanted && c.unicode() < 0x80;
    if (!asciiWanted || !isAscii(name))
        return QString::fromUtf8(name).compare(wanted, Qt::CaseInsensitive) == 0;
    if (name.size() != wanted.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (lower(name[i]) != lower(static_cast<char>(wanted[i].unicode())))
            return false;
    }
    return true;
}
