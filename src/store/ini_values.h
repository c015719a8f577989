#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// How the settings file keeps values and names, read and written exactly as
// earlier releases of the game did, so either reads what the other writes.

// The text of a value as it stands after the '=' of its line (no line end).
// Blanks around an unquoted value are left out; a double quote opens and
// closes a quoted part, in which ';' and blanks are text; backslash escapes
// (\" \\ \n \t \r \a \b \f \v \? \' \0-7 octal, \xHH... hex) are read inside
// and outside quotes; an unquoted ';' ends the value; an unquoted comma is
// part of the text. "@@..." reads as "@...", "@String(...)" as its text, any
// other "@...(...)" as absent (a typed value this game never writes). Bytes
// that are not UTF-8 make the value absent.
std::optional<QString> readIniValue(QByteArrayView raw);

// The bytes written after '=' for a text, in a form readIniValue reads back
// as exactly that text: a leading '@' doubled; a text with a space at either
// end or holding ';', ',', '=', '"', '\\', U+FEFF or a control character
// written in double quotes with escapes; UTF-8 otherwise. A lone surrogate is
// written as U+FFFD.
QByteArray writeIniValue(const QString &text);

// A section or key name as it stands in the file: blanks around it left out,
// %XX and %UXXXX escapes decoded. Empty when the bytes are not UTF-8.
QString readIniName(QByteArrayView raw);

// A name as the file keeps it: ASCII letters and digits, '_', '-' and '.' as
// they are, any other character as %XX (up to U+00FF) or %UXXXX.
QByteArray writeIniName(const QString &name);
