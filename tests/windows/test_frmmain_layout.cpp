// The main window as created and loaded: geometry, window style, menus, tab
// order, captions and the small print of the time-limit controls.
#include "windows_fixture.h"

#include "windows/game_icon.h"
#include "windows/game_style.h"
#include "windows/up_down.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSet>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

class TestFrmMainLayout : public QObject
{
    Q_OBJECT

private slots:
    void controlGeometry_data();
    void controlGeometry();
    void clientAreaFollowsOptionsPanel();
    void windowStyle();
    void menuTree();
    void tabOrderAndInitialFocus();
    void cellsBeforeAndAfterLoad();
    void toolTipsAndHiddenControls();
    void controlsCarryTheirOwnFont();
    void optionsPanelCoversTheBlock();
    void upDownBounds_data();
    void upDownBounds();
    void upDownArrowsWriteTheTextBox();
    void timeLimitBoxHoldsTwoCharacters();

private:
    static QWidget *control(frmMain &window, const QString &name)
    {
        if (name == QLatin1String("client"))
            return ctl<QWidget>(window, "client");
        return window.findChild<QWidget *>(name);
    }
};

void TestFrmMainLayout::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("famOptions") << "famOptions" << "client" << QRect(8, 0, 201, 169);
    QTest::newRow("frdifficulty") << "frdifficulty" << "famOptions" << QRect(16, 16, 121, 113);
    QTest::newRow("OptEasy") << "OptEasy" << "frdifficulty" << QRect(24, 24, 57, 25);
    QTest::newRow("Optmedium") << "Optmedium" << "frdifficulty" << QRect(24, 56, 73, 17);
    QTest::newRow("Optihard") << "Optihard" << "frdifficulty" << QRect(24, 88, 49, 13);
    QTest::newRow("CmdOK") << "CmdOK" << "famOptions" << QRect(144, 24, 49, 49);
    QTest::newRow("cmdCancel") << "cmdCancel" << "famOptions" << QRect(144, 80, 49, 49);
    QTest::newRow("Label1") << "Label1" << "famOptions" << QRect(8, 144, 121, 17);
    QTest::newRow("txtlimit") << "txtlimit" << "famOptions" << QRect(112, 144, 23, 19);
    QTest::newRow("udlimit") << "udlimit" << "famOptions" << QRect(128, 144, 13, 19);
    QTest::newRow("pgblength") << "pgblength" << "client" << QRect(0, 224, 217, 17);
    QTest::newRow("cmdpause") << "cmdpause" << "client" << QRect(144, 184, 65, 29);
    QTest::newRow("stbtimer") << "stbtimer" << "client" << QRect(0, 223, 215, 17);
    QTest::newRow("Cmdreset") << "Cmdreset" << "client" << QRect(8, 184, 65, 29);
    QTest::newRow("Shape1") << "Shape1" << "client" << QRect(8, 0, 201, 169);
    // The grid: 41 x 33 px cells, 48 px apart across and 40 px down.
    for (int i = 0; i < 16; ++i) {
        const QString name = QStringLiteral("cmdcheck(%1)").arg(i);
        QTest::newRow(qPrintable(name)) << name << "client" << QRect(16 + 48 * (i % 4), 8 + 40 * (i / 4), 41, 33);
    }
}

void TestFrmMainLayout::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);

    MainWindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));

    QWidget *widget = control(f.window, name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->parentWidget(), control(f.window, container));
    QCOMPARE(widget->geometry(), geometry);
}

void TestFrmMainLayout::clientAreaFollowsOptionsPanel()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QCOMPARE(w.centralWidget(), ctl<QWidget>(w, "client"));
    QCOMPARE(ctl<QWidget>(w, "client")->size(), QSize(215, 240));
    QCoreApplication::processEvents();
    const int chrome = w.height() - ctl<QWidget>(w, "client")->height();
    QVERIFY(chrome >= 0);

    f.fx.game.openOptions();
    w.render();
    QCoreApplication::processEvents();
    QCOMPARE(ctl<QWidget>(w, "client")->size(), QSize(215, 174));
    // The window shrinks with its client area: the row of Reset and Pause is
    // cut off, and the status bar is hidden.
    QCOMPARE(w.height() - ctl<QWidget>(w, "client")->height(), chrome);
    QVERIFY(ctl<QPushButton>(w, "Cmdreset")->geometry().top() >= ctl<QWidget>(w, "client")->height());
    QVERIFY(ctl<QPushButton>(w, "cmdpause")->geometry().top() >= ctl<QWidget>(w, "client")->height());
    QVERIFY(ctl<QStatusBar>(w, "stbtimer")->isHidden());

    f.fx.game.cancelOptions();
    w.render();
    QCoreApplication::processEvents();
    QCOMPARE(ctl<QWidget>(w, "client")->size(), QSize(215, 240));
    QCOMPARE(w.height() - ctl<QWidget>(w, "client")->height(), chrome);
    QVERIFY(!ctl<QStatusBar>(w, "stbtimer")->isHidden());
    // The status bar is back at the bottom edge.
    QCOMPARE(ctl<QStatusBar>(w, "stbtimer")->geometry(), QRect(0, 223, 215, 17));
}

void TestFrmMainLayout::windowStyle()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();

    QCOMPARE(w.windowTitle(), QStringLiteral("Game"));
    // The client area, below the menu bar, at its place on the screen.
    QCOMPARE(w.centralWidget()->mapToGlobal(QPoint(0, 0)), QPoint(306, 134));
    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    // The icon comes with the first activation, a queued event.
    QTRY_VERIFY(!w.windowIcon().isNull());
    QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());
    // Each option button draws its ring whole, never taller than the button.
    GameStyle style;
    for (const char *name : {"OptEasy", "Optmedium", "Optihard"}) {
        const QRadioButton *button = ctl<QRadioButton>(w, name);
        QVERIFY(style.pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, button) <= button->height());
    }
    // The limit box's digits stand clear of its frame and of the up-down
    // over its right end: the darkest pixels are the digits'.
    auto *limit = ctl<QLineEdit>(w, "txtlimit");
    const QImage digits = limit->grab().toImage();
    const int frame = limit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, limit);
    int inkLeft = digits.width();
    int inkRight = -1;
    for (int y = frame; y < digits.height() - frame; ++y) {
        for (int x = frame; x < digits.width() - frame; ++x) {
            if (qGray(digits.pixel(x, y)) < 100) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        }
    }
    // A clear column inside the frame, and one before the up-down's edge.
    QVERIFY(inkRight >= 0);
    QVERIFY(inkLeft > frame);
    QVERIFY(inkRight < ctl<QWidget>(w, "udlimit")->x() - limit->x() - 1);
    // The small icons are drawn on whole pixels: board and tile colours only.
    for (int size : {16, 24, 32, 48}) {
        const QImage icon = gameIconImage(size);
        QSet<QRgb> colours;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                colours.insert(icon.pixel(x, y));
        }
        QCOMPARE(colours, (QSet<QRgb>{qRgb(0x3b, 0x4a, 0x5a), qRgb(0xf2, 0xe6, 0xc9)}));
    }

    // Fixed size: the window cannot be dragged larger or smaller.
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.size(), w.minimumSize());
    const QSize before = w.size();
    w.resize(before + QSize(100, 100));
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), before);
}

void TestFrmMainLayout::menuTree()
{
    MainWindowFixture f;
    frmMain &w = f.window;

    struct Item
    {
        QString caption;
        QKeySequence shortcut;
    };
    const QList<QPair<QString, QList<Item>>> expected{
        {QStringLiteral("Tools"),
         {{QStringLiteral("Auto Play"), QKeySequence(Qt::Key_F2)},
          {QStringLiteral("Options"), QKeySequence(Qt::Key_F3)},
          {QStringLiteral("High Scores"), QKeySequence(Qt::Key_F4)}}},
        {QStringLiteral("Help"),
         {{QStringLiteral("How to Play"), QKeySequence(Qt::Key_F1)},
          {QStringLiteral("About"), QKeySequence(QStringLiteral("Ctrl+A"))}}},
    };

    const QList<QAction *> menus = w.menuBar()->actions();
    QCOMPARE(menus.size(), expected.size());
    for (qsizetype m = 0; m < menus.size(); ++m) {
        QAction *menuAction = menus[m];
        QCOMPARE(menuAction->text(), expected[m].first);
        QVERIFY(!menuAction->text().contains(u'&'));
        QVERIFY(menuAction->isEnabled());
        QVERIFY(menuAction->isVisible());
        QVERIFY(menuAction->menu());
        const QList<QAction *> items = menuAction->menu()->actions();
        QCOMPARE(items.size(), expected[m].second.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            QAction *item = items[i];
            QVERIFY(!item->isSeparator());
            QCOMPARE(item->text(), expected[m].second[i].caption);
            QVERIFY2(!item->text().contains(u'&'), qPrintable(item->text()));
            QCOMPARE(item->shortcut(), expected[m].second[i].shortcut);
            QVERIFY(item->isEnabled());
            QVERIFY(item->isVisible());
            QVERIFY(!item->isChecked());
        }
    }
    QCOMPARE(ctl<QMenu>(w, "mnutools")->menuAction(), menus[0]);
    QCOMPARE(ctl<QMenu>(w, "mnuhlp")->menuAction(), menus[1]);
}

void TestFrmMainLayout::tabOrderAndInitialFocus()
{
    MainWindowFixture f;
    frmMain &w = f.window;

    // The focus chain from Cmdreset, keeping only the controls that Tab can
    // reach.
    QList<QWidget *> chain;
    QWidget *widget = ctl<QPushButton>(w, "Cmdreset");
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->window() == &w)
            chain << widget;
        widget = widget->nextInFocusChain();
    } while (widget != ctl<QPushButton>(w, "Cmdreset") && chain.size() < 200);

    const QList<QWidget *> panelOrder{ctl<QPushButton>(w, "Cmdreset"), ctl<QPushButton>(w, "cmdpause"), ctl<QPushButton>(w, "CmdOK"), ctl<QPushButton>(w, "cmdCancel"), ctl<QRadioButton>(w, "OptEasy"),
                                      ctl<QRadioButton>(w, "Optmedium"), ctl<QRadioButton>(w, "Optihard"), ctl<QLineEdit>(w, "txtlimit")};
    QVERIFY(chain.size() >= panelOrder.size());
    QCOMPARE(chain.mid(0, panelOrder.size()), panelOrder);
    QVERIFY(chain.contains(ctl<UpDown>(w, "udlimit")));
    QVERIFY(chain.indexOf(ctl<UpDown>(w, "udlimit")) > chain.indexOf(ctl<QLineEdit>(w, "txtlimit")));

    // Frames, labels, the status bar, the progress bar and the outline never
    // take the focus.
    const QList<QWidget *> passive{ctl<QGroupBox>(w, "famOptions"), ctl<QGroupBox>(w, "frdifficulty"), ctl<QLabel>(w, "Label1"), ctl<QStatusBar>(w, "stbtimer"), ctl<QProgressBar>(w, "pgblength"), ctl<QFrame>(w, "Shape1"),
                                   statusPanel(w, 0), statusPanel(w, 1)};
    for (QWidget *p : passive)
        QVERIFY2(p->focusPolicy() == Qt::NoFocus, qPrintable(p->objectName()));

    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "Cmdreset")));
}

void TestFrmMainLayout::cellsBeforeAndAfterLoad()
{
    // As created and after the load step, the board reads 1 to 15 and the
    // last cell is the blank.
    GameFixture fx;
    frmMain created(fx.game);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(cellAt(created, i)->text(), i == 15 ? QString() : QString::number(i + 1));
        QCOMPARE(cellAt(created, i)->isBlank(), i == 15);
    }

    MainWindowFixture f;
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(cellAt(f.window, i)->text(), i == 15 ? QString() : QString::number(i + 1));
        QCOMPARE(cellAt(f.window, i)->isBlank(), i == 15);
        QVERIFY(cellAt(f.window, i)->isEnabled());
    }
    QVERIFY(!ctl<QPushButton>(f.window, "cmdpause")->isEnabled());
    QVERIFY(ctl<QPushButton>(f.window, "Cmdreset")->isEnabled());
}

void TestFrmMainLayout::toolTipsAndHiddenControls()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    QCOMPARE(ctl<QPushButton>(w, "Cmdreset")->toolTip(), QStringLiteral("Reset Game"));
    QCOMPARE(ctl<QPushButton>(w, "Cmdreset")->text(), QStringLiteral("Reset"));
    QCOMPARE(ctl<QPushButton>(w, "cmdpause")->toolTip(), QStringLiteral("Pause Game"));
    QCOMPARE(ctl<QPushButton>(w, "cmdpause")->text(), QStringLiteral("Pause"));
    QCOMPARE(ctl<QPushButton>(w, "CmdOK")->toolTip(), QStringLiteral("Apply Difficulty Level"));
    QCOMPARE(ctl<QPushButton>(w, "CmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(ctl<QPushButton>(w, "cmdCancel")->text(), QStringLiteral("Cancel"));
    QCOMPARE(ctl<QGroupBox>(w, "famOptions")->title(), QStringLiteral("Options"));
    QCOMPARE(ctl<QGroupBox>(w, "frdifficulty")->title(), QStringLiteral("Difficulty"));
    QCOMPARE(ctl<QRadioButton>(w, "OptEasy")->text(), QStringLiteral("Easy"));
    QCOMPARE(ctl<QRadioButton>(w, "Optmedium")->text(), QStringLiteral("Medium"));
    QCOMPARE(ctl<QRadioButton>(w, "Optihard")->text(), QStringLiteral("Hard"));
    QCOMPARE(ctl<QLabel>(w, "Label1")->text(), QStringLiteral("Time limit in minutes"));
    QVERIFY(ctl<QRadioButton>(w, "OptEasy")->isChecked());

    QVERIFY(ctl<QGroupBox>(w, "famOptions")->isHidden());
    QVERIFY(ctl<QProgressBar>(w, "pgblength")->isHidden());
    QVERIFY(!ctl<QStatusBar>(w, "stbtimer")->isHidden());
    QCOMPARE(ctl<QProgressBar>(w, "pgblength")->minimum(), 0);
    QVERIFY(!ctl<QTimer>(w, "tmrtime")->isActive());
    QVERIFY(!ctl<QTimer>(w, "tmrauto")->isActive());
    QCOMPARE(ctl<QTimer>(w, "tmrtime")->interval(), 1000);
    QCOMPARE(ctl<QTimer>(w, "tmrauto")->interval(), 500);
}

void TestFrmMainLayout::controlsCarryTheirOwnFont()
{
    // The window's display face is not handed down: every control that shows
    // text is in the plain sans-serif at 8.25 pt.
    MainWindowFixture f;
    const QList<QWidget *> widgets = ctl<QWidget>(f.window, "client")->findChildren<QWidget *>();
    int checked = 0;
    for (QWidget *widget : widgets) {
        if (qobject_cast<QToolButton *>(widget))
            continue;
        if (!qobject_cast<QAbstractButton *>(widget) && !qobject_cast<QLabel *>(widget)
            && !qobject_cast<QLineEdit *>(widget) && !qobject_cast<QGroupBox *>(widget))
            continue;
        ++checked;
        QVERIFY2(!widget->font().bold(), qPrintable(widget->objectName()));
        // 8.25 pt, or smaller where a stand-in face had to shrink to fit.
        QVERIFY2(widget->font().pointSizeF() <= 8.26, qPrintable(widget->objectName()));
        QVERIFY2(widget == ctl<QLabel>(f.window, "Label1") || qAbs(widget->font().pointSizeF() - 8.25) < 0.01,
                 qPrintable(widget->objectName()));
        QVERIFY2(widget->font().family() != f.window.font().family(), qPrintable(widget->objectName()));
    }
    QVERIFY(checked >= 16 + 2 + 2 + 3 + 2 + 2 + 2);

    // Once the panel is open, the label of the time limit reads whole up to
    // the box that covers its end.
    f.fx.game.openOptions();
    f.window.render();
    const QLabel *label = ctl<QLabel>(f.window, "Label1");
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text())
            <= ctl<QLineEdit>(f.window, "txtlimit")->x() - label->x());

    // Nor is it handed to the menus, which keep the desktop's plain face.
    QVERIFY(!f.window.menuBar()->font().bold());
    QCOMPARE(f.window.menuBar()->font().family(), QApplication::font().family());
}

void TestFrmMainLayout::optionsPanelCoversTheBlock()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    const auto ownerAt = [&w](int i) {
        const QPoint centre = cellAt(w, i)->geometry().center();
        return ctl<QWidget>(w, "client")->childAt(centre);
    };
    for (int i = 0; i < 15; ++i)
        QCOMPARE(ownerAt(i), static_cast<QWidget *>(cellAt(w, i)));
    // The blank takes no clicks: they reach the board behind it.
    QCOMPARE(ownerAt(15), nullptr);

    f.fx.game.openOptions();
    w.render();
    for (int i = 0; i < 15; ++i) {
        QWidget *owner = ownerAt(i);
        QVERIFY(owner);
        QVERIFY2(owner == ctl<QGroupBox>(w, "famOptions") || ctl<QGroupBox>(w, "famOptions")->isAncestorOf(owner), qPrintable(owner->objectName()));
    }
}

void TestFrmMainLayout::upDownBounds_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("ups");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("expected");

    QTest::newRow("59 up once") << "59" << 1 << 0 << "60";
    QTest::newRow("59 up three times") << "59" << 3 << 0 << "60";
    QTest::newRow("60 up") << "60" << 1 << 0 << "60";
    QTest::newRow("20 down") << "20" << 0 << 1 << "19";
    QTest::newRow("10 up") << "10" << 1 << 0 << "11";
}

void TestFrmMainLayout::upDownBounds()
{
    QFETCH(QString, start);
    QFETCH(int, ups);
    QFETCH(int, downs);
    QFETCH(QString, expected);

    MainWindowFixture f;
    frmMain &w = f.window;
    ctl<QLineEdit>(w, "txtlimit")->setText(start);
    for (int i = 0; i < ups; ++i)
        ctl<UpDown>(w, "udlimit")->stepUp();
    for (int i = 0; i < downs; ++i)
        ctl<UpDown>(w, "udlimit")->stepDown();
    QCOMPARE(ctl<QLineEdit>(w, "txtlimit")->text(), expected);
    QCOMPARE(probe(f.fx.game).options.limitText, expected);
}

void TestFrmMainLayout::upDownArrowsWriteTheTextBox()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    QCOMPARE(ctl<UpDown>(w, "udlimit")->maximum(), 60);
    QVERIFY(ctl<UpDown>(w, "udlimit")->minimum() == 0 || ctl<UpDown>(w, "udlimit")->minimum() == 1);
    QCOMPARE(ctl<UpDown>(w, "udlimit")->value(), 20);

    f.fx.game.openOptions();
    w.render();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // The two arrows of the control, top one first.
    QList<QToolButton *> arrows = ctl<UpDown>(w, "udlimit")->findChildren<QToolButton *>();
    QCOMPARE(arrows.size(), 2);
    std::sort(arrows.begin(), arrows.end(), [](QToolButton *a, QToolButton *b) { return a->y() < b->y(); });
    QToolButton *up = arrows[0];
    QToolButton *down = arrows[1];

    ctl<QLineEdit>(w, "txtlimit")->setText(QStringLiteral("58"));
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(ctl<QLineEdit>(w, "txtlimit")->text(), QStringLiteral("60"));
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(ctl<QLineEdit>(w, "txtlimit")->text(), QStringLiteral("59"));

    // At the bottom the value stays at the minimum.
    ctl<QLineEdit>(w, "txtlimit")->setText(QStringLiteral("2"));
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(down, Qt::LeftButton);
    const QString lowest = QString::number(ctl<UpDown>(w, "udlimit")->minimum());
    QCOMPARE(ctl<QLineEdit>(w, "txtlimit")->text(), lowest);
    QVERIFY(ctl<UpDown>(w, "udlimit")->value() >= 0);

    // The up and down keys on the focused control step it as well.
    ctl<QLineEdit>(w, "txtlimit")->setText(QStringLiteral("59"));
    ctl<UpDown>(w, "udlimit")->setFocus();
    QTest::keyClick(ctl<UpDown>(w, "udlimit"), Qt::Key_Up);
    QTest::keyClick(ctl<UpDown>(w, "udlimit"), Qt::Key_Up);
    QCOMPARE(ctl<QLineEdit>(w, "txtlimit")->text(), QStringLiteral("60"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("60"));
}

void TestFrmMainLayout::timeLimitBoxHoldsTwoCharacters()
{
    MainWindowFixture f;
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->maxLength(), 2);
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->text(), QStringLiteral("20"));
    ctl<QLineEdit>(f.window, "txtlimit")->setText(QStringLiteral("1234"));
    QCOMPARE(ctl<QLineEdit>(f.window, "txtlimit")->text(), QStringLiteral("12"));
}

QTEST_MAIN(TestFrmMainLayout)
#include "test_frmmain_layout.moc"
