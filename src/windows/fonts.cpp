#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace {

// The family the controls are drawn in, and whether it stands in for the
// layouts' plain face, which is not installed.
QString g_sansFamily = QStringLiteral("MS Sans Serif");
bool g_sansStandsIn = false;

} // namespace

void installFontSubstitutes()
{
    // The layouts' faces are seldom installed. The plain one stands in as the
    // desktop's own sans-serif, which the desktop has loaded already; the
    // display faces of the About window as faces of the same kind.
    // The family the desktop's font really resolves to: the default is often
    // an alias ("Sans Serif") that would not stand in as a family name.
    const QString desktopSans = QFontInfo(QGuiApplication::font()).family();
    // Asked for by the family it resolves to, the plain face costs no failed
    // match at every size it is drawn in.
    if (!QFontDatabase::hasFamily(g_sansFamily)) {
        g_sansFamily = desktopSans;
        g_sansStandsIn = true;
    }
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {desktopSans, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Newtron ICG Alt"),
                               {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                                QStringLiteral("Serif")});
    QFont::insertSubstitutions(QStringLiteral("Myriad Condensed"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                desktopSans});
}

QFont sansSerif(double pointSize, QFont::Weight weight)
{
    QFont font(g_sansFamily);
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
    return font;
}

void fitFontToBox(QLabel *label, QSize room)
{
    QFont font = label->font();
    const bool standsIn = g_sansStandsIn && font.family() == g_sansFamily;
    if (!standsIn && QFontInfo(font).exactMatch())
        return;
    const QSize box = room.isValid() ? room : label->size();
    while (font.pointSizeF() > 6) {
        const QFontMetrics metrics(font);
        const QSize text = metrics.size(0, label->text());
        if (text.width() <= box.width() && text.height() <= box.height())
            break;
        font.setPointSizeF(font.pointSizeF() - 1);
    }
    label->setFont(font);
}
