#pragma once

#include "game/game_state.h"

#include <QObject>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;
class UpDown;

// What the game makes of a key press: the number pad's 8, 2, 4 and 6 (with
// the keypad modifier) move a tile, F1 asks for the help.
std::optional<KeyCommand> keyCommand(const QKeyEvent &event);

// The main window's key preview: sees every key before the control with the
// focus does. Keys the game has a code for go to its key handler; every key
// that types a character is discarded; the menu shortcuts win over the text
// box's own use of the same keys; the arrows in the time-limit box step the
// limit. The menu bar keeps its own keys, so that Escape leaves it.
class KeyFilter : public QObject
{
public:
    KeyFilter(QWidget *window, std::function<void(KeyCommand)> keyDown);
    ~KeyFilter() override;

    // The time-limit box and its up-down, once they exist.
    void setTimeLimit(QWidget *box, UpDown *upDown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QWidget *receiver, QKeyEvent *event);

    QWidget *m_window;
    std::function<void(KeyCommand)> m_keyDown;
    QWidget *m_limitBox = nullptr;
    UpDown *m_upDown = nullptr;
};
