#pragma once

#include <QMessageBox>

// The game's message box: every line of its text stands on a line of its own,
// as wide as it is (QMessageBox wraps any text wider than half the screen),
// and the box is wide enough for the window manager to show its whole title.
// Only a text wider than the screen still wraps.
class MessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void keepLinesWhole();
};
