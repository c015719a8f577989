// The how-to-play help and the About window hold the clock and the auto-play
// stepper while they are open, and start them again afterwards as far as the
// game was running.
#include "game_flow.h"

#include "windows/about.h"
#include "windows/game_texts.h"

#include <QtTest>

using namespace flow;

namespace {

enum class Route { Help, About };

// The situations of the main window in which the help or the About window is
// opened; the game-flow ones plus the options panel, which lives here.
enum class Setting {
    Running,
    Paused,
    BeforeFirstMove,
    AutoPlay,
    AutoPlayBeforeFirstMove,
    StoppedAutoPlay,
    ResetDuringAutoPlay,
    OptionsOpen,
    OptionsOpenBeforeFirstMove,
};

const QStringList kHelpLines{
    QStringLiteral("Your goal is to arrange the numbers in order"),
    QStringLiteral("Click on a number near blank to move it to blank"),
    QStringLiteral("or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number"),
    QStringLiteral("F2 to Autoplay game"),
    QStringLiteral("Click Reset button to reset Game"),
};

bool enterSetting(GameFixture &fx, Setting setting)
{
    switch (setting) {
    case Setting::Running: return enter(fx, Situation::Running);
    case Setting::Paused: return enter(fx, Situation::Paused);
    case Setting::BeforeFirstMove: return enter(fx, Situation::BeforeFirstMove);
    case Setting::AutoPlay: return enter(fx, Situation::AutoPlay);
    case Setting::AutoPlayBeforeFirstMove: return enter(fx, Situation::AutoPlayBeforeFirstMove);
    case Setting::StoppedAutoPlay: return enter(fx, Situation::StoppedAutoPlay);
    case Setting::ResetDuringAutoPlay: return enter(fx, Situation::ResetDuringAutoPlay);
    case Setting::OptionsOpen:
        if (!enter(fx, Situation::Running))
            return false;
        fx.game.openOptions();
        return !probe(fx.game).clock.running;
    case Setting::OptionsOpenBeforeFirstMove:
        if (!enter(fx, Situation::BeforeFirstMove))
            return false;
        fx.game.openOptions();
        return true;
    }
    return false;
}

void open(Route route, GameState &game)
{
    if (route == Route::Help)
        game.showHowToPlay();
    else
        game.showAbout();
}

QString dialogName(Route route)
{
    return route == Route::Help ? QStringLiteral("notice:HowToPlay") : QStringLiteral("about");
}


} // namespace

Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(Setting)

class HelpAboutHoldTest : public QObject
{
    Q_OBJECT

private slots:
    void helpText();
    void holdAndRelease_data();
    void holdAndRelease();
    void autoPlayContinuesFromTheSameEntry_data();
    void autoPlayContinuesFromTheSameEntry();
};

// Five lines under the title "Help"; the other messages as the player reads
// them.
void HelpAboutHoldTest::helpText()
{
    QCOMPARE(noticeTitle(Dialogs::Notice::HowToPlay), QStringLiteral("Help"));
    QCOMPARE(noticeText(Dialogs::Notice::HowToPlay).split(u'\n'), kHelpLines);
    const struct {
        Dialogs::Notice notice;
        const char *title;
        const char *text;
    } kNotices[] = {
        {Dialogs::Notice::TimeUp, "Time Up", "Time up\nThis will reset your game"},
        {Dialogs::Notice::GameOver, "Game Over", "Game Over"},
        {Dialogs::Notice::BetterTime, "Not Saved", "A better time was saved meanwhile."},
    };
    for (const auto &row : kNotices) {
        QCOMPARE(noticeTitle(row.notice), QString::fromLatin1(row.title));
        QCOMPARE(noticeText(row.notice), QString::fromLatin1(row.text));
    }

    GameFixture fx;
    dealGame(fx);
    fx.game.showHowToPlay();
    QCOMPARE(fx.dialogs.log, QStringList{dialogName(Route::Help)});
}

void HelpAboutHoldTest::holdAndRelease_data()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<Setting>("setting");
    QTest::addColumn<bool>("clockAfter");
    QTest::addColumn<bool>("stepperAfter");

    const struct {
        const char *name;
        Setting setting;
        bool clockAfter;
        bool stepperAfter;
    } rows[] = {
        {"running after the first move", Setting::Running, true, false},
        {"paused", Setting::Paused, false, false},
        {"before the first move", Setting::BeforeFirstMove, false, false},
        // Only the stepper comes back; its next step starts the clock.
        {"auto play", Setting::AutoPlay, false, true},
        {"auto play before any step", Setting::AutoPlayBeforeFirstMove, false, true},
        {"after a stopped auto play", Setting::StoppedAutoPlay, true, false},
        {"after Reset during an auto play", Setting::ResetDuringAutoPlay, false, false},
        // The panel had stopped the clock; the rule looks only at the caption
        // and the two flags, so the clock runs again.
        {"options panel open, game running", Setting::OptionsOpen, true, false},
        {"options panel open, no move yet", Setting::OptionsOpenBeforeFirstMove, false, false},
    };
    for (const Route route : {Route::Help, Route::About}) {
        for (const auto &row : rows) {
            QTest::addRow("%s, %s", route == Route::Help ? "help" : "About", row.name)
                << route << row.setting << row.clockAfter << row.stepperAfter;
        }
    }
}

// While the dialog is open both timers are stopped and no tick arrives;
// afterwards the clock runs again only for caption "Pause" after the first
// move, the stepper only while an auto play is in progress. Nothing else
// changes.
void HelpAboutHoldTest::holdAndRelease()
{
    QFETCH(Route, route);
    QFETCH(Setting, setting);
    QFETCH(bool, clockAfter);
    QFETCH(bool, stepperAfter);

    GameFixture fx;
    QVERIFY(enterSetting(fx, setting));
    fx.dialogs.log.clear();
    const QStringList before = boardAndClock(fx.game) + controls(fx.game);

    int shown = 0;
    QStringList timersUnder;
    int ticksUnder = -1;
    fx.dialogs.whileOpen = [&](const QString &which) {
        if (which != dialogName(route))
            return;
        ++shown;
        timersUnder = timers(fx.game);
        // Seconds pass while the dialog is open.
        ticksUnder = clockSeconds(fx, 30) + autoSteps(fx, 60);
    };
    open(route, fx.game);

    QCOMPARE(shown, 1);
    QCOMPARE(fx.dialogs.log, QStringList{dialogName(route)});
    QCOMPARE(timersUnder, (QStringList{QStringLiteral("clock=false"), QStringLiteral("stepping=false")}));
    QCOMPARE(ticksUnder, 0);
    QCOMPARE(probe(fx.game).clock.running, clockAfter);
    QCOMPARE(probe(fx.game).autoPlay.stepping, stepperAfter);
    QCOMPARE(boardAndClock(fx.game) + controls(fx.game), before);

    // A second showing behaves the same.
    open(route, fx.game);
    QCOMPARE(shown, 2);
    QCOMPARE(probe(fx.game).clock.running, clockAfter);
    QCOMPARE(probe(fx.game).autoPlay.stepping, stepperAfter);

    if (clockAfter) {
        // The countdown resumes from where it stood.
        const int elapsed = probe(fx.game).clock.elapsedSeconds;
        const int seconds = probe(fx.game).clock.secondsLeft;
        QCOMPARE(clockSeconds(fx, 1), 1);
        QCOMPARE(probe(fx.game).clock.elapsedSeconds, elapsed + 1);
        QCOMPARE(probe(fx.game).clock.secondsLeft, seconds == 1 ? 60 : seconds - 1);
    }
}

void HelpAboutHoldTest::autoPlayContinuesFromTheSameEntry_data()
{
    QTest::addColumn<Route>("route");
    QTest::newRow("help") << Route::Help;
    QTest::newRow("About") << Route::About;
}

// An auto play held by the dialog goes on afterwards with the very entry it
// would have undone next, and its next step starts the clock again.
void HelpAboutHoldTest::autoPlayContinuesFromTheSameEntry()
{
    QFETCH(Route, route);

    GameFixture fx;
    QVERIFY(enter(fx, Situation::AutoPlay));
    const int index = probe(fx.game).autoPlay.replayIndex;
    const QString entry = historyText(probe(fx.game).board).at(index);
    const int size = historyText(probe(fx.game).board).size();

    open(route, fx.game);
    QVERIFY(!probe(fx.game).clock.running);
    QCOMPARE(probe(fx.game).autoPlay.replayIndex, index);

    QCOMPARE(autoSteps(fx, 1), 1);
    QCOMPARE(probe(fx.game).autoPlay.replayIndex, index - 1);
    QCOMPARE(historyText(probe(fx.game).board).size(), size + 1);
    QVERIFY(!core::undoCode(entry).isEmpty());
    QCOMPARE(historyText(probe(fx.game).board).at(size - 1), core::undoCode(entry));
    QVERIFY(probe(fx.game).clock.running);
}

QTEST_GUILESS_MAIN(HelpAboutHoldTest)
#include "test_help_about_hold.moc"
