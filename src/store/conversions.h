#pragma once

#include <QString>

#include <optional>

// Conversions between the numbers of the game and the texts kept in the
// settings store. None of them throws or overflows: a conversion that can fail
// says so in its result.

// The text written to the store for a whole number: one blank before the
// digits of a number that is not negative, a minus sign before a negative one.
QString NumberText(long long n);

// The value of the number at the start of a text. Blanks, tabs and line feeds
// are ignored wherever they stand; reading stops at the first character that
// does not fit "sign, digits, point, digits, exponent". A text that does not
// begin with a number gives 0. A number too large for a double gives an
// infinity of its sign.
double LeadingNumber(const QString &text);

// The 16-bit integer nearest to x, halves to the even neighbour; empty when
// the result lies outside -32768..32767 (or x is not a number).
std::optional<qint16> RoundToInt16(double x);

enum class ConversionError { None, Type, Overflow };

struct Int16Result {
    qint16 value = 0;
    ConversionError error = ConversionError::None;
    bool ok() const { return error == ConversionError::None; }
};

// The direct conversion of a text that must be a number: blanks before and
// after are allowed, everything else must be part of the number. Not a number
// (the empty text included) is a type error; a value outside 16 bits is an
// overflow error.
Int16Result TextToInt16(const QString &text);
