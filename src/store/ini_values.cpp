#include "ini_values.h"

#include <QStringConverter>

#include <algorithm>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The value of an ASCII hex digit; -1 for any other character.
int hexValue(QChar c) { return int(QByteArrayView("0123456789abcdef0123456789ABCDEF").indexOf(c.toLatin1()) % 16); }

// Where the digits in `base` from `from` on end, at most `most` of them; `unit` gets their value's low 16 bits.
template <typename Text>
qsizetype digitsEnd(Text s, qsizetype from, int base, qsizetype most, char16_t &unit)
{
    qsizetype i = from;
    for (int d; i < s.size() && i - from < most && (d = hexValue(QChar(s[i]))) >= 0 && d < base; ++i)
        unit = char16_t(unit * base + d);
    return i;
}

} // namespace

std::optional<QString> readIniValue(QByteArrayView raw)
{
    // One decoder for the value: it drops a byte order mark only at the start of the first plain run.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString out;
    qsizetype i = std::find_if_not(raw.begin(), raw.end(), isBlank) - raw.begin();
    qsizetype keep = 0; // blanks beyond this length may be left out
    bool quoted = false;
    bool inQuotes = false;
    while (i < raw.size() && (inQuotes || raw[i] != ';')) {
        const qsizetype start = i;
        const char c = raw[i++];
        if (c == '"') {
            quoted = true;
            inQuotes = !inQuotes;
            while (!inQuotes && i < raw.size() && isBlank(raw[i]))
                ++i;
        } else if (c != '\\') {
            while (i < raw.size() && raw[i] != '\\' && raw[i] != '"' && (inQuotes || raw[i] != ';'))
                ++i;
            out += utf8(raw.sliced(start, i - start));
        } else {
            // "\x" takes every hex digit after it and an octal escape every octal digit, its first included;
            // either keeps the low 16 bits as one UTF-16 unit. "\x" without a digit stands for nothing,
            // and a backslash before any other byte drops both.
            const char e = i < raw.size() ? raw[i++] : '\0';
            const int base = e == 'x' ? 16 : (e >= '0' && e <= '7') ? 8 : 0;
            const qsizetype from = base == 16 ? i : i - 1;
            char16_t unit = 0;
            if (const qsizetype at = QByteArrayView("abfnrtv\"?'\\").indexOf(e); at >= 0)
                out += QChar(u"\a\b\f\n\r\t\v\"?'\\"[at]);
            else if (base > 0 && (i = digitsEnd(raw, from, base, raw.size(), unit)) > from)
                out += QChar(unit);
            keep = out.size();
        }
    }
    if (!raw.first(i).isValidUtf8())
        return std::nullopt;
    // Blanks at the end of a value without quotes are left out back to its last escape.
    while (!quoted && out.size() > keep && (out.back() == u' ' || out.back() == u'\t'))
        out.chop(1);
    if (out.startsWith(u"@@"))
        return out.sliced(1);
    if (out.startsWith(u'@') && out.endsWith(u')') && out.contains(u'('))
        return out.startsWith(u"@String(") ? std::optional(out.sliced(8).chopped(1)) : std::nullopt;
    return out;
}

QByteArray writeIniValue(const QString &text)
{
    const QString s = text.startsWith(u'@') ? u'@' + text : text;
    bool quote = s.startsWith(u' ') || s.endsWith(u' ');
    QString out;
    // After "\0" or "\x.." a hex digit would be read as part of the escape.
    bool afterNumber = false;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        const qsizetype letter = QStringView(u"\"\\\n\t\r\0", 6).indexOf(c);
        quote = quote || u < 0x20 || QStringView(u";,=\"\\\uFEFF").contains(c);
        // U+FEFF is escaped: as the first plain character of a value, reading would drop it.
        const bool number = (u < 0x20 && letter < 0) || u == 0xFEFF || (afterNumber && hexValue(c) >= 0);
        if (number)
            out += QString::asprintf("\\x%0*X", u < 0x100 ? 2 : 4, uint(u));
        else if (letter >= 0)
            out.append(u'\\').append(QStringView(u"\"\\ntr0")[letter]);
        else
            out += c;
        afterNumber = number || u == 0;
    }
    // Without flags the encoder writes a lone surrogate as U+FFFD.
    return QStringEncoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless)(quote ? u'"' + out + u'"' : out);
}

QString readIniName(QByteArrayView raw)
{
    while (!raw.isEmpty() && (isBlank(raw.front()) || isBlank(raw.back())))
        raw = isBlank(raw.front()) ? raw.sliced(1) : raw.chopped(1);
    if (!raw.isValidUtf8())
        return {};
    const QString s = QString::fromUtf8(raw);
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const bool wide = QStringView(s).sliced(i).startsWith(u"%U");
        const qsizetype from = i + (wide ? 2 : 1);
        const qsizetype end = from + (wide ? 4 : 2);
        char16_t unit = 0;
        if (s[i] == u'%' && digitsEnd(QStringView(s), from, 16, end - from, unit) == end)
            i = end - 1;
        else
            unit = s[i].unicode();
        out += QChar(unit);
    }
    return out;
}

QByteArray writeIniName(const QString &name)
{
    QByteArray out;
    for (const QChar c : name) {
        if (c.unicode() < 0x80 && (c.isLetterOrNumber() || QByteArrayView("_-.").contains(c.toLatin1())))
            out += c.toLatin1();
        else
            out += QString::asprintf(c.unicode() <= 0xFF ? "%%%02X" : "%%U%04X", uint(c.unicode())).toLatin1();
    }
    return out;
}
