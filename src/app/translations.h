#pragma once

class QCoreApplication;

// Installs the translations of the language the desktop asks for (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG): the game's own, kept in the program, and Qt's
// for its own buttons. Where none fits, the game speaks English.
void installTranslations(QCoreApplication &app);
