#pragma once

#include <QLoggingCategory>

// Messages about the settings file: a save that failed, a file that could not
// be read or was copied aside. Printed on standard error as "game.store: ...".
Q_DECLARE_LOGGING_CATEGORY(lcStore)
