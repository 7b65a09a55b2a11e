#pragma once

#include <QStringList>

class QCoreApplication;

namespace pomrola {

// Folders searched, in order, for Qt's own Russian texts: beside the
// executable (how the Windows package ships them), the installed data folder,
// then Qt's own translations folder.
QStringList QtTranslationFolders();

// Loads Qt's Russian translations (buttons, file and folder dialogs) into the
// application, whatever the system's language: the game speaks Russian.
// Returns whether they were found.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace pomrola
