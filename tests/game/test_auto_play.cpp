// Auto play: undoing the move history, newest entry first, one step a tick,
// until the board is solved.
#include "game_flow.h"

#include <QtTest>

using namespace flow;

Q_DECLARE_METATYPE(flow::Situation)

namespace {

const QString kGameOverLine = QStringLiteral("notice:GameOver");

// The recorded codes from `from` on, without the empty last entry.
QStringList codesFrom(const QStringList &history, int from)
{
    return history.mid(from, history.size() - 1 - from);
}

// What the "Game Over" message sees of the game while it is open.
struct UnderGameOver
{
    int shown = 0;
    bool stepper = true;
    bool clock = true;
    bool solved = false;
    int stepsDelivered = -1;
    int replayIndex = -1;
    int elapsed = -1;

    void watch(GameFixture &fx)
    {
        fx.dialogs.whileOpen = [this, &fx](const QString &which) {
            if (which != QLatin1String("notice:GameOver"))
                return;
            ++shown;
            stepper = probe(fx.game).autoPlay.stepping;
            clock = probe(fx.game).clock.running;
            solved = probe(fx.game).board.tiles.isSolved();
            replayIndex = probe(fx.game).autoPlay.replayIndex;
            elapsed = probe(fx.game).clock.elapsedSeconds;
            // Half-second periods pass while the player reads the message
            // (only under the first one, so that a fault cannot recurse).
            if (shown == 1)
                stepsDelivered = autoSteps(fx, 4);
        };
    }
};

// The state an auto play that ended on the solved board leaves behind: a new,
// ready game given back to the player.
void verifyEndedOnFreshGame(GameFixture &fx, int seedsBefore)
{
    QCOMPARE(fx.random.seeds, seedsBefore + 1);
    QVERIFY(!probe(fx.game).autoPlay.stepping);
    QVERIFY(!probe(fx.game).clock.running);
    QVERIFY(!probe(fx.game).autoPlay.used);
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    QVERIFY(!probe(fx.game).clock.underWay);
    QVERIFY(probe(fx.game).clock.firstMovePending);
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, 0);
    QCOMPARE(probe(fx.game).clock.secondsLeft, 0);
    QVERIFY(!probe(fx.game).board.tiles.isSolved());
    QVERIFY(nothingStored(fx));
}

} // namespace

class AutoPlayTest : public QObject
{
    Q_OBJECT

private slots:
    void start_data();
    void start();
    void solvesFreshGame();
    void undoesPlayerMovesNewestFirst();
    void restartAfterStopReversesItsOwnMoves();
    void handSolvedAfterStopIsNotRecorded();
    void replaysVeryLongHistory();
};

void AutoPlayTest::start_data()
{
    QTest::addColumn<Situation>("situation");

    QTest::newRow("fresh game") << Situation::BeforeFirstMove;
    QTest::newRow("game running") << Situation::Running;
    QTest::newRow("after a stopped auto play") << Situation::StoppedAutoPlay;
}

// The start points at the newest recorded move, closes the board and the
// Tools menu, shows "Stop" and marks the game; it leaves the clock alone.
void AutoPlayTest::start()
{
    QFETCH(Situation, situation);

    GameFixture fx;
    QVERIFY(enter(fx, situation));
    const QStringList board = boardAndClock(fx.game);
    const bool clock = probe(fx.game).clock.running;

    fx.game.startAutoPlay();

    QCOMPARE(probe(fx.game).autoPlay.replayIndex, int(historyText(probe(fx.game).board).size()) - 2);
    QVERIFY(!historyText(probe(fx.game).board).at(probe(fx.game).autoPlay.replayIndex).isEmpty());
    QVERIFY(probe(fx.game).autoPlay.stepping);
    QCOMPARE(probe(fx.game).phase, Phase::AutoPlay);
    QVERIFY(probe(fx.game).autoPlay.used);
    QCOMPARE(probe(fx.game).clock.running, clock);

    // Clicks and number-pad keys do nothing while it runs.
    QStringList expected = board;
    expected.replaceInStrings(QRegularExpression(QStringLiteral("^ReplayIndex=.*")),
                              QStringLiteral("ReplayIndex=%1").arg(probe(fx.game).autoPlay.replayIndex));
    expected.replaceInStrings(QStringLiteral("AutoPlayUsed=false"), QStringLiteral("AutoPlayUsed=true"));
    for (int index = 0; index < 16; ++index)
        fx.game.clickTile(index);
    for (const core::TileMove &m : core::kTileMoves)
        fx.game.pressKey(m.padKey);
    QCOMPARE(boardAndClock(fx.game), expected);
    QVERIFY(fx.dialogs.log.isEmpty());
}

// From a fresh Easy game without a move: one step per recorded shuffle move
// at most, the first step starts and primes the clock, and the end is a
// "Game Over" without any record although the time would have been one.
// Under the message the stepper is stopped, so no step moves a tile.
void AutoPlayTest::solvesFreshGame()
{
    GameFixture fx;
    dealGame(fx);
    const QStringList shuffle = codesFrom(historyText(probe(fx.game).board), 1);
    QVERIFY(shuffle.size() <= 60);
    QVERIFY(!probe(fx.game).board.tiles.isSolved());
    const int seedsBefore = fx.random.seeds;
    UnderGameOver under;
    under.watch(fx);

    fx.game.startAutoPlay();
    QCOMPARE(autoSteps(fx, 1), 1);
    QCOMPARE(historyText(probe(fx.game).board).last(), QString());
    QCOMPARE(historyText(probe(fx.game).board).at(historyText(probe(fx.game).board).size() - 2), core::undoCode(shuffle.last()));
    QVERIFY(probe(fx.game).clock.running);
    QVERIFY(probe(fx.game).clock.underWay);
    QVERIFY(!probe(fx.game).clock.firstMovePending);
    QCOMPARE(probe(fx.game).clock.secondsLeft, 60);

    const int steps = 1 + runAutoPlay(fx, 1000);
    QVERIFY2(steps <= shuffle.size(), qPrintable(QStringLiteral("%1 steps").arg(steps)));

    QCOMPARE(fx.dialogs.log, QStringList{kGameOverLine});
    QCOMPARE(under.shown, 1);
    QVERIFY(under.solved);
    QVERIFY(!under.stepper);
    QVERIFY(!under.clock);
    QCOMPARE(under.stepsDelivered, 0);
    QVERIFY(under.elapsed < 480);
    verifyEndedOnFreshGame(fx, seedsBefore);
}

// The player's moves are undone first, newest first; then the shuffle.
void AutoPlayTest::undoesPlayerMovesNewestFirst()
{
    GameFixture fx;
    dealGame(fx);
    const int dealtSize = historyText(probe(fx.game).board).size();
    const QStringList dealtBoard = boardAndClock(fx.game).mid(0, 1);
    QStringList playerCodes;
    for (int i = 0; i < 4; ++i) {
        const QString code = playerMove(fx);
        QVERIFY(!code.isEmpty());
        playerCodes << code;
    }
    QCOMPARE(codesFrom(historyText(probe(fx.game).board), dealtSize - 1), playerCodes);
    clockSeconds(fx, 3);

    fx.game.startAutoPlay();
    const int afterPlayer = historyText(probe(fx.game).board).size();
    QCOMPARE(autoSteps(fx, 4), 4);
    QStringList undone;
    for (auto it = playerCodes.crbegin(); it != playerCodes.crend(); ++it)
        undone << core::undoCode(*it);
    QCOMPARE(codesFrom(historyText(probe(fx.game).board), afterPlayer - 1), undone);
    QCOMPARE(boardAndClock(fx.game).mid(0, 1), dealtBoard);
    QVERIFY(fx.dialogs.log.isEmpty());

    // The fifth step undoes the newest shuffle move.
    const QString newestShuffle = historyText(probe(fx.game).board).at(dealtSize - 2);
    QCOMPARE(probe(fx.game).autoPlay.replayIndex, dealtSize - 2);
    QCOMPARE(autoSteps(fx, 1), 1);
    QCOMPARE(historyText(probe(fx.game).board).at(historyText(probe(fx.game).board).size() - 2), core::undoCode(newestShuffle));

    const int seedsBefore = fx.random.seeds;
    runAutoPlay(fx, 1000);
    QCOMPARE(fx.dialogs.log, QStringList{kGameOverLine});
    verifyEndedOnFreshGame(fx, seedsBefore);
}

// Stopped half-way, the board is part-solved and the clock runs on; a new
// start first reverses the moves the stopped auto play made, then goes on
// down the history and still ends on the solved board.
void AutoPlayTest::restartAfterStopReversesItsOwnMoves()
{
    GameFixture fx;
    dealGame(fx);
    QVERIFY(!playerMove(fx).isEmpty());
    QVERIFY(!playerMove(fx).isEmpty());
    const QStringList beforeFirstRun = boardAndClock(fx.game).mid(0, 1);

    fx.game.startAutoPlay();
    const int firstRunFrom = historyText(probe(fx.game).board).size() - 1;
    QCOMPARE(autoSteps(fx, 6), 6);
    const QStringList firstRunCodes = codesFrom(historyText(probe(fx.game).board), firstRunFrom);
    QCOMPARE(firstRunCodes.size(), 6);

    fx.game.pressPause();
    QVERIFY(fx.dialogs.log.isEmpty());
    QVERIFY(!probe(fx.game).board.tiles.isSolved());
    QVERIFY(boardAndClock(fx.game).mid(0, 1) != beforeFirstRun);
    QVERIFY(probe(fx.game).clock.running);
    const int elapsed = probe(fx.game).clock.elapsedSeconds;
    QCOMPARE(clockSeconds(fx, 3), 3);
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, elapsed + 3);
    QVERIFY(probe(fx.game).autoPlay.used);

    fx.game.startAutoPlay();
    QCOMPARE(probe(fx.game).autoPlay.replayIndex, int(historyText(probe(fx.game).board).size()) - 2);
    const int secondRunFrom = historyText(probe(fx.game).board).size() - 1;
    QCOMPARE(autoSteps(fx, 6), 6);
    QStringList reversed;
    for (auto it = firstRunCodes.crbegin(); it != firstRunCodes.crend(); ++it)
        reversed << core::undoCode(*it);
    QCOMPARE(codesFrom(historyText(probe(fx.game).board), secondRunFrom), reversed);
    QCOMPARE(boardAndClock(fx.game).mid(0, 1), beforeFirstRun);

    const int seedsBefore = fx.random.seeds;
    runAutoPlay(fx, 1000);
    QCOMPARE(fx.dialogs.log, QStringList{kGameOverLine});
    verifyEndedOnFreshGame(fx, seedsBefore);
}

// After an auto play has been stopped the player finishes the board with the
// number pad; the game still ends with "Game Over" and records nothing, even
// with a time far below the best.
void AutoPlayTest::handSolvedAfterStopIsNotRecorded()
{
    GameFixture fx;
    dealGame(fx);
    const int recorded = historyText(probe(fx.game).board).size() - 2;
    QVERIFY(recorded >= 4);

    fx.game.startAutoPlay();
    QCOMPARE(autoSteps(fx, recorded / 2), recorded / 2);
    fx.game.pressPause();
    QVERIFY(fx.dialogs.log.isEmpty());
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    clockSeconds(fx, 10);

    const int seedsBefore = fx.random.seeds;
    UnderGameOver under;
    under.watch(fx);
    // The stopped auto play left the index at the next entry to undo; the
    // player undoes the rest by hand.
    const QStringList history = historyText(probe(fx.game).board);
    for (int i = probe(fx.game).autoPlay.replayIndex; i >= 1 && fx.dialogs.log.isEmpty(); --i)
        fx.game.pressKey(core::undoOf(history.at(i)).padKey);

    QCOMPARE(fx.dialogs.log, QStringList{kGameOverLine});
    QCOMPARE(under.shown, 1);
    QVERIFY(under.solved);
    QVERIFY(under.elapsed < 480);
    verifyEndedOnFreshGame(fx, seedsBefore);
}

// A history of more than 33000 real moves is replayed step by step down to
// the first move, where the board is solved.
void AutoPlayTest::replaysVeryLongHistory()
{
    GameFixture fx;
    // Shuffle: the blank goes up the last column and along the top row to the
    // corner, then stays there (moves refused at the edge are not recorded).
    scriptShuffle(fx, QStringLiteral("333") + QString(57, QLatin1Char('2')));
    dealGame(fx, {.limitMinutes = 300});
    QCOMPARE(historyText(probe(fx.game).board), (QStringList{"", "d", "d", "d", "r", "r", "r", ""}));
    QCOMPARE(probe(fx.game).board.tiles.blankCell(), 0);

    // The top-left tile goes back and forth; the last column stays displaced,
    // so the board is never solved on the way back.
    constexpr int kShuttles = 33000;
    for (int i = 0; i < kShuttles / 2; ++i) {
        probe(fx.game).moveTileLeft();
        probe(fx.game).moveTileRight();
    }
    const int recorded = 6 + kShuttles;
    QCOMPARE(int(historyText(probe(fx.game).board).size()), recorded + 2);
    QVERIFY(!playerMove(fx).isEmpty()); // starts the clock
    QVERIFY(!playerMove(fx).isEmpty());
    const int total = recorded + 2;

    const int seedsBefore = fx.random.seeds;
    UnderGameOver under;
    under.watch(fx);
    fx.game.startAutoPlay();
    QCOMPARE(probe(fx.game).autoPlay.replayIndex, total);

    const int steps = runAutoPlay(fx, total + 10);
    QCOMPARE(steps, total);
    QCOMPARE(fx.dialogs.log, QStringList{kGameOverLine});
    QCOMPARE(under.replayIndex, 1);
    QVERIFY(under.solved);
    QVERIFY(!under.stepper);
    // One clock tick for every two steps before the solving one.
    QCOMPARE(under.elapsed, (total - 1) / 2);
    verifyEndedOnFreshGame(fx, seedsBefore);
}

QTEST_GUILESS_MAIN(AutoPlayTest)
#include "test_auto_play.moc"
