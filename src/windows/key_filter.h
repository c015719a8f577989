#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;
class UpDown;

// The platform's virtual-key code of a key press (number-pad digits only with
// the keypad modifier), or -1 for keys the game has no code for.
int virtualKeyCode(const QKeyEvent &event);

// The main window's key preview: sees every key before the control with the
// focus does. Keys the game has a code for go to its key handler; every key
// that types a character is discarded; the menu shortcuts win over the text
// box's own use of the same keys; the arrows in the time-limit box step the
// limit. The menu bar keeps its own keys, so that Escape leaves it.
class KeyFilter : public QObject
{
public:
    KeyFilter(QWidget *window, std::function<void(int keyCode)> keyDown);
    ~KeyFilter() override;

    // The time-limit box and its up-down, once they exist.
    void setTimeLimit(QWidget *box, UpDown *upDown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QWidget *receiver, QKeyEvent *event);

    QWidget *m_window;
    std::function<void(int)> m_keyDown;
    QWidget *m_limitBox = nullptr;
    UpDown *m_upDown = nullptr;
};
