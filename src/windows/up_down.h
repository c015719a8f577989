#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <optional>

class QToolButton;
class UpDown;

// The text box an up-down is bound to. It knows its up-down, so that a screen
// reader is shown the two as one spin button.
class UpDownBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    UpDown *upDown() const { return m_upDown; }

private:
    friend class UpDown;
    QPointer<UpDown> m_upDown;
};

// An up-down (spin) control bound to a text box: each press of an arrow takes
// the number shown in the box, steps it by one within the bounds and writes it
// back.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    void setBuddy(QLineEdit *buddy);
    QLineEdit *buddy() const { return m_buddy; }
    void setRange(int minimum, int maximum);
    void setValue(int value);
    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // The number the box shows, if it shows one.
    std::optional<int> shownValue() const;
    // Writes a value within the bounds into the box, as a step does.
    void setShownValue(int value);

    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

signals:
    // A step has written a new value into the text box.
    void stepped();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void step(int delta);
    // Keeps the box's text out from under the up-down.
    void keepBuddyTextClear();
    // Tells a screen reader the value the box shows now.
    void announceValue();

    QPointer<QLineEdit> m_buddy;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_minimum = 1;
    int m_maximum = 60;
    int m_value = 20;
};
