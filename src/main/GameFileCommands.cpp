// Saving and loading games from the main window's menu.
#include "FileErrorText.h"
#include "Platform.h"
#include "Pomrola99_U1.h"
#include "SavedGame.h"
#include "ShadowLabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pomrola {

namespace {

const char* const OpenFilter = QT_TRANSLATE_NOOP("TForm1", "Сохраненные игры|*.sav|Все файлы|*.*");
const char* const SaveFilter = QT_TRANSLATE_NOOP("TForm1", "Сохраненные игры|*.sav|Все файлы |*.*");
// A saved game is under a kilobyte; a larger file chosen through "Все файлы"
// is read only this far, so that loading a film cannot exhaust memory.
constexpr qint64 MaxSavedGameBytes = 1 << 20;

}  // namespace

void TForm1::MnuSaveClick()
{
    const std::optional<QString> chosen = platform_.saveFileName(this, FileDialogRequest{saveFileName_, QCoreApplication::translate("TForm1", SaveFilter)});
    if (!chosen)
        return;
    const QString path = SavedGameName(*chosen);
    // The dialog confirmed only the name as chosen; another file that the
    // name rule leads to is not replaced without asking.
    if (path != *chosen && QFileInfo::exists(path) && !platform_.confirmOverwrite(this, path))
        return;
    saveFileName_ = path;
    // Written atomically: a failed save leaves any earlier file as it was.
    QSaveFile file(path);
    const QByteArray bytes = EncodeSavedGame(game_);
    ClearSystemError();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        platform_.showMessage(this, QCoreApplication::translate("TForm1", "Не удалось сохранить игру в файл %1: %2")
                                        .arg(QDir::toNativeSeparators(path), FileErrorText(file.error(), LastSystemError())));
}

void TForm1::MnuLoadClick()
{
    if (const std::optional<QString> chosen =
            platform_.openFileName(this, FileDialogRequest{QStringLiteral("*.sav"), QCoreApplication::translate("TForm1", OpenFilter)})) {
        QFile file(*chosen);
        if (file.open(QIODevice::ReadOnly))
            DecodeSavedGame(file.read(MaxSavedGameBytes), game_);
    }
    ShowBoard();
    RxLabel3->setText(QString::number(game_.Score));
    RxLabel4->setText(QString::number(game_.MovesLeft));
}

}  // namespace pomrola
