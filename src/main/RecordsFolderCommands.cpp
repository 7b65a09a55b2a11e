// The records-folder commands of the main window.
#include "FolderEdit.h"
#include "Platform.h"
#include "Pomrola99_U1.h"
#include "RecordsFolderMessage.h"
#include "SystemFolders.h"

namespace pomrola {

void TForm1::reloadRecords(bool startUp)
{
    if (!LoadRecords(session_.records, session_.RecordsDir))
        platform_.showMessage(this, RecordsFolderMessage(session_.RecordsDir, startUp));
}

void TForm1::N4Click()
{
    session_.RecordsDir = CurrentFolder();
    reloadRecords(false);
}

void TForm1::N5Click()
{
    const auto chooseFolder = [this](QWidget* parent, const QString& start) -> std::optional<QString> {
        if (const std::optional<QString> chosen = platform_.chooseFolder(parent, start))
            return WithoutTrailingSeparator(*chosen);
        return std::nullopt;
    };
    DirEdt->runDialog(
        chooseFolder, [this] { DirEdtBeforeDialog(); }, [this](const QString& folder) { DirEdtAfterDialog(folder); });
}

void TForm1::DirEdtBeforeDialog()
{
    DirEdt->setInitialDir(session_.RecordsDir);
}

void TForm1::DirEdtAfterDialog(const QString& folder)
{
    session_.RecordsDir = folder;
    reloadRecords(false);
}

}  // namespace pomrola
