#pragma once

#include <QDialog>

class GameState;
class QGroupBox;
class QLabel;
class QPushButton;

// The About window: the title, the credit and a "Bye" button.
class frmabout : public QDialog
{
    Q_OBJECT
public:
    explicit frmabout(QWidget *parent = nullptr);

    QPushButton *Command1;
    QGroupBox *Frame1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;

protected:
    void showEvent(QShowEvent *event) override;
};

// Help > About: the clock and the auto-play stepper wait while it is open.
void mnuabout_Click(GameState &game);
