#pragma once

#include <QString>

#include <span>


// One difficulty level: everything the game deals, stores and reads for it.
// A further difficulty is one more row here and its look in the windows.
struct DifficultyLevel
{
    // How its best time is held once read from the store: as the real number
    // written there, or rounded to a 16-bit whole number.
    enum class BestTime { RealNumber, Whole16Bit };

    // The stored name, also the text the game compares: "Easy".
    QString name;
    // The shuffle of a new game: rounds, and moves in each round.
    qint16 shuffleRounds;
    qint16 movesPerRound;
    // The time limit the options panel proposes for it, in minutes.
    qint16 defaultLimitMinutes;
    // The key its best time and winner's name are read under in the
    // high-score window ("medium" for "Medium"; the store minds no case).
    QString scoreKeyRead;
    BestTime bestTime;
};

// Easy, Medium and Hard, in the order of the option buttons, of the
// high-score rows and of the best times.
std::span<const DifficultyLevel> difficultyLevels();

// The difficulty's place in the table, which is also its best time's place
// among the score variables.
int levelIndex(const DifficultyLevel &level);

// The difficulty with exactly this name, letter case included; none for any
// other text.
const DifficultyLevel *levelNamed(const QString &name);
// The difficulty of a new game's shuffle-round count.
const DifficultyLevel *levelWithRounds(int shuffleRounds);

// The best time in seconds that a text read from the store stands for. A
// text that is not a number reads as 0; a number the difficulty's variable
// cannot hold falls back to the default best time.
double bestTimeFromText(const DifficultyLevel &level, const QString &text);
