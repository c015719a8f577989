#pragma once

#include "layout_builder.h"

#include <span>

// The main window's controls, back to front, and its menus.
std::span<const ControlRow> mainWindowControls();
std::span<const MenuRow> mainWindowMenus();

// The client area as created, in twips; the window's outer height adds the
// title bar, the menu bar and the borders to it.
constexpr int kMainClientWidthTwips = 3225;
constexpr int kMainFrameTwips = 675;
// The outer heights of the main window, with the options panel closed and open.
constexpr int kClosedHeightTwips = 4275;
constexpr int kOpenHeightTwips = 3285;
