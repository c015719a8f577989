#include "game_texts.h"

#include "difficulty_looks.h"
#include "game/difficulty.h"
#include "placement.h"
#include "store/save_failure.h"

#include <QCoreApplication>
#include <QDir>

QString shown(const char *english)
{
    return english ? QCoreApplication::translate("Game", english) : QString();
}

QString difficultyText(const QString &stored)
{
    const DifficultyLevel *level = levelNamed(stored);
    return level ? shown(lookOf(*level).caption) : stored;
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
    const QString path = QDir::toNativeSeparators(failure.path);
    QString sentence;
    switch (failure.what) {
    case What::MakeFolder:
        sentence = QCoreApplication::translate("Game", "The settings folder %1 could not be created").arg(path);
        break;
    case What::ReadFile:
        sentence = QCoreApplication::translate("Game", "The settings file %1 could not be read").arg(path);
        break;
    case What::IsFolder:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is a folder").arg(path);
        break;
    case What::IsPipe:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is a pipe").arg(path);
        break;
    case What::IsSocket:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is a socket").arg(path);
        break;
    case What::IsDevice:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is a device").arg(path);
        break;
    case What::IsOther:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is not a regular file").arg(path);
        break;
    case What::LinksLeadNowhere:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is a link that leads nowhere").arg(path);
        break;
    case What::TooLarge:
        sentence = QCoreApplication::translate("Game", "The settings file %1 is larger than 1 GiB").arg(path);
        break;
    case What::ClearLock:
        //: Something that is no lock stands at the path of the settings file's lock.
        sentence = QCoreApplication::translate("Game", "%1 is in the lock's way and could not be removed").arg(path);
        break;
    case What::TakeLock:
        sentence = QCoreApplication::translate("Game", "The lock %1 could not be created").arg(path);
        break;
    case What::LockHeld:
        //: %1 is the path of the lock, %2 the number of the process that holds it.
        sentence = failure.holder > 0
                       ? QCoreApplication::translate("Game", "Another program (process %2) is saving the settings "
                                                             "file (lock %1)")
                             .arg(path, QString::number(failure.holder))
                       : QCoreApplication::translate("Game", "Another program is saving the settings file (lock %1)")
                             .arg(path);
        break;
    case What::CopyAside:
        //: What cannot be carried over into the new settings file is kept in a copy.
        sentence = QCoreApplication::translate("Game", "The unreadable content could not be copied to %1").arg(path);
        break;
    case What::WriteFile:
        sentence = QCoreApplication::translate("Game", "The settings file %1 could not be written").arg(path);
        break;
    case What::ReplaceFile:
        sentence = QCoreApplication::translate("Game", "The settings file %1 could not be replaced").arg(path);
        break;
    }
    if (failure.detail.isEmpty())
        return sentence + u'.';
    // The system's words stay as the system gives them.
    //: %1 is what went wrong, %2 the system's own words for the error.
    return QCoreApplication::translate("Game", "%1: %2").arg(sentence, failure.detail);
}
