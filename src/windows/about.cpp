#include "about.h"

#include "fonts.h"
#include "layout_builder.h"
#include "placement.h"
#include "twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

using Kind = ControlRow::Kind;

// Back to front.
const ControlRow kLayout[] = {
    {QStringLiteral("Label1"), Kind::Label, "Taviq", nullptr, 0, 0, 1575, 855, {}},
    {QStringLiteral("Frame1"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "Programmed by"), nullptr,
     0, 960, 4575, 1575, {}},
    {QStringLiteral("Label3"), Kind::Label, "Taviq Game", nullptr, 600, 360, 3495, 615, QStringLiteral("Frame1")},
    {QStringLiteral("Label4"), Kind::Label, QT_TRANSLATE_NOOP("Game", "E-mail"), nullptr, 840, 1080, 735, 255,
     QStringLiteral("Frame1")},
    {QStringLiteral("Label2"), Kind::Label, "game@example.org", nullptr, 1440, 1080, 1695, 255,
     QStringLiteral("Frame1")},
    {QStringLiteral("Command1"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Bye"), nullptr,
     120, 2760, 4335, 375, {}},
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
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));
    setFixedSize(px(4590), px(3255));

    const Controls controls = buildControls(kLayout, this);
    auto *title = controls.get<QLabel>(QStringLiteral("Label1"));
    title->setFont(face("Myriad Condensed", 48));
    auto *credit = controls.get<QLabel>(QStringLiteral("Label3"));
    credit->setFont(face("Newtron ICG Alt", 24));
    auto *bye = controls.get<QPushButton>(QStringLiteral("Command1"));
    bye->setDefault(true);
    connect(bye, &QPushButton::clicked, this, &QDialog::accept);

    // Its labels are single words, which a screen reader passes over when the
    // window opens; the window's description reads them as one text.
    setAccessibleDescription(tr("%1. %2 %3. %4 %5")
                                 .arg(title->text(), controls.get<QGroupBox>(QStringLiteral("Frame1"))->title(),
                                      credit->text(), controls.get<QLabel>(QStringLiteral("Label4"))->text(),
                                      controls.get<QLabel>(QStringLiteral("Label2"))->text()));
    bye->setFocus();
    // The display faces are rarely installed; their substitutes must still
    // fit the boxes made for them.
    fitFontToBox(title);
    fitFontToBox(credit);
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
