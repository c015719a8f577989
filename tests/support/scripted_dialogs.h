#pragma once

#include "game/dialogs.h"
#include "game/game_state.h"
#include "store/score_variables.h"

#include <QString>
#include <QStringList>

#include <functional>

// The name of a failed save's step, as the store's header spells it.
inline QString failureStep(SaveFailure::What what)
{
    using W = SaveFailure::What;
    switch (what) {
    case W::MakeFolder: return QStringLiteral("MakeFolder");
    case W::ReadFile: return QStringLiteral("ReadFile");
    case W::IsFolder: return QStringLiteral("IsFolder");
    case W::IsPipe: return QStringLiteral("IsPipe");
    case W::IsSocket: return QStringLiteral("IsSocket");
    case W::IsDevice: return QStringLiteral("IsDevice");
    case W::IsOther: return QStringLiteral("IsOther");
    case W::LinksLeadNowhere: return QStringLiteral("LinksLeadNowhere");
    case W::TooLarge: return QStringLiteral("TooLarge");
    case W::ClearLock: return QStringLiteral("ClearLock");
    case W::TakeLock: return QStringLiteral("TakeLock");
    case W::LockHeld: return QStringLiteral("LockHeld");
    case W::CopyAside: return QStringLiteral("CopyAside");
    case W::WriteFile: return QStringLiteral("WriteFile");
    case W::ReplaceFile: return QStringLiteral("ReplaceFile");
    }
    return QString::number(int(what));
}

// Dialogs for tests: every dialog is logged as one line, and the answers come
// from a script. Hooks run while a dialog "is open", so a test can fire
// timer ticks under it, as the real event loop would.
class ScriptedDialogs : public Dialogs
{
public:
    explicit ScriptedDialogs(ScoreVariables &scores) : m_scores(scores) {}

    // "notice:<TimeUp|GameOver|BetterTime|HowToPlay>".
    void tell(Notice notice) override
    {
        const QString line = QStringLiteral("notice:")
                           + (notice == Notice::TimeUp     ? QStringLiteral("TimeUp")
                              : notice == Notice::GameOver   ? QStringLiteral("GameOver")
                              : notice == Notice::BetterTime ? QStringLiteral("BetterTime")
                                                             : QStringLiteral("HowToPlay"));
        log << line;
        if (whileOpen)
            whileOpen(line);
    }

    bool confirmReset() override
    {
        log << QStringLiteral("confirm:Reset");
        if (whileOpen)
            whileOpen(QStringLiteral("confirm:Reset"));
        return confirmAnswer;
    }

    // "notsaved:<BestTime|Scores|Settings>|<the failure's step>".
    void notSaved(Unsaved what, const SaveFailure &why) override
    {
        const QString kind = what == Unsaved::BestTime ? QStringLiteral("BestTime")
                           : what == Unsaved::Scores   ? QStringLiteral("Scores")
                                                       : QStringLiteral("Settings");
        log << QStringLiteral("notsaved:%1|%2").arg(kind, failureStep(why.what));
        if (whileOpen)
            whileOpen(QStringLiteral("notsaved"));
    }

    void showWinner() override
    {
        log << (m_scores.GotTopTime ? QStringLiteral("winner:top") : QStringLiteral("winner:plain"));
        if (whileOpen)
            whileOpen(QStringLiteral("winner"));
        // The window hands over the typed name on OK; the plain face has no
        // name box and hands over an empty text.
        m_scores.WinnerName = m_scores.GotTopTime ? winnerName : QString();
    }

    void showHighScores() override
    {
        log << QStringLiteral("highscores");
        if (whileOpen)
            whileOpen(QStringLiteral("highscores"));
    }

    void showAbout() override
    {
        log << QStringLiteral("about");
        if (whileOpen)
            whileOpen(QStringLiteral("about"));
    }

    QStringList log;
    bool confirmAnswer = true;
    QString winnerName = QStringLiteral("Tester");
    // Runs while a dialog is open; its argument names the dialog.
    std::function<void(const QString &)> whileOpen;

private:
    ScoreVariables &m_scores;
};
