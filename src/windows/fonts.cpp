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

namespace {

bool fits(const QFont &font, const QString &text, QSize box)
{
    const QSize size = QFontMetrics(font).size(0, text);
    return size.width() <= box.width() && size.height() <= box.height();
}

// Installed faces of the same kind as a label's, which it may take at its own
// size where its text does not fit: from the least narrow to the narrowest.
QStringList narrowerFaces(const QFont &font)
{
    const QString family = QFontInfo(font).family();
    const bool serif = family.contains(QLatin1String("Serif")) && !family.contains(QLatin1String("Sans"));
    const QStringList kind = serif ? QStringList{QStringLiteral("Liberation Serif"),
                                                 QStringLiteral("DejaVu Serif Condensed")}
                                   : QStringList{QStringLiteral("Liberation Sans"),
                                                 QStringLiteral("DejaVu Sans Condensed"),
                                                 QStringLiteral("Liberation Sans Narrow")};
    QStringList faces;
    for (const QString &face : kind) {
        if (face != family && QFontDatabase::hasFamily(face))
            faces << face;
    }
    return faces;
}

} // namespace

void fitFontToBox(QLabel *label, QSize room)
{
    QFont font = label->font();
    const bool standsIn = g_sansStandsIn && font.family() == g_sansFamily;
    if (!standsIn && QFontInfo(font).exactMatch())
        return;
    const QSize box = room.isValid() ? room : label->size();
    if (fits(font, label->text(), box))
        return;
    // A narrower face at the layout's size, before a smaller size.
    for (const QString &face : narrowerFaces(font)) {
        QFont narrower = font;
        narrower.setFamily(face);
        if (fits(narrower, label->text(), box)) {
            label->setFont(narrower);
            return;
        }
    }
    while (font.pointSizeF() > 6 && !fits(font, label->text(), box))
        font.setPointSizeF(font.pointSizeF() - 1);
    label->setFont(font);
}
