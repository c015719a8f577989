// Move requests: clicks on the cells, the number-pad keys, and what every
// request does around its tile move (the clock, the pause button, the solved
// check and the first-move countdown).
#include "core_helpers.h"
#include "game_fixture.h"

#include <QtTest>

namespace {

// How often the how-to-play help was shown.
int helpShown(const GameFixture &f)
{
    int shown = 0;
    for (const QString &entry : f.dialogs.log)
        shown += entry == QStringLiteral("notice:HowToPlay") ? 1 : 0;
    return shown;
}

struct Snapshot
{
    QStringList board;
    QStringList history;
    bool clock;
    bool pauseEnabled;
    int secondsLeft;
    bool firstMovePending;
    QStringList dialogs;
};

Snapshot snapshot(const GameFixture &f)
{
    return {core::boardText(f.game), historyText(probe(f.game).board), probe(f.game).clock.running,
            probe(f.game).clock.underWay, probe(f.game).clock.secondsLeft, probe(f.game).clock.firstMovePending, f.dialogs.log};
}

void compareUnchanged(const GameFixture &f, const Snapshot &before)
{
    const Snapshot after = snapshot(f);
    QCOMPARE(after.board, before.board);
    QCOMPARE(after.history, before.history);
    QCOMPARE(after.clock, before.clock);
    QCOMPARE(after.pauseEnabled, before.pauseEnabled);
    QCOMPARE(after.secondsLeft, before.secondsLeft);
    QCOMPARE(after.firstMovePending, before.firstMovePending);
    QCOMPARE(after.dialogs, before.dialogs);
}

// Checks what a request on a fresh game leaves behind: the clock started,
// pause enabled, the countdown primed, and the tile moved (or not).
void compareRequested(const GameFixture &f, const QStringList &boardBefore, int blank,
                      const QString &code, int newBlank)
{
    QVERIFY(probe(f.game).clock.running);
    QVERIFY(probe(f.game).clock.underWay);
    QCOMPARE(probe(f.game).clock.secondsLeft, 60);
    QVERIFY(!probe(f.game).clock.firstMovePending);
    QVERIFY(!probe(f.game).board.solved);
    QVERIFY(f.dialogs.log.isEmpty());
    if (code.isEmpty()) {
        QCOMPARE(core::boardText(f.game), boardBefore);
        QCOMPARE(historyText(probe(f.game).board), (QStringList{QString(), QString()}));
        return;
    }
    QStringList expected = boardBefore;
    expected[blank] = boardBefore.at(newBlank);
    expected[newBlank] = QStringLiteral("_");
    QCOMPARE(core::boardText(f.game), expected);
    QCOMPARE(historyText(probe(f.game).board), (QStringList{QString(), code, QString()}));
}

} // namespace

class TestMoveRequests : public QObject
{
    Q_OBJECT

private slots:
    void click_data();
    void click();
    void key_data();
    void key();
    void nothingWhileTheBoardIsInactive();
    void onlyTheFirstRequestPrimesTheSeconds();
    void requestThatSolvesEndsTheGame_data();
    void requestThatSolvesEndsTheGame();
    void refusedRequestOnASolvedBoardEndsTheGame_data();
    void refusedRequestOnASolvedBoardEndsTheGame();
};

void TestMoveRequests::click_data()
{
    QTest::addColumn<int>("blank");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("request");
    QTest::addColumn<QString>("code");

    // A neighbour's tile moves into the blank.
    QTest::newRow("left of the blank") << 5 << 4 << true << QStringLiteral("r");
    QTest::newRow("right of the blank") << 5 << 6 << true << QStringLiteral("l");
    QTest::newRow("below the blank") << 5 << 9 << true << QStringLiteral("u");
    QTest::newRow("above the blank") << 5 << 1 << true << QStringLiteral("d");
    QTest::newRow("blank 15, cell 14") << 15 << 14 << true << QStringLiteral("r");
    QTest::newRow("blank 15, cell 11") << 15 << 11 << true << QStringLiteral("d");
    QTest::newRow("blank 0, cell 1") << 0 << 1 << true << QStringLiteral("l");
    QTest::newRow("blank 0, cell 4") << 0 << 4 << true << QStringLiteral("u");
    QTest::newRow("blank 12, cell 8") << 12 << 8 << true << QStringLiteral("d");
    // The end of one row next to the start of the next: a request, but the
    // tile move refuses to wrap.
    QTest::newRow("cell 3, blank 4") << 4 << 3 << true << QString();
    QTest::newRow("cell 4, blank 3") << 3 << 4 << true << QString();
    QTest::newRow("cell 8, blank 7") << 7 << 8 << true << QString();
    QTest::newRow("cell 7, blank 8") << 8 << 7 << true << QString();
    QTest::newRow("cell 12, blank 11") << 11 << 12 << true << QString();
    // Not next to the blank.
    QTest::newRow("diagonal up-left") << 5 << 0 << false << QString();
    QTest::newRow("diagonal up-right") << 5 << 2 << false << QString();
    QTest::newRow("diagonal down-left") << 5 << 8 << false << QString();
    QTest::newRow("diagonal down-right") << 5 << 10 << false << QString();
    QTest::newRow("two to the right") << 5 << 7 << false << QString();
    QTest::newRow("two below") << 5 << 13 << false << QString();
    QTest::newRow("two to the left") << 14 << 12 << false << QString();
    QTest::newRow("two above") << 14 << 6 << false << QString();
    QTest::newRow("far corner") << 0 << 15 << false << QString();
    QTest::newRow("blank 3, diagonal cell 6") << 3 << 6 << false << QString();
}

void TestMoveRequests::click()
{
    QFETCH(int, blank);
    QFETCH(int, cell);
    QFETCH(bool, request);
    QFETCH(QString, code);

    GameFixture f;
    dealGame(f, {.blank = blank});
    QVERIFY(probe(f.game).clock.firstMovePending);
    QCOMPARE(probe(f.game).clock.secondsLeft, 0);
    QVERIFY(!probe(f.game).clock.running);
    const Snapshot before = snapshot(f);

    f.game.clickTile(cell);

    if (!request) {
        compareUnchanged(f, before);
        return;
    }
    compareRequested(f, before.board, blank, code, cell);
}

void TestMoveRequests::key_data()
{
    QTest::addColumn<KeyCommand>("key");
    QTest::addColumn<int>("blank");
    QTest::addColumn<bool>("request");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("moved");
    QTest::addColumn<int>("help");

    QTest::newRow("pad 8 moves the tile below up") << KeyCommand::MoveUp << 5 << true << "u" << 9 << 0;
    QTest::newRow("pad 2 moves the tile above down") << KeyCommand::MoveDown << 5 << true << "d" << 1 << 0;
    QTest::newRow("pad 4 moves the tile on the right left") << KeyCommand::MoveLeft << 5 << true << "l" << 6 << 0;
    QTest::newRow("pad 6 moves the tile on the left right") << KeyCommand::MoveRight << 5 << true << "r" << 4 << 0;
    // Refused at the edge, but still a request that starts the clock.
    QTest::newRow("pad 8, blank in the bottom row") << KeyCommand::MoveUp << 13 << true << "" << -1 << 0;
    QTest::newRow("pad 2, blank in the top row") << KeyCommand::MoveDown << 1 << true << "" << -1 << 0;
    QTest::newRow("pad 4, blank in the right column") << KeyCommand::MoveLeft << 7 << true << "" << -1 << 0;
    QTest::newRow("pad 6, blank in the left column") << KeyCommand::MoveRight << 4 << true << "" << -1 << 0;
    QTest::newRow("F1 asks for the help") << KeyCommand::Help << 5 << false << "" << -1 << 1;
}

void TestMoveRequests::key()
{
    QFETCH(KeyCommand, key);
    QFETCH(int, blank);
    QFETCH(bool, request);
    QFETCH(QString, code);
    QFETCH(int, moved);
    QFETCH(int, help);

    GameFixture f;
    dealGame(f, {.blank = blank});
    const Snapshot before = snapshot(f);

    f.game.pressKey(key);

    QCOMPARE(helpShown(f), help);
    if (!request) {
        const Snapshot after = snapshot(f);
        QCOMPARE(after.board, before.board);
        QCOMPARE(after.history, before.history);
        QCOMPARE(after.clock, false);
        QCOMPARE(after.pauseEnabled, false);
        QCOMPARE(after.secondsLeft, 0);
        QVERIFY(after.firstMovePending);
        return;
    }
    compareRequested(f, before.board, blank, code, moved);
}

void TestMoveRequests::nothingWhileTheBoardIsInactive()
{
    // Paused, options panel open or auto play running: no click and no key
    // does anything, F1 included.
    GameFixture f;
    dealGame(f, {.blank = 5});
    for (Phase phase : {Phase::Paused, Phase::AutoPlay, Phase::Options}) {
        probe(f.game).phase = phase;
        const Snapshot before = snapshot(f);

        for (int cell : {1, 4, 6, 9})
            f.game.clickTile(cell);
        for (KeyCommand key : {KeyCommand::MoveUp, KeyCommand::MoveDown, KeyCommand::MoveLeft, KeyCommand::MoveRight,
                               KeyCommand::Help})
            f.game.pressKey(key);

        compareUnchanged(f, before);
        QCOMPARE(helpShown(f), 0);
    }

    // In play again, the same click moves.
    probe(f.game).phase = Phase::Playing;
    f.game.clickTile(4);
    QCOMPARE(core::recordedMoves(historyText(probe(f.game).board)), QStringList{"r"});
}

void TestMoveRequests::onlyTheFirstRequestPrimesTheSeconds()
{
    GameFixture f;
    dealGame(f, {.blank = 5});
    f.game.clickTile(4); // blank now at 4
    QCOMPARE(probe(f.game).clock.secondsLeft, 60);
    QVERIFY(!probe(f.game).clock.firstMovePending);

    // The clock has counted some seconds down; later requests leave them.
    probe(f.game).clock.secondsLeft = 42;
    f.game.clickTile(5);  // blank back to 5
    f.game.pressKey(KeyCommand::MoveUp);  // blank to 9
    f.game.clickTile(5);  // the tile above comes down: blank to 5
    QCOMPARE(probe(f.game).clock.secondsLeft, 42);
    QVERIFY(!probe(f.game).clock.firstMovePending);
    QVERIFY(probe(f.game).clock.running);
    QCOMPARE(core::recordedMoves(historyText(probe(f.game).board)), (QStringList{"r", "l", "u", "d"}));
}

void TestMoveRequests::requestThatSolvesEndsTheGame_data()
{
    QTest::addColumn<int>("blank");
    QTest::addColumn<int>("cell"); // -1: by key
    QTest::addColumn<KeyCommand>("key");
    QTest::addColumn<bool>("firstMove");

    QTest::newRow("click from the left, first move") << 14 << 15 << KeyCommand::Help << true;
    QTest::newRow("click from the left, later move") << 14 << 15 << KeyCommand::Help << false;
    QTest::newRow("pad 4, first move") << 14 << -1 << KeyCommand::MoveLeft << true;
    QTest::newRow("pad 4, later move") << 14 << -1 << KeyCommand::MoveLeft << false;
}

void TestMoveRequests::requestThatSolvesEndsTheGame()
{
    QFETCH(int, blank);
    QFETCH(int, cell);
    QFETCH(KeyCommand, key);
    QFETCH(bool, firstMove);

    GameFixture f(9);
    dealGame(f, {.blank = blank});
    if (!firstMove) {
        probe(f.game).clock.firstMovePending = false;
        probe(f.game).clock.secondsLeft = 33;
        probe(f.game).setClockRunning(true);
        probe(f.game).clock.underWay = true;
    }
    probe(f.game).clock.elapsedSeconds = 30;
    const QStringList history = historyText(probe(f.game).board);

    if (cell >= 0)
        f.game.clickTile(cell);
    else
        f.game.pressKey(key);

    QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:top")});
    QVERIFY(probe(f.game).board.solved);
    // The next game waits for its own first move.
    QVERIFY(!probe(f.game).clock.running);
    QVERIFY(!probe(f.game).clock.underWay);
    QVERIFY(probe(f.game).clock.firstMovePending);
    QCOMPARE(probe(f.game).clock.secondsLeft, 0);
    QCOMPARE(probe(f.game).clock.elapsedSeconds, 0);
    // A new board was dealt.
    QVERIFY(historyText(probe(f.game).board) != history);
}

void TestMoveRequests::refusedRequestOnASolvedBoardEndsTheGame_data()
{
    QTest::addColumn<KeyCommand>("key");
    QTest::newRow("pad 8") << KeyCommand::MoveUp;
    QTest::newRow("pad 4") << KeyCommand::MoveLeft;
}

void TestMoveRequests::refusedRequestOnASolvedBoardEndsTheGame()
{
    // A shuffle may happen to leave the board solved: the first request
    // ends that game, although its own move is refused.
    QFETCH(KeyCommand, key);
    GameFixture f(4);
    dealGame(f, {.blank = 15});
    probe(f.game).clock.elapsedSeconds = 0;

    f.game.pressKey(key);

    QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:top")});
    QVERIFY(probe(f.game).clock.firstMovePending);
    QVERIFY(!probe(f.game).clock.running);
    QVERIFY(!probe(f.game).clock.underWay);
    QCOMPARE(probe(f.game).clock.secondsLeft, 0);
    // A new board was dealt.
    QVERIFY(historyText(probe(f.game).board).size() > 2);
}

QTEST_GUILESS_MAIN(TestMoveRequests)
#include "test_move_requests.moc"
