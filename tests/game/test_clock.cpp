// The game clock: the countdown shown in the status bar, the seconds played,
// pausing, and the end of a game when the time is up.
#include "game_flow.h"

#include <QtTest>

using namespace flow;

namespace {

const QString kTimeUpLine = QStringLiteral("notice:TimeUp");

// What the status bar must read after `tick` ticks of a running clock with a
// limit of `limit` minutes; the last second of a minute shows as 0.
QString expectedDisplay(int limit, int tick)
{
    if (tick == 0)
        return QStringLiteral("Timer : %1 : 0").arg(limit);
    const int minutes = limit - 1 - (tick - 1) / 60;
    const int seconds = (60 - tick % 60) % 60;
    return QStringLiteral("Timer : %1 : %2").arg(minutes).arg(seconds);
}

} // namespace

class ClockTest : public QObject
{
    Q_OBJECT

private slots:
    void countdownDisplay_data();
    void countdownDisplay();
    void timeUp_data();
    void timeUp();
    void pauseHoldsTheCountdown_data();
    void pauseHoldsTheCountdown();
    void timeUpDuringAutoPlay();
    void timeUpUnderOpenOptionsPanel();
    void hugeLimitDoesNotOverflow();
};

void ClockTest::countdownDisplay_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("display");

    QTest::newRow("no tick yet") << 0 << "Timer : 10 : 0";
    QTest::newRow("1 tick") << 1 << "Timer : 9 : 59";
    QTest::newRow("2 ticks") << 2 << "Timer : 9 : 58";
    QTest::newRow("55 ticks: no leading zero") << 55 << "Timer : 9 : 5";
    QTest::newRow("59 ticks") << 59 << "Timer : 9 : 1";
    QTest::newRow("60 ticks: last second shows 0") << 60 << "Timer : 9 : 0";
    QTest::newRow("61 ticks") << 61 << "Timer : 8 : 59";
    QTest::newRow("120 ticks") << 120 << "Timer : 8 : 0";
    QTest::newRow("121 ticks") << 121 << "Timer : 7 : 59";
    QTest::newRow("541 ticks") << 541 << "Timer : 0 : 59";
    QTest::newRow("599 ticks") << 599 << "Timer : 0 : 1";
}

// Limit 10 on Easy: the status bar reads the full limit until the first move,
// then counts down one second per tick; the seconds played follow the ticks.
void ClockTest::countdownDisplay()
{
    QFETCH(int, ticks);
    QFETCH(QString, display);

    GameFixture fx;
    dealGame(fx);
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 10 : 0"));
    QVERIFY(!probe(fx.game).clock.running);
    // Nothing runs before the first move.
    QCOMPARE(clockSeconds(fx, 30), 0);
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 10 : 0"));

    QVERIFY(!playerMove(fx).isEmpty());
    QVERIFY(probe(fx.game).clock.running);
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 10 : 0"));

    QCOMPARE(clockSeconds(fx, ticks), ticks);
    QCOMPARE(clockLine(probe(fx.game).clock), display);
    QCOMPARE(probe(fx.game).deal.difficulty, QStringLiteral("Easy"));
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, ticks);
    QVERIFY(probe(fx.game).clock.running);
    QVERIFY(fx.dialogs.log.isEmpty());
}

void ClockTest::timeUp_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("difficulty");
    QTest::addColumn<int>("ticksToTimeUp");
    QTest::addColumn<QString>("lastDisplay");

    QTest::newRow("limit 10") << 10 << "Easy" << 600 << "Timer : 0 : 0";
    QTest::newRow("limit 2") << 2 << "Medium" << 120 << "Timer : 0 : 0";
    // 60 seconds would be a record, but a game that ran out stores nothing.
    QTest::newRow("limit 1") << 1 << "Easy" << 60 << "Timer : 0 : 0";
    QTest::newRow("limit 0") << 0 << "Hard" << 1 << "Timer : -1 : 59";
}

// The game lasts exactly the limit in ticks from the first move; the last
// display stays up under the "Time Up" message, which is shown once with the
// clock already stopped; then a fresh game is dealt and nothing is recorded.
void ClockTest::timeUp()
{
    QFETCH(int, limit);
    QFETCH(QString, difficulty);
    QFETCH(int, ticksToTimeUp);
    QFETCH(QString, lastDisplay);

    GameFixture fx;
    dealGame(fx, {level(difficulty), qint16(limit)});
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : %1 : 0").arg(limit));
    QCOMPARE(probe(fx.game).deal.difficulty, difficulty);
    QVERIFY(!playerMove(fx).isEmpty());
    const QStringList playedHistory = historyText(probe(fx.game).board);
    const int seedsBefore = fx.random.seeds;

    for (int tick = 1; tick < ticksToTimeUp; ++tick) {
        fx.game.tickClock();
        QCOMPARE(clockLine(probe(fx.game).clock), expectedDisplay(limit, tick));
    }
    QVERIFY(fx.dialogs.log.isEmpty());
    QVERIFY(probe(fx.game).clock.running);

    QString displayUnder;
    int elapsedUnder = -1;
    bool clockUnder = true;
    int messagesUnder = 0;
    fx.dialogs.whileOpen = [&](const QString &which) {
        if (which != QLatin1String("notice:TimeUp"))
            return;
        ++messagesUnder;
        displayUnder = clockLine(probe(fx.game).clock);
        elapsedUnder = probe(fx.game).clock.elapsedSeconds;
        clockUnder = probe(fx.game).clock.running;
        // The window delivers no tick while the clock is stopped, so nothing
        // can run the time-up steps a second time under the message (ticks
        // only under the first one, so that a fault cannot recurse).
        if (messagesUnder == 1)
            clockSeconds(fx, 5);
    };
    fx.game.tickClock();

    QCOMPARE(fx.dialogs.log, QStringList{kTimeUpLine});
    QCOMPARE(messagesUnder, 1);
    QCOMPARE(displayUnder, lastDisplay);
    QCOMPARE(elapsedUnder, ticksToTimeUp);
    QVERIFY2(!clockUnder, "the clock must be stopped before the message is shown");

    // A fresh, primed game.
    QCOMPARE(fx.random.seeds, seedsBefore + 1);
    QVERIFY(historyText(probe(fx.game).board) != playedHistory);
    QCOMPARE(historyText(probe(fx.game).board).first(), QString());
    QCOMPARE(historyText(probe(fx.game).board).last(), QString());
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : %1 : 0").arg(limit));
    QCOMPARE(probe(fx.game).deal.difficulty, difficulty);
    QCOMPARE(probe(fx.game).clock.minutesLeft, limit - 1);
    QCOMPARE(probe(fx.game).clock.secondsLeft, 0);
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, 0);
    QVERIFY(probe(fx.game).clock.firstMovePending);
    QVERIFY(!probe(fx.game).clock.running);
    QVERIFY(!probe(fx.game).clock.underWay);
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    QVERIFY(nothingStored(fx));

    // The new game waits for its own first move, then counts from the full limit.
    QCOMPARE(clockSeconds(fx, 10), 0);
    QVERIFY(!playerMove(fx).isEmpty());
    QCOMPARE(probe(fx.game).clock.secondsLeft, 60);
    fx.game.tickClock();
    if (limit == 0) {
        // With no minute at all, every game ends at its first tick.
        QCOMPARE(fx.dialogs.log, (QStringList{kTimeUpLine, kTimeUpLine}));
        QCOMPARE(displayUnder, expectedDisplay(limit, 1));
    } else {
        QCOMPARE(clockLine(probe(fx.game).clock), expectedDisplay(limit, 1));
        QCOMPARE(fx.dialogs.log.size(), 1);
    }
}

void ClockTest::pauseHoldsTheCountdown_data()
{
    QTest::addColumn<int>("ticksBeforePause");
    QTest::addColumn<int>("pausedSeconds");

    QTest::newRow("right after the first move, 1 s") << 0 << 1;
    QTest::newRow("mid-minute, 1000 s") << 30 << 1000;
    QTest::newRow("on a minute's last second, 90000 s") << 60 << 90000;
    QTest::newRow("one second before time up, 3600 s") << 599 << 3600;
}

// While paused no tick arrives, so the display, the counters and the seconds
// played stand still however long the pause lasts; after Resume the game
// still ends exactly 600 running ticks after its first move.
void ClockTest::pauseHoldsTheCountdown()
{
    QFETCH(int, ticksBeforePause);
    QFETCH(int, pausedSeconds);

    GameFixture fx;
    dealGame(fx);
    QVERIFY(!playerMove(fx).isEmpty());
    QCOMPARE(clockSeconds(fx, ticksBeforePause), ticksBeforePause);
    const QStringList before = boardAndClock(fx.game);

    fx.game.pressPause();
    QCOMPARE(probe(fx.game).phase, Phase::Paused);
    QVERIFY(!probe(fx.game).clock.running);
    QCOMPARE(clockSeconds(fx, pausedSeconds), 0);
    QCOMPARE(boardAndClock(fx.game), before);

    fx.game.pressPause();
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    QVERIFY(probe(fx.game).clock.running);

    const int remaining = 600 - ticksBeforePause;
    QCOMPARE(clockSeconds(fx, remaining - 1), remaining - 1);
    QCOMPARE(clockLine(probe(fx.game).clock), expectedDisplay(10, 599));
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, 599);
    QVERIFY(fx.dialogs.log.isEmpty());
    clockSeconds(fx, 1);
    QCOMPARE(fx.dialogs.log, QStringList{kTimeUpLine});
}

// The time running out during an auto play ends the auto play as a confirmed
// Reset would, before the message: the stepper stops and never reads the
// history of the new game.
void ClockTest::timeUpUnderOpenOptionsPanel()
{
    // The help or About can set the clock going under an open options panel;
    // when the time then runs out, the fresh board stays closed to the player
    // until the panel is closed.
    GameFixture fx;
    dealGame(fx, {.limitMinutes = 1});
    QVERIFY(!playerMove(fx).isEmpty());
    probe(fx.game).phase = Phase::Options;
    probe(fx.game).setClockRunning(true);
    QCOMPARE(clockSeconds(fx, 60), 60);
    QCOMPARE(fx.dialogs.log, QStringList{kTimeUpLine});
    QVERIFY(probe(fx.game).phase != Phase::Playing);
    const QStringList history = historyText(probe(fx.game).board);
    fx.game.clickTile(probe(fx.game).board.tiles.blankCell() + 1);
    fx.game.pressKey(KeyCommand::MoveUp);
    QCOMPARE(historyText(probe(fx.game).board), history);
}

void ClockTest::timeUpDuringAutoPlay()
{
    GameFixture fx;
    dealGame(fx, {.limitMinutes = 1});
    QVERIFY(!playerMove(fx).isEmpty());
    QCOMPARE(clockSeconds(fx, 59), 59);

    fx.game.startAutoPlay();
    QCOMPARE(autoSteps(fx, 1), 1);
    QVERIFY(fx.dialogs.log.isEmpty());
    QCOMPARE(probe(fx.game).phase, Phase::AutoPlay);

    QStringList underMessage;
    fx.dialogs.whileOpen = [&](const QString &which) {
        if (which == QLatin1String("notice:TimeUp"))
            underMessage = controls(fx.game) + timers(fx.game);
    };
    fx.game.tickClock();
    QCOMPARE(fx.dialogs.log, QStringList{kTimeUpLine});
    QVERIFY(underMessage.contains(QStringLiteral("stepping=false")));
    QVERIFY(underMessage.contains(QStringLiteral("clock=false")));
    QVERIFY(underMessage.contains(QStringLiteral("phase=Playing")));

    // The new game: ready, auto play over for good.
    QVERIFY(!probe(fx.game).autoPlay.stepping);
    QVERIFY(!probe(fx.game).autoPlay.used);
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    QVERIFY(!probe(fx.game).clock.underWay);
    QVERIFY(probe(fx.game).clock.firstMovePending);

    // No later step touches the new board, and the help's hold on the timers
    // does not bring the stepper back.
    const QStringList dealt = boardAndClock(fx.game);
    QCOMPARE(autoSteps(fx, 10), 0);
    probe(fx.game).holdTimers();
    probe(fx.game).releaseTimers();
    QVERIFY(!probe(fx.game).autoPlay.stepping);
    QVERIFY(!probe(fx.game).clock.running);
    QCOMPARE(autoSteps(fx, 10), 0);
    QCOMPARE(boardAndClock(fx.game), dealt);

    // A new auto play works on the new history and solves the new board.
    fx.game.startAutoPlay();
    QVERIFY(runAutoPlay(fx, 200) <= 60);
    QCOMPARE(fx.dialogs.log.size(), 2);
    QCOMPARE(fx.dialogs.log.last(), QStringLiteral("notice:GameOver"));
}

// With the largest limit the store can hold the seconds played pass 32767
// without wrapping.
void ClockTest::hugeLimitDoesNotOverflow()
{
    GameFixture fx;
    dealGame(fx, {.limitMinutes = 32767});
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 32767 : 0"));
    QVERIFY(!playerMove(fx).isEmpty());

    QCOMPARE(clockSeconds(fx, 32767), 32767);
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, 32767);
    QCOMPARE(clockSeconds(fx, 40000 - 32767), 40000 - 32767);
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, 40000);
    QCOMPARE(clockLine(probe(fx.game).clock), expectedDisplay(32767, 40000));
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 32100 : 20"));
    QVERIFY(probe(fx.game).clock.running);
    QVERIFY(fx.dialogs.log.isEmpty());
}

QTEST_GUILESS_MAIN(ClockTest)
#include "test_clock.moc"
