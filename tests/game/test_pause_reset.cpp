// The pause button (Pause, Resume, and Stop during an auto play) and Reset
// with its confirmation.
#include "game_flow.h"

#include <QtTest>

using namespace flow;

Q_DECLARE_METATYPE(flow::Situation)

namespace {

const QString kResetLine = QStringLiteral("confirm:Reset|This will reset current game");

} // namespace

class PauseResetTest : public QObject
{
    Q_OBJECT

private slots:
    void pauseButton_data();
    void pauseButton();
    void pausedGameIgnoresTilesAndKeys();
    void reset_data();
    void reset();
    void gameGoesOnUnderResetQuestion_data();
    void gameGoesOnUnderResetQuestion();
    void resetEndsAutoPlayForGood();
};

void PauseResetTest::pauseButton_data()
{
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("boardActive");
    QTest::addColumn<bool>("toolsEnabled");
    QTest::addColumn<bool>("resetEnabled");
    QTest::addColumn<bool>("clock");

    QTest::newRow("Pause -> Resume") << Situation::Running << "Resume" << "Resume Game"
                                     << false << false << false << false;
    QTest::newRow("Resume -> Pause") << Situation::Paused << "Pause" << "Pause Game"
                                     << true << true << true << true;
    // Stop leaves the clock as the steps left it: running.
    QTest::newRow("Stop -> Pause, clock running") << Situation::AutoPlay << "Pause" << "Pause Game"
                                                  << true << true << true << true;
    // ... and stopped when no step has started it yet.
    QTest::newRow("Stop -> Pause, before any step") << Situation::AutoPlayBeforeFirstMove << "Pause"
                                                    << "Pause Game" << true << true << true << false;
    QTest::newRow("Pause after a stopped auto play -> Resume")
        << Situation::StoppedAutoPlay << "Resume" << "Resume Game" << false << false << false << false;
}

// Each click does exactly what the caption it reads says, leaves the stepper
// stopped and does not touch the board or the clock's counters.
void PauseResetTest::pauseButton()
{
    QFETCH(Situation, situation);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(bool, boardActive);
    QFETCH(bool, toolsEnabled);
    QFETCH(bool, resetEnabled);
    QFETCH(bool, clock);

    GameFixture fx;
    QVERIFY(enter(fx, situation));
    const QStringList board = boardAndClock(fx.game);
    const bool pauseEnabled = fx.game.cmdpause.enabled;

    fx.game.cmdpause_Click();

    QCOMPARE(fx.game.cmdpause.caption, caption);
    QCOMPARE(fx.game.cmdpause.toolTip, toolTip);
    QCOMPARE(fx.game.cmdpause.enabled, pauseEnabled);
    QCOMPARE(fx.game.BoardActive, boardActive);
    QCOMPARE(fx.game.mnutoolsEnabled, toolsEnabled);
    QCOMPARE(fx.game.Cmdreset.enabled, resetEnabled);
    QCOMPARE(fx.game.tmrtimeEnabled, clock);
    QVERIFY(!fx.game.tmrautoEnabled);
    QVERIFY(!fx.game.AutoPlayRunning);
    QCOMPARE(boardAndClock(fx.game), board);
    QVERIFY(fx.dialogs.log.isEmpty());
}

// While paused the board takes no click and no number-pad key, and F1 through
// the key handler does nothing; Resume gives the board back.
void PauseResetTest::pausedGameIgnoresTilesAndKeys()
{
    GameFixture fx;
    QVERIFY(enter(fx, Situation::Paused));
    const QStringList before = everything(fx.game);

    for (int index = 0; index < 16; ++index)
        fx.game.cmdcheck_Click(index);
    for (int key : {kNumpad2, kNumpad4, kNumpad6, kNumpad8, kF1})
        fx.game.Form_KeyDown(key);
    QCOMPARE(everything(fx.game), before);
    QVERIFY(fx.dialogs.log.isEmpty());

    fx.game.cmdpause_Click();
    const int size = fx.game.MoveHistory.size();
    QVERIFY(!playerMove(fx).isEmpty());
    QCOMPARE(fx.game.MoveHistory.size(), size + 1);
}

void PauseResetTest::reset_data()
{
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<bool>("answer");

    const struct { const char *name; Situation situation; } situations[] = {
        {"before the first move", Situation::BeforeFirstMove},
        {"running", Situation::Running},
        {"auto play", Situation::AutoPlay},
        {"auto play before any step", Situation::AutoPlayBeforeFirstMove},
        {"after a stopped auto play", Situation::StoppedAutoPlay},
    };
    for (const auto &s : situations) {
        QTest::addRow("%s, OK", s.name) << s.situation << true;
        QTest::addRow("%s, Cancel", s.name) << s.situation << false;
    }
}

// OK abandons the game, unrecorded, and deals a ready one (also before the
// first move, when the pause button is still disabled); Cancel changes nothing.
void PauseResetTest::reset()
{
    QFETCH(Situation, situation);
    QFETCH(bool, answer);

    GameFixture fx;
    QVERIFY(enter(fx, situation));
    const QStringList before = everything(fx.game);
    const QStringList historyBefore = fx.game.MoveHistory;
    const int seedsBefore = fx.random.seeds;

    fx.dialogs.confirmAnswer = answer;
    fx.game.Cmdreset_Click();
    QCOMPARE(fx.dialogs.log, QStringList{kResetLine});

    if (!answer) {
        QCOMPARE(everything(fx.game), before);
        QCOMPARE(fx.random.seeds, seedsBefore);
        return;
    }

    QCOMPARE(fx.random.seeds, seedsBefore + 1);
    QVERIFY(fx.game.MoveHistory != historyBefore);
    QCOMPARE(fx.game.cmdpause.caption, QStringLiteral("Pause"));
    QCOMPARE(fx.game.cmdpause.toolTip, QStringLiteral("Pause Game"));
    QVERIFY(!fx.game.cmdpause.enabled);
    QVERIFY(fx.game.Cmdreset.enabled);
    QVERIFY(!fx.game.tmrtimeEnabled);
    QVERIFY(!fx.game.tmrautoEnabled);
    QVERIFY(!fx.game.AutoPlayRunning);
    QVERIFY(!fx.game.AutoPlayUsed);
    QVERIFY(fx.game.mnutoolsEnabled);
    QVERIFY(fx.game.BoardActive);
    QVERIFY(fx.game.FirstMovePending);
    QCOMPARE(fx.game.ElapsedSeconds, 0);
    QCOMPARE(fx.game.SecondsLeft, 0);
    QCOMPARE(fx.game.MinutesLeft, 9);
    QCOMPARE(fx.game.stbtimerPanels[0], QStringLiteral("Timer : 10 : 0"));
    QVERIFY(nothingStored(fx));

    // The new game waits for its first move.
    QCOMPARE(clockSeconds(fx, 5) + autoSteps(fx, 5), 0);
    QVERIFY(!playerMove(fx).isEmpty());
    QVERIFY(fx.game.tmrtimeEnabled);
    QVERIFY(fx.game.cmdpause.enabled);
}

void PauseResetTest::gameGoesOnUnderResetQuestion_data()
{
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<bool>("answer");

    QTest::newRow("running, Cancel") << Situation::Running << false;
    QTest::newRow("running, OK") << Situation::Running << true;
    QTest::newRow("auto play, Cancel") << Situation::AutoPlay << false;
    QTest::newRow("auto play, OK") << Situation::AutoPlay << true;
}

// The question stops nothing: clock ticks and auto-play steps that arrive
// while it is open take effect; Cancel keeps them, OK then deals a new game.
void PauseResetTest::gameGoesOnUnderResetQuestion()
{
    QFETCH(Situation, situation);
    QFETCH(bool, answer);
    const bool autoPlay = situation == Situation::AutoPlay;

    GameFixture fx;
    QVERIFY(enter(fx, situation));
    const int elapsed = fx.game.ElapsedSeconds;
    const QString display = fx.game.stbtimerPanels[0];
    const QStringList history = fx.game.MoveHistory;

    int ticks = -1;
    int steps = -1;
    int elapsedUnder = -1;
    QString displayUnder;
    QStringList historyUnder;
    fx.dialogs.whileOpen = [&](const QString &which) {
        if (which != QLatin1String("confirm:Reset"))
            return;
        ticks = clockSeconds(fx, 2);
        steps = autoSteps(fx, 2);
        elapsedUnder = fx.game.ElapsedSeconds;
        displayUnder = fx.game.stbtimerPanels[0];
        historyUnder = fx.game.MoveHistory;
    };
    fx.dialogs.confirmAnswer = answer;
    fx.game.Cmdreset_Click();

    QCOMPARE(ticks, 2);
    QCOMPARE(steps, autoPlay ? 2 : 0);
    QCOMPARE(elapsedUnder, elapsed + 2);
    QVERIFY(displayUnder != display);
    QCOMPARE(historyUnder.size(), history.size() + steps);
    QCOMPARE(historyUnder.mid(0, history.size() - 1), history.mid(0, history.size() - 1));
    QCOMPARE(fx.dialogs.log, QStringList{kResetLine});

    if (answer) {
        QCOMPARE(fx.game.ElapsedSeconds, 0);
        QVERIFY(fx.game.FirstMovePending);
        QVERIFY(!fx.game.tmrtimeEnabled);
        QVERIFY(!fx.game.tmrautoEnabled);
        QVERIFY(!fx.game.AutoPlayRunning);
        QCOMPARE(fx.game.stbtimerPanels[0], QStringLiteral("Timer : 10 : 0"));
    } else {
        QCOMPARE(fx.game.ElapsedSeconds, elapsed + 2);
        QCOMPARE(fx.game.stbtimerPanels[0], displayUnder);
        QCOMPARE(fx.game.MoveHistory, historyUnder);
        QVERIFY(fx.game.tmrtimeEnabled);
        QCOMPARE(fx.game.tmrautoEnabled, autoPlay);
        QCOMPARE(fx.game.AutoPlayRunning, autoPlay);
        QCOMPARE(fx.game.cmdpause.caption, autoPlay ? QStringLiteral("Stop") : QStringLiteral("Pause"));
    }
}

// A confirmed Reset during an auto play ends it for good: the caption reads
// "Pause" on a disabled button, and neither the timer hold of the help nor
// any later period brings the stepper back.
void PauseResetTest::resetEndsAutoPlayForGood()
{
    GameFixture fx;
    QVERIFY(enter(fx, Situation::AutoPlay));
    QCOMPARE(fx.game.cmdpause.caption, QStringLiteral("Stop"));

    fx.game.Cmdreset_Click();
    QCOMPARE(fx.game.cmdpause.caption, QStringLiteral("Pause"));
    QVERIFY(!fx.game.cmdpause.enabled);
    QVERIFY(!fx.game.AutoPlayRunning);
    QVERIFY(fx.game.mnutoolsEnabled);

    const QStringList dealt = everything(fx.game);
    fx.game.holdTimers();
    fx.game.releaseTimers();
    QVERIFY(!fx.game.tmrautoEnabled);
    QCOMPARE(autoSteps(fx, 20) + clockSeconds(fx, 20), 0);
    QCOMPARE(everything(fx.game), dealt);
}

QTEST_GUILESS_MAIN(PauseResetTest)
#include "test_pause_reset.moc"
