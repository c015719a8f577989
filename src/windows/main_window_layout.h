#pragma once

#include "layout_builder.h"

#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class TileButton;
class UpDown;

// The main window's controls and menu commands, by their layout names.
struct MainWindowControls
{
    std::vector<TileButton *> cmdcheck;
    QPushButton *Cmdreset = nullptr;
    QPushButton *cmdpause = nullptr;
    QStatusBar *stbtimer = nullptr;
    std::vector<QLabel *> stbtimerPanel;
    QProgressBar *pgblength = nullptr;
    QGroupBox *famOptions = nullptr;
    // The option buttons, one for each difficulty in the game's order.
    std::vector<QRadioButton *> Opt;
    QPushButton *CmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtlimit = nullptr;
    UpDown *udlimit = nullptr;
    QMenu *mnutools = nullptr;
    QAction *Mnuauto = nullptr;
    QAction *mnuoptions = nullptr;
    QAction *mnuhighscore = nullptr;
    QAction *mnuhtp = nullptr;
    QAction *mnuabout = nullptr;
};

// The main window: its client area with the options panel closed, its place,
// its controls back to front, its tab order and its menus.
const WindowLayout &mainWindowLayout();

// The outer height of the window adds the title bar, the menu bar and the
// borders to its client area.
constexpr int kMainFrameTwips = 675;
// The outer heights of the main window, with the options panel closed and open.
constexpr int kClosedHeightTwips = 4275;
constexpr int kOpenHeightTwips = 3285;
