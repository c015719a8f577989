// How often the main window redraws while a new game is dealt: only the
// progress bar paints during the shuffle; each tile is drawn at most once,
// after the shuffle, however often the shuffle moved it. And while the clock
// runs: a tick repaints the clock panel and nothing else.
#include "game_fixture.h"

#include "windows/frmmain.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <utility>

namespace {

// Counts the paint events of the sixteen cells and of the progress bar,
// separately for the time before the shuffle, during it and afterwards. The
// shuffle starts at the latest with the progress bar's first paint and ends
// with its paint of the full count.
class PaintCounter : public QObject
{
public:
    enum Phase { Before, During, After, PhaseCount };

    explicit PaintCounter(frmMain &window) : m_window(window)
    {
        for (QPushButton *cell : window.cmdcheck)
            cell->installEventFilter(this);
        window.pgblength->installEventFilter(this);
    }

    ~PaintCounter() override
    {
        for (QPushButton *cell : m_window.cmdcheck)
            cell->removeEventFilter(this);
        m_window.pgblength->removeEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched == m_window.pgblength) {
            if (phase == Before)
                phase = During;
            ++progressPaints[phase];
            progressValues.append(m_window.pgblength->value());
            if (phase == During && m_window.pgblength->value() == m_window.pgblength->maximum())
                phase = After;
            return false;
        }
        for (int i = 0; i < 16; ++i) {
            if (watched == m_window.cmdcheck[i])
                ++cellPaints[phase][i];
        }
        return false;
    }

    Phase phase = Before;
    std::array<std::array<int, 16>, PhaseCount> cellPaints{};
    std::array<int, PhaseCount> progressPaints{};
    // The progress bar's value at each of its paints.
    QList<int> progressValues;

private:
    frmMain &m_window;
};

// Deals a new game through the window.
using Deal = std::function<void(frmMain &, PaintCounter &)>;

using Cells = std::array<std::pair<QString, bool>, 16>;

Cells cellsOf(const frmMain &window)
{
    Cells cells;
    for (int i = 0; i < 16; ++i)
        cells[i] = {window.cmdcheck[i]->text(), window.cmdcheck[i]->isVisible()};
    return cells;
}

// Presses OK in the message box that is open when the event loop next runs.
void acceptNextMessageBox()
{
    QTimer::singleShot(0, qApp, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
}

// Where the widgets of one window paint, in the window's coordinates.
class PaintedAreas : public QObject
{
public:
    explicit PaintedAreas(QWidget &window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintedAreas() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->window() == &m_window) {
                const QRect rect = static_cast<QPaintEvent *>(event)->rect();
                areas.append({widget, rect.translated(widget->mapTo(&m_window, QPoint(0, 0)))});
            }
        }
        return false;
    }

    QList<std::pair<QWidget *, QRect>> areas;

private:
    QWidget &m_window;
};

} // namespace

class TestPaintCount : public QObject
{
    Q_OBJECT

private slots:
    void newGameDrawsEachTileOnce_data();
    void newGameDrawsEachTileOnce();
    void clockTickRepaintsOnlyTheClockPanel();
};

void TestPaintCount::newGameDrawsEachTileOnce_data()
{
    QTest::addColumn<Deal>("deal");

    // As the window deals a game: run the handler, then draw the state.
    QTest::newRow("NewGame, then render") << Deal([](frmMain &window, PaintCounter &counter) {
        counter.phase = PaintCounter::During;
        window.game().NewGame();
        counter.phase = PaintCounter::After;
        window.render();
    });
    // Reset, confirmed in the real message box.
    QTest::newRow("Reset confirmed") << Deal([](frmMain &window, PaintCounter &) {
        acceptNextMessageBox();
        window.Cmdreset->click();
    });
}

void TestPaintCount::newGameDrawsEachTileOnce()
{
    QFETCH(Deal, deal);

    GameFixture fx;
    GameState &game = fx.game;
    frmMain window(game);
    game.LabelCells();
    game.cmdpause.enabled = false;
    game.BoardActive = true;
    game.checkedOption = DifficultyOption::Hard;
    window.render();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Nothing may be left to draw from the start before counting begins.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    const Cells before = cellsOf(window);
    PaintCounter counter(window);
    deal(window, counter);
    QCOMPARE(game.Difficulty, QStringLiteral("Hard"));
    QCOMPARE(game.pgblengthMax, 200);
    counter.phase = PaintCounter::After;
    QCoreApplication::processEvents();

    // The progress bar showed the shuffle as it ran, up to its last move.
    QVERIFY2(counter.progressPaints[PaintCounter::During] > 0, "the progress bar did not paint during the shuffle");
    QVERIFY(!counter.progressValues.isEmpty());
    for (qsizetype i = 1; i < counter.progressValues.size(); ++i)
        QVERIFY2(counter.progressValues[i - 1] <= counter.progressValues[i],
                 qPrintable(QStringLiteral("progress went back from %1 to %2")
                                .arg(counter.progressValues[i - 1])
                                .arg(counter.progressValues[i])));
    QCOMPARE(counter.progressValues.last(), 200);
    QVERIFY(!window.pgblength->isVisible());

    // The shuffle changed the board, so there was something to draw.
    const Cells after = cellsOf(window);
    QVERIFY(after != before);

    // Once more, to be sure that nothing was only postponed.
    QCoreApplication::processEvents();
    for (int i = 0; i < 16; ++i) {
        const QString cell = QStringLiteral("cell %1").arg(i);
        QVERIFY2(counter.cellPaints[PaintCounter::During][i] == 0,
                 qPrintable(cell + QStringLiteral(" painted %1 times during the shuffle")
                                       .arg(counter.cellPaints[PaintCounter::During][i])));
        const int afterwards = counter.cellPaints[PaintCounter::After][i];
        QVERIFY2(afterwards <= 1, qPrintable(cell + QStringLiteral(" painted %1 times afterwards").arg(afterwards)));
        // A tile that is on show with a new caption or newly shown is drawn.
        if (after[i].second && after[i] != before[i])
            QVERIFY2(afterwards == 1, qPrintable(cell + QStringLiteral(" changed but was not drawn")));
    }
}

void TestPaintCount::clockTickRepaintsOnlyTheClockPanel()
{
    GameFixture fx;
    GameState &game = fx.game;
    frmMain window(game);
    game.LabelCells();
    game.BoardActive = true;
    window.render();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The first move starts the clock.
    window.cmdcheck[14]->click();
    QVERIFY(window.tmrtime->isActive());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    // Ticks as the window's timer gives them; a real one may come on top.
    int ticks = 0;
    connect(window.tmrtime, &QTimer::timeout, &window, [&ticks] { ++ticks; });
    QLabel *clock = window.stbtimerPanels[0];
    const QRect clockArea(clock->mapTo(&window, QPoint(0, 0)), clock->size());
    PaintedAreas painted(window);
    for (int i = 0; i < 3; ++i) {
        const QString before = clock->text();
        QVERIFY(QMetaObject::invokeMethod(window.tmrtime, "timeout"));
        QVERIFY(clock->text() != before);
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();

    int clockPaints = 0;
    for (const auto &[widget, area] : painted.areas) {
        QVERIFY2(clockArea.contains(area),
                 qPrintable(QStringLiteral("%1 painted outside the clock panel").arg(widget->objectName())));
        clockPaints += widget == clock;
    }
    QCOMPARE(clockPaints, ticks);
}

QTEST_MAIN(TestPaintCount)
#include "test_paint_count.moc"
