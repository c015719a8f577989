// Game: the four-by-four sliding-number puzzle.
#include "lifecycle.h"
#include "termination_signals.h"
#include "translations.h"

#include "game/game_state.h"
#include "game/random_source.h"
#include "store/score_variables.h"
#include "store/settings_store.h"
#include "windows/fonts.h"
#include "windows/frmmain.h"
#include "windows/game_style.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // Messages (a settings file that could not be saved) go to standard
    // error, also where the system journal would otherwise take them.
    if (!qEnvironmentVariableIsSet("QT_FORCE_STDERR_LOGGING"))
        qputenv("QT_FORCE_STDERR_LOGGING", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Game"));
    QApplication::setApplicationVersion(QStringLiteral(GAME_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Taviq"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.TaviqGame"));
    QApplication::setStyle(new GameStyle);
    installTranslations(app);
    installFontSubstitutes();

    SettingsStore store(SettingsStore::defaultFolder());
    ScoreVariables scores;
    ClockSeededRandom random;
    GameState game(store, scores, random);

    frmMain window(game);
    Form_Load(game);
    window.render();
    QObject::connect(&window, &frmMain::activated, &window, [&game] { Form_Activate(game); });
    // Saved while the window closes and before it goes, so that a message that
    // the save failed shows over it; the game ends once that is answered.
    QObject::connect(&window, &frmMain::closing, &window, [&game] { Form_Unload(game); });
    // A logout, `kill` or Ctrl+C closes the game as its close box does.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &window, &frmMain::closeOnRequest);
    window.show();
    // The first activation deals the first game. A window manager that opens
    // windows without activating them would leave the board undealt, so the
    // first game is also dealt once the window is on the screen.
    QTimer::singleShot(0, &window, [&game, &window] {
        Form_Activate(game);
        window.render();
        window.onScreen();
    });
    return app.exec();
}
