#include "up_down.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

UpDown::UpDown(QWidget *parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setAccessibleName(tr("Up"));
    m_down->setAccessibleName(tr("Down"));
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    setFocusPolicy(Qt::TabFocus);
}

void UpDown::setBuddy(QLineEdit *buddy)
{
    if (m_buddy)
        disconnect(m_buddy, nullptr, this, nullptr);
    m_buddy = buddy;
    if (auto *box = qobject_cast<UpDownBox *>(buddy))
        box->m_upDown = this;
    // Whatever changes the box's number (a step, the program, a paste, the
    // Delete key) changes the spin button's value.
    if (m_buddy)
        connect(m_buddy, &QLineEdit::textChanged, this, &UpDown::announceValue);
    keepBuddyTextClear();
}

void UpDown::keepBuddyTextClear()
{
    if (!m_buddy || m_buddy->parentWidget() != parentWidget())
        return;
    // The up-down may lie over the right end of its box. The box's text then
    // ends before the up-down's edge, and to leave the digits room it starts
    // right inside the box's frame, without the 2 pixels QLineEdit keeps on
    // either side of its text.
    constexpr int kLineEditMargin = 2;
    const int covered = m_buddy->geometry().right() + 1 - x();
    if (covered <= 0 || x() <= m_buddy->x())
        return;
    const int frame = m_buddy->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_buddy);
    m_buddy->setTextMargins(-kLineEditMargin, 0, std::max(0, covered - frame - kLineEditMargin), 0);
}

void UpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value);
}

void UpDown::setValue(int value) { m_value = qBound(m_minimum, value, m_maximum); }

std::optional<int> UpDown::shownValue() const
{
    if (!m_buddy)
        return m_value;
    bool ok = false;
    const int shown = m_buddy->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(shown) : std::nullopt;
}

void UpDown::setShownValue(int value)
{
    setValue(value);
    const QString text = QString::number(m_value);
    // A step at a bound leaves the text as it is; it is still told.
    if (!m_buddy || m_buddy->text() == text)
        announceValue();
    else
        m_buddy->setText(text);
    emit stepped();
}

void UpDown::step(int delta)
{
    // The box's number first, so that a step goes on from what the box shows.
    if (const std::optional<int> shown = shownValue())
        m_value = qBound(m_minimum, *shown, m_maximum);
    setShownValue(m_value + delta);
}

void UpDown::announceValue()
{
    const std::optional<int> shown = shownValue();
    const QVariant value = shown ? QVariant(*shown) : QVariant();
    if (m_buddy) {
        QAccessibleValueChangeEvent box(m_buddy, value);
        QAccessible::updateAccessibility(&box);
    }
    QAccessibleValueChangeEvent arrows(this, value);
    QAccessible::updateAccessibility(&arrows);
}

void UpDown::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();
    else
        QWidget::keyPressEvent(event);
}

void UpDown::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
    keepBuddyTextClear();
}
