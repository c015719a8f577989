#include "conversions.h"

#include <algorithm>
#include <cmath>
#include <locale.h>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <utility>

namespace {

// The number at the start of `s` ("[sign] digits [. digits] [E [sign] digits]", at least one
// digit) and its length, or {0, 0}. strtod in the C locale makes one beyond a double's range
// an infinity or a zero, but would also read "inf", "nan" and "0x..." as numbers.
std::pair<double, std::size_t> leadingNumber(std::string_view s)
{
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", locale_t(0));
    const std::size_t sign = s.starts_with('-') || s.starts_with('+') ? 1 : 0;
    if (s.size() == sign || !(s[sign] == '.' || (s[sign] >= '0' && s[sign] <= '9')))
        return {0.0, 0};
    const bool hex = s.size() > sign + 1 && s[sign] == '0' && (s[sign + 1] == 'x' || s[sign + 1] == 'X');
    const std::string number(s.substr(0, hex ? sign + 1 : s.size()));
    char *end = nullptr;
    const double value = ::strtod_l(number.c_str(), &end, cLocale);
    return {value, std::size_t(end - number.c_str())};
}

} // namespace

QString NumberText(long long n)
{
    return n < 0 ? QString::number(n) : u' ' + QString::number(n);
}

double LeadingNumber(const QString &text)
{
    // A number is ASCII, so Latin-1 (with '?' for what it cannot hold) keeps it.
    QByteArray packed = text.toLatin1();
    packed.removeIf([](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    return leadingNumber(std::string_view(packed.constData(), std::size_t(packed.size()))).first;
}

std::optional<qint16> RoundToInt16(double x)
{
    // nearbyint rounds in the current mode, which is to-nearest-even.
    const double r = std::nearbyint(x);
    if (std::isnan(r) || r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}

Int16Result TextToInt16(const QString &text)
{
    const QByteArray latin1 = text.toLatin1();
    std::string_view s(latin1.constData(), std::size_t(latin1.size()));
    s.remove_prefix(std::min(s.find_first_not_of(" \t"), s.size()));
    s = s.substr(0, s.find_last_not_of(" \t") + 1);
    const auto [value, length] = leadingNumber(s);
    if (length == 0 || length != s.size())
        return {0, ConversionError::Type};
    const std::optional<qint16> rounded = RoundToInt16(value);
    return rounded ? Int16Result{*rounded} : Int16Result{0, ConversionError::Overflow};
}
