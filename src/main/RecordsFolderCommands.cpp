// The records-folder commands of the main window.
#include "FolderEdit.h"
#include "Platform.h"
#include "Pomrola99_U1.h"
#include "RecordsFolderMessage.h"
#include "SystemFolders.h"

#include <memory>

namespace pomrola {

namespace {

// A folder on a share that does not answer may keep a read waiting for many
// seconds; the game starts, or goes on, without it after this long, as it
// would without the file.
constexpr int LoadLimitMs = 2000;
// Results an earlier run could not write are written at start-up when the
// folder is free; a folder in use leaves them to the next game end.
constexpr int StartUpLockWaitMs = 500;

}  // namespace

std::shared_ptr<TForm1::RecordsLoad> TForm1::startRecordsLoad(const QString& folder)
{
    // The load works on a copy, so a read that never ends touches nothing here.
    auto load = std::make_shared<RecordsLoad>();
    load->book = session_.records;
    load->work = platform_.startAside([load, folder] { load->ok = LoadRecords(load->book, folder); });
    return load;
}

void TForm1::finishRecordsLoad(RecordsLoad& load, bool startUp)
{
    const bool finished = load.work->wait(LoadLimitMs);
    if (finished)
        session_.records = load.book;
    if (!finished || !load.ok)
        platform_.showMessage(this, RecordsFolderMessage(session_.RecordsDir, startUp));
    if (finished && startUp && HasWaitingRecords(session_.records, session_.RecordsDir)) {
        std::optional<QString> error;
        platform_.runAside(
            [&] { error = WriteWaitingRecords(session_.records, session_.RecordsDir, StartUpLockWaitMs); });
        // Quietly: the next game end tries again and tells.
        static_cast<void>(error);
    }
}

void TForm1::reloadRecords()
{
    finishRecordsLoad(*startRecordsLoad(session_.RecordsDir), false);
}

void TForm1::N4Click()
{
    session_.RecordsDir = CurrentFolder();
    reloadRecords();
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
    reloadRecords();
}

}  // namespace pomrola
