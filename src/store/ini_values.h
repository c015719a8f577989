#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Values and names as earlier releases of the game read and wrote them, so
// that either reads what the other writes (docs/settings-store.md).

// The text of a value as it stands after the '=' of its line; nothing when
// it is a typed value this game never writes or its bytes are not UTF-8.
std::optional<QString> readIniValue(QByteArrayView raw);
// The bytes that readIniValue reads back as exactly `text` (a lone
// surrogate as U+FFFD).
QByteArray writeIniValue(const QString &text);
// A section or key name; empty when its bytes are not UTF-8.
QString readIniName(QByteArrayView raw);
QByteArray writeIniName(const QString &name);
