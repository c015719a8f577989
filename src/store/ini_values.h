#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// How the settings file keeps values and names, read and written as earlier
// releases of the game did, so that either reads what the other writes (the
// forms are listed in docs/settings-store.md).

// The text of a value as it stands after the '=' of its line; nothing when
// it is a typed value this game never writes or its bytes are not UTF-8.
std::optional<QString> readIniValue(QByteArrayView raw);
// The bytes that readIniValue reads back as exactly `text` (a lone
// surrogate as U+FFFD).
QByteArray writeIniValue(const QString &text);
// A section or key name; empty when its bytes are not UTF-8.
QString readIniName(QByteArrayView raw);
QByteArray writeIniName(const QString &name);
