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

void placeClientAt(QWidget *window, QPoint clientTopLeft)
{
    if (!canPlaceWindows())
        return;
    if (window->frameGeometry() != window->geometry()) {
        // On the screen with its frame: Qt moves the frame.
        const QMargins margins = frameMargins(window);
        window->move(clientTopLeft - QPoint(margins.left(), margins.top()));
    } else {
        // Not framed yet: the window manager puts the frame around the place given.
        window->setGeometry(QRect(clientTopLeft, window->size()));
    }
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
