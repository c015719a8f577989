#include "conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Whether a number too far from 1 for a double ("digits [. digits] [E
// [sign] digits]") is a large one rather than a small one: its decimal
// magnitude, the place of its first significant digit plus its exponent.
bool beyondRangeIsLarge(std::string_view number)
{
    const std::size_t mark = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, mark);
    long long exponent = 0;
    if (mark != std::string_view::npos) {
        std::string_view digits = number.substr(mark + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
            digits.remove_prefix(1);
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), 1000000000LL);
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos)
        return false;
    const long long place = first < point ? static_cast<long long>(point - first - 1)
                                          : -static_cast<long long>(first - point);
    return place + exponent > 0;
}

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

// The value of a text that numberLength() has matched whole. std::from_chars
// reads in no locale; it takes no "+" and leaves a value it cannot hold
// unset, so the sign is read here and a value beyond a double's range becomes
// an infinity of its sign, one below it a zero of its sign.
double parseNumber(const QString &s, qsizetype from, qsizetype length)
{
    // Only ASCII characters reach here, so Latin-1 is exact.
    const std::string text = s.mid(from, length).toStdString();
    std::string_view digits(text);
    const bool negative = digits.front() == '-';
    if (digits.front() == '+' || negative)
        digits.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range)
        value = beyondRangeIsLarge(digits) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
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
