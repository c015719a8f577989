#pragma once

#include "game/dialogs.h"
#include "game/game_state.h"
#include "store/score_variables.h"

#include <QString>
#include <QStringList>

#include <functional>

// Dialogs for tests: every dialog is logged as one line, and the answers come
// from a script. Hooks run while a dialog "is open", so a test can fire
// timer ticks under it, as the real event loop would.
class ScriptedDialogs : public Dialogs
{
public:
    explicit ScriptedDialogs(ScoreVariables &scores) : m_scores(scores) {}

    void message(const QString &text, const QString &title, Icon icon) override
    {
        log << QStringLiteral("message:%1|%2|%3")
                   .arg(title, text,
                        icon == Icon::Information ? QStringLiteral("info")
                        : icon == Icon::Warning   ? QStringLiteral("warning")
                                                  : QStringLiteral("none"));
        if (whileOpen)
            whileOpen(QStringLiteral("message:") + title);
    }

    bool confirm(const QString &text, const QString &title) override
    {
        log << QStringLiteral("confirm:%1|%2").arg(title, text);
        if (whileOpen)
            whileOpen(QStringLiteral("confirm:") + title);
        return confirmAnswer;
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
