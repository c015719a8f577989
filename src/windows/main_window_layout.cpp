#include "main_window_layout.h"

#include "difficulty_looks.h"
#include "game/difficulty.h"
#include "tile_button.h"
#include "up_down.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace {

using Kind = ControlRow::Kind;
using Ui = MainWindowControls;

// The client area, below the menu bar, 306 px from the left and 134 px from
// the top of the screen.
WindowLayout layout()
{
    WindowLayout window{QT_TRANSLATE_NOOP("frmMain", "Game"), 3225, kClosedHeightTwips - kMainFrameTwips,
                        {Placement::Rule::ClientAt, {4590, 2010}}, {}, {}};
    auto &controls = window.controls;
    // Back to front: the outline behind the board, the board, the row below it
    // with the status bar, and the options panel over the board.
    controls.push_back({QStringLiteral("Shape1"), Kind::Frame, nullptr, nullptr, 120, 0, 3015, 2535, {}});
    for (int i = 0; i < 16; ++i) {
        controls.push_back({QStringLiteral("cmdcheck(%1)").arg(i), Kind::Tile, "1", nullptr,
                            240 + 720 * (i % 4), 120 + 600 * (i / 4), 615, 495, {}, keptIn<&Ui::cmdcheck>(i)});
    }
    controls.insert(controls.end(), {
        {QStringLiteral("Cmdreset"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Reset"),
         QT_TRANSLATE_NOOP("Game", "Reset Game"), 120, 2760, 975, 435, {}, keptIn<&Ui::Cmdreset>()},
        {QStringLiteral("stbtimer"), Kind::StatusBar, nullptr, nullptr, 0, 3345, 3225, 255, {},
         keptIn<&Ui::stbtimer>()},
        {QStringLiteral("stbtimerPanel1"), Kind::StatusPanel, nullptr, nullptr, 0, 0, 2100, 255,
         QStringLiteral("stbtimer"), keptIn<&Ui::stbtimerPanel>(0)},
        {QStringLiteral("stbtimerPanel2"), Kind::StatusPanel, nullptr, nullptr, 2130, 0, 1095, 255,
         QStringLiteral("stbtimer"), keptIn<&Ui::stbtimerPanel>(1)},
        {QStringLiteral("cmdpause"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Pause"),
         QT_TRANSLATE_NOOP("Game", "Pause Game"), 2160, 2760, 975, 435, {}, keptIn<&Ui::cmdpause>()},
        {QStringLiteral("pgblength"), Kind::ProgressBar, nullptr, nullptr, 0, 3360, 3255, 255, {},
         keptIn<&Ui::pgblength>(), true},
        {QStringLiteral("famOptions"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "Options"), nullptr,
         120, 0, 3015, 2535, {}, keptIn<&Ui::famOptions>(), true},
        {QStringLiteral("frdifficulty"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "Difficulty"), nullptr,
         240, 240, 1815, 1695, QStringLiteral("famOptions")},
    });
    window.tabOrder = {QStringLiteral("Cmdreset"), QStringLiteral("cmdpause"), QStringLiteral("CmdOK"),
                       QStringLiteral("cmdCancel")};
    // An option button for each difficulty, one below the other.
    const auto levels = difficultyLevels();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const DifficultyLook &look = lookOf(levels[i]);
        controls.push_back({look.optionButton, Kind::OptionButton, look.caption, nullptr, 360, 360 + 480 * int(i),
                            look.optionWidth, look.optionHeight, QStringLiteral("frdifficulty"),
                            keptIn<&Ui::Opt>(int(i))});
        window.tabOrder << look.optionButton;
    }
    controls.insert(controls.end(), {
        {QStringLiteral("CmdOK"), Kind::Button, QT_TRANSLATE_NOOP("Game", "OK"),
         QT_TRANSLATE_NOOP("Game", "Apply Difficulty Level"), 2160, 360, 735, 735, QStringLiteral("famOptions"),
         keptIn<&Ui::CmdOK>()},
        {QStringLiteral("cmdCancel"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Cancel"), nullptr,
         2160, 1200, 735, 735, QStringLiteral("famOptions"), keptIn<&Ui::cmdCancel>()},
        {QStringLiteral("Label1"), Kind::Label, QT_TRANSLATE_NOOP("Game", "Time limit in minutes"), nullptr,
         120, 2160, 1815, 255, QStringLiteral("famOptions"), keptIn<&Ui::Label1>()},
        {QStringLiteral("txtlimit"), Kind::LimitBox, "20", nullptr, 1680, 2160, 345, 285,
         QStringLiteral("famOptions"), keptIn<&Ui::txtlimit>()},
        {QStringLiteral("udlimit"), Kind::UpDown, nullptr, nullptr, 1920, 2160, 195, 285,
         QStringLiteral("famOptions"), keptIn<&Ui::udlimit>()},
    });
    window.tabOrder << QStringLiteral("txtlimit");
    for (int i = 0; i < 16; ++i)
        window.tabOrder << QStringLiteral("cmdcheck(%1)").arg(i);
    window.tabOrder << QStringLiteral("udlimit");
    const auto command = [](const char *menu, const char *menuCaption, const char *name, const char *caption,
                            int shortcut, ControlSlot slot) {
        return MenuRow{QString::fromLatin1(menu), menuCaption, QString::fromLatin1(name), caption, shortcut, slot};
    };
    const char *tools = QT_TRANSLATE_NOOP("Game", "Tools");
    const char *help = QT_TRANSLATE_NOOP("Game", "Help");
    window.menus = {
        command("mnutools", tools, "", nullptr, 0, keptIn<&Ui::mnutools>()),
        command("mnutools", tools, "Mnuauto", QT_TRANSLATE_NOOP("Game", "Auto Play"), Qt::Key_F2,
                keptIn<&Ui::Mnuauto>()),
        command("mnutools", tools, "mnuoptions", QT_TRANSLATE_NOOP("Game", "Options"), Qt::Key_F3,
                keptIn<&Ui::mnuoptions>()),
        command("mnutools", tools, "mnuhighscore", QT_TRANSLATE_NOOP("Game", "High Scores"), Qt::Key_F4,
                keptIn<&Ui::mnuhighscore>()),
        command("mnuhlp", help, "mnuhtp", QT_TRANSLATE_NOOP("Game", "How to Play"), Qt::Key_F1,
                keptIn<&Ui::mnuhtp>()),
        command("mnuhlp", help, "mnuabout", QT_TRANSLATE_NOOP("Game", "About"),
                (Qt::CTRL | Qt::Key_A).toCombined(), keptIn<&Ui::mnuabout>()),
    };
    return window;
}

} // namespace

const WindowLayout &mainWindowLayout()
{
    static const WindowLayout window = layout();
    return window;
}
