#include "fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    QFont::insertSubstitutions(QStringLiteral("Copperplate Gothic Bold"),
                               {QStringLiteral("Copperplate"), QStringLiteral("DejaVu Serif"),
                                QStringLiteral("Serif")});
    QFont::insertSubstitutions(QStringLiteral("Newtron ICG Alt"),
                               {QStringLiteral("DejaVu Serif"), QStringLiteral("Serif")});
    QFont::insertSubstitutions(QStringLiteral("Myriad Condensed"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
}

QFont sansSerif(double pointSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
    return font;
}

void fitFontToBox(QLabel *label)
{
    QFont font = label->font();
    if (QFontInfo(font).exactMatch())
        return;
    const QSize box = label->size();
    while (font.pointSizeF() > 6) {
        const QFontMetrics metrics(font);
        const QSize text = metrics.size(0, label->text());
        if (text.width() <= box.width() && text.height() <= box.height())
            break;
        font.setPointSizeF(font.pointSizeF() - 1);
    }
    label->setFont(font);
}
