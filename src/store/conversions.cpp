#include "conversions.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Length of the number that starts at `from` in `s`, by the pattern
// [sign] digits [. digits] [E [sign] digits]; 0 when no digit was read.
// An exponent mark that is not followed by digits is not part of the number.
qsizetype numberLength(const QString &s, qsizetype from)
{
    qsizetype i = from;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    bool digits = false;
    while (i < n && isDigit(s[i])) {
        ++i;
        digits = true;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        const qsizetype expDigits = j;
        while (j < n && isDigit(s[j]))
            ++j;
        if (j > expDigits)
            i = j;
    }
    return i - from;
}

double parseNumber(const QString &s, qsizetype from, qsizetype length)
{
    // Only ASCII characters reach here, so Latin-1 is exact.
    const std::string text = s.mid(from, length).toStdString();
    // strtod gives +-HUGE_VAL (infinity) on overflow and 0 on underflow. The
    // application runs in the user's locale, so parse in the "C" locale to
    // keep the full stop as the decimal mark everywhere.
#if defined(_WIN32)
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return _strtod_l(text.c_str(), nullptr, c);
#else
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text.c_str(), nullptr, c);
#endif
}

} // namespace

QString NumberText(long long n)
{
    if (n < 0)
        return QString::number(n);
    return u' ' + QString::number(n);
}

double LeadingNumber(const QString &text)
{
    QString packed;
    packed.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            packed.append(c);
    }
    const qsizetype length = numberLength(packed, 0);
    if (length == 0)
        return 0.0;
    return parseNumber(packed, 0, length);
}

std::optional<qint16> RoundToInt16(double x)
{
    if (std::isnan(x))
        return std::nullopt;
    // nearbyint rounds in the current mode, which is to-nearest-even.
    const double r = std::nearbyint(x);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}

Int16Result TextToInt16(const QString &text)
{
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const qsizetype length = numberLength(text, begin);
    if (length == 0 || begin + length != end)
        return {0, ConversionError::Type};
    const auto rounded = RoundToInt16(parseNumber(text, begin, length));
    if (!rounded)
        return {0, ConversionError::Overflow};
    return {*rounded, ConversionError::None};
}
