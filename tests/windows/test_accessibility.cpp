// What the main window tells a screen reader: the time limit as a spin
// button, where the focus goes after a move, and which announcements one
// change makes. (The cells' names and places are read from outside the
// program by the end-to-end accessibility test.)
#include "windows_fixture.h"

#include "windows/up_down.h"

#include <QAccessible>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>

namespace {

// Listens as an assistive technology does while it lives, and keeps what the
// program announces as "Event objectName", "(hidden)" added for a control
// that is not on the screen.
class Listener
{
public:
    Listener()
    {
        s_self = this;
        m_previous = QAccessible::installUpdateHandler(&record);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    ~Listener()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(m_previous);
        s_self = nullptr;
    }

    QStringList heard;

private:
    static void record(QAccessibleEvent *event)
    {
        auto *widget = qobject_cast<QWidget *>(event->object());
        QString line = QString::fromLatin1(QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type()));
        line += QLatin1Char(' ') + (widget ? widget->objectName() : QString());
        if (widget && !widget->isVisible())
            line += QStringLiteral(" (hidden)");
        s_self->heard << line;
    }

    static inline Listener *s_self = nullptr;
    QAccessible::UpdateHandler m_previous = nullptr;
};

enum class Press { Pad8, Space, Mouse, SpaceThenAutoPlay };

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void focusAfterAMove_data();
    void focusAfterAMove();
    void timeLimitIsOneSpinButton();
    void clockTickAnnouncesTheClockAlone();
    void progressBarSilentWhileHidden();
    void escapeLeavesTheMenuBar();
};

void TestAccessibility::focusAfterAMove_data()
{
    QTest::addColumn<Press>("press");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<int>("focus");

    // Tile 9 moves up into the blank at 5. With a screen reader the focus
    // follows it from the keyboard; otherwise it leaves the new blank for
    // the next cell, as from a control that is hidden.
    QTest::newRow("pad 8, screen reader") << Press::Pad8 << true << 5;
    QTest::newRow("space, screen reader") << Press::Space << true << 5;
    QTest::newRow("space, no screen reader") << Press::Space << false << 10;
    QTest::newRow("mouse, screen reader") << Press::Mouse << true << 10;
    // The auto play then slides it back: the focus goes to Stop, not to
    // another tile (-1).
    QTest::newRow("auto play moves it back") << Press::SpaceThenAutoPlay << true << -1;
}

void TestAccessibility::focusAfterAMove()
{
    QFETCH(Press, press);
    QFETCH(bool, listening);
    QFETCH(int, focus);

    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    std::optional<Listener> listener;
    if (listening)
        listener.emplace();
    TileButton *tile = cellAt(f.window, 9);
    switch (press) {
    case Press::Pad8: QTest::keyClick(ctl<QPushButton>(f.window, "Cmdreset"), Qt::Key_8, Qt::KeypadModifier); break;
    case Press::Space:
    case Press::SpaceThenAutoPlay:
        tile->setFocus();
        QTest::keyClick(tile, Qt::Key_Space);
        break;
    case Press::Mouse: QTest::mouseClick(tile, Qt::LeftButton); break;
    }
    QCOMPARE(tileText(probe(f.fx.game).board, kBlank), QStringLiteral("9"));
    if (press == Press::SpaceThenAutoPlay) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        f.fx.game.stepAutoPlay();
        f.window.render();
    }
    QWidget *expected = focus < 0 ? ctl<QPushButton>(f.window, "cmdpause") : cellAt(f.window, focus);
    QCOMPARE(QApplication::focusWidget(), expected);
}

void TestAccessibility::timeLimitIsOneSpinButton()
{
    MainWindowFixture f;
    frmMain &w = f.window;
    f.fx.game.openOptions();
    w.render();
    ctl<QLineEdit>(w, "txtlimit")->setText(QStringLiteral("59"));

    Listener listener;
    for (QWidget *part : {static_cast<QWidget *>(ctl<QLineEdit>(w, "txtlimit")), static_cast<QWidget *>(ctl<UpDown>(w, "udlimit"))}) {
        QAccessibleInterface *spin = QAccessible::queryAccessibleInterface(part);
        QCOMPARE(spin->role(), QAccessible::SpinBox);
        QCOMPARE(spin->text(QAccessible::Name), QStringLiteral("Time limit in minutes"));
        QCOMPARE(spin->childCount(), 0);
        QAccessibleValueInterface *value = spin->valueInterface();
        QCOMPARE(value->minimumValue().toInt(), 1);
        QCOMPARE(value->maximumValue().toInt(), 60);
        QCOMPARE(value->currentValue().toInt(), 59);
    }
    // Every step is told, the one that stays at the bound too.
    listener.heard.clear();
    ctl<UpDown>(w, "udlimit")->stepUp();
    ctl<UpDown>(w, "udlimit")->stepUp();
    QCOMPARE(listener.heard.filter(QStringLiteral("ValueChanged")),
             QStringList({"ValueChanged txtlimit (hidden)", "ValueChanged udlimit (hidden)",
                          "ValueChanged txtlimit (hidden)", "ValueChanged udlimit (hidden)"}));
    // A screen reader may set the value; it is held to the bounds.
    QAccessible::queryAccessibleInterface(ctl<UpDown>(w, "udlimit"))->valueInterface()->setCurrentValue(0);
    QCOMPARE(ctl<QLineEdit>(w, "txtlimit")->text(), QStringLiteral("1"));
    QCOMPARE(probe(f.fx.game).options.limitText, QStringLiteral("1"));
}

void TestAccessibility::clockTickAnnouncesTheClockAlone()
{
    MainWindowFixture f;
    QVERIFY(f.dealAndShow());
    QTest::keyClick(ctl<QPushButton>(f.window, "Cmdreset"), Qt::Key_8, Qt::KeypadModifier);
    QVERIFY(ctl<QTimer>(f.window, "tmrtime")->isActive());

    Listener listener;
    QMetaObject::invokeMethod(ctl<QTimer>(f.window, "tmrtime"), "timeout");
    QCOMPARE(statusPanel(f.window, 0)->text(), QStringLiteral("Timer : 9 : 59"));
    QCOMPARE(listener.heard, QStringList{"NameChanged stbtimerPanel1"});
}

void TestAccessibility::progressBarSilentWhileHidden()
{
    MainWindowFixture f;
    QVERIFY(showActive(f.window));
    QCOMPARE(QAccessible::queryAccessibleInterface(ctl<QProgressBar>(f.window, "pgblength"))->text(QAccessible::Name),
             QStringLiteral("Shuffle"));

    Listener listener;
    probe(f.fx.game).newGame();
    f.window.render();
    const QStringList values = listener.heard.filter(QStringLiteral("ValueChanged pgblength"));
    QVERIFY(values.contains(QStringLiteral("ValueChanged pgblength")));
    QCOMPARE(values.filter(QStringLiteral("(hidden)")), QStringList());
}

void TestAccessibility::escapeLeavesTheMenuBar()
{
    // Escape closes an open menu, then leaves the menu bar: the typed
    // character it carries is no reason to keep the player there.
    MainWindowFixture f;
    QVERIFY(showActive(f.window));
    QMenuBar *bar = f.window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(ctl<QMenu>(f.window, "mnutools")->menuAction()).center());
    QTRY_VERIFY(ctl<QMenu>(f.window, "mnutools")->isVisible());
    QTest::keyClick(ctl<QMenu>(f.window, "mnutools"), Qt::Key_Escape);
    QTRY_VERIFY(!ctl<QMenu>(f.window, "mnutools")->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(bar));
    QTest::keyClick(bar, Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(f.window, "Cmdreset")));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
