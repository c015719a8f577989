#pragma once

#include <QDialog>

// The About window: the title, the credit and a "Bye" button.
class frmabout : public QDialog
{
    Q_OBJECT
public:
    explicit frmabout(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};
