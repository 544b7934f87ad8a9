#include "Francais.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void Parle_Francais()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    static QTranslator traduction;
    if (traduction.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduction);
}
