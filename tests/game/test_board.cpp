// The board: the four tile moves and the move history.
#include "core_helpers.h"
#include "game_fixture.h"

#include <QtTest>

#include <algorithm>

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void tileMove_data();
    void tileMove();
    void movesInARow_data();
    void movesInARow();
    void randomWalkKeepsOneBlankAndAllTiles();
};

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
    setHistory(probe(f.game).board, QStringList{QString(), QString()});
    const QStringList before = core::boardText(f.game);

    core::makeMove(f.game, move);

    if (!moved) {
        QCOMPARE(core::boardText(f.game), before);
        QCOMPARE(historyText(probe(f.game).board), (QStringList{QString(), QString()}));
        return;
    }

    QStringList expected = before;
    expected[blank] = before.at(newBlank);
    expected[newBlank] = QStringLiteral("_");
    QCOMPARE(core::boardText(f.game), expected);
    QCOMPARE(historyText(probe(f.game).board), (QStringList{QString(), move, QString()}));
}

void TestBoard::movesInARow_data()
{
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<QString>("board");

    // From the solved board; the history keeps the moves made, in order.
    QTest::newRow("right, then down") << "rd" << QStringList{"", "r", "d", ""}
                                      << "1 2 3 4 5 6 7 8 9 10 _ 12 13 14 11 15";
    // Refused moves between made ones leave no gap and no entry.
    QTest::newRow("refused moves between") << "ulrudl" << QStringList{"", "r", "d", "l", ""}
                                           << "1 2 3 4 5 6 7 8 9 10 12 _ 13 14 11 15";
    // Each move finds the blank anew: three moves right carry it across the
    // bottom row, the fourth is refused at the edge.
    QTest::newRow("right up to the edge") << "rrrr" << QStringList{"", "r", "r", "r", ""}
                                          << "1 2 3 4 5 6 7 8 9 10 11 12 _ 13 14 15";
}

void TestBoard::movesInARow()
{
    QFETCH(QString, moves);
    QFETCH(QStringList, history);
    QFETCH(QString, board);

    GameFixture f;
    f.layOut(15);
    setHistory(probe(f.game).board, QStringList{QString(), QString()});
    for (qsizetype i = 0; i < moves.size(); ++i)
        core::makeMove(f.game, QStringView(moves).sliced(i, 1));
    QCOMPARE(historyText(probe(f.game).board), history);
    QCOMPARE(core::boardText(f.game), board.split(u' '));
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
        setHistory(probe(f.game).board, QStringList{QString(), QString()});
        QStringList executed;
        for (int step = 0; step < 300; ++step) {
            const core::TileMove &move = core::kTileMoves[int(random.next() * 4)];
            const int blankBefore = core::hiddenCell(f.game);
            const QStringList before = core::boardText(f.game);
            (probe(f.game).*move.move)();
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
        }
        QStringList numbers = core::boardText(f.game);
        std::sort(numbers.begin(), numbers.end(),
                  [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        QStringList all{QStringLiteral("_")};
        for (int n = 1; n <= 15; ++n)
            all << QString::number(n);
        QCOMPARE(numbers, all);
        QCOMPARE(core::recordedMoves(historyText(probe(f.game).board)), executed);
        QVERIFY(core::wellFormedHistory(historyText(probe(f.game).board)));
    }
}

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
