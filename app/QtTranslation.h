#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

// Qt's own texts (message-box buttons, file, print and page set-up dialogs) in the
// program's language: the qtbase translation of the user's locale, Japanese when the
// locale is Japanese or says nothing (C / POSIX).
class CQtTranslation
{
public:
    // The locale whose translation is loaded for a user locale.
    static QLocale ChooseLocale(const QLocale& userLocale);
    // Loads and installs the translation; the translator belongs to the application.
    // Returns false when the translation files are not installed.
    static bool Install(QCoreApplication& app, const QLocale& userLocale = QLocale::system());
    // Where the qtbase translations are looked for.
    static QString TranslationsPath();
};
