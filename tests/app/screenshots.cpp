// Saves a picture of the main window and of every small window, each in a
// fixed state over a seeded random source, on the offscreen platform:
//   screenshots OUTPUT_FOLDER
// Two builds of the program draw the same pictures, pixel for pixel, when
// nothing visible has changed between them (compare with `compare -metric AE`).
#include "game_fixture.h"
#include "windows_fixture.h"

#include "app/lifecycle.h"
#include "windows/about.h"
#include "windows/fonts.h"
#include "windows/frmentername.h"
#include "windows/frmhighscores.h"
#include "game/difficulty.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace {

QString g_folder;
int g_failures = 0;

void save(QWidget &widget, const QString &name)
{
    widget.show();
    QApplication::processEvents();
    const QString path = g_folder + u'/' + name + QStringLiteral(".png");
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
        ++g_failures;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutes();
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(g_folder);

    MainWindowFixture main;
    GameState &game = main.fx.game;
    Form_Load(game);
    Form_Activate(game);
    main.window.render();
    save(main.window, QStringLiteral("main-dealt"));

    // A few moves into the game, the clock running, then paused.
    for (int key : {104, 98, 100, 102, 104})
        game.Form_KeyDown(key);
    game.tmrtime_Timer();
    main.window.render();
    save(main.window, QStringLiteral("main-playing"));
    game.cmdpause_Click();
    main.window.render();
    save(main.window, QStringLiteral("main-paused"));
    game.cmdpause_Click();

    game.Mnuauto_Click();
    main.window.render();
    save(main.window, QStringLiteral("main-auto-play"));
    game.cmdpause_Click();

    game.mnuoptions_Click();
    game.optionClicked(*levelNamed(QStringLiteral("Hard")));
    main.window.render();
    save(main.window, QStringLiteral("main-options"));
    game.cmdCancel_Click();
    main.window.render();

    frmabout about;
    save(about, QStringLiteral("about"));

    SettingsStore &store = main.fx.store;
    store.write(kApplication, {{QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Ada Lovelace")},
                               {QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" 75")},
                               {QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Linus")},
                               {QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral(" 605")}});
    frmhighscores scores(store, main.fx.scores, main.window.dialogs());
    save(scores, QStringLiteral("high-scores"));

    main.fx.scores.GotTopTime = true;
    frmentername top(main.fx.scores);
    save(top, QStringLiteral("winner-top-time"));
    main.fx.scores.GotTopTime = false;
    frmentername plain(main.fx.scores);
    save(plain, QStringLiteral("winner-plain"));

    // The message boxes, as the main window shows them.
    ModalCloser closer;
    int boxes = 0;
    closer.whileOpen = [&](QWidget *box) { save(*box, QStringLiteral("message-%1").arg(++boxes)); };
    game.ShowHowToPlay();
    main.window.dialogs().confirm(QStringLiteral("This will reset current game"), QStringLiteral("Reset"));
    main.window.dialogs().message(QStringLiteral("Time up\rThis will reset your game"), QStringLiteral("Time Up"),
                                  Dialogs::Icon::None);
    const QString file = QStringLiteral("/home/ada/.config/taviq/taviqgame.ini");
    main.window.dialogs().notSaved(Dialogs::Unsaved::Settings, {SaveFailure::What::WriteFile, file,
                                                                QStringLiteral("No space left on device"), 0});
    return g_failures == 0 && boxes == 4 ? 0 : 1;
}
