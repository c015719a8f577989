// The board: finding the blank, the four tile moves and the move history.
#include "core_helpers.h"
#include "game_fixture.h"

#include <QtTest>

#include <algorithm>

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void locateBlank_data();
    void locateBlank();
    void locateBlankTakesTheFirstHiddenCell();
    void tileMove_data();
    void tileMove();
    void historyRecordsMovesInOrder();
    void refusedMovesRecordNothing();
    void firstMoveOverwritesTheUnseenSixteen_data();
    void firstMoveOverwritesTheUnseenSixteen();
    void blankIndexStaysStaleUntilLocated();
    void movesFindTheBlankThemselves();
    void randomWalkKeepsOneBlankAndAllTiles();
};

void TestBoard::locateBlank_data()
{
    QTest::addColumn<int>("blank");
    for (int blank : {0, 3, 4, 5, 10, 12, 15})
        QTest::addRow("blank at %d", blank) << blank;
}

void TestBoard::locateBlank()
{
    QFETCH(int, blank);
    GameFixture f;
    f.layOut(blank);
    probe(f.game).board.BlankIndex = 7;
    if (blank == 7)
        probe(f.game).board.BlankIndex = 0;
    f.game.locateBlank();
    QCOMPARE(int(probe(f.game).board.BlankIndex), blank);
}

void TestBoard::locateBlankTakesTheFirstHiddenCell()
{
    // The blank is known by its visibility alone: a hidden cell with a
    // caption is still the blank, and the lowest hidden index wins.
    GameFixture f;
    f.layOut(15);
    probe(f.game).board.cmdcheck[9].visible = false;
    probe(f.game).board.cmdcheck[6].visible = false;
    f.game.locateBlank();
    QCOMPARE(int(probe(f.game).board.BlankIndex), 6);

    probe(f.game).labelCells();
    for (Cell &cell : probe(f.game).board.cmdcheck)
        cell.visible = true;
    probe(f.game).board.cmdcheck[15].visible = false;
    f.game.locateBlank();
    QCOMPARE(int(probe(f.game).board.BlankIndex), 15);
    QCOMPARE(probe(f.game).board.cmdcheck[15].caption, QStringLiteral("16"));
}

void TestBoard::tileMove_data()
{
    QTest::addColumn<int>("blank");
    QTest::addColumn<QString>("move");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<int>("newBlank");

    struct Row
    {
        int blank;
        const char *move;
        int newBlank; // -1: refused
    };
    const Row rows[] = {
        // Bottom-right corner (the solved position).
        {15, "u", -1}, {15, "l", -1}, {15, "r", 14}, {15, "d", 11},
        // Top-left corner: n = -4 and n = -1 are both refused.
        {0, "d", -1}, {0, "r", -1}, {0, "u", 4}, {0, "l", 1},
        // Top-right corner: no wrap into cell 4 of the next row.
        {3, "l", -1}, {3, "d", -1}, {3, "r", 2}, {3, "u", 7},
        // Left edge of the second row: no wrap back into cell 3.
        {4, "r", -1}, {4, "l", 5}, {4, "u", 8}, {4, "d", 0},
        // Bottom-left corner.
        {12, "u", -1}, {12, "r", -1}, {12, "l", 13}, {12, "d", 8},
        // Inside the board every move is possible.
        {5, "u", 9}, {5, "d", 1}, {5, "l", 6}, {5, "r", 4},
        // The other row ends guard against wrapping too.
        {7, "l", -1}, {8, "r", -1}, {11, "l", -1}, {11, "r", 10},
        {1, "d", -1}, {14, "u", -1}, {13, "d", 9},
    };
    for (const Row &row : rows) {
        QTest::addRow("blank %d, %s", row.blank, row.move)
            << row.blank << QString::fromLatin1(row.move) << (row.newBlank >= 0)
            << row.newBlank;
    }
}

void TestBoard::tileMove()
{
    QFETCH(int, blank);
    QFETCH(QString, move);
    QFETCH(bool, moved);
    QFETCH(int, newBlank);

    GameFixture f;
    f.layOut(blank);
    probe(f.game).board.MoveHistory = QStringList{QString(), QString()};
    // A stale index from an earlier position: the move must find the blank.
    probe(f.game).board.BlankIndex = static_cast<qint16>(blank == 9 ? 2 : 9);
    const QStringList before = core::boardText(f.game);

    core::makeMove(f.game, move);

    if (!moved) {
        QCOMPARE(core::boardText(f.game), before);
        QCOMPARE(probe(f.game).board.MoveHistory, (QStringList{QString(), QString()}));
        // The locator ran all the same.
        QCOMPARE(int(probe(f.game).board.BlankIndex), blank);
        return;
    }

    QStringList expected = before;
    expected[blank] = before.at(newBlank);
    expected[newBlank] = QStringLiteral("[]");
    QCOMPARE(core::boardText(f.game), expected);
    QCOMPARE(probe(f.game).board.cmdcheck[newBlank].caption, QString());
    QCOMPARE(probe(f.game).board.MoveHistory, (QStringList{QString(), move, QString()}));
    QCOMPARE(core::hiddenCount(f.game), 1);
    // The index still names the cell the tile moved into.
    QCOMPARE(int(probe(f.game).board.BlankIndex), blank);
    f.game.locateBlank();
    QCOMPARE(int(probe(f.game).board.BlankIndex), newBlank);
}

void TestBoard::historyRecordsMovesInOrder()
{
    GameFixture f;
    f.layOut(15);
    probe(f.game).board.MoveHistory = QStringList{QString(), QString()};

    f.game.moveTileRight();
    QCOMPARE(probe(f.game).board.MoveHistory, (QStringList{"", "r", ""}));
    f.game.moveTileDown();
    QCOMPARE(probe(f.game).board.MoveHistory, (QStringList{"", "r", "d", ""}));
    QCOMPARE(core::hiddenCell(f.game), 10);
    QCOMPARE(core::boardText(f.game),
             (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "[]", "12", "13",
                          "14", "11", "15"}));
}

void TestBoard::refusedMovesRecordNothing()
{
    // Refused moves between executed ones leave no gap and no entry.
    GameFixture f;
    f.layOut(15);
    probe(f.game).board.MoveHistory = QStringList{QString(), QString()};
    f.game.moveTileUp();    // refused: bottom row
    f.game.moveTileLeft();  // refused: right column
    f.game.moveTileRight(); // blank to 14
    f.game.moveTileUp();    // refused
    f.game.moveTileDown();  // blank to 10
    f.game.moveTileLeft();  // blank to 11
    QCOMPARE(probe(f.game).board.MoveHistory, (QStringList{"", "r", "d", "l", ""}));
}

void TestBoard::firstMoveOverwritesTheUnseenSixteen_data()
{
    QTest::addColumn<QString>("move");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("tile");
    QTest::newRow("right") << QStringLiteral("r") << 14 << QStringLiteral("15");
    QTest::newRow("down") << QStringLiteral("d") << 11 << QStringLiteral("12");
}

void TestBoard::firstMoveOverwritesTheUnseenSixteen()
{
    QFETCH(QString, move);
    QFETCH(int, from);
    QFETCH(QString, tile);

    GameFixture f;
    probe(f.game).labelCells();
    QCOMPARE(probe(f.game).board.cmdcheck[15].caption, QStringLiteral("16"));
    QVERIFY(!probe(f.game).board.cmdcheck[15].visible);

    core::makeMove(f.game, move);

    QCOMPARE(probe(f.game).board.cmdcheck[15].caption, tile);
    QVERIFY(probe(f.game).board.cmdcheck[15].visible);
    QCOMPARE(probe(f.game).board.cmdcheck[from].caption, QString());
    QVERIFY(!probe(f.game).board.cmdcheck[from].visible);
    // No "16" is left anywhere on the board.
    for (const Cell &cell : probe(f.game).board.cmdcheck)
        QVERIFY(cell.caption != u"16");
}

void TestBoard::blankIndexStaysStaleUntilLocated()
{
    GameFixture f;
    f.layOut(10);
    f.game.locateBlank();
    QCOMPARE(int(probe(f.game).board.BlankIndex), 10);

    f.game.moveTileUp(); // the tile of cell 14 moves up; the blank is now at 14
    QCOMPARE(core::hiddenCell(f.game), 14);
    QCOMPARE(int(probe(f.game).board.BlankIndex), 10);

    f.game.moveTileLeft(); // locates 14 first, then the tile of 15 moves left
    QCOMPARE(core::hiddenCell(f.game), 15);
    QCOMPARE(int(probe(f.game).board.BlankIndex), 14);

    f.game.locateBlank();
    QCOMPARE(int(probe(f.game).board.BlankIndex), 15);
}

void TestBoard::movesFindTheBlankThemselves()
{
    // Repeated moves each find the blank anew: three moves right carry the
    // blank across the bottom row, the fourth is refused at the edge.
    GameFixture f;
    f.layOut(15);
    probe(f.game).board.MoveHistory = QStringList{QString(), QString()};
    for (int i = 0; i < 4; ++i)
        f.game.moveTileRight();
    QCOMPARE(probe(f.game).board.MoveHistory, (QStringList{"", "r", "r", "r", ""}));
    QCOMPARE(core::boardText(f.game),
             (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "[]",
                          "13", "14", "15"}));
}

void TestBoard::randomWalkKeepsOneBlankAndAllTiles()
{
    // Whatever sequence of moves is made, exactly one cell stays hidden, the
    // fifteen numbers stay on the board, and the history grows by one entry
    // per executed move only.
    for (unsigned long long seed = 1; seed <= 20; ++seed) {
        GameFixture f;
        SeededRandom random(seed);
        f.layOut(int(random.next() * 16));
        probe(f.game).board.MoveHistory = QStringList{QString(), QString()};
        QStringList executed;
        for (int step = 0; step < 300; ++step) {
            const core::TileMove &move = core::kTileMoves[int(random.next() * 4)];
            const int blankBefore = core::hiddenCell(f.game);
            const QStringList before = core::boardText(f.game);
            (f.game.*move.move)();
            const int blankAfter = core::hiddenCell(f.game);
            if (blankAfter != blankBefore) {
                executed << move.code.toString();
                // The blank travels one cell, to where the tile came from.
                QCOMPARE(blankAfter, blankBefore + move.tileOffset);
                QCOMPARE(blankAfter / 4 == blankBefore / 4 || blankAfter % 4 == blankBefore % 4,
                         true);
            } else {
                QCOMPARE(core::boardText(f.game), before);
            }
            QCOMPARE(core::hiddenCount(f.game), 1);
        }
        QStringList numbers;
        for (const Cell &cell : probe(f.game).board.cmdcheck) {
            if (cell.visible)
                numbers << cell.caption;
        }
        std::sort(numbers.begin(), numbers.end(),
                  [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        QStringList all;
        for (int n = 1; n <= 15; ++n)
            all << QString::number(n);
        QCOMPARE(numbers, all);
        QCOMPARE(core::recordedMoves(probe(f.game).board.MoveHistory), executed);
        QVERIFY(core::wellFormedHistory(probe(f.game).board.MoveHistory));
    }
}

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
