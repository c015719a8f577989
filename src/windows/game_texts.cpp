#include "game_texts.h"

#include "game/dialogs.h"

#include <QCoreApplication>

namespace {

// Every text the game hands to the window, for the translators.
[[maybe_unused]] const char *const kGameTexts[] = {
    QT_TRANSLATE_NOOP("Game", "Pause"),
    QT_TRANSLATE_NOOP("Game", "Pause Game"),
    QT_TRANSLATE_NOOP("Game", "Resume"),
    QT_TRANSLATE_NOOP("Game", "Resume Game"),
    QT_TRANSLATE_NOOP("Game", "Stop"),
    QT_TRANSLATE_NOOP("Game", "Reset"),
    QT_TRANSLATE_NOOP("Game", "Reset Game"),
    QT_TRANSLATE_NOOP("Game", "Timer : %1 : %2"),
    QT_TRANSLATE_NOOP("Game", "Game Over"),
    QT_TRANSLATE_NOOP("Game", "Time up\rThis will reset your game"),
    QT_TRANSLATE_NOOP("Game", "Time Up"),
    QT_TRANSLATE_NOOP("Game", "This will reset current game"),
    QT_TRANSLATE_NOOP("Game", "Help"),
    QT_TRANSLATE_NOOP("Game", "Your goal is to arrange the numbers in order\r\n"
                              "Click on a number near blank to move it to blank\r\n"
                              "or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number\r\n"
                              "F2 to Autoplay game\r"
                              "Click Reset button to reset Game"),
    QT_TRANSLATE_NOOP("Game", "Not Saved"),
    QT_TRANSLATE_NOOP("Game", "A better time was saved meanwhile."),
    QT_TRANSLATE_NOOP("Game", "Your best time could not be saved:"),
    QT_TRANSLATE_NOOP("Game", "the settings file is a folder"),
    QT_TRANSLATE_NOOP("Game", "the settings file is a pipe"),
    QT_TRANSLATE_NOOP("Game", "the settings file is a socket"),
    QT_TRANSLATE_NOOP("Game", "the settings file is a device"),
    QT_TRANSLATE_NOOP("Game", "the settings file is not a regular file"),
    QT_TRANSLATE_NOOP("Game", "the settings file is larger than 1 GiB"),
};

QString translated(const QString &english)
{
    return shown(english.toUtf8().constData());
}

} // namespace

QString shown(const char *english)
{
    return english ? QCoreApplication::translate("Game", english) : QString();
}

QString shown(const QString &english)
{
    return english.isEmpty() ? english : translated(english);
}

QString shownMessage(const QString &english)
{
    const QString notSaved = QString::fromLatin1(kBestTimeNotSaved) + u'\r';
    if (english.startsWith(notSaved))
        return translated(notSaved.chopped(1)) + u'\r' + translated(english.mid(notSaved.size()));
    return translated(english);
}

QString shownClock(const QString &english)
{
    // "Timer : <minutes> : <seconds>", read apart by hand: a regular
    // expression would load a whole matcher at start-up for this alone.
    const QStringList parts = english.split(QStringLiteral(" : "));
    bool minutes = false;
    bool seconds = false;
    if (parts.size() == 3 && parts[0] == u"Timer") {
        parts[1].toInt(&minutes);
        parts[2].toInt(&seconds);
    }
    if (!minutes || !seconds)
        return english;
    return translated(QStringLiteral("Timer : %1 : %2")).arg(parts[1], parts[2]);
}
