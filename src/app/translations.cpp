#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installTranslations(QCoreApplication &app)
{
    const QLocale locale = QLocale::system();
    auto *game = new QTranslator(&app);
    if (game->load(locale, QStringLiteral("taviq-game"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(game);
    // OK and Cancel of the message boxes, and the text boxes' own menus.
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}
