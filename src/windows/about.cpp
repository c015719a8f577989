#include "about.h"

#include "fonts.h"
#include "layout_builder.h"
#include "twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

using Kind = ControlRow::Kind;

// The controls the window fills in, by their layout names.
struct AboutControls
{
    QLabel *Label1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command1 = nullptr;
};
using Ui = AboutControls;

// At its stored place (client area 233 px from the left and 189 px from the
// top of the screen), then centred across the screen every time it is shown;
// the top stays where the stored place puts it. Controls back to front.
const WindowLayout kLayout{
    QT_TRANSLATE_NOOP("frmabout", "About"), 4590, 3255, {Placement::Rule::ClientAtCentred, {3495, 2835}},
    {
        {QStringLiteral("Label1"), Kind::Label, "Taviq", nullptr, 0, 0, 1575, 855, {}, keptIn<&Ui::Label1>()},
        {QStringLiteral("Frame1"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "Programmed by"), nullptr,
         0, 960, 4575, 1575, {}, keptIn<&Ui::Frame1>()},
        {QStringLiteral("Label3"), Kind::Label, "Taviq Game", nullptr, 600, 360, 3495, 615, QStringLiteral("Frame1"),
         keptIn<&Ui::Label3>()},
        {QStringLiteral("Label4"), Kind::Label, QT_TRANSLATE_NOOP("Game", "E-mail"), nullptr, 840, 1080, 735, 255,
         QStringLiteral("Frame1"), keptIn<&Ui::Label4>()},
        {QStringLiteral("Label2"), Kind::Label, "game@example.org", nullptr, 1440, 1080, 1695, 255,
         QStringLiteral("Frame1"), keptIn<&Ui::Label2>()},
        {QStringLiteral("Command1"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Bye"), nullptr,
         120, 2760, 4335, 375, {}, keptIn<&Ui::Command1>()},
    },
    {QStringLiteral("Command1")},
};

QFont face(const char *family, double pointSize)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

frmabout::frmabout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmabout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));

    const AboutControls ui = buildWindow<AboutControls>(kLayout, this, this);
    ui.Label1->setFont(face("Myriad Condensed", 48));
    // Off the window's left edge, as the credit below it is off the frame's.
    ui.Label1->setIndent(px(120));
    ui.Label3->setFont(face("Newtron ICG Alt", 24));
    ui.Command1->setDefault(true);
    connect(ui.Command1, &QPushButton::clicked, this, &QDialog::accept);

    // Its labels are single words, which a screen reader passes over when the
    // window opens; the window's description reads them as one text.
    setAccessibleDescription(tr("%1. %2 %3. %4 %5")
                                 .arg(ui.Label1->text(), ui.Frame1->title(), ui.Label3->text(), ui.Label4->text(),
                                      ui.Label2->text()));
    ui.Command1->setFocus();
    // The display faces are rarely installed; their substitutes must still
    // fit the boxes made for them.
    fitFontToBox(ui.Label1, QSize(ui.Label1->width() - ui.Label1->indent(), ui.Label1->height()));
    fitFontToBox(ui.Label3);
}

void frmabout::showEvent(QShowEvent *event)
{
    placeWindow(this, kLayout.placement);
    QDialog::showEvent(event);
}
