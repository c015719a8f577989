#include "placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (frame != inner)
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    // Not framed yet: borrow the frame of a window that is.
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && other->frameGeometry() != other->geometry())
            return frameMargins(other);
    }
    return {};
}

} // namespace

bool canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

namespace {

// The available area of the screen that holds `point` (or the window).
QRect availableArea(const QWidget *window, QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QPoint keptInside(const QRect &frame, const QRect &area)
{
    if (area.isEmpty())
        return frame.topLeft();
    if (frame.width() > area.width() || frame.height() > area.height())
        return area.topLeft();
    return QPoint(qBound(area.left(), frame.left(), area.right() + 1 - frame.width()),
                  qBound(area.top(), frame.top(), area.bottom() + 1 - frame.height()));
}

void placeClientAt(QWidget *window, QPoint clientTopLeft)
{
    if (!canPlaceWindows())
        return;
    // Where the frame would stand, kept inside the screen.
    const QMargins margins = frameMargins(window);
    const QPoint inset(margins.left(), margins.top());
    const QRect frame(clientTopLeft - inset, window->size().grownBy(margins));
    clientTopLeft = keptInside(frame, availableArea(window, clientTopLeft)) + inset;
    if (window->frameGeometry() != window->geometry()) {
        // On the screen with its frame: Qt moves the frame.
        window->move(clientTopLeft - inset);
    } else {
        // Not framed yet: the window manager puts the frame around the place given.
        window->setGeometry(QRect(clientTopLeft, window->size()));
    }
}

void keepInsideScreen(QWidget *window)
{
    if (!canPlaceWindows() || !window->isVisible())
        return;
    const QRect frame = window->frameGeometry();
    const QPoint inside = keptInside(frame, availableArea(window, frame.center()));
    if (inside != frame.topLeft())
        window->move(inside);
}

void centreOnScreen(QWidget *window, bool horizontallyOnly)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QMargins margins = frameMargins(window);
    const QSize outer = window->size().grownBy(margins);
    const int left = area.x() + centredLeft(area.width(), outer.width()) + margins.left();
    const int top = horizontallyOnly
                        ? window->geometry().y()
                        : area.y() + static_cast<int>(std::floor((area.height() - outer.height()) / 2.0)) + margins.top();
    placeClientAt(window, QPoint(left, top));
}

int centredLeft(int screenWidth, int windowWidth)
{
    return static_cast<int>(std::floor((screenWidth - windowWidth) / 2.0));
}

QString withLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
