// How often the main window redraws while a new game is dealt: only the
// progress bar paints during the shuffle; each tile is drawn at most once,
// after the shuffle, however often the shuffle moved it. A clock tick
// repaints the clock panel alone.
#include "game_fixture.h"
#include "windows_fixture.h"

#include "windows/frmmain.h"
#include "windows/tile_button.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
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
        for (QPushButton *cell : cellsOf(window))
            cell->installEventFilter(this);
        ctl<QProgressBar>(window, "pgblength")->installEventFilter(this);
    }

    ~PaintCounter() override
    {
        for (QPushButton *cell : cellsOf(m_window))
            cell->removeEventFilter(this);
        ctl<QProgressBar>(m_window, "pgblength")->removeEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched == ctl<QProgressBar>(m_window, "pgblength")) {
            if (phase == Before)
                phase = During;
            ++progressPaints[phase];
            progressValues.append(ctl<QProgressBar>(m_window, "pgblength")->value());
            if (phase == During && ctl<QProgressBar>(m_window, "pgblength")->value() == ctl<QProgressBar>(m_window, "pgblength")->maximum())
                phase = After;
            return false;
        }
        for (int i = 0; i < 16; ++i) {
            if (watched == cellAt(m_window, i))
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

Cells shownCells(const frmMain &window)
{
    Cells cells;
    for (int i = 0; i < 16; ++i)
        cells[i] = {cellAt(window, i)->text(), !cellAt(window, i)->isBlank()};
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

// Counts the paint events of every widget while it lives.
class AllPaints : public QObject
{
public:
    AllPaints() { qApp->installEventFilter(this); }
    ~AllPaints() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted << watched->objectName();
        return false;
    }
    QStringList painted;
};

} // namespace

class TestPaintCount : public QObject
{
    Q_OBJECT

private slots:
    void newGameDrawsEachTileOnce_data();
    void newGameDrawsEachTileOnce();
    void clockTickRepaintsTheClockPanelAlone();
};

void TestPaintCount::newGameDrawsEachTileOnce_data()
{
    QTest::addColumn<Deal>("deal");

    // As the window deals a game: run the handler, then draw the state.
    QTest::newRow("newGame, then render") << Deal([](frmMain &window, PaintCounter &counter) {
        counter.phase = PaintCounter::During;
        probe(window.game()).newGame();
        counter.phase = PaintCounter::After;
        window.render();
    });
    // Reset, confirmed in the real message box.
    QTest::newRow("Reset confirmed") << Deal([](frmMain &window, PaintCounter &) {
        acceptNextMessageBox();
        ctl<QPushButton>(window, "Cmdreset")->click();
    });
}

void TestPaintCount::newGameDrawsEachTileOnce()
{
    QFETCH(Deal, deal);

    GameFixture fx;
    GameState &game = fx.game;
    frmMain window(game);
    probe(game).board.tiles = Board();
    probe(game).clock.underWay = false;
    probe(game).options.level = level(u"Hard");
    window.render();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Nothing may be left to draw from the start before counting begins.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    const Cells before = shownCells(window);
    PaintCounter counter(window);
    deal(window, counter);
    QCOMPARE(probe(game).deal.difficulty, QStringLiteral("Hard"));
    QCOMPARE(probe(game).deal.shuffleMoves, 200);
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
    QVERIFY(!ctl<QProgressBar>(window, "pgblength")->isVisible());

    // The shuffle changed the board, so there was something to draw.
    const Cells after = shownCells(window);
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

void TestPaintCount::clockTickRepaintsTheClockPanelAlone()
{
    GameFixture fx;
    GameState &game = fx.game;
    frmMain window(game);
    probe(game).clock.timeLimitMinutes = 10;
    probe(game).newGame();
    probe(game).requestMoveUp();
    window.render();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);

    AllPaints paints;
    QMetaObject::invokeMethod(ctl<QTimer>(window, "tmrtime"), "timeout");
    QTest::qWait(50);
    QCOMPARE(paints.painted, QStringList{statusPanel(window, 0)->objectName()});
}

QTEST_MAIN(TestPaintCount)
#include "test_paint_count.moc"
