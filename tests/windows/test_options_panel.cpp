// The options panel's logic on a game, without a window.
#include "game_flow.h"

#include "windows/about.h"

#include <QTest>

namespace {

// A game dealt and, when `moved`, under way: its first move made and one
// second played.
void startedGame(GameFixture &f, bool moved)
{
    dealGame(f);
    if (moved) {
        QVERIFY(!flow::playerMove(f).isEmpty());
        f.game.tickClock();
    }
}

QString optionName(const DifficultyLevel *option) { return option ? option->name : QString(); }

} // namespace

Q_DECLARE_METATYPE(const DifficultyLevel *)

class TestOptionsPanel : public QObject
{
    Q_OBJECT

private slots:
    void openClosesOffTheGame_data();
    void openClosesOffTheGame();
    void openShowsLimitInForce_data();
    void openShowsLimitInForce();
    void optionButtonsProposeTheirLimit_data();
    void optionButtonsProposeTheirLimit();
    void applyTakesOrReplacesTheLimit_data();
    void applyTakesOrReplacesTheLimit();
    void applyDealsNewGame_data();
    void applyDealsNewGame();
    void firstGameAfterApplyCountsFromZero();
    void okWithoutChangesStillDealsNewGame();
    void cancelRestoresDifficultyInForce_data();
    void cancelRestoresDifficultyInForce();
    void cancelRestartsClockOnlyForGameUnderWay_data();
    void cancelRestartsClockOnlyForGameUnderWay();
    void helpOrAboutWhilePanelOpen_data();
    void helpOrAboutWhilePanelOpen();
};

void TestOptionsPanel::openClosesOffTheGame_data()
{
    QTest::addColumn<bool>("moved");
    QTest::newRow("before the first move") << false;
    QTest::newRow("game under way") << true;
}

void TestOptionsPanel::openClosesOffTheGame()
{
    QFETCH(bool, moved);
    GameFixture f;
    startedGame(f, moved);
    GameState &game = f.game;
    const QStringList history = historyText(probe(game).board);
    const int elapsed = probe(game).clock.elapsedSeconds;

    game.openOptions();

    QVERIFY(!probe(game).clock.running);
    QCOMPARE(probe(game).phase, Phase::Options);
    QCOMPARE(probe(game).options.limitText, QStringLiteral("10"));
    // The game itself is left as it was.
    QCOMPARE(historyText(probe(game).board), history);
    QCOMPARE(probe(game).clock.elapsedSeconds, elapsed);
    QCOMPARE(probe(game).clock.underWay, moved);
    QCOMPARE(probe(game).options.level, level(u"Easy"));
    QVERIFY(f.dialogs.log.isEmpty());
}

void TestOptionsPanel::openShowsLimitInForce_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "1";
    QTest::newRow("7") << 7 << "7";
    QTest::newRow("60") << 60 << "60";
    QTest::newRow("0") << 0 << "0";
}

void TestOptionsPanel::openShowsLimitInForce()
{
    QFETCH(int, limit);
    QFETCH(QString, text);
    GameFixture f;
    dealGame(f, {level(u"Medium"), qint16(limit)});
    probe(f.game).options.limitText = QStringLiteral("33");
    f.game.openOptions();
    // Plain digits, without the blank the store puts before a number.
    QCOMPARE(probe(f.game).options.limitText, text);
    // The option buttons show the difficulty in force.
    QCOMPARE(probe(f.game).options.level, level(u"Medium"));
}

void TestOptionsPanel::optionButtonsProposeTheirLimit_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<QString>("text");
    QTest::newRow("Easy") << level(u"Easy") << "10";
    QTest::newRow("Medium") << level(u"Medium") << "15";
    QTest::newRow("Hard") << level(u"Hard") << "20";
}

void TestOptionsPanel::optionButtonsProposeTheirLimit()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(QString, text);
    GameFixture f;
    dealGame(f, {.limitMinutes = 42});
    GameState &game = f.game;
    game.openOptions();
    QCOMPARE(probe(game).options.limitText, QStringLiteral("42"));

    game.chooseDifficulty(*option);
    QCOMPARE(probe(game).options.limitText, text);
    QCOMPARE(probe(game).options.level, option);
    // Nothing takes effect before OK.
    QCOMPARE(probe(game).deal.difficulty, QStringLiteral("Easy"));
    QCOMPARE(probe(game).clock.timeLimitMinutes, qint16(42));
    QCOMPARE(probe(game).deal.shuffleRounds, qint16(2));
    QCOMPARE(probe(game).phase, Phase::Options);
}

void TestOptionsPanel::applyTakesOrReplacesTheLimit_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");

    QTest::newRow("60 taken") << level(u"Easy") << "60" << 60;
    QTest::newRow("1 taken") << level(u"Hard") << "1" << 1;
    QTest::newRow("37 taken") << level(u"Medium") << "37" << 37;
    QTest::newRow("61 -> Easy default") << level(u"Easy") << "61" << 10;
    QTest::newRow("61 -> Medium default") << level(u"Medium") << "61" << 15;
    QTest::newRow("99 -> Hard default") << level(u"Hard") << "99" << 20;
    QTest::newRow("0 -> default") << level(u"Medium") << "0" << 15;
    QTest::newRow("empty -> default") << level(u"Easy") << "" << 10;
    QTest::newRow("-5 -> default") << level(u"Hard") << "-5" << 20;
    QTest::newRow("ab -> default") << level(u"Medium") << "ab" << 15;
    QTest::newRow("blank -> default") << level(u"Hard") << " " << 20;
    QTest::newRow("1a -> 1") << level(u"Hard") << "1a" << 1;
    QTest::newRow("7. -> 7") << level(u"Easy") << "7." << 7;
    QTest::newRow(".5 -> 0 minutes") << level(u"Medium") << ".5" << 0;
    QTest::newRow(".6 -> 1 minute") << level(u"Medium") << ".6" << 1;
    QTest::newRow("-0 -> default") << level(u"Easy") << "-0" << 10;
}

void TestOptionsPanel::applyTakesOrReplacesTheLimit()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(QString, text);
    QFETCH(int, limit);

    GameFixture f;
    dealGame(f, {.limitMinutes = 25});
    GameState &game = f.game;
    game.openOptions();
    game.chooseDifficulty(*option);
    // Typed, stepped or pasted: the box ends up holding this text.
    probe(game).options.limitText = text;
    game.applyOptions();

    QCOMPARE(probe(game).clock.timeLimitMinutes, qint16(limit));
    QCOMPARE(probe(game).deal.difficulty, optionName(option));
    QCOMPARE(clockLine(probe(game).clock), QStringLiteral("Timer : %1 : 0").arg(limit));
    QCOMPARE(probe(game).clock.minutesLeft, limit - 1);
    QVERIFY(f.dialogs.log.isEmpty());
}

void TestOptionsPanel::applyDealsNewGame_data()
{
    QTest::addColumn<const DifficultyLevel *>("from");
    QTest::addColumn<const DifficultyLevel *>("to");
    QTest::addColumn<int>("shuffleMoves");

    QTest::newRow("Easy to Hard") << level(u"Easy") << level(u"Hard") << 200;
    QTest::newRow("Hard to Medium") << level(u"Hard") << level(u"Medium") << 120;
    QTest::newRow("Medium to Easy") << level(u"Medium") << level(u"Easy") << 60;
}

void TestOptionsPanel::applyDealsNewGame()
{
    QFETCH(const DifficultyLevel *, from);
    QFETCH(const DifficultyLevel *, to);
    QFETCH(int, shuffleMoves);

    GameFixture f;
    dealGame(f, {from});
    GameState &game = f.game;
    QVERIFY(!flow::playerMove(f).isEmpty());
    for (int i = 0; i < 5; ++i)
        game.tickClock();
    QCOMPARE(probe(game).clock.elapsedSeconds, 5);

    game.openOptions();
    game.chooseDifficulty(*to);
    probe(game).options.limitText = QStringLiteral("12");
    game.applyOptions();

    QCOMPARE(probe(game).phase, Phase::Playing);
    QCOMPARE(probe(game).deal.difficulty, optionName(to));
    QCOMPARE(probe(game).clock.timeLimitMinutes, qint16(12));
    // A new game for the new difficulty: the shuffle counted its moves
    // (those refused at an edge count too, but leave no record).
    QCOMPARE(probe(game).deal.shuffleMoves, shuffleMoves);
    QCOMPARE(probe(game).deal.shuffleDone, shuffleMoves);
    QVERIFY(historyText(probe(game).board).size() > 2);
    QVERIFY(historyText(probe(game).board).size() <= 2 + shuffleMoves);
    QVERIFY(historyText(probe(game).board).first().isEmpty());
    QVERIFY(historyText(probe(game).board).last().isEmpty());
    QVERIFY(probe(game).clock.firstMovePending);
    QVERIFY(!probe(game).clock.running);
    QVERIFY(!probe(game).clock.underWay);
    QCOMPARE(probe(game).clock.secondsLeft, 0);
    QCOMPARE(probe(game).clock.elapsedSeconds, 0);
    QVERIFY(!probe(game).deal.shuffling);
    QCOMPARE(clockLine(probe(game).clock), QStringLiteral("Timer : 12 : 0"));
    QCOMPARE(probe(game).options.level, to);
    // The abandoned game leaves no record.
    QVERIFY(f.dialogs.log.isEmpty());
    QCOMPARE(f.store.read(kApplication, QStringLiteral("Times"), optionName(from), QStringLiteral("none")),
             QStringLiteral("none"));
}

void TestOptionsPanel::firstGameAfterApplyCountsFromZero()
{
    GameFixture f;
    dealGame(f);
    GameState &game = f.game;
    game.openOptions();
    probe(game).options.limitText = QStringLiteral("30");
    game.applyOptions();
    QCOMPARE(probe(game).clock.elapsedSeconds, 0);

    QVERIFY(!flow::playerMove(f).isEmpty());
    game.tickClock();
    game.tickClock();
    QCOMPARE(probe(game).clock.elapsedSeconds, 2);
    QCOMPARE(clockLine(probe(game).clock), QStringLiteral("Timer : 29 : 58"));
}

void TestOptionsPanel::okWithoutChangesStillDealsNewGame()
{
    GameFixture f;
    dealGame(f, {level(u"Medium"), 15});
    GameState &game = f.game;
    QVERIFY(!flow::playerMove(f).isEmpty());
    game.tickClock();
    const QStringList history = historyText(probe(game).board);
    const int seeds = f.random.seeds;

    game.openOptions();
    game.applyOptions();

    QCOMPARE(f.random.seeds, seeds + 1);
    QVERIFY(historyText(probe(game).board) != history);
    QCOMPARE(probe(game).deal.shuffleMoves, 120);
    QVERIFY(historyText(probe(game).board).first().isEmpty());
    QVERIFY(historyText(probe(game).board).last().isEmpty());
    QCOMPARE(probe(game).deal.difficulty, QStringLiteral("Medium"));
    QCOMPARE(probe(game).clock.timeLimitMinutes, qint16(15));
    QVERIFY(probe(game).clock.firstMovePending);
    QVERIFY(!probe(game).clock.running);
    QVERIFY(!probe(game).clock.underWay);
    QCOMPARE(probe(game).clock.elapsedSeconds, 0);
    QCOMPARE(clockLine(probe(game).clock), QStringLiteral("Timer : 15 : 0"));
}

void TestOptionsPanel::cancelRestoresDifficultyInForce_data()
{
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<const DifficultyLevel *>("chosen");
    QTest::addColumn<const DifficultyLevel *>("restored");

    QTest::newRow("Easy, Hard chosen") << "Easy" << level(u"Hard") << level(u"Easy");
    QTest::newRow("Medium, Hard chosen") << "Medium" << level(u"Hard") << level(u"Medium");
    QTest::newRow("Hard, Easy chosen") << "Hard" << level(u"Easy") << level(u"Hard");
    // A name that is none of the three (letter case counts) selects nothing:
    // the buttons stay as the player left them.
    QTest::newRow("hard, Medium chosen") << "hard" << level(u"Medium") << level(u"Medium");
}

void TestOptionsPanel::cancelRestoresDifficultyInForce()
{
    QFETCH(QString, difficulty);
    QFETCH(const DifficultyLevel *, chosen);
    QFETCH(const DifficultyLevel *, restored);

    GameFixture f;
    dealGame(f);
    GameState &game = f.game;
    probe(game).deal.difficulty = difficulty;
    QVERIFY(!flow::playerMove(f).isEmpty());
    const QStringList history = historyText(probe(game).board);
    const Board cells = probe(game).board.tiles;
    const qint16 rounds = probe(game).deal.shuffleRounds;

    game.openOptions();
    game.chooseDifficulty(*chosen);
    game.cancelOptions();

    QCOMPARE(probe(game).options.level, restored);
    QCOMPARE(probe(game).deal.difficulty, difficulty);
    QCOMPARE(probe(game).clock.timeLimitMinutes, qint16(10));
    QCOMPARE(probe(game).deal.shuffleRounds, rounds);
    QCOMPARE(historyText(probe(game).board), history);
    QVERIFY(probe(game).board.tiles == cells);
    QCOMPARE(probe(game).phase, Phase::Playing);

    // The next opening shows the limit in force, not the proposed one.
    game.openOptions();
    QCOMPARE(probe(game).options.limitText, QStringLiteral("10"));
}

void TestOptionsPanel::cancelRestartsClockOnlyForGameUnderWay_data()
{
    QTest::addColumn<bool>("moved");
    QTest::newRow("before the first move") << false;
    QTest::newRow("game under way") << true;
}

void TestOptionsPanel::cancelRestartsClockOnlyForGameUnderWay()
{
    QFETCH(bool, moved);
    GameFixture f;
    startedGame(f, moved);
    GameState &game = f.game;
    const QString clock = clockLine(probe(game).clock);
    const int elapsed = probe(game).clock.elapsedSeconds;

    game.openOptions();
    QVERIFY(!probe(game).clock.running);
    game.cancelOptions();

    QCOMPARE(probe(game).clock.running, moved);
    QCOMPARE(probe(game).clock.underWay, moved);
    QCOMPARE(probe(game).clock.firstMovePending, !moved);
    // The time in the panel is not counted.
    QCOMPARE(clockLine(probe(game).clock), clock);
    QCOMPARE(probe(game).clock.elapsedSeconds, elapsed);
}

void TestOptionsPanel::helpOrAboutWhilePanelOpen_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("moved");
    QTest::newRow("help, game under way") << "help" << true;
    QTest::newRow("About, game under way") << "about" << true;
    QTest::newRow("help, before the first move") << "help" << false;
    QTest::newRow("About, before the first move") << "about" << false;
}

void TestOptionsPanel::helpOrAboutWhilePanelOpen()
{
    QFETCH(QString, window);
    QFETCH(bool, moved);
    GameFixture f;
    dealGame(f);
    GameState &game = f.game;
    if (moved)
        QVERIFY(!flow::playerMove(f).isEmpty());

    game.openOptions();
    QVERIFY(!probe(game).clock.running);
    bool clockWhileOpen = true;
    f.dialogs.whileOpen = [&](const QString &) { clockWhileOpen = probe(game).clock.running; };
    if (window == QLatin1String("help"))
        game.showHowToPlay();
    else
        game.showAbout();
    QCOMPARE(f.dialogs.log.size(), 1);
    QVERIFY(!clockWhileOpen);

    // Kept on purpose: a game under way runs on, although the panel is
    // still open.
    QCOMPARE(probe(game).clock.running, moved);
    QCOMPARE(probe(game).phase, Phase::Options);

    // Cancel then leaves the clock as the game needs it.
    game.cancelOptions();
    QCOMPARE(probe(game).clock.running, moved);
}

QTEST_MAIN(TestOptionsPanel)
#include "test_options_panel.moc"
