#include "options_panel.h"

#include "store/conversions.h"

qint16 OptionsPanel::TimeLimitDefault(int shuffleRounds)
{
    switch (shuffleRounds) {
    case 3: return 15;
    case 4: return 20;
    default: return 10;
    }
}

void OptionsPanel::mnuoptions_Click()
{
    m_game.mnutoolsEnabled = false;
    m_game.setClockRunning(false);
    m_game.windowHeightTwips = kOpenHeightTwips;
    m_game.famOptionsVisible = true;
    m_game.stbtimerVisible = false;
    m_game.BoardActive = false;
    m_game.txtlimit = QString::number(m_game.TimeLimitMinutes);
}

void OptionsPanel::optionClicked(DifficultyOption option)
{
    m_game.checkedOption = option;
    switch (option) {
    case DifficultyOption::Easy: m_game.txtlimit = QString::number(TimeLimitDefault(2)); break;
    case DifficultyOption::Medium: m_game.txtlimit = QString::number(TimeLimitDefault(3)); break;
    case DifficultyOption::Hard: m_game.txtlimit = QString::number(TimeLimitDefault(4)); break;
    case DifficultyOption::None: break;
    }
}

void OptionsPanel::CmdOK_Click()
{
    m_game.mnutoolsEnabled = true;
    m_game.BoardActive = true;
    m_game.ReadDifficulty();
    const double v = LeadingNumber(m_game.txtlimit);
    if (v > 0 && v <= 60)
        m_game.TimeLimitMinutes = RoundToInt16(v).value_or(TimeLimitDefault(m_game.ShuffleRounds));
    else
        m_game.TimeLimitMinutes = TimeLimitDefault(m_game.ShuffleRounds);
    m_game.SecondsLeft = 0;
    m_game.NewGame();
    m_game.cmdpause.enabled = false;
    close();
    // The first game after Apply counts its seconds from 0 like every other
    // game, so that its best time is true.
}

void OptionsPanel::cmdCancel_Click()
{
    m_game.mnutoolsEnabled = true;
    m_game.BoardActive = true;
    close();
    if (m_game.cmdpause.enabled)
        m_game.setClockRunning(true);
    m_game.checkOptionFor(m_game.Difficulty);
}

void OptionsPanel::close()
{
    m_game.windowHeightTwips = kClosedHeightTwips;
    m_game.famOptionsVisible = false;
    m_game.stbtimerVisible = true;
}
