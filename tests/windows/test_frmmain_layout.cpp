// The main window as created and loaded: geometry, window style, menus, tab
// order, captions and the small print of the time-limit controls.
#include "windows_fixture.h"

#include "windows/options_panel.h"
#include "windows/up_down.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
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
            return window.client;
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

    QCOMPARE(w.centralWidget(), w.client);
    QCOMPARE(w.client->size(), QSize(215, 240));
    QCoreApplication::processEvents();
    const int chrome = w.height() - w.client->height();
    QVERIFY(chrome >= 0);

    OptionsPanel(f.fx.game).mnuoptions_Click();
    w.render();
    QCoreApplication::processEvents();
    QCOMPARE(w.client->size(), QSize(215, 174));
    // The window shrinks with its client area: the row of Reset and Pause is
    // cut off, and the status bar is hidden.
    QCOMPARE(w.height() - w.client->height(), chrome);
    QVERIFY(w.Cmdreset->geometry().top() >= w.client->height());
    QVERIFY(w.cmdpause->geometry().top() >= w.client->height());
    QVERIFY(w.stbtimer->isHidden());

    OptionsPanel(f.fx.game).cmdCancel_Click();
    w.render();
    QCoreApplication::processEvents();
    QCOMPARE(w.client->size(), QSize(215, 240));
    QCOMPARE(w.height() - w.client->height(), chrome);
    QVERIFY(!w.stbtimer->isHidden());
    // The status bar is back at the bottom edge.
    QCOMPARE(w.stbtimer->geometry(), QRect(0, 223, 215, 17));
}

void TestFrmMainLayout::windowStyle()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();

    QCOMPARE(w.windowTitle(), QStringLiteral("Game"));
    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!w.windowIcon().isNull());
    QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());

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
    QCOMPARE(w.mnutools->menuAction(), menus[0]);
    QCOMPARE(w.mnuhlp->menuAction(), menus[1]);
}

void TestFrmMainLayout::tabOrderAndInitialFocus()
{
    MainWindowFixture f;
    frmMain &w = f.window;

    // The focus chain from Cmdreset, keeping only the controls that Tab can
    // reach.
    QList<QWidget *> chain;
    QWidget *widget = w.Cmdreset;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->window() == &w)
            chain << widget;
        widget = widget->nextInFocusChain();
    } while (widget != w.Cmdreset && chain.size() < 200);

    const QList<QWidget *> panelOrder{w.Cmdreset, w.cmdpause, w.CmdOK, w.cmdCancel, w.OptEasy,
                                      w.Optmedium, w.Optihard, w.txtlimit};
    QVERIFY(chain.size() >= panelOrder.size());
    QCOMPARE(chain.mid(0, panelOrder.size()), panelOrder);
    QVERIFY(chain.contains(w.udlimit));
    QVERIFY(chain.indexOf(w.udlimit) > chain.indexOf(w.txtlimit));

    // Frames, labels, the status bar, the progress bar and the outline never
    // take the focus.
    const QList<QWidget *> passive{w.famOptions, w.frdifficulty, w.Label1, w.stbtimer, w.pgblength, w.Shape1,
                                   w.stbtimerPanels[0], w.stbtimerPanels[1]};
    for (QWidget *p : passive)
        QVERIFY2(p->focusPolicy() == Qt::NoFocus, qPrintable(p->objectName()));

    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.Cmdreset));
}

void TestFrmMainLayout::cellsBeforeAndAfterLoad()
{
    // As created, every cell reads "1" and the last one is hidden.
    GameFixture fx;
    frmMain created(fx.game);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(created.cmdcheck[i]->text(), QStringLiteral("1"));
        QCOMPARE(created.cmdcheck[i]->isBlank(), i == 15);
    }

    MainWindowFixture f;
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(f.window.cmdcheck[i]->text(), QString::number(i + 1));
        QCOMPARE(f.window.cmdcheck[i]->isBlank(), i == 15);
        QVERIFY(f.window.cmdcheck[i]->isEnabled());
    }
    QVERIFY(!f.window.cmdpause->isEnabled());
    QVERIFY(f.window.Cmdreset->isEnabled());
}

void TestFrmMainLayout::toolTipsAndHiddenControls()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    QCOMPARE(w.Cmdreset->toolTip(), QStringLiteral("Reset Game"));
    QCOMPARE(w.Cmdreset->text(), QStringLiteral("Reset"));
    QCOMPARE(w.cmdpause->toolTip(), QStringLiteral("Pause Game"));
    QCOMPARE(w.cmdpause->text(), QStringLiteral("Pause"));
    QCOMPARE(w.CmdOK->toolTip(), QStringLiteral("Apply Difficulty Level"));
    QCOMPARE(w.CmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(w.cmdCancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(w.famOptions->title(), QStringLiteral("Options"));
    QCOMPARE(w.frdifficulty->title(), QStringLiteral("Difficulty"));
    QCOMPARE(w.OptEasy->text(), QStringLiteral("Easy"));
    QCOMPARE(w.Optmedium->text(), QStringLiteral("Medium"));
    QCOMPARE(w.Optihard->text(), QStringLiteral("Hard"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Time limit in minutes"));
    QVERIFY(w.OptEasy->isChecked());

    QVERIFY(w.famOptions->isHidden());
    QVERIFY(w.pgblength->isHidden());
    QVERIFY(!w.stbtimer->isHidden());
    QCOMPARE(w.pgblength->minimum(), 0);
    QVERIFY(!w.tmrtime->isActive());
    QVERIFY(!w.tmrauto->isActive());
    QCOMPARE(w.tmrtime->interval(), 1000);
    QCOMPARE(w.tmrauto->interval(), 500);
}

void TestFrmMainLayout::controlsCarryTheirOwnFont()
{
    // The window's display face is not handed down: every control that shows
    // text is in the plain sans-serif at 8.25 pt.
    MainWindowFixture f;
    const QList<QWidget *> widgets = f.window.client->findChildren<QWidget *>();
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
        QVERIFY2(widget == f.window.Label1 || qAbs(widget->font().pointSizeF() - 8.25) < 0.01,
                 qPrintable(widget->objectName()));
        QVERIFY2(widget->font().family() != f.window.font().family(), qPrintable(widget->objectName()));
    }
    QVERIFY(checked >= 16 + 2 + 2 + 3 + 2 + 2 + 2);

    // The label of the time limit reads whole up to the box that covers its end.
    const QLabel *label = f.window.Label1;
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text())
            <= f.window.txtlimit->x() - label->x());

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
        const QPoint centre = w.cmdcheck[i]->geometry().center();
        return w.client->childAt(centre);
    };
    for (int i = 0; i < 15; ++i)
        QCOMPARE(ownerAt(i), static_cast<QWidget *>(w.cmdcheck[i]));
    // The blank takes no clicks: they reach the board behind it.
    QCOMPARE(ownerAt(15), nullptr);

    OptionsPanel(f.fx.game).mnuoptions_Click();
    w.render();
    for (int i = 0; i < 15; ++i) {
        QWidget *owner = ownerAt(i);
        QVERIFY(owner);
        QVERIFY2(owner == w.famOptions || w.famOptions->isAncestorOf(owner), qPrintable(owner->objectName()));
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
    w.txtlimit->setText(start);
    for (int i = 0; i < ups; ++i)
        w.udlimit->stepUp();
    for (int i = 0; i < downs; ++i)
        w.udlimit->stepDown();
    QCOMPARE(w.txtlimit->text(), expected);
    QCOMPARE(f.fx.game.txtlimit, expected);
}

void TestFrmMainLayout::upDownArrowsWriteTheTextBox()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    QCOMPARE(w.udlimit->maximum(), 60);
    QVERIFY(w.udlimit->minimum() == 0 || w.udlimit->minimum() == 1);
    QCOMPARE(w.udlimit->value(), 20);

    OptionsPanel(f.fx.game).mnuoptions_Click();
    w.render();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // The two arrows of the control, top one first.
    QList<QToolButton *> arrows = w.udlimit->findChildren<QToolButton *>();
    QCOMPARE(arrows.size(), 2);
    std::sort(arrows.begin(), arrows.end(), [](QToolButton *a, QToolButton *b) { return a->y() < b->y(); });
    QToolButton *up = arrows[0];
    QToolButton *down = arrows[1];

    w.txtlimit->setText(QStringLiteral("58"));
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(w.txtlimit->text(), QStringLiteral("60"));
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(w.txtlimit->text(), QStringLiteral("59"));

    // At the bottom the value stays at the minimum.
    w.txtlimit->setText(QStringLiteral("2"));
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(down, Qt::LeftButton);
    const QString lowest = QString::number(w.udlimit->minimum());
    QCOMPARE(w.txtlimit->text(), lowest);
    QVERIFY(w.udlimit->value() >= 0);

    // The up and down keys on the focused control step it as well.
    w.txtlimit->setText(QStringLiteral("59"));
    w.udlimit->setFocus();
    QTest::keyClick(w.udlimit, Qt::Key_Up);
    QTest::keyClick(w.udlimit, Qt::Key_Up);
    QCOMPARE(w.txtlimit->text(), QStringLiteral("60"));
    QCOMPARE(f.fx.game.txtlimit, QStringLiteral("60"));
}

void TestFrmMainLayout::timeLimitBoxHoldsTwoCharacters()
{
    MainWindowFixture f;
    QCOMPARE(f.window.txtlimit->maxLength(), 2);
    QCOMPARE(f.window.txtlimit->text(), QStringLiteral("20"));
    f.window.txtlimit->setText(QStringLiteral("1234"));
    QCOMPARE(f.window.txtlimit->text(), QStringLiteral("12"));
}

QTEST_MAIN(TestFrmMainLayout)
#include "test_frmmain_layout.moc"
