// The solved check and the end of a game: game over after auto play, a plain
// win, or a new best time that the winner names and the store keeps.
#include "core_helpers.h"
#include "game_fixture.h"

#include "store/conversions.h"

#include <QtTest>

#include <QDir>
#include <QFileInfo>

namespace {

const QString kNone = QStringLiteral("<none>");

QString stored(const SettingsStore &store, const QString &section, const QString &key)
{
    return store.read(kApplication, section, key, kNone);
}

QString keyOf(const DifficultyLevel *option) { return option ? option->name : QString(); }

// A game in full swing, one move from solved: the tile "15" stands left
// of the blank in the bottom-right corner.
void oneMoveFromSolved(GameFixture &f, int elapsed)
{
    f.layOut(14);
    probe(f.game).clock.firstMovePending = false;
    probe(f.game).clock.secondsLeft = 20;
    probe(f.game).clock.minutesLeft = 2;
    probe(f.game).clock.elapsedSeconds = elapsed;
    probe(f.game).setClockRunning(true);
    probe(f.game).clock.underWay = true;
}

// What every end of a game leaves: the clock stopped and its counters at 0,
// the pause button disabled, and a new board waiting for its first move.
void compareNextGameReady(const GameFixture &f, const QStringList &oldHistory)
{
    QVERIFY(!probe(f.game).clock.running);
    QCOMPARE(probe(f.game).clock.secondsLeft, 0);
    QCOMPARE(probe(f.game).clock.elapsedSeconds, 0);
    QVERIFY(!probe(f.game).clock.underWay);
    QVERIFY(probe(f.game).clock.firstMovePending);
    QVERIFY(historyText(probe(f.game).board) != oldHistory);
}

} // namespace

Q_DECLARE_METATYPE(const DifficultyLevel *)

class TestSolvedCheck : public QObject
{
    Q_OBJECT

private slots:
    void checkSolved_data();
    void checkSolved();
    void gameOverAfterAutoPlay_data();
    void gameOverAfterAutoPlay();
    void recordOrPlainWin_data();
    void recordOrPlainWin();
    void winnerIsAskedBeforeAnythingIsStored();
    void recordAgainstTheFileAsItIsNow_data();
    void recordAgainstTheFileAsItIsNow();
    void unknownDifficultyStoresAndShowsNothing_data();
    void unknownDifficultyStoresAndShowsNothing();
    void wholeGameWonByUndoingTheShuffle_data();
    void wholeGameWonByUndoingTheShuffle();
};

void TestSolvedCheck::checkSolved_data()
{
    QTest::addColumn<QString>("arrangement");
    QTest::addColumn<bool>("solved");
    QTest::newRow("solved") << "solved" << true;
    QTest::newRow("14 and 15 swapped") << "swapped" << false;
    QTest::newRow("blank at 14") << "blank 14" << false;
    QTest::newRow("blank at 0") << "blank 0" << false;
}

void TestSolvedCheck::checkSolved()
{
    QFETCH(QString, arrangement);
    QFETCH(bool, solved);

    GameFixture f;
    dealGame(f);
    f.layOut(arrangement == u"blank 14" ? 14 : arrangement == u"blank 0" ? 0 : 15);
    if (arrangement == u"swapped") {
        std::array<int, Board::kCells> tiles{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, Board::kBlank};
        probe(f.game).board.tiles = Board(tiles);
    }
    probe(f.game).board.solved = !solved;
    probe(f.game).clock.elapsedSeconds = 500; // a plain win, should it be one
    probe(f.game).setClockRunning(true);
    probe(f.game).clock.underWay = true;
    const QStringList board = core::boardText(f.game);
    const QStringList history = historyText(probe(f.game).board);

    probe(f.game).checkSolved();

    QCOMPARE(probe(f.game).board.solved, solved);
    if (solved) {
        QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:plain")});
        compareNextGameReady(f, history);
    } else {
        // Nothing else happens on an unsolved board.
        QVERIFY(f.dialogs.log.isEmpty());
        QCOMPARE(core::boardText(f.game), board);
        QCOMPARE(historyText(probe(f.game).board), history);
        QVERIFY(probe(f.game).clock.running);
        QVERIFY(probe(f.game).clock.underWay);
        QCOMPARE(probe(f.game).clock.elapsedSeconds, 500);
    }
}

void TestSolvedCheck::gameOverAfterAutoPlay_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::newRow("Easy") << level(u"Easy");
    QTest::newRow("Medium") << level(u"Medium");
    QTest::newRow("Hard") << level(u"Hard");
}

void TestSolvedCheck::gameOverAfterAutoPlay()
{
    // Auto play was used (and stopped again): the last move by hand solves
    // the board in a time that would otherwise be a record.
    QFETCH(const DifficultyLevel *, option);
    GameFixture f;
    dealGame(f, {option});
    oneMoveFromSolved(f, 10);
    probe(f.game).autoPlay.used = true;
    const QStringList history = historyText(probe(f.game).board);
    bool clockStoppedFirst = false;
    f.dialogs.whileOpen = [&](const QString &) { clockStoppedFirst = !probe(f.game).clock.running; };

    f.game.clickTile(15);

    QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("notice:GameOver")});
    QVERIFY(clockStoppedFirst);
    QVERIFY(!QFileInfo::exists(f.store.filePath(kApplication)));
    QCOMPARE(stored(f.store, QStringLiteral("Names"), keyOf(option)), kNone);
    QCOMPARE(stored(f.store, QStringLiteral("Times"), keyOf(option)), kNone);
    compareNextGameReady(f, history);
}

void TestSolvedCheck::recordOrPlainWin_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<QString>("storedTime"); // empty: nothing stored
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<bool>("record");
    QTest::addColumn<double>("bestAfter");

    const auto easy = level(u"Easy");
    const auto medium = level(u"Medium");
    const auto hard = level(u"Hard");
    // Nothing stored: the best time is 480 seconds.
    QTest::newRow("Easy, none stored, 479") << easy << QString() << 479 << true << 479.0;
    QTest::newRow("Easy, none stored, 480") << easy << QString() << 480 << false << 480.0;
    QTest::newRow("Easy, none stored, 481") << easy << QString() << 481 << false << 480.0;
    QTest::newRow("Medium, none stored, 479") << medium << QString() << 479 << true << 479.0;
    QTest::newRow("Medium, none stored, 480") << medium << QString() << 480 << false << 480.0;
    QTest::newRow("Hard, none stored, 479") << hard << QString() << 479 << true << 479.0;
    QTest::newRow("Hard, none stored, 480") << hard << QString() << 480 << false << 480.0;
    // A stored best time must be beaten, not equalled.
    QTest::newRow("Hard, ' 95', 94") << hard << " 95" << 94 << true << 94.0;
    QTest::newRow("Hard, ' 95', 95") << hard << " 95" << 95 << false << 95.0;
    QTest::newRow("Hard, ' 95', 96") << hard << " 95" << 96 << false << 95.0;
    QTest::newRow("Medium, ' 200', 199") << medium << " 200" << 199 << true << 199.0;
    QTest::newRow("Medium, ' 200', 200") << medium << " 200" << 200 << false << 200.0;
    QTest::newRow("Easy, ' 95', 94") << easy << " 95" << 94 << true << 94.0;
    QTest::newRow("Easy, ' 95', 95") << easy << " 95" << 95 << false << 95.0;
    QTest::newRow("Easy, ' 95', 0") << easy << " 95" << 0 << true << 0.0;
    // Easy and Medium keep a fraction; Hard rounds it to a whole second.
    QTest::newRow("Easy, '12.5', 12") << easy << "12.5" << 12 << true << 12.0;
    QTest::newRow("Easy, '12.5', 13") << easy << "12.5" << 13 << false << 12.5;
    QTest::newRow("Medium, '12.5', 12") << medium << "12.5" << 12 << true << 12.0;
    QTest::newRow("Hard, '12.5', 12") << hard << "12.5" << 12 << false << 12.0;
    QTest::newRow("Hard, '12.5', 11") << hard << "12.5" << 11 << true << 11.0;
    // A best time that reads as 0 cannot be beaten.
    QTest::newRow("Easy, 'abc', 0") << easy << "abc" << 0 << false << 0.0;
}

void TestSolvedCheck::recordOrPlainWin()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(QString, storedTime);
    QFETCH(int, elapsed);
    QFETCH(bool, record);
    QFETCH(double, bestAfter);

    const QString key = keyOf(option);
    GameFixture f(11);
    f.dialogs.winnerName = QStringLiteral("Ann Lee");
    if (!storedTime.isEmpty())
        QVERIFY(f.store.write(kApplication, QStringLiteral("Times"), key, storedTime));
    dealGame(f, {option});
    oneMoveFromSolved(f, elapsed);
    const QStringList history = historyText(probe(f.game).board);

    f.game.clickTile(15);

    QVERIFY(probe(f.game).board.solved);
    if (record) {
        QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:top")});
        QCOMPARE(stored(f.store, QStringLiteral("Names"), key), QStringLiteral("Ann Lee"));
        QCOMPARE(stored(f.store, QStringLiteral("Times"), key), NumberText(elapsed));
    } else {
        QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:plain")});
        QCOMPARE(stored(f.store, QStringLiteral("Names"), key), kNone);
        QCOMPARE(stored(f.store, QStringLiteral("Times"), key),
                 storedTime.isEmpty() ? kNone : storedTime);
    }
    // The other difficulties are left alone.
    for (const DifficultyLevel *other : {level(u"Easy"), level(u"Medium"), level(u"Hard")}) {
        if (other == option)
            continue;
        QCOMPARE(stored(f.store, QStringLiteral("Names"), keyOf(other)), kNone);
        QCOMPARE(stored(f.store, QStringLiteral("Times"), keyOf(other)), kNone);
    }

    compareNextGameReady(f, history);
    QCOMPARE(probe(f.game).deal.difficulty, key);
    // The new game reloaded the best times: a new record is in force at once.
    const double best = f.scores.BestTimes[levelIndex(*option)];
    QCOMPARE(best, bestAfter);
}

void TestSolvedCheck::winnerIsAskedBeforeAnythingIsStored()
{
    GameFixture f(12);
    QVERIFY(f.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral(" 95")));
    dealGame(f, {level(u"Hard")});
    QCOMPARE(int(f.scores.BestTimes[2]), 95);
    oneMoveFromSolved(f, 94);
    f.dialogs.winnerName = QStringLiteral("Ann Lee");
    const QByteArray fileBefore = fileBytes(f.store.filePath(kApplication));

    bool asked = false;
    f.dialogs.whileOpen = [&](const QString &dialog) {
        QCOMPARE(dialog, QStringLiteral("winner"));
        asked = true;
        // The window opens with the clock stopped, knowing that the time is
        // a record, and nothing has been stored yet.
        QVERIFY(!probe(f.game).clock.running);
        QVERIFY(f.scores.GotTopTime);
        QCOMPARE(fileBytes(f.store.filePath(kApplication)), fileBefore);
        QCOMPARE(stored(f.store, QStringLiteral("Names"), QStringLiteral("Hard")), kNone);
        QCOMPARE(stored(f.store, QStringLiteral("Times"), QStringLiteral("Hard")), QStringLiteral(" 95"));
        // The name the player types is read when the window has closed.
        f.dialogs.winnerName = QStringLiteral("Bo  Chen");
    };

    f.game.clickTile(15);

    QVERIFY(asked);
    QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:top")});
    QCOMPARE(stored(f.store, QStringLiteral("Names"), QStringLiteral("Hard")), QStringLiteral("Bo  Chen"));
    QCOMPARE(stored(f.store, QStringLiteral("Times"), QStringLiteral("Hard")), QStringLiteral(" 94"));
    QCOMPARE(int(f.scores.BestTimes[2]), 94);

    // Another store object on the same folder reads the record under the
    // names the high-score window uses.
    SettingsStore fresh(f.dir.path());
    QCOMPARE(fresh.read(QStringLiteral("taviqgame"), QStringLiteral("names"), QStringLiteral("hard"), kNone),
             QStringLiteral("Bo  Chen"));
    QCOMPARE(fresh.read(kApplication, QStringLiteral("Times"), QStringLiteral("hard"), kNone),
             QStringLiteral(" 94"));
}

void TestSolvedCheck::recordAgainstTheFileAsItIsNow_data()
{
    // When another copy of the game stores 50 s (or the file becomes a
    // folder), and what this game, won in 100 s against the 480 s it was
    // dealt with, then shows and leaves in force.
    QTest::addColumn<QString>("when");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("inForce");

    QTest::newRow("a better time stored since the deal")
        << QStringLiteral("deal") << QStringList{QStringLiteral("winner:plain")} << QStringLiteral(" 50");
    QTest::newRow("a better time stored while the winner types")
        << QStringLiteral("winner")
        << QStringList{QStringLiteral("winner:top"),
                       QStringLiteral("notice:BetterTime")}
        << QStringLiteral(" 50");
    QTest::newRow("a file that cannot be written")
        << QStringLiteral("unwritable")
        << QStringList{QStringLiteral("winner:top"),
                       QStringLiteral("notsaved:BestTime|IsFolder")}
        << QStringLiteral(" 100");
}

void TestSolvedCheck::recordAgainstTheFileAsItIsNow()
{
    QFETCH(QString, when);
    QFETCH(QStringList, shown);
    QFETCH(QString, inForce);

    GameFixture f(13);
    SettingsStore otherCopy(f.dir.path());
    const auto storeBetterTime = [&] {
        QVERIFY(otherCopy.write(kApplication, {{QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Bo")},
                                               {QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" 50")}}));
    };
    dealGame(f);
    QCOMPARE(f.scores.BestTimes[0], 480.0);
    if (when == u"deal")
        storeBetterTime();
    if (when == u"unwritable")
        QVERIFY(QDir().mkpath(f.store.filePath(kApplication)));
    f.dialogs.whileOpen = [&](const QString &dialog) {
        if (dialog == u"winner" && when == u"winner")
            storeBetterTime();
    };
    oneMoveFromSolved(f, 100);

    f.game.clickTile(15);

    QCOMPARE(f.dialogs.log, shown);
    // The store, the next game and the high-score window go by what is in force.
    QCOMPARE(stored(f.store, QStringLiteral("Times"), QStringLiteral("Easy")), inForce);
    QCOMPARE(f.scores.BestTimes[0], inForce.toDouble());
    if (when != u"unwritable") {
        QCOMPARE(SettingsStore(f.dir.path()).read(kApplication, QStringLiteral("Names"), QStringLiteral("Easy"), kNone),
                 QStringLiteral("Bo"));
    }
}

void TestSolvedCheck::unknownDifficultyStoresAndShowsNothing_data()
{
    QTest::addColumn<QString>("difficulty");
    QTest::newRow("wrong case") << QStringLiteral("easy");
    QTest::newRow("unknown name") << QStringLiteral("Expert");
    QTest::newRow("empty") << QString();
}

void TestSolvedCheck::unknownDifficultyStoresAndShowsNothing()
{
    QFETCH(QString, difficulty);
    GameFixture f(13);
    dealGame(f);
    oneMoveFromSolved(f, 10);
    probe(f.game).deal.difficulty = difficulty;
    const QStringList history = historyText(probe(f.game).board);

    f.game.clickTile(15);

    QVERIFY(probe(f.game).board.solved);
    QVERIFY(f.dialogs.log.isEmpty());
    QVERIFY(!QFileInfo::exists(f.store.filePath(kApplication)));
    // The next game is dealt all the same, with the difficulty of the buttons.
    compareNextGameReady(f, history);
    QCOMPARE(probe(f.game).deal.difficulty, QStringLiteral("Easy"));
}

void TestSolvedCheck::wholeGameWonByUndoingTheShuffle_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<unsigned long long>("seed");
    // Shuffles whose recorded moves never pass through the solved board on
    // the way back (a move refused at the edge can sit between a move and
    // its reverse, so some shuffles begin by undoing themselves).
    QTest::newRow("Easy") << level(u"Easy") << 21ULL;
    QTest::newRow("Medium") << level(u"Medium") << 23ULL;
    QTest::newRow("Hard") << level(u"Hard") << 25ULL;
}

void TestSolvedCheck::wholeGameWonByUndoingTheShuffle()
{
    // A player who remembers the shuffle clicks it back, newest move first,
    // while the clock ticks once every three clicks.
    QFETCH(const DifficultyLevel *, option);
    QFETCH(unsigned long long, seed);
    const QString key = keyOf(option);

    GameFixture f(seed);
    f.dialogs.winnerName = QStringLiteral("Cleo");
    dealGame(f, {option});
    const QStringList moves = core::recordedMoves(historyText(probe(f.game).board));
    QVERIFY(!moves.isEmpty());

    int ticks = 0;
    for (qsizetype i = moves.size() - 1; i >= 0; --i) {
        QVERIFY2(f.dialogs.log.isEmpty(), "the game ended before the last move");
        const int blank = core::hiddenCell(f.game);
        const int cell = core::cellThatUndoes(blank, moves.at(i));
        QVERIFY(cell >= 0 && cell < 16);
        QVERIFY(probe(f.game).board.tiles.tileAt(cell) != Board::kBlank);
        const qsizetype historyBefore = historyText(probe(f.game).board).size();
        f.game.clickTile(cell);
        if (i > 0) {
            QCOMPARE(historyText(probe(f.game).board).size(), historyBefore + 1);
            QVERIFY(probe(f.game).clock.running);
            QVERIFY(!probe(f.game).clock.firstMovePending);
            if ((moves.size() - i) % 3 == 0) {
                f.game.tickClock();
                ++ticks;
            }
        }
    }

    QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:top")});
    QVERIFY(!probe(f.game).clock.running);
    QVERIFY(probe(f.game).clock.firstMovePending);
    QCOMPARE(probe(f.game).clock.elapsedSeconds, 0);

    SettingsStore fresh(f.dir.path());
    QCOMPARE(fresh.read(kApplication, QStringLiteral("Names"), key.toLower(), kNone), QStringLiteral("Cleo"));
    QCOMPARE(fresh.read(kApplication, QStringLiteral("Times"), key, kNone), NumberText(ticks));
    const double best = f.scores.BestTimes[levelIndex(*option)];
    QCOMPARE(best, double(ticks));
}

QTEST_GUILESS_MAIN(TestSolvedCheck)
#include "test_solved_check.moc"
