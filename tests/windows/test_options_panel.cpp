// The options panel's logic on a game, without a window.
#include "game_flow.h"

#include "windows/about.h"
#include "windows/how_to_play.h"
#include "windows/options_panel.h"

#include <QTest>

namespace {

// The first game as the first activation deals it.
void start(GameFixture &f, DifficultyOption option = DifficultyOption::Easy, qint16 limit = 10)
{
    flow::startGame(f, limit, option);
}

// Makes the first move of the game, whichever tile can move.
void firstMove(GameState &game)
{
    game.LocateBlank();
    const int blank = game.BlankIndex;
    game.cmdcheck_Click(blank % 4 == 0 ? blank + 1 : blank - 1);
    QVERIFY(game.cmdpause.enabled);
    QVERIFY(game.tmrtimeEnabled);
    QVERIFY(!game.FirstMovePending);
}

// A game dealt and, when `moved`, under way: its first move made and one
// second played.
void startedGame(GameFixture &f, bool moved)
{
    start(f);
    if (moved) {
        firstMove(f.game);
        f.game.tmrtime_Timer();
    }
}

QString optionName(DifficultyOption option)
{
    switch (option) {
    case DifficultyOption::Easy: return QStringLiteral("Easy");
    case DifficultyOption::Medium: return QStringLiteral("Medium");
    case DifficultyOption::Hard: return QStringLiteral("Hard");
    case DifficultyOption::None: break;
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(DifficultyOption)

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
    void boardIgnoresInputWhilePanelOpen();
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
    const QStringList history = game.MoveHistory;
    const int elapsed = game.ElapsedSeconds;

    OptionsPanel(game).mnuoptions_Click();

    QVERIFY(!game.mnutoolsEnabled);
    QVERIFY(!game.tmrtimeEnabled);
    QCOMPARE(game.windowHeightTwips, 3285);
    QVERIFY(game.famOptionsVisible);
    QVERIFY(!game.stbtimerVisible);
    QVERIFY(!game.BoardActive);
    QCOMPARE(game.txtlimit, QStringLiteral("10"));
    // The game itself is left as it was.
    QCOMPARE(game.MoveHistory, history);
    QCOMPARE(game.ElapsedSeconds, elapsed);
    QCOMPARE(game.cmdpause.enabled, moved);
    QCOMPARE(game.checkedOption, DifficultyOption::Easy);
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
    start(f, DifficultyOption::Medium, qint16(limit));
    f.game.txtlimit = QStringLiteral("33");
    OptionsPanel(f.game).mnuoptions_Click();
    // Plain digits, without the blank the store puts before a number.
    QCOMPARE(f.game.txtlimit, text);
    // The option buttons show the difficulty in force.
    QCOMPARE(f.game.checkedOption, DifficultyOption::Medium);
}

void TestOptionsPanel::optionButtonsProposeTheirLimit_data()
{
    QTest::addColumn<DifficultyOption>("option");
    QTest::addColumn<QString>("text");
    QTest::newRow("Easy") << DifficultyOption::Easy << "10";
    QTest::newRow("Medium") << DifficultyOption::Medium << "15";
    QTest::newRow("Hard") << DifficultyOption::Hard << "20";
}

void TestOptionsPanel::optionButtonsProposeTheirLimit()
{
    QFETCH(DifficultyOption, option);
    QFETCH(QString, text);
    GameFixture f;
    start(f, DifficultyOption::Easy, 42);
    GameState &game = f.game;
    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    QCOMPARE(game.txtlimit, QStringLiteral("42"));

    panel.optionClicked(option);
    QCOMPARE(game.txtlimit, text);
    QCOMPARE(game.checkedOption, option);
    // Nothing takes effect before OK.
    QCOMPARE(game.Difficulty, QStringLiteral("Easy"));
    QCOMPARE(game.TimeLimitMinutes, qint16(42));
    QCOMPARE(game.ShuffleRounds, qint16(2));
    QVERIFY(game.famOptionsVisible);
    QVERIFY(!game.BoardActive);
}

void TestOptionsPanel::applyTakesOrReplacesTheLimit_data()
{
    QTest::addColumn<DifficultyOption>("option");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");

    QTest::newRow("60 taken") << DifficultyOption::Easy << "60" << 60;
    QTest::newRow("1 taken") << DifficultyOption::Hard << "1" << 1;
    QTest::newRow("37 taken") << DifficultyOption::Medium << "37" << 37;
    QTest::newRow("61 -> Easy default") << DifficultyOption::Easy << "61" << 10;
    QTest::newRow("61 -> Medium default") << DifficultyOption::Medium << "61" << 15;
    QTest::newRow("99 -> Hard default") << DifficultyOption::Hard << "99" << 20;
    QTest::newRow("0 -> default") << DifficultyOption::Medium << "0" << 15;
    QTest::newRow("empty -> default") << DifficultyOption::Easy << "" << 10;
    QTest::newRow("-5 -> default") << DifficultyOption::Hard << "-5" << 20;
    QTest::newRow("ab -> default") << DifficultyOption::Medium << "ab" << 15;
    QTest::newRow("blank -> default") << DifficultyOption::Hard << " " << 20;
    QTest::newRow("1a -> 1") << DifficultyOption::Hard << "1a" << 1;
    QTest::newRow("7. -> 7") << DifficultyOption::Easy << "7." << 7;
    QTest::newRow(".5 -> 0 minutes") << DifficultyOption::Medium << ".5" << 0;
    QTest::newRow(".6 -> 1 minute") << DifficultyOption::Medium << ".6" << 1;
    QTest::newRow("-0 -> default") << DifficultyOption::Easy << "-0" << 10;
}

void TestOptionsPanel::applyTakesOrReplacesTheLimit()
{
    QFETCH(DifficultyOption, option);
    QFETCH(QString, text);
    QFETCH(int, limit);

    GameFixture f;
    start(f, DifficultyOption::Easy, 25);
    GameState &game = f.game;
    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    panel.optionClicked(option);
    // Typed, stepped or pasted: the box ends up holding this text.
    game.txtlimit = text;
    panel.CmdOK_Click();

    QCOMPARE(game.TimeLimitMinutes, qint16(limit));
    QCOMPARE(game.Difficulty, optionName(option));
    QCOMPARE(game.stbtimerPanels[0], QStringLiteral("Timer : %1 : 0").arg(limit));
    QCOMPARE(game.MinutesLeft, limit - 1);
    QVERIFY(f.dialogs.log.isEmpty());
}

void TestOptionsPanel::applyDealsNewGame_data()
{
    QTest::addColumn<DifficultyOption>("from");
    QTest::addColumn<DifficultyOption>("to");
    QTest::addColumn<int>("shuffleMoves");

    QTest::newRow("Easy to Hard") << DifficultyOption::Easy << DifficultyOption::Hard << 200;
    QTest::newRow("Hard to Medium") << DifficultyOption::Hard << DifficultyOption::Medium << 120;
    QTest::newRow("Medium to Easy") << DifficultyOption::Medium << DifficultyOption::Easy << 60;
}

void TestOptionsPanel::applyDealsNewGame()
{
    QFETCH(DifficultyOption, from);
    QFETCH(DifficultyOption, to);
    QFETCH(int, shuffleMoves);

    GameFixture f;
    start(f, from, 10);
    GameState &game = f.game;
    firstMove(game);
    for (int i = 0; i < 5; ++i)
        game.tmrtime_Timer();
    QCOMPARE(game.ElapsedSeconds, 5);

    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    panel.optionClicked(to);
    game.txtlimit = QStringLiteral("12");
    panel.CmdOK_Click();

    QVERIFY(game.mnutoolsEnabled);
    QVERIFY(game.BoardActive);
    QCOMPARE(game.Difficulty, optionName(to));
    QCOMPARE(game.TimeLimitMinutes, qint16(12));
    // A new game for the new difficulty: the shuffle counted its moves
    // (those refused at an edge count too, but leave no record).
    QCOMPARE(game.pgblengthMax, shuffleMoves);
    QCOMPARE(game.pgblengthValue, shuffleMoves);
    QVERIFY(game.MoveHistory.size() > 2);
    QVERIFY(game.MoveHistory.size() <= 2 + shuffleMoves);
    QVERIFY(game.MoveHistory.first().isEmpty());
    QVERIFY(game.MoveHistory.last().isEmpty());
    QVERIFY(game.FirstMovePending);
    QVERIFY(!game.tmrtimeEnabled);
    QVERIFY(!game.cmdpause.enabled);
    QCOMPARE(game.SecondsLeft, 0);
    QCOMPARE(game.ElapsedSeconds, 0);
    QCOMPARE(game.windowHeightTwips, 4275);
    QVERIFY(!game.famOptionsVisible);
    QVERIFY(game.stbtimerVisible);
    QVERIFY(!game.pgblengthVisible);
    QCOMPARE(game.stbtimerPanels[0], QStringLiteral("Timer : 12 : 0"));
    QCOMPARE(game.stbtimerPanels[1], optionName(to));
    QCOMPARE(game.checkedOption, to);
    // The abandoned game leaves no record.
    QVERIFY(f.dialogs.log.isEmpty());
    QCOMPARE(f.store.read(kApplication, QStringLiteral("Times"), optionName(from), QStringLiteral("none")),
             QStringLiteral("none"));
}

void TestOptionsPanel::firstGameAfterApplyCountsFromZero()
{
    GameFixture f;
    start(f, DifficultyOption::Easy, 10);
    GameState &game = f.game;
    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    game.txtlimit = QStringLiteral("30");
    panel.CmdOK_Click();
    QCOMPARE(game.ElapsedSeconds, 0);

    firstMove(game);
    game.tmrtime_Timer();
    game.tmrtime_Timer();
    QCOMPARE(game.ElapsedSeconds, 2);
    QCOMPARE(game.stbtimerPanels[0], QStringLiteral("Timer : 29 : 58"));
}

void TestOptionsPanel::okWithoutChangesStillDealsNewGame()
{
    GameFixture f;
    start(f, DifficultyOption::Medium, 15);
    GameState &game = f.game;
    firstMove(game);
    game.tmrtime_Timer();
    const QStringList history = game.MoveHistory;
    const int seeds = f.random.seeds;

    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    panel.CmdOK_Click();

    QCOMPARE(f.random.seeds, seeds + 1);
    QVERIFY(game.MoveHistory != history);
    QCOMPARE(game.pgblengthMax, 120);
    QVERIFY(game.MoveHistory.first().isEmpty());
    QVERIFY(game.MoveHistory.last().isEmpty());
    QCOMPARE(game.Difficulty, QStringLiteral("Medium"));
    QCOMPARE(game.TimeLimitMinutes, qint16(15));
    QVERIFY(game.FirstMovePending);
    QVERIFY(!game.tmrtimeEnabled);
    QVERIFY(!game.cmdpause.enabled);
    QCOMPARE(game.ElapsedSeconds, 0);
    QCOMPARE(game.stbtimerPanels[0], QStringLiteral("Timer : 15 : 0"));
}

void TestOptionsPanel::cancelRestoresDifficultyInForce_data()
{
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<DifficultyOption>("chosen");
    QTest::addColumn<DifficultyOption>("restored");

    QTest::newRow("Easy, Hard chosen") << "Easy" << DifficultyOption::Hard << DifficultyOption::Easy;
    QTest::newRow("Medium, Hard chosen") << "Medium" << DifficultyOption::Hard << DifficultyOption::Medium;
    QTest::newRow("Hard, Easy chosen") << "Hard" << DifficultyOption::Easy << DifficultyOption::Hard;
    // A name that is none of the three (letter case counts) selects nothing:
    // the buttons stay as the player left them.
    QTest::newRow("hard, Medium chosen") << "hard" << DifficultyOption::Medium << DifficultyOption::Medium;
}

void TestOptionsPanel::cancelRestoresDifficultyInForce()
{
    QFETCH(QString, difficulty);
    QFETCH(DifficultyOption, chosen);
    QFETCH(DifficultyOption, restored);

    GameFixture f;
    start(f, DifficultyOption::Easy, 10);
    GameState &game = f.game;
    game.Difficulty = difficulty;
    firstMove(game);
    const QStringList history = game.MoveHistory;
    const auto cells = game.cmdcheck;
    const qint16 rounds = game.ShuffleRounds;

    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    panel.optionClicked(chosen);
    panel.cmdCancel_Click();

    QCOMPARE(game.checkedOption, restored);
    QCOMPARE(game.Difficulty, difficulty);
    QCOMPARE(game.TimeLimitMinutes, qint16(10));
    QCOMPARE(game.ShuffleRounds, rounds);
    QCOMPARE(game.MoveHistory, history);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(game.cmdcheck[i].caption, cells[i].caption);
        QCOMPARE(game.cmdcheck[i].visible, cells[i].visible);
    }
    QVERIFY(game.mnutoolsEnabled);
    QVERIFY(game.BoardActive);
    QCOMPARE(game.windowHeightTwips, 4275);
    QVERIFY(!game.famOptionsVisible);
    QVERIFY(game.stbtimerVisible);

    // The next opening shows the limit in force, not the proposed one.
    panel.mnuoptions_Click();
    QCOMPARE(game.txtlimit, QStringLiteral("10"));
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
    const QString clock = game.stbtimerPanels[0];
    const int elapsed = game.ElapsedSeconds;

    OptionsPanel panel(game);
    panel.mnuoptions_Click();
    QVERIFY(!game.tmrtimeEnabled);
    panel.cmdCancel_Click();

    QCOMPARE(game.tmrtimeEnabled, moved);
    QCOMPARE(game.cmdpause.enabled, moved);
    QCOMPARE(game.FirstMovePending, !moved);
    // The time in the panel is not counted.
    QCOMPARE(game.stbtimerPanels[0], clock);
    QCOMPARE(game.ElapsedSeconds, elapsed);
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
    start(f);
    GameState &game = f.game;
    if (moved)
        firstMove(game);

    OptionsPanel(game).mnuoptions_Click();
    QVERIFY(!game.tmrtimeEnabled);
    bool clockWhileOpen = true;
    f.dialogs.whileOpen = [&](const QString &) { clockWhileOpen = game.tmrtimeEnabled; };
    if (window == QLatin1String("help"))
        ShowHowToPlay(game);
    else
        mnuabout_Click(game);
    QCOMPARE(f.dialogs.log.size(), 1);
    QVERIFY(!clockWhileOpen);

    // Kept on purpose: a game under way runs on, although the panel is
    // still open.
    QCOMPARE(game.tmrtimeEnabled, moved);
    QVERIFY(game.famOptionsVisible);
    QVERIFY(!game.BoardActive);
    QVERIFY(!game.mnutoolsEnabled);

    // Cancel then leaves the clock as the game needs it.
    OptionsPanel(game).cmdCancel_Click();
    QCOMPARE(game.tmrtimeEnabled, moved);
}

void TestOptionsPanel::boardIgnoresInputWhilePanelOpen()
{
    GameFixture f;
    start(f);
    GameState &game = f.game;
    f.layOut(5);
    game.MoveHistory = QStringList{QString(), QString()};
    OptionsPanel(game).mnuoptions_Click();

    game.cmdcheck_Click(9);
    game.Form_KeyDown(104);
    game.Form_KeyDown(112);
    QCOMPARE(game.MoveHistory, (QStringList{QString(), QString()}));
    QVERIFY(!game.tmrtimeEnabled);
    QVERIFY(!game.cmdpause.enabled);
    QVERIFY(f.dialogs.log.isEmpty());
}

QTEST_MAIN(TestOptionsPanel)
#include "test_options_panel.moc"
