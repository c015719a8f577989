// The winner, high-score and About windows, and the message that a save
// failed.
#include "as_ordinary_user.h"
#include "windows_fixture.h"

#include "game/high_scores.h"
#include "windows/accessibility.h"
#include "windows/about.h"
#include "windows/frmentername.h"
#include "windows/frmhighscores.h"
#include "windows/placement.h"

#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

const QString kPlainFace = QStringLiteral("Congragulations\nYou Win the game\nGood Luck");
const QString kTopFace =
    QStringLiteral("Congragulations\nYou Win the game and got top time \nPlease Enter your name");

QList<QWidget *> focusable(QWidget *window)
{
    QList<QWidget *> result;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->focusPolicy() != Qt::NoFocus)
            result << w;
    }
    return result;
}

} // namespace

class TestSmallWindows : public QObject
{
    Q_OBJECT

private slots:
    // frmentername
    void winnerFaces_data();
    void winnerFaces();
    void winnerNameLimit();
    void winnerWantsAName_data();
    void winnerWantsAName();
    void winnerNameAcceptedAsTyped_data();
    void winnerNameAcceptedAsTyped();
    void winnerPlainFaceClosesAtOnce();
    void winnerFromMainWindow();
    void winnerCentredOnScreen();
    void winnerIgnoresHeldKeyRepeats();

    // frmhighscores and frmabout
    void controlGeometry_data();
    void controlGeometry();

    // frmhighscores
    void highScoresWindow();
    void highScoresLabels_data();
    void highScoresLabels();
    void highScoresTimeLabelsGrowToTheRight();
    void highScoresFocus();
    void highScoresResetTwice();
    void highScoresResetOnUnchangeableStore();
    void namesStayPlainText();
    void scoreTimeText_data();
    void scoreTimeText();

    // The message that a save failed
    void notSavedMessage_data();
    void notSavedMessage();

    // frmabout
    void aboutWindow();
    void aboutTextsFitTheirBoxes();
    void centredLeft_data();
    void centredLeft();
    void keptInside_data();
    void keptInside();
    void aboutShownTwice();
};

// --- frmentername ------------------------------------------------------------

void TestSmallWindows::winnerFaces_data()
{
    QTest::addColumn<bool>("topTime");
    QTest::newRow("plain face") << false;
    QTest::newRow("new-best face") << true;
}

void TestSmallWindows::winnerFaces()
{
    QFETCH(bool, topTime);
    ScoreVariables scores;
    scores.GotTopTime = topTime;
    frmentername w(scores);

    // One layout under both faces.
    QCOMPARE(w.size(), QSize(312, 108));
    QCOMPARE(ctl<QPushButton>(w, "cmdok")->geometry(), QRect(216, 80, 89, 25));
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->geometry(), QRect(8, 80, 185, 25));
    QCOMPARE(ctl<QLabel>(w, "Label1")->geometry(), QRect(32, 88, 161, 17));
    // Both message labels are moved to the same place near the top-left
    // corner (60 and 3 twips).
    QCOMPARE(ctl<QLabel>(w, "labtop")->geometry(), QRect(4, 0, 313, 73));
    QCOMPARE(ctl<QLabel>(w, "labmsgwin")->geometry(), QRect(4, 0, 297, 73));
    for (QWidget *child : w.findChildren<QWidget *>())
        QCOMPARE(child->parentWidget(), static_cast<QWidget *>(&w));

    QCOMPARE(w.windowTitle(), QStringLiteral("Winner"));
    QCOMPARE(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(ctl<QPushButton>(w, "cmdok")->text(), QStringLiteral("OK"));
    QCOMPARE(ctl<QLabel>(w, "Label1")->text(), QStringLiteral("Press OK to Reset Game"));

    QVERIFY(showActive(w));
    QCOMPARE(ctl<QLabel>(w, "labmsgwin")->isVisible(), !topTime);
    QCOMPARE(ctl<QLabel>(w, "labtop")->isVisible(), topTime);
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->isVisible(), topTime);
    QVERIFY(ctl<QLabel>(w, "Label1")->isVisible());
    QVERIFY(ctl<QPushButton>(w, "cmdok")->isVisible());
    if (topTime) {
        QCOMPARE(ctl<QLabel>(w, "labtop")->text(), kTopFace);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QLineEdit>(w, "txtname")));
        // Tab goes from the name box to OK and back.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QLineEdit>(w, "txtname")));
        // The name box lies over the label "Press OK to Reset Game".
        QVERIFY(ctl<QLineEdit>(w, "txtname")->geometry().contains(ctl<QLabel>(w, "Label1")->geometry().center()));
        QCOMPARE(w.childAt(ctl<QLabel>(w, "Label1")->geometry().center()), static_cast<QWidget *>(ctl<QLineEdit>(w, "txtname")));
    } else {
        QCOMPARE(ctl<QLabel>(w, "labmsgwin")->text(), kPlainFace);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "cmdok")));
    }
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->text(), QString());
}

void TestSmallWindows::winnerNameLimit()
{
    ScoreVariables scores;
    scores.GotTopTime = true;
    frmentername w(scores);
    QVERIFY(showActive(w));
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->maxLength(), 25);
    QTest::keyClicks(ctl<QLineEdit>(w, "txtname"), QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->text(), QStringLiteral("abcdefghijklmnopqrstuvwxy"));
    QTest::keyClick(ctl<QLineEdit>(w, "txtname"), Qt::Key_Return);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(scores.WinnerName, QStringLiteral("abcdefghijklmnopqrstuvwxy"));
}

void TestSmallWindows::winnerWantsAName_data()
{
    QTest::addColumn<QString>("way");
    // Escape and the title bar's close box behave as OK.
    for (const char *way : {"Enter", "number-pad Enter", "OK", "Escape", "close box"})
        QTest::newRow(way) << QString::fromLatin1(way);
}

void TestSmallWindows::winnerWantsAName()
{
    QFETCH(QString, way);
    ScoreVariables scores;
    scores.GotTopTime = true;
    scores.WinnerName = QStringLiteral("before");
    frmentername w(scores);
    QVERIFY(showActive(w));
    QLineEdit *box = ctl<QLineEdit>(w, "txtname");
    const auto leave = [&] {
        if (way == u"Enter")
            QTest::keyClick(box, Qt::Key_Return);
        else if (way == u"number-pad Enter")
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        else if (way == u"OK")
            QTest::mouseClick(ctl<QPushButton>(w, "cmdok"), Qt::LeftButton);
        else if (way == u"Escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            w.close();
    };
    ModalCloser closer;

    // Without a name the player is asked for one, and the window stays.
    leave();
    QCOMPARE(closer.titles(), QStringList{QStringLiteral("Error")});
    QCOMPARE(closer.shown[0].text, QStringLiteral("Enter a name"));
    QCOMPARE(closer.shown[0].icon, QMessageBox::Information);
    QVERIFY(w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(scores.WinnerName, QStringLiteral("before"));

    // Once a name is typed, the same way hands it over.
    QTest::keyClicks(box, QStringLiteral("Ann"));
    leave();
    QCOMPARE(closer.shown.size(), 1);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(scores.WinnerName, QStringLiteral("Ann"));
}

void TestSmallWindows::winnerNameAcceptedAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("blanks around") << " Bo b ";
    QTest::newRow("one character") << "x";
    QTest::newRow("markup") << "<b>Eve</b>";
}

void TestSmallWindows::winnerNameAcceptedAsTyped()
{
    QFETCH(QString, typed);
    ScoreVariables scores;
    scores.GotTopTime = true;
    frmentername w(scores);
    QVERIFY(showActive(w));

    ModalCloser closer;
    QTest::keyClicks(ctl<QLineEdit>(w, "txtname"), typed);
    QTest::mouseClick(ctl<QPushButton>(w, "cmdok"), Qt::LeftButton);
    QVERIFY(closer.shown.isEmpty());
    QVERIFY(!w.isVisible());
    QCOMPARE(scores.WinnerName, typed);
}

void TestSmallWindows::winnerPlainFaceClosesAtOnce()
{
    ScoreVariables scores;
    scores.WinnerName = QStringLiteral("earlier");
    frmentername w(scores);
    QVERIFY(showActive(w));

    ModalCloser closer;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(closer.shown.isEmpty());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    // The plain face has no name box: the name handed over is empty.
    QCOMPARE(scores.WinnerName, QString());
}

void TestSmallWindows::winnerIgnoresHeldKeyRepeats()
{
    // A number-pad key held down to the winning move goes on repeating into
    // the name box that has just taken the focus; only fresh presses count.
    ScoreVariables scores;
    scores.GotTopTime = true;
    frmentername w(scores);
    QVERIFY(showActive(w));
    auto send = [&w](Qt::Key key, const QString &text, bool repeat) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier, text, repeat);
        QApplication::sendEvent(ctl<QLineEdit>(w, "txtname"), &press);
    };
    for (int i = 0; i < 5; ++i)
        send(Qt::Key_8, QStringLiteral("8"), true);
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->text(), QString());

    // Once the player types, a held key repeats as usual.
    send(Qt::Key_A, QStringLiteral("a"), false);
    send(Qt::Key_A, QStringLiteral("a"), true);
    QCOMPARE(ctl<QLineEdit>(w, "txtname")->text(), QStringLiteral("aa"));
}

void TestSmallWindows::winnerFromMainWindow()
{
    // The main window shows the winner window modally and returns with the
    // typed name in WinnerName.
    MainWindowFixture f;
    f.fx.scores.GotTopTime = true;
    ModalCloser closer;
    QString labelSeen;
    closer.whileOpen = [&labelSeen](QWidget *window) {
        auto *winner = qobject_cast<frmentername *>(window);
        if (!winner)
            return;
        labelSeen = ctl<QLabel>(winner, "labtop")->text();
        ctl<QLineEdit>(winner, "txtname")->setText(QStringLiteral("Pat"));
    };
    f.window.dialogs().showWinner();
    QCOMPARE(closer.titles(), QStringList{QStringLiteral("Winner")});
    QCOMPARE(labelSeen, kTopFace);
    QCOMPARE(f.fx.scores.WinnerName, QStringLiteral("Pat"));
}

void TestSmallWindows::winnerCentredOnScreen()
{
    ScoreVariables scores;
    frmentername w(scores);
    QVERIFY(showActive(w));
    // The whole window, title bar and borders included, is centred.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint offset = w.frameGeometry().center() - screen.center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

// --- frmhighscores -------------------------------------------------------------

void TestSmallWindows::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("cmdresetscore") << "cmdresetscore" << "frmhighscores" << QRect(160, 136, 81, 25);
    QTest::newRow("cmdok") << "cmdok" << "frmhighscores" << QRect(272, 136, 81, 25);
    QTest::newRow("famhighscores") << "famhighscores" << "frmhighscores" << QRect(8, 8, 353, 121);
    QTest::newRow("labnmeasy") << "labnmeasy" << "famhighscores" << QRect(200, 24, 145, 17);
    QTest::newRow("labnmmedium") << "labnmmedium" << "famhighscores" << QRect(200, 56, 145, 17);
    QTest::newRow("labnmhard") << "labnmhard" << "famhighscores" << QRect(200, 88, 145, 17);
    QTest::newRow("Command1") << "Command1" << "frmabout" << QRect(8, 184, 289, 25);
    QTest::newRow("Frame1") << "Frame1" << "frmabout" << QRect(0, 64, 305, 105);
    QTest::newRow("Label2") << "Label2" << "Frame1" << QRect(96, 72, 113, 17);
    QTest::newRow("Label4") << "Label4" << "Frame1" << QRect(56, 72, 49, 17);
    QTest::newRow("Label3") << "Label3" << "Frame1" << QRect(40, 24, 233, 41);
    QTest::newRow("Label1") << "Label1" << "frmabout" << QRect(0, 0, 105, 57);
}

// The controls of the high-score and About windows, whose names differ.
void TestSmallWindows::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);

    GameFixture s;
    frmhighscores scores(s.store, s.scores, s.dialogs);
    frmabout about;
    QWidget *widget = scores.findChild<QWidget *>(name);
    widget = widget ? widget : about.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), geometry);
}

void TestSmallWindows::highScoresWindow()
{
    GameFixture s;
    frmhighscores w(s.store, s.scores, s.dialogs);
    QCOMPARE(w.size(), QSize(365, 168));
    QCOMPARE(w.windowTitle(), QStringLiteral("High Scorers"));
    QCOMPARE(ctl<QGroupBox>(w, "famhighscores")->title(), QStringLiteral("High Scores"));
    QCOMPARE(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(ctl<QPushButton>(w, "cmdok")->text(), QStringLiteral("OK"));
    QCOMPARE(ctl<QPushButton>(w, "cmdresetscore")->text(), QStringLiteral("Reset Scores"));

    const QStringList captions{QStringLiteral("Easy :"), QStringLiteral("Medium :"), QStringLiteral("Hard :")};
    for (int row = 0; row < 3; ++row) {
        QLabel *caption = scoreLabel(w, "cap", row);
        QCOMPARE(caption->text(), captions[row]);
        QCOMPARE(caption->parentWidget(), static_cast<QWidget *>(ctl<QGroupBox>(w, "famhighscores")));
        QCOMPARE(caption->pos(), QPoint(16, 24 + 32 * row));
    }
}

void TestSmallWindows::highScoresLabels_data()
{
    QTest::addColumn<QString>("time");  // stored for Medium; empty: nothing stored
    QTest::addColumn<QString>("name");  // stored for Medium; empty: nothing stored
    QTest::addColumn<QString>("shownTime");
    QTest::addColumn<QString>("shownName");

    QTest::newRow("empty store") << "" << "" << "8:0" << "Anonymous";
    QTest::newRow("75 seconds with a name") << " 75" << "Sam" << "1:15" << "Sam";
    QTest::newRow("65 seconds") << " 65" << "Jo" << "1:5" << "Jo";
    QTest::newRow("59 seconds") << " 59" << "" << "0:59" << "Anonymous";
    QTest::newRow("not a number") << "abc" << "" << "8:0" << "Anonymous";
    QTest::newRow("beyond 16 bits") << "40000" << "" << "8:0" << "Anonymous";
    QTest::newRow("name of blanks") << " 100" << "  " << "1:40" << "  ";
}

void TestSmallWindows::highScoresLabels()
{
    QFETCH(QString, time);
    QFETCH(QString, name);
    QFETCH(QString, shownTime);
    QFETCH(QString, shownName);

    GameFixture s;
    // Written the way the game writes them; the window reads "medium".
    if (!time.isEmpty())
        QVERIFY(s.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Medium"), time));
    if (!name.isEmpty())
        QVERIFY(s.store.write(kApplication, QStringLiteral("Names"), QStringLiteral("Medium"), name));

    frmhighscores w(s.store, s.scores, s.dialogs);
    QCOMPARE(scoreLabel(w, "tm", 1)->text(), shownTime);
    QCOMPARE(scoreLabel(w, "nm", 1)->text(), shownName);
    // A screen reader reads the row as one text.
    QCOMPARE(scoreLabel(w, "cap", 1)->accessibleName(), QStringLiteral("Medium: %1, %2").arg(shownTime, shownName));
    QCOMPARE(w.accessibleDescription(),
             QStringLiteral("Easy: 8:0, Anonymous; Medium: %1, %2; Hard: 8:0, Anonymous").arg(shownTime, shownName));
    for (int row : {0, 2}) {
        QCOMPARE(scoreLabel(w, "tm", row)->text(), QStringLiteral("8:0"));
        QCOMPARE(scoreLabel(w, "nm", row)->text(), QStringLiteral("Anonymous"));
    }

    const auto rows = loadHighScores(s.store);
    QCOMPARE(rows[1].time, shownTime);
    QCOMPARE(rows[1].name, shownName);
    QCOMPARE(rows[0].time, QStringLiteral("8:0"));
    QCOMPARE(rows[2].name, QStringLiteral("Anonymous"));
}

void TestSmallWindows::highScoresTimeLabelsGrowToTheRight()
{
    GameFixture s;
    QVERIFY(s.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" 32767")));
    QVERIFY(s.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral(" 5")));
    frmhighscores w(s.store, s.scores, s.dialogs);

    QCOMPARE(scoreLabel(w, "tm", 0)->text(), QStringLiteral("546:7"));
    QCOMPARE(scoreLabel(w, "tm", 1)->text(), QStringLiteral("8:0"));
    QCOMPARE(scoreLabel(w, "tm", 2)->text(), QStringLiteral("0:5"));
    for (int row = 0; row < 3; ++row) {
        QLabel *label = scoreLabel(w, "tm", row);
        QCOMPARE(label->parentWidget(), static_cast<QWidget *>(ctl<QGroupBox>(w, "famhighscores")));
        // Fixed left edge and top, width fitted to the text.
        QCOMPARE(label->pos(), QPoint(104, 24 + 32 * row));
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        QCOMPARE(label->size(), label->sizeHint());
        // Clear of the name column.
        QVERIFY(label->geometry().right() < scoreLabel(w, "nm", row)->geometry().left());
    }
    QVERIFY(scoreLabel(w, "tm", 0)->width() > scoreLabel(w, "tm", 1)->width());

    // After a reset every time is "8:0" again, and the labels shrink back.
    const int wide = scoreLabel(w, "tm", 0)->width();
    w.cmdresetscore_Click();
    QCOMPARE(scoreLabel(w, "tm", 0)->text(), QStringLiteral("8:0"));
    QVERIFY(scoreLabel(w, "tm", 0)->width() < wide);
    QCOMPARE(scoreLabel(w, "tm", 0)->pos(), QPoint(104, 24));
    QCOMPARE(scoreLabel(w, "tm", 0)->width(), scoreLabel(w, "tm", 1)->width());
}

void TestSmallWindows::highScoresFocus()
{
    GameFixture s;
    frmhighscores w(s.store, s.scores, s.dialogs);
    // Only the two buttons take the focus, OK first.
    const QList<QWidget *> takers = focusable(&w);
    QCOMPARE(takers.size(), 2);
    QVERIFY(takers.contains(ctl<QPushButton>(w, "cmdok")));
    QVERIFY(takers.contains(ctl<QPushButton>(w, "cmdresetscore")));
    QWidget *next = ctl<QPushButton>(w, "cmdok")->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus)
        next = next->nextInFocusChain();
    QCOMPARE(next, static_cast<QWidget *>(ctl<QPushButton>(w, "cmdresetscore")));

    QVERIFY(showActive(w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "cmdok")));
    QTest::keyClick(ctl<QPushButton>(w, "cmdok"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "cmdresetscore")));
    QTest::keyClick(ctl<QPushButton>(w, "cmdresetscore"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "cmdok")));

    // OK closes it.
    QTest::keyClick(ctl<QPushButton>(w, "cmdok"), Qt::Key_Space);
    QVERIFY(!w.isVisible());
}

void TestSmallWindows::highScoresResetTwice()
{
    GameFixture s;
    const QString times = QStringLiteral("Times");
    const QString names = QStringLiteral("Names");
    QVERIFY(s.store.write(kApplication, times, QStringLiteral("Easy"), QStringLiteral(" 30")));
    QVERIFY(s.store.write(kApplication, times, QStringLiteral("Medium"), QStringLiteral(" 75")));
    QVERIFY(s.store.write(kApplication, times, QStringLiteral("Hard"), QStringLiteral(" 99")));
    QVERIFY(s.store.write(kApplication, times, QStringLiteral("Timelimit"), QStringLiteral(" 12")));
    QVERIFY(s.store.write(kApplication, names, QStringLiteral("Easy"), QStringLiteral("Al")));
    QVERIFY(s.store.write(kApplication, names, QStringLiteral("Hard"), QStringLiteral("Cy")));
    QVERIFY(s.store.write(kApplication, QStringLiteral("Difficulty"), QStringLiteral("Diff"), QStringLiteral("Hard")));
    s.scores.BestTimes = {30, 75, 99};

    frmhighscores w(s.store, s.scores, s.dialogs);
    QCOMPARE(scoreLabel(w, "nm", 0)->text(), QStringLiteral("Al"));
    QCOMPARE(scoreLabel(w, "tm", 0)->text(), QStringLiteral("0:30"));
    QVERIFY(showActive(w));

    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(ctl<QPushButton>(w, "cmdresetscore"), Qt::LeftButton);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(scoreLabel(w, "nm", row)->text(), QStringLiteral("Anonymous"));
            QCOMPARE(scoreLabel(w, "tm", row)->text(), QStringLiteral("8:0"));
        }
        QCOMPARE(s.scores.BestTimes[0], 480.0);
        QCOMPARE(s.scores.BestTimes[1], 480.0);
        QCOMPARE(s.scores.BestTimes[2], 480.0);
        const QString gone = QStringLiteral("<gone>");
        for (const QString &key : {QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Hard")}) {
            QCOMPARE(s.store.read(kApplication, times, key, gone), gone);
            QCOMPARE(s.store.read(kApplication, names, key, gone), gone);
        }
        // The time limit goes with the times; the difficulty stays.
        QCOMPARE(s.store.read(kApplication, times, QStringLiteral("Timelimit"), gone), gone);
        QCOMPARE(s.store.read(kApplication, QStringLiteral("Difficulty"), QStringLiteral("Diff"), gone),
                 QStringLiteral("Hard"));
        QVERIFY(w.isVisible());
        QCOMPARE(w.findChild<Announcer *>()->text(), QStringLiteral("Scores reset"));
    }
    // Nothing left to erase the second time is no failure.
    QVERIFY(s.dialogs.log.isEmpty());
}

void TestSmallWindows::highScoresResetOnUnchangeableStore()
{
    // A store that cannot be changed keeps its records: the player is told,
    // the window shows what the file really holds, and the best times it
    // holds stay in force.
    MainWindowFixture f;
    SettingsStore &store = f.fx.store;
    QVERIFY(store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" 30")));
    QVERIFY(store.write(kApplication, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Al")));
    const QString path = store.filePath(kApplication);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(store.folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    {
        AsOrdinaryUser user;
        if (!user.ok())
            QSKIP("cannot drop the rights of root here");
        ModalCloser closer;
        QStringList shownAfter;
        closer.whileOpen = [&shownAfter](QWidget *window) {
            if (auto *scores = qobject_cast<frmhighscores *>(window)) {
                ctl<QPushButton>(scores, "cmdresetscore")->click();
                shownAfter = QStringList{scoreLabel(*scores, "nm", 0)->text(), scoreLabel(*scores, "tm", 0)->text(),
                                         scoreLabel(*scores, "nm", 1)->text()};
            }
        };
        f.window.dialogs().showHighScores();
        QCOMPARE(closer.titles(), (QStringList{QStringLiteral("High Scorers"), QStringLiteral("Not Saved")}));
        QCOMPARE(closer.shown[1].icon, QMessageBox::Warning);
        // The reason follows on a line of its own, and names the place.
        const QStringList lines = closer.shown[1].text.split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("The scores could not be reset:"));
        QVERIFY2(lines[1].contains(store.folder()), qPrintable(lines[1]));
        QCOMPARE(shownAfter, (QStringList{QStringLiteral("Al"), QStringLiteral("0:30"), QStringLiteral("Anonymous")}));
        QCOMPARE(f.fx.scores.BestTimes[0], 30.0);
        QCOMPARE(f.fx.scores.BestTimes[1], 480.0);
    }
    QFile::setPermissions(store.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestSmallWindows::namesStayPlainText()
{
    GameFixture s;
    const QString markup = QStringLiteral("<b>Bold</b> &amp; <i>x</i>");
    QVERIFY(s.store.write(kApplication, QStringLiteral("Names"), QStringLiteral("Hard"), markup));
    frmhighscores w(s.store, s.scores, s.dialogs);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(scoreLabel(w, "nm", row)->textFormat(), Qt::PlainText);
    QCOMPARE(scoreLabel(w, "nm", 2)->text(), markup);

    ScoreVariables scores;
    scores.GotTopTime = true;
    frmentername winner(scores);
    QCOMPARE(ctl<QLabel>(winner, "labtop")->textFormat(), Qt::PlainText);
    QCOMPARE(ctl<QLabel>(winner, "labmsgwin")->textFormat(), Qt::PlainText);
}

void TestSmallWindows::scoreTimeText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("480") << 480 << "8:0";
    QTest::newRow("75") << 75 << "1:15";
    QTest::newRow("65") << 65 << "1:5";
    QTest::newRow("59") << 59 << "0:59";
    QTest::newRow("60") << 60 << "1:0";
    QTest::newRow("0") << 0 << "0:0";
    QTest::newRow("32767") << 32767 << "546:7";
    // Minutes round down, the seconds keep the sign of the time.
    QTest::newRow("-1") << -1 << "-1:-1";
    QTest::newRow("-60") << -60 << "-1:0";
}

void TestSmallWindows::scoreTimeText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(ScoreTimeText(qint16(seconds)), text);
}

// --- The message that a save failed ---------------------------------------------

void TestSmallWindows::notSavedMessage_data()
{
    QTest::addColumn<int>("unsaved");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<qint64>("holder");
    QTest::addColumn<QString>("text");

    using W = SaveFailure::What;
    using U = Dialogs::Unsaved;
    const auto row = [](const char *name, U unsaved, W step, const QString &path, const QString &detail,
                        qint64 holder, const QString &text) {
        QTest::newRow(name) << int(unsaved) << int(step) << path << detail << holder << text;
    };
    const QString folder = QStringLiteral("/home/ann/.config/taviq");
    const QString file = folder + QStringLiteral("/taviqgame.ini");
    const QString lock = file + QStringLiteral(".lock");
    const QString best = QStringLiteral("Your best time could not be saved:\n");
    const QString scores = QStringLiteral("The scores could not be reset:\n");
    const QString settings = QStringLiteral("Your settings could not be saved:\n");
    const QString denied = QStringLiteral("Permission denied");

    row("folder not made", U::BestTime, W::MakeFolder, folder, QStringLiteral("Not a directory"), 0,
        best + "The settings folder " + folder + " could not be created: Not a directory");
    row("unreadable", U::Scores, W::ReadFile, file, denied, 0,
        scores + "The settings file " + file + " could not be read: Permission denied");
    row("a folder", U::Settings, W::IsFolder, file, {}, 0, settings + "The settings file " + file + " is a folder.");
    row("a pipe", U::BestTime, W::IsPipe, file, {}, 0, best + "The settings file " + file + " is a pipe.");
    row("a socket", U::BestTime, W::IsSocket, file, {}, 0, best + "The settings file " + file + " is a socket.");
    row("a device", U::BestTime, W::IsDevice, file, {}, 0, best + "The settings file " + file + " is a device.");
    row("something else", U::BestTime, W::IsOther, file, {}, 0,
        best + "The settings file " + file + " is not a regular file.");
    row("links", U::BestTime, W::LinksLeadNowhere, file, {}, 0,
        best + "The settings file " + file + " is a link that leads nowhere.");
    row("too large", U::BestTime, W::TooLarge, file, {}, 0,
        best + "The settings file " + file + " is larger than 1 GiB.");
    row("in the lock's way", U::Scores, W::ClearLock, lock, QStringLiteral("Directory not empty"), 0,
        scores + lock + " is in the lock's way and could not be removed: Directory not empty");
    row("lock not made", U::Settings, W::TakeLock, lock, denied, 0,
        settings + "The lock " + lock + " could not be created: Permission denied");
    // A percent sign in a path is no place for the process number.
    const QString oddLock = QStringLiteral("/home/50%2off/.config/taviq/taviqgame.ini.lock");
    row("lock held", U::Scores, W::LockHeld, oddLock, {}, 4242,
        scores + "Another program (process 4242) is saving the settings file (lock " + oddLock + ").");
    row("lock held, holder unknown", U::Settings, W::LockHeld, lock, {}, 0,
        settings + "Another program is saving the settings file (lock " + lock + ").");
    row("no copy aside", U::Settings, W::CopyAside, file + ".unreadable", QStringLiteral("No space left on device"), 0,
        settings + "The unreadable content could not be copied to " + file + ".unreadable: No space left on device");
    row("not written", U::BestTime, W::WriteFile, file, QStringLiteral("Disk quota exceeded"), 0,
        best + "The settings file " + file + " could not be written: Disk quota exceeded");
    row("not replaced", U::Settings, W::ReplaceFile, file, QStringLiteral("Read-only file system"), 0,
        settings + "The settings file " + file + " could not be replaced: Read-only file system");
}

void TestSmallWindows::notSavedMessage()
{
    QFETCH(int, unsaved);
    QFETCH(int, step);
    QFETCH(QString, path);
    QFETCH(QString, detail);
    QFETCH(qint64, holder);
    QFETCH(QString, text);

    MainWindowFixture f;
    ModalCloser closer;
    f.window.dialogs().notSaved(Dialogs::Unsaved(unsaved), SaveFailure{SaveFailure::What(step), path, detail, holder});
    QCOMPARE(closer.titles(), QStringList{QStringLiteral("Not Saved")});
    QCOMPARE(closer.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(closer.shown[0].text, text);
}

// --- frmabout --------------------------------------------------------------------

void TestSmallWindows::aboutWindow()
{
    frmabout w;
    QCOMPARE(w.size(), QSize(306, 217));
    QCOMPARE(w.windowTitle(), QStringLiteral("About"));
    QCOMPARE(ctl<QLabel>(w, "Label1")->text(), QStringLiteral("Taviq"));
    // The large title stands off the window's left edge and ends inside its box.
    const QLabel *title = ctl<QLabel>(w, "Label1");
    QVERIFY(title->indent() > 0);
    QVERIFY(title->indent() + QFontMetrics(title->font()).horizontalAdvance(title->text()) <= title->width());
    QCOMPARE(ctl<QGroupBox>(w, "Frame1")->title(), QStringLiteral("Programmed by"));
    QCOMPARE(ctl<QLabel>(w, "Label4")->text(), QStringLiteral("E-mail"));
    QCOMPARE(ctl<QPushButton>(w, "Command1")->text(), QStringLiteral("Bye"));
    QVERIFY(!ctl<QLabel>(w, "Label2")->text().isEmpty());
    QVERIFY(!ctl<QLabel>(w, "Label3")->text().isEmpty());
    // A screen reader reads the window's one-word labels as one text.
    QCOMPARE(w.accessibleDescription(),
             QStringLiteral("Taviq. Programmed by %1. E-mail %2").arg(ctl<QLabel>(w, "Label3")->text(), ctl<QLabel>(w, "Label2")->text()));
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!w.parentWidget());

    QCOMPARE(focusable(&w), QList<QWidget *>{ctl<QPushButton>(w, "Command1")});
    QVERIFY(showActive(w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "Command1")));
    QTest::keyClick(ctl<QPushButton>(w, "Command1"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ctl<QPushButton>(w, "Command1")));

    // Bye closes it.
    QTest::mouseClick(ctl<QPushButton>(w, "Command1"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void TestSmallWindows::aboutTextsFitTheirBoxes()
{
    // The display faces are seldom installed; whatever face stands in, the
    // title and the credit fit the boxes made for them.
    frmabout w;
    for (QLabel *label : {ctl<QLabel>(w, "Label1"), ctl<QLabel>(w, "Label3")}) {
        const QSize text = QFontMetrics(label->font()).size(0, label->text());
        QVERIFY2(text.width() <= label->width() && text.height() <= label->height(),
                 qPrintable(label->objectName()));
    }
}

void TestSmallWindows::centredLeft_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<int>("left");

    QTest::newRow("1024 wide") << 1024 << 306 << 359;
    QTest::newRow("800 wide") << 800 << 320 << 240;
    QTest::newRow("as wide as the window") << 320 << 320 << 0;
    QTest::newRow("narrower than the window") << 200 << 306 << -53;
    QTest::newRow("much narrower") << 100 << 320 << -110;
}

void TestSmallWindows::centredLeft()
{
    QFETCH(int, screenWidth);
    QFETCH(int, windowWidth);
    QFETCH(int, left);
    QCOMPARE(::centredLeft(screenWidth, windowWidth), left);
}

void TestSmallWindows::keptInside_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("topLeft");

    const QRect screen(0, 0, 1024, 768);
    const QRect belowPanel(0, 24, 1024, 744);
    QTest::newRow("the layout's place fits") << QRect(306, 134, 217, 300) << screen << QPoint(306, 134);
    QTest::newRow("sticks out to the right") << QRect(900, 134, 217, 300) << screen << QPoint(807, 134);
    QTest::newRow("sticks out at the bottom") << QRect(306, 600, 217, 300) << screen << QPoint(306, 468);
    QTest::newRow("left edge off the screen") << QRect(-53, 189, 320, 240) << QRect(0, 0, 200, 300)
                                              << QPoint(0, 0);
    QTest::newRow("under a panel") << QRect(306, 10, 217, 300) << belowPanel << QPoint(306, 24);
    QTest::newRow("taller than the screen") << QRect(306, 134, 217, 300) << QRect(0, 0, 320, 200)
                                            << QPoint(0, 0);
    QTest::newRow("wider than a second screen") << QRect(1500, 50, 400, 100) << QRect(1024, 0, 320, 200)
                                                << QPoint(1024, 0);
    QTest::newRow("exactly the area") << QRect(0, 24, 1024, 744) << belowPanel << QPoint(0, 24);
}

void TestSmallWindows::keptInside()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, area);
    QFETCH(QPoint, topLeft);
    QCOMPARE(::keptInside(frame, area), topLeft);
}

void TestSmallWindows::aboutShownTwice()
{
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();

    frmabout first;
    QVERIFY(QTest::qWaitForWindowExposed((first.show(), &first)));
    const QRect shown = first.frameGeometry();
    QCOMPARE(shown.left(), ::centredLeft(screenWidth, shown.width()));
    // The top stays at the stored place.
    QCOMPARE(first.geometry().top(), 189);
    first.close();

    // Shown again, as the menu command does with a fresh window, and the
    // same window shown once more: the same place both times.
    frmabout second;
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCOMPARE(second.frameGeometry(), shown);
    second.close();

    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    QCOMPARE(first.frameGeometry(), shown);
}

QTEST_MAIN(TestSmallWindows)
#include "test_small_windows.moc"
