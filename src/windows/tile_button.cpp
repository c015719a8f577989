#include "tile_button.h"

#include <QAccessible>

TileButton::TileButton(int index, QWidget *parent)
    : QPushButton(parent)
    , m_index(index)
{
    setAutoDefault(false);
}

QString TileButton::placeText() const
{
    return tr("row %1, column %2").arg(row()).arg(column());
}

void TileButton::setBlank(bool blank)
{
    if (blank == m_blank)
        return;
    m_blank = blank;
    // A click on the blank's place reaches the board behind it, as if
    // nothing were there.
    setAttribute(Qt::WA_TransparentForMouseEvents, blank);
    // A cell that becomes the blank while it has the focus passes the focus
    // on, as a control that is hidden does.
    if (blank && hasFocus())
        focusNextPrevChild(true);
    updateFocusPolicy();
    update();

    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessible::State changed;
    changed.focusable = true;
    QAccessibleStateChangeEvent focusable(this, changed);
    QAccessible::updateAccessibility(&focusable);
}

void TileButton::setReachable(bool reachable)
{
    m_reachable = reachable;
    updateFocusPolicy();
}

void TileButton::updateFocusPolicy()
{
    setFocusPolicy(m_reachable && !m_blank ? Qt::StrongFocus : Qt::NoFocus);
}

void TileButton::paintEvent(QPaintEvent *event)
{
    if (!m_blank)
        QPushButton::paintEvent(event);
}

void TileButton::mouseReleaseEvent(QMouseEvent *event)
{
    m_clickedByMouse = true;
    QPushButton::mouseReleaseEvent(event);
    m_clickedByMouse = false;
}
