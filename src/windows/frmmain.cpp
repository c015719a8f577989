#include "frmmain.h"

#include "accessibility.h"
#include "fonts.h"
#include "game/difficulty.h"
#include "game_icon.h"
#include "game_texts.h"
#include "key_filter.h"
#include "main_window_layout.h"
#include "placement.h"
#include "tile_button.h"
#include "twips.h"
#include "up_down.h"
#include "window_dialogs.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <algorithm>

frmMain::frmMain(GameState &game, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
    , m_dialogs(std::make_unique<WindowDialogs>(game, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Game"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    // The window's own display face is never drawn with: every control
    // carries the plain sans-serif, the menus the desktop's face. It is not
    // set, so that start-up does not load a font nobody sees.

    installAccessibleInterfaces();
    buildControls();
    buildMenus();
    setTabOrder();

    const auto makeTimer = [this](const QString &name, int interval, auto tick) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setInterval(interval);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, tick);
        return timer;
    };
    m_clockTimer = makeTimer(QStringLiteral("tmrtime"), 1000, [this] { tmrtime_Timer(); });
    m_autoPlayTimer = makeTimer(QStringLiteral("tmrauto"), 500, [this] { tmrauto_Timer(); });

    // The window never grows or shrinks by hand: its size follows the client
    // area, which the game sets.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    // The client area, below the menu bar, 306 px from the left and 134 px
    // from the top of the screen.
    placeClientAt(this, QPoint(px(4590), px(2010) - menuBar()->sizeHint().height()));

    m_dialogs->setBeforeShowing([this] { render(); });
    m_game.setDialogs(m_dialogs.get());
    m_game.setObserver(this);
    m_keys = new KeyFilter(this, [this](KeyCommand key) { Form_KeyDown(key); });
    m_keys->setTimeLimit(m_limitBox, m_limitUpDown);
    m_reset->setFocus();
    render();
}

frmMain::~frmMain()
{
    m_game.setObserver(nullptr);
    m_game.setDialogs(nullptr);
}

Dialogs &frmMain::dialogs() { return *m_dialogs; }

void frmMain::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(px(kMainClientWidthTwips), px(kClosedHeightTwips - kMainFrameTwips));
    // Every control of the window shows its text in the plain sans-serif, not
    // in the window's own display face.
    m_client->setFont(sansSerif(8.25));
    setCentralWidget(m_client);
    m_controls = ::buildControls(mainWindowControls(), m_client);

    for (int i = 0; i < 16; ++i) {
        auto *cell = m_controls.get<TileButton>(QStringLiteral("cmdcheck(%1)").arg(i));
        connect(cell, &QPushButton::clicked, this, [this, i] { cmdcheck_Click(i); });
        m_cells[i] = cell;
    }
    m_cells[15]->setBlank(true);

    m_reset = m_controls.get<QPushButton>(QStringLiteral("Cmdreset"));
    connect(m_reset, &QPushButton::clicked, this, &frmMain::Cmdreset_Click);
    m_pause = m_controls.get<QPushButton>(QStringLiteral("cmdpause"));
    connect(m_pause, &QPushButton::clicked, this, &frmMain::cmdpause_Click);
    m_statusBar = m_controls.get<QStatusBar>(QStringLiteral("stbtimer"));
    m_statusPanels = {m_controls.get<QLabel>(QStringLiteral("stbtimerPanel1")),
                      m_controls.get<QLabel>(QStringLiteral("stbtimerPanel2"))};
    m_progress = m_controls.get<QProgressBar>(QStringLiteral("pgblength"));
    m_progress->setAccessibleName(tr("Shuffle"));

    m_optionsPanel = m_controls.get<QGroupBox>(QStringLiteral("famOptions"));
    // The panel covers the board under it.
    m_optionsPanel->setAutoFillBackground(true);
    for (const DifficultyLevel &level : difficultyLevels()) {
        auto *button = m_controls.get<QRadioButton>(QString::fromLatin1(level.optionButton));
        connect(button, &QRadioButton::clicked, this, [this, &level] { Opt_Click(level); });
    }
    renderOptionButtons();
    connect(m_controls.get<QPushButton>(QStringLiteral("CmdOK")), &QPushButton::clicked, this, &frmMain::CmdOK_Click);
    connect(m_controls.get<QPushButton>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this,
            &frmMain::cmdCancel_Click);

    auto *limitLabel = m_controls.get<QLabel>(QStringLiteral("Label1"));
    m_limitBox = m_controls.get<QLineEdit>(QStringLiteral("txtlimit"));
    m_limitBox->setMaxLength(2);
    m_limitBox->setAccessibleName(limitLabel->text());
    limitLabel->setBuddy(m_limitBox);
    // Only the player's edits change the limit's text; what the game writes
    // into the box comes from the game.
    connect(m_limitBox, &QLineEdit::textEdited, this, &frmMain::txtlimit_Change);
    m_limitUpDown = m_controls.get<UpDown>(QStringLiteral("udlimit"));
    m_limitUpDown->setBuddy(m_limitBox);
    m_limitUpDown->setRange(1, 60);
    m_limitUpDown->setValue(20);
    connect(m_limitUpDown, &UpDown::stepped, this, &frmMain::udlimit_Change);
}

void frmMain::buildMenus()
{
    ::buildMenus(mainWindowMenus(), menuBar());
    m_toolsMenu = menuBar()->findChild<QMenu *>(QStringLiteral("mnutools"));
    const auto command = [this](const char *name, void (frmMain::*handler)()) {
        connect(menuBar()->findChild<QAction *>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    command("Mnuauto", &frmMain::Mnuauto_Click);
    command("mnuoptions", &frmMain::mnuoptions_Click);
    command("mnuhighscore", &frmMain::mnuhighscore_Click);
    command("mnuhtp", &frmMain::mnuhtp_Click);
    command("mnuabout", &frmMain::mnuabout_Click);
}

void frmMain::cmdcheck_Click(int index)
{
    // A tile pressed from the keyboard (Space, or a screen reader's press)
    // is followed by the focus; one clicked with the mouse is not.
    handleMove([this, index] { m_game.clickTile(index); }, !m_cells[index]->clickedByMouse());
}

void frmMain::Form_KeyDown(KeyCommand key)
{
    handleMove([this, key] { m_game.pressKey(key); }, true);
}

void frmMain::Cmdreset_Click() { handle([this] { m_game.requestReset(); }); }
void frmMain::cmdpause_Click() { handle([this] { m_game.pressPause(); }); }
void frmMain::Opt_Click(const DifficultyLevel &level) { handle([this, &level] { m_game.chooseDifficulty(level); }); }
void frmMain::CmdOK_Click() { handle([this] { m_game.applyOptions(); }); }
void frmMain::cmdCancel_Click() { handle([this] { m_game.cancelOptions(); }); }
void frmMain::Mnuauto_Click() { handle([this] { m_game.startAutoPlay(); }); }
void frmMain::mnuoptions_Click() { handle([this] { m_game.openOptions(); }); }
void frmMain::mnuhighscore_Click() { handle([this] { m_dialogs->showHighScores(); }); }
void frmMain::mnuhtp_Click() { handle([this] { m_game.showHowToPlay(); }); }
void frmMain::mnuabout_Click() { handle([this] { m_game.showAbout(); }); }

void frmMain::txtlimit_Change(const QString &text)
{
    m_game.editTimeLimit(text);
    if (text.size() <= 2)
        m_limitBox->setMaxLength(2);
}

void frmMain::udlimit_Change()
{
    m_game.editTimeLimit(m_limitBox->text());
    m_limitBox->setMaxLength(2);
}

void frmMain::tmrtime_Timer()
{
    if (!m_game.clock().running)
        return;
    m_game.tickClock();
    // A tick that leaves the clock running has changed the clock's text and
    // nothing else; one that ran out of time has dealt a new game.
    m_game.clock().running ? renderStatusPanels() : render();
}

void frmMain::tmrauto_Timer()
{
    if (m_game.autoPlay().stepping)
        handle([this] { m_game.stepAutoPlay(); });
}

void frmMain::setTabOrder()
{
    QList<QWidget *> order;
    for (const char *name : {"Cmdreset", "cmdpause", "CmdOK", "cmdCancel", "OptEasy", "Optmedium", "Optihard",
                             "txtlimit"})
        order.append(m_controls[QString::fromLatin1(name)]);
    for (TileButton *cell : m_cells)
        order.append(cell);
    order.append(m_limitUpDown);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    for (const char *name : {"pgblength", "stbtimer", "famOptions", "frdifficulty", "Shape1", "Label1"})
        m_controls[QString::fromLatin1(name)]->setFocusPolicy(Qt::NoFocus);
}

template <typename Handler> void frmMain::handle(Handler handler)
{
    handler();
    render();
}

template <typename Handler> void frmMain::handleMove(Handler handler, bool focusMovedTile)
{
    const Board &board = m_game.board().tiles;
    const int blank = board.blankCell();
    const std::size_t moves = m_game.board().moveHistory.size();
    handler();
    // One move more in the same game: the tile now stands where the blank was.
    if (focusMovedTile && QAccessible::isActive() && m_game.board().moveHistory.size() == moves + 1
        && board.tileAt(blank) != Board::kBlank)
        m_focusCell = blank;
    render();
}

void frmMain::render()
{
    if (m_rendering)
        return;
    m_rendering = true;
    // Only what differs from the screen is set: every caption, text or state
    // set again would repaint its control and be announced to a screen reader
    // once more (a clock tick changes the clock panel alone).
    renderCells();
    const Phase phase = m_game.phase();
    if (const QString caption = pauseCaption(phase); m_pause->text() != caption)
        m_pause->setText(caption);
    if (const QString tip = pauseToolTip(phase); m_pause->toolTip() != tip)
        m_pause->setToolTip(tip);
    if (m_pause->isEnabled() != m_game.clock().underWay)
        m_pause->setEnabled(m_game.clock().underWay);
    if (const bool reset = phase != Phase::Paused; m_reset->isEnabled() != reset)
        m_reset->setEnabled(reset);

    // A disabled menu takes its shortcuts with it.
    // The Tools menu serves a game in play only.
    if (const bool tools = phase == Phase::Playing; m_toolsMenu->menuAction()->isEnabled() != tools) {
        m_toolsMenu->menuAction()->setEnabled(tools);
        for (QAction *action : m_toolsMenu->actions())
            action->setEnabled(tools);
    }

    renderOptionButtons();
    const QString &limit = m_game.options().limitText;
    if (m_limitBox->text() != limit) {
        // Two characters is what the player may enter; a longer limit from a
        // hand-edited store is shown whole, so that it is judged whole.
        m_limitBox->setMaxLength(qMax(2, static_cast<int>(limit.size())));
        m_limitBox->setText(limit);
    }

    const bool optionsOpen = phase == Phase::Options;
    const int clientHeight = px((optionsOpen ? kOpenHeightTwips : kClosedHeightTwips) - kMainFrameTwips);
    if (m_client->height() != clientHeight)
        m_client->setFixedSize(px(kMainClientWidthTwips), clientHeight);
    if (m_optionsPanel->isVisibleTo(this) != optionsOpen)
        showOptionsPanel(optionsOpen);
    if (m_statusBar->y() != clientHeight - m_statusBar->height())
        m_statusBar->move(0, clientHeight - m_statusBar->height());
    // The status bar makes room for the panel.
    if (m_statusBar->isHidden() != optionsOpen)
        m_statusBar->setVisible(!optionsOpen);
    renderStatusPanels();
    // The hidden progress bar keeps its last value: it says nothing while
    // nobody can see it.
    const DealState &deal = m_game.deal();
    if (deal.shuffling) {
        if (m_progress->isHidden())
            m_progress->show();
        if (m_progress->minimum() != 0 || m_progress->maximum() != deal.shuffleMoves)
            m_progress->setRange(0, deal.shuffleMoves);
        if (m_progress->value() != deal.shuffleDone)
            m_progress->setValue(deal.shuffleDone);
    } else if (!m_progress->isHidden()) {
        m_progress->hide();
    }
    timersChanged();
    m_rendering = false;
}

void frmMain::renderStatusPanels()
{
    // The difficulty shows beside the clock from the first deal on.
    const std::optional<ClockReading> &reading = m_game.clock().reading;
    const std::array<QString, 2> shownPanels{reading ? clockText(*reading) : QString(),
                                             reading ? difficultyText(m_game.deal().difficulty) : QString()};
    for (int p = 0; p < 2; ++p) {
        if (m_statusPanels[p]->text() != shownPanels[p])
            m_statusPanels[p]->setText(shownPanels[p]);
    }
}

void frmMain::renderCells()
{
    const auto renderCell = [this](int i) {
        TileButton *cell = m_cells[i];
        const int tile = m_game.board().tiles.tileAt(i);
        const QString caption = tile == Board::kBlank ? QString() : QString::number(tile);
        if (cell->text() != caption)
            cell->setText(caption);
        if (cell->isBlank() != (tile == Board::kBlank))
            cell->setBlank(tile == Board::kBlank);
    };
    // A tile that has just moved takes the focus before the cell it left
    // becomes the blank, so that the focus goes straight to it.
    if (m_focusCell >= 0) {
        renderCell(m_focusCell);
        m_cells[m_focusCell]->setFocus(Qt::OtherFocusReason);
        m_focusCell = -1;
    }
    for (int i = 0; i < 16; ++i)
        renderCell(i);
}

void frmMain::renderOptionButtons()
{
    if (const DifficultyLevel *level = m_game.options().level) {
        auto *button = m_controls.get<QRadioButton>(QString::fromLatin1(level->optionButton));
        if (!button->isChecked())
            button->setChecked(true);
    }
}

void frmMain::timersChanged()
{
    // Starting a running timer changes nothing: moves never delay a tick. A
    // window that is closing runs neither.
    const bool clock = m_game.clock().running && !m_windowClosing;
    const bool autoPlay = m_game.autoPlay().stepping && !m_windowClosing;
    if (clock != m_clockTimer->isActive())
        clock ? m_clockTimer->start() : m_clockTimer->stop();
    if (autoPlay != m_autoPlayTimer->isActive())
        autoPlay ? m_autoPlayTimer->start() : m_autoPlayTimer->stop();
}

void frmMain::progressChanged()
{
    // Only the progress bar paints while a shuffle runs; the tiles are drawn
    // once, when the handler has returned. The bar paints at most once a
    // screen frame, and at its end.
    const DealState &deal = m_game.deal();
    if (!deal.shuffling)
        return;
    if (!m_progress->isVisible()) {
        // Shown before its range and value change, so that what it says
        // comes from a bar on the screen.
        m_progress->show();
        m_progress->setRange(0, deal.shuffleMoves);
        m_progressPainted.invalidate();
    }
    m_progress->setValue(deal.shuffleDone);
    const bool atEnd = deal.shuffleDone >= deal.shuffleMoves;
    // Before the window's first frame, the bar is drawn with it.
    if (m_onScreen && isVisible() && (atEnd || !m_progressPainted.isValid() || m_progressPainted.elapsed() >= 16)) {
        m_progress->repaint();
        m_progressPainted.start();
    }
}

bool frmMain::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        const bool result = QMainWindow::event(event);
        // By now the window manager has framed the window: all of it must
        // be on the screen.
        if (!m_keptInside) {
            m_keptInside = true;
            keepInsideScreen(this);
            onScreen();
        }
        emit activated();
        render();
        return result;
    }
    return QMainWindow::event(event);
}

void frmMain::onScreen()
{
    if (m_onScreen)
        return;
    m_onScreen = true;
    // The icon is painted once the window is on the screen, not before its
    // first frame.
    QApplication::setWindowIcon(gameIcon());
    setWindowIcon(gameIcon());
}

void frmMain::closeOnRequest()
{
    m_dialogs->setClosing(true);
    WindowDialogs::finishOpenDialogs();
    // A handler that waited in a dialog runs to its end before the window
    // closes, so that what it was doing (storing a record) is done.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || thread()->loopLevel() > 1) {
        QTimer::singleShot(10, this, &frmMain::closeOnRequest);
        return;
    }
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // The board stands still from here on, also while a message that the
    // settings could not be saved waits for the player.
    m_windowClosing = true;
    timersChanged();
    emit closing();
    QMainWindow::closeEvent(event);
}

void frmMain::showOptionsPanel(bool shown)
{
    if (shown && !m_limitLabelFitted) {
        // The time-limit box lies over the end of its label. Fitted when the
        // panel first opens, so that start-up measures no text nobody sees.
        auto *limitLabel = m_controls.get<QLabel>(QStringLiteral("Label1"));
        fitFontToBox(limitLabel, QSize(px(1680 - 120) - 2, limitLabel->height()));
        m_limitLabelFitted = true;
    }
    m_optionsPanel->setVisible(shown);
    // The row of Reset and Pause and the board under the panel are out of
    // reach while it is open: no focus may rest on them.
    const Qt::FocusPolicy policy = shown ? Qt::NoFocus : Qt::StrongFocus;
    m_reset->setFocusPolicy(policy);
    m_pause->setFocusPolicy(policy);
    for (TileButton *cell : m_cells)
        cell->setReachable(!shown);
    if (!shown) {
        m_reset->setFocus();
        return;
    }
    for (const DifficultyLevel &level : difficultyLevels()) {
        auto *button = m_controls.get<QRadioButton>(QString::fromLatin1(level.optionButton));
        if (button->isChecked())
            button->setFocus();
    }
}
