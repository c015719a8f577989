#include "message_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

namespace {

// The width a window needs for the window manager to draw its whole title: a
// bold face of the title bar's size beside the window's icon and buttons.
int titleWidth(const QWidget &window)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    // The icon, minimise, maximise and close, and the frame's edges.
    const int bar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + 5 * bar;
}

} // namespace

void MessageBox::showEvent(QShowEvent *event)
{
    // QMessageBox sizes itself here, wrapping the text where it is wide, and
    // the first showing centres the box on its parent.
    QMessageBox::showEvent(event);
    keepLinesWhole();
    if (!event->spontaneous())
        adjustPosition(parentWidget());
}

bool MessageBox::event(QEvent *event)
{
    // QMessageBox sizes itself again on a layout request, which a change of
    // the label's wrapping posts.
    const bool result = QMessageBox::event(event);
    if (event->type() == QEvent::LayoutRequest && isVisible())
        keepLinesWhole();
    return result;
}

void MessageBox::changeEvent(QEvent *event)
{
    // QMessageBox sizes itself again when the face or the style changes.
    QMessageBox::changeEvent(event);
    if (isVisible())
        keepLinesWhole();
}

void MessageBox::keepLinesWhole()
{
    auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QLayout *grid = layout();
    if (!label || !grid)
        return;
    const int screenWidth = screen() ? screen()->availableGeometry().width() : 0;
    label->setWordWrap(false);
    grid->invalidate();
    int width = std::max(grid->totalMinimumSize().width(), titleWidth(*this));
    if (screenWidth > 0 && width > screenWidth) {
        // Wider than the screen: the text wraps, in a box that leaves a
        // little of the screen around it.
        label->setWordWrap(true);
        grid->invalidate();
        width = screenWidth * 9 / 10;
    }
    grid->activate();
    const int height = grid->hasHeightForWidth() ? grid->totalHeightForWidth(width) : grid->totalMinimumSize().height();
    setFixedSize(width, height);
    // The layout is settled: a request the changes above posted would only
    // size the box QMessageBox's way again.
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
}
