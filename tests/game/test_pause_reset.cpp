// The pause button (Pause, Resume, and Stop during an auto play) and Reset
// with its confirmation.
#include "game_flow.h"

#include <QtTest>

using namespace flow;

Q_DECLARE_METATYPE(flow::Situation)

namespace {

const QString kResetLine = QStringLiteral("confirm:Reset");

} // namespace

class PauseResetTest : public QObject
{
    Q_OBJECT

private slots:
    void pauseButton_data();
    void pauseButton();
    void reset_data();
    void reset();
    void gameGoesOnUnderResetQuestion_data();
    void gameGoesOnUnderResetQuestion();
    void resetEndsAutoPlayForGood();
};

void PauseResetTest::pauseButton_data()
{
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<Phase>("phase");
    QTest::addColumn<bool>("clock");

    QTest::newRow("Pause -> Resume") << Situation::Running << Phase::Paused << false;
    QTest::newRow("Resume -> Pause") << Situation::Paused << Phase::Playing << true;
    // Stop leaves the clock as the steps left it: running.
    QTest::newRow("Stop -> Pause, clock running") << Situation::AutoPlay << Phase::Playing << true;
    // ... and stopped when no step has started it yet.
    QTest::newRow("Stop -> Pause, before any step") << Situation::AutoPlayBeforeFirstMove
                                                    << Phase::Playing << false;
    QTest::newRow("Pause after a stopped auto play -> Resume")
        << Situation::StoppedAutoPlay << Phase::Paused << false;
}

// Each click does exactly what the caption it reads says, leaves the stepper
// stopped and does not touch the board or the clock's counters.
void PauseResetTest::pauseButton()
{
    QFETCH(Situation, situation);
    QFETCH(Phase, phase);
    QFETCH(bool, clock);

    GameFixture fx;
    QVERIFY(enter(fx, situation));
    const QStringList board = boardAndClock(fx.game);
    const bool pauseEnabled = probe(fx.game).clock.underWay;

    fx.game.pressPause();

    QCOMPARE(probe(fx.game).phase, phase);
    QCOMPARE(probe(fx.game).clock.underWay, pauseEnabled);
    QCOMPARE(probe(fx.game).clock.running, clock);
    QVERIFY(!probe(fx.game).autoPlay.stepping);
    QCOMPARE(boardAndClock(fx.game), board);
    QVERIFY(fx.dialogs.log.isEmpty());
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
        {"options panel open", Situation::OptionsOpen},
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
    const QStringList historyBefore = historyText(probe(fx.game).board);
    const int seedsBefore = fx.random.seeds;

    fx.dialogs.confirmAnswer = answer;
    fx.game.requestReset();
    QCOMPARE(fx.dialogs.log, QStringList{kResetLine});

    if (!answer) {
        QCOMPARE(everything(fx.game), before);
        QCOMPARE(fx.random.seeds, seedsBefore);
        return;
    }

    QCOMPARE(fx.random.seeds, seedsBefore + 1);
    QVERIFY(historyText(probe(fx.game).board) != historyBefore);
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    QVERIFY(!probe(fx.game).clock.underWay);
    QVERIFY(!probe(fx.game).clock.running);
    QVERIFY(!probe(fx.game).autoPlay.stepping);
    QVERIFY(!probe(fx.game).autoPlay.used);
    QVERIFY(probe(fx.game).clock.firstMovePending);
    QCOMPARE(probe(fx.game).clock.elapsedSeconds, 0);
    QCOMPARE(probe(fx.game).clock.secondsLeft, 0);
    QCOMPARE(probe(fx.game).clock.minutesLeft, 9);
    QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 10 : 0"));
    QVERIFY(nothingStored(fx));

    // The new game waits for its first move.
    QCOMPARE(clockSeconds(fx, 5) + autoSteps(fx, 5), 0);
    QVERIFY(!playerMove(fx).isEmpty());
    QVERIFY(probe(fx.game).clock.running);
    QVERIFY(probe(fx.game).clock.underWay);
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
    const int elapsed = probe(fx.game).clock.elapsedSeconds;
    const QString display = clockLine(probe(fx.game).clock);
    const QStringList history = historyText(probe(fx.game).board);

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
        elapsedUnder = probe(fx.game).clock.elapsedSeconds;
        displayUnder = clockLine(probe(fx.game).clock);
        historyUnder = historyText(probe(fx.game).board);
    };
    fx.dialogs.confirmAnswer = answer;
    fx.game.requestReset();

    QCOMPARE(ticks, 2);
    QCOMPARE(steps, autoPlay ? 2 : 0);
    QCOMPARE(elapsedUnder, elapsed + 2);
    QVERIFY(displayUnder != display);
    QCOMPARE(historyUnder.size(), history.size() + steps);
    QCOMPARE(historyUnder.mid(0, history.size() - 1), history.mid(0, history.size() - 1));
    QCOMPARE(fx.dialogs.log, QStringList{kResetLine});

    if (answer) {
        QCOMPARE(probe(fx.game).clock.elapsedSeconds, 0);
        QVERIFY(probe(fx.game).clock.firstMovePending);
        QVERIFY(!probe(fx.game).clock.running);
        QVERIFY(!probe(fx.game).autoPlay.stepping);
        QVERIFY(probe(fx.game).phase != Phase::AutoPlay);
        QCOMPARE(clockLine(probe(fx.game).clock), QStringLiteral("Timer : 10 : 0"));
    } else {
        QCOMPARE(probe(fx.game).clock.elapsedSeconds, elapsed + 2);
        QCOMPARE(clockLine(probe(fx.game).clock), displayUnder);
        QCOMPARE(historyText(probe(fx.game).board), historyUnder);
        QVERIFY(probe(fx.game).clock.running);
        QCOMPARE(probe(fx.game).autoPlay.stepping, autoPlay);
        QCOMPARE(probe(fx.game).phase, autoPlay ? Phase::AutoPlay : Phase::Playing);
    }
}

// A confirmed Reset during an auto play ends it for good: the caption reads
// "Pause" on a disabled button, and neither the timer hold of the help nor
// any later period brings the stepper back.
void PauseResetTest::resetEndsAutoPlayForGood()
{
    GameFixture fx;
    QVERIFY(enter(fx, Situation::AutoPlay));
    QCOMPARE(probe(fx.game).phase, Phase::AutoPlay);

    fx.game.requestReset();
    QCOMPARE(probe(fx.game).phase, Phase::Playing);
    QVERIFY(!probe(fx.game).clock.underWay);

    const QStringList dealt = everything(fx.game);
    probe(fx.game).holdTimers();
    probe(fx.game).releaseTimers();
    QVERIFY(!probe(fx.game).autoPlay.stepping);
    QCOMPARE(autoSteps(fx, 20) + clockSeconds(fx, 20), 0);
    QCOMPARE(everything(fx.game), dealt);
}

QTEST_GUILESS_MAIN(PauseResetTest)
#include "test_pause_reset.moc"
