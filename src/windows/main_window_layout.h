#pragma once

#include "layout_builder.h"

#include <array>
#include <span>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class TileButton;
class UpDown;

// The main window's controls the game draws into, by their layout names.
struct MainWindowControls
{
    std::array<TileButton *, 16> cmdcheck{};
    QPushButton *Cmdreset = nullptr;
    QPushButton *cmdpause = nullptr;
    QStatusBar *stbtimer = nullptr;
    std::array<QLabel *, 2> stbtimerPanel{};
    QProgressBar *pgblength = nullptr;
    QGroupBox *famOptions = nullptr;
    // The option buttons, one for each difficulty in the game's order.
    std::vector<QRadioButton *> Opt;
    QPushButton *CmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtlimit = nullptr;
    UpDown *udlimit = nullptr;
};

// The main window: its client area with the options panel closed, its place,
// its controls back to front and its tab order; and its menus.
const WindowLayout &mainWindowLayout();
std::span<const MenuRow> mainWindowMenus();

// The outer height of the window adds the title bar, the menu bar and the
// borders to its client area.
constexpr int kMainFrameTwips = 675;
// The outer heights of the main window, with the options panel closed and open.
constexpr int kClosedHeightTwips = 4275;
constexpr int kOpenHeightTwips = 3285;
