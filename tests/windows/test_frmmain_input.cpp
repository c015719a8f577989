// Keys, clicks and menu shortcuts through the real main window.
#include "windows_fixture.h"
#include "windows/accessibility.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// The control with the focus. A modal window that has just closed may leave
// the main window inactive for a moment on a headless display; the player
// would be back in the main window, so it is made active again first.
QWidget *focus()
{
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops) {
        auto *window = qobject_cast<frmMain *>(top);
        if (window && window->isVisible() && QApplication::activeWindow() != window) {
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window))
                qWarning("main window not active");
        }
    }
    return QApplication::focusWidget();
}

} // namespace

class TestFrmMainInput : public QObject
{
    Q_OBJECT

private slots:
    void numberPadMovesTiles_data();
    void numberPadMovesTiles();
    void otherKeysDoNotMoveTiles_data();
    void otherKeysDoNotMoveTiles();
    void heldKeyMovesRepeatedly();
    void clickOnCellMovesTile_data();
    void clickOnCellMovesTile();
    void typedCharactersNeverReachTimeLimit();
    void deleteBackspaceAndPasteStillEdit();
    void tabMovesTheFocus();
    void tabThroughOptionsPanel();
    void focusStaysInsideOpenPanel();
    void longLimitFromStoreIsJudgedWhole();
    void toolsShortcutsWhileMenuEnabled();
    void shortcutsWhilePaused();
    void f1ShowsHelpOncePerPress_data();
    void f1ShowsHelpOncePerPress();
    void ctrlAFromTimeLimitBox();
    void boardIgnoresKeysAndClicksWhilePanelOpen();
};

void TestFrmMainInput::numberPadMovesTiles_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("code");

    // The tile that moves into the blank at 5, and the code recorded.
    QTest::newRow("8: tile below moves up") << int(Qt::Key_8) << 9 << "u";
    QTest::newRow("2: tile above moves down") << int(Qt::Key_2) << 1 << "d";
    QTest::newRow("4: tile right moves left") << int(Qt::Key_4) << 6 << "l";
    QTest::newRow("6: tile left moves right") << int(Qt::Key_6) << 4 << "r";
}

void TestFrmMainInput::numberPadMovesTiles()
{
    QFETCH(int, key);
    QFETCH(int, from);
    QFETCH(QString, code);

    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    const QString tile = tileText(probe(f.fx.game).board, from);

    QTest::keyClick(focus(), Qt::Key(key), Qt::KeypadModifier);

    const GameState &game = f.fx.game;
    QCOMPARE(tileText(probe(game).board, kBlank), tile);
    QVERIFY((probe(game).board.tiles.tileAt(kBlank) != Board::kBlank));
    QVERIFY(!(probe(game).board.tiles.tileAt(from) != Board::kBlank));
    QCOMPARE(historyText(probe(game).board), (QStringList{QString(), code, QString()}));
    QCOMPARE(cellAt(f.window, kBlank)->text(), tile);
    QVERIFY(!cellAt(f.window, kBlank)->isBlank());
    QVERIFY(cellAt(f.window, from)->isBlank());
    // The first move starts the clock and enables Pause.
    QVERIFY(probe(game).clock.running);
    QVERIFY(ctl<QTimer>(f.window, "tmrtime")->isActive());
    QVERIFY(ctl<QPushButton>(f.window, "cmdpause")->isEnabled());
    // The focus stays where it was.
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "Cmdreset")));
}

void TestFrmMainInput::otherKeysDoNotMoveTiles_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("up arrow") << int(Qt::Key_Up) << int(Qt::NoModifier);
    QTest::newRow("down arrow") << int(Qt::Key_Down) << int(Qt::NoModifier);
    QTest::newRow("left arrow") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("right arrow") << int(Qt::Key_Right) << int(Qt::NoModifier);
    QTest::newRow("main 8") << int(Qt::Key_8) << int(Qt::NoModifier);
    QTest::newRow("main 2") << int(Qt::Key_2) << int(Qt::NoModifier);
    QTest::newRow("main 4") << int(Qt::Key_4) << int(Qt::NoModifier);
    QTest::newRow("main 6") << int(Qt::Key_6) << int(Qt::NoModifier);
    QTest::newRow("pad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier);
    QTest::newRow("pad up arrow (num lock off)") << int(Qt::Key_Up) << int(Qt::KeypadModifier);
}

void TestFrmMainInput::otherKeysDoNotMoveTiles()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);

    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    const Board cells = probe(f.fx.game).board.tiles;

    // Sent to a cell, where a push button has no use for these keys.
    cellAt(f.window, 0)->setFocus();
    QTest::keyClick(cellAt(f.window, 0), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    const GameState &game = f.fx.game;
    QVERIFY(probe(game).board.tiles == cells);
    QCOMPARE(historyText(probe(game).board), (QStringList{QString(), QString()}));
    QVERIFY(!probe(game).clock.running);
    QVERIFY(probe(game).clock.firstMovePending);
    QVERIFY(!ctl<QPushButton>(f.window, "cmdpause")->isEnabled());
}

void TestFrmMainInput::heldKeyMovesRepeatedly()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());

    // Number-pad 8 held down: the first press and two repeats. The blank
    // goes from 5 to 9 to 13; the third request finds no tile below it.
    QWidget *target = focus();
    QVERIFY(target);
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier, QStringLiteral("8"), repeat);
        QApplication::sendEvent(target, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_8, Qt::KeypadModifier, QStringLiteral("8"));
    QApplication::sendEvent(target, &release);

    const GameState &game = f.fx.game;
    QCOMPARE(historyText(probe(game).board), (QStringList{QString(), QStringLiteral("u"), QStringLiteral("u"), QString()}));
    QCOMPARE(tileText(probe(game).board, 5), QStringLiteral("9"));
    QCOMPARE(tileText(probe(game).board, 9), QStringLiteral("13"));
    QVERIFY(!(probe(game).board.tiles.tileAt(13) != Board::kBlank));
    QCOMPARE(cellAt(f.window, 5)->text(), QStringLiteral("9"));
    QCOMPARE(cellAt(f.window, 9)->text(), QStringLiteral("13"));
    QVERIFY(cellAt(f.window, 13)->isBlank());
}

void TestFrmMainInput::clickOnCellMovesTile_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("history");

    QTest::newRow("below the blank") << 9 << "u";
    QTest::newRow("above the blank") << 1 << "d";
    QTest::newRow("right of the blank") << 6 << "l";
    QTest::newRow("left of the blank") << 4 << "r";
    QTest::newRow("diagonal") << 10 << "";
    QTest::newRow("two cells away") << 7 << "";
}

void TestFrmMainInput::clickOnCellMovesTile()
{
    QFETCH(int, cell);
    QFETCH(QString, history);

    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    const QString tile = tileText(probe(f.fx.game).board, cell);

    QTest::mouseClick(cellAt(f.window, cell), Qt::LeftButton);

    const GameState &game = f.fx.game;
    if (history.isEmpty()) {
        QCOMPARE(historyText(probe(game).board), (QStringList{QString(), QString()}));
        QVERIFY(!probe(game).clock.running);
        QVERIFY(cellAt(f.window, kBlank)->isBlank());
        QCOMPARE(cellAt(f.window, cell)->text(), tile);
    } else {
        QCOMPARE(historyText(probe(game).board), (QStringList{QString(), history, QString()}));
        QCOMPARE(cellAt(f.window, kBlank)->text(), tile);
        QVERIFY(!cellAt(f.window, kBlank)->isBlank());
        QVERIFY(cellAt(f.window, cell)->isBlank());
        QVERIFY(ctl<QPushButton>(f.window, "cmdpause")->isEnabled());
        QVERIFY(ctl<QTimer>(f.window, "tmrtime")->isActive());
    }
}

void TestFrmMainInput::typedCharactersNeverReachTimeLimit()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow({.limitMinutes = 12, .blank = kBlank}));
    f.fx.game.openOptions();
    f.window.render();
    QLineEdit *box = ctl<QLineEdit>(f.window, "txtlimit");
    QCOMPARE(box->text(), QStringLiteral("12"));

    box->setFocus();
    QCOMPARE(focus(), static_cast<QWidget *>(box));
    box->setCursorPosition(1);
    QTest::keyClick(box, Qt::Key_5);
    QTest::keyClick(box, 'a');
    QTest::keyClick(box, Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Minus);
    QTest::keyClicks(box, QStringLiteral("7x "));
    QCOMPARE(box->text(), QStringLiteral("12"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("12"));

    // Also with room in the box: nothing typed gets in.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QString());
    QTest::keyClicks(box, QStringLiteral("45"));
    QTest::keyClick(box, Qt::Key_8, Qt::KeypadModifier);
    QCOMPARE(box->text(), QString());
    // And the pad keys do not move tiles while the panel is open.
    QCOMPARE(historyText(probe(f.fx.game).board), (QStringList{QString(), QString()}));
}

void TestFrmMainInput::deleteBackspaceAndPasteStillEdit()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow({.limitMinutes = 34, .blank = kBlank}));
    f.fx.game.openOptions();
    f.window.render();
    QLineEdit *box = ctl<QLineEdit>(f.window, "txtlimit");
    box->setFocus();

    // Backspace produces a character (8), so it is discarded like the others;
    // Delete produces none and edits the box.
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("34"));
    box->setCursorPosition(1);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QStringLiteral("3"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("3"));
    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QString());
    QCOMPARE(probe(f.fx.game).options.limitText, QString());

    // Pasting, as the context menu does, puts text in, cut to the box's two
    // characters.
    QApplication::clipboard()->setText(QStringLiteral(".5"));
    box->paste();
    QCOMPARE(box->text(), QStringLiteral(".5"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral(".5"));

    // Shift+Insert produces no character and pastes too.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QApplication::clipboard()->setText(QStringLiteral("456"));
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(box->text(), QStringLiteral("45"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("45"));

    // Ctrl+V as the keyboard delivers it is a character (22): discarded.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
    QApplication::sendEvent(box, &paste);
    QCOMPARE(box->text(), QString());

    // The arrows in the box step the limit as its up-down does.
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("21"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("21"));
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("19"));
}

void TestFrmMainInput::tabMovesTheFocus()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    QTest::keyClick(focus(), Qt::Key_8, Qt::KeypadModifier);
    QVERIFY(ctl<QPushButton>(f.window, "cmdpause")->isEnabled());

    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "Cmdreset")));
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "cmdpause")));
    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "Cmdreset")));
}

void TestFrmMainInput::tabThroughOptionsPanel()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    f.fx.game.openOptions();
    f.window.render();

    ctl<QPushButton>(f.window, "CmdOK")->setFocus();
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "CmdOK")));
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "cmdCancel")));
    QTest::keyClick(focus(), Qt::Key_Tab);
    // The difficulty buttons are one stop: the selected one.
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QRadioButton>(f.window, "OptEasy")));
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QLineEdit>(f.window, "txtlimit")));
}

void TestFrmMainInput::focusStaysInsideOpenPanel()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    QTest::keyClick(focus(), Qt::Key_8, Qt::KeypadModifier);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "Cmdreset")));

    // Opening the panel takes the focus to the difficulty in force; the
    // buttons cut off under it and the board can no longer take the focus.
    probe(f.fx.game).options.level = level(u"Medium");
    QTest::keyClick(focus(), Qt::Key_F3);
    QCOMPARE(probe(f.fx.game).phase, Phase::Options);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QRadioButton>(f.window, "Optmedium")));
    QList<QWidget *> visited;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(focus(), Qt::Key_Tab);
        visited << focus();
    }
    QVERIFY(!visited.contains(ctl<QPushButton>(f.window, "Cmdreset")));
    QVERIFY(!visited.contains(ctl<QPushButton>(f.window, "cmdpause")));
    for (QPushButton *cell : cellsOf(f.window))
        QVERIFY(!visited.contains(cell));
    QVERIFY(visited.contains(ctl<QPushButton>(f.window, "CmdOK")));
    QVERIFY(visited.contains(ctl<QLineEdit>(f.window, "txtlimit")));

    // A space bar on whatever has the focus cannot reach Reset or Pause.
    QTest::keyClick(focus(), Qt::Key_Space);
    QVERIFY(probe(f.fx.game).phase != Phase::Paused);

    // Closed again: the focus is back on Reset and the board takes it again.
    QTest::mouseClick(ctl<QPushButton>(f.window, "cmdCancel"), Qt::LeftButton);
    QVERIFY(probe(f.fx.game).phase != Phase::Options);
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "Cmdreset")));
    QCOMPARE(cellAt(f.window, 0)->focusPolicy(), Qt::StrongFocus);
}

void TestFrmMainInput::longLimitFromStoreIsJudgedWhole()
{
    // A hand-edited store may hold a limit of three digits. The panel shows
    // it whole, so OK judges the whole number (too long: the default).
    MainWindowFixture f;
    QVERIFY(f.dealAndShow({.limitMinutes = 100, .blank = kBlank}));
    QTest::keyClick(focus(), Qt::Key_F3);
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->text(), QStringLiteral("100"));
    ctl<QRadioButton>(f.window, "Optmedium")->setChecked(true);
    probe(f.fx.game).options.level = level(u"Medium");
    QTest::mouseClick(ctl<QPushButton>(f.window, "CmdOK"), Qt::LeftButton);
    QCOMPARE(probe(f.fx.game).clock.timeLimitMinutes, qint16(15));
    QTRY_COMPARE(f.window.findChild<Announcer *>()->text(), QStringLiteral("New game"));

    // What the player types is held to two characters again.
    QTest::keyClick(focus(), Qt::Key_F3);
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->text(), QStringLiteral("15"));
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->maxLength(), 2);
}

void TestFrmMainInput::toolsShortcutsWhileMenuEnabled()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    ModalCloser closer;

    // F4: the high-score window, the game goes on.
    QTest::keyClick(focus(), Qt::Key_8, Qt::KeypadModifier);
    QTest::keyClick(focus(), Qt::Key_F4);
    QCOMPARE(closer.titles(), QStringList{QStringLiteral("High Scorers")});
    QVERIFY(probe(f.fx.game).clock.running);

    // F3: the options panel.
    QTest::keyClick(focus(), Qt::Key_F3);
    QCOMPARE(probe(f.fx.game).phase, Phase::Options);
    QVERIFY(!ctl<QGroupBox>(f.window, "famOptions")->isHidden());
    QVERIFY(!ctl<QMenu>(f.window, "mnutools")->menuAction()->isEnabled());
    f.fx.game.cancelOptions();
    f.window.render();

    // F2: auto play.
    QTest::keyClick(focus(), Qt::Key_F2);
    QCOMPARE(probe(f.fx.game).phase, Phase::AutoPlay);
    QCOMPARE(ctl<QPushButton>(f.window, "cmdpause")->text(), QStringLiteral("Stop"));
    QVERIFY(ctl<QPushButton>(f.window, "Cmdreset")->isEnabled());
    QTRY_COMPARE(f.window.findChild<Announcer *>()->text(), QStringLiteral("Auto play started"));
    QVERIFY(ctl<QTimer>(f.window, "tmrauto")->isActive());
    QTest::mouseClick(ctl<QPushButton>(f.window, "cmdpause"), Qt::LeftButton);
    QVERIFY(probe(f.fx.game).phase != Phase::AutoPlay);
    QVERIFY(!ctl<QTimer>(f.window, "tmrauto")->isActive());
    QCOMPARE(closer.shown.size(), 1);

    // F10 opens the first menu: Tools.
    QTest::keyClick(focus(), Qt::Key_F10);
    QCOMPARE(QApplication::activePopupWidget(), ctl<QMenu>(f.window, "mnutools"));
    QApplication::activePopupWidget()->close();
}

void TestFrmMainInput::shortcutsWhilePaused()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    ModalCloser closer;

    QTest::keyClick(focus(), Qt::Key_8, Qt::KeypadModifier);
    QTest::mouseClick(ctl<QPushButton>(f.window, "cmdpause"), Qt::LeftButton);
    QCOMPARE(ctl<QPushButton>(f.window, "cmdpause")->text(), QStringLiteral("Resume"));
    QCOMPARE(ctl<QPushButton>(f.window, "cmdpause")->toolTip(), QStringLiteral("Resume Game"));
    // A screen reader is told the new caption of the button pressed.
    QCOMPARE(f.window.findChild<Announcer *>()->text(), QStringLiteral("Resume"));
    QVERIFY(!ctl<QMenu>(f.window, "mnutools")->menuAction()->isEnabled());
    // Its commands are off too, for a screen reader that presses them.
    QVERIFY(!ctl<QAction>(f.window, "Mnuauto")->isEnabled());
    QVERIFY(!ctl<QPushButton>(f.window, "Cmdreset")->isEnabled());
    const QStringList history = historyText(probe(f.fx.game).board);

    // The Tools menu is off: its shortcuts do nothing.
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4})
        QTest::keyClick(focus(), key);
    const GameState &game = f.fx.game;
    QVERIFY(closer.shown.isEmpty());
    QVERIFY(!probe(game).autoPlay.stepping);
    QVERIFY(ctl<QGroupBox>(f.window, "famOptions")->isHidden());
    QCOMPARE(probe(game).phase, Phase::Paused);
    QCOMPARE(historyText(probe(game).board), history);

    // The help and About open all the same.
    QTest::keyClick(focus(), Qt::Key_F1);
    QTest::keyClick(focus(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(closer.titles(), (QStringList{QStringLiteral("Help"), QStringLiteral("About")}));
    QCOMPARE(closer.shown[0].className, QStringLiteral("QMessageBox"));
    QCOMPARE(closer.shown[0].text.split(u'\n').size(), 5);
    QCOMPARE(closer.shown[1].className, QStringLiteral("frmabout"));
    // Still paused: the clock stays off.
    QCOMPARE(probe(game).phase, Phase::Paused);
    QVERIFY(!probe(game).clock.running);
    QVERIFY(!ctl<QTimer>(f.window, "tmrtime")->isActive());
    QCOMPARE(ctl<QPushButton>(f.window, "cmdpause")->text(), QStringLiteral("Resume"));

    // F10 opens the first menu that is on: Help.
    QTest::keyClick(focus(), Qt::Key_F10);
    QCOMPARE(QApplication::activePopupWidget(), ctl<QMenu>(f.window, "mnuhlp"));
    QApplication::activePopupWidget()->close();
}

void TestFrmMainInput::f1ShowsHelpOncePerPress_data()
{
    QTest::addColumn<QString>("situation");

    QTest::newRow("before the first move") << "new";
    QTest::newRow("game running") << "running";
    QTest::newRow("paused") << "paused";
    QTest::newRow("options panel open") << "options";
    QTest::newRow("auto play") << "auto";
}

void TestFrmMainInput::f1ShowsHelpOncePerPress()
{
    QFETCH(QString, situation);

    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    if (situation != QLatin1String("new"))
        QTest::keyClick(focus(), Qt::Key_8, Qt::KeypadModifier);
    if (situation == QLatin1String("paused"))
        QTest::mouseClick(ctl<QPushButton>(f.window, "cmdpause"), Qt::LeftButton);
    if (situation == QLatin1String("options"))
        QTest::keyClick(focus(), Qt::Key_F3);
    if (situation == QLatin1String("auto"))
        QTest::keyClick(focus(), Qt::Key_F2);
    const bool stepperBefore = probe(f.fx.game).autoPlay.stepping;

    ModalCloser closer;
    bool clockWhileOpen = true;
    bool stepperWhileOpen = true;
    closer.whileOpen = [&](QWidget *) {
        clockWhileOpen = ctl<QTimer>(f.window, "tmrtime")->isActive();
        stepperWhileOpen = ctl<QTimer>(f.window, "tmrauto")->isActive();
    };
    QTest::keyClick(focus(), Qt::Key_F1);
    QCOMPARE(closer.titles(), QStringList{QStringLiteral("Help")});
    QVERIFY(!clockWhileOpen);
    QVERIFY(!stepperWhileOpen);

    QTest::keyClick(focus(), Qt::Key_F1);
    QCOMPARE(closer.titles(), (QStringList{QStringLiteral("Help"), QStringLiteral("Help")}));

    // The clock runs again afterwards only for a game under way that is
    // neither paused nor auto-played, also with the options panel open.
    const bool runningGame = situation == QLatin1String("running") || situation == QLatin1String("options");
    QCOMPARE(probe(f.fx.game).clock.running, runningGame);
    QCOMPARE(ctl<QTimer>(f.window, "tmrtime")->isActive(), probe(f.fx.game).clock.running);
    QCOMPARE(probe(f.fx.game).autoPlay.stepping, stepperBefore);
    QCOMPARE(ctl<QTimer>(f.window, "tmrauto")->isActive(), stepperBefore);
    if (situation == QLatin1String("auto"))
        QTest::mouseClick(ctl<QPushButton>(f.window, "cmdpause"), Qt::LeftButton);
}

void TestFrmMainInput::ctrlAFromTimeLimitBox()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    QTest::keyClick(focus(), Qt::Key_F3);
    QCOMPARE(probe(f.fx.game).phase, Phase::Options);
    ctl<QLineEdit>(f.window, "txtlimit")->setFocus();
    const QString text = ctl<QLineEdit>(f.window, "txtlimit")->text();

    ModalCloser closer;
    QTest::keyClick(ctl<QLineEdit>(f.window, "txtlimit"), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(closer.titles(), QStringList{QStringLiteral("About")});
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->text(), text);

    // F1 from the box as well, once.
    QCOMPARE(focus(), static_cast<QWidget *>(ctl<QLineEdit>(f.window, "txtlimit")));
    QTest::keyClick(ctl<QLineEdit>(f.window, "txtlimit"), Qt::Key_F1);
    QCOMPARE(closer.titles(), (QStringList{QStringLiteral("About"), QStringLiteral("Help")}));
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->text(), text);
}

void TestFrmMainInput::boardIgnoresKeysAndClicksWhilePanelOpen()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    QTest::keyClick(focus(), Qt::Key_F3);
    QVERIFY(probe(f.fx.game).phase != Phase::Playing);

    QTest::keyClick(focus(), Qt::Key_8, Qt::KeypadModifier);
    QTest::keyClick(focus(), Qt::Key_2, Qt::KeypadModifier);
    // A click where the cell below the blank lies lands on the panel.
    const QPoint below = cellAt(f.window, 9)->geometry().center();
    QWidget *hit = ctl<QWidget>(f.window, "client")->childAt(below);
    QVERIFY(hit);
    QTest::mouseClick(hit, Qt::LeftButton, Qt::NoModifier, hit->mapFrom(ctl<QWidget>(f.window, "client"), below));
    QCOMPARE(historyText(probe(f.fx.game).board), (QStringList{QString(), QString()}));
    QVERIFY(!probe(f.fx.game).clock.running);
}

QTEST_MAIN(TestFrmMainInput)
#include "test_frmmain_input.moc"
