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
#include <QShortcut>
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
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    // The window's own display face is never drawn with: every control
    // carries the plain sans-serif, the menus the desktop's face. It is not
    // set, so that start-up does not load a font nobody sees.

    installAccessibleInterfaces();
    buildControls();

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
    m_announceTimer = makeTimer(QStringLiteral("tmrannounce"), 300, [this] { announce(); });
    m_announceTimer->setSingleShot(true);

    // The window never grows or shrinks by hand: its size follows the client
    // area, which the game sets.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    placeWindow(this, mainWindowLayout().placement);

    m_dialogs->setBeforeShowing([this] { render(); });
    m_game.setDialogs(m_dialogs.get());
    m_game.setObserver(this);
    m_keys = new KeyFilter(this, [this](KeyCommand key) { Form_KeyDown(key); });
    // F10 opens the first menu that is enabled, as in the desktop's other
    // programs.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        const QList<QAction *> menus = menuBar()->actions();
        const auto enabled = std::find_if(menus.begin(), menus.end(), [](QAction *menu) { return menu->isEnabled(); });
        if (enabled != menus.end())
            menuBar()->setActiveAction(*enabled);
    });
    m_keys->setTimeLimit(m_ui.txtlimit, m_ui.udlimit);
    m_ui.Cmdreset->setFocus();
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
    // Every control of the window shows its text in the plain sans-serif, not
    // in the window's own display face.
    m_client->setFont(sansSerif(8.25));
    setCentralWidget(m_client);
    m_announcer = new Announcer(m_client);
    m_ui = buildWindow<MainWindowControls>(mainWindowLayout(), this, m_client);

    for (int i = 0; i < 16; ++i)
        connect(m_ui.cmdcheck[i], &QPushButton::clicked, this, [this, i] { cmdcheck_Click(i); });
    m_ui.cmdcheck[15]->setBlank(true);

    connect(m_ui.Cmdreset, &QPushButton::clicked, this, &frmMain::Cmdreset_Click);
    connect(m_ui.cmdpause, &QPushButton::clicked, this, &frmMain::cmdpause_Click);
    m_ui.pgblength->setAccessibleName(tr("Shuffle"));

    // The panel covers the board under it.
    m_ui.famOptions->setAutoFillBackground(true);
    const auto levels = difficultyLevels();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const DifficultyLevel &level = levels[i];
        connect(m_ui.Opt[i], &QRadioButton::clicked, this, [this, &level] { Opt_Click(level); });
    }
    renderOptionButtons();
    connect(m_ui.CmdOK, &QPushButton::clicked, this, &frmMain::CmdOK_Click);
    connect(m_ui.cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);

    m_ui.txtlimit->setMaxLength(2);
    m_ui.txtlimit->setAccessibleName(m_ui.Label1->text());
    m_ui.Label1->setBuddy(m_ui.txtlimit);
    // Only the player's edits change the limit's text; what the game writes
    // into the box comes from the game.
    connect(m_ui.txtlimit, &QLineEdit::textEdited, this, &frmMain::txtlimit_Change);
    m_ui.udlimit->setBuddy(m_ui.txtlimit);
    m_ui.udlimit->setRange(1, 60);
    m_ui.udlimit->setValue(20);
    connect(m_ui.udlimit, &UpDown::stepped, this, &frmMain::udlimit_Change);

    connect(m_ui.Mnuauto, &QAction::triggered, this, &frmMain::Mnuauto_Click);
    connect(m_ui.mnuoptions, &QAction::triggered, this, &frmMain::mnuoptions_Click);
    connect(m_ui.mnuhighscore, &QAction::triggered, this, &frmMain::mnuhighscore_Click);
    connect(m_ui.mnuhtp, &QAction::triggered, this, &frmMain::mnuhtp_Click);
    connect(m_ui.mnuabout, &QAction::triggered, this, &frmMain::mnuabout_Click);
}

void frmMain::cmdcheck_Click(int index)
{
    // A tile pressed from the keyboard (Space, or a screen reader's press)
    // is followed by the focus; one clicked with the mouse is not.
    handleMove([this, index] { m_game.clickTile(index); }, !m_ui.cmdcheck[index]->clickedByMouse());
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
void frmMain::Mnuauto_Click()
{
    handle([this] {
        m_game.startAutoPlay();
        if (m_game.phase() == Phase::AutoPlay)
            m_announcement = tr("Auto play started");
    });
}
void frmMain::mnuoptions_Click() { handle([this] { m_game.openOptions(); }); }
void frmMain::mnuhighscore_Click() { handle([this] { m_dialogs->showHighScores(); }); }
void frmMain::mnuhtp_Click() { handle([this] { m_game.showHowToPlay(); }); }
void frmMain::mnuabout_Click() { handle([this] { m_game.showAbout(); }); }

void frmMain::txtlimit_Change(const QString &text)
{
    m_game.editTimeLimit(text);
    if (text.size() <= 2)
        m_ui.txtlimit->setMaxLength(2);
}

void frmMain::udlimit_Change()
{
    m_game.editTimeLimit(m_ui.txtlimit->text());
    m_ui.txtlimit->setMaxLength(2);
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
    m_playerMove = m_game.board().moveHistory.size() == moves + 1;
    render();
    m_playerMove = false;
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
    if (const QString caption = pauseCaption(phase); m_ui.cmdpause->text() != caption) {
        m_ui.cmdpause->setText(caption);
        // Its new name is what the player must hear after pressing it.
        if (m_ui.cmdpause->hasFocus())
            m_announcer->say(caption);
    }
    if (const QString tip = pauseToolTip(phase); m_ui.cmdpause->toolTip() != tip)
        m_ui.cmdpause->setToolTip(tip);
    if (m_ui.cmdpause->isEnabled() != m_game.clock().underWay)
        m_ui.cmdpause->setEnabled(m_game.clock().underWay);
    if (const bool reset = phase != Phase::Paused; m_ui.Cmdreset->isEnabled() != reset)
        m_ui.Cmdreset->setEnabled(reset);

    // A disabled menu takes its shortcuts with it.
    // The Tools menu serves a game in play only.
    if (const bool tools = phase == Phase::Playing; m_ui.mnutools->menuAction()->isEnabled() != tools) {
        m_ui.mnutools->menuAction()->setEnabled(tools);
        for (QAction *action : m_ui.mnutools->actions())
            action->setEnabled(tools);
    }

    renderOptionButtons();
    const QString &limit = m_game.options().limitText;
    if (m_ui.txtlimit->text() != limit) {
        // Two characters is what the player may enter; a longer limit from a
        // hand-edited store is shown whole, so that it is judged whole.
        m_ui.txtlimit->setMaxLength(qMax(2, static_cast<int>(limit.size())));
        m_ui.txtlimit->setText(limit);
    }

    const bool optionsOpen = phase == Phase::Options;
    const int clientHeight = px((optionsOpen ? kOpenHeightTwips : kClosedHeightTwips) - kMainFrameTwips);
    if (m_client->height() != clientHeight)
        m_client->setFixedSize(px(mainWindowLayout().width), clientHeight);
    if (m_ui.famOptions->isVisibleTo(this) != optionsOpen)
        showOptionsPanel(optionsOpen);
    if (m_ui.stbtimer->y() != clientHeight - m_ui.stbtimer->height())
        m_ui.stbtimer->move(0, clientHeight - m_ui.stbtimer->height());
    // The status bar makes room for the panel.
    if (m_ui.stbtimer->isHidden() != optionsOpen)
        m_ui.stbtimer->setVisible(!optionsOpen);
    renderStatusPanels();
    // The hidden progress bar keeps its last value: it says nothing while
    // nobody can see it.
    const DealState &deal = m_game.deal();
    if (deal.shuffling) {
        if (m_ui.pgblength->isHidden())
            m_ui.pgblength->show();
        if (m_ui.pgblength->minimum() != 0 || m_ui.pgblength->maximum() != deal.shuffleMoves)
            m_ui.pgblength->setRange(0, deal.shuffleMoves);
        if (m_ui.pgblength->value() != deal.shuffleDone)
            m_ui.pgblength->setValue(deal.shuffleDone);
    } else if (!m_ui.pgblength->isHidden()) {
        m_ui.pgblength->hide();
    }
    timersChanged();
    m_rendering = false;
    // Told once, a moment after what the drawing itself tells, and only by
    // an active window: a screen reader cuts short what a window says while
    // it is still taking the window for the active one (after a dialog).
    if (!m_announcement.isEmpty())
        m_announceTimer->start();
}

void frmMain::announce()
{
    if (!m_announcement.isEmpty() && isActiveWindow()) {
        m_announcer->say(m_announcement);
        m_announcement.clear();
    }
}

void frmMain::dealt()
{
    // The first deal comes with the window itself.
    if (++m_deals > 1)
        m_announcement = tr("New game");
}

void frmMain::renderStatusPanels()
{
    // The difficulty shows beside the clock from the first deal on.
    const std::optional<ClockReading> &reading = m_game.clock().reading;
    const std::array<QString, 2> shownPanels{reading ? clockText(*reading) : QString(),
                                             reading ? difficultyText(m_game.deal().difficulty) : QString()};
    for (int p = 0; p < 2; ++p) {
        if (m_ui.stbtimerPanel[p]->text() != shownPanels[p])
            m_ui.stbtimerPanel[p]->setText(shownPanels[p]);
    }
}

void frmMain::renderCells()
{
    const auto renderCell = [this](int i) {
        TileButton *cell = m_ui.cmdcheck[i];
        const int tile = m_game.board().tiles.tileAt(i);
        const QString caption = tile == Board::kBlank ? QString() : QString::number(tile);
        if (cell->text() != caption)
            cell->setText(caption);
        if (cell->isBlank() != (tile == Board::kBlank))
            cell->setBlank(tile == Board::kBlank);
    };
    // A tile with the focus that the game moves itself (a deal, the auto
    // play) hands the focus to the buttons below the board, not to another
    // tile: the focus follows a tile only for the player's own moves.
    for (int i = 0; i < 16; ++i) {
        if (!m_playerMove && m_ui.cmdcheck[i]->hasFocus() && m_game.board().tiles.tileAt(i) == Board::kBlank)
            (m_game.phase() == Phase::AutoPlay ? m_ui.cmdpause : m_ui.Cmdreset)->setFocus(Qt::OtherFocusReason);
    }
    // A tile that has just moved takes the focus before the cell it left
    // becomes the blank, so that the focus goes straight to it.
    if (m_focusCell >= 0) {
        renderCell(m_focusCell);
        m_ui.cmdcheck[m_focusCell]->setFocus(Qt::OtherFocusReason);
        m_focusCell = -1;
    }
    for (int i = 0; i < 16; ++i)
        renderCell(i);
}

void frmMain::renderOptionButtons()
{
    if (const DifficultyLevel *level = m_game.options().level) {
        QRadioButton *button = m_ui.Opt[std::size_t(levelIndex(*level))];
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
    if (!m_ui.pgblength->isVisible()) {
        // Shown before its range and value change, so that what it says
        // comes from a bar on the screen.
        m_ui.pgblength->show();
        m_ui.pgblength->setRange(0, deal.shuffleMoves);
        m_progressPainted.invalidate();
    }
    const bool atEnd = deal.shuffleDone >= deal.shuffleMoves;
    const bool paint =
        m_onScreen && isVisible() && (atEnd || !m_progressPainted.isValid() || m_progressPainted.elapsed() >= 16);
    // The bar takes a new value when it paints and at its end, not at every
    // move: a screen reader is told each value, and a shuffle's hundreds would
    // drown out what is said after the deal. Before the window's first frame,
    // the bar is drawn with it.
    if (paint || atEnd || !m_onScreen)
        m_ui.pgblength->setValue(deal.shuffleDone);
    if (paint) {
        m_ui.pgblength->repaint();
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
        fitFontToBox(m_ui.Label1, QSize(m_ui.txtlimit->x() - m_ui.Label1->x() - 2, m_ui.Label1->height()));
        m_limitLabelFitted = true;
    }
    m_ui.famOptions->setVisible(shown);
    // The row of Reset and Pause and the board under the panel are out of
    // reach while it is open: no focus may rest on them.
    const Qt::FocusPolicy policy = shown ? Qt::NoFocus : Qt::StrongFocus;
    m_ui.Cmdreset->setFocusPolicy(policy);
    m_ui.cmdpause->setFocusPolicy(policy);
    for (TileButton *cell : m_ui.cmdcheck)
        cell->setReachable(!shown);
    if (!shown) {
        m_ui.Cmdreset->setFocus();
        return;
    }
    for (QRadioButton *button : m_ui.Opt) {
        if (button->isChecked())
            button->setFocus();
    }
}
