#include "conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

namespace {

// Whether a number beyond a double's range ("digits [. digits] [E [sign] digits]") is a large
// one rather than a small one: by the place of its first significant digit plus its exponent.
bool beyondRangeIsLarge(std::string_view number)
{
    const std::size_t mark = std::min(number.find_first_of("eE"), number.size());
    const std::string_view mantissa = number.substr(0, mark);
    if (mantissa.find_first_not_of("0.") == std::string_view::npos)
        return false;
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mark));
    const auto first = static_cast<long long>(mantissa.find_first_not_of("0."));
    long long exponent = 0;
    for (const char c : number.substr(mark)) {
        if (c >= '0' && c <= '9')
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    }
    if (number.find('-') != std::string_view::npos)
        exponent = -exponent;
    return point - first - (first < point ? 1 : 0) + exponent > 0;
}

// The number at the start of `s` ("[sign] digits [. digits] [E [sign] digits]" with at least
// one digit; an exponent mark without digits is not part of it) and its length; {0, 0} when
// there is none. std::from_chars reads that in no locale, but takes no '+', takes "inf" and
// "nan", and leaves a value it cannot hold unset: beyond a double's range the value is an
// infinity of its sign, below it a zero of its sign.
std::pair<double, std::size_t> leadingNumber(std::string_view s)
{
    const std::size_t sign = s.starts_with('-') || s.starts_with('+') ? 1 : 0;
    if (s.size() == sign || !(s[sign] == '.' || (s[sign] >= '0' && s[sign] <= '9')))
        return {0.0, 0};
    const std::string_view digits = s.substr(sign);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::invalid_argument)
        return {0.0, 0};
    const std::string_view number = digits.substr(0, static_cast<std::size_t>(end - digits.data()));
    if (error == std::errc::result_out_of_range)
        value = beyondRangeIsLarge(number) ? std::numeric_limits<double>::infinity() : 0.0;
    return {s.starts_with('-') ? -value : value, sign + number.size()};
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
