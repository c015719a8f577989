#pragma once

#include <QWidget>

// Tells a screen reader a short text at once, as a notification that
// appears: for what a control's new name cannot tell (the bridge to the
// desktop's screen readers passes on a name change without the name). It
// draws nothing and takes no room.
class Announcer : public QWidget
{
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent);

    void say(const QString &text);
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// Teaches the desktop's accessibility interface how to present the game's own
// controls: each cell of the board with its number (or "blank") and its row
// and column, and the time-limit box with its up-down as one spin button.
// Installed once, before the first window is shown.
void installAccessibleInterfaces();
