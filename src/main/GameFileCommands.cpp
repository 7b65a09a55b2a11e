// Saving and loading games from the main window's menu.
#include "Platform.h"
#include "Pomrola99_U1.h"
#include "SavedGame.h"
#include "SavedGameFile.h"
#include "ShadowLabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pomrola {

namespace {

const char* const OpenFilter = QT_TRANSLATE_NOOP("TForm1", "Сохраненные игры|*.sav|Все файлы|*.*");
const char* const SaveFilter = QT_TRANSLATE_NOOP("TForm1", "Сохраненные игры|*.sav|Все файлы |*.*");

}  // namespace

void TForm1::MnuSaveClick()
{
    const std::optional<QString> chosen = platform_.saveFileName(
        this, FileDialogRequest{saveFileName_, QCoreApplication::translate("TForm1", SaveFilter)});
    if (!chosen)
        return;
    const QString path = SavedGameName(*chosen);
    // The dialog confirmed only the name as chosen; another file that the
    // name rule leads to is not replaced without asking.
    if (path != *chosen && QFileInfo::exists(path) && !platform_.confirmOverwrite(this, path))
        return;
    // The next dialog proposes the last file that was written, never one that failed.
    if (const std::optional<QString> reason = SaveGameToFile(path, game_))
        platform_.showMessage(this, QCoreApplication::translate("TForm1", "Не удалось сохранить игру в файл %1: %2")
                                        .arg(QDir::toNativeSeparators(path), *reason));
    else
        saveFileName_ = path;
}

void TForm1::MnuLoadClick()
{
    if (const std::optional<QString> chosen = platform_.openFileName(
            this, FileDialogRequest{QStringLiteral("*.sav"), QCoreApplication::translate("TForm1", OpenFilter)})) {
        // Loading shows no message: what was read before a failure stays, and
        // the board below shows it.
        static_cast<void>(LoadGameFromFile(*chosen, game_));
    }
    ShowBoard();
    RxLabel3->setText(QString::number(game_.Score));
    RxLabel4->setText(QString::number(game_.MovesLeft));
}

}  // namespace pomrola
