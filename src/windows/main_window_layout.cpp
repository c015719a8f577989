#include "main_window_layout.h"

#include <QCoreApplication>

#include <vector>

namespace {

using Kind = ControlRow::Kind;

std::vector<ControlRow> layout()
{
    std::vector<ControlRow> controls;
    // Back to front: the outline behind the board, the board, the row below it
    // with the status bar, and the options panel over the board.
    controls.push_back({QStringLiteral("Shape1"), Kind::Frame, nullptr, nullptr, 120, 0, 3015, 2535, {}});
    for (int i = 0; i < 16; ++i) {
        controls.push_back({QStringLiteral("cmdcheck(%1)").arg(i), Kind::Tile, "1", nullptr,
                            240 + 720 * (i % 4), 120 + 600 * (i / 4), 615, 495, {}});
    }
    const std::vector<ControlRow> rest{
        {QStringLiteral("Cmdreset"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Reset"),
         QT_TRANSLATE_NOOP("Game", "Reset Game"), 120, 2760, 975, 435, {}},
        {QStringLiteral("stbtimer"), Kind::StatusBar, nullptr, nullptr, 0, 3345, 3225, 255, {}},
        {QStringLiteral("stbtimerPanel1"), Kind::StatusPanel, nullptr, nullptr, 0, 0, 2100, 255,
         QStringLiteral("stbtimer")},
        {QStringLiteral("stbtimerPanel2"), Kind::StatusPanel, nullptr, nullptr, 2130, 0, 1095, 255,
         QStringLiteral("stbtimer")},
        {QStringLiteral("cmdpause"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Pause"),
         QT_TRANSLATE_NOOP("Game", "Pause Game"), 2160, 2760, 975, 435, {}},
        {QStringLiteral("pgblength"), Kind::ProgressBar, nullptr, nullptr, 0, 3360, 3255, 255, {}, true},
        {QStringLiteral("famOptions"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "Options"), nullptr,
         120, 0, 3015, 2535, {}, true},
        {QStringLiteral("frdifficulty"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "Difficulty"), nullptr,
         240, 240, 1815, 1695, QStringLiteral("famOptions")},
        {QStringLiteral("OptEasy"), Kind::OptionButton, QT_TRANSLATE_NOOP("Game", "Easy"), nullptr,
         360, 360, 855, 375, QStringLiteral("frdifficulty")},
        {QStringLiteral("Optmedium"), Kind::OptionButton, QT_TRANSLATE_NOOP("Game", "Medium"), nullptr,
         360, 840, 1095, 255, QStringLiteral("frdifficulty")},
        {QStringLiteral("Optihard"), Kind::OptionButton, QT_TRANSLATE_NOOP("Game", "Hard"), nullptr,
         360, 1320, 735, 195, QStringLiteral("frdifficulty")},
        {QStringLiteral("CmdOK"), Kind::Button, QT_TRANSLATE_NOOP("Game", "OK"),
         QT_TRANSLATE_NOOP("Game", "Apply Difficulty Level"), 2160, 360, 735, 735, QStringLiteral("famOptions")},
        {QStringLiteral("cmdCancel"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Cancel"), nullptr,
         2160, 1200, 735, 735, QStringLiteral("famOptions")},
        {QStringLiteral("Label1"), Kind::Label, QT_TRANSLATE_NOOP("Game", "Time limit in minutes"), nullptr,
         120, 2160, 1815, 255, QStringLiteral("famOptions")},
        {QStringLiteral("txtlimit"), Kind::LimitBox, "20", nullptr, 1680, 2160, 345, 285,
         QStringLiteral("famOptions")},
        {QStringLiteral("udlimit"), Kind::UpDown, nullptr, nullptr, 1920, 2160, 195, 285,
         QStringLiteral("famOptions")},
    };
    controls.insert(controls.end(), rest.begin(), rest.end());
    return controls;
}

} // namespace

std::span<const ControlRow> mainWindowControls()
{
    static const std::vector<ControlRow> controls = layout();
    return controls;
}

std::span<const MenuRow> mainWindowMenus()
{
    static const std::vector<MenuRow> menus{
        {QStringLiteral("mnutools"), QT_TRANSLATE_NOOP("Game", "Tools"), QStringLiteral("Mnuauto"),
         QT_TRANSLATE_NOOP("Game", "Auto Play"), Qt::Key_F2},
        {QStringLiteral("mnutools"), QT_TRANSLATE_NOOP("Game", "Tools"), QStringLiteral("mnuoptions"),
         QT_TRANSLATE_NOOP("Game", "Options"), Qt::Key_F3},
        {QStringLiteral("mnutools"), QT_TRANSLATE_NOOP("Game", "Tools"), QStringLiteral("mnuhighscore"),
         QT_TRANSLATE_NOOP("Game", "High Scores"), Qt::Key_F4},
        {QStringLiteral("mnuhlp"), QT_TRANSLATE_NOOP("Game", "Help"), QStringLiteral("mnuhtp"),
         QT_TRANSLATE_NOOP("Game", "How to Play"), Qt::Key_F1},
        {QStringLiteral("mnuhlp"), QT_TRANSLATE_NOOP("Game", "Help"), QStringLiteral("mnuabout"),
         QT_TRANSLATE_NOOP("Game", "About"), (Qt::CTRL | Qt::Key_A).toCombined()},
    };
    return menus;
}
