#include "SavedGameFile.h"

#include "FileAccess.h"
#include "SavedGame.h"

namespace pomrola {

namespace {

// A saved game is under a kilobyte; a larger file chosen through "Все файлы"
// is read only this far, so that loading a film cannot exhaust memory.
constexpr qint64 MaxSavedGameBytes = 1 << 20;

}  // namespace

std::optional<QString> SaveGameToFile(const QString& path, const GameState& game)
{
    return WriteFileAtomically(path, EncodeSavedGame(game));
}

std::optional<QString> LoadGameFromFile(const QString& path, GameState& game)
{
    const std::optional<QByteArray> bytes = ReadFileBounded(path, MaxSavedGameBytes);
    if (!bytes)
        return QStringLiteral("файл не читается");
    if (!DecodeSavedGame(*bytes, game))
        return QStringLiteral("в файле нет целой сохраненной игры");
    return std::nullopt;
}

}  // namespace pomrola
