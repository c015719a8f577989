#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down (spin) control bound to a text box: each press of an arrow takes
// the number shown in the box, steps it by one within the bounds and writes it
// back.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    void setBuddy(QLineEdit *buddy) { m_buddy = buddy; }
    void setRange(int minimum, int maximum);
    void setValue(int value);
    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

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

    QLineEdit *m_buddy = nullptr;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_minimum = 1;
    int m_maximum = 60;
    int m_value = 20;
};
