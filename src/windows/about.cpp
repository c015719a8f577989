#include "about.h"

#include "fonts.h"
#include "game/dialogs.h"
#include "game/game_state.h"
#include "placement.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

frmabout::frmabout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmabout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));
    setFixedSize(px(4590), px(3255));

    // Back to front.
    Label1 = new QLabel(QStringLiteral("Taviq"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title(QStringLiteral("Myriad Condensed"));
    title.setPointSizeF(48);
    Label1->setFont(title);
    Label1->setGeometry(twipsRect(0, 0, 1575, 855));

    Frame1 = new QGroupBox(QStringLiteral("Programmed by"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(0, 960, 4575, 1575));
    Frame1->setAccessibleName(Frame1->title());

    Label3 = new QLabel(QStringLiteral("Taviq Game"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont credit(QStringLiteral("Newtron ICG Alt"));
    credit.setPointSizeF(24);
    Label3->setFont(credit);
    Label3->setGeometry(twipsRect(600, 360, 3495, 615));

    Label4 = new QLabel(QStringLiteral("E-mail"), Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(twipsRect(840, 1080, 735, 255));

    Label2 = new QLabel(QStringLiteral("game@example.org"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twipsRect(1440, 1080, 1695, 255));

    Command1 = new QPushButton(QStringLiteral("Bye"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(120, 2760, 4335, 375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    for (QLabel *label : {Label1, Label2, Label3, Label4})
        label->setTextFormat(Qt::PlainText);
    // Its labels are single words, which a screen reader passes over when the
    // window opens; the window's description reads them as one text.
    setAccessibleDescription(tr("%1. %2 %3. %4 %5")
                                 .arg(Label1->text(), Frame1->title(), Label3->text(), Label4->text(), Label2->text()));
    Command1->setFocus();
    // The display faces are rarely installed; their substitutes must still
    // fit the boxes made for them.
    fitFontToBox(Label1);
    fitFontToBox(Label3);
}

void frmabout::showEvent(QShowEvent *event)
{
    // At its stored place (client area 233 px from the left and 189 px from
    // the top of the screen), then centred across the screen every time it is
    // shown; the top stays where the stored place puts it.
    placeClientAt(this, QPoint(px(3495), px(2835)));
    centreOnScreen(this, true);
    QDialog::showEvent(event);
}

void mnuabout_Click(GameState &game)
{
    game.holdTimers();
    game.dialogs().showAbout();
    game.releaseTimers();
}
