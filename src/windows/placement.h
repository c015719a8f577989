#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

// Where windows stand on the screen. The layouts give the place of a window's
// client area; Qt moves windows by their frame, which the window manager draws
// and tells only once a window is on the screen, so the frame of a window not
// yet shown is taken to be that of the program's main window. Every window is
// kept inside the available area of its screen.

// Whether the program may place its windows. A Wayland compositor places
// every window itself; there, placing and centring leave windows alone.
bool canPlaceWindows();

// Puts the top-left corner of the window's client area at `clientTopLeft`,
// or as near to it as keeps the window inside its screen.
void placeClientAt(QWidget *window, QPoint clientTopLeft);
// Moves a window that is shown, frame included, inside its screen.
void keepInsideScreen(QWidget *window);
// The top-left corner for a window whose frame is `frame`: where it is if the
// frame lies inside `area`, moved in as far as it sticks out, and the area's
// top-left corner for a window larger than the area. Windows are never
// resized.
QPoint keptInside(const QRect &frame, const QRect &area);
// Centres the window, frame included, across the screen (and down it too
// unless `horizontallyOnly`), keeping the top of its client area otherwise.
void centreOnScreen(QWidget *window, bool horizontallyOnly = false);

// The left edge that centres a window of `windowWidth` on a screen of
// `screenWidth`; negative when the screen is narrower than the window.
int centredLeft(int screenWidth, int windowWidth);

// A message as displayed: a carriage return, with or without a line feed
// after it, breaks the line.
QString withLineBreaks(QString text);
