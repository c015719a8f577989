// Measures the real timers of the main window against the wall clock: the
// game clock over 60 ticks (one minute) and the auto-play stepper over its
// steps. Prints each span, its drift and whether it is within its target; not a
// test, a measurement.
#include "app/lifecycle.h"
#include "game/game_state.h"
#include "game/random_source.h"
#include "store/score_variables.h"
#include "store/entries.h"
#include "store/settings_store.h"
#include "windows/frmmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Fires `count` timeouts of `timer` and returns their times in ms since start.
std::vector<qint64> measure(QTimer *timer, int count, const std::function<void()> &start)
{
    std::vector<qint64> stamps;
    QElapsedTimer wall;
    QEventLoop loop;
    auto connection = QObject::connect(timer, &QTimer::timeout, &loop, [&] {
        stamps.push_back(wall.elapsed());
        if (static_cast<int>(stamps.size()) == count)
            loop.quit();
    });
    wall.start();
    start();
    loop.exec();
    QObject::disconnect(connection);
    return stamps;
}

struct Span
{
    double drift = 0;         // ms the last tick came late (negative: early)
    double shortestStep = 0;  // ms between two ticks, the first counted from the start
    double longestStep = 0;
};

Span report(const char *what, const std::vector<qint64> &stamps, double intervalMs)
{
    const double span = static_cast<double>(stamps.back());
    const double expected = intervalMs * static_cast<double>(stamps.size());
    double worst = 0;
    Span result;
    result.shortestStep = result.longestStep = static_cast<double>(stamps.front());
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const double late = static_cast<double>(stamps[i]) - intervalMs * static_cast<double>(i + 1);
        worst = std::max(worst, std::abs(late));
        const double step = static_cast<double>(stamps[i] - (i == 0 ? 0 : stamps[i - 1]));
        result.shortestStep = std::min(result.shortestStep, step);
        result.longestStep = std::max(result.longestStep, step);
    }
    result.drift = span - expected;
    std::printf("%-22s %4zu ticks: %9.1f ms (expected %9.1f), drift %+7.1f ms (%+.3f%%), worst tick %5.1f ms off, "
                "steps %.0f-%.0f ms\n",
                what, stamps.size(), span, expected, result.drift, 100.0 * result.drift / expected, worst,
                result.shortestStep, result.longestStep);
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int clockTicks = argc > 1 ? std::atoi(argv[1]) : 60;
    const int autoSteps = argc > 2 ? std::atoi(argv[2]) : 40;

    QTemporaryDir dir;
    SettingsStore store(dir.path());
    ScoreVariables scores;
    SeededRandom random(7);
    GameState game(store, scores, random);
    frmMain window(game);
    // A Hard game: the longest shuffle, the most moves to undo.
    store.write(kApplication, Entry::DifficultySection, Entry::DifficultyWriteKey, QStringLiteral("Hard"));
    Form_Load(game);
    Form_Activate(game);
    window.render();
    window.show();

    // The clock runs from the first move.
    const auto clock = measure(window.findChild<QTimer *>(QStringLiteral("tmrtime")), clockTicks, [&] {
        game.pressKey(KeyCommand::MoveUp);
        game.pressKey(KeyCommand::MoveDown);
        window.render();
    });
    const Span clockSpan = report("game clock (1000 ms)", clock, 1000.0);

    game.pressPause(); // pause: the clock stops
    game.pressPause(); // resume
    const auto steps = measure(window.findChild<QTimer *>(QStringLiteral("tmrauto")), autoSteps, [&] {
        game.startAutoPlay();
        window.render();
    });
    const Span stepSpan = report("auto play (500 ms)", steps, 500.0);

    // The clock may be off by at most 50 ms after its ticks; every auto-play
    // step lasts 500 ms within 5 %.
    const bool clockMet = std::abs(clockSpan.drift) <= 50.0;
    const bool stepsMet = stepSpan.shortestStep >= 475.0 && stepSpan.longestStep <= 525.0;
    std::printf("target: game clock within 50 ms after %d ticks: %s\n", clockTicks, clockMet ? "yes" : "NO");
    std::printf("target: every auto-play step 500 ms within 5%%: %s\n", stepsMet ? "yes" : "NO");
    return 0;
}
