#pragma once

#include <QString>

#include <optional>

// The text written to the store for a whole number: one blank before the
// digits of a number that is not negative, a minus sign before a negative one.
QString NumberText(long long n);

// The number at the start of a text, blanks, tabs and line feeds ignored
// wherever they stand; 0 when there is none, an infinity beyond a double.
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

// A text that must be a number, blanks around it allowed: a type error when
// it is none (the empty text included), an overflow outside 16 bits.
Int16Result TextToInt16(const QString &text);
