#include "game_texts.h"

#include "difficulty_looks.h"
#include "game/difficulty.h"
#include "placement.h"
#include "store/save_failure.h"

#include <QCoreApplication>
#include <QDir>

#include <iterator>

QString shown(const char *english)
{
    return english ? QCoreApplication::translate("Game", english) : QString();
}

QString difficultyText(const QString &stored)
{
    const DifficultyLevel *level = levelNamed(stored);
    return level ? shown(lookOf(*level).caption) : stored;
}

QString winnerNameText(const QString &stored)
{
    // The file keeps "Anonymous" in English, as it keeps the difficulties.
    static const char *const kAnonymous = QT_TRANSLATE_NOOP("Game", "Anonymous");
    return stored == QLatin1String(kAnonymous) ? shown(kAnonymous) : stored;
}

QString clockText(const ClockReading &reading)
{
    return QCoreApplication::translate("Game", "Timer : %1 : %2").arg(reading.minutes).arg(reading.seconds);
}

QString pauseCaption(Phase phase)
{
    switch (phase) {
    case Phase::Paused: return QCoreApplication::translate("Game", "Resume");
    case Phase::AutoPlay: return QCoreApplication::translate("Game", "Stop");
    case Phase::Playing:
    case Phase::Options: break;
    }
    return QCoreApplication::translate("Game", "Pause");
}

QString pauseToolTip(Phase phase)
{
    return phase == Phase::Paused ? QCoreApplication::translate("Game", "Resume Game")
                                  : QCoreApplication::translate("Game", "Pause Game");
}

QString noticeTitle(Dialogs::Notice notice)
{
    switch (notice) {
    case Dialogs::Notice::TimeUp: return QCoreApplication::translate("Game", "Time Up");
    case Dialogs::Notice::GameOver: return QCoreApplication::translate("Game", "Game Over");
    case Dialogs::Notice::BetterTime: return QCoreApplication::translate("Game", "Not Saved");
    case Dialogs::Notice::HowToPlay: break;
    }
    return QCoreApplication::translate("Game", "Help");
}

QString noticeText(Dialogs::Notice notice)
{
    switch (notice) {
    case Dialogs::Notice::TimeUp:
        return withLineBreaks(QCoreApplication::translate("Game", "Time up\rThis will reset your game"));
    case Dialogs::Notice::GameOver: return QCoreApplication::translate("Game", "Game Over");
    case Dialogs::Notice::BetterTime: return QCoreApplication::translate("Game", "A better time was saved meanwhile.");
    case Dialogs::Notice::HowToPlay: break;
    }
    return withLineBreaks(QCoreApplication::translate(
        "Game", "Your goal is to arrange the numbers in order\r\n"
                "Click on a number near blank to move it to blank\r\n"
                "or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number\r\n"
                "F2 to Autoplay game\r"
                "Click Reset button to reset Game"));
}

QString failureText(const SaveFailure &failure)
{
    using What = SaveFailure::What;
    // What went wrong, in the order of SaveFailure::What.
    static const char *const kSentences[] = {
        QT_TRANSLATE_NOOP("Game", "The settings folder %1 could not be created"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 could not be read"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is a folder"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is a pipe"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is a socket"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is a device"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is not a regular file"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is a link that leads nowhere"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 is larger than 1 GiB"),
        //: Something that is no lock stands at the path of the settings file's lock.
        QT_TRANSLATE_NOOP("Game", "%1 is in the lock's way and could not be removed"),
        QT_TRANSLATE_NOOP("Game", "The lock %1 could not be created"),
        //: %1 is the path of the lock, %2 the number of the process that holds it.
        QT_TRANSLATE_NOOP("Game", "Another program (process %2) is saving the settings file (lock %1)"),
        //: What cannot be carried over into the new settings file is kept in a copy.
        QT_TRANSLATE_NOOP("Game", "The unreadable content could not be copied to %1"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 could not be written"),
        QT_TRANSLATE_NOOP("Game", "The settings file %1 could not be replaced"),
    };
    static_assert(std::size(kSentences) == std::size_t(What::ReplaceFile) + 1);
    const QString path = QDir::toNativeSeparators(failure.path);
    const QString sentence =
        failure.what != What::LockHeld
            ? QCoreApplication::translate("Game", kSentences[std::size_t(failure.what)]).arg(path)
        : failure.holder > 0
            ? QCoreApplication::translate("Game", kSentences[std::size_t(What::LockHeld)])
                  .arg(path, QString::number(failure.holder))
            : QCoreApplication::translate("Game", "Another program is saving the settings file (lock %1)").arg(path);
    if (failure.detail.isEmpty())
        return sentence + u'.';
    // The system's words stay as the system gives them.
    //: %1 is what went wrong, %2 the system's own words for the error.
    return QCoreApplication::translate("Game", "%1: %2").arg(sentence, failure.detail);
}
