// Saves a picture of the main window in each of its significant states, of
// every small window and of every message box the game shows, in English,
// French and German, over a seeded random source on the offscreen platform:
//   screenshots OUTPUT_FOLDER
// The pictures are named <language>-<what>.png ("fr-msg-time-up.png"). Two
// builds of the program draw the same pictures, pixel for pixel, when nothing
// visible has changed between them (compare with `compare -metric AE`).
//
// The game is played through its main window as a player plays it: keys,
// button clicks, menu commands and the window's own timers, ticked here by
// hand so that no clock decides what is drawn. Every window the game opens
// with exec() is drawn while it is open and then answered through its buttons.
#include "core_helpers.h"
#include "windows_fixture.h"

#include "app/lifecycle.h"
#include "game/game_state.h"
#include "windows/fonts.h"
#include "windows/frmmain.h"
#include "windows/game_style.h"
#include "windows/tile_button.h"
#include "windows/window_dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>

namespace {

// --- The game itself ----------------------------------------------------------
// Every call into the game (not its windows) stands in this section.

// One start of the program on a settings folder over a seeded random
// source, with its main window, whose own dialogs the game then uses.
struct Session : ProgramRun
{
    explicit Session(const QString &folder) : ProgramRun(folder, 20240611), window(game) {}

    frmMain window;
};

// Loads the game and shows its window as the program does: the first
// activation deals the first game, and the settings are saved while the
// window closes.
void startGame(Session &s)
{
    Form_Load(s.game);
    s.window.render();
    QObject::connect(&s.window, &frmMain::activated, &s.window, [&s] { Form_Activate(s.game); });
    QObject::connect(&s.window, &frmMain::closing, &s.window, [&s] { Form_Unload(s.game); });
    s.window.show();
    Form_Activate(s.game);
    s.window.render();
    s.window.onScreen();
}

// The tile moves made since the deal, oldest first ("u", "d", "l" or "r").
QStringList movesSinceDeal(const Session &s) { return core::recordedMoves(historyText(s.game.board())); }

// --- Pictures -------------------------------------------------------------------

QString g_folder;
QString g_language;
int g_failures = 0;

void fail(const QString &what)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(g_language), qPrintable(what));
    ++g_failures;
}

// Saves the window as it is now drawn, laid out and painted, as
// "<language>-<name>.png", under a strip with its title: the offscreen
// platform draws no title bars.
void save(QWidget &window, const QString &name)
{
    QApplication::processEvents();
    const QPixmap client = window.grab();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const int strip = metrics.height() + 6;
    QPixmap picture(qMax(client.width(), metrics.horizontalAdvance(window.windowTitle()) + 12),
                    client.height() + strip);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(0, 0, picture.width(), strip, QColor(60, 60, 60));
    painter.setPen(Qt::white);
    painter.setFont(font);
    painter.drawText(QRect(6, 0, picture.width() - 6, strip), Qt::AlignLeft | Qt::AlignVCenter, window.windowTitle());
    painter.drawPixmap(0, strip, client);
    painter.end();
    const QString path = QStringLiteral("%1/%2-%3.png").arg(g_folder, g_language, name);
    if (!picture.save(path))
        fail(QStringLiteral("could not save ") + path);
}

// The windows the game opens with exec(), answered in the order they open:
// each one is drawn once it is painted, then answered. A window nobody waits
// for is finished as by its default button and counts as a failure.
class ModalWindows
{
public:
    using Answer = std::function<void(QWidget &)>;

    ModalWindows() { m_closer.whileOpen = [this](QWidget *open) { answer(*open); }; }

    // A window to open after those expected so far: saved as `picture`
    // (none: not saved), then answered. A window opened while another is
    // being answered comes next.
    void expect(const QString &picture, Answer answer) { m_steps.push_back({picture, std::move(answer)}); }
    bool waiting() const { return !m_steps.empty(); }
    // Every window expected so far has opened.
    void checkAllOpened()
    {
        for (const Step &step : m_steps)
            fail(QStringLiteral("did not open: ") + (step.picture.isEmpty() ? QStringLiteral("?") : step.picture));
        m_steps.clear();
    }

private:
    struct Step
    {
        QString picture;
        Answer answer;
    };

    void answer(QWidget &open)
    {
        if (m_steps.empty()) {
            fail(QStringLiteral("unexpected window \"%1\"").arg(open.windowTitle()));
            WindowDialogs::finishOpenDialogs();
            return;
        }
        const Step step = m_steps.front();
        m_steps.pop_front();
        if (!step.picture.isEmpty())
            save(open, step.picture);
        step.answer(open);
    }

    // Hands every modal window to answer() once it is shown.
    ModalCloser m_closer;
    std::deque<Step> m_steps;
};

// --- Playing through the windows ---------------------------------------------------

template <typename T> T *control(const QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        fail(QStringLiteral("no control %1 in %2").arg(name, window.objectName()));
    return found;
}

void click(const QWidget &window, const QString &name)
{
    if (auto *button = control<QAbstractButton>(window, name))
        button->click();
}

// A command of the main window's menus, as chosen from its menu or by its
// shortcut.
void menuCommand(Session &s, const QString &name)
{
    if (auto *action = control<QAction>(s.window, name))
        action->trigger();
}

// Keys of the number pad (Num Lock on), typed into the main window.
void padKeys(Session &s, std::initializer_list<Qt::Key> keys)
{
    s.window.activateWindow();
    QApplication::processEvents();
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != &s.window) {
        fail(QStringLiteral("the main window has no keyboard focus"));
        return;
    }
    for (Qt::Key key : keys)
        QTest::keyClick(focus, key, Qt::KeypadModifier);
}

// The main window's timers never fire by themselves: each tick is given by
// hand, so that the pictures do not depend on how fast they are drawn.
void stopTheClocks(Session &s)
{
    for (const char *name : {"tmrtime", "tmrauto"}) {
        if (auto *timer = control<QTimer>(s.window, QString::fromLatin1(name)))
            timer->setInterval(std::chrono::hours(24));
    }
}

// One tick of a timer of the main window: "tmrtime", the clock, a second;
// "tmrauto", a step of the auto play.
void tick(Session &s, const char *timer)
{
    if (auto *t = control<QTimer>(s.window, QString::fromLatin1(timer)))
        QMetaObject::invokeMethod(t, "timeout");
}

// Takes back every move since the deal by clicking the tiles, newest first;
// the clock runs `seconds` after the first click.
void solveByHand(Session &s, int seconds)
{
    int blank = -1;
    for (int i = 0; i < 16; ++i) {
        const auto *cell = control<TileButton>(s.window, QStringLiteral("cmdcheck(%1)").arg(i));
        if (cell && cell->isBlank())
            blank = i;
    }
    const QStringList moves = movesSinceDeal(s);
    for (qsizetype m = moves.size() - 1; m >= 0; --m) {
        // The tile to click stands where the move took the blank from.
        blank = core::cellThatUndoes(blank, moves.at(m));
        click(s.window, QStringLiteral("cmdcheck(%1)").arg(blank));
        if (m == moves.size() - 1) {
            for (int t = 0; t < seconds; ++t)
                tick(s, "tmrtime");
        }
    }
}

// Answers a message box with one of its buttons.
ModalWindows::Answer press(QMessageBox::StandardButton which)
{
    return [which](QWidget &window) {
        auto *box = qobject_cast<QMessageBox *>(&window);
        if (QAbstractButton *button = box ? box->button(which) : nullptr)
            button->click();
        else
            fail(QStringLiteral("\"%1\" is no message box with that button").arg(window.windowTitle()));
    };
}

// Answers a window with its button of that name.
ModalWindows::Answer pressButton(const QString &name)
{
    return [name](QWidget &window) { click(window, name); };
}

// Answers the winner window with a name.
ModalWindows::Answer enterName(const QString &name)
{
    return [name](QWidget &window) {
        if (auto *box = control<QLineEdit>(window, QStringLiteral("txtname")))
            QTest::keyClicks(box, name);
        click(window, QStringLiteral("cmdok"));
    };
}

// The settings file of a game with best times and names of its own, Easy
// won by `easyName` in `easyTime` seconds.
QByteArray scoresFile(const QByteArray &easyTime, const QByteArray &easyName)
{
    return "[Difficulty]\n"
           "diff=Easy\n"
           "[Times]\n"
           "Timelimit= 10\n"
           "Easy= " + easyTime + "\n"
           "Hard= 605\n"
           "[Names]\n"
           "Easy=" + easyName + "\n"
           "Hard=Linus\n";
}

// A game whose settings can be saved: every state of the main window, the
// small windows, and the messages of a game played to its end.
void playWithScores(ModalWindows &modals)
{
    QTemporaryDir folder(scratchTemplate());
    const QString file = folder.filePath(QStringLiteral("taviqgame.ini"));
    putFile(file, scoresFile("75", "Ada Lovelace"));
    Session s(folder.path());
    stopTheClocks(s);
    startGame(s);
    save(s.window, QStringLiteral("main-dealt"));

    padKeys(s, {Qt::Key_8, Qt::Key_2, Qt::Key_4, Qt::Key_6, Qt::Key_8});
    tick(s, "tmrtime");
    save(s.window, QStringLiteral("main-playing"));
    click(s.window, QStringLiteral("cmdpause"));
    save(s.window, QStringLiteral("main-paused"));
    click(s.window, QStringLiteral("cmdpause"));

    menuCommand(s, QStringLiteral("Mnuauto"));
    save(s.window, QStringLiteral("main-auto-play"));
    click(s.window, QStringLiteral("cmdpause"));

    menuCommand(s, QStringLiteral("mnuoptions"));
    click(s.window, QStringLiteral("Optihard"));
    save(s.window, QStringLiteral("main-options"));
    click(s.window, QStringLiteral("cmdCancel"));

    // The small windows and the question before a reset, each from its
    // command; the reset is cancelled.
    modals.expect(QStringLiteral("msg-help"), press(QMessageBox::Ok));
    menuCommand(s, QStringLiteral("mnuhtp"));
    modals.expect(QStringLiteral("msg-reset"), press(QMessageBox::Cancel));
    click(s.window, QStringLiteral("Cmdreset"));
    modals.expect(QStringLiteral("high-scores"), pressButton(QStringLiteral("cmdok")));
    menuCommand(s, QStringLiteral("mnuhighscore"));
    modals.expect(QStringLiteral("about"), pressButton(QStringLiteral("Command1")));
    menuCommand(s, QStringLiteral("mnuabout"));
    modals.checkAllOpened();

    // The auto play runs to the solved board: the main window as the game
    // ends under its message.
    modals.expect(QStringLiteral("msg-game-over"), [&s](QWidget &box) {
        save(s.window, QStringLiteral("main-game-over"));
        press(QMessageBox::Ok)(box);
    });
    menuCommand(s, QStringLiteral("Mnuauto"));
    for (int step = 0; step < 1000 && modals.waiting(); ++step)
        tick(s, "tmrauto");
    modals.checkAllOpened();

    // A game that runs out of time: ten minutes of the clock after the first
    // move.
    modals.expect(QStringLiteral("msg-time-up"), press(QMessageBox::Ok));
    padKeys(s, {Qt::Key_6});
    for (int second = 0; second < 1000 && modals.waiting(); ++second)
        tick(s, "tmrtime");
    modals.checkAllOpened();

    // Won in 80 seconds, slower than the best time of 75.
    modals.expect(QStringLiteral("winner-plain"), pressButton(QStringLiteral("cmdok")));
    solveByHand(s, 80);
    modals.checkAllOpened();

    // Won in 30 seconds, a new best time; while the winner types his name,
    // another copy of the game stores 20 seconds.
    modals.expect(QStringLiteral("winner-top-time"), [&file](QWidget &winner) {
        putFile(file, scoresFile("20", "Grace Hopper"));
        enterName(QStringLiteral("Ada"))(winner);
    });
    modals.expect(QStringLiteral("msg-not-saved-meanwhile"), press(QMessageBox::Ok));
    solveByHand(s, 30);
    modals.checkAllOpened();
}

// A game whose settings folder cannot be made (it would lie inside a device):
// every save fails, and the player is told.
void playWithoutSaving(ModalWindows &modals)
{
    Session s(QStringLiteral("/dev/null/taviq"));
    stopTheClocks(s);
    startGame(s);

    // A new best time: OK with the name box empty first.
    modals.expect({}, [](QWidget &winner) {
        click(winner, QStringLiteral("cmdok"));
        enterName(QStringLiteral("Ada"))(winner);
    });
    modals.expect(QStringLiteral("msg-enter-name"), press(QMessageBox::Ok));
    modals.expect(QStringLiteral("msg-not-saved-best-time"), press(QMessageBox::Ok));
    solveByHand(s, 0);
    modals.checkAllOpened();

    modals.expect({}, [](QWidget &scores) {
        click(scores, QStringLiteral("cmdresetscore"));
        click(scores, QStringLiteral("cmdok"));
    });
    modals.expect(QStringLiteral("msg-not-saved-scores"), press(QMessageBox::Ok));
    menuCommand(s, QStringLiteral("mnuhighscore"));
    modals.checkAllOpened();

    modals.expect(QStringLiteral("msg-not-saved-settings"), press(QMessageBox::Ok));
    s.window.close();
    modals.checkAllOpened();
}

// The translations a player of the language gets, loaded as the program loads
// them for the desktop's language: the game's own and Qt's for its buttons.
class Language
{
public:
    explicit Language(const QString &code)
    {
        const QLocale locale(code);
        QLocale::setDefault(locale);
        if (m_game.load(locale, QStringLiteral("taviq-game"), QStringLiteral("_"), QStringLiteral(":/i18n")))
            QCoreApplication::installTranslator(&m_game);
        else if (code != u"en")
            fail(QStringLiteral("no translation of the game"));
        if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
    }
    ~Language()
    {
        QCoreApplication::removeTranslator(&m_game);
        QCoreApplication::removeTranslator(&m_qt);
    }

private:
    QTranslator m_game;
    QTranslator m_qt;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char *drawing : {"QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"})
        qunsetenv(drawing);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Game"));
    QApplication::setOrganizationName(QStringLiteral("Taviq"));
    QApplication::setStyle(new GameStyle);
    installFontSubstitutes();
    // The text cursor stands still, so that it shows in every picture of a
    // text box with the focus.
    QApplication::setCursorFlashTime(0);
    // The saves that fail on purpose are told in their message boxes.
    QLoggingCategory::setFilterRules(QStringLiteral("game.store.warning=false"));

    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(g_folder);
    for (const QString &language : {QStringLiteral("en"), QStringLiteral("fr"), QStringLiteral("de")}) {
        g_language = language;
        Language shownIn(language);
        ModalWindows modals;
        playWithScores(modals);
        playWithoutSaving(modals);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return g_failures == 0 ? 0 : 1;
}
