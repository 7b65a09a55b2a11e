#include "QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace pomrola {

QStringList QtTranslationFolders()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    return {
        exeDir + QStringLiteral("/translations"),
        exeDir,
        QDir::cleanPath(exeDir + QStringLiteral("/../share/pomrola99/translations")),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
    };
}

bool InstallQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    for (const QString& folder : QtTranslationFolders()) {
        if (translator->load(QStringLiteral("qtbase_ru"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

bool InstallTranslations(QCoreApplication& app, const QString& language)
{
    if (language != EnglishLanguage)
        return InstallQtTranslations(app);
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/pomrola99_en.qm"))) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

}  // namespace pomrola
