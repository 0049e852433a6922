#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

QLocale CQtTranslation::ChooseLocale(const QLocale& userLocale)
{
    // The program speaks Japanese; a desktop that names no language gets that, one that
    // names another language gets Qt's texts in that language.
    if (userLocale.language() == QLocale::C || userLocale.language() == QLocale::AnyLanguage
        || userLocale.language() == QLocale::Japanese)
        return QLocale(QLocale::Japanese, QLocale::Japan);
    return userLocale;
}

QString CQtTranslation::TranslationsPath()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool CQtTranslation::Install(QCoreApplication& app, const QLocale& userLocale)
{
    const QLocale locale = ChooseLocale(userLocale);
    // Qt's texts are English already.
    if (locale.language() == QLocale::English)
        return true;
    auto* pTranslator = new QTranslator(&app);
    if (!pTranslator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), TranslationsPath())) {
        delete pTranslator;
        return false;
    }
    QCoreApplication::installTranslator(pTranslator);
    return true;
}
