#pragma once

#include <QPoint>
#include <QString>

class QWidget;

// Where windows stand on the screen. Classic layouts give the place of a
// window's client area; Qt moves windows by their frame, which the window
// manager draws and tells only once a window is on the screen, so the frame of
// a window not yet shown is taken to be that of the program's main window.

// Whether the program may place its windows. A Wayland compositor places
// every window itself; there, placing and centring leave windows alone.
bool canPlaceWindows();

// Puts the top-left corner of the window's client area at `clientTopLeft`.
void placeClientAt(QWidget *window, QPoint clientTopLeft);
// Centres the window, frame included, across the screen (and down it too
// unless `horizontallyOnly`), keeping the top of its client area otherwise.
void centreOnScreen(QWidget *window, bool horizontallyOnly = false);

// The left edge that centres a window of `windowWidth` on a screen of
// `screenWidth`; negative when the screen is narrower than the window.
int centredLeft(int screenWidth, int windowWidth);

// A message as displayed: a carriage return, with or without a line feed
// after it, breaks the line.
QString withLineBreaks(QString text);
