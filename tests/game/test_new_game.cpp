// Dealing a new game: the difficulty from the option buttons, the best times
// from the store, the shuffle and the state a fresh game starts in.
#include "core_helpers.h"
#include "game_fixture.h"
#include "store/entries.h"

#include <QtTest>

#include <cmath>

namespace {

// A game whose random source keeps a log of its draws.
struct RecordedGame
{
    explicit RecordedGame(unsigned long long seed)
        : store(dir.path())
        , random(seed)
        , dialogs(scores)
        , game(store, scores, random)
        , progress(game)
    {
        game.setDialogs(&dialogs);
        game.setObserver(&progress);
    }

    QTemporaryDir dir{scratchTemplate()};
    SettingsStore store;
    ScoreVariables scores;
    RecordingRandom random;
    ScriptedDialogs dialogs;
    GameState game;
    ProgressRecorder progress;
};

// The shuffle moves of each difficulty: 60, 120 and 200.
int totalMoves(const DifficultyLevel *option)
{
    if (option == level(u"Easy"))
        return 60;
    if (option == level(u"Medium"))
        return 120;
    if (option == level(u"Hard"))
        return 200;
    return 0;
}

int direction(double r) { return int(std::floor(r * 4 + 1)); }

bool reverses(int d, int previous)
{
    return (d == 1 && previous == 2) || (d == 2 && previous == 1) || (d == 3 && previous == 4)
           || (d == 4 && previous == 3);
}

QString codeOf(int d)
{
    static const char *const codes[] = {"", "l", "r", "d", "u"};
    return QString::fromLatin1(codes[d]);
}

void addDifficultyColumns()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<int>("total");
}

void addDifficultyRows()
{
    QTest::newRow("Easy") << level(u"Easy") << QStringLiteral("Easy") << 60;
    QTest::newRow("Medium") << level(u"Medium") << QStringLiteral("Medium") << 120;
    QTest::newRow("Hard") << level(u"Hard") << QStringLiteral("Hard") << 200;
}

} // namespace

Q_DECLARE_METATYPE(const DifficultyLevel *)

class TestNewGame : public QObject
{
    Q_OBJECT

private slots:
    void readDifficulty_data();
    void readDifficulty();
    void shuffleCountsEveryMoveOnce_data();
    void shuffleCountsEveryMoveOnce();
    void directionsFollowTheDraws_data();
    void directionsFollowTheDraws();
    void previousDirectionStartsFreshEachGame();
    void stateAfterNewGame_data();
    void stateAfterNewGame();
    void bestTimesReloaded_data();
    void bestTimesReloaded();
    void bestTimesReloadedAtEveryNewGame();
    void randomSourceSeededOncePerGame();
    void undoingTheHistorySolvesTheBoard_data();
    void undoingTheHistorySolvesTheBoard();
};

void TestNewGame::readDifficulty_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("perRound");
    QTest::newRow("Easy") << level(u"Easy") << QStringLiteral("Easy") << 2 << 30;
    QTest::newRow("Medium") << level(u"Medium") << QStringLiteral("Medium") << 3 << 40;
    QTest::newRow("Hard") << level(u"Hard") << QStringLiteral("Hard") << 4 << 50;
    // No button checked: everything stays as it was.
    QTest::newRow("none checked") << static_cast<const DifficultyLevel *>(nullptr) << QStringLiteral("Before") << 7 << 9;
}

void TestNewGame::readDifficulty()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(QString, difficulty);
    QFETCH(int, rounds);
    QFETCH(int, perRound);

    GameFixture f;
    probe(f.game).deal.difficulty = QStringLiteral("Before");
    probe(f.game).deal.shuffleRounds = 7;
    probe(f.game).deal.movesPerRound = 9;
    probe(f.game).options.level = option;
    probe(f.game).readDifficulty();
    QCOMPARE(probe(f.game).deal.difficulty, difficulty);
    QCOMPARE(int(probe(f.game).deal.shuffleRounds), rounds);
    QCOMPARE(int(probe(f.game).deal.movesPerRound), perRound);
    QCOMPARE(probe(f.game).options.level, option);
}

void TestNewGame::shuffleCountsEveryMoveOnce_data()
{
    addDifficultyColumns();
    QTest::addColumn<unsigned long long>("seed");
    for (unsigned long long seed : {1ULL, 7ULL, 42ULL, 1234ULL, 99991ULL}) {
        QTest::addRow("Easy, seed %llu", seed) << level(u"Easy") << QStringLiteral("Easy") << 60 << seed;
        QTest::addRow("Medium, seed %llu", seed) << level(u"Medium") << QStringLiteral("Medium") << 120 << seed;
        QTest::addRow("Hard, seed %llu", seed) << level(u"Hard") << QStringLiteral("Hard") << 200 << seed;
    }
}

void TestNewGame::shuffleCountsEveryMoveOnce()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(int, total);
    QFETCH(unsigned long long, seed);

    RecordedGame g(seed);
    probe(g.game).options.level = option;
    probe(g.game).clock.timeLimitMinutes = 10;
    g.progress.expectedMax = total;
    probe(g.game).newGame();

    // The bar is set after every draw, reversals included, while it is shown
    // with its full range; it ends at the number of counted moves.
    const std::vector<int> &values = g.progress.values;
    QCOMPARE(values.size(), g.random.draws.size());
    QCOMPARE(g.progress.hiddenWhileCounting, 0);
    QCOMPARE(g.progress.wrongRange, 0);
    QCOMPARE(probe(g.game).deal.shuffleMoves, total);
    QCOMPARE(probe(g.game).deal.shuffleDone, total);
    QVERIFY(!probe(g.game).deal.shuffling);

    // Read each draw as counted (the bar went up) or redrawn (it did not).
    int previous = 0;
    int counted = 0;
    QStringList countedCodes;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int d = direction(g.random.draws[i]);
        QVERIFY(d >= 1 && d <= 4);
        const int step = values[i] - (i == 0 ? 0 : values[i - 1]);
        QVERIFY2(step == 0 || step == 1, qPrintable(QStringLiteral("draw %1").arg(i)));
        if (step == 1) {
            QVERIFY2(!reverses(d, previous),
                     qPrintable(QStringLiteral("draw %1 reverses the move before").arg(i)));
            previous = d;
            ++counted;
            countedCodes << codeOf(d);
        } else {
            QVERIFY2(reverses(d, previous),
                     qPrintable(QStringLiteral("draw %1 was not counted").arg(i)));
        }
    }
    QCOMPARE(counted, total);

    // The recorded moves are the counted moves that were not refused, in
    // the order they were made.
    QVERIFY(core::wellFormedHistory(historyText(probe(g.game).board)));
    const QStringList recorded = core::recordedMoves(historyText(probe(g.game).board));
    QVERIFY(recorded.size() <= total);
    qsizetype next = 0;
    for (const QString &code : countedCodes) {
        if (next < recorded.size() && recorded.at(next) == code)
            ++next;
    }
    QCOMPARE(next, recorded.size());
}

void TestNewGame::directionsFollowTheDraws_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QStringList>("recorded");
    QTest::addColumn<int>("blank");
    QTest::addColumn<QList<int>>("redrawn"); // the draws that do not count

    // `first`, then `rest` up to `count` draws in all.
    const auto draws = [](QList<double> first, qsizetype count, double rest) {
        first.resize(count, rest);
        return first;
    };
    // The same direction over and over: never a reversal, so exactly 60
    // draws, and the blank runs to the edge and stays there.
    QTest::newRow("0 is left") << draws({}, 60, 0.0) << QStringList{} << 15 << QList<int>{};
    QTest::newRow("just below 0.25 is left") << draws({}, 60, 0.2499) << QStringList{} << 15 << QList<int>{};
    QTest::newRow("0.25 is right") << draws({}, 60, 0.25) << QStringList{"r", "r", "r"} << 12 << QList<int>{};
    QTest::newRow("0.5 is down") << draws({}, 60, 0.5) << QStringList{"d", "d", "d"} << 3 << QList<int>{};
    QTest::newRow("0.75 is up") << draws({}, 60, 0.75) << QStringList{} << 15 << QList<int>{};
    QTest::newRow("just below 1 is up") << draws({}, 60, 0.99999) << QStringList{} << 15 << QList<int>{};
    // Up is refused on the solved board but counts; the down that follows is
    // its reverse and is drawn again. Then right moves, the left that would
    // undo it is drawn again, and down and left move.
    QTest::newRow("reverse of a refused move") << draws({0.75, 0.5, 0.25, 0.0, 0.5}, 62, 0.0)
                                               << QStringList{"r", "d", "l"} << 11 << QList<int>{1, 3};
    // Round one ends with a move right (its 30th move, after 29 refused ups);
    // the left drawn first in round two is its reverse and does not count.
    QTest::newRow("reverse across rounds") << draws(QList<double>(29, 0.75) + QList<double>{0.25, 0.0, 0.5}, 61, 0.0)
                                           << QStringList{"r", "d", "l"} << 11 << QList<int>{30};
}

void TestNewGame::directionsFollowTheDraws()
{
    QFETCH(QList<double>, draws);
    QFETCH(QStringList, recorded);
    QFETCH(int, blank);
    QFETCH(QList<int>, redrawn);

    GameFixture f;
    ProgressRecorder progress(f.game);
    f.game.setObserver(&progress);
    f.random.values.assign(draws.begin(), draws.end());
    dealGame(f);

    // The bar goes up at every counted draw and stands still at a redrawn one.
    std::vector<int> expected;
    int counted = 0;
    for (qsizetype i = 0; i < draws.size(); ++i)
        expected.push_back(redrawn.contains(i) ? counted : ++counted);
    QCOMPARE(progress.values, expected);
    QCOMPARE(progress.values.back(), 60);
    QCOMPARE(core::recordedMoves(historyText(probe(f.game).board)), recorded);
    QCOMPARE(core::hiddenCell(f.game), blank);
}

void TestNewGame::previousDirectionStartsFreshEachGame()
{
    // The first game ends on a left; the right that opens the second game
    // counts, since each shuffle starts with no previous direction.
    GameFixture f;
    ProgressRecorder progress(f.game);
    f.game.setObserver(&progress);
    f.random.values.assign(60, 0.0);
    f.random.values.push_back(0.25);
    f.random.values.push_back(0.5);
    f.random.values.resize(120, 0.0);
    dealGame(f);
    QCOMPARE(core::recordedMoves(historyText(probe(f.game).board)), QStringList{});

    progress.clear();
    probe(f.game).newGame();
    QCOMPARE(core::recordedMoves(historyText(probe(f.game).board)), (QStringList{"r", "d", "l"}));
    QCOMPARE(progress.values.size(), std::size_t(60));
    QCOMPARE(progress.values.front(), 1);
}

void TestNewGame::stateAfterNewGame_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("clock");
    QTest::newRow("Easy, 10") << level(u"Easy") << QStringLiteral("Easy") << 10
                              << QStringLiteral("Timer : 10 : 0");
    QTest::newRow("Medium, 10") << level(u"Medium") << QStringLiteral("Medium") << 10
                                << QStringLiteral("Timer : 10 : 0");
    QTest::newRow("Hard, 10") << level(u"Hard") << QStringLiteral("Hard") << 10
                              << QStringLiteral("Timer : 10 : 0");
    QTest::newRow("Hard, 25") << level(u"Hard") << QStringLiteral("Hard") << 25
                              << QStringLiteral("Timer : 25 : 0");
    QTest::newRow("Easy, 1") << level(u"Easy") << QStringLiteral("Easy") << 1
                             << QStringLiteral("Timer : 1 : 0");
    QTest::newRow("Medium, 0") << level(u"Medium") << QStringLiteral("Medium") << 0
                               << QStringLiteral("Timer : 0 : 0");
}

void TestNewGame::stateAfterNewGame()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(QString, difficulty);
    QFETCH(int, limit);
    QFETCH(QString, clock);

    GameFixture f(5);
    GameState &g = f.game;
    // Whatever the game before left behind.
    probe(g).options.level = option;
    probe(g).clock.timeLimitMinutes = static_cast<qint16>(limit);
    probe(g).clock.secondsLeft = 37;
    probe(g).clock.minutesLeft = 3;
    probe(g).clock.elapsedSeconds = 123;
    probe(g).clock.firstMovePending = false;
    probe(g).autoPlay.used = true;
    f.scores.GotTopTime = true;
    probe(g).setClockRunning(true);
    probe(g).clock.reading = ClockReading{1, 2};
    setHistory(probe(g).board, QStringList{"", "u", "l", ""});
    f.layOut(6);
    // What a new game leaves to its callers.
    probe(g).clock.underWay = false;
    probe(g).setAutoStepperRunning(true);
    probe(g).phase = Phase::AutoPlay;
    probe(g).autoPlay.replayIndex = 17;
    probe(g).board.solved = true;

    probe(g).newGame();

    QCOMPARE(probe(g).clock.secondsLeft, 0);
    QVERIFY(!probe(g).clock.running);
    QVERIFY(probe(g).clock.firstMovePending);
    QCOMPARE(probe(g).clock.minutesLeft, limit - 1);
    QCOMPARE(clockLine(probe(g).clock), clock);
    QCOMPARE(probe(g).deal.difficulty, difficulty);
    QVERIFY(!f.scores.GotTopTime);
    QVERIFY(!probe(g).autoPlay.used);
    QCOMPARE(probe(g).clock.elapsedSeconds, 0);
    QVERIFY(!probe(g).deal.shuffling);
    QCOMPARE(probe(g).deal.shuffleMoves, totalMoves(option));
    QCOMPARE(probe(g).deal.shuffleDone, totalMoves(option));
    QCOMPARE(int(probe(g).clock.timeLimitMinutes), limit);

    // The board was laid out afresh before the shuffle: one blank, and the
    // history (which starts anew) leads back to the solved board.
    QVERIFY(core::wellFormedHistory(historyText(probe(g).board)));
    core::undoHistory(g);
    QVERIFY(core::showsSolvedBoard(g));

    QCOMPARE(probe(g).phase, Phase::AutoPlay);
    QVERIFY(!probe(g).clock.underWay);
    QVERIFY(probe(g).autoPlay.stepping);
    QCOMPARE(probe(g).autoPlay.replayIndex, 17);
    QVERIFY(probe(g).board.solved);
}

void TestNewGame::bestTimesReloaded_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("easy");
    QTest::addColumn<double>("medium");
    QTest::addColumn<int>("hard");

    QTest::newRow("nothing stored") << QString() << QString() << 480.0 << 480.0 << 480;
    QTest::newRow("Easy ' 95'") << "Easy" << " 95" << 95.0 << 480.0 << 480;
    QTest::newRow("Medium ' 95'") << "Medium" << " 95" << 480.0 << 95.0 << 480;
    QTest::newRow("Hard ' 95'") << "Hard" << " 95" << 480.0 << 480.0 << 95;
    QTest::newRow("Easy not a number") << "Easy" << "abc" << 0.0 << 480.0 << 480;
    QTest::newRow("Medium not a number") << "Medium" << "x12" << 480.0 << 0.0 << 480;
    QTest::newRow("Hard not a number") << "Hard" << "abc" << 480.0 << 480.0 << 0;
    QTest::newRow("Easy digits then letters") << "Easy" << "300s" << 300.0 << 480.0 << 480;
    QTest::newRow("Easy keeps a fraction") << "Easy" << "12.5" << 12.5 << 480.0 << 480;
    QTest::newRow("Hard 12.5 rounds to even") << "Hard" << "12.5" << 480.0 << 480.0 << 12;
    QTest::newRow("Hard 13.5 rounds to even") << "Hard" << "13.5" << 480.0 << 480.0 << 14;
    QTest::newRow("Hard beyond 16 bits") << "Hard" << "40000" << 480.0 << 480.0 << 480;
    QTest::newRow("Hard below 16 bits") << "Hard" << "-40000" << 480.0 << 480.0 << 480;
    QTest::newRow("Hard at the 16-bit edge") << "Hard" << "32767" << 480.0 << 480.0 << 32767;
    QTest::newRow("Easy beyond a double") << "Easy" << "1e400" << 480.0 << 480.0 << 480;
    QTest::newRow("Medium beyond a double") << "Medium" << "-1e400" << 480.0 << 480.0 << 480;
    QTest::newRow("Easy large but finite") << "Easy" << "1e300" << 1e300 << 480.0 << 480;
    // Names of settings compare without regard to case.
    QTest::newRow("key written as 'hard'") << "hard" << " 77" << 480.0 << 480.0 << 77;
    QTest::newRow("key written as 'MEDIUM'") << "MEDIUM" << " 88" << 480.0 << 88.0 << 480;
}

void TestNewGame::bestTimesReloaded()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(double, easy);
    QFETCH(double, medium);
    QFETCH(int, hard);

    GameFixture f;
    if (!key.isEmpty())
        QVERIFY(f.store.write(kApplication, QStringLiteral("Times"), key, text));
    f.scores.BestTimes = {1, 2, 3};
    dealGame(f);
    QCOMPARE(f.scores.BestTimes[0], easy);
    QCOMPARE(f.scores.BestTimes[1], medium);
    QCOMPARE(int(f.scores.BestTimes[2]), hard);
}

void TestNewGame::bestTimesReloadedAtEveryNewGame()
{
    GameFixture f;
    dealGame(f, {level(u"Medium")});
    QCOMPARE(f.scores.BestTimes[1], 480.0);
    QVERIFY(f.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Medium"), QStringLiteral(" 77")));
    QVERIFY(f.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral(" 66")));
    QCOMPARE(f.scores.BestTimes[1], 480.0);
    probe(f.game).newGame();
    QCOMPARE(f.scores.BestTimes[1], 77.0);
    QCOMPARE(int(f.scores.BestTimes[2]), 66);
    QCOMPARE(f.scores.BestTimes[0], 480.0);
}

void TestNewGame::randomSourceSeededOncePerGame()
{
    RecordedGame g(3);
    probe(g.game).options.level = level(u"Easy");
    probe(g.game).newGame();
    QCOMPARE(g.random.seeds, 1);
    // Seeded before the first draw.
    QCOMPARE(g.random.events.front(), -1.0);
    const std::size_t firstGame = g.random.events.size();

    probe(g.game).options.level = level(u"Hard");
    probe(g.game).newGame();
    QCOMPARE(g.random.seeds, 2);
    QCOMPARE(g.random.events.at(firstGame), -1.0);
    QCOMPARE(std::count(g.random.events.begin(), g.random.events.end(), -1.0), 2);

    GameFixture f;
    probe(f.game).newGame();
    probe(f.game).newGame();
    probe(f.game).newGame();
    QCOMPARE(f.random.seeds, 3);
}

void TestNewGame::undoingTheHistorySolvesTheBoard_data()
{
    addDifficultyColumns();
    addDifficultyRows();
}

void TestNewGame::undoingTheHistorySolvesTheBoard()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(int, total);

    int longest = 0;
    for (unsigned long long seed = 1; seed <= 200; ++seed) {
        GameFixture f(seed);
        dealGame(f, {option});

        const QStringList history = historyText(probe(f.game).board);
        QVERIFY(core::wellFormedHistory(history));
        const int recorded = int(history.size()) - 2;
        QVERIFY(recorded <= total);
        longest = std::max(longest, recorded);

        // Every recorded move can be taken back, newest first.
        QCOMPARE(core::undoHistory(f.game), recorded);
        QVERIFY2(core::showsSolvedBoard(f.game), qPrintable(QStringLiteral("seed %1").arg(seed)));
    }
    // Over so many games the shuffle does move tiles.
    QVERIFY(longest > total / 2);
}

QTEST_GUILESS_MAIN(TestNewGame)
#include "test_new_game.moc"
