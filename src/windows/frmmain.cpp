#include "frmmain.h"

#include "about.h"
#include "accessibility.h"
#include "fonts.h"
#include "frmentername.h"
#include "frmhighscores.h"
#include "game/key_codes.h"
#include "game_icon.h"
#include "how_to_play.h"
#include "options_panel.h"
#include "placement.h"
#include "tile_button.h"
#include "twips.h"
#include "up_down.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace {

// Title bar, menu bar and borders of the classic window: outer height minus
// client height.
constexpr int kFrameTwips = 675;
constexpr int kClientWidthTwips = 3225;

bool isMenuShortcut(const QKeyEvent &event)
{
    const int key = event.key();
    const auto mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && key >= Qt::Key_F1 && key <= Qt::Key_F4)
        return true;
    return mods == Qt::ControlModifier && key == Qt::Key_A;
}

} // namespace

int virtualKeyCode(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_F1)
        return KeyCode::F1;
    if (event.modifiers() & Qt::KeypadModifier) {
        if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9)
            return KeyCode::Numpad0 + (event.key() - Qt::Key_0);
    }
    return -1;
}

frmMain::frmMain(GameState &game, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Game"));
    setWindowIcon(gameIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    // The classic window's own display face is never drawn with: every
    // control carries the plain sans-serif, the menus the desktop's face. It
    // is not set, so that start-up does not load a font nobody sees.

    installAccessibleInterfaces();
    buildLayout();
    buildMenus();
    setTabOrder();

    tmrtime = new QTimer(this);
    tmrtime->setObjectName(QStringLiteral("tmrtime"));
    tmrtime->setInterval(1000);
    tmrtime->setTimerType(Qt::PreciseTimer);
    connect(tmrtime, &QTimer::timeout, this, [this] {
        if (m_game.tmrtimeEnabled)
            handle([this] { m_game.tmrtime_Timer(); });
    });
    tmrauto = new QTimer(this);
    tmrauto->setObjectName(QStringLiteral("tmrauto"));
    tmrauto->setInterval(500);
    tmrauto->setTimerType(Qt::PreciseTimer);
    connect(tmrauto, &QTimer::timeout, this, [this] {
        if (m_game.tmrautoEnabled)
            handle([this] { m_game.tmrauto_Timer(); });
    });

    // The window never grows or shrinks by hand: its size follows the client
    // area, which the game sets.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    // The client area, below the menu bar, 306 px from the left and 134 px
    // from the top of the screen.
    placeClientAt(this, QPoint(px(4590), px(2010) - menuBar()->sizeHint().height()));

    m_game.setDialogs(this);
    m_game.setObserver(this);
    qApp->installEventFilter(this);
    Cmdreset->setFocus();
    render();
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
    m_game.setObserver(nullptr);
    m_game.setDialogs(nullptr);
}

void frmMain::buildLayout()
{
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(kClientWidthTwips), px(3600));
    // Every control of the window shows its text in the plain sans-serif, not
    // in the window's own display face.
    client->setFont(sansSerif(8.25));
    setCentralWidget(client);

    // Created back to front, so that later controls lie over earlier ones.
    Shape1 = new QFrame(client);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    Shape1->setGeometry(twipsRect(120, 0, 3015, 2535));
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < 16; ++i) {
        auto *cell = new TileButton(i, client);
        cell->setText(QStringLiteral("1"));
        cell->setObjectName(QStringLiteral("cmdcheck(%1)").arg(i));
        cell->setGeometry(twipsRect(240 + 720 * (i % 4), 120 + 600 * (i / 4), 615, 495));
        // A tile pressed from the keyboard (Space, or a screen reader's press)
        // is followed by the focus; one clicked with the mouse is not.
        connect(cell, &QPushButton::clicked, this, [this, cell, i] {
            handleMove([this, i] { m_game.cmdcheck_Click(i); }, !cell->clickedByMouse());
        });
        cmdcheck[i] = cell;
    }
    cmdcheck[15]->setBlank(true);

    Cmdreset = new QPushButton(QStringLiteral("Reset"), client);
    Cmdreset->setObjectName(QStringLiteral("Cmdreset"));
    Cmdreset->setToolTip(QStringLiteral("Reset Game"));
    Cmdreset->setGeometry(twipsRect(120, 2760, 975, 435));
    connect(Cmdreset, &QPushButton::clicked, this, [this] { handle([this] { m_game.Cmdreset_Click(); }); });

    stbtimer = new QStatusBar(client);
    stbtimer->setObjectName(QStringLiteral("stbtimer"));
    stbtimer->setSizeGripEnabled(false);
    stbtimer->setFixedSize(px(3225), px(255));
    stbtimer->move(0, px(3345));
    // Two sunken panels, 140 and 73 px wide with 2 px between them. Each
    // keeps its place and size and paints its whole area, so that a new
    // clock text repaints the clock panel and nothing else.
    const std::array<QRect, 2> panelRects{QRect(0, 0, 140, px(255)), QRect(142, 0, 73, px(255))};
    for (int p = 0; p < 2; ++p) {
        auto *panel = new QLabel(stbtimer);
        panel->setObjectName(QStringLiteral("stbtimerPanel%1").arg(p + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        panel->setTextFormat(Qt::PlainText);
        panel->setGeometry(panelRects[p]);
        panel->setFixedSize(panelRects[p].size());
        panel->setAutoFillBackground(true);
        stbtimerPanels[p] = panel;
    }

    cmdpause = new QPushButton(QStringLiteral("Pause"), client);
    cmdpause->setObjectName(QStringLiteral("cmdpause"));
    cmdpause->setToolTip(QStringLiteral("Pause Game"));
    cmdpause->setGeometry(twipsRect(2160, 2760, 975, 435));
    connect(cmdpause, &QPushButton::clicked, this, [this] { handle([this] { m_game.cmdpause_Click(); }); });

    pgblength = new QProgressBar(client);
    pgblength->setObjectName(QStringLiteral("pgblength"));
    pgblength->setGeometry(twipsRect(0, 3360, 3255, 255));
    pgblength->setRange(0, 100);
    pgblength->setTextVisible(false);
    pgblength->setAccessibleName(tr("Shuffle"));
    pgblength->hide();

    famOptions = new QGroupBox(QStringLiteral("Options"), client);
    famOptions->setObjectName(QStringLiteral("famOptions"));
    famOptions->setGeometry(twipsRect(120, 0, 3015, 2535));
    famOptions->setAutoFillBackground(true);
    famOptions->hide();

    frdifficulty = new QGroupBox(QStringLiteral("Difficulty"), famOptions);
    frdifficulty->setObjectName(QStringLiteral("frdifficulty"));
    frdifficulty->setGeometry(twipsRect(240, 240, 1815, 1695));
    // A frame inside a frame would otherwise be read out with the outer title.
    famOptions->setAccessibleName(famOptions->title());
    frdifficulty->setAccessibleName(frdifficulty->title());

    OptEasy = new QRadioButton(QStringLiteral("Easy"), frdifficulty);
    OptEasy->setObjectName(QStringLiteral("OptEasy"));
    OptEasy->setGeometry(twipsRect(360, 360, 855, 375));
    Optmedium = new QRadioButton(QStringLiteral("Medium"), frdifficulty);
    Optmedium->setObjectName(QStringLiteral("Optmedium"));
    Optmedium->setGeometry(twipsRect(360, 840, 1095, 255));
    Optihard = new QRadioButton(QStringLiteral("Hard"), frdifficulty);
    Optihard->setObjectName(QStringLiteral("Optihard"));
    Optihard->setGeometry(twipsRect(360, 1320, 735, 195));
    OptEasy->setChecked(true);
    const std::array<std::pair<QRadioButton *, DifficultyOption>, 3> options{
        {{OptEasy, DifficultyOption::Easy}, {Optmedium, DifficultyOption::Medium}, {Optihard, DifficultyOption::Hard}}};
    for (auto [button, option] : options) {
        connect(button, &QRadioButton::clicked, this, [this, option] {
            handle([this, option] { OptionsPanel(m_game).optionClicked(option); });
        });
    }

    CmdOK = new QPushButton(QStringLiteral("OK"), famOptions);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setToolTip(QStringLiteral("Apply Difficulty Level"));
    CmdOK->setGeometry(twipsRect(2160, 360, 735, 735));
    connect(CmdOK, &QPushButton::clicked, this, [this] { handle([this] { OptionsPanel(m_game).CmdOK_Click(); }); });

    cmdCancel = new QPushButton(QStringLiteral("Cancel"), famOptions);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twipsRect(2160, 1200, 735, 735));
    connect(cmdCancel, &QPushButton::clicked, this, [this] { handle([this] { OptionsPanel(m_game).cmdCancel_Click(); }); });

    Label1 = new QLabel(QStringLiteral("Time limit in minutes"), famOptions);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 2160, 1815, 255));
    // The time-limit box lies over the end of the label.
    fitFontToBox(Label1, QSize(px(1680 - 120) - 2, Label1->height()));

    txtlimit = new UpDownBox(QStringLiteral("20"), famOptions);
    txtlimit->setObjectName(QStringLiteral("txtlimit"));
    txtlimit->setMaxLength(2);
    txtlimit->setGeometry(twipsRect(1680, 2160, 345, 285));
    txtlimit->setAccessibleName(QStringLiteral("Time limit in minutes"));
    Label1->setBuddy(txtlimit);
    // Only the player's edits change the limit's text; what the game writes
    // into the box comes from the game.
    connect(txtlimit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_game.txtlimit = text;
        if (text.size() <= 2)
            txtlimit->setMaxLength(2);
    });

    udlimit = new UpDown(famOptions);
    udlimit->setObjectName(QStringLiteral("udlimit"));
    udlimit->setGeometry(twipsRect(1920, 2160, 195, 285));
    udlimit->setBuddy(txtlimit);
    udlimit->setRange(1, 60);
    udlimit->setValue(20);
    connect(udlimit, &UpDown::stepped, this, [this] {
        m_game.txtlimit = txtlimit->text();
        txtlimit->setMaxLength(2);
    });
}

void frmMain::buildMenus()
{
    mnutools = menuBar()->addMenu(QStringLiteral("Tools"));
    mnutools->setObjectName(QStringLiteral("mnutools"));
    Mnuauto = mnutools->addAction(QStringLiteral("Auto Play"));
    Mnuauto->setObjectName(QStringLiteral("Mnuauto"));
    Mnuauto->setShortcut(QKeySequence(Qt::Key_F2));
    mnuoptions = mnutools->addAction(QStringLiteral("Options"));
    mnuoptions->setObjectName(QStringLiteral("mnuoptions"));
    mnuoptions->setShortcut(QKeySequence(Qt::Key_F3));
    mnuhighscore = mnutools->addAction(QStringLiteral("High Scores"));
    mnuhighscore->setObjectName(QStringLiteral("mnuhighscore"));
    mnuhighscore->setShortcut(QKeySequence(Qt::Key_F4));

    mnuhlp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuhlp->setObjectName(QStringLiteral("mnuhlp"));
    mnuhtp = mnuhlp->addAction(QStringLiteral("How to Play"));
    mnuhtp->setObjectName(QStringLiteral("mnuhtp"));
    mnuhtp->setShortcut(QKeySequence(Qt::Key_F1));
    mnuabout = mnuhlp->addAction(QStringLiteral("About"));
    mnuabout->setObjectName(QStringLiteral("mnuabout"));
    mnuabout->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    for (QAction *action : {Mnuauto, mnuoptions, mnuhighscore, mnuhtp, mnuabout})
        action->setShortcutContext(Qt::WindowShortcut);

    connect(Mnuauto, &QAction::triggered, this, [this] { handle([this] { m_game.Mnuauto_Click(); }); });
    connect(mnuoptions, &QAction::triggered, this, [this] { handle([this] { OptionsPanel(m_game).mnuoptions_Click(); }); });
    connect(mnuhighscore, &QAction::triggered, this, [this] { handle([this] { showHighScores(); }); });
    connect(mnuhtp, &QAction::triggered, this, [this] { handle([this] { ShowHowToPlay(m_game); }); });
    connect(mnuabout, &QAction::triggered, this, [this] { handle([this] { mnuabout_Click(m_game); }); });
}

void frmMain::setTabOrder()
{
    QList<QWidget *> order{Cmdreset, cmdpause, CmdOK, cmdCancel, OptEasy, Optmedium, Optihard, txtlimit};
    for (QPushButton *cell : cmdcheck)
        order.append(cell);
    order.append(udlimit);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    for (QWidget *w : {static_cast<QWidget *>(pgblength), static_cast<QWidget *>(stbtimer),
                       static_cast<QWidget *>(famOptions), static_cast<QWidget *>(frdifficulty),
                       static_cast<QWidget *>(Shape1), static_cast<QWidget *>(Label1)})
        w->setFocusPolicy(Qt::NoFocus);
}

template <typename Handler> void frmMain::handle(Handler handler)
{
    handler();
    render();
}

template <typename Handler> void frmMain::handleMove(Handler handler, bool focusMovedTile)
{
    const auto isBlank = [](const Cell &cell) { return !cell.visible; };
    const auto blank = std::find_if(m_game.cmdcheck.begin(), m_game.cmdcheck.end(), isBlank) - m_game.cmdcheck.begin();
    const qsizetype moves = m_game.MoveHistory.size();
    handler();
    // One move more in the same game: the tile now stands where the blank was.
    if (focusMovedTile && QAccessible::isActive() && blank < 16 && m_game.MoveHistory.size() == moves + 1
        && m_game.cmdcheck[blank].visible)
        m_focusCell = static_cast<int>(blank);
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
    const auto renderButton = [](QPushButton *button, const ButtonState &state) {
        if (button->text() != state.caption)
            button->setText(state.caption);
        if (button->toolTip() != state.toolTip)
            button->setToolTip(state.toolTip);
        if (button->isEnabled() != state.enabled)
            button->setEnabled(state.enabled);
    };
    renderButton(cmdpause, m_game.cmdpause);
    renderButton(Cmdreset, m_game.Cmdreset);

    // A disabled menu takes its shortcuts with it.
    if (mnutools->menuAction()->isEnabled() != m_game.mnutoolsEnabled) {
        mnutools->menuAction()->setEnabled(m_game.mnutoolsEnabled);
        for (QAction *action : mnutools->actions())
            action->setEnabled(m_game.mnutoolsEnabled);
    }

    QRadioButton *checked = nullptr;
    switch (m_game.checkedOption) {
    case DifficultyOption::Easy: checked = OptEasy; break;
    case DifficultyOption::Medium: checked = Optmedium; break;
    case DifficultyOption::Hard: checked = Optihard; break;
    case DifficultyOption::None: break;
    }
    if (checked && !checked->isChecked())
        checked->setChecked(true);
    if (txtlimit->text() != m_game.txtlimit) {
        // Two characters is what the player may enter; a longer limit from a
        // hand-edited store is shown whole, so that it is judged whole.
        txtlimit->setMaxLength(qMax(2, static_cast<int>(m_game.txtlimit.size())));
        txtlimit->setText(m_game.txtlimit);
    }

    const int clientHeight = px(m_game.windowHeightTwips - kFrameTwips);
    if (client->height() != clientHeight)
        client->setFixedSize(px(kClientWidthTwips), clientHeight);
    if (famOptions->isVisibleTo(this) != m_game.famOptionsVisible)
        showOptionsPanel(m_game.famOptionsVisible);
    if (stbtimer->y() != clientHeight - stbtimer->height())
        stbtimer->move(0, clientHeight - stbtimer->height());
    if (stbtimer->isHidden() == m_game.stbtimerVisible)
        stbtimer->setVisible(m_game.stbtimerVisible);
    for (int p = 0; p < 2; ++p) {
        if (stbtimerPanels[p]->text() != m_game.stbtimerPanels[p])
            stbtimerPanels[p]->setText(m_game.stbtimerPanels[p]);
    }
    // The hidden progress bar keeps its last value: it says nothing while
    // nobody can see it.
    if (m_game.pgblengthVisible) {
        if (pgblength->isHidden())
            pgblength->show();
        if (pgblength->minimum() != m_game.pgblengthMin || pgblength->maximum() != m_game.pgblengthMax)
            pgblength->setRange(m_game.pgblengthMin, m_game.pgblengthMax);
        if (pgblength->value() != m_game.pgblengthValue)
            pgblength->setValue(m_game.pgblengthValue);
    } else if (!pgblength->isHidden()) {
        pgblength->hide();
    }
    timersChanged();
    m_rendering = false;
}

void frmMain::renderCells()
{
    const auto renderCell = [this](int i) {
        TileButton *cell = cmdcheck[i];
        const Cell &state = m_game.cmdcheck[i];
        if (cell->text() != state.caption)
            cell->setText(state.caption);
        if (cell->isBlank() == state.visible)
            cell->setBlank(!state.visible);
    };
    // A tile that has just moved takes the focus before the cell it left
    // becomes the blank, so that the focus goes straight to it.
    if (m_focusCell >= 0) {
        renderCell(m_focusCell);
        cmdcheck[m_focusCell]->setFocus(Qt::OtherFocusReason);
        m_focusCell = -1;
    }
    for (int i = 0; i < 16; ++i)
        renderCell(i);
}

void frmMain::timersChanged()
{
    // Starting a running timer changes nothing: moves never delay a tick.
    if (m_game.tmrtimeEnabled != tmrtime->isActive())
        m_game.tmrtimeEnabled ? tmrtime->start() : tmrtime->stop();
    if (m_game.tmrautoEnabled != tmrauto->isActive())
        m_game.tmrautoEnabled ? tmrauto->start() : tmrauto->stop();
}

void frmMain::progressChanged()
{
    // Only the progress bar paints while a shuffle runs; the tiles are drawn
    // once, when the handler has returned. The bar paints at most once a
    // screen frame, and at its end.
    if (!m_game.pgblengthVisible)
        return;
    if (!pgblength->isVisible()) {
        // Shown before its range and value change, so that what it says
        // comes from a bar on the screen.
        pgblength->show();
        pgblength->setRange(m_game.pgblengthMin, m_game.pgblengthMax);
        m_progressPainted.invalidate();
    }
    pgblength->setValue(m_game.pgblengthValue);
    const bool atEnd = m_game.pgblengthValue >= m_game.pgblengthMax;
    if (isVisible() && (atEnd || !m_progressPainted.isValid() || m_progressPainted.elapsed() >= 16)) {
        pgblength->repaint();
        m_progressPainted.start();
    }
}

void frmMain::prepareForDialog()
{
    render();
}

void frmMain::message(const QString &text, const QString &title, Icon icon)
{
    if (m_closingOnRequest)
        return;
    prepareForDialog();
    const QMessageBox::Icon shown = icon == Icon::Information ? QMessageBox::Information
                                    : icon == Icon::Warning   ? QMessageBox::Warning
                                                              : QMessageBox::NoIcon;
    QMessageBox box(shown, title, withLineBreaks(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    // Each line of a message stands on a line of its own, however long.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setWordWrap(false);
    box.exec();
}

bool frmMain::confirm(const QString &text, const QString &title)
{
    if (m_closingOnRequest)
        return true;
    prepareForDialog();
    QMessageBox box(QMessageBox::NoIcon, title, withLineBreaks(text), QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void frmMain::showWinner()
{
    prepareForDialog();
    frmentername window(m_game.scores(), this);
    if (m_closingOnRequest)
        window.finishForClose();
    else
        window.exec();
}

void frmMain::showHighScores()
{
    prepareForDialog();
    frmhighscores window(m_game.store(), m_game.scores(), this);
    window.exec();
}

void frmMain::showAbout()
{
    prepareForDialog();
    frmabout window;
    window.exec();
}

void frmMain::showHowToPlay()
{
    ShowHowToPlay(m_game);
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
        }
        emit activated();
        render();
        return result;
    }
    return QMainWindow::event(event);
}

void frmMain::closeOnRequest()
{
    m_closingOnRequest = true;
    finishOpenDialogs();
    // A handler that waited in a dialog runs to its end before the window
    // closes, so that what it was doing (storing a record) is done.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || thread()->loopLevel() > 1) {
        QTimer::singleShot(10, this, &frmMain::closeOnRequest);
        return;
    }
    close();
}

void frmMain::finishOpenDialogs()
{
    for (int open = 0; open < 16; ++open) {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            popup->close();
            continue;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *winner = qobject_cast<frmentername *>(modal)) {
            winner->finishForClose();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QAbstractButton *button = box->defaultButton();
            box->done(button ? box->standardButton(button) : QMessageBox::Ok);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->accept();
        } else {
            modal->close();
        }
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::InputMethod)
        return QMainWindow::eventFilter(watched, event);
    if (!watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (receiver->window() != this)
        return false;
    // Handle each key once: when it reaches the control with the focus (or
    // the window itself), not again while it travels up to the parents.
    QWidget *focus = QApplication::focusWidget();
    if (receiver != focus && !(focus == nullptr && receiver == this))
        return false;

    if (type == QEvent::InputMethod) {
        // Composed text is typed text too.
        auto *im = static_cast<QInputMethodEvent *>(event);
        return !im->commitString().isEmpty();
    }
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::ShortcutOverride) {
        // The menu shortcuts win over the text box's own use of the same keys.
        if (isMenuShortcut(*key)) {
            key->ignore();
            return true;
        }
        return false;
    }
    return handleKeyPress(receiver, key);
}

void frmMain::showOptionsPanel(bool shown)
{
    famOptions->setVisible(shown);
    // The row of Reset and Pause and the board under the panel are out of
    // reach while it is open: no focus may rest on them.
    const Qt::FocusPolicy policy = shown ? Qt::NoFocus : Qt::StrongFocus;
    Cmdreset->setFocusPolicy(policy);
    cmdpause->setFocusPolicy(policy);
    for (TileButton *cell : cmdcheck)
        cell->setReachable(!shown);
    if (shown) {
        QRadioButton *checked = OptEasy->isChecked() ? OptEasy : Optmedium->isChecked() ? Optmedium : Optihard;
        checked->setFocus();
    } else {
        Cmdreset->setFocus();
    }
}

bool frmMain::handleKeyPress(QWidget *receiver, QKeyEvent *event)
{
    const int code = virtualKeyCode(*event);
    if (code >= 0)
        handleMove([this, code] { m_game.Form_KeyDown(code); }, true);

    // The menu bar, once the keyboard is in it, keeps its own keys: Escape
    // leaves it, the arrows and Return open its menus.
    if (qobject_cast<QMenuBar *>(receiver))
        return false;

    // The arrows step the time limit from its box, as from its up-down.
    if (receiver == txtlimit && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        event->key() == Qt::Key_Up ? udlimit->stepUp() : udlimit->stepDown();
        return true;
    }

    // Every key that produces a character is discarded, control characters
    // such as Backspace and Ctrl+V included. Keys that produce none (Delete,
    // the arrows, Shift+Insert) go on to the control, and so do Tab, which
    // moves the focus, and the space bar that presses a focused button.
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    if (event->key() == Qt::Key_Space && qobject_cast<QAbstractButton *>(receiver))
        return false;
    return true;
}
