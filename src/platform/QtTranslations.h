#pragma once

#include <QStringList>

class QCoreApplication;

namespace pomrola {

// The game's own texts are written in Russian; English is the one other
// language it ships.
inline const QString EnglishLanguage = QStringLiteral("en");

// Folders searched, in order, for Qt's own Russian texts: beside the
// executable (how the Windows package ships them), the installed data folder,
// then Qt's own translations folder.
QStringList QtTranslationFolders();

// Loads Qt's Russian translations (buttons, file and folder dialogs) into the
// application, whatever the system's language: the game speaks Russian.
// Returns whether they were found.
bool InstallQtTranslations(QCoreApplication& app);

// Installs the texts of the chosen language: English ("en") loads the game's
// embedded English translation and leaves Qt's dialogs in their own English;
// any other choice keeps the Russian interface with Qt's Russian texts.
// Returns whether the translations were found.
bool InstallTranslations(QCoreApplication& app, const QString& language);

}  // namespace pomrola
